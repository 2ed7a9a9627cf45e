// The simulator against the generated program: for the same input sequence, the levels `tolmekc simulate`
// settles to must be the pin levels of the program run in gpsim.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <sys/wait.h>

#include "codegen/analysis.h"
#include "codegen/program_writer.h"
#include "components/rsff.h"
#include "components/strigg8.h"
#include "core/sim/sim_fixture.h"
#include "model/project_file.h"
#include "support/gputils_runner.h"

namespace tolmek {
namespace {

using simtest::PlanFixture;

// One step of a sequence: levels of the inputs RA.0..RA.3 and values of byte variables, held for a while.
struct Step {
  std::array<int, 4> inputs{};
  std::map<std::string, int> values;
};

constexpr int kTicksPerStep = 6;
constexpr uint64_t kCyclesPerStep = 4000;
// The program clears its RAM first; later inputs and values change only once the main loop runs.
constexpr uint64_t kChangeOffset = 1500;

class SimulatorAgainstProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!test::HaveGpasm() || !test::HaveGpsim()) GTEST_SKIP() << "gputils/gpsim not installed";
  }

  // Levels of RB.0 .. RB.(outputs-1) at the end of every step, as tolmekc simulate prints them.
  std::vector<std::vector<int>> Simulated(Project& project, const std::vector<Step>& steps, int outputs,
                                          const test::ScratchDir& dir) {
    const std::string plan = (dir.path() / "PLAN.PIC").string();
    EXPECT_TRUE(SaveProject(project, plan));
    std::ostringstream command;
    command << TOLMEKC_PATH << " simulate " << plan << " --ticks " << steps.size() * kTicksPerStep << " --watch ";
    for (int b = 0; b < outputs; ++b) command << (b ? "," : "") << "RB." << b;
    for (size_t k = 0; k < steps.size(); ++k) {
      const size_t tick = k * kTicksPerStep + 1;
      for (int i = 0; i < 4; ++i)
        if (project_has_input_[i]) command << " --set RA." << i << "=" << steps[k].inputs[size_t(i)] << "@" << tick;
      for (const auto& [name, value] : steps[k].values) command << " --setvar " << name << "=" << value << "@" << tick;
    }
    command << " 2>" << (dir.path() / "stderr.txt").string();
    FILE* pipe = ::popen(command.str().c_str(), "r");
    std::string out;
    std::array<char, 4096> buffer{};
    for (size_t n; (n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;) out.append(buffer.data(), n);
    const int status = ::pclose(pipe);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command.str();
    std::ifstream errFile(dir.path() / "stderr.txt");
    std::string err((std::istreambuf_iterator<char>(errFile)), std::istreambuf_iterator<char>());
    EXPECT_EQ(err, "") << command.str();

    std::vector<std::vector<int>> rows;
    std::istringstream lines(out);
    std::string line;
    std::getline(lines, line);  // heading
    while (std::getline(lines, line)) {
      std::vector<int> fields;
      std::istringstream cells(line);
      for (std::string cell; std::getline(cells, cell, ',');) fields.push_back(std::stoi(cell));
      if (fields.size() == size_t(outputs) + 2 && fields[0] % kTicksPerStep == 0)
        rows.emplace_back(fields.begin() + 2, fields.end());
    }
    EXPECT_EQ(rows.size(), steps.size()) << out;
    return rows;
  }

  // The same from the generated program: PORTB bits at the end of every step.
  std::vector<std::vector<int>> Programmed(Project& project, const std::vector<Step>& steps, int outputs,
                                           const test::ScratchDir& dir) {
    Analysis analysis(project);
    ProgramWriter writer(project, analysis);
    writer.GenerateText();
    test::Assembly a = test::Assemble(writer.Text(), dir.path());
    EXPECT_TRUE(a.Clean()) << a.Report() << writer.Text();
    if (!a.Clean()) return {};

    test::GpsimRun run(a);
    for (int i = 0; i < 4; ++i) {
      if (!project_has_input_[i]) continue;
      // The first step's levels are there from power-up, as they are from the simulator's start.
      std::vector<std::pair<uint64_t, int>> edges{{0, steps.front().inputs[size_t(i)]}};
      for (size_t k = 1; k < steps.size(); ++k)
        edges.push_back({k * kCyclesPerStep + kChangeOffset, steps[k].inputs[size_t(i)]});
      run.Drive("porta" + std::to_string(i), edges);
    }
    for (size_t k = 0; k < steps.size(); ++k)
      for (const auto& [name, value] : steps[k].values) {
        // A word variable's high byte lives in NAME_HI; the simulator keeps both bytes in one value.
        for (const auto& [cell, byte] : {std::pair{name, value & 0xFF}, std::pair{name + "_HI", (value >> 8) & 0xFF}}) {
          auto address = a.Symbol(cell);
          if (!address) continue;
          std::ostringstream poke;
          poke << "reg(" << *address << ") = " << byte;
          run.Sample(k * kCyclesPerStep + kChangeOffset, poke.str());
        }
      }
    std::vector<size_t> samples;
    for (size_t k = 0; k < steps.size(); ++k) samples.push_back(run.Sample((k + 1) * kCyclesPerStep, "portb"));
    EXPECT_TRUE(run.Run()) << run.Output() << run.Script();

    std::vector<std::vector<int>> rows;
    for (size_t s : samples) {
      const int64_t portb = run.Value(s).value_or(-1);
      std::vector<int> bits;
      for (int b = 0; b < outputs; ++b) bits.push_back(portb < 0 ? -1 : int((portb >> b) & 1));
      rows.push_back(bits);
    }
    return rows;
  }

  void ExpectAgreement(PlanFixture& plan, const std::vector<Step>& steps, int outputs) {
    for (int i = 0; i < 4; ++i) {
      const std::string net = "RA." + std::to_string(i);
      project_has_input_[i] = false;
      for (const auto& e : plan.project.Elements())
        if (e->IsNode() && e->Name == net) project_has_input_[i] = true;
    }
    test::ScratchDir dir(::testing::UnitTest::GetInstance()->current_test_info()->name());
    const auto simulated = Simulated(plan.project, steps, outputs, dir);
    const auto programmed = Programmed(plan.project, steps, outputs, dir);
    ASSERT_EQ(simulated.size(), programmed.size());
    for (size_t k = 0; k < steps.size(); ++k) {
      std::ostringstream inputs;
      for (int level : steps[k].inputs) inputs << level;
      for (const auto& [name, value] : steps[k].values) inputs << " " << name << "=" << value;
      EXPECT_EQ(simulated[k], programmed[k]) << "step " << k << ", inputs RA.0..3 = " << inputs.str();
    }
  }

  std::array<bool, 4> project_has_input_{};
};

