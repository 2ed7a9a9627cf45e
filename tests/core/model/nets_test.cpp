// Pins, nodes and labels: linking, name flooding through nets, level flow.
#include <gtest/gtest.h>

#include "components/gnd.h"
#include "components/spl.h"
#include "sim/sim_context.h"
#include "support/test_project.h"

namespace tolmek {
namespace {

using test::TestProject;

TEST(Nets, RenamingOneNodeRenamesTheWholeNet) {
  TestProject t;
  auto& g1 = t.Add<TObjGnd>(kind::Gnd);
  auto& g2 = t.Add<TObjGnd>(kind::Gnd);
  auto& l1 = t.Add<TObjSpl>(kind::Spl);
  auto& l2 = t.Add<TObjSpl>(kind::Spl);
  auto& a = t.Wire(300, 300, g1.Pin(), g2.Pin());
  auto& b = t.Wire(400, 300, a, l1.Pin());
  auto& c = t.Wire(500, 300, b, l2.Pin());
  c.SetName("motor.1");
  for (TBauteil* e : std::initializer_list<TBauteil*>{&a, &b, &c, &g1.Pin(), &g2.Pin(), &l1.Pin()})
    EXPECT_EQ(e->Name, "MOTOR.1");
  EXPECT_EQ(l2.Pin().Name, "MOTOR.1");
}

TEST(Nets, NodeLinksAreLimitedAndUnlinkCompactsEverySlot) {
  TestProject t;
  auto& n = t.Node();
  std::vector<TObjKnoten*> others;
  for (int i = 0; i < 5; ++i) others.push_back(&t.Node(300 + 20 * i, 300));
  for (int i = 0; i < 4; ++i) EXPECT_TRUE(Connect(n, *others[i]));
  EXPECT_FALSE(Connect(n, *others[4]));
  EXPECT_EQ(n.LinkCount, 4);
  EXPECT_FALSE(Connect(n, *others[0])) << "a repeated link is refused";
  // A slot list holding the same element twice (as a damaged file could produce) is cleared once per slot.
  n.Unlink(others[1]);
  EXPECT_EQ(n.LinkCount, 3);
  EXPECT_EQ(n.Links[0], others[0]);
  EXPECT_EQ(n.Links[1], others[2]);
  EXPECT_EQ(n.Links[2], others[3]);
  EXPECT_EQ(n.Links[3], nullptr);
}

TEST(Nets, APinHoldsOneNodeAndReleaseUnlinksBothSides) {
  TestProject t;
  auto& g = t.Add<TObjGnd>(kind::Gnd);
  auto& a = t.Wire(300, 300, g.Pin());
  auto& b = t.Node(400, 300);
  EXPECT_EQ(g.Pin().Partner, &a);
  EXPECT_FALSE(Connect(b, g.Pin())) << "re-pointing a linked pin would corrupt the net";
  t.project.DeleteElement(&g);
  EXPECT_EQ(a.LinkCount, 0);
  t.project.RemoveLooseNodes();
  EXPECT_EQ(t.project.Elements().size(), 0u);
}

TEST(Nets, LevelsFloodThroughNodesIntoInputsButNotIntoOutputs) {
  TestProject t;
  auto& drv = t.Add<TObjGnd>(kind::Gnd);
  auto& other = t.Add<TObjGnd>(kind::Gnd);
  auto& lbl = t.Add<TObjSpl>(kind::Spl);
  auto& a = t.Wire(300, 300, drv.Pin());
  auto& b = t.Wire(400, 300, a, other.Pin(), lbl.Pin());
  drv.Pin().SetMarked(1);
  EXPECT_EQ(a.Marked, 1);
  EXPECT_EQ(b.Marked, 1);
  EXPECT_EQ(lbl.Pin().Marked, 1);
  EXPECT_EQ(other.Pin().Marked, 0) << "an output pin is never driven by its net";
}

TEST(Nets, ARingOfNodesStopsWhereLevelsAgree) {
  TestProject t;
  auto& a = t.Node(100, 100);
  auto& b = t.Node(200, 100);
  auto& c = t.Node(300, 100);
  Connect(a, b);
  Connect(b, c);
  Connect(c, a);
  struct Counter : RedrawListener {
    int calls = 0;
    void ElementChanged(TBauteil&) override { ++calls; }
  } counter;
  t.project.Redraw = &counter;
  a.SetMarked(1);
  EXPECT_EQ(counter.calls, 3);
  EXPECT_EQ(b.Marked + c.Marked, 2);
  a.SetMarked(1);
  EXPECT_EQ(counter.calls, 3) << "an unchanged level does not spread or redraw";
}

TEST(Nets, InvertedPinsShowTheBlockItsOwnLogicalValue) {
  TestProject t;
  auto& g = t.Add<TObjGnd>(kind::Gnd);
  auto& n = t.Wire(300, 300, g.Pin());
  g.Pin().Inverted = true;
  g.Pin().SetMarked(0);  // an inverted output stores the inverse
  EXPECT_EQ(g.Pin().Marked, 1);
  EXPECT_EQ(n.Marked, 1);
  EXPECT_EQ(g.Pin().GetMarked(), 0);
}

TEST(Labels, NamesakesShareTheSourceNetAcrossPages) {
  TestProject t;
  auto& src = t.Add<TObjSpl>(kind::Spl);
  src.SetName("P1:X1");
  t.project.CurrentPage = 3;
  auto& dst = t.Add<TObjSpl>(kind::Spl);
  dst.AttachTo("P1:X1");
  EXPECT_FALSE(dst.IsSource());
  EXPECT_FALSE(dst.Pin().Renamable);
  EXPECT_EQ(dst.Pin().Side, 1);
  auto& n = t.Wire(300, 300, src.Pin());
  n.SetName("LAMP.3");
  EXPECT_EQ(dst.Pin().Name, "LAMP.3");
  EXPECT_EQ(dst.Pin().PinLabel, "P1:X1");
  // Renaming the source carries its destinations along.
  src.SetName("P1:X7");
  EXPECT_EQ(dst.Name, "P1:X7");
  EXPECT_EQ(dst.Pin().PinLabel, "P1:X7");
}

TEST(Labels, RenumberingNamesSourceLabelsPerPage) {
  TestProject t;
  auto& a = t.Add<TObjSpl>(kind::Spl);
  t.project.CurrentPage = 2;
  auto& b = t.Add<TObjSpl>(kind::Spl);
  auto& keep = t.Add<TObjSpl>(kind::Spl);
  keep.SetName("PUMP");
  t.project.Renumber();
  EXPECT_EQ(a.Name, "P1:X1");
  EXPECT_EQ(b.Name, "P3:X2");
  EXPECT_EQ(keep.Name, "PUMP");
}

TEST(Labels, ADestinationDrivesItsOwnNetWithTheSourceLevel) {
  TestProject t;
  auto& vcc = t.Add<TObjGnd>(kind::Gnd);
  vcc.SetSupply(TObjGnd::kVcc, true);
  auto& src = t.Add<TObjSpl>(kind::Spl);
  src.SetName("P1:X1");
  t.Wire(300, 300, vcc.Pin(), src.Pin());
  t.project.CurrentPage = 1;
  auto& dst = t.Add<TObjSpl>(kind::Spl);
  dst.AttachTo("P1:X1");
  auto& lamp = t.Add<TObjSpl>(kind::Spl);  // any input pin on the far net
  lamp.SetName("FAR");
  auto& far = t.Wire(400, 400, dst.Pin(), lamp.Pin());

  VariableTable vars;
  SimContext sim(t.project, vars);
  vcc.SimulationStep(sim);
  src.SimulationStart(sim);
  src.SimulationStep(sim);
  dst.SimulationStep(sim);
  EXPECT_EQ(far.Marked, 1);
  EXPECT_EQ(lamp.Pin().Marked, 1);
  dst.SimulationStop(sim);
  EXPECT_EQ(dst.Pin().Marked, 0);
}

}  // namespace
}  // namespace tolmek
