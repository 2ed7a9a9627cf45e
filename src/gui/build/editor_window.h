// TEditorWindow: the small internal text editor for the generated source and the include files.
#pragma once

#include <QHash>
#include <QKeySequence>
#include <QPlainTextEdit>
#include <QWidget>
#include <functional>

#include "model/messages.h"

class QAction;
class QMenuBar;

namespace tolmek {

// The text field; it keeps the editor's own shortcuts (Ctrl+S, F10 ...) from the main window's menu.
class EditorText final : public QPlainTextEdit {
  Q_OBJECT

 public:
  using QPlainTextEdit::QPlainTextEdit;
  void Bind(const QKeySequence& keys, QAction* action) { bound_.insert(keys, action); }

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QAction* BoundAction(QKeyEvent* event) const;
  QHash<QKeySequence, QAction*> bound_;
};

class TEditorWindow final : public QWidget {
  Q_OBJECT

 public:
  TEditorWindow(Messenger& messages, QWidget* parent = nullptr);

  // The file shown; empty for a new text that has no name yet.
  [[nodiscard]] const QString& FileName() const { return fileName_; }
  [[nodiscard]] bool Modified() const;
  [[nodiscard]] EditorText& Text() const { return *text_; }

  // Loads `path`; false (and an empty text) when it cannot be read.
  bool LoadFile(const QString& path);
  // An empty text under `path` that counts as changed, for a file that does not exist yet.
  void NewFile(const QString& path);
  // Scrolls so that line `line` (1-based) stands at the top and puts the cursor there.
  void GoToLine(int line);
  // Unsaved changes: message 35 with the file name. Yes saves, No drops the changes; false for Cancel
  // (or when the save failed).
  bool SettleUnsaved();
  bool Save();
  bool SaveAs();

  void SetLanguageCaptions(Language lang);

  // "Build..." of the editor's own menu.
  std::function<void()> BuildRequested;
  // The file dialogs, replaceable so that tests need no screen.
  std::function<QString(const QString& folder)> ChooseOpenFile;
  std::function<QString(const QString& suggested)> ChooseSaveFile;

 signals:
  void Closed();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QAction* AddAction(QMenu* menu, const char* name, const QKeySequence& keys, std::function<void()> run);
  void UpdateCaption();
  void OpenClicked();
  bool WriteTo(const QString& path);

  Messenger& messages_;
  EditorText* text_;
  QMenuBar* menuBar_;
  QString fileName_;
};

}  // namespace tolmek
