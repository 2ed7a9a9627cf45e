// The line forms of the assembler writer, its word count, the skip state and the atomic file write.
#include "codegen/asm_writer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/gputils_runner.h"

namespace tolmek {
namespace {

TEST(AsmWriter, LinesFollowTheSeparatorConventionAndCountOnlyInstructions) {
  AsmWriter w;
  w.Comment("; title");
  w.Label("MAIN");
  w.Instr("BSF PORTB,0");
  w.Instr("BCF PORTB,1", "; low");
  w.Directive("ORG 0");
  w.Directive("ERRORLEVEL -302", "; quiet");
  w.Blank();
  w.Line("X\t= 33");
  w.Verbatim("\tNOP\n\tNOP\n", 2);
  EXPECT_EQ(w.Text(),
            "; title\nMAIN\n\tBSF PORTB,0\n\tBCF PORTB,1\t; low\n\tORG 0\n\tERRORLEVEL -302\t; quiet\n\nX\t= 33\n"
            "\tNOP\n\tNOP\n");
  EXPECT_EQ(w.RomCounter, 4);

  w.Clear();
  w.Separator = std::string(15, ' ');
  w.Instr("NOP", "; c");
  EXPECT_EQ(w.Text(), std::string(15, ' ') + "NOP" + std::string(15, ' ') + "; c\n");
  EXPECT_EQ(w.RomCounter, 1);
}

TEST(AsmWriter, SkipIsPendingUntilTheGuardedInstructionAndSelectionsGoInFrontOfIt) {
  AsmWriter w;
  w.Instr("MOVLW 1");
  w.Instr("BTFSS STATUS,ZERO");
  EXPECT_TRUE(w.SkipPending());
  EXPECT_EQ(w.PendingSkip(), "BTFSS STATUS,ZERO");
  w.Comment("; a comment does not end the skip");
  EXPECT_TRUE(w.SkipPending());
  w.InsertBeforePendingSkip({{"BSF STATUS,RP0", ""}});
  w.Instr("INCF X,F");
  EXPECT_FALSE(w.SkipPending());
  EXPECT_EQ(w.Text(), "\tMOVLW 1\n\tBSF STATUS,RP0\n\tBTFSS STATUS,ZERO\n; a comment does not end the skip\n\tINCF X,F\n");
  EXPECT_EQ(w.RomCounter, 4);

  for (const char* skip : {"BTFSC F,1", "DECFSZ F,F", "INCFSZ F,W"}) EXPECT_TRUE(AsmWriter::IsSkip(skip)) << skip;
  for (const char* other : {"BSF F,1", "DECF F,F", "GOTO BTFSS"}) EXPECT_FALSE(AsmWriter::IsSkip(other)) << other;
}

TEST(AsmWriter, ActionAfterNextInstructionRunsOnceAfterIt) {
  AsmWriter w;
  int runs = 0;
  int32_t seenAt = -1;
  w.AfterNextInstruction([&] {
    ++runs;
    seenAt = w.RomCounter;
  });
  w.Comment("; not yet");
  EXPECT_EQ(runs, 0);
  w.Instr("NOP");
  w.Instr("NOP");
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(seenAt, 1);
}

TEST(AsmWriter, OperandsAreFoundWithoutBitOrDestination) {
  EXPECT_EQ(Mnemonic("  BTFSS PORTB,0"), "BTFSS");
  EXPECT_EQ(RegisterOperand("BTFSS PORTB,0"), "PORTB");
  EXPECT_EQ(RegisterOperand("INCF SYS_TMP1,F"), "SYS_TMP1");
  EXPECT_EQ(RegisterOperand("CLRF X"), "X");
  EXPECT_EQ(RegisterOperand("RETURN"), "");
}

TEST(AsmWriter, TrackedJumpsGiveLabelAddressesAndCallTargets) {
  AsmWriter w;
  w.TrackJumps(true);
  w.Instr("NOP");
  w.Label("SUB");
  w.Instr("CALL SUB");
  EXPECT_EQ(w.LabelAddress("SUB"), 1);
  EXPECT_EQ(w.LabelAddress("NONE"), -1);
  ASSERT_EQ(w.CallTargets().size(), 1u);
  EXPECT_EQ(w.CallTargets()[0], "SUB");
}

TEST(AsmWriter, FileIsWrittenWholeOrNotAtAll) {
  test::ScratchDir dir("atomic");
  const std::string path = (dir.path() / "OUT.ASM").string();
  ASSERT_TRUE(WriteFileAtomically(path, "old\n"));
  ASSERT_TRUE(WriteFileAtomically(path, "new text\n"));
  std::ifstream in(path);
  std::stringstream s;
  s << in.rdbuf();
  EXPECT_EQ(s.str(), "new text\n");
  size_t files = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path())) ++files;
  EXPECT_EQ(files, 1u) << "no temporary file is left behind";
  EXPECT_FALSE(WriteFileAtomically((dir.path() / "missing" / "X.ASM").string(), "x"));
}

}  // namespace
}  // namespace tolmek

namespace tolmek {
namespace {

TEST(ReachErrors, CallsAndComputedJumpsBeyondTheFirstHalfOfA12BitPage) {
  AsmWriter w;
  w.TrackJumps(true);
  w.Instr("CALL NEAR");
  w.Instr("CALL FAR");
  w.Instr("CALL SECOND_PAGE");
  w.Instr("CALL FAR");
  w.Label("NEAR");
  for (int i = 0; i < 300; ++i) w.Instr("NOP");
  w.Label("FAR");  // 304
  for (int i = 0; i < 300; ++i) w.Instr("NOP");
  w.Label("SECOND_PAGE");  // 604 = 512 + 92
  w.Label("TABLE_END");
  EXPECT_EQ(ReachErrors(w, 512, {"TABLE_END", "NEAR"}),
            (std::vector<std::string>{"CALL target FAR lies beyond the first 256 words of its page"}));
  EXPECT_EQ(ReachErrors(w, 512, {"FAR"}).size(), 2u) << "the call and the computed jump";
  EXPECT_EQ(ReachErrors(w, 2048, {}).size(), 2u) << "in one large page both FAR and SECOND_PAGE are too far";
}

}  // namespace
}  // namespace tolmek
