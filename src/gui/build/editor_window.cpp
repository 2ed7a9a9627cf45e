// TEditorWindow: loading, saving, going to a line, and its own menu with keys that win over the main menu's.
#include "gui/build/editor_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QMenu>
#include <QMenuBar>
#include <QSaveFile>
#include <QScrollBar>
#include <QTextBlock>
#include <QVBoxLayout>

#include "gui/captions.h"
#include "gui/missing_names.h"

namespace tolmek {

namespace {

constexpr Caption kCaptions[] = {
    {"Datei", "&Datei", "&File", "&File"},
    {"Neu", "&Neu", "&New", "&Nuovo"},
    {"Oeffnen", "Ö&ffnen...", "&Open...", "&Apri..."},
    {"Speichern", "&Speichern", "&Save", "&Salva"},
    {"SpeichernUnter", "Speichern &unter...", "Save &as...", "Salva &con nome..."},
    {"Build", "Build...", "Build...", "Build..."},
    {"Schliessen", "Schließen", "Close", "Chiudi"},
    {"Bearbeiten", "&Bearbeiten", "&Edit", "&Modifica"},
    {"Rueckgaengig", "&Rückgängig", "&Undo", "&Annulla"},
    {"Ausschneiden", "&Ausschneiden", "Cu&t", "&Taglia"},
    {"Kopieren", "&Kopieren", "&Copy", "&Copia"},
    {"Einfuegen", "&Einfügen", "&Paste", "&Incolla"},
};

QKeySequence Normalised(QKeyEvent* e) {
  return QKeySequence(e->keyCombination());
}

}  // namespace

bool EditorText::event(QEvent* e) {
  // Claimed here, the key reaches keyPressEvent instead of an equal shortcut of the main menu.
  if (e->type() == QEvent::ShortcutOverride && BoundAction(static_cast<QKeyEvent*>(e))) {
    e->accept();
    return true;
  }
  return QPlainTextEdit::event(e);
}

void EditorText::keyPressEvent(QKeyEvent* e) {
  if (QAction* action = BoundAction(e)) {
    action->trigger();
    return;
  }
  QPlainTextEdit::keyPressEvent(e);
}

QAction* EditorText::BoundAction(QKeyEvent* e) const { return bound_.value(Normalised(e), nullptr); }

TEditorWindow::TEditorWindow(Messenger& messages, QWidget* parent) : QWidget(parent), messages_(messages) {
  setObjectName("TEditorWindow");
  setAttribute(Qt::WA_DeleteOnClose);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  menuBar_ = new QMenuBar(this);
  layout->setMenuBar(menuBar_);
  text_ = new EditorText(this);
  text_->setObjectName("Memo1");
  text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  text_->setLineWrapMode(QPlainTextEdit::NoWrap);
  layout->addWidget(text_);

  QMenu* file = menuBar_->addMenu(QString());
  file->setObjectName("Datei");
  AddAction(file, "Neu", QKeySequence(Qt::CTRL | Qt::Key_N), [this] {
    if (!SettleUnsaved()) return;
    text_->clear();
    text_->document()->setModified(false);
    fileName_.clear();
    UpdateCaption();
  });
  AddAction(file, "Oeffnen", QKeySequence(Qt::CTRL | Qt::Key_O), [this] { OpenClicked(); });
  AddAction(file, "Speichern", QKeySequence(Qt::CTRL | Qt::Key_S), [this] { Save(); });
  AddAction(file, "SpeichernUnter", {}, [this] { SaveAs(); });
  AddAction(file, "Build", QKeySequence(Qt::Key_F10), [this] {
    if (BuildRequested) BuildRequested();
  });
  AddAction(file, "Schliessen", QKeySequence(Qt::CTRL | Qt::Key_F4), [this] {
    if (parentWidget()) parentWidget()->close();
    else close();
  });
  QMenu* edit = menuBar_->addMenu(QString());
  edit->setObjectName("Bearbeiten");
  AddAction(edit, "Rueckgaengig", QKeySequence(Qt::CTRL | Qt::Key_Z), [this] { text_->undo(); });
  AddAction(edit, "Ausschneiden", QKeySequence(Qt::CTRL | Qt::Key_X), [this] { text_->cut(); });
  AddAction(edit, "Kopieren", QKeySequence(Qt::CTRL | Qt::Key_C), [this] { text_->copy(); });
  AddAction(edit, "Einfuegen", QKeySequence(Qt::CTRL | Qt::Key_V), [this] { text_->paste(); });

  connect(text_->document(), &QTextDocument::modificationChanged, this, [this] { UpdateCaption(); });
  SetLanguageCaptions(messages_.CurrentLanguage());
}

QAction* TEditorWindow::AddAction(QMenu* menu, const char* name, const QKeySequence& keys,
                                  std::function<void()> run) {
  QAction* a = menu->addAction(QString());
  a->setObjectName(name);
  if (!keys.isEmpty()) {
    a->setShortcut(keys);
    a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    text_->Bind(keys, a);
  }
  connect(a, &QAction::triggered, this, [run = std::move(run)] { run(); });
  return a;
}

void TEditorWindow::SetLanguageCaptions(Language lang) {
  for (const Caption& row : kCaptions) {
    const QString name = QString::fromUtf8(row.control);
    if (auto* menu = findChild<QMenu*>(name)) menu->setTitle(CaptionText(row, lang));
    else if (auto* action = findChild<QAction*>(name)) action->setText(CaptionText(row, lang));
    else NoteMissingName("caption", name);
  }
  UpdateCaption();
}

void TEditorWindow::UpdateCaption() {
  QString caption = "Tolmek - Editor";
  if (!fileName_.isEmpty()) caption += " [" + fileName_ + "]";
  if (Modified()) caption += " *";
  setWindowTitle(caption);
  if (parentWidget()) parentWidget()->setWindowTitle(caption);
}

bool TEditorWindow::Modified() const { return text_->document()->isModified(); }

bool TEditorWindow::LoadFile(const QString& path) {
  QFile f(path);
  fileName_ = path;
  if (!f.open(QIODevice::ReadOnly)) {
    text_->clear();
    text_->document()->setModified(false);
    UpdateCaption();
    return false;
  }
  // Assembler files are Latin-1 more often than not; valid UTF-8 is taken as such.
  const QByteArray bytes = f.readAll();
  QString text = QString::fromUtf8(bytes);
  if (text.contains(QChar::ReplacementCharacter)) text = QString::fromLatin1(bytes);
  text_->setPlainText(text);
  text_->document()->setModified(false);
  UpdateCaption();
  return true;
}

void TEditorWindow::NewFile(const QString& path) {
  text_->clear();
  fileName_ = path;
  text_->document()->setModified(true);
  UpdateCaption();
}

void TEditorWindow::GoToLine(int line) {
  QTextBlock block = text_->document()->findBlockByNumber(std::max(0, line - 1));
  if (!block.isValid()) block = text_->document()->lastBlock();
  QTextCursor cursor(block);
  text_->setTextCursor(cursor);
  text_->verticalScrollBar()->setValue(block.blockNumber());
}

bool TEditorWindow::SettleUnsaved() {
  if (!Modified()) return true;
  const std::string name = fileName_.toStdString();
  switch (messages_.ShowMessage(Msg::EditorTextChanged, MessageMode::Question, name)) {
    case Answer::Yes:
      return Save();
    case Answer::No:
      text_->document()->setModified(false);
      return true;
    default:
      return false;
  }
}

bool TEditorWindow::WriteTo(const QString& path) {
  QSaveFile f(path);
  if (!f.open(QIODevice::WriteOnly)) return false;
  f.write(text_->toPlainText().toUtf8());
  if (!f.commit()) return false;
  fileName_ = path;
  text_->document()->setModified(false);
  UpdateCaption();
  return true;
}

bool TEditorWindow::Save() {
  if (fileName_.isEmpty()) return SaveAs();
  if (WriteTo(fileName_)) return true;
  messages_.ShowMessage(Msg::CannotSave, MessageMode::Error, fileName_.toStdString());
  return false;
}

bool TEditorWindow::SaveAs() {
  const QString chosen = ChooseSaveFile ? ChooseSaveFile(fileName_)
                                        : QFileDialog::getSaveFileName(this, QString(), fileName_);
  if (chosen.isEmpty()) return false;
  if (WriteTo(chosen)) return true;
  messages_.ShowMessage(Msg::CannotSave, MessageMode::Error, chosen.toStdString());
  return false;
}

void TEditorWindow::OpenClicked() {
  if (!SettleUnsaved()) return;
  const QString folder = fileName_.isEmpty() ? QString() : QFileInfo(fileName_).absolutePath();
  const QString chosen = ChooseOpenFile ? ChooseOpenFile(folder) : QFileDialog::getOpenFileName(this, QString(), folder);
  if (chosen.isEmpty()) return;
  if (!LoadFile(chosen)) messages_.ShowMessage(Msg::FileMissing, MessageMode::Error, chosen.toStdString());
}

void TEditorWindow::closeEvent(QCloseEvent* e) {
  // Closing must not throw away what was typed.
  if (!SettleUnsaved()) {
    e->ignore();
    return;
  }
  emit Closed();
  e->accept();
}

}  // namespace tolmek
