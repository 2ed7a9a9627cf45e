// The external programs dialog and the tools dialogs.
#include "gui/build/tool_dialogs.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "codegen/build_tools.h"
#include "gui/captions.h"

namespace tolmek {

namespace {

constexpr Caption kProgsCaptions[] = {
    {"", "Externe-Programme", "External programs", "Programmi esterni"},
    {"Label1", "Mp-Assembler oder Kompatibel", "Mp-Assembler or compatible", "Mp-Assembler o compatibile"},
    {"Label2", "Editor (leer = interner Editor)", "Editor (empty = internal editor)",
     "Editor (vuoto = editor interno)"},
    {"Button1", "Suchen...", "Search...", "Cerca..."},
    {"Button2", "Suchen...", "Search...", "Cerca..."},
};

constexpr Caption kProgramFilter[] = {
    {"", "Programme (*.exe *);;Alle Dateien (*)", "Programs (*.exe *);;All files (*)",
     "Programmi (*.exe *);;Tutti i file (*)"},
};

constexpr Caption kToolsCaptions[] = {
    {"", "Tools", "Tools", "Tools"},
    {"Label1", "&Tools (max.10)", "&Tools (max.10)", "&Tools (max.10)"},
    {"AddButton", "&Hinzufügen", "&Add", "&Aggiungi"},
    {"DeleteButton", "&Löschen", "&Delete", "&Cancella"},
    {"EditButton", "&Bearbeiten", "&Edit", "&Modifica"},
};

constexpr Caption kTools2Captions[] = {
    {"", "Tools Eigenschaften", "Tool properties", "Proprietà tool"},
    {"Label1", "Titel", "Title", "Titolo"},
    {"Label2", "Programm", "Program", "Programma"},
    {"Label3", "Arbeitsverzeichnis", "Working directory", "Directory di lavoro"},
    {"Label4", "Parameter", "Parameters", "Parametri"},
    {"SearchButton", "&Suchen...", "&Search...", "&Cerca..."},
};

QDialogButtonBox* OkCancel(QDialog* dialog) {
  auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
  box->button(QDialogButtonBox::Ok)->setObjectName("OKBtn");
  box->button(QDialogButtonBox::Cancel)->setObjectName("CancelBtn");
  QObject::connect(box, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(box, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return box;
}

QLabel* NamedLabel(const char* name, QWidget* parent) {
  auto* l = new QLabel(parent);
  l->setObjectName(name);
  return l;
}

QLineEdit* NamedEdit(const char* name, QWidget* parent) {
  auto* e = new QLineEdit(parent);
  e->setObjectName(name);
  e->setMaxLength(255);
  e->setMinimumWidth(320);
  return e;
}

QPushButton* NamedButton(const char* name, QWidget* parent) {
  auto* b = new QPushButton(parent);
  b->setObjectName(name);
  b->setAutoDefault(false);
  return b;
}

QString ProgramFilter(Language lang) { return CaptionText(kProgramFilter[0], lang); }

}  // namespace

QString ChooseProgramFile(QWidget* parent, const QString& filter) {
  return QFileDialog::getOpenFileName(parent, QString(), QString(), filter);
}

TDialogProgs::TDialogProgs(BuildPrograms& programs, Language lang, QWidget* parent)
    : QDialog(parent), programs_(programs), lang_(lang) {
  auto* grid = new QGridLayout(this);
  Edit1 = NamedEdit("Edit1", this);
  Edit2 = NamedEdit("Edit2", this);
  Button1 = NamedButton("Button1", this);
  Button2 = NamedButton("Button2", this);
  grid->addWidget(NamedLabel("Label1", this), 0, 0, 1, 2);
  grid->addWidget(Edit1, 1, 0);
  grid->addWidget(Button1, 1, 1);
  grid->addWidget(NamedLabel("Label2", this), 2, 0, 1, 2);
  grid->addWidget(Edit2, 3, 0);
  grid->addWidget(Button2, 3, 1);
  grid->addWidget(OkCancel(this), 4, 0, 1, 2);
  Edit1->setText(QString::fromStdString(programs_.Assembler));
  Edit2->setText(QString::fromStdString(programs_.Editor));
  connect(Button1, &QPushButton::clicked, this, [this] {
    const QString chosen = Choose(this, ProgramFilter(lang_));
    if (chosen.isEmpty()) return;
    Edit1->setText(chosen);
    programs_.Assembler = chosen.toStdString();
  });
  connect(Button2, &QPushButton::clicked, this, [this] {
    const QString chosen = Choose(this, ProgramFilter(lang_));
    if (chosen.isEmpty()) return;
    Edit2->setText(chosen);
    programs_.Editor = chosen.toStdString();
  });
  SetLanguageCaptions(*this, kProgsCaptions, lang);
  SetLanguageCaptions(*this, ButtonCaptions(), lang);
}

void TDialogProgs::accept() {
  programs_.Assembler = Edit1->text().trimmed().toStdString();
  programs_.Editor = Edit2->text().trimmed().toStdString();
  QDialog::accept();
}

TDialogTools2::TDialogTools2(Language lang, QWidget* parent) : QDialog(parent) {
  auto* form = new QFormLayout(this);
  Edit1 = NamedEdit("Edit1", this);
  Edit2 = NamedEdit("Edit2", this);
  Edit3 = NamedEdit("Edit3", this);
  Edit4 = NamedEdit("Edit4", this);
  SearchButton = NamedButton("SearchButton", this);
  form->addRow(NamedLabel("Label1", this), Edit1);
  form->addRow(NamedLabel("Label2", this), Edit2);
  form->addRow(NamedLabel("Label3", this), Edit3);
  form->addRow(NamedLabel("Label4", this), Edit4);
  form->addRow(SearchButton);
  form->addRow(OkCancel(this));
  connect(SearchButton, &QPushButton::clicked, this, [this, lang] {
    const QString chosen = Choose(this, ProgramFilter(lang));
    if (!chosen.isEmpty()) TakeProgram(chosen);
  });
  SetLanguageCaptions(*this, kTools2Captions, lang);
  SetLanguageCaptions(*this, ButtonCaptions(), lang);
}

void TDialogTools2::Load(const ToolEntry& t) {
  Edit1->setText(QString::fromStdString(t.Title));
  Edit2->setText(QString::fromStdString(t.Program));
  Edit3->setText(QString::fromStdString(t.WorkDir));
  Edit4->setText(QString::fromStdString(t.Param));
}

ToolEntry TDialogTools2::Entry() const {
  return {Edit1->text().toStdString(), Edit2->text().toStdString(), Edit3->text().toStdString(),
          Edit4->text().toStdString()};
}

void TDialogTools2::TakeProgram(const QString& program) {
  const ToolGuess g = GuessTool(program.toStdString());
  Edit1->setText(QString::fromStdString(g.Title));
  Edit2->setText(QString::fromStdString(g.Program));
  Edit3->setText(QString::fromStdString(g.WorkDir));
  if (!g.Param.empty()) Edit4->setText(QString::fromStdString(g.Param));
}

TDialogTools::TDialogTools(std::vector<ToolEntry> tools, Language lang, QWidget* parent)
    : QDialog(parent), tools_(std::move(tools)), lang_(lang) {
  if (tools_.size() > size_t(kMaxTools)) tools_.resize(size_t(kMaxTools));
  auto* outer = new QVBoxLayout(this);
  outer->addWidget(NamedLabel("Label1", this));
  auto* row = new QHBoxLayout;
  ListBox1 = new QListWidget(this);
  ListBox1->setObjectName("ListBox1");
  row->addWidget(ListBox1);
  auto* buttons = new QVBoxLayout;
  AddButton = NamedButton("AddButton", this);
  DeleteButton = NamedButton("DeleteButton", this);
  EditButton = NamedButton("EditButton", this);
  buttons->addWidget(AddButton);
  buttons->addWidget(DeleteButton);
  buttons->addWidget(EditButton);
  buttons->addStretch();
  row->addLayout(buttons);
  outer->addLayout(row);
  outer->addWidget(OkCancel(this));
  connect(AddButton, &QPushButton::clicked, this, [this] { AddClicked(); });
  connect(DeleteButton, &QPushButton::clicked, this, [this] { DeleteClicked(); });
  connect(EditButton, &QPushButton::clicked, this, [this] { EditClicked(); });
  connect(ListBox1, &QListWidget::currentRowChanged, this, [this] { UpdateButtons(); });
  connect(ListBox1, &QListWidget::itemDoubleClicked, this, [this] { EditClicked(); });
  RunToolDialog = [](TDialogTools2& d) { return d.exec() == QDialog::Accepted; };
  SetLanguageCaptions(*this, kToolsCaptions, lang);
  SetLanguageCaptions(*this, ButtonCaptions(), lang);
  Fill();
}

void TDialogTools::Fill() {
  ListBox1->clear();
  for (const ToolEntry& t : tools_) ListBox1->addItem(QString::fromStdString(t.Title));
  UpdateButtons();
}

void TDialogTools::UpdateButtons() {
  const bool selected = ListBox1->currentRow() >= 0;
  AddButton->setEnabled(tools_.size() < size_t(kMaxTools));
  DeleteButton->setEnabled(selected);
  EditButton->setEnabled(selected);
}

void TDialogTools::AddClicked() {
  if (tools_.size() >= size_t(kMaxTools)) return;
  TDialogTools2 dialog(lang_, this);
  if (!RunToolDialog(dialog)) return;
  ToolEntry t = dialog.Entry();
  if (t.Title.empty() || t.Program.empty()) return;
  tools_.push_back(std::move(t));
  Fill();
  ListBox1->setCurrentRow(int(tools_.size()) - 1);
}

void TDialogTools::DeleteClicked() {
  const int row = ListBox1->currentRow();
  if (row < 0 || row >= int(tools_.size())) return;
  tools_.erase(tools_.begin() + row);
  Fill();
}

void TDialogTools::EditClicked() {
  const int row = ListBox1->currentRow();
  if (row < 0 || row >= int(tools_.size())) return;
  TDialogTools2 dialog(lang_, this);
  dialog.Load(tools_[size_t(row)]);
  if (!RunToolDialog(dialog)) return;
  ToolEntry t = dialog.Entry();
  // A tool needs a title and a program; an edit that empties either leaves the tool as it was.
  if (t.Title.empty() || t.Program.empty()) return;
  tools_[size_t(row)] = std::move(t);
  Fill();
  ListBox1->setCurrentRow(row);
}

}  // namespace tolmek
