// The main window's commands: tool bars and the component group, enabling rules, the unsaved-changes
// question, saving, the status bar, arrangement and help.
#include <QActionGroup>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QTextBrowser>
#include <QToolBar>

#include "app_support.h"
#include "components/registry.h"
#include "components/rsff.h"
#include "gui/app/help_window.h"
#include "gui/app/lang.h"
#include "gui/missing_names.h"

namespace tolmek::test {
namespace {

TEST_F(AppTest, PressingASecondComponentButtonLeavesOnlyItDownAndPlacesItsKind) {
  Start();
  QAction* gate = form->Action("SpeedButton1");
  QAction* flipFlop = form->Action("SpeedButton2");
  gate->trigger();
  EXPECT_EQ(form->State().PlaceKind, kind::Gatter);
  flipFlop->trigger();
  EXPECT_FALSE(gate->isChecked());
  EXPECT_TRUE(flipFlop->isChecked());
  EXPECT_EQ(form->State().PlaceKind, kind::Rsff);

  TWorkWindow* page = form->PageWindow(0);
  ASSERT_NE(page, nullptr);
  QTest::mouseClick(page->viewport(), Qt::LeftButton, {}, page->PlanToDevice({200, 200}));
  ASSERT_EQ(project->Elements().size(), 1u);
  EXPECT_EQ(project->Elements()[0]->Kind, kind::Rsff);

  flipFlop->trigger();  // pressing the down button again raises it
  EXPECT_FALSE(flipFlop->isChecked());
  EXPECT_EQ(form->State().PlaceKind, 0);

  form->Action("SpeedButton17")->trigger();
  QTest::keyClick(page, Qt::Key_Escape);  // leaving placing mode raises every button
  for (QAction* a : form->ToolBarPanel(0)->actions()) EXPECT_FALSE(a->isCheckable() && a->isChecked() && a->data().isValid());
  EXPECT_EQ(form->State().PlaceKind, 0);
}

TEST_F(AppTest, BothToolBarsAreBuiltFromTheKindList) {
  Start();
  int buttons = 0;
  for (const KindInfo& k : AllKinds()) {
    if (k.toolBar == ToolBar::None) continue;
    SCOPED_TRACE(k.className);
    const int panel = k.toolBar == ToolBar::First ? 0 : 1;
    QAction* a = form->ComponentButton(k.code, panel);
    ASSERT_NE(a, nullptr);
    ++buttons;
    EXPECT_EQ(a->objectName(), k.button);
    EXPECT_EQ(form->ComponentButton(k.code, 1 - panel), nullptr);
    // A kind that is not built yet keeps its place, greyed.
    EXPECT_EQ(a->isEnabled(), k.Built());
    EXPECT_EQ(a->toolTip(), QString::fromUtf8(k.Hint(2)));
  }
  EXPECT_EQ(buttons, kind::Last - kind::First);  // every list kind but the junction node
  for (const KindInfo& k : KnownKinds())
    if (k.toolBar != ToolBar::None) EXPECT_TRUE(form->ComponentButton(k.code)->isEnabled()) << k.className;
}

TEST_F(AppTest, OnePanelAtATimeAndBothRepeatTheViewButtons) {
  Start();
  EXPECT_TRUE(form->ToolBarPanel(0)->isVisible());
  EXPECT_FALSE(form->ToolBarPanel(1)->isVisible());
  EXPECT_EQ(form->ToolBarPanel(0)->height(), 41);
  form->Action("SpeedButton19")->trigger();
  EXPECT_FALSE(form->ToolBarPanel(0)->isVisible());
  EXPECT_TRUE(form->ToolBarPanel(1)->isVisible());
  EXPECT_NE(form->ComponentButton(kind::Udata, 1), nullptr);
  form->Action("SpeedButton23")->trigger();  // connection points, from the second panel
  EXPECT_FALSE(env->ShowNodes);
  EXPECT_FALSE(project->Options.ShowNodes);
  EXPECT_TRUE(form->Action("SpeedButton10")->isChecked());
  form->Action("SpeedButton36")->trigger();  // zoom in, second panel
  EXPECT_EQ(form->PageWindow(0)->Zoom(), 2250);
  form->Action("SpeedButton32")->trigger();
  EXPECT_EQ(form->PageWindow(0)->Zoom(), 3000);
  form->Action("SpeedButton18")->trigger();
  EXPECT_TRUE(form->ToolBarPanel(0)->isVisible());
}

TEST_F(AppTest, CloseSaveAndArrangementNeedAChildWindow) {
  Start();
  EXPECT_TRUE(form->Action("DateiSchliessen")->isEnabled());
  EXPECT_TRUE(form->Action("DateiSpeichern")->isEnabled());
  EXPECT_TRUE(form->Action("WindowTileItem")->isEnabled());
  form->Action("DateiSchliessen")->trigger();
  QApplication::processEvents();
  EXPECT_EQ(form->PageWindow(0), nullptr);
  EXPECT_FALSE(form->Action("DateiSchliessen")->isEnabled());
  EXPECT_FALSE(form->Action("DateiSpeichernUnter")->isEnabled());
  EXPECT_FALSE(form->Action("WindowMinimizeItem")->isEnabled());
  EXPECT_TRUE(form->Action("DateiNeu")->isEnabled());
  // A command wired by another window runs from its item.
  bool ran = false;
  form->WireAction("Seite1", [&] { ran = true; });
  form->Action("Seite1")->trigger();
  EXPECT_TRUE(ran);
  form->Action("Seite10")->trigger();
  ASSERT_NE(form->PageWindow(9), nullptr);
  EXPECT_TRUE(form->PageWindow(9)->windowTitle().endsWith(" 10"));
  EXPECT_TRUE(form->Action("DateiSchliessen")->isEnabled());
}

// The connections of a signal, which QObject shows only to itself and its subclasses.
struct Connections : QObject {
  static int Of(const QObject& object, const char* signal) { return (object.*&Connections::receivers)(signal); }
};

// The handlers of an action beyond what its menu or tool bar (and group) connect to every action they hold.
int Handlers(QAction& action, QWidget& holder) {
  QAction probe;
  QActionGroup group(nullptr);
  holder.addAction(&probe);
  if (action.actionGroup()) group.addAction(&probe);
  const int held = Connections::Of(probe, SIGNAL(triggered(bool)));
  holder.removeAction(&probe);
  return Connections::Of(action, SIGNAL(triggered(bool))) - held;
}

TEST_F(AppTest, EveryMenuItemAndToolButtonRunsAHandler) {
  Start();
  std::vector<std::pair<QAction*, QWidget*>> items;
  std::function<void(QWidget&)> walk = [&](QWidget& holder) {
    for (QAction* a : holder.actions()) {
      if (a->isSeparator()) continue;
      if (QMenu* sub = a->menu())
        walk(*sub);
      else
        items.emplace_back(a, &holder);
    }
  };
  walk(*form->menuBar());
  const size_t menuItems = items.size();
  walk(*form->ToolBarPanel(0));
  walk(*form->ToolBarPanel(1));
  EXPECT_GE(menuItems, 46u);
  EXPECT_GE(items.size() - menuItems, 40u);
  // The count tells an item without a handler from one with.
  QAction bare, wired;
  form->Menu("Datei")->addAction(&bare);
  form->Menu("Datei")->addAction(&wired);
  QObject::connect(&wired, &QAction::triggered, [] {});
  EXPECT_EQ(Handlers(bare, *form->Menu("Datei")), 0);
  EXPECT_EQ(Handlers(wired, *form->Menu("Datei")), 1);
  form->Menu("Datei")->removeAction(&bare);
  form->Menu("Datei")->removeAction(&wired);
  for (auto [action, holder] : items)
    EXPECT_GT(Handlers(*action, *holder), 0) << action->objectName().toStdString() << " in "
                                             << holder->objectName().toStdString();
}

TEST_F(AppTest, AnythingWiredOrLabelledByAMissingNameIsReported) {
  Start();
  for (Language lang : {Language::German, Language::Italian, Language::English}) form->SetLanguageCaptions(lang);
  EXPECT_TRUE(MissingNames().isEmpty()) << MissingNames().join(", ").toStdString();

  bool ran = false;
  form->WireAction("DateiDrucken", [&] { ran = true; });
  const Caption rows[] = {{"Speedbutton1", "G", "E", "I"}};
  ApplyCaptions(*form, rows, Language::English);
  ApplyHints(*form, rows, Language::English);
  EXPECT_EQ(MissingNames(), (QStringList{"action: DateiDrucken", "caption: Speedbutton1", "hint: Speedbutton1"}));
  EXPECT_FALSE(ran);
  ForgetMissingNames();
}

TEST_F(AppTest, CancelInTheUnsavedQuestionCancelsNewOpenAndExit) {
  const QString plan = File("plan.pic");
  MakePlan(plan, {0});
  Start();
  project->CreateElement(kind::Gatter, 100, 100);
  project->Saved = false;
  sink.answer = Answer::Cancel;
  form->DateiNeuClick();
  EXPECT_EQ(project->Elements().size(), 1u);
  EXPECT_FALSE(form->DateiOeffnen(plan));
  EXPECT_EQ(project->ProjectFileName, "NONAME.PIC");
  EXPECT_FALSE(Exit());
  ASSERT_NE(form, nullptr);
  const std::vector<int> asked = sink.Numbers();
  EXPECT_EQ(std::count(asked.begin(), asked.end(), 4), 3);

  // Yes whose save is cancelled (no name chosen) cancels too.
  sink.answer = Answer::Yes;
  form->ChooseSaveFile = [](const QString&, const QString&) { return QString(); };
  form->DateiNeuClick();
  EXPECT_EQ(project->Elements().size(), 1u);

  // No discards and goes on.
  sink.answer = Answer::No;
  form->DateiNeuClick();
  EXPECT_TRUE(project->Elements().empty());
  EXPECT_NE(form->PageWindow(0), nullptr);
}

TEST_F(AppTest, YesSavesUnderTheChosenNameBeforeNew) {
  Start();
  project->CreateElement(kind::Gatter, 100, 100);
  project->Saved = false;
  sink.answer = Answer::Yes;
  QString suggested;
  form->ChooseSaveFile = [&](const QString& s, const QString&) {
    suggested = s;
    return File("saved");  // no extension: ".pic" is added
  };
  form->DateiNeuClick();
  EXPECT_TRUE(suggested.endsWith("NONAME.PIC"));
  EXPECT_TRUE(QFileInfo::exists(File("saved.pic")));
  EXPECT_TRUE(project->Elements().empty());
  EXPECT_EQ(project->ProjectFileName, "NONAME.PIC");

  // The saved plan opens again through the open dialog.
  form->ChooseOpenFile = [&](const QString&, const QString& filter) {
    EXPECT_TRUE(filter.startsWith("Tolmek (*.pic)"));
    return File("saved.pic");
  };
  EXPECT_TRUE(form->DateiOeffnen());
  EXPECT_EQ(project->Elements().size(), 1u);
  EXPECT_TRUE(project->Saved);
  EXPECT_EQ(form->Caption(), "Tolmek - [" + File("saved.pic") + "]");
}

TEST_F(AppTest, SaveAsIntoAFolderThatCannotBeWrittenKeepsTheOldName) {
  Start();
  project->CreateElement(kind::Gatter, 100, 100);
  form->ChooseSaveFile = [&](const QString&, const QString&) { return File("no/such/folder/x.pic"); };
  EXPECT_FALSE(form->DateiSpeichernUnterClick());
  EXPECT_EQ(project->ProjectFileName, "NONAME.PIC");
  EXPECT_EQ(sink.Numbers(), std::vector<int>{5});
}

TEST_F(AppTest, TheStatusBarShowsTheProcessorAndTheGauges) {
  Start();
  EXPECT_EQ(form->ProcessorSummary(), " PIC16F84-POT-PBPU");
  EXPECT_EQ(form->findChild<QLabel*>("Panel5")->text(), " PIC16F84-POT-PBPU");
  EXPECT_EQ(form->RamBar().maximum(), 68);
  EXPECT_EQ(form->RamBar().toolTip(), QString("RAM: %1 (68)").arg(form->GetAnalysis().RamUsed()));
  EXPECT_EQ(form->RomBar().maximum(), 1024);
  project->Mcu.Watchdog = true;
  project->Mcu.CodeProtect = true;
  project->Mcu.BrownOut = true;
  form->RefreshStatus();
  EXPECT_EQ(form->ProcessorSummary(), " PIC16F84-WDT-POT-PBPU-BOD-CP");
  form->RefreshRom();
  EXPECT_GT(form->RomBar().value(), 0);
  EXPECT_TRUE(form->RomBar().toolTip().startsWith("ROM: "));
  EXPECT_TRUE(form->RomBar().styleSheet().contains("red"));
}

TEST_F(AppTest, ThePointersHintGoesToTheHintLine) {
  Start();
  QAction* grid = form->Action("SpeedButton9");
  grid->showStatusText(form.get());
  EXPECT_EQ(form->StatusLineText(), "Show Grid");
}

TEST_F(AppTest, WithOnlyPageOneOpenAutomaticArrangementMaximisesItAfterAResize) {
  Start();
  QMdiSubWindow* sub = form->SubWindowOfPage(0);
  ASSERT_NE(sub, nullptr);
  sub->showNormal();
  form->resize(900, 650);
  QApplication::processEvents();
  EXPECT_TRUE(sub->isMaximized());
  form->ShowPage(2);
  QMdiSubWindow* other = form->SubWindowOfPage(2);
  other->showNormal();
  other->setGeometry(30, 40, 300, 200);
  form->ArrangeWindows();  // other page windows keep their places
  EXPECT_EQ(other->geometry(), QRect(30, 40, 300, 200));
}

TEST_F(AppTest, HelpOpensThePageOfTheLanguage) {
  Settings("[Language]\nLang=1\n");
  Start();
  form->Action("Inhalt")->trigger();
  auto* help = form->findChild<HelpWindow*>();
  ASSERT_NE(help, nullptr);
  EXPECT_TRUE(help->PagePath().endsWith("tolmek_de.html"));
  EXPECT_TRUE(help->Browser().toPlainText().contains("Simulation"));
}

}  // namespace
}  // namespace tolmek::test

