// Nets that share a bit name are one signal while simulating, as they are one bit on the chip.
#include <gtest/gtest.h>

#include "core/sim/sim_fixture.h"
#include "sim/engine.h"

namespace tolmek {
namespace {

using simtest::PlanFixture;

TObjGatter& Buffer(PlanFixture& p, int page, int x, int y) {
  auto& gate = p.Gate(page, x, y, TObjGatter::And, 1);
  gate.Output().Inverted = false;
  return gate;
}

TEST(SimNamesakes, ABitWrittenOnOnePageIsReadOnAnotherWithoutWireOrLabel) {
  // Page 1: RB.0 -> buffer -> RB.4. Page 2: RB.4 -> buffer -> RB.5, a net of its own named RB.4 too.
  PlanFixture p;
  auto& first = Buffer(p, 0, 100, 100);
  auto& second = Buffer(p, 1, 100, 100);
  p.Wire(0, {&first.Input(0)}, "RB.0");
  auto& written = p.Wire(0, {&first.Output()}, "RB.4");
  auto& read = p.Wire(1, {&second.Input(0)}, "RB.4");
  auto& out = p.Wire(1, {&second.Output()}, "RB.5");
  SimEngine engine(p.project);
  engine.SetAllPagesOpen(true);
  ASSERT_TRUE(engine.StartSimulation());
  engine.SetNetLevel("RB.0", 1);
  engine.Tick();
  EXPECT_EQ(written.Marked, 1);
  EXPECT_EQ(read.Marked, 1);
  EXPECT_EQ(out.Marked, 1) << "the chip drives RB.5 high";
  engine.SetNetLevel("RB.0", 0);
  engine.Tick();
  EXPECT_EQ(out.Marked, 0);

  // A click on one net of the name reaches the others at once; a pin named without a node takes part.
  auto& lone = Buffer(p, 1, 300, 100);
  engine.StopSimulation();
  lone.Input(0).SetName("RB.4");
  ASSERT_TRUE(engine.StartSimulation());
  engine.Toggle(read);
  EXPECT_EQ(written.Marked, 1);
  EXPECT_EQ(lone.Input(0).Marked, 1);
  engine.StopSimulation();
  for (const auto& e : p.project.Elements())
    if (e->IsNode()) EXPECT_EQ(static_cast<const TObjKnoten&>(*e).Namesakes, nullptr) << "undone at the stop";
}

TEST(SimNamesakes, OnlyBitNamesJoin) {
  // Unnamed bit nets (".") and byte names are no bits of the chip: they stay apart.
  PlanFixture p;
  auto& a = Buffer(p, 0, 100, 100);
  auto& b = Buffer(p, 0, 100, 300);
  p.project.Options.AutoSignals = false;
  auto& na = p.Wire(0, {&a.Output()});
  auto& nb = p.Wire(0, {&b.Input(0)});
  ASSERT_EQ(na.Name, ".");
  ASSERT_EQ(nb.Name, ".");
  SimEngine engine(p.project);
  engine.SetAllPagesOpen(true);
  ASSERT_TRUE(engine.StartSimulation());
  engine.Toggle(a.Input(0));
  engine.Tick();
  EXPECT_EQ(na.Marked, 1);
  EXPECT_EQ(nb.Marked, 0);
}

}  // namespace
}  // namespace tolmek
