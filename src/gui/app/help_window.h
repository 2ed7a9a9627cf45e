// The help pages of the program (one HTML page per language) and the about box.
#pragma once

#include <QDialog>
#include <QString>

#include "model/messages.h"

class QTextBrowser;

namespace tolmek {

// The help file names per language, as the settings and the documentation name them.
[[nodiscard]] const char* HelpFileName(Language lang);
// The path of the language's help page, searched beside the program and up its folders
// (docs/help/ in the source tree, share/tolmek/help/ when installed); empty when none is found.
[[nodiscard]] QString HelpPagePath(Language lang);

class HelpWindow final : public QDialog {
  Q_OBJECT

 public:
  explicit HelpWindow(QWidget* parent = nullptr);
  // Shows the page of the language, at `anchor` when given.
  void ShowLanguage(Language lang, const QString& anchor = {});
  [[nodiscard]] QTextBrowser& Browser() const { return *browser_; }
  [[nodiscard]] const QString& PagePath() const { return path_; }

 private:
  QTextBrowser* browser_;
  QString path_;
};

// The about box: program name and version.
void ShowAboutBox(QWidget* parent, Language lang);
// "Tolmek V3.43".
[[nodiscard]] QString ProgramTitle();

}  // namespace tolmek
