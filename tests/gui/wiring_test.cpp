// Drawing wires with the mouse: press, Shift and release become wires, splits and named nets. The wiring
// rules themselves are tested without a window (tests/core/model/plan_edit_test.cpp).
#include "components/gatter.h"
#include "gui_support.h"

namespace tolmek::test {
namespace {

class WiringTest : public EditorTest {
 protected:
  TObjKnoten* NodeAt(int x, int y) const {
    for (auto* n : All<TObjKnoten>(kind::Knoten))
      if (n->X + 5 == x && n->Y + 5 == y) return n;
    return nullptr;
  }
  size_t NodeCount() const { return All(kind::Knoten).size(); }
  TObjKnoten& Node(int x, int y) { return Place<TObjKnoten>(kind::Knoten, x, y); }
};

// A gate at (100, 100): output stub end (150, 120), inputs' stub ends (100, 110) and (100, 130).
constexpr Point kOutput{145, 120};

TEST_F(WiringTest, PinToEmptySpaceTurnsAtAnElbowAndTheNetTakesThePinsName) {
  auto& gate = Place<TObjGatter>(kind::Gatter, 100, 100);
  gate.Output().SetName("RB.0");
  Drag(kOutput, {300, 200});
  ASSERT_EQ(NodeCount(), 2u);
  TObjKnoten* end = NodeAt(300, 200);
  TObjKnoten* elbow = NodeAt(300, 120);  // first along the pin's line, then down
  ASSERT_TRUE(end && elbow);
  EXPECT_EQ(gate.Output().Partner, elbow);
  EXPECT_TRUE(elbow->IsLinkedTo(end) && end->IsLinkedTo(elbow));
  EXPECT_EQ(end->LinkCount, 1);
  EXPECT_EQ(elbow->Name, "RB.0");
  EXPECT_EQ(end->Name, "RB.0");
  EXPECT_EQ(gate.Output().Name, "RB.0");
  EXPECT_FALSE(page->Connecting());
}

TEST_F(WiringTest, ShiftTurnsTheElbowToRunVerticallyFirst) {
  auto& gate = Place<TObjGatter>(kind::Gatter, 100, 100);
  QTest::mousePress(View(), Qt::LeftButton, {}, At(kOutput.x, kOutput.y));
  QTest::keyPress(page, Qt::Key_Shift);
  EXPECT_TRUE(page->ElbowVertical());
  QTest::keyRelease(page, Qt::Key_Shift);
  EXPECT_FALSE(page->ElbowVertical());
  QTest::keyPress(page, Qt::Key_Shift);
  QTest::mouseMove(View(), At(300, 200));
  QTest::mouseRelease(View(), Qt::LeftButton, Qt::ShiftModifier, At(300, 200));
  QTest::keyRelease(page, Qt::Key_Shift);
  TObjKnoten* elbow = NodeAt(150, 200);
  ASSERT_NE(elbow, nullptr);
  EXPECT_EQ(gate.Output().Partner, elbow);
  ASSERT_NE(NodeAt(300, 200), nullptr);
}

TEST_F(WiringTest, UnnamedNetsGetAutomaticNamesOnPinsAndNodes) {
  auto& gate = Place<TObjGatter>(kind::Gatter, 100, 100);
  Drag(kOutput, {300, 200});
  ASSERT_EQ(NodeCount(), 2u);
  EXPECT_EQ(NodeAt(300, 200)->Name, "S0.0");
  EXPECT_EQ(NodeAt(300, 120)->Name, "S0.0");
  EXPECT_EQ(gate.Output().Name, "S0.0");
}

TEST_F(WiringTest, WithoutRightAngleWiringOneNodeEndsTheWire) {
  env.RightAngleWires = false;
  auto& gate = Place<TObjGatter>(kind::Gatter, 100, 100);
  Drag(kOutput, {300, 200});
  ASSERT_EQ(NodeCount(), 1u);
  TObjKnoten* end = NodeAt(300, 200);
  ASSERT_NE(end, nullptr);
  EXPECT_EQ(gate.Output().Partner, end);
}

TEST_F(WiringTest, AnAlignedWireNeedsNoElbow) {
  auto& gate = Place<TObjGatter>(kind::Gatter, 100, 100);
  Drag(kOutput, {300, 120});
  ASSERT_EQ(NodeCount(), 1u);
  EXPECT_EQ(gate.Output().Partner, NodeAt(300, 120));
}

TEST_F(WiringTest, PinToPinWithRightAngleWiringTurnsWhereThePreviewTurned) {
  auto& a = Place<TObjGatter>(kind::Gatter, 100, 100);
  auto& b = Place<TObjGatter>(kind::Gatter, 300, 100);
  b.Input(0).SetName("LAMP.1");
  Drag(kOutput, {305, 110});
  ASSERT_EQ(NodeCount(), 1u);
  // Along the output's line to below the input's stub end (300, 110), then up to it.
  TObjKnoten* elbow = NodeAt(300, 120);
  ASSERT_NE(elbow, nullptr);
  EXPECT_EQ(a.Output().Partner, elbow);
  EXPECT_EQ(b.Input(0).Partner, elbow);
  EXPECT_EQ(a.Output().Name, "LAMP.1");
  EXPECT_EQ(elbow->Name, "LAMP.1");
}

TEST_F(WiringTest, PinToPinPutsANodeHalfWayWithoutRightAngleWiring) {
  env.RightAngleWires = false;
  auto& a = Place<TObjGatter>(kind::Gatter, 100, 100);
  auto& b = Place<TObjGatter>(kind::Gatter, 300, 100);
  Drag(kOutput, {305, 110});
  TObjKnoten* middle = NodeAt(220, 110);
  ASSERT_NE(middle, nullptr);
  EXPECT_EQ(a.Output().Partner, middle);
  EXPECT_EQ(b.Input(0).Partner, middle);
}

TEST_F(WiringTest, AFullNodeTakesNoFifthWire) {
  TObjKnoten& hub = Node(300, 300);
  for (int i = 0; i < 4; ++i) Connect(hub, Node(100 + 20 * i, 500));
  const size_t nodes = NodeCount();
  Drag({300, 300}, {600, 300});
  EXPECT_EQ(NodeCount(), nodes);
  EXPECT_FALSE(page->Connecting());
}

TEST_F(WiringTest, AClickOnAStraightWireSplitsItAndStartsAWire) {
  TObjKnoten& a = Node(200, 300);
  TObjKnoten& b = Node(400, 300);
  Connect(a, b);
  QTest::mousePress(View(), Qt::LeftButton, {}, At(300, 300));
  EXPECT_TRUE(page->Connecting());
  QTest::mouseRelease(View(), Qt::LeftButton, {}, At(300, 300));
  ASSERT_EQ(NodeCount(), 3u);
  TObjKnoten* middle = NodeAt(300, 300);
  ASSERT_NE(middle, nullptr);
  EXPECT_TRUE(middle->IsLinkedTo(&a) && middle->IsLinkedTo(&b));
  EXPECT_TRUE(a.IsLinkedTo(middle) && b.IsLinkedTo(middle));
  EXPECT_FALSE(a.IsLinkedTo(&b));

  TObjKnoten& c = Node(600, 100);
  TObjKnoten& d = Node(600, 500);
  Connect(c, d);
  Drag({600, 250}, {700, 250});  // split a vertical wire and draw on from the new node
  TObjKnoten* split = NodeAt(600, 250);
  ASSERT_NE(split, nullptr);
  EXPECT_EQ(split->LinkCount, 3);
  ASSERT_NE(NodeAt(700, 250), nullptr);
  EXPECT_TRUE(split->IsLinkedTo(NodeAt(700, 250)));
}

TEST_F(WiringTest, AWireEndingOnAnotherWireJoinsItThroughANewNode) {
  TObjKnoten& a = Node(200, 300);
  TObjKnoten& b = Node(400, 300);
  Connect(a, b);
  a.SetName("BUS.3");
  b.SetName("BUS.3");
  auto& gate = Place<TObjGatter>(kind::Gatter, 250, 100);
  Drag({295, 120}, {320, 300});  // from the output down onto the wire
  TObjKnoten* joint = NodeAt(320, 300);
  ASSERT_NE(joint, nullptr);
  EXPECT_EQ(joint->LinkCount, 3);
  EXPECT_EQ(gate.Output().Name, "BUS.3");
}

}  // namespace
}  // namespace tolmek::test
