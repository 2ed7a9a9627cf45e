// The help window and the about box.
#include "gui/app/help_window.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "gui/app/lang.h"
#include "gui/app/main_form_texts.h"

namespace tolmek {

namespace {

struct HelpFile {
  Language lang;
  const char* name;  // the name the settings and manuals use
  const char* page;  // our HTML page
};
constexpr HelpFile kHelpFiles[] = {
    {Language::German, "TOLMEKDE.HLP", "tolmek_de.html"},
    {Language::English, "TOLMEKUS.HLP", "tolmek_us.html"},
    {Language::Italian, "TOLMEKIT.HLP", "tolmek_it.html"},
};

const HelpFile& FileOf(Language lang) {
  for (const HelpFile& f : kHelpFiles)
    if (f.lang == lang) return f;
  return kHelpFiles[0];
}

}  // namespace

const char* HelpFileName(Language lang) { return FileOf(lang).name; }

QString HelpPagePath(Language lang) {
  const QString page = QString::fromLatin1(FileOf(lang).page);
  QStringList roots;
  if (const QByteArray dir = qgetenv("TOLMEK_HELP_DIR"); !dir.isEmpty()) roots << QString::fromLocal8Bit(dir);
  QDir up(QCoreApplication::applicationDirPath());
  for (int level = 0; level < 6; ++level) {
    roots << up.filePath("docs/help") << up.filePath("share/tolmek/help");
    if (!up.cdUp()) break;
  }
  for (const QString& root : roots) {
    const QFileInfo candidate(QDir(root).filePath(page));
    if (candidate.isFile()) return candidate.absoluteFilePath();
  }
  return {};
}

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent) {
  setObjectName("HelpWindow");
  setAttribute(Qt::WA_DeleteOnClose);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  browser_ = new QTextBrowser(this);
  browser_->setOpenExternalLinks(true);
  layout->addWidget(browser_);
  resize(720, 640);
}

void HelpWindow::ShowLanguage(Language lang, const QString& anchor) {
  setWindowTitle(TableText(MainTexts(), "HelpTitle", lang));
  path_ = HelpPagePath(lang);
  if (path_.isEmpty()) {
    browser_->setPlainText(TableText(MainTexts(), "HelpMissing", lang) + " " + FileOf(lang).page);
    return;
  }
  QUrl url = QUrl::fromLocalFile(path_);
  if (!anchor.isEmpty()) url.setFragment(anchor);
  browser_->setSource(url);
}

QString ProgramTitle() { return QStringLiteral("Tolmek V3.43"); }

void ShowAboutBox(QWidget* parent, Language lang) {
  QMessageBox box(parent);
  box.setObjectName("AboutBox");
  box.setWindowTitle(TableText(MainTexts(), "AboutTitle", lang));
  box.setText("<b>" + ProgramTitle() + "</b>");
  box.setInformativeText(TableText(MainTexts(), "About", lang));
  box.setStandardButtons(QMessageBox::Ok);
  box.exec();
}

}  // namespace tolmek
