// The password dialog as the project reader's prompt.
#include "gui/app/password_prompt.h"

#include <QApplication>

#include "gui/app/dialog_projekt.h"

namespace tolmek {

std::optional<std::string> DialogPasswordPrompt::AskPassword() {
  TDialogPasswort dialog(messages_.CurrentLanguage(), parent_);
  // The reader shows the wait cursor; the dialog needs the normal one.
  const bool waiting = QApplication::overrideCursor() != nullptr;
  if (waiting) QApplication::restoreOverrideCursor();
  const bool ok = dialog.exec() == QDialog::Accepted;
  if (waiting) QApplication::setOverrideCursor(Qt::WaitCursor);
  if (!ok) return std::nullopt;
  return dialog.Text().toStdString();  // texts inside the program are UTF-8, as the file reader gives them
}

}  // namespace tolmek
