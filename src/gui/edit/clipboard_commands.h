// ClipboardCommands: the Bearbeiten menu — clipboard, delete and undo, select all, search, object order —
// on the main window's project and pages.
#pragma once

#include <QDialog>
#include <QObject>
#include <functional>
#include <string>
#include <vector>

#include "model/clipboard.h"

namespace tolmek {

class TMainWindow;

class ClipboardCommands final : public QObject {
  Q_OBJECT

 public:
  // The clipboard and undo files live in `folder` (the per-user settings folder).
  ClipboardCommands(TMainWindow& window, std::string folder);

  void Copy();         // Kopieren1Click
  void Cut();          // AusschneidenClick
  void Paste();        // Einfgen1Click
  void Delete();       // Lschen1Click
  void UndoDelete();   // Wiederherstellen1Click
  void SelectAll();    // MarkAllClick
  void Search();       // Suchen1Click: asks for the name
  void ObjectOrder();  // Objektreihenfolge1Click
  // Selects the matches of `text` and brings the page of each into view, the last one centred.
  std::vector<TBauteil*> SearchFor(const QString& text);
  // Brings the page of `element` into view, centred on it.
  void CentreOn(const TBauteil& element);

  [[nodiscard]] bool UndoAvailable() const { return core_.UndoAvailable(); }
  // New: the undo of the old project is not offered for the new one.
  void ForgetUndo();
  [[nodiscard]] EditCommands& Core() { return core_; }

  // Runs the search and object order dialogs; true when accepted. Replaceable for tests.
  std::function<bool(QDialog& dialog)> RunDialog;

 signals:
  // "&Rückgängig löschen" is to be enabled or disabled.
  void UndoChanged(bool available);

 private:
  void Edited();

  TMainWindow& window_;
  EditCommands core_;
};

}  // namespace tolmek
