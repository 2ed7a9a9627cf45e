// The timing and counting blocks in `tolmekc simulate` against their program in gpsim (16F84, 4 MHz): for
// the same inputs on RA.0..RA.3 the outputs RB.0..RB.7 agree step by step; where time decides, every change
// of an output happens in the same step on both sides or in the next.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <sys/wait.h>

#include "codegen/analysis.h"
#include "codegen/program_writer.h"
#include "components/puls.h"
#include "components/shot.h"
#include "components/sregist.h"
#include "components/timer.h"
#include "components/vrzaehl.h"
#include "components/zaehler.h"
#include "core/sim/sim_fixture.h"
#include "model/project_file.h"
#include "support/gputils_runner.h"

namespace tolmek {
namespace {

using simtest::PlanFixture;
using Levels = std::vector<std::array<int, 4>>;
using Rows = std::vector<std::vector<int>>;

struct Timing {
  int rate = 100;          // ms per simulation tick
  int ticksPerStep = 6;
  [[nodiscard]] uint64_t CyclesPerStep() const { return uint64_t(rate) * ticksPerStep * 1000; }
};

class TimingAgainstProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!test::HaveGpasm() || !test::HaveGpsim()) GTEST_SKIP() << "gputils/gpsim not installed";
  }

  Rows Simulated(Project& project, const Levels& steps, int outputs, Timing t, const test::ScratchDir& dir) {
    const std::string plan = (dir.path() / "PLAN.PIC").string();
    EXPECT_TRUE(SaveProject(project, plan));
    std::ostringstream command;
    command << TOLMEKC_PATH << " simulate " << plan << " --rate " << t.rate << " --ticks "
            << steps.size() * size_t(t.ticksPerStep) << " --watch ";
    for (int b = 0; b < outputs; ++b) command << (b ? "," : "") << "RB." << b;
    for (size_t k = 0; k < steps.size(); ++k)
      for (int i = 0; i < 4; ++i)
        if (used_[size_t(i)])
          command << " --set RA." << i << "=" << steps[k][size_t(i)] << "@" << k * size_t(t.ticksPerStep) + 1;
    command << " 2>" << (dir.path() / "stderr.txt").string();
    FILE* pipe = ::popen(command.str().c_str(), "r");
    std::string out;
    std::array<char, 4096> buffer{};
    for (size_t n; (n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;) out.append(buffer.data(), n);
    const int status = ::pclose(pipe);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command.str();
    Rows rows;
    std::istringstream lines(out);
    std::string line;
    std::getline(lines, line);
    while (std::getline(lines, line)) {
      std::vector<int> fields;
      std::istringstream cells(line);
      for (std::string cell; std::getline(cells, cell, ',');) fields.push_back(std::stoi(cell));
      if (fields.size() == size_t(outputs) + 2 && fields[0] > 0 && fields[0] % t.ticksPerStep == 0)
        rows.emplace_back(fields.begin() + 2, fields.end());
    }
    EXPECT_EQ(rows.size(), steps.size()) << out;
    return rows;
  }

  Rows Programmed(Project& project, const Levels& steps, int outputs, Timing t, const test::ScratchDir& dir) {
    Analysis analysis(project);
    ProgramWriter writer(project, analysis);
    writer.GenerateText();
    test::Assembly a = test::Assemble(writer.Text(), dir.path());
    EXPECT_TRUE(a.Clean()) << a.Report();
    if (!a.Clean()) return {};
    test::GpsimRun run(a);
    const uint64_t cycles = t.CyclesPerStep();
    for (int i = 0; i < 4; ++i) {
      if (!used_[size_t(i)]) continue;
      std::vector<std::pair<uint64_t, int>> edges{{0, steps.front()[size_t(i)]}};
      for (size_t k = 1; k < steps.size(); ++k) edges.push_back({k * cycles + 1500, steps[k][size_t(i)]});
      run.Drive("porta" + std::to_string(i), edges);
    }
    std::vector<size_t> samples;
    for (size_t k = 0; k < steps.size(); ++k) samples.push_back(run.Sample((k + 1) * cycles, "portb"));
    EXPECT_TRUE(run.Run()) << run.Output();
    Rows rows;
    for (size_t s : samples) {
      const int64_t portb = run.Value(s).value_or(-1);
      std::vector<int> bits;
      for (int b = 0; b < outputs; ++b) bits.push_back(portb < 0 ? -1 : int((portb >> b) & 1));
      rows.push_back(bits);
    }
    return rows;
  }

  // exact: the rows must be equal; otherwise each output must change as often on both sides, each change
  // at most one step apart.
  void ExpectAgreement(PlanFixture& plan, const Levels& steps, int outputs, Timing t, bool exact) {
    plan.project.Mcu.ProcessorType = 3;
    plan.project.Mcu.ClockHz = 4000000;
    for (int i = 0; i < 4; ++i) {
      used_[size_t(i)] = false;
      for (const auto& e : plan.project.Elements())
        if (e->IsNode() && e->Name == "RA." + std::to_string(i)) used_[size_t(i)] = true;
    }
    test::ScratchDir dir(::testing::UnitTest::GetInstance()->current_test_info()->name());
    const Rows simulated = Simulated(plan.project, steps, outputs, t, dir);
    const Rows programmed = Programmed(plan.project, steps, outputs, t, dir);
    ASSERT_EQ(simulated.size(), programmed.size());
    if (exact) {
      for (size_t k = 0; k < steps.size(); ++k) EXPECT_EQ(simulated[k], programmed[k]) << "step " << k;
      return;
    }
    for (int o = 0; o < outputs; ++o) {
      std::vector<size_t> a, b;
      for (size_t k = 1; k < steps.size(); ++k) {
        if (simulated[k][size_t(o)] != simulated[k - 1][size_t(o)]) a.push_back(k);
        if (programmed[k][size_t(o)] != programmed[k - 1][size_t(o)]) b.push_back(k);
      }
      std::ostringstream both;
      for (size_t k = 0; k < steps.size(); ++k) both << simulated[k][size_t(o)];
      both << " / ";
      for (size_t k = 0; k < steps.size(); ++k) both << programmed[k][size_t(o)];
      EXPECT_EQ(simulated.front()[size_t(o)], programmed.front()[size_t(o)]) << "RB." << o << ": " << both.str();
      ASSERT_EQ(a.size(), b.size()) << "RB." << o << " (simulated / programmed): " << both.str();
      for (size_t c = 0; c < a.size(); ++c)
        EXPECT_LE(a[c] > b[c] ? a[c] - b[c] : b[c] - a[c], 1u) << "RB." << o << ": " << both.str();
    }
  }

  std::array<bool, 4> used_{};
};

