// InstallCommands: the menu items of the build and editing commands, and their settings.
#include "gui/build/install_commands.h"

#include <QMenu>
#include <QStandardPaths>

#include "gui/app/app_settings.h"
#include "gui/app/main_form.h"
#include "gui/build/build_commands.h"
#include "gui/build/verify_commands.h"
#include "gui/edit/clipboard_commands.h"
#include "settings/ini_file.h"

namespace tolmek {

namespace {

// A settings file from the other platform names an assembler this one does not have; gputils' is used then.
std::string UsableAssembler(const std::string& stored) {
  if (stored.empty()) return kDefaultAssembler;
  if (EqualNoCase(stored, "mpasmwin.exe") && QStandardPaths::findExecutable(QString::fromStdString(stored)).isEmpty())
    return kDefaultAssembler;
  return stored;
}

}  // namespace

InstalledCommands InstallCommands(TMainForm& form, const std::filesystem::path& folder) {
  InstalledCommands c;
  c.Build = new BuildCommands(form.Area(), form.GetProject(), form.GetAnalysis(), &form);
  c.Edit = new ClipboardCommands(form, folder.string());
  BuildCommands& b = *c.Build;
  ClipboardCommands& e = *c.Edit;

  const Settings& s = form.CurrentSettings();
  b.Programs.Assembler = UsableAssembler(s.Assembler);
  b.Programs.Editor = s.Editor;
  b.Tools = s.Tools;

  form.WireAction("DateiQuelltextspeichern", [&b] { b.SaveSource(); });
  form.WireAction("DateiQuelltextspeichernunter", [&b] { b.SaveSourceAs(); });
  form.WireAction("Build1", [&b] { b.Build(); });
  form.WireAction("Tools2", [&b] { b.ProgramsDialog(); });
  form.WireAction("Tools3", [&b] { b.ToolsDialog(); });
  form.WireAction("FensterQuelltext", [&b] { b.ShowSourceWindow(); });
  form.WireAction("FensterVariable", [&b] { b.ShowVariableWindow(); });
  form.WireAction("Wiederherstellen1", [&e] { e.UndoDelete(); });
  form.WireAction("MarkAll", [&e] { e.SelectAll(); });
  form.WireAction("Kopieren1", [&e] { e.Copy(); });
  form.WireAction("Einfgen1", [&e] { e.Paste(); });
  form.WireAction("Ausschneiden", [&e] { e.Cut(); });
  form.WireAction("Lschen1", [&e] { e.Delete(); });
  form.WireAction("Suchen1", [&e] { e.Search(); });
  form.WireAction("Objektreihenfolge1", [&e] { e.ObjectOrder(); });

  auto* v = c.Verify = new VerifyCommands(form, b);
  v->CentreOn = [&e](const TBauteil& element) { e.CentreOn(element); };
  form.WireAction("ChipPruefen1", [v] { v->Start(); });
  form.VerifyAvailable = [v] { return !v->Running(); };
  QObject::connect(v, &VerifyCommands::RunningChanged, &form, [&form] { form.RefreshMenus(); });

  if (QMenu* tools = form.Menu("Tools1")) b.FillToolsMenu(*tools);
  form.AfterEdit.push_back([&b] { b.PlanChanged(); });
  form.UndoAvailable = [&e] { return e.UndoAvailable(); };
  form.ProjectRenewed = [&e, &b, v] {
    e.ForgetUndo();
    b.ProjectRenewed();
    v->ProjectRenewed();
  };
  form.LanguageChanged.push_back([&b, v](Language lang) {
    b.SetLanguage(lang);
    v->SetLanguage(lang);
  });

  QObject::connect(&e, &ClipboardCommands::UndoChanged, &form, [&form] { form.RefreshMenus(); });
  QObject::connect(&b, &BuildCommands::WindowsChanged, &form, [&form] { form.RefreshMenus(); });
  QObject::connect(&b, &BuildCommands::BuildFinished, &form, [&form] { form.RefreshStatus(); });
  QObject::connect(&b, &BuildCommands::ProgramsChanged, &form, [&form, &b] {
    form.MutableSettings().Assembler = b.Programs.Assembler;
    form.MutableSettings().Editor = b.Programs.Editor;
  });
  QObject::connect(&b, &BuildCommands::ToolsChanged, &form, [&form, &b] {
    form.MutableSettings().Tools = b.Tools;
    // The tools keep their own keys in the settings file, written as soon as they change.
    IniFile ini = LoadAppSettings();
    WriteTools(ini, b.Tools);
    SaveAppSettings(ini);
    if (QMenu* tools = form.Menu("Tools1")) b.FillToolsMenu(*tools);
  });
  form.RefreshMenus();
  return c;
}

}  // namespace tolmek
