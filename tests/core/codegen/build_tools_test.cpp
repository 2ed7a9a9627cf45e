// Tool parameters, tool guesses, error-line places and the names "save source as" accepts.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "codegen/build_tools.h"

namespace tolmek {
namespace {

namespace fs = std::filesystem;

using Args = std::vector<std::string>;

TEST(ToolParameters, DollarWordsNameFilesBesideTheSource) {
  EXPECT_EQ(ExpandToolParameters("$PJT -x", "/p/A.ASM", "/p/A.PIC"), (Args{"/p/A.PJT", "-x"}));
  EXPECT_EQ(ExpandToolParameters("$HEX", "NONAME.ASM", "/work/MOTOR.V2.PIC"), Args{"/work/MOTOR.V2.HEX"})
      << "the project's folder and whole base name while the source has no name";
  EXPECT_EQ(ExpandToolParameters("-a  -b ", "/p/A.ASM", ""), (Args{"-a", "-b"}));
  EXPECT_EQ(ExpandToolParameters("$", "/p/A.ASM", ""), Args{"$"});
  EXPECT_EQ(ExpandToolParameters("", "/p/A.ASM", ""), Args{});
}

TEST(ToolParameters, BlanksInPathsAndQuotedWordsStayOneArgument) {
  EXPECT_EQ(ExpandToolParameters("$PJT --title \"My Board\"", "/home/u/My Plans/A.ASM", ""),
            (Args{"/home/u/My Plans/A.PJT", "--title", "My Board"}));
  EXPECT_EQ(ExpandToolParameters("\"\"", "/p/A.ASM", ""), Args{""}) << "an empty quoted word is still a word";
}

TEST(ToolParameters, AnExistingFileIsTakenInItsOwnCase) {
  const fs::path dir = fs::temp_directory_path() / ("tolmek_tools_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  std::ofstream(dir / "A.hex") << ":00000001FF\n";
  EXPECT_EQ(ExpandToolParameters("$HEX $COD", (dir / "A.ASM").string(), ""),
            (Args{(dir / "A.hex").string(), (dir / "A.COD").string()}));
  fs::remove_all(dir);
}

TEST(ToolGuess, TitleFolderAndTheMplabParameters) {
  ToolGuess g = GuessTool("/opt/micro chip/MPLAB.EXE");
  EXPECT_EQ(g.Title, "Mplab");
  EXPECT_EQ(g.Program, "/opt/micro chip/MPLAB.EXE");
  EXPECT_EQ(g.WorkDir, "/opt/micro chip");
  EXPECT_EQ(g.Param, "$PJT");
  g = GuessTool("/usr/bin/gpsim");
  EXPECT_EQ(g.Title, "Gpsim");
  EXPECT_EQ(g.Param, "");
  EXPECT_EQ(GuessTool("/gpsim").WorkDir, "/") << "the root keeps its separator";
}

TEST(ErrorLine, FileAndLineOfBothAssemblersAndBothForms) {
  using L = ErrorLocation;
  EXPECT_EQ(ParseErrorLine("Error[113]   C:\\P\\A.ASM 12 : Symbol not previously defined (X)"),
            (L{"C:\\P\\A.ASM", 12}));
  EXPECT_EQ(ParseErrorLine("Warning[231] /tmp/x/T2.ASM 3 : Found lower case match for include filename."),
            (L{"/tmp/x/T2.ASM", 3}));
  EXPECT_EQ(ParseErrorLine("Error[105]   /home/u/My Plans/A.ASM 5 : Cannot open file."),
            (L{"/home/u/My Plans/A.ASM", 5}));
  EXPECT_EQ(ParseErrorLine("Message[302] A.ASM 80 : Register in operand not in bank 0."), (L{"A.ASM", 80}));
  EXPECT_EQ(ParseErrorLine("/tmp/x/T2.ASM:5:Error[105]   Cannot open file."), (L{"/tmp/x/T2.ASM", 5}));
  EXPECT_FALSE(ParseErrorLine("gpasm-1.4.0 #1107 (Jan  1 2021)"));
  EXPECT_FALSE(ParseErrorLine(""));
  EXPECT_FALSE(ParseErrorLine("Error[113]   A.ASM 99999999999 : far too far"));
}

TEST(SourceName, ExtensionAddedAndTheProjectFileRefused) {
  EXPECT_EQ(ChosenSourceName("/p/MOTOR", "/p/MOTOR.PIC"), "/p/MOTOR.asm");
  EXPECT_EQ(ChosenSourceName("/p/MOTOR.S", "/p/MOTOR.PIC"), "/p/MOTOR.S");
  EXPECT_FALSE(ChosenSourceName("/p/MOTOR.PIC", "/p/MOTOR.PIC"));
  EXPECT_FALSE(ChosenSourceName("/p/motor.pic", "/p/MOTOR.PIC"));
  EXPECT_FALSE(ChosenSourceName("/p/../p/MOTOR.PIC", "/p/MOTOR.PIC"));
  EXPECT_FALSE(ChosenSourceName("", "/p/MOTOR.PIC"));
}

}  // namespace
}  // namespace tolmek