namespace tolmek::test {
namespace {

TEST_F(AppTest, CaptionsLeaveTheSameNamedControlsOfChildWindowsAlone) {
  Start();
  auto* inner = new QWidget;
  auto* innerMenu = new QMenu("&Mine", inner);
  innerMenu->setObjectName("Datei");
  auto* innerAction = new QAction("mine", inner);
  innerAction->setObjectName("DateiNeu");
  form->Area().addSubWindow(inner)->show();
  form->SetLanguageCaptions(Language::German);
  EXPECT_EQ(innerMenu->title(), "&Mine");
  EXPECT_EQ(innerAction->text(), "mine");
  EXPECT_EQ(FindOwn<QMenu>(*form, "Datei")->title(), "&Datei");
}

}  // namespace
}  // namespace tolmek::test

namespace tolmek::test {
namespace {

QMdiSubWindow* AddNamedWindow(TMainForm& form, const char* name) {
  auto* w = new QWidget;
  w->setObjectName(name);
  QMdiSubWindow* sub = form.Area().addSubWindow(w);
  sub->show();
  return sub;
}

TEST_F(AppTest, SpecialArrangementLeavesTheWindowsAloneWhileTheErrorWindowIsOpen) {
  Settings("[Umgebung]\nAutoFenster=0\n");
  Start();
  QMdiSubWindow* first = form->SubWindowOfPage(0);
  first->showNormal();
  first->setGeometry(5, 5, 200, 150);
  QMdiSubWindow* errors = AddNamedWindow(*form, "TEWindow");
  form->Action("Spezial1")->trigger();
  EXPECT_EQ(first->geometry(), QRect(5, 5, 200, 150));
  errors->close();
  delete errors;

  // With the variable window: it takes the right edge, page 1 the rest.
  QMdiSubWindow* variables = AddNamedWindow(*form, "TVarWindow");
  form->Action("Spezial1")->trigger();
  const QSize area = form->Area().viewport()->size();
  EXPECT_EQ(variables->geometry(), QRect(area.width() - 174, 0, 170, area.height()));
  EXPECT_EQ(first->geometry(), QRect(0, 0, area.width() - 174, area.height()));
  EXPECT_FALSE(first->isMaximized());
}

}  // namespace
}  // namespace tolmek::test

namespace tolmek::test {
namespace {

TEST_F(AppTest, WindowsAddedByOtherPartsHearOfTheLanguage) {
  Start();
  Language heard = Language::English;
  form->LanguageChanged.push_back([&](Language l) { heard = l; });
  form->SetLanguageCaptions(Language::Italian);
  EXPECT_EQ(heard, Language::Italian);
  EXPECT_EQ(form->Action("Inhalt")->text(), "&Sommario");
}

}  // namespace
}  // namespace tolmek::test
