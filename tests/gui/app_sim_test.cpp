// The simulation on screen: the twin buttons, the timer in page window 1, locked menus and windows,
// clicks that toggle, the abort path and the per-element redraw.
#include <QMenu>
#include <QElapsedTimer>
#include <QTimer>

#include "app_support.h"
#include "components/gatter.h"
#include "gui/app/sim_overlay.h"

namespace tolmek::test {
namespace {

class SimTest : public AppTest {
 protected:
  void StartWithGate() {
    Start();
    gate = static_cast<TObjGatter*>(project->CreateElement(kind::Gatter, 200, 200));
    gate->InputCount = 1;
    form->RefreshAll();
    QApplication::processEvents();
  }
  QAction* On() const { return form->Action("SpeedButton21"); }
  QAction* Twin() const { return form->Action("SpeedButton22"); }
  TObjGatter* gate = nullptr;
};

TEST_F(SimTest, WithoutPageWindowOneTheButtonDoesNothing) {
  StartWithGate();
  form->ShowPage(1);
  form->SubWindowOfPage(0)->close();
  QApplication::processEvents();
  ASSERT_EQ(form->PageWindow(0), nullptr);
  On()->trigger();
  EXPECT_FALSE(form->Engine().Running());
  EXPECT_FALSE(project->SimActive);
  EXPECT_FALSE(On()->isChecked());
  EXPECT_FALSE(Twin()->isChecked());
  EXPECT_EQ(form->SimTimer(), nullptr);
  EXPECT_TRUE(form->Action("DateiNeu")->isEnabled());
}

TEST_F(SimTest, TheTwinButtonsFollowEachOtherAndTheMenusThatEditAreLocked) {
  Settings("[Simulator]\nSimRate=40\n");
  StartWithGate();
  gate->Marked = 1;  // selected: the start clears it, since Marked is the level from now on
  On()->trigger();
  ASSERT_TRUE(form->Engine().Running());
  EXPECT_TRUE(On()->isChecked());
  EXPECT_TRUE(Twin()->isChecked());
  EXPECT_EQ(gate->Marked, 0);
  ASSERT_NE(form->SimTimer(), nullptr);
  EXPECT_EQ(form->SimTimer()->parent(), form->PageWindow(0));
  EXPECT_EQ(form->SimTimer()->interval(), 40);
  EXPECT_TRUE(form->SimTimer()->isActive());
  for (const char* menu : {"Datei", "Bearbeiten1", "Einstellungen1", "Tools1"})
    EXPECT_FALSE(form->Menu(menu)->menuAction()->isEnabled()) << menu;
  EXPECT_TRUE(form->Menu("Fenster")->menuAction()->isEnabled());
  EXPECT_FALSE(form->Action("DateiNeu")->isEnabled());
  EXPECT_FALSE(form->Action("Prozessor1")->isEnabled());

  // Page windows refuse to close, and so does the main window.
  form->SubWindowOfPage(0)->close();
  QApplication::processEvents();
  EXPECT_NE(form->PageWindow(0), nullptr);
  EXPECT_FALSE(form->close());

  // Pressing the button that is already down on the other panel stops; the first follows.
  form->Engine().Tick();
  form->Engine().Tick();
  Twin()->trigger();
  EXPECT_FALSE(form->Engine().Running());
  EXPECT_FALSE(On()->isChecked());
  EXPECT_FALSE(Twin()->isChecked());
  EXPECT_EQ(form->SimTimer(), nullptr);
  EXPECT_TRUE(form->Action("DateiNeu")->isEnabled());
  EXPECT_TRUE(form->Menu("Datei")->menuAction()->isEnabled());
}

TEST_F(SimTest, AButtonThatIsDownNeverStartsTheRunAgain) {
  StartWithGate();
  On()->trigger();
  form->Engine().Tick();
  form->Engine().Tick();
  ASSERT_EQ(form->Engine().TickCount(), 2);
  form->SimulationButton(true);  // a second start would reset the run
  EXPECT_EQ(form->Engine().TickCount(), 2);
  form->SimulationButton(false);
  form->SimulationButton(false);
  EXPECT_FALSE(form->Engine().Running());
}

TEST_F(SimTest, AnAbortStopsAtTheNextTickWithMessage41AndRaisesBothButtons) {
  StartWithGate();
  On()->trigger();
  form->Engine().RequestAbort();
  // The next tick of the timer in page window 1 ends the run.
  form->SimTimer()->setInterval(1);
  QElapsedTimer waited;
  waited.start();
  while (form->Engine().Running() && waited.elapsed() < 10000) QTest::qWait(5);
  EXPECT_FALSE(form->Engine().Running());
  EXPECT_FALSE(On()->isChecked());
  EXPECT_FALSE(Twin()->isChecked());
  EXPECT_EQ(sink.Numbers(), std::vector<int>{41});
  EXPECT_TRUE(form->Action("DateiNeu")->isEnabled());
  On()->trigger();  // the next press starts again
  EXPECT_TRUE(form->Engine().Running());
}

TEST_F(SimTest, AClickTogglesThePinAndOnlyChangedElementsAreRedrawn) {
  StartWithGate();
  TWorkWindow* page = form->PageWindow(0);
  On()->trigger();
  QApplication::processEvents();
  auto* overlay = page->viewport()->findChild<SimOverlay*>();
  ASSERT_NE(overlay, nullptr);
  const int paints = page->PlanPaints();
  TObjAnschluss& input = gate->Input(0);
  const QPoint at = page->PlanToDevice({input.DrawX, input.DrawY + 2});
  QTest::mouseClick(page->viewport(), Qt::LeftButton, {}, at);
  EXPECT_EQ(input.Marked, 1);
  for (int i = 0; i < 5; ++i) form->Engine().Tick();
  QApplication::processEvents();
  EXPECT_EQ(page->PlanPaints(), paints);  // the plan itself was not painted again
  EXPECT_GT(overlay->DrawnCount(), 0);
  EXPECT_LE(overlay->DrawnCount(), 4);  // the input and the output, not every tick again
  EXPECT_TRUE(project->Elements().size() == 1u);  // a click while simulating places nothing

  On()->trigger();
  EXPECT_EQ(input.Marked, 0);
  QApplication::processEvents();
  EXPECT_EQ(page->viewport()->findChild<SimOverlay*>(), nullptr);
}

TEST_F(SimTest, MovingThePointerWhileSimulatingLeavesPlacingMode) {
  StartWithGate();
  form->Action("SpeedButton1")->trigger();
  On()->trigger();
  EXPECT_EQ(form->State().PlaceKind, 0);  // starting leaves it
  form->Action("SpeedButton2")->setChecked(true);
  form->State().PlaceKind = kind::Rsff;
  TWorkWindow* page = form->PageWindow(0);
  QTest::mouseMove(page->viewport(), page->PlanToDevice({500, 500}));
  EXPECT_EQ(form->State().PlaceKind, 0);
  EXPECT_FALSE(form->Action("SpeedButton2")->isChecked());
}

}  // namespace
}  // namespace tolmek::test