// Every combination of four inputs, in Gray code order so that each step changes one input.
std::vector<Step> AllInputCombinations() {
  std::vector<Step> steps;
  for (int n = 0; n < 16; ++n) {
    const int gray = n ^ (n >> 1);
    Step s;
    for (int i = 0; i < 4; ++i) s.inputs[size_t(i)] = (gray >> i) & 1;
    steps.push_back(s);
  }
  return steps;
}

TEST_F(SimulatorAgainstProgram, Gates) {
  PlanFixture p;
  auto& and3 = p.Gate(0, 100, 100, TObjGatter::And, 3);
  auto& or2 = p.Gate(0, 100, 200, TObjGatter::Or, 2);
  auto& xor3 = p.Gate(0, 100, 300, TObjGatter::ExclusiveOr, 3);
  auto& inverter = p.Gate(0, 100, 400, TObjGatter::And, 1);
  auto& mixed = p.Gate(0, 300, 100, TObjGatter::Or, 2);  // inverted input, inverted output
  auto& xor2 = p.Gate(0, 300, 300, TObjGatter::ExclusiveOr, 2);
  mixed.Input(1).Inverted = true;
  mixed.Output().Inverted = true;
  p.Wire(0, {&and3.Input(0), &or2.Input(0), &xor3.Input(0)}, "RA.0");
  p.Wire(0, {&and3.Input(1), &xor3.Input(1), &xor2.Input(1)}, "RA.1");
  p.Wire(0, {&and3.Input(2), &or2.Input(1), &inverter.Input(0)}, "RA.2");
  p.Wire(0, {&xor3.Input(2), &mixed.Input(1)}, "RA.3");
  p.Wire(0, {&and3.Output(), &mixed.Input(0)}, "RB.0");
  p.Wire(0, {&or2.Output()}, "RB.1");
  p.Wire(0, {&xor3.Output(), &xor2.Input(0)}, "RB.2");
  p.Wire(0, {&inverter.Output()}, "RB.3");
  p.Wire(0, {&mixed.Output()}, "RB.4");
  p.Wire(0, {&xor2.Output()}, "RB.5");
  ExpectAgreement(p, AllInputCombinations(), 6);
}

