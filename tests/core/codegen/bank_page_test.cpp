// Bank and page selection: the sequences per part, Optimise on and off, and selections around skips.
#include <gtest/gtest.h>

#include "writer_fixture.h"

namespace tolmek {
namespace {

using test::Code;

// A writer for `type` with the analysis run, so that the RAM table is known; text starts empty.
struct Selection : test::WriterFixture {
  explicit Selection(int type, bool optimise = true) : WriterFixture(type) {
    project().Options.Optimise = optimise;
    analysis.RunAnalysis(true);
    writer.Out().Clear();
  }
  // The lines written since the last call; every instruction line has counted one word.
  std::vector<std::string> Take() {
    auto lines = Code(writer.Text());
    int instructions = 0;
    for (size_t at = 0; (at = writer.Text().find("\n\t", at)) != std::string::npos; ++at) ++instructions;
    if (writer.Text().starts_with("\t")) ++instructions;
    EXPECT_EQ(writer.RomCounter(), instructions);
    writer.Out().Clear();
    return lines;
  }
};

using Lines = std::vector<std::string>;

TEST(SelectBank, FourBanksWriteOnlyTheBitsThatChangeWhenOptimised) {
  Selection s(23);  // 16F877
  s.writer.SelectBank("PORTA");
  EXPECT_EQ(s.Take(), (Lines{"BCF STATUS,RP0", "BCF STATUS,RP1"}));
  s.writer.SelectBank("PORTB,3");  // banks 0 and 2: already reachable
  s.writer.SelectBank("STATUS");
  EXPECT_EQ(s.Take(), Lines{});
  s.writer.SelectBank("TRISA");
  EXPECT_EQ(s.Take(), Lines{"BSF STATUS,RP0"});
  s.writer.SelectBank("EEDATA");  // bank 2
  EXPECT_EQ(s.Take(), (Lines{"BCF STATUS,RP0", "BSF STATUS,RP1"}));
  s.writer.SelectBank("EECON1,F");  // bank 3
  EXPECT_EQ(s.Take(), Lines{"BSF STATUS,RP0"});
  s.writer.SelectBank("NO_SUCH_NAME");
  EXPECT_EQ(s.Take(), Lines{});
}

TEST(SelectBank, WithoutOptimiseEveryAccessSelectsInFull) {
  Selection s(23, false);
  s.writer.SelectBank("PORTA");
  s.writer.SelectBank("PORTA");
  EXPECT_EQ(s.Take(), (Lines{"BCF STATUS,RP0", "BCF STATUS,RP1", "BCF STATUS,RP0", "BCF STATUS,RP1"}));
  Selection two(10, false);  // 16C73
  two.writer.SelectBank("TRISB");
  two.writer.SelectBank("TRISB");
  two.writer.SelectBank("STATUS");  // reachable from both banks: never a selection
  EXPECT_EQ(two.Take(), (Lines{"BSF STATUS,RP0", "BSF STATUS,RP0"}));
}

TEST(SelectBank, TwoBanksAndTheCommentNamesTheBank) {
  Selection s(10);
  s.writer.SelectBank("PORTB");
  s.writer.SelectBank("PORTB");
  s.writer.SelectBank("TRISB");
  EXPECT_EQ(s.writer.Text(), "\tBCF STATUS,RP0\t; Bank 0\n\tBSF STATUS,RP0\t; Bank 1\n");
}

TEST(SelectBank, UnbankedRamNeedsNoSelectionButRegistersDo) {
  test::WriterFixture f(3);  // 16F84: every general-purpose cell is seen from both banks
  f.analysis.AfterDeclarations = [](Analysis& a) { a.RegisterVariable("COUNT"); };
  f.analysis.RunAnalysis(true);
  f.writer.Out().Clear();
  f.writer.SelectBank("COUNT");
  EXPECT_EQ(Code(f.writer.Text()), Lines{});
  f.writer.SelectBank("TRISB");
  EXPECT_EQ(Code(f.writer.Text()), Lines{"BSF STATUS,RP0"});
}

TEST(SelectBank, TwelveBitCoresUseTheFsrBits) {
  test::WriterFixture f(31);  // 12C509A: 0x30..0x3F is bank 1
  f.analysis.AfterDeclarations = [](Analysis& a) {
    for (int i = 0; i < 26; ++i) a.RegisterVariable("V" + std::to_string(i));
  };
  f.analysis.RunAnalysis(true);
  ASSERT_EQ(f.analysis.Ram().CellAddress("V25"), 0x30);
  f.writer.Out().Clear();
  f.writer.SelectBank("V25");
  f.writer.SelectBank("V12");
  f.writer.SelectBank("V0");  // 0x07: both banks
  EXPECT_EQ(Code(f.writer.Text()), (Lines{"BSF FSR,5", "BCF FSR,5"}));

  Selection four(41);  // 16C57C
  four.writer.SelectBank("PORTA");
  EXPECT_EQ(four.Take(), Lines{});  // seen from all four banks
}

TEST(SelectBank, ASelectionNeverLandsBetweenASkipAndTheInstructionItGuards) {
  // The skip tests a register seen from the new bank: the selection moves in front of the skip.
  Selection s(10);
  s.writer.SelectBank("PORTB");
  s.writer.Instr("BTFSS STATUS,ZERO");
  s.writer.SelectBank("TRISB");
  s.writer.Instr("BSF TRISB,1");
  EXPECT_EQ(s.Take(), (Lines{"BCF STATUS,RP0", "BSF STATUS,RP0", "BTFSS STATUS,ZERO", "BSF TRISB,1"}));
  EXPECT_EQ(s.writer.GuardRepairs(), 1);
  EXPECT_EQ(s.writer.Bank().Bank, 2);

  // The skip tests a bank-0 register: the guarded instruction is reached through a branch.
  s.writer.ForgetBank();
  s.writer.SelectBank("PORTB");
  s.writer.Instr("BTFSS PORTB,0");
  s.writer.SelectBank("TRISB");
  s.writer.Instr("BSF TRISB,1");
  s.writer.Instr("NOP");
  EXPECT_EQ(s.Take(), (Lines{"BCF STATUS,RP0", "BTFSS PORTB,0", "GOTO $+2", "GOTO $+3", "BSF STATUS,RP0",
                             "BSF TRISB,1", "NOP"}));
  EXPECT_EQ(s.writer.Bank().Bank, kStateUnset) << "two ways lead past the guarded instruction";
}

TEST(SkipThen, SelectsOneBankForBothRegistersOrBranches) {
  Selection s(10);
  s.writer.SkipThen("BTFSC STATUS,CARRY", "INCF TRISB,F");
  EXPECT_EQ(s.Take(), (Lines{"BSF STATUS,RP0", "BTFSC STATUS,CARRY", "INCF TRISB,F"}));
  s.writer.SkipThen("BTFSC PORTB,0", "BSF TRISB,2");
  EXPECT_EQ(s.Take(), (Lines{"BCF STATUS,RP0", "BTFSC PORTB,0", "GOTO $+2", "GOTO $+3", "BSF STATUS,RP0",
                             "BSF TRISB,2"}));
  EXPECT_EQ(s.writer.GuardRepairs(), 0) << "asking for it up front is no repair";
}

TEST(Label, AJumpTargetForgetsTheBankAFallThroughLabelKeepsIt) {
  Selection s(10);
  s.writer.SelectBank("TRISB");
  s.writer.FallThroughLabel("HERE");
  s.writer.SelectBank("TRISB");
  s.writer.Label("THERE");
  s.writer.SelectBank("TRISB");
  EXPECT_EQ(s.Take(), (Lines{"BSF STATUS,RP0", "HERE", "THERE", "BSF STATUS,RP0"}));
}

TEST(SelectPage, BitsPerPartAndTheLabelForm) {
  Selection big(23);  // four pages of 2048
  big.writer.SelectPage(0);
  big.writer.SelectPage(2048 + 5);
  big.writer.SelectPage(3 * 2048);
  EXPECT_EQ(big.Take(), (Lines{"BCF PCLATH,3", "BCF PCLATH,4", "BSF PCLATH,3", "BSF PCLATH,4"}));
  big.writer.SelectPage(0, "SYS_INIT");
  EXPECT_EQ(big.Take(), (Lines{"MOVLW HIGH SYS_INIT", "MOVWF PCLATH"}));
  EXPECT_EQ(big.writer.Page().Page, kStateUnset);
  big.writer.SetPageState(4096);
  big.writer.SelectPage(4096);
  EXPECT_EQ(big.Take(), Lines{});

  Selection two(10);  // two pages: only bit 3
  two.writer.SelectPage(2048);
  EXPECT_EQ(two.writer.Text(), "\tBSF PCLATH,3\t; Page 1\n");

  Selection core12(31);  // 12C509A: two pages of 512
  core12.writer.SelectPage(600);
  core12.writer.SelectPage(0, "X");
  EXPECT_EQ(core12.Take(), (Lines{"BSF STATUS,PA0", "MOVLW HIGH X << 4", "MOVWF STATUS"}));

  Selection one(3);
  one.writer.SelectPage(0, "SYS_INIT");
  one.writer.SelectPage(100);
  EXPECT_EQ(one.Take(), Lines{});
}

TEST(SelectPage, APageSelectionAfterASkipBranchesAroundIt) {
  Selection s(10);
  s.writer.SetPageState(0);
  s.writer.Instr("BTFSC STATUS,ZERO");
  s.writer.SelectPage(2048);
  s.writer.Instr("CALL 2048");
  EXPECT_EQ(s.Take(), (Lines{"BTFSC STATUS,ZERO", "GOTO $+2", "GOTO $+3", "BSF PCLATH,3", "CALL 2048"}));
  EXPECT_EQ(s.writer.Page().Page, kStateUnset);
}

}  // namespace
}  // namespace tolmek
