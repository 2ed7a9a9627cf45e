// The search dialog and the object order dialog.
#include "gui/edit/edit_dialogs.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/captions.h"

namespace tolmek {

namespace {

constexpr int kMaxSearchLength = 30;

constexpr Caption kSearchCaptions[] = {
    {"", "Suchen...", "Search...", "Cerca..."},
    {"Label1", "Name eingeben", "Enter name", "Inserire nome"},
    {"SearchButton", "&Suchen...", "&Search...", "&Cerca..."},
    {"CancelButton", "&Abbruch", "&Cancel", "&Annulla"},
};

constexpr Caption kOrderCaptions[] = {
    {"", "Objektreihenfolge ändern", "Change object order", "Cambia ordine oggetti"},
    {"Label1", "Name", "Name", "Nome"},
    {"Label2", "interne #", "internal #", "# interno"},
    {"ForwardButton", "nach vorne", "forward", "avanti"},
    {"BackwardButton", "nach hinten", "backward", "indietro"},
    {"CloseButton", "&OK", "&OK", "&OK"},
};

QLabel* NamedLabel(const char* name, QWidget* parent) {
  auto* l = new QLabel(parent);
  l->setObjectName(name);
  return l;
}

QPushButton* NamedButton(const char* name, QWidget* parent) {
  auto* b = new QPushButton(parent);
  b->setObjectName(name);
  return b;
}

}  // namespace

TDialogSuchen::TDialogSuchen(Language lang, QWidget* parent) : QDialog(parent) {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(NamedLabel("Label1", this));
  Edit1 = new QLineEdit(this);
  Edit1->setObjectName("Edit1");
  Edit1->setMaxLength(kMaxSearchLength);
  layout->addWidget(Edit1);
  // Names are upper case: what is typed is shown as it will be searched.
  connect(Edit1, &QLineEdit::textEdited, this, [this](const QString& text) {
    const int at = Edit1->cursorPosition();
    Edit1->setText(text.toUpper());
    Edit1->setCursorPosition(at);
  });
  auto* row = new QHBoxLayout;
  SearchButton = NamedButton("SearchButton", this);
  SearchButton->setDefault(true);
  CancelButton = NamedButton("CancelButton", this);
  row->addWidget(SearchButton);
  row->addWidget(CancelButton);
  layout->addLayout(row);
  connect(SearchButton, &QPushButton::clicked, this, &QDialog::accept);
  connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
  SetLanguageCaptions(*this, kSearchCaptions, lang);
}

QString TDialogSuchen::SearchText() const { return Edit1->text().toUpper(); }

TDialogObRf::TDialogObRf(ObjectOrder& order, Language lang, QWidget* parent) : QDialog(parent), order_(order) {
  auto* grid = new QGridLayout(this);
  grid->addWidget(NamedLabel("Label1", this), 0, 0);
  grid->addWidget(NamedLabel("Label2", this), 0, 1);
  ListBox1 = new QListWidget(this);
  ListBox1->setObjectName("ListBox1");
  ListBox2 = new QListWidget(this);
  ListBox2->setObjectName("ListBox2");
  ListBox2->setMaximumWidth(90);
  grid->addWidget(ListBox1, 1, 0);
  grid->addWidget(ListBox2, 1, 1);
  auto* buttons = new QVBoxLayout;
  ForwardButton = NamedButton("ForwardButton", this);
  BackwardButton = NamedButton("BackwardButton", this);
  auto* close = NamedButton("CloseButton", this);
  buttons->addWidget(ForwardButton);
  buttons->addWidget(BackwardButton);
  buttons->addStretch();
  buttons->addWidget(close);
  grid->addLayout(buttons, 1, 2);
  // The two boxes are one table: a row chosen in one is chosen in the other.
  connect(ListBox1, &QListWidget::currentRowChanged, this, [this](int row) {
    if (ListBox2->currentRow() != row) ListBox2->setCurrentRow(row);
  });
  connect(ListBox2, &QListWidget::currentRowChanged, this, [this](int row) {
    if (ListBox1->currentRow() != row) ListBox1->setCurrentRow(row);
  });
  connect(ForwardButton, &QPushButton::clicked, this, [this] { ForwardClicked(); });
  connect(BackwardButton, &QPushButton::clicked, this, [this] { BackwardClicked(); });
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  SetLanguageCaptions(*this, kOrderCaptions, lang);
  Fill();
  resize(360, 420);
}

void TDialogObRf::Fill() {
  const int row = SelectedRow();
  ListBox1->clear();
  ListBox2->clear();
  for (const ObjectOrder::Row& r : order_.Rows()) {
    ListBox1->addItem(QString::fromStdString(r.text));
    ListBox2->addItem(QString::number(r.number));
  }
  if (row >= 0) SelectRow(row);
}

int TDialogObRf::SelectedRow() const { return ListBox1->currentRow(); }

void TDialogObRf::SelectRow(int row) {
  ListBox1->setCurrentRow(row);
  ListBox2->setCurrentRow(row);
}

void TDialogObRf::ForwardClicked() {
  const int row = SelectedRow();
  if (row < 0) return;
  const int moved = order_.MoveForward(row);
  Fill();
  SelectRow(moved);
}

void TDialogObRf::BackwardClicked() {
  const int row = SelectedRow();
  if (row < 0) return;
  const int moved = order_.MoveBackward(row);
  Fill();
  SelectRow(moved);
}

}  // namespace tolmek
