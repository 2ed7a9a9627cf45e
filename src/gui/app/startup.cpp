// The program's start: language, main window, the project and page windows of the last session.
#include "gui/app/startup.h"

#include <QApplication>
#include <QFileInfo>
#include <QScreen>

#include "gui/app/app_settings.h"
#include "gui/app/dialog_lang.h"
#include "gui/app/help_window.h"
#include "gui/app/lang.h"
#include "gui/app/main_form.h"
#include "gui/message_box_sink.h"
#include "settings/settings.h"

namespace tolmek {

int EnsureLanguage(IniFile& ini, const std::function<int()>& ask) {
  int lang = ReadEntryLanguage(ini);
  if (lang != 0) return lang;
  lang = ask();
  if (lang < 1 || lang > 3) lang = 2;
  WriteLanguage(ini, lang);
  SaveAppSettings(ini);
  return lang;
}

QStringList AbsoluteArguments(const std::vector<std::string>& args) {
  QStringList out;
  for (size_t i = 1; i < args.size(); ++i) out << QFileInfo(QString::fromLocal8Bit(args[i].c_str())).absoluteFilePath();
  return out;
}

int RunMainForm(const std::vector<std::string>& args) {
  const QStringList arguments = AbsoluteArguments(args);
  IniFile ini = LoadAppSettings();
  const int lang = EnsureLanguage(ini, [] { return AskLanguage(); });
  QApplication::setApplicationDisplayName(ProgramTitle());

  QtMessageSink sink;
  Messenger messages(&sink, LanguageFromIndex(lang));
  Project project(messages);
  Environment env;
  TMainForm form(project, env, ini);
  sink.SetParent(&form);
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    form.move(screen->availableGeometry().center() - form.rect().center());
  form.show();
  form.Started(arguments);
  return QApplication::exec();
}

}  // namespace tolmek
