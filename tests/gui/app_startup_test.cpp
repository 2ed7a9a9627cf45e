// Start-up and exit: the language at the first start, captions per language, the project and the page
// windows of the last session, and the settings written at exit.
#include <QLabel>
#include <QMenu>
#include <QRadioButton>
#include <QTimer>

#include "app_support.h"
#include "gui/app/dialog_lang.h"
#include "gui/app/dialog_pic.h"
#include "gui/app/help_window.h"
#include "gui/app/startup.h"

namespace tolmek::test {
namespace {

TEST_F(AppTest, FirstStartAsksTheLanguageWithTheSystemsChosenAndStoresItWhenClosed) {
  IniFile ini = LoadAppSettings();
  ASSERT_TRUE(ini.Empty());
  QString title, germanItem;
  bool anyChecked = true;
  const int lang = EnsureLanguage(ini, [&] {
    // The dialog is modal: look at it once it shows, then close it with its close box.
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<TDialogLang*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      title = dialog->windowTitle();
      germanItem = dialog->findChild<QRadioButton*>("Item1")->text();
      anyChecked = false;
      for (auto* item : dialog->findChildren<QRadioButton*>()) anyChecked = anyChecked || item->isChecked();
      dialog->close();
    });
    return AskLanguage();
  });
  // The system's language is chosen already; closing keeps it.
  const int system = LanguageOfLocale(QLocale::system());
  if (system == 2) {
    EXPECT_EQ(title, "Choose language");
    EXPECT_EQ(germanItem, "&German");
  }
  EXPECT_TRUE(anyChecked);
  EXPECT_EQ(lang, system);
  EXPECT_EQ(LoadAppSettings().ReadInt("Language", "Lang", 0), system);
  // Asked once only: the next start finds the language.
  EXPECT_EQ(EnsureLanguage(ini, [] { return 1; }), system);
}

TEST_F(AppTest, PickingALanguageRelabelsTheDialogAtOnce) {
  TDialogLang dialog;
  dialog.Choose(3);
  EXPECT_EQ(dialog.windowTitle(), "Lingua ( scelta )");
  EXPECT_EQ(dialog.findChild<QRadioButton*>("Item3")->text(), "I&taliano");
  dialog.Choose(1);
  EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("Sprache auswählen"));
  EXPECT_EQ(dialog.LanguageIndex(), 1);
}

TEST_F(AppTest, LanguageThreeGivesItalianCaptionsEverywhere) {
  Settings("[Language]\nLang=3\n");
  Start();
  EXPECT_EQ(form->Menu("Datei")->title(), "&File");
  EXPECT_EQ(form->Action("DateiNeu")->text(), "&Nuovo");
  EXPECT_EQ(form->Action("Drucken")->text(), "Stam&pa");
  EXPECT_EQ(form->Action("Ausschneiden")->text(), "&Taglia");
  EXPECT_EQ(form->Action("SpeedButton1")->toolTip(), "Porta AND, OR ed EXOR");
  EXPECT_EQ(form->findChild<QLabel*>("Panel6")->text(), "Aggiorna");
  ASSERT_NE(form->PageWindow(0), nullptr);
  EXPECT_EQ(form->PageWindow(0)->windowTitle(), "Seleziona- Pagina 1");
  EXPECT_EQ(project->Messages.CurrentLanguage(), Language::Italian);
  EXPECT_STREQ(HelpFileName(env->Lang), "TOLMEKIT.HLP");
  TDialogPIC pic(project->Mcu, true, project->Messages);
  EXPECT_EQ(pic.windowTitle(), "Impostazioni processore");
}

TEST_F(AppTest, EnglishAndGermanCaptionsOfTheMenuTree) {
  Settings("[Language]\nLang=1\n");
  Start();
  EXPECT_EQ(form->Menu("Datei")->title(), "&Datei");
  EXPECT_EQ(form->Action("DateiOeffnen")->text(), QString::fromUtf8("Ö&ffnen..."));
  EXPECT_EQ(form->Action("SpeedButton21")->toolTip(), "Simulation Ein / Aus");
  EXPECT_EQ(form->Caption(), "Tolmek - [NONAME.PIC]");
  Exit();
  Settings("[Language]\nLang=2\n");
  Start();
  EXPECT_EQ(form->Action("DateiBeenden")->text(), "E&xit");
  EXPECT_EQ(form->Action("DateiBeenden")->shortcut(), QKeySequence("Alt+F4"));
  EXPECT_EQ(form->Action("Build1")->shortcut(), QKeySequence("F10"));
  EXPECT_EQ(form->Action("Inhalt")->shortcut(), QKeySequence("F1"));
  EXPECT_EQ(form->Action("SpeedButton5")->toolTip(), "Simple counter");
}

