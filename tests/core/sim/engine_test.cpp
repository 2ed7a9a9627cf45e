// The engine's rules: passes and time, open pages, abort and hold, start/stop, clicks and change reports.
#include "sim/engine.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "components/rsff.h"
#include "core/sim/sim_fixture.h"

namespace tolmek {
namespace {

using simtest::AddProbe;
using simtest::ChangeLog;
using simtest::PlanFixture;
using simtest::Probe;
using Outcome = SimEngine::TickOutcome;

bool Contains(const std::vector<TBauteil*>& list, const TBauteil* e) {
  return std::find(list.begin(), list.end(), e) != list.end();
}

TEST(SimEngine, EachTickRunsTwoPassesAndTimePassesOnlyInTheFirst) {
  PlanFixture f;
  std::vector<std::string> order;
  Probe& late = AddProbe(f.project, 2, "LATE");
  Probe& early = AddProbe(f.project, 0, "EARLY");
  late.onStep = [&](SimContext&) { order.push_back("LATE"); };
  early.onStep = [&](SimContext&) { order.push_back("EARLY"); };
  SimEngine engine(f.project);
  engine.SetAllPagesOpen(true);
  engine.SetSimRate(25);
  f.project.CurrentPage = 7;

  ASSERT_TRUE(engine.StartSimulation());
  for (int i = 0; i < 3; ++i) EXPECT_EQ(engine.Tick(), Outcome::Stepped);

  ASSERT_EQ(early.steps.size(), 6u);
  int timeSeen = 0;
  for (size_t i = 0; i < early.steps.size(); ++i) {
    EXPECT_EQ(early.steps[i].rate, i % 2 == 0 ? 25 : 0);
    EXPECT_EQ(early.steps[i].page, 0);
    EXPECT_EQ(late.steps[i].page, 2);
    timeSeen += early.steps[i].rate;
  }
  // A component that adds up the time it is told sees exactly one period per tick.
  EXPECT_EQ(timeSeen, 75);
  EXPECT_EQ(engine.ElapsedMs(), 75);
  EXPECT_EQ(engine.TickCount(), 3);
  // Pages are walked in order, the list order within each page; the current page comes back afterwards.
  EXPECT_EQ(order[0], "EARLY");
  EXPECT_EQ(order[1], "LATE");
  EXPECT_EQ(f.project.CurrentPage, 7);
  EXPECT_EQ(engine.SimRate(), 25);
}

TEST(SimEngine, SecondPassCarriesLevelsBackwardsThroughTheListOnce) {
  // Three buffers listed against the signal flow: each pass moves a change by one gate backwards,
  // so a tick (two passes) moves it by exactly two.
  PlanFixture f;
  auto& third = f.Gate(0, 300, 100, TObjGatter::Or, 2);
  auto& second = f.Gate(0, 200, 100, TObjGatter::Or, 2);
  auto& first = f.Gate(0, 100, 100, TObjGatter::Or, 2);
  f.Wire(0, {&first.Output(), &second.Input(0)});
  f.Wire(0, {&second.Output(), &third.Input(0)});
  SimEngine engine(f.project);
  engine.SetPageOpen(0, true);
  ASSERT_TRUE(engine.StartSimulation());
  engine.Tick();

  ASSERT_TRUE(engine.Toggle(first.Input(0)));
  engine.Tick();
  EXPECT_EQ(first.Output().GetMarked(), 1);
  EXPECT_EQ(second.Output().GetMarked(), 1);
  EXPECT_EQ(third.Output().GetMarked(), 0);
  engine.Tick();
  EXPECT_EQ(third.Output().GetMarked(), 1);
}

TEST(SimEngine, ObjectsOnPagesWithoutAWindowAreNotStepped) {
  PlanFixture f;
  Probe& onOne = AddProbe(f.project, 0);
  Probe& onThree = AddProbe(f.project, 2);
  auto& gate = f.Gate(2, 100, 100, TObjGatter::Or, 2);
  gate.Input(0).Inverted = true;  // reads 1 while open: the gate would drive its output high
  SimEngine engine(f.project);
  engine.SetPageOpen(0, true);
  engine.SetPageOpen(1, true);
  ASSERT_TRUE(engine.StartSimulation());
  engine.Tick();
  engine.Tick();
  EXPECT_EQ(onOne.steps.size(), 4u);
  EXPECT_TRUE(onThree.steps.empty());
  EXPECT_EQ(gate.Output().Marked, 0);

  // Opening the window while running brings the page in at the next tick.
  engine.SetPageOpen(2, true);
  engine.Tick();
  EXPECT_EQ(onThree.steps.size(), 2u);
  EXPECT_EQ(gate.Output().Marked, 1);
}

TEST(SimEngine, AbortRequestedAtStartEndsTheRunAtTheFirstTickAfterTheComponentsMessage) {
  PlanFixture f;
  Probe& failing = AddProbe(f.project, 0, "BROKEN");
  Probe& healthy = AddProbe(f.project, 0);
  failing.failAtStart = true;
  ChangeLog log;
  SimEngine engine(f.project);
  engine.SetObserver(&log);
  engine.SetPageOpen(0, true);

  ASSERT_TRUE(engine.StartSimulation());
  EXPECT_EQ(f.sink.Numbers(), std::vector<int>{17});
  EXPECT_EQ(healthy.starts, 1);

  EXPECT_EQ(engine.Tick(), Outcome::Aborted);
  EXPECT_EQ(f.sink.Numbers(), (std::vector<int>{17, 41}));
  EXPECT_FALSE(engine.Running());
  EXPECT_FALSE(f.project.SimActive);
  EXPECT_TRUE(healthy.steps.empty());
  EXPECT_EQ(healthy.stops, 1);
  EXPECT_EQ(log.switches, (std::vector<bool>{true, false}));
  EXPECT_EQ(engine.Tick(), Outcome::Idle);

  // A fresh start forgets the old request.
  failing.failAtStart = false;
  ASSERT_TRUE(engine.StartSimulation());
  EXPECT_EQ(engine.Tick(), Outcome::Stepped);
}

TEST(SimEngine, AbortRequestedInAStepLetsTheTickFinishAndStopsAtTheNext) {
  PlanFixture f;
  Probe& asker = AddProbe(f.project, 0);
  Probe& after = AddProbe(f.project, 0);
  asker.onStep = [](SimContext& ctx) { ctx.RequestAbort(); };
  SimEngine engine(f.project);
  engine.SetPageOpen(0, true);
  ASSERT_TRUE(engine.StartSimulation());
  EXPECT_EQ(engine.Tick(), Outcome::Stepped);
  EXPECT_EQ(after.steps.size(), 2u);
  EXPECT_EQ(engine.Tick(), Outcome::Aborted);
  EXPECT_EQ(f.sink.Numbers(), std::vector<int>{41});
}

TEST(SimEngine, TicksAreSkippedWhileHeld) {
  PlanFixture f;
  Probe& probe = AddProbe(f.project, 0);
  SimEngine engine(f.project);
  engine.SetPageOpen(0, true);
  ASSERT_TRUE(engine.StartSimulation());

  engine.SetHold(true);
  engine.RequestAbort();  // a message box is open: not even an abort is acted on
  for (int i = 0; i < 3; ++i) EXPECT_EQ(engine.Tick(), Outcome::Held);
  EXPECT_TRUE(probe.steps.empty());
  EXPECT_EQ(engine.ElapsedMs(), 0);
  EXPECT_TRUE(f.sink.entries.empty());
  engine.SetHold(false);
  EXPECT_EQ(engine.Tick(), Outcome::Aborted);
}

TEST(SimEngine, ATickArrivingWhileAStepShowsAMessageIsSkipped) {
  // A modal message box keeps the event loop running, so the timer can fire inside a step.
  PlanFixture f;
  Probe& probe = AddProbe(f.project, 0);
  SimEngine engine(f.project);
  std::vector<Outcome> nested;
  probe.onStep = [&](SimContext& ctx) {
    if (!nested.empty()) return;
    ctx.SetHold(true);
    nested.push_back(engine.Tick());
    ctx.SetHold(false);
  };
  engine.SetPageOpen(0, true);
  ASSERT_TRUE(engine.StartSimulation());
  EXPECT_EQ(engine.Tick(), Outcome::Stepped);
  EXPECT_EQ(nested, std::vector<Outcome>{Outcome::Held});
  EXPECT_EQ(probe.steps.size(), 2u);
  EXPECT_EQ(engine.TickCount(), 1);
}

TEST(SimEngine, StartAndStopAreIdempotent) {
  PlanFixture f;
  Probe& probe = AddProbe(f.project, 0);
  ChangeLog log;
  SimEngine engine(f.project);
  engine.SetObserver(&log);
  engine.SetPageOpen(0, true);

  EXPECT_FALSE(engine.StopSimulation());
  EXPECT_TRUE(engine.StartSimulation());
  engine.Tick();
  EXPECT_FALSE(engine.StartSimulation());
  EXPECT_EQ(probe.starts, 1);
  EXPECT_EQ(engine.TickCount(), 1);  // a second start does not restart the run
  EXPECT_TRUE(engine.StopSimulation());
  EXPECT_FALSE(engine.StopSimulation());
  EXPECT_EQ(probe.stops, 1);
  EXPECT_EQ(log.switches, (std::vector<bool>{true, false}));
  EXPECT_EQ(log.fullRepaints, 2);
}

TEST(SimEngine, EveryPinAndNodeIsLowAfterStopAndNothingIsSelected) {
  PlanFixture f;
  auto& vcc = f.Supply(0, 20, 20, TObjGnd::kVcc);
  auto& inverter = f.Gate(0, 100, 100, TObjGatter::And, 1);
  auto& flipFlop = f.Create<TObjRsff>(kind::Rsff, 0, 200, 100);
  auto& follower = f.Gate(0, 300, 100, TObjGatter::Or, 2);
  follower.Output().Inverted = true;
  f.Wire(0, {&vcc.Pin(), &flipFlop.SetInput()});
  f.Wire(0, {&inverter.Output()});
  auto& out = f.Wire(0, {&follower.Output()}, "RB.0");

  // Selected elements while editing: the same byte becomes the level, so start must clear it.
  inverter.Marked = 1;
  vcc.Marked = 1;
  flipFlop.Output().Marked = 1;
  SimEngine engine(f.project);
  engine.SetPageOpen(0, true);
  RedrawListener* before = f.project.Redraw;
  ASSERT_TRUE(engine.StartSimulation());
  // Every output starts at logical 0: only the inverted ones and their nets are high.
  const std::vector<const TBauteil*> atStart = {&inverter.Output(), &follower.Output(), &out};
  auto high = f.HighElements();
  std::sort(high.begin(), high.end());
  auto expected = atStart;
  std::sort(expected.begin(), expected.end());
  const TBauteil* inverterNet = inverter.Output().Partner;
  expected.insert(std::lower_bound(expected.begin(), expected.end(), inverterNet), inverterNet);
  EXPECT_EQ(high, expected);
  EXPECT_TRUE(f.project.SimActive);
  engine.Tick();
  ASSERT_FALSE(f.HighElements().empty());
  EXPECT_EQ(flipFlop.Output().GetMarked(), 1);
  EXPECT_EQ(engine.NetLevel("RB.0"), 1);  // inverted output of an OR of two lows

  ASSERT_TRUE(engine.StopSimulation());
  EXPECT_TRUE(f.HighElements().empty());
  EXPECT_FALSE(f.project.SimActive);
  EXPECT_EQ(f.project.Redraw, before);
}

TEST(SimEngine, AFlipFlopWithAnInvertedOutputStartsReset) {
  // The generated program starts every output bit at its inversion, i.e. at logical 0; so does the run.
  PlanFixture f;
  auto& flipFlop = f.Create<TObjRsff>(kind::Rsff, 0, 200, 100);
  flipFlop.Output().Inverted = true;
  auto& out = f.Wire(0, {&flipFlop.Output()}, "RB.0");
  ChangeLog log;
  SimEngine engine(f.project);
  engine.SetObserver(&log);
  engine.SetPageOpen(0, true);
  ASSERT_TRUE(engine.StartSimulation());
  engine.Tick();
  EXPECT_EQ(flipFlop.Output().GetMarked(), 0);
  EXPECT_EQ(out.Marked, 1);
  EXPECT_EQ(log.batches, 0);  // shown by the full repaint of the start

  // Setting it is reported although the start never reported the high level.
  engine.Toggle(flipFlop.SetInput());
  engine.Tick();
  EXPECT_EQ(flipFlop.Output().GetMarked(), 1);
  EXPECT_EQ(out.Marked, 0);
  EXPECT_TRUE(Contains(log.last, &out));
}

TEST(SimEngine, ARingOfNodesTogglesOnceAndStops) {
  PlanFixture f;
  auto& reader = f.Gate(0, 100, 100, TObjGatter::Or, 2);
  auto& a = f.Create<TObjKnoten>(kind::Knoten, 0, 400, 400);
  auto& b = f.Create<TObjKnoten>(kind::Knoten, 0, 500, 400);
  auto& c = f.Create<TObjKnoten>(kind::Knoten, 0, 450, 500);
  ASSERT_TRUE(Connect(a, b));
  ASSERT_TRUE(Connect(b, c));
  ASSERT_TRUE(Connect(c, a));
  ASSERT_TRUE(Connect(c, reader.Input(1)));

  // Counted below the engine: every element of the ring is redrawn exactly once.
  struct Counter final : RedrawListener {
    std::vector<TBauteil*> seen;
    void ElementChanged(TBauteil& e) override { seen.push_back(&e); }
  } counter;
  f.project.Redraw = &counter;
  a.SetMarked(1);
  EXPECT_EQ(counter.seen.size(), 4u);
  for (TBauteil* e : std::vector<TBauteil*>{&a, &b, &c, &reader.Input(1)})
    EXPECT_EQ(std::count(counter.seen.begin(), counter.seen.end(), e), 1) << e->Name;
  a.SetMarked(0);
  f.project.Redraw = nullptr;

  ChangeLog log;
  SimEngine engine(f.project);
  engine.SetObserver(&log);
  engine.SetPageOpen(0, true);
  ASSERT_TRUE(engine.StartSimulation());
  ASSERT_TRUE(engine.Toggle(b));
  EXPECT_EQ(a.Marked, 1);
  EXPECT_EQ(b.Marked, 1);
  EXPECT_EQ(c.Marked, 1);
  EXPECT_EQ(reader.Input(1).Marked, 1);
  EXPECT_EQ(log.batches, 1);
  EXPECT_EQ(log.last.size(), 4u);
  ASSERT_TRUE(engine.Toggle(c));
  EXPECT_EQ(a.Marked + b.Marked + c.Marked + reader.Input(1).Marked, 0);
}

TEST(SimEngine, AClickedOpenGateInputKeepsItsLevelAndTheOutputFollowsAtTheNextTick) {
  PlanFixture f;
  auto& gate = f.Gate(0, 100, 100, TObjGatter::Or, 2);
  auto& out = f.Wire(0, {&gate.Output()}, "RB.1");
  SimEngine engine(f.project);
  engine.SetPageOpen(0, true);
  ASSERT_TRUE(engine.StartSimulation());
  engine.Tick();

  // The first input sits at (110, 110) on the plan; a click a little off still lands on it.
  EXPECT_EQ(engine.ToggleAt(113, 114, 0), &gate.Input(0));
  EXPECT_EQ(gate.Input(0).Marked, 1);
  EXPECT_EQ(out.Marked, 0);
  engine.Tick();
  EXPECT_EQ(out.Marked, 1);
  for (int i = 0; i < 3; ++i) engine.Tick();
  EXPECT_EQ(gate.Input(0).Marked, 1);
  EXPECT_EQ(out.Marked, 1);

  // The window may be scrolled: the click is in plan units, the hit test in the window's frame.
  EXPECT_EQ(engine.ToggleAt(110, 110, 0, Point{-60, -40}), &gate.Input(0));
  engine.Tick();
  EXPECT_EQ(gate.Input(0).Marked, 0);
  EXPECT_EQ(out.Marked, 0);

  EXPECT_EQ(engine.ToggleAt(110, 110, 1), nullptr);  // another page
  EXPECT_EQ(engine.ToggleAt(700, 700, 0), nullptr);  // nothing there
}

TEST(SimEngine, ClickingFindsJunctionNodesAndTogglesInvertedOutputs) {
  PlanFixture f;
  auto& gate = f.Gate(0, 100, 100, TObjGatter::Or, 2);
  gate.Output().Inverted = true;
  auto& reader = f.Gate(0, 300, 100, TObjGatter::Or, 2);
  auto& node = f.Create<TObjKnoten>(kind::Knoten, 0, 600, 600);
  ASSERT_TRUE(Connect(node, gate.Output()));
  ASSERT_TRUE(Connect(node, reader.Input(0)));
  SimEngine engine(f.project);
  engine.SetPageOpen(0, true);
  ASSERT_TRUE(engine.StartSimulation());
  ASSERT_EQ(node.Marked, 1);  // the inverted output starts at logical 0, a high wire

  // The wire level of an inverted output flips, not only its stored inverse.
  EXPECT_EQ(engine.ToggleAt(140, 120, 0), &gate.Output());
  EXPECT_EQ(gate.Output().Marked, 0);
  EXPECT_EQ(node.Marked, 0);
  EXPECT_EQ(reader.Input(0).Marked, 0);
  EXPECT_EQ(engine.ToggleAt(140, 120, 0), &gate.Output());
  EXPECT_EQ(gate.Output().Marked, 1);
  EXPECT_EQ(reader.Input(0).Marked, 1);

  EXPECT_EQ(engine.ToggleAt(600, 600, 0), &node);
  EXPECT_EQ(node.Marked, 0);
  EXPECT_EQ(reader.Input(0).Marked, 0);
  EXPECT_EQ(gate.Output().Marked, 1);  // a net never drives back into its output

  EXPECT_FALSE(engine.Toggle(gate));  // a block itself has no level to click
  engine.StopSimulation();
  EXPECT_FALSE(engine.Toggle(node));  // nor does anything while editing
  EXPECT_EQ(node.Marked, 0);
}

TEST(SimEngine, ReportsOnlyWhatChangedOncePerTick) {
  PlanFixture f;
  auto& first = f.Gate(0, 100, 100, TObjGatter::Or, 2);
  auto& second = f.Gate(0, 200, 100, TObjGatter::Or, 2);
  auto& net = f.Wire(0, {&first.Output(), &second.Input(0)});
  auto& end = f.Wire(0, {&second.Output()});
  auto& vcc = f.Supply(0, 20, 20, TObjGnd::kVcc);
  f.Wire(0, {&vcc.Pin()});
  ChangeLog log;
  SimEngine engine(f.project);
  engine.SetObserver(&log);
  engine.SetPageOpen(0, true);
  ASSERT_TRUE(engine.StartSimulation());
  EXPECT_EQ(log.fullRepaints, 1);
  engine.Tick();  // VCC rises: its pin and node
  EXPECT_EQ(log.batches, 1);
  EXPECT_TRUE(Contains(log.last, &vcc.Pin()));

  engine.Tick();  // nothing changes: nothing to repaint, although VCC sets its pin in every pass
  EXPECT_EQ(log.batches, 1);

  engine.Toggle(first.Input(0));
  EXPECT_EQ(log.batches, 2);
  EXPECT_EQ(log.last, std::vector<TBauteil*>{&first.Input(0)});
  engine.Tick();
  EXPECT_EQ(log.batches, 3);
  for (const TBauteil* e : std::vector<const TBauteil*>{&first.Output(), &net, &second.Input(0), &second.Output(), &end})
    EXPECT_TRUE(Contains(log.last, e)) << e->Name;
  EXPECT_EQ(log.last.size(), 5u);
  EXPECT_EQ(log.fullRepaints, 1);
}

TEST(SimEngine, NetsAreSetAndReadByName) {
  PlanFixture f;
  auto& gate = f.Gate(0, 100, 100, TObjGatter::And, 2);
  f.Wire(0, {&gate.Input(0)}, "RA.0");
  gate.Input(1).SetName("RA.1");  // an open pin that carries a name of its own
  f.Wire(0, {&gate.Output()}, "RB.0");
  SimEngine engine(f.project);
  engine.SetPageOpen(0, true);
  ASSERT_TRUE(engine.StartSimulation());
  EXPECT_TRUE(engine.SetNetLevel("ra.0", 1));
  EXPECT_TRUE(engine.SetNetLevel("RA.1", 1));
  EXPECT_FALSE(engine.SetNetLevel("RA.7", 1));
  engine.Tick();
  EXPECT_EQ(engine.NetLevel("RB.0"), 1);
  EXPECT_EQ(engine.NetLevel("RA.1"), 1);
  EXPECT_EQ(engine.NetLevel("RA.7"), -1);
  engine.SetNetLevel("RA.1", 0);
  engine.Tick();
  EXPECT_EQ(engine.NetLevel("RB.0"), 0);
}

TEST(SimEngine, RateIsClampedAndTheVariableTableOutlivesRuns) {
  PlanFixture f;
  SimEngine engine(f.project);
  engine.SetSimRate(0);
  EXPECT_EQ(engine.SimRate(), 1);
  engine.SetSimRate(100000);
  EXPECT_EQ(engine.SimRate(), 65535);

  const std::vector<std::string> names = {"COUNT", "level", "", "COUNT"};
  engine.AddVariables(names);
  ASSERT_EQ(engine.Variables().Records().size(), 2u);
  SimVariable* count = engine.Variables().Find("count");
  ASSERT_NE(count, nullptr);
  EXPECT_EQ(count->Name, "COUNT");
  EXPECT_NE(engine.Variables().Find("LEVEL"), nullptr);
  count->Value = 42;

  // Values are the components' business: a run and a rebuild by the next analysis keep them.
  engine.SetPageOpen(0, true);
  engine.StartSimulation();
  engine.Tick();
  engine.StopSimulation();
  const std::vector<std::string> more = {"NEW", "COUNT"};
  engine.AddVariables(more);
  EXPECT_EQ(engine.Variables().Find("COUNT"), count);
  EXPECT_EQ(count->Value, 42);
  EXPECT_EQ(engine.Variables().Records().back().Name, "NEW");
}

}  // namespace
}  // namespace tolmek
