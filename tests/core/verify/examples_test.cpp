// The shipped examples as benches: each plan meets its bench on the screen, and on the simulated chip
// wherever gpsim models the part; together they show every kind.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <set>

#include "codegen/analysis.h"
#include "codegen/process.h"
#include "codegen/program_writer.h"
#include "components/registry.h"
#include "model/project_file.h"
#include "sim/plan_variables.h"
#include "support/gputils_runner.h"
#include "support/test_project.h"
#include "verify/sim_bench.h"

namespace tolmek {
namespace {

namespace fs = std::filesystem;

const fs::path kExamples = fs::path(TOLMEK_SOURCE_DIR) / "examples";
// These must be checked on the chip: gpsim models their parts.
const std::set<std::string> kMustAgreeOnChip = {"every-kind-16f877", "kinds-16f84", "kinds-12c508a"};
constexpr int kNotModelled = 3;

std::vector<fs::path> ExamplePlans() {
  std::vector<fs::path> plans;
  for (const auto& entry : fs::directory_iterator(kExamples))
    if (entry.path().extension() == ".pic") plans.push_back(entry.path());
  std::sort(plans.begin(), plans.end());
  return plans;
}

void Open(test::TestProject& t, const fs::path& plan) {
  FixedPassword none;
  ASSERT_TRUE(OpenProject(t.project, plan.string(), none)) << plan;
}

TEST(ExampleBenches, EveryPlanMeetsItsBenchOnScreenAndChip) {
  const bool chip = test::HaveGpasm() && test::HaveGpsim();
  std::set<std::string> agreed;
  for (const fs::path& plan : ExamplePlans()) {
    SCOPED_TRACE(plan.filename().string());
    ASSERT_TRUE(fs::exists(fs::path(plan).replace_extension(".tbench"))) << "every example has a bench";
    const ProcessResult screen = RunProcess({TOLMEKC_PATH, "test", plan.string()});
    EXPECT_EQ(screen.ExitCode, 0) << screen.Output;
    if (!chip) continue;
    const ProcessResult verify = RunProcess({TOLMEKC_PATH, "verify", plan.string(), "--time-limit", "60"});
    const std::string name = plan.stem().string();
    if (verify.ExitCode == kNotModelled && !kMustAgreeOnChip.count(name)) continue;
    EXPECT_EQ(verify.ExitCode, 0) << verify.Output;
    if (verify.ExitCode == 0) agreed.insert(name);
  }
  if (!chip) GTEST_SKIP() << "gputils/gpsim not installed: only the screen side was checked";
  for (const std::string& name : kMustAgreeOnChip) EXPECT_TRUE(agreed.count(name)) << name;
}

TEST(ExampleBenches, TheSixteenF877ExampleHoldsEveryKind) {
  test::TestProject t;
  Open(t, kExamples / "every-kind-16f877.pic");
  std::set<uint8_t> present;
  for (const auto& e : t.project.Elements()) present.insert(e->Kind);
  for (const KindInfo& k : KnownKinds()) EXPECT_TRUE(present.count(k.code)) << k.className;
}

// What a bench name becomes in a run: a pin of the chip, a variable in RAM, or a net only the screen has.
TEST(ExampleBenches, BenchNamesAreClassifiedAsTheChipKeepsThem) {
  test::TestProject t;
  Open(t, kExamples / "kinds-16f84.pic");
  SimEngine engine(t.project);
  AddPlanVariables(t.project, engine);
  Analysis analysis(t.project);
  analysis.VariableWindowOpen = true;
  ProgramWriter writer(t.project, analysis);
  (void)writer.GenerateText();

  struct Case {
    const char* name;
    std::optional<Signal::Kind> kind;  // nothing: not recorded at all
    bool output = false;
  };
  const Case cases[] = {
      {"RB.0", Signal::Kind::Pin},
      {"RA.0", Signal::Kind::Pin, true},
      {"ZR1", Signal::Kind::Variable},     // a byte net that pins carry is the counter's variable
      {"FLAG", Signal::Kind::Variable},    // the byte that holds the bit nets FLAG.0 ..
      {"TRIG.0", Signal::Kind::InnerNet},  // a bit of the plan that no port holds
      {"RA.4", std::nullopt},              // the pulse output's pin: the screen never shows its pulse
  };
  std::string text;
  for (const Case& c : cases)
    if (c.kind && *c.kind != Signal::Kind::Pin) text += std::string("0 watch ") + c.name + "\n";
  const BenchReading reading = ReadBench(text, "t.tbench");
  ASSERT_TRUE(reading.problems.empty());
  const BenchSignals channels = SignalsOf(reading.bench, analysis, engine);
  ASSERT_TRUE(channels.problems.empty());
  for (const Case& c : cases) {
    auto found = std::find_if(channels.channels.begin(), channels.channels.end(),
                              [&](const Signal& s) { return s.name == c.name; });
    ASSERT_EQ(found != channels.channels.end(), c.kind.has_value()) << c.name;
    if (!c.kind) continue;
    EXPECT_EQ(found->kind, *c.kind) << c.name;
    EXPECT_EQ(found->output, c.output) << c.name;
  }
}

}  // namespace
}  // namespace tolmek