TEST_F(SimulatorAgainstProgram, GatesListedAgainstTheSignalFlowThroughInternalNets) {
  // The generated loop evaluates in list order just as one simulation pass does; levels settle within
  // a step on both sides.
  PlanFixture p;
  auto& last = p.Gate(0, 500, 100, TObjGatter::And, 2);
  auto& middle = p.Gate(0, 300, 100, TObjGatter::ExclusiveOr, 2);
  auto& first = p.Gate(0, 100, 100, TObjGatter::Or, 2);
  p.Wire(0, {&first.Input(0)}, "RA.0");
  p.Wire(0, {&first.Input(1), &middle.Input(1)}, "RA.1");
  p.Wire(0, {&first.Output(), &middle.Input(0)}, "M.0");
  p.Wire(0, {&middle.Output(), &last.Input(0)}, "M.1");
  p.Wire(0, {&last.Input(1)}, "RA.2");
  p.Wire(0, {&last.Output()}, "RB.0");
  ExpectAgreement(p, AllInputCombinations(), 1);
}

TEST_F(SimulatorAgainstProgram, RsFlipFlops) {
  PlanFixture p;
  auto& plain = p.Create<TObjRsff>(kind::Rsff, 0, 100, 100);
  auto& inverted = p.Create<TObjRsff>(kind::Rsff, 0, 100, 300);
  auto& fed = p.Create<TObjRsff>(kind::Rsff, 0, 300, 100);
  auto& gate = p.Gate(0, 300, 300, TObjGatter::And, 2);
  inverted.Output().Inverted = true;
  inverted.SetInput().Inverted = true;
  p.Wire(0, {&plain.SetInput(), &inverted.ResetInput(), &gate.Input(0)}, "RA.0");
  p.Wire(0, {&plain.ResetInput(), &fed.ResetInput()}, "RA.1");
  p.Wire(0, {&inverted.SetInput(), &gate.Input(1)}, "RA.2");
  p.Wire(0, {&gate.Output(), &fed.SetInput()}, "G.0");
  p.Wire(0, {&plain.Output()}, "RB.0");
  p.Wire(0, {&inverted.Output()}, "RB.1");
  p.Wire(0, {&fed.Output()}, "RB.2");
  std::vector<Step> steps;
  for (auto levels : std::vector<std::array<int, 4>>{{0, 0, 1, 0}, {1, 0, 1, 0}, {0, 0, 1, 0}, {1, 1, 1, 0},
                                                     {0, 1, 0, 0}, {0, 0, 0, 0}, {1, 0, 0, 0}, {0, 0, 1, 0},
                                                     {0, 1, 1, 0}, {0, 0, 1, 0}})
    steps.push_back(Step{levels, {}});
  ExpectAgreement(p, steps, 3);
}

TEST_F(SimulatorAgainstProgram, SchmittTriggers) {
  PlanFixture p;
  // Byte variables get their RAM cells from the names the plan writes; a GND on the top bit of each
  // gives it one (and keeps the values below 128 on both sides).
  for (const char* bit : {"LEVEL.7", "HYST.7", "WORD.7", "WORD_HI.7"}) {
    auto& gnd = p.Supply(0, 20, 20 + 40 * int(p.project.Elements().size()), TObjGnd::kGnd);
    p.Wire(0, {&gnd.Pin()}, bit);
  }
  auto& constant = p.Create<TObjStrigg8>(kind::Strigg8, 0, 100, 100);
  auto& variable = p.Create<TObjStrigg8>(kind::Strigg8, 0, 100, 300);
  auto& wide = p.Create<TObjStrigg8>(kind::Strigg8, 0, 100, 500);
  wide.SetWidth16(true);
  p.Wire(0, {&constant.In(), &variable.In()}, "LEVEL");
  p.Wire(0, {&constant.SetPoint()}, "100");
  p.Wire(0, {&constant.Hysteresis()}, "10");
  p.Wire(0, {&variable.SetPoint()}, "60");
  p.Wire(0, {&variable.Hysteresis()}, "HYST");
  p.Wire(0, {&wide.In()}, "WORD");
  p.Wire(0, {&wide.SetPoint()}, "600");
  p.Wire(0, {&wide.Hysteresis()}, "300");
  variable.Output().Inverted = true;
  p.Wire(0, {&constant.Output()}, "RB.0");
  p.Wire(0, {&variable.Output()}, "RB.1");
  p.Wire(0, {&wide.Output()}, "RB.2");
  std::vector<Step> steps;
  const int levels[] = {50, 99, 100, 95, 91, 90, 89, 120, 59, 60, 40, 20, 127};
  const int words[] = {0, 599, 600, 301, 300, 299, 0x7F7F, 0x0150, 0x0250, 0x0300, 0x0050, 0x0310, 0};
  for (size_t k = 0; k < std::size(levels); ++k)
    steps.push_back(Step{{}, {{"LEVEL", levels[k]}, {"HYST", k < 6 ? 5 : 30}, {"WORD", words[k]}}});
  ExpectAgreement(p, steps, 3);
}

