// The include block: its record, its text at the five places, and its length measured by the build.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "codegen/build.h"
#include "codegen/program_writer.h"
#include "components/gatter.h"
#include "components/inc.h"
#include "model/project_file.h"
#include "support/test_project.h"

namespace tolmek {
namespace {

namespace fs = std::filesystem;
using test::TestProject;

std::string Generate(Project& project) {
  Analysis analysis(project);
  ProgramWriter writer(project, analysis);
  (void)writer.GenerateText();
  return writer.Text();
}

// The text between two markers of the generated program.
std::string Section(const std::string& text, std::string_view from, std::string_view to) {
  auto a = text.find(from);
  auto b = text.find(to, a == std::string::npos ? 0 : a);
  if (a == std::string::npos || b == std::string::npos) return {};
  return text.substr(a, b - a);
}

TEST(Inc, RecordKeepsEveryFieldThroughTheFile) {
  TestProject t;
  auto& inc = t.Add<TObjInc>(kind::Inc, 120, 340);
  EXPECT_EQ(inc.IncludeFile, "INCLUDE.INC");
  EXPECT_EQ(inc.Height, 20);
  inc.ApplySettings("/home/anna/MOTOR STEUERUNG.INC", TObjInc::Subroutines, 321);
  t.project.CurrentPage = 4;
  auto& second = t.Add<TObjInc>(kind::Inc, 10, 10);

  FixedPassword none;
  TestProject back;
  ASSERT_TRUE(ProjectFromBytes(back.project, ProjectToBytes(t.project), none));
  ASSERT_EQ(back.project.Elements().size(), 2u);
  auto& a = static_cast<TObjInc&>(*back.project.Elements()[0]);
  auto& b = static_cast<TObjInc&>(*back.project.Elements()[1]);
  EXPECT_EQ(a.IncludeFile, "/home/anna/MOTOR STEUERUNG.INC");
  EXPECT_EQ(a.IncludePosition, TObjInc::Subroutines);
  EXPECT_EQ(a.IncludeLength, 321);
  EXPECT_EQ(a.X, 120);
  EXPECT_EQ(b.Page, second.Page);
  EXPECT_EQ(b.Page, 4);
}

TEST(Inc, LengthFieldTakesUpToFourDigitsAndNothingElse) {
  EXPECT_EQ(TObjInc::ParseLength("12"), 12);
  EXPECT_EQ(TObjInc::ParseLength(" 9999 "), 9999);
  EXPECT_EQ(TObjInc::ParseLength("0"), 0);
  for (const char* bad : {"", "  ", "abc", "12a", "-1", "+5", "12345", "1.5"})
    EXPECT_FALSE(TObjInc::ParseLength(bad)) << '"' << bad << '"';
}

TEST(Inc, ListingLabelsAreMatchedWholeAndMessagesAreSkipped) {
  const std::string listing =
      "LOC    OBJECT CODE    LINE  SOURCE TEXT\n"
      "0010                  00030 BEGININC12\n"
      "Error[113]   A.ASM 31 : Symbol not previously defined (BEGININC1)\n"
      "0014                  00040 BEGININC1\n"
      "0014   0000           00041         NOP\n"
      "001A                  00050 ENDINC1\n"
      "0030                  00060 ENDINC12\n"
      "BEGININC1                         00000014\n";
  EXPECT_EQ(TObjInc::MeasureListing(listing, 1), 6);
  EXPECT_EQ(TObjInc::MeasureListing(listing, 12), 0x20);
  EXPECT_EQ(TObjInc::MeasureListing(listing, 2), std::nullopt);
  EXPECT_EQ(TObjInc::MeasureListing("0014       BEGININC3\n", 3), std::nullopt) << "no end label";
}

TEST(Inc, TextStandsAtItsPlaceAndCountsItsLength) {
  TestProject t;
  auto& inc = t.Add<TObjInc>(kind::Inc);
  inc.ApplySettings("MOTOR.INC", TObjInc::InitStart, 0);
  inc.IncludeLength = 7;
  Analysis analysis(t.project);
  ProgramWriter writer(t.project, analysis);
  (void)writer.GenerateText();
  const std::string text = writer.Text();
  const int32_t mainWith = writer.MainAddress();
  inc.IncludeLength = 0;
  (void)writer.GenerateText();
  // Everything after the file moves on by the entered length: the address of MAIN shows it.
  EXPECT_EQ(mainWith - writer.MainAddress(), 7);

  const std::string n = std::to_string(inc.Number);
  const std::string block = "BEGININC" + n + "\n\tERRORLEVEL +306\t; enable warning (Pageswitching)\n"
                            "\tERRORLEVEL +302\t; enable warning (Bankswitching)\n\n\tINCLUDE MOTOR.INC\n\n"
                            "\tERRORLEVEL -302\t; disable warning (Bankswitching)\n"
                            "\tERRORLEVEL -306\t; disable warning (Pageswitching)\nENDINC" + n + "\n\n";
  EXPECT_NE(Section(text, "\nSYS_INIT\n", "\nMAIN\n").find(block), std::string::npos) << text;
}

TEST(Inc, EachPositionWritesAtItsOwnHook) {
  struct Case {
    uint8_t position;
    std::string_view from, to;  // the section the text must stand in
  };
  const Case cases[] = {
      {TObjInc::InitStart, "\nSYS_INIT\n", "MOVWF INTCON"},
      {TObjInc::InitEnd, "; Set output before direction", "\nMAIN\n"},
      {TObjInc::MainStart, "\nMAIN\n", "GOTO MAIN"},
      {TObjInc::Subroutines, "; Subroutines", "\nSYS_INIT\n"},
  };
  for (const Case& c : cases) {
    TestProject t;
    auto& inc = t.Add<TObjInc>(kind::Inc);
    inc.ApplySettings("X.INC", c.position, 1);
    const std::string text = Generate(t.project);
    EXPECT_NE(Section(text, c.from, c.to).find("INCLUDE X.INC"), std::string::npos) << int(c.position) << text;
    EXPECT_EQ(text.find("INCLUDE X.INC"), text.rfind("INCLUDE X.INC")) << "written once";
  }
  TestProject t;
  t.Add<TObjInc>(kind::Inc).ApplySettings("X.INC", TObjInc::Interrupt, 1);
  EXPECT_EQ(Generate(t.project).find("X.INC"), std::string::npos)
      << "without an interrupt routine nothing calls the interrupt hook";
}

TEST(Inc, TwoBlocksGetDistinctLabels) {
  TestProject t;
  auto& a = t.Add<TObjInc>(kind::Inc);
  t.Add<TObjGatter>(kind::Gatter);
  auto& b = t.Add<TObjInc>(kind::Inc);
  a.ApplySettings("A.INC", TObjInc::MainStart, 0);
  b.ApplySettings("B.INC", TObjInc::MainStart, 0);
  ASSERT_NE(a.Number, b.Number);
  const std::string text = Generate(t.project);
  for (auto* inc : {&a, &b}) {
    EXPECT_NE(text.find("\n" + inc->BeginLabel() + "\n"), std::string::npos);
    EXPECT_NE(text.find("\n" + inc->EndLabel() + "\n"), std::string::npos);
  }
  EXPECT_NE(a.BeginLabel(), b.BeginLabel());
}

class IncBuild : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::system("gpasm -v >/dev/null 2>&1") != 0) GTEST_SKIP() << "gpasm is not installed";
    dir_ = fs::temp_directory_path() / ("tolmek_inc_" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  fs::path dir_;
};

TEST_F(IncBuild, TwelveWordsEnteredAsNoneAreMeasuredByTheFirstBuildAndTheSecondPasses) {
  {
    std::ofstream f(dir_ / "TWELVE.INC");
    for (int i = 0; i < 12; ++i) f << "\tNOP\n";
  }
  TestProject t;
  t.project.ProjectFileName = (dir_ / "MYPROJ.PIC").string();
  t.project.SourceFileName = (dir_ / "MYPROJ.ASM").string();
  t.project.Info.AutoIncrement = false;
  auto& inc = t.Add<TObjInc>(kind::Inc);
  inc.ApplySettings((dir_ / "TWELVE.INC").string(), TObjInc::MainStart, 0);
  Analysis analysis(t.project);
  ProgramWriter writer(t.project, analysis);
  BuildOptions options;
  options.SourcePath = t.project.SourceFileName;

  BuildResult first = Build(writer, options);
  EXPECT_TRUE(first.Succeeded()) << first.ErrorText;
  EXPECT_EQ(first.Runs, 2) << "the wrong length made the build run again";
  EXPECT_EQ(inc.IncludeLength, 12);

  BuildResult second = Build(writer, options);
  EXPECT_TRUE(second.Succeeded()) << second.ErrorText;
  EXPECT_EQ(second.Runs, 1);
  EXPECT_EQ(inc.IncludeLength, 12);
}

TEST_F(IncBuild, WithoutListingOrLabelTheEnteredLengthStands) {
  TestProject t;
  t.project.SourceFileName = (dir_ / "NOLIST.ASM").string();
  auto& inc = t.Add<TObjInc>(kind::Inc);
  inc.IncludeLength = 5;
  EXPECT_TRUE(inc.AcceptBuild());
  EXPECT_EQ(inc.IncludeLength, 5);

  std::ofstream(dir_ / "NOLIST.lst") << "0000   0000           00001         NOP\n";
  EXPECT_TRUE(inc.AcceptBuild());
  EXPECT_EQ(inc.IncludeLength, 5);

  std::ofstream(dir_ / "NOLIST.lst") << "0004 BEGININC" << inc.Number << "\n0006 ENDINC" << inc.Number << "\n";
  EXPECT_FALSE(inc.AcceptBuild());
  EXPECT_EQ(inc.IncludeLength, 2);
  EXPECT_TRUE(inc.AcceptBuild());
}

}  // namespace
}  // namespace tolmek
