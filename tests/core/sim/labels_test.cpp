// Levels carried by labels across pages, and nets driven by GND and VCC, while simulating.
#include <gtest/gtest.h>

#include "sim/engine.h"
#include "core/sim/sim_fixture.h"

namespace tolmek {
namespace {

using simtest::PlanFixture;

// Page 1: a buffer with an open input drives the source label P1:X1. Page 2: the destination drives
// a buffer whose output is the net OUT.
struct AcrossPages : PlanFixture {
  AcrossPages() {
    f1 = &Gate(0, 100, 100, TObjGatter::Or, 2);
    auto& source = Label(0, 300, 100, "P1:X1", true);
    Wire(0, {&f1->Output(), &source.Pin()});
    destination = &Label(1, 100, 300, "P1:X1", false);
    f2 = &Gate(1, 300, 300, TObjGatter::Or, 2);
    Wire(1, {&destination->Pin(), &f2->Input(0)});
    out = &Wire(1, {&f2->Output()}, "OUT.0");
  }
  TObjGatter* f1;
  TObjGatter* f2;
  TObjSpl* destination;
  TObjKnoten* out;
};

TEST(SimLabels, ADestinationDrivesTheNetOnItsOwnPage) {
  AcrossPages p;
  SimEngine engine(p.project);
  engine.SetAllPagesOpen(true);
  ASSERT_TRUE(engine.StartSimulation());
  engine.Tick();
  EXPECT_EQ(p.out->Marked, 0);

  engine.Toggle(p.f1->Input(0));
  for (int i = 0; i < 3; ++i) engine.Tick();
  EXPECT_EQ(p.f2->Input(0).Marked, 1);
  EXPECT_EQ(p.out->Marked, 1);

  engine.Toggle(p.f1->Input(0));
  for (int i = 0; i < 3; ++i) engine.Tick();
  EXPECT_EQ(p.out->Marked, 0);
  engine.StopSimulation();
  EXPECT_TRUE(p.HighElements().empty());
}

TEST(SimLabels, OneSourceFeedsEveryDestinationOfItsName) {
  AcrossPages p;
  auto& second = p.Label(2, 100, 100, "P1:X1", false);
  auto& reader = p.Gate(2, 300, 100, TObjGatter::And, 1);  // inverter
  p.Wire(2, {&second.Pin(), &reader.Input(0)});
  auto& inverted = p.Wire(2, {&reader.Output()}, "INV.0");
  auto& stranger = p.Label(2, 100, 500, "P9:X9", true);
  auto& unrelated = p.Wire(2, {&stranger.Pin()});

  SimEngine engine(p.project);
  engine.SetAllPagesOpen(true);
  ASSERT_TRUE(engine.StartSimulation());
  engine.Toggle(p.f1->Input(0));
  for (int i = 0; i < 3; ++i) engine.Tick();
  EXPECT_EQ(p.out->Marked, 1);
  EXPECT_EQ(inverted.Marked, 0);
  EXPECT_EQ(unrelated.Marked, 0);
}

TEST(SimLabels, TheSourcePageMustBeOpenForTheLevelToCross) {
  AcrossPages p;
  SimEngine engine(p.project);
  engine.SetPageOpen(1, true);
  ASSERT_TRUE(engine.StartSimulation());
  engine.Toggle(p.f1->Input(0));
  for (int i = 0; i < 3; ++i) engine.Tick();
  EXPECT_EQ(p.out->Marked, 0);
  engine.SetPageOpen(0, true);
  engine.Tick();
  engine.Tick();
  EXPECT_EQ(p.out->Marked, 1);
}

TEST(SimSupply, GndAndVccHoldTheirNetsAgainstClicks) {
  PlanFixture f;
  auto& vcc = f.Supply(0, 20, 20, TObjGnd::kVcc);
  auto& gnd = f.Supply(0, 20, 200, TObjGnd::kGnd);
  auto& gate = f.Gate(0, 100, 100, TObjGatter::And, 2);
  auto& high = f.Wire(0, {&vcc.Pin(), &gate.Input(0)});
  auto& low = f.Wire(0, {&gnd.Pin(), &gate.Input(1)});
  auto& out = f.Wire(0, {&gate.Output()}, "RB.0");
  SimEngine engine(f.project);
  engine.SetPageOpen(0, true);
  ASSERT_TRUE(engine.StartSimulation());
  engine.Tick();
  EXPECT_EQ(high.Marked, 1);
  EXPECT_EQ(low.Marked, 0);
  EXPECT_EQ(out.Marked, 0);

  // A click pulls the GND net up until the next tick, when GND drives it down again.
  engine.Toggle(low);
  EXPECT_EQ(gate.Input(1).Marked, 1);
  engine.Tick();
  EXPECT_EQ(low.Marked, 0);
  EXPECT_EQ(out.Marked, 0);
  engine.StopSimulation();
  EXPECT_TRUE(f.HighElements().empty());
}

TEST(SimSupply, VccCarriedToAnotherPageByALabel) {
  PlanFixture f;
  auto& vcc = f.Supply(0, 20, 20, TObjGnd::kVcc);
  auto& source = f.Label(0, 100, 20, "P1:X1", true);
  f.Wire(0, {&vcc.Pin(), &source.Pin()});
  auto& destination = f.Label(3, 100, 20, "P1:X1", false);
  auto& net = f.Wire(3, {&destination.Pin()}, "RB.3");
  SimEngine engine(f.project);
  engine.SetAllPagesOpen(true);
  ASSERT_TRUE(engine.StartSimulation());
  engine.Tick();
  engine.Tick();
  EXPECT_EQ(net.Marked, 1);
  EXPECT_EQ(engine.NetLevel("RB.3"), 1);
}

}  // namespace
}  // namespace tolmek
