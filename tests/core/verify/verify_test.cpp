// The check on the simulated chip, end to end on the first-steps example: agreement, a divergence planted in
// the generated program, benches the plan cannot run, a part gpsim lacks, and the command line.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "codegen/processors.h"
#include "model/project_file.h"
#include "verify/gputils.h"
#include "verify/vcd.h"
#include "verify/verify.h"

namespace tolmek {
namespace {

// RB.4 = RB.0 AND RB.1; RB.7 stays low.
constexpr const char* kBench =
    "0 set RB.0 0\n"
    "100 set RB.0 1\n"
    "200 set RB.1 1\n"
    "250 expect RB.4 1\n"
    "300 set RB.0 0\n"
    "350 expect RB.4 0 within 20\n";

class VerifyExample : public ::testing::Test {
 protected:
  void SetUp() override {
    FixedPassword none;
    ASSERT_TRUE(OpenProject(project_, std::string(TOLMEK_SOURCE_DIR) + "/examples/first-steps.pic", none));
  }
  Bench Read(const std::string& text) {
    BenchReading r = ReadBench(text, "t.tbench");
    EXPECT_TRUE(r.problems.empty());
    return r.bench;
  }
  RecordingSink sink_;
  Messenger messenger_{&sink_};
  Project project_{messenger_};
};

TEST_F(VerifyExample, AgreesAndSeesAGateOutputFlippedInTheProgram) {
  if (!HaveGpasm() || !HaveGpsim()) GTEST_SKIP() << "gputils/gpsim not installed";
  const Bench bench = Read(kBench);
  const VerifyReport good = Verify(project_, bench);
  EXPECT_EQ(good.outcome, VerifyReport::Outcome::Agree) << DescribeReport(good).front();
  EXPECT_EQ(good.gpsimModel, "p16f84");
  ASSERT_EQ(good.chip.channels.size(), 4u);  // RB.0, RB.1, RB.4, RB.7
  const std::string vcd = VcdText({{"simulation", &good.simulated, false}, {"chip", &good.chip, true}});
  EXPECT_NE(vcd.find("$var wire 1 ' portb4 $end"), std::string::npos) << vcd;
  EXPECT_NE(vcd.find("#210\n1\"\n1#\n1&\n1'\n"), std::string::npos) << "RB.4 rises on both sides at 210 ms\n" << vcd;

  VerifyOptions flip;
  flip.alterSource = [](std::string& source) {
    const size_t at = source.find("BSF PORTB,4");
    ASSERT_NE(at, std::string::npos);
    source.replace(at, 3, "BCF");
  };
  const VerifyReport bad = Verify(project_, bench, flip);
  EXPECT_EQ(bad.outcome, VerifyReport::Outcome::Differ);
  ASSERT_TRUE(bad.divergence);
  EXPECT_EQ(bad.divergence->signal, "RB.4");
  EXPECT_EQ(bad.divergence->ms, 210) << "the step in which RB.1 made the AND true";
  EXPECT_EQ(bad.divergence->simulated, 1);
  EXPECT_EQ(bad.divergence->chip, 0);
  EXPECT_TRUE(bad.simulationFailures.empty());
  ASSERT_EQ(bad.chipFailures.size(), 1u);
  EXPECT_EQ(bad.chipFailures.front().line.line, 4);
}

TEST_F(VerifyExample, BenchesThePlanCannotRunAreRefusedLineByLine) {
  const VerifyReport r = Verify(project_, Read("0 set RB.9 1\n10 set RB.4 1\n20 set RB.0 2\n30 watch RB.7\n"));
  EXPECT_EQ(r.outcome, VerifyReport::Outcome::BadBench);
  std::vector<std::pair<Msg, int>> found;
  for (const auto& p : r.problems) found.emplace_back(p.number, p.line);
  const std::vector<std::pair<Msg, int>> expected = {
      {Msg::BenchUnknownName, 1}, {Msg::BenchValueRange, 3}, {Msg::BenchSetsOutput, 2}};
  EXPECT_EQ(found, expected);
  EXPECT_EQ(DescribeProblem(r.problems.front(), Language::English),
            "t.tbench:1: Error 69 : no net or variable of this name in the plan -> RB.9 ");
}

TEST_F(VerifyExample, APartGpsimDoesNotModelIsNotAPass) {
  if (!HaveGpasm() || !HaveGpsim()) GTEST_SKIP() << "gputils/gpsim not installed";
  int unmodelled = -1;
  for (int type = 0; type < ProcessorCount && unmodelled < 0; ++type)
    if (GpsimProcessor(std::string(ProcessorName(type))).empty()) unmodelled = type;
  ASSERT_GE(unmodelled, 0);
  project_.Mcu.ProcessorType = unmodelled;
  const VerifyReport r = Verify(project_, Read(kBench));
  EXPECT_EQ(r.outcome, VerifyReport::Outcome::NotChecked);
  ASSERT_EQ(r.notes.size(), 1u);
  EXPECT_NE(r.notes.front().find("73 : gpsim does not model this PIC"), std::string::npos) << r.notes.front();
  EXPECT_FALSE(r.simulated.rows.empty()) << "the simulation side still ran";
}

// The command line: a bench with bad lines names each line and fails; a good one passes; verify agrees.
TEST(BenchCommands, ReportBadLinesAndPassGoodBenches) {
  ScratchDir dir("bench_cli");
  const std::string plan = (dir.path() / "plan.pic").string();
  std::filesystem::copy_file(std::string(TOLMEK_SOURCE_DIR) + "/examples/first-steps.pic", plan);
  auto run = [&](const std::string& command, const std::string& bench) {
    std::ofstream(dir.path() / "plan.tbench") << bench;
    const std::string err = (dir.path() / "err.txt").string();
    const int status = std::system((std::string(TOLMEKC_PATH) + " " + command + " " + plan + " >/dev/null 2>" + err).c_str());
    std::ifstream in(err);
    return std::make_pair(WEXITSTATUS(status), std::string(std::istreambuf_iterator<char>(in), {}));
  };
  auto [code, err] = run("test", "0 set RB.0 1\n5 oops\n10 set RB.0 0\n1 set RB.1 1\n");
  EXPECT_EQ(code, 1);
  EXPECT_NE(err.find("plan.tbench:2: Error 68"), std::string::npos) << err;
  EXPECT_NE(err.find("plan.tbench:4: Error 70"), std::string::npos) << err;
  EXPECT_EQ(run("test", kBench).first, 0);
  EXPECT_EQ(run("test", std::string(kBench) + "400 expect RB.4 1\n").first, 1);
  if (!HaveGpasm() || !HaveGpsim()) return;
  EXPECT_EQ(run("verify", kBench).first, 0);
  if (!std::filesystem::exists("/usr/bin/gpasm")) return;
  // Without gpsim on the path: not a pass, and the message says what to install.
  std::filesystem::create_directory(dir.path() / "bin");
  std::filesystem::create_symlink("/usr/bin/gpasm", dir.path() / "bin" / "gpasm");
  const std::string out = (dir.path() / "out.txt").string();
  const int status = std::system(("PATH=" + (dir.path() / "bin").string() + " " + TOLMEKC_PATH + " verify " + plan +
                                  " >" + out + " 2>&1").c_str());
  EXPECT_EQ(WEXITSTATUS(status), 3);
  std::ifstream in(out);
  const std::string text(std::istreambuf_iterator<char>(in), {});
  EXPECT_NE(text.find("72 : gpsim not found - please install the package gpsim"), std::string::npos) << text;
}

}  // namespace
}  // namespace tolmek
