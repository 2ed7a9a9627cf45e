// tolmekc simulate run on saved plans: CSV rows, scripted inputs, watched nets, messages on stderr.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "components/rsff.h"
#include "components/strigg8.h"
#include "core/sim/sim_fixture.h"
#include "model/project_file.h"

namespace tolmek {
namespace {

namespace fs = std::filesystem;
using simtest::PlanFixture;

struct Outcome {
  int exitCode = -1;
  std::string out;
  std::string err;
};

class SimulateCli : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("tolmek_simulate_" + std::to_string(::getpid()) + "_" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Save(Project& project) {
    std::string path = (dir_ / "PLAN.PIC").string();
    EXPECT_TRUE(SaveProject(project, path));
    return path;
  }

  Outcome Simulate(const std::string& arguments) {
    const fs::path errFile = dir_ / "stderr.txt";
    std::string command = std::string(TOLMEKC_PATH) + " simulate " + arguments + " 2>" + errFile.string();
    Outcome run;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return run;
    std::array<char, 4096> buffer{};
    size_t n;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) run.out.append(buffer.data(), n);
    int status = ::pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream err(errFile);
    std::stringstream text;
    text << err.rdbuf();
    run.err = text.str();
    return run;
  }

  fs::path dir_;
};

// An OR of RA.0 and RA.1 onto RB.0; an RS flip-flop set by RA.0 and reset by RA.2 onto RB.1.
struct InputsPlan : PlanFixture {
  InputsPlan() {
    auto& gate = Gate(0, 100, 100, TObjGatter::Or, 2);
    auto& flipFlop = Create<TObjRsff>(kind::Rsff, 0, 100, 300);
    Wire(0, {&gate.Input(0), &flipFlop.SetInput()}, "RA.0");
    Wire(0, {&gate.Input(1)}, "RA.1");
    Wire(0, {&flipFlop.ResetInput()}, "RA.2");
    Wire(0, {&gate.Output()}, "RB.0");
    Wire(0, {&flipFlop.Output()}, "RB.1");
  }
};

TEST_F(SimulateCli, PrintsOneRowPerTickWithScriptedInputs) {
  InputsPlan plan;
  const std::string path = Save(plan.project);
  Outcome run = Simulate(path + " --ticks 5 --rate 20 --set RA.0=1@2 RA.0=0@3,RA.2=1@4 --set RA.1=1 "
                            "--watch RB.0,RB.1 --watch ra.2");
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out,
            "tick,ms,RB.0,RB.1,ra.2\n"
            "1,20,1,0,0\n"
            "2,40,1,1,0\n"
            "3,60,1,1,0\n"
            "4,80,1,0,1\n"
            "5,100,1,0,1\n");
  EXPECT_EQ(run.err, "");
}

TEST_F(SimulateCli, OnlyTheChosenPagesRun) {
  PlanFixture plan;
  // Gates that read their open, inverted input as high and so drive their outputs high once stepped.
  for (int page : {0, 1}) {
    auto& gate = plan.Gate(page, 100, 100, TObjGatter::Or, 2);
    gate.Input(0).Inverted = true;
    plan.Wire(page, {&gate.Output()}, "RB." + std::to_string(page));
  }
  const std::string path = Save(plan.project);
  Outcome run = Simulate(path + " --ticks 1 --pages 2 --watch RB.0,RB.1");
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "tick,ms,RB.0,RB.1\n1,100,0,1\n");
}

TEST_F(SimulateCli, ComponentMessagesGoToStderrTheRunGoesOnAndTheCommandFails) {
  PlanFixture plan;
  auto& trigger = plan.Create<TObjStrigg8>(kind::Strigg8, 0, 100, 100);
  plan.Wire(0, {&trigger.In()}, "LEVEL");
  const std::string path = Save(plan.project);
  Outcome run = Simulate(path + " --ticks 2");
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out, "tick,ms\n1,100\n2,200\n");
  EXPECT_NE(run.err.find("18 : unknown variable at input"), std::string::npos) << run.err;
}

TEST_F(SimulateCli, RefusesWhatItCannotRun) {
  InputsPlan plan;
  const std::string path = Save(plan.project);
  for (const std::string& args : std::vector<std::string>{path + " --ticks 2 --watch NOPE.0", path + " --ticks 2 --set NOPE.0=1",
                                 path + " --ticks 2 --set RA.0=2", path + " --ticks 2 --setvar NOPE=3@1",
                                 path + " --ticks x", path + " --pages 11 --ticks 1", path + " --rate 0 --ticks 1",
                                 path, "--ticks 2", path + " --ticks 2 --set"}) {
    Outcome run = Simulate(args);
    EXPECT_EQ(run.exitCode, 2) << args;
    EXPECT_EQ(run.out, "") << args;
    EXPECT_NE(run.err, "") << args;
  }
  Outcome missing = Simulate((dir_ / "MISSING.PIC").string() + " --ticks 1");
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.err.find("7 :"), std::string::npos) << missing.err;
}

}  // namespace
}  // namespace tolmek