TEST_F(AppTest, PagesOpenAtExitReappearAtTheirPlacesAndNoOthers) {
  Settings("[Umgebung]\nAutoFenster=0\n[Windows]\nWindowOpen6=1\n");
  Start();
  ASSERT_NE(form->PageWindow(6), nullptr);  // open at the session before
  form->SubWindowOfPage(6)->close();
  form->ShowPage(3);
  ASSERT_NE(form->SubWindowOfPage(0), nullptr);
  ASSERT_NE(form->SubWindowOfPage(3), nullptr);
  form->SubWindowOfPage(0)->setGeometry(10, 20, 400, 300);
  form->SubWindowOfPage(3)->setGeometry(420, 30, 350, 250);
  ASSERT_TRUE(Exit());

  const IniFile ini = LoadAppSettings();
  for (int n = 0; n < 10; ++n)
    EXPECT_EQ(ini.ReadInt("Windows", "WindowOpen" + std::to_string(n), -1), (n == 0 || n == 3) ? 1 : 0) << n;

  Start();
  for (int n = 0; n < 10; ++n) EXPECT_EQ(form->PageWindow(n) != nullptr, n == 0 || n == 3) << n;
  EXPECT_EQ(form->SubWindowOfPage(0)->geometry(), QRect(10, 20, 400, 300));
  EXPECT_EQ(form->SubWindowOfPage(3)->geometry(), QRect(420, 30, 350, 250));
}

TEST_F(AppTest, TheLastProjectReopensAndTwoArgumentsAreIgnored) {
  const QString last = File("last.pic"), other = File("other.pic");
  MakePlan(last, {0});
  MakePlan(other, {0, 1});
  Settings("[Recent]\nLastFile=" + last.toStdString() + "\n");
  Start({other, last});
  EXPECT_EQ(QString::fromStdString(project->ProjectFileName), last);
  EXPECT_EQ(project->Elements().size(), 1u);
  EXPECT_EQ(form->Caption(), "Tolmek - [" + last + "]");
  // The working folder follows an automatically reopened project.
  EXPECT_EQ(QDir::currentPath(), QFileInfo(last).absolutePath());
  Exit();

  Start({other});
  EXPECT_EQ(QString::fromStdString(project->ProjectFileName), other);
  EXPECT_EQ(project->Elements().size(), 2u);
  Exit();
  EXPECT_EQ(QString::fromStdString(LoadAppSettings().ReadString("Recent", "LastFile")), other);
}

TEST_F(AppTest, AMissingLastProjectLeavesANewOneWithMessageSeven) {
  Settings("[Recent]\nLastFile=" + File("gone/none.pic").toStdString() + "\n");
  Start();
  EXPECT_EQ(project->ProjectFileName, "NONAME.PIC");
  EXPECT_EQ(sink.Numbers(), (std::vector<int>{6, 7}));
  EXPECT_NE(form->PageWindow(0), nullptr);
}

TEST_F(AppTest, ARelativeArgumentIsMadeAbsoluteAgainstTheStartingFolder) {
  QDir::setCurrent(files.path());
  const QStringList args = AbsoluteArguments({"tolmek", "plans/a.pic"});
  ASSERT_EQ(args.size(), 1);
  EXPECT_EQ(args[0], QDir(files.path()).absoluteFilePath("plans/a.pic"));
}

TEST_F(AppTest, ExitWritesTheEnvironmentBackAndClampsWhatItRead) {
  Settings("[Simulator]\nSimRate=0\n[Language]\nLang=9\n[Umgebung]\nGrid=1\nOptimize=0\n");
  Start();
  EXPECT_EQ(form->CurrentSettings().SimRate, 1);
  EXPECT_EQ(env->Lang, Language::Italian);
  EXPECT_FALSE(project->Options.Optimise);
  form->Action("SpeedButton9")->trigger();  // hide the grid
  EXPECT_FALSE(env->ShowGrid);
  EXPECT_TRUE(form->Action("SpeedButton20")->isChecked());  // the twin shows it too
  ASSERT_TRUE(Exit());
  const IniFile ini = LoadAppSettings();
  EXPECT_EQ(ini.ReadInt("Simulator", "SimRate", 0), 1);
  EXPECT_EQ(ini.ReadInt("Language", "Lang", 0), 3);
  EXPECT_EQ(ini.ReadInt("Umgebung", "Grid", -1), 0);
  EXPECT_EQ(ini.ReadInt("Umgebung", "Optimize", -1), 0);
  EXPECT_EQ(ini.ReadInt("Colors", "LineColor", -1), 65535);
  EXPECT_EQ(ini.ReadString("Tools", "Assembler"), tolmek::Settings{}.Assembler);
}

}  // namespace
}  // namespace tolmek::test