// CLK on RA.0, RES on RA.1, D and R / V on RA.2, a one-shot's input on RA.3.
TEST_F(TimingAgainstProgram, CountersShiftRegisterAndOneShot) {
  PlanFixture p;
  auto& counter = p.Create<TObjZaehler>(kind::Zaehler, 0, 100, 100);
  counter.SetOutputCount(2);
  auto& shift = p.Create<TObjSregist>(kind::Sregist, 0, 100, 300);
  shift.SetOutputCount(2);
  auto& updown = p.Create<TObjVrzaehl>(kind::Vrzaehl, 0, 100, 500);
  updown.SetOutputCount(1);
  auto& shot = p.Create<TObjShot>(kind::Shot, 0, 300, 100);
  auto& fed = p.Create<TObjZaehler>(kind::Zaehler, 0, 500, 100);
  fed.SetOutputCount(2);
  auto& gnd = p.Supply(0, 500, 300, TObjGnd::kGnd);
  p.Wire(0, {&counter.Clock(), &shift.Clock(), &updown.Clock()}, "RA.0");
  p.Wire(0, {&counter.ResetInput(), &shift.ResetInput(), &updown.ResetInput()}, "RA.1");
  p.Wire(0, {&shift.Data(), &updown.Direction()}, "RA.2");
  p.Wire(0, {&shot.Input()}, "RA.3");
  p.Wire(0, {&shot.Output(), &fed.Clock()}, "P.0");
  p.Wire(0, {&gnd.Pin(), &fed.ResetInput()}, "NORES.0");
  p.Wire(0, {&counter.Output(0)}, "RB.0");
  p.Wire(0, {&counter.Output(1)}, "RB.1");
  p.Wire(0, {&shift.Output(0)}, "RB.2");
  p.Wire(0, {&shift.Output(1)}, "RB.3");
  p.Wire(0, {&updown.Output(0)}, "RB.4");
  p.Wire(0, {&fed.Output(0)}, "RB.5");
  p.Wire(0, {&fed.Output(1)}, "RB.6");
  // Inputs CLK, RES, D / R/V, one-shot.
  const Levels steps = {{1, 0, 1, 0}, {0, 0, 1, 1}, {1, 0, 0, 1}, {0, 0, 0, 0}, {1, 0, 1, 1}, {1, 1, 1, 0},
                        {0, 1, 1, 1}, {1, 1, 0, 0}, {1, 0, 0, 1}, {0, 0, 1, 0}, {1, 0, 1, 1}, {0, 0, 0, 1},
                        {1, 0, 0, 0}, {0, 0, 1, 1}, {1, 0, 1, 0}};
  ExpectAgreement(p, steps, 7, Timing{}, true);
}

