// The editing rules without a window: what a press grabs, wires and their names, splitting, moving and
// selecting. The plan is drawn at origin (0, 0), so drawn positions and page positions are the same.
#include "model/plan_edit.h"

#include <gtest/gtest.h>

#include "components/gatter.h"
#include "model/canvas.h"
#include "support/test_project.h"

namespace tolmek {
namespace {

using namespace editing;

// A gate at (100, 100): output pin (140, 120) with its stub end at (150, 120); inputs (110, 110) and
// (110, 130) with stub ends (100, 110) and (100, 130).
constexpr Point kOutput{145, 120};

// A plan on page 0 and the gestures of a page window, made through the editing rules.
struct Plan : test::TestProject {
  TObjGatter& Gate(int x = 100, int y = 100) { return Add<TObjGatter>(kind::Gatter, x, y); }
  TObjKnoten* NodeAt(int x, int y) const {
    for (const auto& e : project.Elements())
      if (e->IsNode() && e->X + 5 == x && e->Y + 5 == y) return static_cast<TObjKnoten*>(e.get());
    return nullptr;
  }
  [[nodiscard]] size_t NodeCount() const {
    size_t n = 0;
    for (const auto& e : project.Elements()) n += e->IsNode();
    return n;
  }
  // Draws page 0 so that hit tests see the current positions.
  void Drawn() {
    NullCanvas canvas;
    for (const auto& e : project.Elements())
      if (e->Page == 0) e->Draw(canvas, 0, 0);
  }
  // A wire gesture as a page window makes it: press at `from` (splitting a wire there when it hits no
  // element), release at grid point `to`. False when the press starts no wire or no wire is made.
  bool Wire(Point from, Point to, bool elbowVertical = false, bool rightAngle = true) {
    Drawn();
    TBauteil* hit = FindObject(project, 0, from.x, from.y);
    if (!hit) hit = SplitWire(project, 0, from.x, from.y);
    if (!hit) return false;
    const Grab grab = GrabAt(*hit, from.x, from.y, false);
    if (grab.grip != Grip::Wire) return false;
    WireRequest r;
    r.startPin = grab.pin;
    r.startNode = grab.node;
    r.release = to;
    r.rightAngle = rightAngle;
    r.elbowVertical = elbowVertical;
    Drawn();
    AimWire(project, r, to);
    return FinishWire(project, r);
  }
};

TEST(PlanEdit, AWireIntoEmptySpaceTurnsAtAnElbowUnlessItNeedsNone) {
  struct Case {
    const char* what;
    Point to;
    bool vertical, rightAngle;
    Point elbow;  // {0, 0}: no elbow, the pin links the end directly
  };
  const Case cases[] = {
      {"along the pin's line first", {300, 200}, false, true, {300, 120}},
      {"down first", {300, 200}, true, true, {150, 200}},
      {"aligned with the pin", {300, 120}, false, true, {}},
      {"slanted wires allowed", {300, 200}, false, false, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Plan p;
    auto& gate = p.Gate();
    gate.Output().SetName("RB.0");
    ASSERT_TRUE(p.Wire(kOutput, c.to, c.vertical, c.rightAngle));
    TObjKnoten* end = p.NodeAt(c.to.x, c.to.y);
    ASSERT_NE(end, nullptr);
    EXPECT_EQ(end->LinkCount, 1);
    EXPECT_EQ(end->Name, "RB.0");
    if (c.elbow == Point{}) {
      EXPECT_EQ(p.NodeCount(), 1u);
      EXPECT_EQ(gate.Output().Partner, end);
      continue;
    }
    EXPECT_EQ(p.NodeCount(), 2u);
    TObjKnoten* elbow = p.NodeAt(c.elbow.x, c.elbow.y);
    ASSERT_NE(elbow, nullptr);
    EXPECT_EQ(gate.Output().Partner, elbow);
    EXPECT_TRUE(elbow->IsLinkedTo(end) && end->IsLinkedTo(elbow));
    EXPECT_EQ(elbow->Name, "RB.0");
  }
}

TEST(PlanEdit, PinToPinPutsANodeHalfWayAndRefusesOccupiedPinsAndOneBlock) {
  Plan p;
  auto& a = p.Gate(100, 100);
  auto& b = p.Gate(300, 100);
  b.Input(0).SetName("LAMP.1");
  // Without right-angle wiring: pin positions (140, 120) and (310, 110), half-way (225, 115), on the grid below.
  ASSERT_TRUE(p.Wire(kOutput, {305, 110}, false, false));
  ASSERT_EQ(p.NodeCount(), 1u);
  TObjKnoten* middle = p.NodeAt(220, 110);
  ASSERT_NE(middle, nullptr);
  EXPECT_EQ(a.Output().Partner, middle);
  EXPECT_EQ(b.Input(0).Partner, middle);
  // The unnamed start pin joins the named one instead of wiping its name.
  EXPECT_EQ(a.Output().Name, "LAMP.1");
  EXPECT_EQ(b.Input(0).Name, "LAMP.1");

  EXPECT_FALSE(p.Wire({345, 120}, {305, 130})) << "output to an input of the same block";
  EXPECT_FALSE(p.Wire({305, 130}, {305, 110})) << "to an occupied input";
  EXPECT_FALSE(p.Wire({305, 110}, {500, 500})) << "from an occupied input";
  EXPECT_FALSE(p.Wire({345, 120}, {325, 105})) << "onto a block's body";
  EXPECT_EQ(p.NodeCount(), 1u);
  EXPECT_EQ(b.Output().Partner, nullptr);
  EXPECT_EQ(b.Input(1).Partner, nullptr);
}

TEST(PlanEdit, NodeToNodeLinksBothWaysAndCarriesAUserName) {
  Plan p;
  TObjKnoten& a = p.Node(200, 300);
  TObjKnoten& b = p.Node(400, 300);
  a.SetName("MOTOR.1");
  ASSERT_TRUE(p.Wire({200, 300}, {400, 300}));
  EXPECT_TRUE(a.IsLinkedTo(&b) && b.IsLinkedTo(&a));
  EXPECT_EQ(p.NodeCount(), 2u);
  EXPECT_EQ(b.Name, "MOTOR.1");
  EXPECT_FALSE(p.Wire({200, 300}, {400, 300})) << "already linked";
  EXPECT_FALSE(p.Wire({200, 300}, {200, 300})) << "to itself";

  TObjKnoten& c = p.Node(500, 400);  // with an automatic name, which gives way
  ASSERT_TRUE(p.Wire({400, 300}, {500, 400}));
  TObjKnoten* elbow = p.NodeAt(500, 300);
  ASSERT_NE(elbow, nullptr);
  EXPECT_TRUE(b.IsLinkedTo(elbow) && elbow->IsLinkedTo(&c));
  EXPECT_FALSE(b.IsLinkedTo(&c));
  EXPECT_EQ(c.Name, "MOTOR.1");
}

TEST(PlanEdit, NetNamesBetweenNodesAndPins) {
  Plan p;
  auto& gate = p.Gate();
  TObjKnoten& named = p.Node(60, 110);
  named.SetName("KEY.2");
  ASSERT_TRUE(p.Wire({60, 110}, {105, 110}));  // node to the first input, aligned
  EXPECT_EQ(gate.Input(0).Partner, &named);
  EXPECT_EQ(gate.Input(0).Name, "KEY.2");

  // An unnamed pin joins the node's net...
  TObjKnoten& net = p.Node(250, 300);
  net.SetName("BELL.4");
  ASSERT_TRUE(p.Wire(kOutput, {250, 300}));  // not aligned: elbow at (250, 120)
  TObjKnoten* elbow = p.NodeAt(250, 120);
  ASSERT_NE(elbow, nullptr);
  EXPECT_EQ(gate.Output().Partner, elbow);
  EXPECT_TRUE(elbow->IsLinkedTo(&net));
  EXPECT_EQ(gate.Output().Name, "BELL.4");

  // ...a named one renames the node's net.
  gate.Input(1).SetName("RA.1");
  TObjKnoten& other = p.Node(40, 130);
  other.SetName("OLD.1");
  ASSERT_TRUE(p.Wire({105, 130}, {40, 130}));
  EXPECT_EQ(other.Name, "RA.1");
}

TEST(PlanEdit, AFullNodeStartsAndTakesNoFurtherWire) {
  Plan p;
  TObjKnoten& hub = p.Node(300, 300);
  for (int i = 0; i < TObjKnoten::kMaxLinks; ++i) Connect(hub, p.Node(100 + 20 * i, 500));
  const size_t nodes = p.NodeCount();
  EXPECT_FALSE(p.Wire({300, 300}, {600, 300}));
  p.Node(600, 300);
  EXPECT_FALSE(p.Wire({600, 300}, {300, 300}));
  EXPECT_EQ(p.NodeCount(), nodes + 1);
  EXPECT_EQ(hub.LinkCount, TObjKnoten::kMaxLinks);
}

TEST(PlanEdit, WhatAPressGrabs) {
  Plan p;
  auto& gate = p.Gate();
  TObjKnoten& free = p.Node(300, 300);
  TObjKnoten& full = p.Node(500, 300);
  for (int i = 0; i < TObjKnoten::kMaxLinks; ++i) Connect(full, p.Node(100 + 20 * i, 500));
  Connect(free, gate.Input(1));
  p.Drawn();
  struct Case {
    const char* what;
    TBauteil& hit;
    Point at;
    bool ctrl;
    Grip grip;
    TObjAnschluss* pin;
    TObjKnoten* node;
  };
  const Case cases[] = {
      {"a block's body", gate, {125, 105}, false, Grip::Move, nullptr, nullptr},
      {"a free pin", gate, kOutput, false, Grip::Wire, &gate.Output(), nullptr},
      {"a free pin with Ctrl", gate, kOutput, true, Grip::Wire, &gate.Output(), nullptr},
      {"an occupied pin", gate, {105, 130}, false, Grip::None, nullptr, nullptr},
      {"a node", free, {300, 300}, false, Grip::Wire, nullptr, &free},
      {"a node with Ctrl", free, {300, 300}, true, Grip::Move, nullptr, nullptr},
      {"a full node", full, {500, 300}, false, Grip::None, nullptr, nullptr},
      {"a full node with Ctrl", full, {500, 300}, true, Grip::Move, nullptr, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Grab g = GrabAt(c.hit, c.at.x, c.at.y, c.ctrl);
    EXPECT_EQ(g.grip, c.grip);
    EXPECT_EQ(g.pin, c.pin);
    EXPECT_EQ(g.node, c.node);
  }
}

TEST(PlanEdit, SplittingAWireKeepsItsEndsAndTheNetName) {
  struct Case {
    const char* what;
    Point a, b, at;
  };
  const Case cases[] = {
      {"horizontal", {200, 300}, {400, 300}, {300, 300}},
      {"vertical", {600, 100}, {600, 500}, {600, 250}},
      {"drawn right to left", {400, 300}, {200, 300}, {220, 300}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Plan p;
    TObjKnoten& a = p.Node(c.a.x, c.a.y);
    TObjKnoten& b = p.Node(c.b.x, c.b.y);
    Connect(a, b);
    a.Name = "A.0";
    b.Name = "B.0";
    EXPECT_EQ(SplitWire(p.project, 0, c.a.x, c.a.y), nullptr) << "an end is no split point";
    EXPECT_EQ(SplitWire(p.project, 1, c.at.x, c.at.y), nullptr) << "another page";
    TObjKnoten* middle = SplitWire(p.project, 0, c.at.x, c.at.y);
    ASSERT_NE(middle, nullptr);
    EXPECT_EQ(middle, p.NodeAt(c.at.x, c.at.y));
    EXPECT_TRUE(middle->IsLinkedTo(&a) && middle->IsLinkedTo(&b));
    EXPECT_TRUE(a.IsLinkedTo(middle) && b.IsLinkedTo(middle));
    EXPECT_FALSE(a.IsLinkedTo(&b) || b.IsLinkedTo(&a));
    // Named after the right-hand (lower) end.
    EXPECT_EQ(middle->Name, c.b.x > c.a.x || c.b.y > c.a.y ? "B.0" : "A.0");
  }

  Plan p;  // a wire between a pin and a node
  auto& gate = p.Gate();
  TObjKnoten& end = p.Node(300, 120);
  Connect(end, gate.Output());
  TObjKnoten* middle = SplitWire(p.project, 0, 220, 120);
  ASSERT_NE(middle, nullptr);
  EXPECT_EQ(gate.Output().Partner, middle);
  EXPECT_TRUE(middle->IsLinkedTo(&end));
  EXPECT_FALSE(end.IsLinkedTo(&gate.Output()));
}

TEST(PlanEdit, AWireEndingOnAnotherWireJoinsItThroughANewNode) {
  Plan p;
  TObjKnoten& a = p.Node(200, 300);
  TObjKnoten& b = p.Node(400, 300);
  Connect(a, b);
  a.SetName("BUS.3");
  auto& gate = p.Gate(250, 100);
  ASSERT_TRUE(p.Wire({295, 120}, {320, 300}));  // from the output down onto the wire
  TObjKnoten* joint = p.NodeAt(320, 300);
  ASSERT_NE(joint, nullptr);
  EXPECT_EQ(joint->LinkCount, 3);
  EXPECT_EQ(gate.Output().Name, "BUS.3");

  // A press on a wire splits it and starts there.
  TObjKnoten& c = p.Node(600, 100);
  TObjKnoten& d = p.Node(600, 500);
  Connect(c, d);
  ASSERT_TRUE(p.Wire({600, 250}, {700, 250}));
  TObjKnoten* split = p.NodeAt(600, 250);
  ASSERT_NE(split, nullptr);
  EXPECT_EQ(split->LinkCount, 3);
  EXPECT_TRUE(split->IsLinkedTo(p.NodeAt(700, 250)));
}

TEST(PlanEdit, HitTestsFindTheFirstElementOfThePageWithinItsDrawnBox) {
  Plan p;
  auto& lower = p.Gate(100, 100);
  auto& upper = p.Gate(120, 120);  // overlaps, later in the list
  p.project.CurrentPage = 1;
  p.Gate(400, 400);
  p.Drawn();
  EXPECT_EQ(FindObject(p.project, 0, 130, 130), &lower);
  EXPECT_EQ(FindObject(p.project, 0, 100 + lower.Width, 100 + lower.Height), &lower);
  EXPECT_EQ(FindObject(p.project, 0, 160, 160), &upper);
  EXPECT_EQ(FindObject(p.project, 0, 99, 130), nullptr);
  EXPECT_EQ(FindObject(p.project, 0, 410, 410), nullptr) << "an element of another page";
}

TEST(PlanEdit, MovingTheSelectionIsAllOrNothing) {
  Plan p;
  auto& a = p.Gate(100, 100);
  auto& edge = p.Gate(2990, 100);
  auto& loose = p.Gate(500, 500);
  a.Marked = edge.Marked = 1;
  EXPECT_FALSE(MoveSelection(p.project, 10, 0));
  EXPECT_EQ(a.X, 100);
  EXPECT_EQ(edge.X, 2990);
  EXPECT_EQ(p.sink.Numbers(), std::vector<int>{int(Msg::LeavesPage)});
  EXPECT_TRUE(MoveSelection(p.project, 0, 10));
  EXPECT_EQ(a.Y, 110);
  EXPECT_EQ(edge.Y, 110);
  EXPECT_EQ(loose.Y, 500);
  EXPECT_FALSE(MoveSelection(p.project, -2991, 0));
  EXPECT_TRUE(MoveSelection(p.project, -100, -110)) << "to the very corner";
  EXPECT_EQ(a.X, 0);
  EXPECT_EQ(a.Y, 0);
}

TEST(PlanEdit, ADraggedElementMovesAloneOrWithTheSelection) {
  Plan p;
  auto& a = p.Gate(100, 100);
  auto& b = p.Gate(300, 100);
  auto& loose = p.Gate(500, 100);
  EXPECT_TRUE(MoveElement(p.project, loose, {600, 200}));
  EXPECT_EQ(loose.X, 600);
  EXPECT_EQ(loose.Y, 200);
  a.Marked = b.Marked = 1;
  EXPECT_TRUE(MoveElement(p.project, a, {150, 130}));
  EXPECT_EQ(b.X, 350);
  EXPECT_EQ(b.Y, 130);
  EXPECT_EQ(loose.X, 600);
  // On or beyond the page's edge nothing moves, and nothing is said.
  for (Point to : {Point{0, 100}, Point{100, 0}, Point{3000, 100}, Point{100, 2000}, Point{-50, 100}}) {
    EXPECT_FALSE(MoveElement(p.project, loose, to));
    EXPECT_FALSE(MoveElement(p.project, a, to));
  }
  EXPECT_EQ(loose.X, 600);
  EXPECT_EQ(a.X, 150);
  EXPECT_TRUE(p.sink.entries.empty());
}

TEST(PlanEdit, ARectangleSelectsThePositionsInsideItAndAnEmptyOneClearsAll) {
  Plan p;
  auto& a = p.Gate(100, 100);
  auto& b = p.Gate(300, 100);
  auto& c = p.Gate(100, 400);
  p.project.CurrentPage = 1;
  auto& elsewhere = p.Gate(100, 100);
  SelectInRectangle(p.project, 0, {400, 200}, {50, 50});  // corners in any order
  EXPECT_TRUE(a.Marked && b.Marked);
  EXPECT_FALSE(c.Marked || elsewhere.Marked);
  SelectInRectangle(p.project, 0, {50, 390}, {100, 420});  // the right edge is outside
  EXPECT_FALSE(c.Marked);
  SelectInRectangle(p.project, 0, {100, 400}, {110, 410});  // the left/top edge is inside
  EXPECT_TRUE(c.Marked && a.Marked);
  SelectInRectangle(p.project, 0, {700, 700}, {700, 700});
  EXPECT_FALSE(a.Marked || b.Marked || c.Marked);
}

}  // namespace
}  // namespace tolmek
