// The build: source naming, assembler command, error file, stale files, build number, MPLAB files, tolmekc.
#include "codegen/build.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "codegen/process.h"
#include "components/gnd.h"
#include "model/project_file.h"
#include "settings/ini_file.h"
#include "support/gputils_runner.h"
#include "writer_fixture.h"

namespace tolmek {
namespace {
namespace fs = std::filesystem;

std::string Read(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void Write(const fs::path& p, const std::string& text) {
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out << text;
}

TEST(BuildNames, SourceTakesTheWholeBaseNameAndIsNeverTheProjectFile) {
  EXPECT_EQ(DefaultSourcePath("/p/A.V1.pic"), "/p/A.V1.ASM");
  EXPECT_EQ(DefaultSourcePath("plan.pic"), "plan.ASM");
  EXPECT_EQ(DefaultSourcePath("/p/X.ASM"), "/p/X.ASM.ASM");
  EXPECT_EQ(DefaultSourcePath("/p/x.asm"), "/p/x.asm.ASM");
}

TEST(BuildNames, AssemblerCommandLines) {
  EXPECT_EQ(AssemblerArguments("gpasm", "/p/A B.ASM"), (std::vector<std::string>{"gpasm", "-k", "-i", "/p/A B.ASM"}));
  EXPECT_EQ(AssemblerArguments("/opt/bin/gpasm-1.4", "A.ASM")[1], "-k");
  EXPECT_EQ(AssemblerArguments("/opt/mp/mpasmwin.exe", "/p/A.ASM"),
            (std::vector<std::string>{"/opt/mp/mpasmwin.exe", "/C-", "/Q+", "/p/A.ASM"}));
}

TEST(BuildNames, ErrorFileIsFoundWhateverTheCaseOfItsExtension) {
  test::ScratchDir dir("sibling");
  Write(dir.path() / "A.V1.err", "x");
  EXPECT_EQ(fs::path(SiblingFile((dir.path() / "A.V1.ASM").string(), ".ERR")).filename(), "A.V1.err");
  EXPECT_EQ(fs::path(SiblingFile((dir.path() / "B.ASM").string(), ".ERR")).filename(), "B.ERR");
}

TEST(BuildNames, OnlyTheIncludeNameWarningIsFiltered) {
  int errors = 0, warnings = 0;
  const std::string text =
      "Warning[231] T.ASM 17 : Found lower case match for include filename.\n"
      "Warning[202] T.ASM 40 : Argument out of range.  Least significant bits used.\n"
      "Error[113]   T.ASM 94 : Symbol not previously defined: \"PORTZ\"\n";
  const std::string shown = FilterErrorText(text, errors, warnings);
  EXPECT_EQ(errors, 1);
  EXPECT_EQ(warnings, 1);
  EXPECT_EQ(shown.find("lower case"), std::string::npos);
  EXPECT_NE(shown.find("Argument out of range"), std::string::npos);
}

TEST(BuildNumber, CountsUpAndCarriesIntoTheMinorVersion) {
  ProjectInfo info;
  info.MajorVersion = 1;
  info.MinorVersion = 0;
  info.BuildNumber = 254;
  IncrementBuildNumber(info);
  EXPECT_EQ(info.BuildNumber, 255);
  IncrementBuildNumber(info);
  EXPECT_EQ(info.MajorVersion, 1);
  EXPECT_EQ(info.MinorVersion, 1);
  EXPECT_EQ(info.BuildNumber, 0);
}

struct BuildFixture : test::WriterFixture {
  test::ScratchDir dir{"build"};
  explicit BuildFixture(int type = 3) : WriterFixture(type) {
    project().ProjectFileName = (dir.path() / "A.V1.pic").string();
  }
  fs::path Beside(const std::string& name) const { return dir.path() / name; }
};

TEST(Build, AssemblesTheProjectsSourceAndReportsTheFigures) {
  if (!test::HaveGpasm()) GTEST_SKIP() << "gpasm not installed";
  BuildFixture f;
  auto& vcc = f.tp.Add<TObjGnd>(kind::Gnd);
  vcc.SetSupply(TObjGnd::kVcc, true);
  vcc.Pin().Name = "LAMP.0";
  f.project().Info.BuildNumber = 255;
  // Whatever an earlier build left must not be taken for this build's result.
  Write(f.Beside("A.V1.ERR"), "Error[999] old\n");
  Write(f.Beside("A.V1.lst"), "old listing\n");

  const BuildResult r = Build(f.writer, BuildOptions{});
  EXPECT_TRUE(r.Succeeded()) << r.ErrorText;
  EXPECT_EQ(r.SourcePath, f.Beside("A.V1.ASM").string());
  EXPECT_EQ(r.Runs, 1);
  EXPECT_EQ(r.ErrorCount, 0);
  EXPECT_EQ(r.ErrorText, "") << "the include-name warning is not shown";
  EXPECT_FALSE(fs::exists(f.Beside("A.V1.ERR")));
  EXPECT_NE(Read(fs::path(r.ListingPath)).find("gpasm"), std::string::npos);
  EXPECT_EQ(r.RamUsed, 1);
  EXPECT_EQ(r.RamSize, 68);
  EXPECT_EQ(r.RomSize, 1024);
  EXPECT_GT(r.RomUsed, 20);
  EXPECT_EQ(f.project().Info.MinorVersion, 1);
  EXPECT_EQ(f.project().Info.BuildNumber, 0);
  EXPECT_FALSE(f.project().Saved);

  const IniFile pjt = [&] {
    IniFile i;
    i.Load(f.Beside("A.V1.PJT"));
    return i;
  }();
  EXPECT_EQ(pjt.ReadString("PROJECT", "Target"), "A.V1.HEX");
  EXPECT_EQ(pjt.ReadString("PROJECT", "Processor"), "0x684a");
  EXPECT_EQ(pjt.ReadString("Target Data", "Filelist"), "A.V1.ASM;");
  IniFile wat;
  wat.Load(f.Beside("A.V1.WAT"));
  EXPECT_EQ(wat.ReadString("Watch_Name", "Watch_Name"), "A.V1");
  EXPECT_EQ(wat.ReadString("Watch_Registers", "0"), "LAMP");
}

TEST(Build, AssemblerErrorsFailTheBuild) {
  if (!test::HaveGpasm()) GTEST_SKIP() << "gpasm not installed";
  BuildFixture f;
  f.analysis.AfterDeclarations = [](Analysis& a) { a.RegisterVariable("ADC1"); };  // no converter: no READ_AN1
  const BuildResult r = Build(f.writer, BuildOptions{});
  EXPECT_FALSE(r.Succeeded());
  EXPECT_GE(r.ErrorCount, 1);
  EXPECT_NE(r.ErrorText.find("READ_AN1"), std::string::npos) << r.ErrorText;
  EXPECT_EQ(f.tp.sink.Numbers(), std::vector<int>{38});
}

TEST(Build, AStaleSourceIsNeverAssembled) {
  BuildFixture f;
  BuildOptions o;
  o.SourcePath = (f.dir.path() / "missing" / "A.ASM").string();
  const BuildResult r = Build(f.writer, o);
  EXPECT_FALSE(r.SourceWritten);
  EXPECT_EQ(r.Runs, 0);
  EXPECT_FALSE(r.Succeeded());

  BuildFixture big(3);
  for (int i = 0; i < 1100; ++i) {
    auto& g = big.tp.Add<TObjGnd>(kind::Gnd);
    g.Pin().Name = "RB.1";
  }
  const BuildResult out = Build(big.writer, BuildOptions{});
  EXPECT_TRUE(out.OutOfRom);
  EXPECT_EQ(out.Runs, 0);
  EXPECT_EQ(big.tp.sink.Numbers(), std::vector<int>{39});
  EXPECT_EQ(big.project().Info.BuildNumber, 0) << "no build happened";
}

TEST(Build, AMissingAssemblerShowsMessage2AndAFailingOneFails) {
  BuildFixture f;
  BuildOptions o;
  o.Assembler = (f.dir.path() / "no-such-assembler").string();
  EXPECT_FALSE(Build(f.writer, o).AssemblerStarted);
  EXPECT_EQ(f.tp.sink.Numbers(), std::vector<int>{2});

  BuildFixture g;
  o.Assembler = "false";
  const BuildResult r = Build(g.writer, o);
  EXPECT_TRUE(r.AssemblerStarted);
  EXPECT_FALSE(r.Succeeded()) << "the exit status counts even without an error file";
}

TEST(Build, AnExistingMplabProjectKeepsItsOtherKeys) {
  BuildFixture f(23);
  f.project().Mcu.IcdMode = true;
  f.project().Mcu.ClockHz = 20000000.4;
  Write(f.Beside("A.V1.PJT"), "[PROJECT]\nProcessor=0x684a\nOwnKey=kept\n[Fuses]\nFrequency=1\n");
  ASSERT_TRUE(WriteMplabProject(f.project(), f.Beside("A.V1.ASM").string()));
  IniFile pjt;
  pjt.Load(f.Beside("A.V1.PJT"));
  EXPECT_EQ(pjt.ReadString("PROJECT", "Processor"), "0x877f");
  EXPECT_EQ(pjt.ReadString("PROJECT", "Development_Mode"), "4");
  EXPECT_EQ(pjt.ReadString("PROJECT", "OwnKey"), "kept");
  EXPECT_EQ(pjt.ReadString("Fuses", "Frequency"), "20000000");
}

TEST(Build, WatchFileJoinsHighBytes) {
  test::WriterFixture f(3);
  f.analysis.AfterDeclarations = [](Analysis& a) {
    for (const char* n : {"COUNT", "COUNT_HI", "LG_FD", "X"}) a.RegisterVariable(n);
  };
  f.analysis.RunAnalysis(true);
  test::ScratchDir dir("watch");
  ASSERT_TRUE(WriteWatchFile(f.analysis, (dir.path() / "W.ASM").string()));
  IniFile wat;
  wat.Load(dir.path() / "W.WAT");
  EXPECT_EQ(wat.ReadString("Watch_Registers", "0"), "COUNT");
  EXPECT_EQ(wat.ReadString("Watch_Size", "0"), "BIT16");
  EXPECT_EQ(wat.ReadString("Watch_Registers", "1"), "LG_FD");
  EXPECT_EQ(wat.ReadString("Watch_Format", "1"), "BIN");
  EXPECT_EQ(wat.ReadString("Watch_Registers", "2"), "X");
  EXPECT_EQ(wat.ReadString("Watch_Registers", "3"), "RAM");
  EXPECT_FALSE(wat.Get("Watch_Registers", "4").has_value());
}

TEST(TolmekcCodegen, GenerateAndBuildAPlan) {
  if (!test::HaveGpasm()) GTEST_SKIP() << "gpasm not installed";
  test::ScratchDir dir("cli");
  // The user's own settings (their assembler) must not decide the outcome.
  ::setenv("XDG_CONFIG_HOME", dir.path().c_str(), 1);
  const fs::path plan = dir.path() / "first.steps.pic";
  fs::copy_file(fs::path(TOLMEK_SOURCE_DIR) / "examples" / "first-steps.pic", plan);
  const ProcessResult gen = RunProcess({TOLMEKC_PATH, "generate", plan.string()});
  EXPECT_EQ(gen.ExitCode, 0) << gen.Output;
  const std::string source = Read(dir.path() / "first.steps.ASM");
  EXPECT_NE(source.find("\tPROCESSOR 16F84"), std::string::npos);
  EXPECT_TRUE(fs::exists(dir.path() / "first.steps.PJT"));

  const ProcessResult build = RunProcess({TOLMEKC_PATH, "build", plan.string()});
  EXPECT_EQ(build.ExitCode, 0) << build.Output;
  EXPECT_NE(build.Output.find("ROM: "), std::string::npos) << build.Output;
  EXPECT_NE(build.Output.find(" (1024)"), std::string::npos) << build.Output;
  EXPECT_NE(build.Output.find("RAM: 0 (68)"), std::string::npos) << build.Output;

  const ProcessResult missing = RunProcess({TOLMEKC_PATH, "build", (dir.path() / "none.pic").string(), "--lang", "de"});
  EXPECT_NE(missing.ExitCode, 0);
  EXPECT_NE(missing.Output.find("Fehler"), std::string::npos) << missing.Output;
  ::unsetenv("XDG_CONFIG_HOME");
}

TEST(TolmekcCodegen, ChipWarningsArePrintedAndTheBuildStillSucceeds) {
  if (!test::HaveGpasm()) GTEST_SKIP() << "gpasm not installed";
  test::ScratchDir dir("cli-warnings");
  ::setenv("XDG_CONFIG_HOME", dir.path().c_str(), 1);
  test::TestProject t;
  auto& vcc = t.Add<TObjGnd>(kind::Gnd);
  vcc.SetSupply(TObjGnd::kVcc, true);
  vcc.Pin().Name = "RA.4";
  t.project.Mcu.ClockHz = 8e6;  // on XT
  const fs::path plan = dir.path() / "ra4.pic";
  ASSERT_TRUE(SaveProject(t.project, plan.string()));

  for (const char* command : {"build", "generate"}) {
    SCOPED_TRACE(command);
    const ProcessResult r = RunProcess({TOLMEKC_PATH, command, plan.string()});
    EXPECT_EQ(r.ExitCode, 0) << r.Output;
    EXPECT_NE(r.Output.find("warning 65: RA4 is open drain and drives high only with a pull-up resistor"),
              std::string::npos)
        << r.Output;
    EXPECT_NE(r.Output.find("-> RA.4 - VCC\n"), std::string::npos) << r.Output;
    EXPECT_NE(r.Output.find("warning 66: clock frequency too high for the oscillator setting -> 8000000 Hz > "
                            "4000000 Hz (XT)\n"),
              std::string::npos)
        << r.Output;
  }
  ::unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
}  // namespace tolmek