// A timer of 25 ms half period, pulses of 30 ms (plain and retriggered) and delays of 30 ms, at 5 ms ticks.
TEST_F(TimingAgainstProgram, TimerMonoFlopAndDelays) {
  PlanFixture p;
  auto& timer = p.Create<TObjTimer>(kind::Timer, 0, 100, 100);
  timer.HalfPeriod = 25;
  auto make = [&](int y, bool delay, uint8_t delayKind, bool retrigger) -> TObjPuls& {
    auto& m = p.Create<TObjPuls>(kind::Puls, 0, 300, y);
    m.Length = 30;
    m.DelayFunction = delay;
    m.DelayKind = delayKind;
    m.Retrigger = retrigger;
    return m;
  };
  auto& pulse = make(100, false, 0, false);
  auto& retrig = make(200, false, 0, true);
  auto& on = make(300, true, TObjPuls::OnDelay, false);
  auto& off = make(400, true, TObjPuls::DropOutDelay, false);
  auto& inverted = make(500, false, 0, false);
  inverted.Input().Inverted = true;
  p.Wire(0, {&timer.Output()}, "RB.0");
  p.Wire(0, {&pulse.Input(), &retrig.Input()}, "RA.0");
  p.Wire(0, {&on.Input(), &off.Input()}, "RA.1");
  p.Wire(0, {&inverted.Input()}, "RA.2");
  p.Wire(0, {&pulse.Output()}, "RB.1");
  p.Wire(0, {&retrig.Output()}, "RB.2");
  p.Wire(0, {&on.Output()}, "RB.3");
  p.Wire(0, {&off.Output()}, "RB.4");
  p.Wire(0, {&inverted.Output()}, "RB.5");
  Levels steps;
  // 10 ms steps: RA.0 pulses at 10 and 30 ms and 100 ms, RA.1 high 10..80 ms and 120..130, RA.2 falls at 150.
  for (int k = 0; k < 24; ++k) {
    const int ms = k * 10;
    steps.push_back({int(ms == 10 || ms == 30 || ms == 100), int((ms >= 10 && ms < 80) || ms == 120), int(ms < 150), 0});
  }
  ExpectAgreement(p, steps, 6, Timing{5, 2}, false);
}

}  // namespace
}  // namespace tolmek