TEST_F(SimulatorAgainstProgram, SuppliesAndLabelsAcrossPages) {
  PlanFixture p;
  auto& vcc = p.Supply(0, 20, 20, TObjGnd::kVcc);
  auto& gnd = p.Supply(0, 20, 100, TObjGnd::kGnd);
  auto& head = p.Gate(0, 100, 100, TObjGatter::And, 2);
  auto& blocked = p.Gate(0, 100, 300, TObjGatter::And, 2);
  p.Wire(0, {&vcc.Pin(), &head.Input(1)}, "H.0");
  p.Wire(0, {&gnd.Pin(), &blocked.Input(1)}, "L.0");
  p.Wire(0, {&head.Input(0), &blocked.Input(0)}, "RA.0");
  auto& source = p.Label(0, 300, 100, "P1:X1", true);
  p.Wire(0, {&head.Output(), &source.Pin()}, "LINK.0");
  p.Wire(0, {&blocked.Output()}, "RB.3");

  // Page 2 takes the carried level into an exclusive OR with RA.1; page 3 inverts it.
  auto& there = p.Label(1, 100, 100, "P1:X1", false);
  auto& xor2 = p.Gate(1, 300, 100, TObjGatter::ExclusiveOr, 2);
  p.Wire(1, {&there.Pin(), &xor2.Input(0)}, "LINK.0");
  p.Wire(1, {&xor2.Input(1)}, "RA.1");
  p.Wire(1, {&xor2.Output()}, "RB.0");
  auto& further = p.Label(2, 100, 100, "P1:X1", false);
  auto& inverter = p.Gate(2, 300, 100, TObjGatter::And, 1);
  p.Wire(2, {&further.Pin(), &inverter.Input(0)}, "LINK.0");
  p.Wire(2, {&inverter.Output()}, "RB.1");
  auto& vccOut = p.Supply(2, 20, 300, TObjGnd::kVcc);
  p.Wire(2, {&vccOut.Pin()}, "RB.2");
  ExpectAgreement(p, AllInputCombinations(), 4);
}

// Nets of one bit name are one bit on the chip, wire or no wire between them. Random plans of gates on
// three pages, every input on a net of its own that only shares its name with the net of the gate that
// drives it: the simulator must join them by name as the program does.
TEST_F(SimulatorAgainstProgram, NetsOfOneNameAreOneBitInRandomPlans) {
  const std::vector<std::string> inputs = {"RA.0", "RA.1", "RA.2", "RA.3"};
  const std::vector<std::string> targets = {"M.0", "RB.0", "M.1", "RB.1", "RB.2", "M.2", "RB.3", "RB.4", "RB.5"};
  for (unsigned seed = 1; seed <= 6; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    auto pick = [&random](size_t n) { return size_t(std::uniform_int_distribution<size_t>(0, n - 1)(random)); };
    PlanFixture p;
    // Each target is driven by one gate reading names that come before it; the gates are listed in an
    // order of their own, so levels also travel against the list within a step.
    std::vector<size_t> order(targets.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::shuffle(order.begin(), order.end(), random);
    for (size_t k : order) {
      const int page = int(pick(3));
      const int count = 1 + int(pick(3));
      const uint8_t type = uint8_t(pick(3));
      auto& gate = p.Gate(page, 100 + 200 * int(k % 5), 100 + 200 * int(k / 5), type, count);
      gate.Output().Inverted = pick(2) == 1;
      for (int i = 0; i < count; ++i) {
        gate.Input(i).Inverted = pick(4) == 0;
        const size_t from = pick(inputs.size() + k);
        const std::string& name = from < inputs.size() ? inputs[from] : targets[from - inputs.size()];
        p.Wire(int(pick(3)), {&gate.Input(i)}, name);
      }
      p.Wire(page, {&gate.Output()}, targets[k]);
    }
    ExpectAgreement(p, AllInputCombinations(), 6);
  }
}

}  // namespace
}  // namespace tolmek
