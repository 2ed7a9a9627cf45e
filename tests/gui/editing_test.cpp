// Editing a page window with real mouse and key events: placing, selecting, moving, keys and zoom.
#include "components/gatter.h"
#include "gui_support.h"

namespace tolmek::test {
namespace {

using Gates = std::vector<TObjGatter*>;

TEST_F(EditorTest, PlacingModeCreatesNamedGatesUntilEscape) {
  window->SetPlaceKind(kind::Gatter);
  Click(100, 100);
  Click(200, 104);
  Click(300, 96);
  Gates gates = All<TObjGatter>(kind::Gatter);
  ASSERT_EQ(gates.size(), 3u);
  EXPECT_EQ(gates[0]->Name, "LG1");
  EXPECT_EQ(gates[1]->Name, "LG2");
  EXPECT_EQ(gates[2]->Name, "LG3");
  EXPECT_EQ(gates[1]->X, 200);
  EXPECT_EQ(gates[1]->Y, 100);  // the click snaps to the nearest grid point
  EXPECT_EQ(gates[2]->Y, 100);
  EXPECT_EQ(gates[2]->Page, 0);
  EXPECT_FALSE(project.Saved);
  EXPECT_EQ(window->State().PlaceKind, kind::Gatter);

  Key(Qt::Key_Escape);
  EXPECT_EQ(window->State().PlaceKind, 0);
  Click(400, 100);
  EXPECT_EQ(All(kind::Gatter).size(), 3u);
}

TEST_F(EditorTest, RightClickLeavesPlacingModeWithoutPlacing) {
  window->SetPlaceKind(kind::Gatter);
  Click(100, 100, Qt::RightButton);
  EXPECT_EQ(window->State().PlaceKind, 0);
  EXPECT_TRUE(All(kind::Gatter).empty());
}

TEST_F(EditorTest, RightClickOnEmptySpaceCentresAndSwallowsItsRelease) {
  Place<TObjGatter>(kind::Gatter, 1000, 1000);
  const QSize view = View()->size();
  Click(800, 600, Qt::RightButton);
  EXPECT_EQ(page->ScrollX(), (800 - view.width() / 2 + 5) / 10 * 10);
  EXPECT_EQ(page->ScrollY(), (600 - view.height() / 2 + 5) / 10 * 10);
  EXPECT_TRUE(editor.edited.empty());
  EXPECT_TRUE(project.Saved);  // the release that belonged to the centring click did nothing
}

TEST_F(EditorTest, RightButtonReleaseOpensThePropertiesOfPinOrElement) {
  auto& gate = Place<TObjGatter>(kind::Gatter, 100, 100);
  Click(145, 120, Qt::RightButton);
  Click(125, 105, Qt::RightButton);
  ASSERT_EQ(editor.edited.size(), 2u);
  EXPECT_EQ(editor.edited[0], &gate.Output());
  EXPECT_EQ(editor.edited[1], &gate);
}

TEST_F(EditorTest, ShiftClickTogglesSelectionAndPlainClickOnEmptySpaceClearsIt) {
  auto& a = Place<TObjGatter>(kind::Gatter, 100, 100);
  auto& b = Place<TObjGatter>(kind::Gatter, 300, 100);
  Click(125, 105, Qt::LeftButton, Qt::ShiftModifier);
  Click(325, 105, Qt::LeftButton, Qt::ShiftModifier);
  EXPECT_TRUE(a.Marked && b.Marked);
  Click(325, 105, Qt::LeftButton, Qt::ShiftModifier);
  EXPECT_TRUE(a.Marked);
  EXPECT_FALSE(b.Marked);
  Click(125, 105);  // a plain click on a body leaves the selection as it is
  EXPECT_TRUE(a.Marked);
  Click(600, 600);
  EXPECT_FALSE(a.Marked);
}

TEST_F(EditorTest, SelectWithoutShiftSelectsOnlyTheClickedElement) {
  env.SelectWithoutShift = true;
  auto& a = Place<TObjGatter>(kind::Gatter, 100, 100);
  auto& b = Place<TObjGatter>(kind::Gatter, 300, 100);
  Click(125, 105);
  Click(325, 105);
  EXPECT_FALSE(a.Marked);
  EXPECT_TRUE(b.Marked);
}

TEST_F(EditorTest, RubberBandAddsElementsInsideAndAnEmptyBandClearsAll) {
  auto& a = Place<TObjGatter>(kind::Gatter, 100, 100);
  auto& b = Place<TObjGatter>(kind::Gatter, 300, 100);
  auto& c = Place<TObjGatter>(kind::Gatter, 100, 400);
  Drag({50, 50}, {400, 200}, Qt::ShiftModifier);
  EXPECT_FALSE(page->RubberBand());
  EXPECT_TRUE(a.Marked && b.Marked);
  EXPECT_FALSE(c.Marked);
  Click(600, 600, Qt::LeftButton, Qt::ShiftModifier);
  EXPECT_FALSE(a.Marked || b.Marked || c.Marked);
}

TEST_F(EditorTest, DraggingASelectedElementMovesTheWholeSelection) {
  auto& a = Place<TObjGatter>(kind::Gatter, 100, 100);
  auto& b = Place<TObjGatter>(kind::Gatter, 300, 100);
  auto& loose = Place<TObjGatter>(kind::Gatter, 500, 100);
  a.Marked = b.Marked = 1;
  Drag({125, 105}, {175, 135});
  EXPECT_EQ(a.X, 150);
  EXPECT_EQ(a.Y, 130);
  EXPECT_EQ(b.X, 350);
  EXPECT_EQ(b.Y, 130);
  EXPECT_EQ(loose.X, 500);
  EXPECT_FALSE(page->Moving());
}

TEST_F(EditorTest, AnUnselectedElementMovesAloneAndCtrlDragMovesANode) {
  auto& a = Place<TObjGatter>(kind::Gatter, 100, 100);
  auto& other = Place<TObjGatter>(kind::Gatter, 300, 300);
  other.Marked = 1;
  Drag({125, 105}, {225, 205});
  EXPECT_EQ(a.X, 200);
  EXPECT_EQ(a.Y, 200);
  EXPECT_EQ(other.X, 300);
  Drag({225, 205}, {15, 205});  // its corner would leave the page: it stays, without a message
  EXPECT_EQ(a.X, 200);
  EXPECT_TRUE(sink.entries.empty());

  auto& node = Place<TObjKnoten>(kind::Knoten, 500, 500);
  Drag({500, 500}, {540, 520}, Qt::ControlModifier);
  EXPECT_EQ(node.X, 535);
  EXPECT_EQ(node.Y, 515);
  EXPECT_TRUE(All(kind::Knoten).size() == 1);  // no wire was drawn from it
}

TEST_F(EditorTest, EscapeEndsAWireWithoutMakingIt) {
  Place<TObjGatter>(kind::Gatter, 100, 100);
  QTest::mousePress(View(), Qt::LeftButton, {}, At(145, 120));
  QTest::mouseMove(View(), At(250, 200));
  EXPECT_TRUE(page->Connecting());
  Key(Qt::Key_Escape);
  EXPECT_FALSE(page->Connecting());
  QTest::mouseRelease(View(), Qt::LeftButton, {}, At(250, 200));
  EXPECT_TRUE(All(kind::Knoten).empty());
}

TEST_F(EditorTest, DigitKeysOpenPagesAndZeroIsPageTen) {
  Key(Qt::Key_2);
  ASSERT_NE(window->PageWindow(1), nullptr);
  EXPECT_EQ(project.CurrentPage, 1);
  Key(Qt::Key_0);
  TWorkWindow* tenth = window->PageWindow(9);
  ASSERT_NE(tenth, nullptr);
  EXPECT_EQ(project.CurrentPage, 9);
  EXPECT_EQ(tenth->windowTitle(), "Function-Sheet 10");
  Key(Qt::Key_1);
  EXPECT_EQ(project.CurrentPage, 0);
  EXPECT_EQ(window->PageWindow(9), tenth);  // an open page is brought forward, not created again
}

TEST_F(EditorTest, ElementsArePlacedOnTheWindowsPage) {
  Key(Qt::Key_3);
  TWorkWindow* third = window->PageWindow(2);
  ASSERT_NE(third, nullptr);
  window->SetPlaceKind(kind::Gatter);
  QTest::mouseClick(third->viewport(), Qt::LeftButton, {}, third->PlanToDevice({100, 100}));
  Gates gates = All<TObjGatter>(kind::Gatter);
  ASSERT_EQ(gates.size(), 1u);
  EXPECT_EQ(gates[0]->Page, 2);
  // Page 1's window does not find it.
  EXPECT_EQ(page->FindObject(110, 110), nullptr);
}

TEST_F(EditorTest, ZoomStepsInAndOut) {
  std::vector<int> in;
  for (int i = 0; i < 4; ++i) {
    page->ZoomIn();
    in.push_back(page->Zoom());
  }
  EXPECT_EQ(in, (std::vector<int>{2250, 1500, 750, 750}));
  page->ZoomOneToOne();
  std::vector<int> out;
  for (int i = 0; i < 6; ++i) {
    page->ZoomOut();
    out.push_back(page->Zoom());
  }
  EXPECT_EQ(out, (std::vector<int>{3750, 4500, 5250, 6000, 12000, 12000}));
  page->ZoomIn();
  EXPECT_EQ(page->Zoom(), 6000);
}

TEST_F(EditorTest, LeavingTheOverviewShowsTheTopLeftCorner) {
  page->horizontalScrollBar()->setValue(1000);
  page->verticalScrollBar()->setValue(600);
  EXPECT_GT(page->ScrollX(), 0);
  page->SetZoom(12000);
  page->ZoomIn();
  EXPECT_EQ(page->ScrollX(), 0);
  EXPECT_EQ(page->ScrollY(), 0);
}

TEST_F(EditorTest, ZoomKeepsTheCentreAndMapsClicksToThePage) {
  page->SetZoom(1500);  // two pixels per unit
  EXPECT_EQ(page->DeviceToPlan({200, 100}).x, 100);
  window->SetPlaceKind(kind::Gatter);
  Click(100, 100);
  Gates gates = All<TObjGatter>(kind::Gatter);
  ASSERT_EQ(gates.size(), 1u);
  EXPECT_EQ(gates[0]->X, 100 + page->ScrollX());
}

TEST_F(EditorTest, PageKeysScrollAndScrollingRoundsToTheGrid) {
  Key(Qt::Key_PageDown);
  EXPECT_EQ(page->verticalScrollBar()->value(), 100);
  EXPECT_EQ(page->ScrollY(), 100);
  Key(Qt::Key_PageDown, Qt::ShiftModifier);
  EXPECT_EQ(page->horizontalScrollBar()->value(), 100);
  page->horizontalScrollBar()->setValue(104);
  EXPECT_EQ(page->ScrollX(), 100);
  page->horizontalScrollBar()->setValue(106);
  EXPECT_EQ(page->ScrollX(), 110);
  Key(Qt::Key_End);
  EXPECT_EQ(page->verticalScrollBar()->value(), page->verticalScrollBar()->maximum());
  Key(Qt::Key_Home);
  EXPECT_EQ(page->ScrollX(), 0);
  EXPECT_EQ(page->ScrollY(), 0);
}

TEST_F(EditorTest, ClicksOnAScrolledPageHitThePagePositions) {
  auto& gate = Place<TObjGatter>(kind::Gatter, 600, 500);
  page->horizontalScrollBar()->setValue(400);
  page->verticalScrollBar()->setValue(300);
  Click(225, 205, Qt::LeftButton, Qt::ShiftModifier);  // page point (625, 505)
  EXPECT_TRUE(gate.Marked);
}

TEST_F(EditorTest, GesturesDoNotRepaintThePlanFromTheObjectList) {
  Place<TObjGatter>(kind::Gatter, 100, 100);
  View()->repaint();
  const int painted = page->PlanPaints();
  QTest::mousePress(View(), Qt::LeftButton, {}, At(145, 120));
  for (int i = 0; i < 20; ++i) {
    QTest::mouseMove(View(), At(160 + 10 * i, 130 + 5 * i));
    View()->repaint();
  }
  EXPECT_TRUE(page->Connecting());
  EXPECT_EQ(page->PlanPaints(), painted);
  QTest::mouseRelease(View(), Qt::LeftButton, {}, At(360, 230));
  View()->repaint();
  EXPECT_GT(page->PlanPaints(), painted);  // the finished wire is painted from the model

  const int before = page->PlanPaints();
  QTest::mousePress(View(), Qt::LeftButton, {}, At(125, 105));
  for (int i = 0; i < 20; ++i) {
    QTest::mouseMove(View(), At(130 + 3 * i, 110 + 2 * i));
    View()->repaint();
  }
  EXPECT_TRUE(page->Moving());
  EXPECT_EQ(page->PlanPaints(), before);
  QTest::mouseRelease(View(), Qt::LeftButton, {}, At(190, 150));
}

TEST_F(EditorTest, AReleaseOutsideThePageEndsTheGestureWithoutEffect) {
  auto& gate = Place<TObjGatter>(kind::Gatter, 100, 100);
  page->SetZoom(12000);  // the whole page and some space beside it are visible
  QTest::mousePress(View(), Qt::LeftButton, {}, page->PlanToDevice({125, 105}));
  EXPECT_TRUE(page->Moving());
  QTest::mouseRelease(View(), Qt::LeftButton, {}, page->PlanToDevice({3200, 105}));
  EXPECT_EQ(gate.X, 100);
  EXPECT_FALSE(page->Moving());
}

}  // namespace
}  // namespace tolmek::test
