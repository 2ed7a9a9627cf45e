// ClipboardCommands: the editing commands of the menu, with the page windows following.
#include "gui/edit/clipboard_commands.h"

#include <QApplication>
#include <QScrollBar>

#include "gui/edit/edit_dialogs.h"
#include "gui/main_window.h"

namespace tolmek {

namespace {

class WaitCursor {
 public:
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

ClipboardCommands::ClipboardCommands(TMainWindow& window, std::string folder)
    : QObject(&window), window_(window), core_(window.GetProject(), std::move(folder)) {
  RunDialog = [](QDialog& d) { return d.exec() == QDialog::Accepted; };
}

void ClipboardCommands::Edited() {
  // Names, numbers, the analysis, the source window and the pages, as after any edit.
  window_.GetProject().Saved = false;  // before the steps after an edit, so the title's marker sees it
  window_.PlanEdited();
}

void ClipboardCommands::Copy() {
  WaitCursor wait;
  (void)core_.Copy();
}

void ClipboardCommands::Paste() {
  {
    WaitCursor wait;
    if (!core_.Paste()) return;
  }
  Edited();
}

void ClipboardCommands::Cut() {
  {
    WaitCursor wait;
    if (!core_.Cut()) return;
  }
  Edited();
  emit UndoChanged(core_.UndoAvailable());
}

void ClipboardCommands::Delete() {
  {
    WaitCursor wait;
    core_.Delete();
  }
  Edited();
  emit UndoChanged(core_.UndoAvailable());
}

void ClipboardCommands::UndoDelete() {
  bool restored;
  {
    WaitCursor wait;
    restored = core_.UndoDelete();
  }
  if (restored) Edited();
  emit UndoChanged(core_.UndoAvailable());
}

void ClipboardCommands::ForgetUndo() {
  core_.ForgetUndo();
  emit UndoChanged(false);
}

void ClipboardCommands::SelectAll() {
  tolmek::SelectAll(window_.GetProject());
  window_.RefreshAll();
}

void ClipboardCommands::Search() {
  TDialogSuchen dialog(window_.GetProject().Messages.CurrentLanguage(), &window_);
  if (!RunDialog(dialog)) return;
  SearchFor(dialog.SearchText());
}

std::vector<TBauteil*> ClipboardCommands::SearchFor(const QString& text) {
  std::vector<TBauteil*> found = SearchElements(window_.GetProject(), text.toStdString());
  for (TBauteil* e : found) CentreOn(*e);
  window_.RefreshAll();
  return found;
}

void ClipboardCommands::CentreOn(const TBauteil& e) {
  window_.ShowPage(e.Page);
  TWorkWindow* page = window_.PageWindow(e.Page);
  if (!page) return;
  const QPoint at = page->PlanToDevice({e.X - page->ScrollX(), e.Y - page->ScrollY()});
  const QSize view = page->viewport()->size();
  page->horizontalScrollBar()->setValue(page->horizontalScrollBar()->value() + at.x() - view.width() / 2);
  page->verticalScrollBar()->setValue(page->verticalScrollBar()->value() + at.y() - view.height() / 2);
  page->Invalidate();
}

void ClipboardCommands::ObjectOrder() {
  tolmek::ObjectOrder order(window_.GetProject());
  TDialogObRf dialog(order, window_.GetProject().Messages.CurrentLanguage(), &window_);
  RunDialog(dialog);
  order.Finish();
  Edited();
}

}  // namespace tolmek
