// The code the gate, RS flip-flop and Schmitt trigger write: sequences, inverted pins, bank selections
// around skips and jump targets, and the names they announce to the analysis.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "block_code_fixture.h"
#include "components/gatter.h"
#include "components/rsff.h"
#include "components/strigg8.h"

namespace tolmek::test {
namespace {

using Lines = std::vector<std::string>;

constexpr int k16F84 = 3;
constexpr int k16F877 = 23;

TObjGatter& AddGate(WriterFixture& f, uint8_t type, const std::vector<std::string>& inputs, const std::string& out) {
  return test::AddGate(f.tp, type, inputs, out);
}

TObjStrigg8& AddSchmitt(WriterFixture& f, bool wide, const char* in, const char* sp, const char* hy, const char* q) {
  return test::AddSchmitt(f.tp, wide, in, sp, hy, q);
}

TEST(GatterCode, AndWithInvertedInputAndOutput) {
  WriterFixture f(k16F84);
  auto& g = AddGate(f, TObjGatter::And, {"RB.0", "RB.1"}, "RA.0");
  g.Input(1).Inverted = true;
  g.Output().Inverted = true;
  const std::string& text = f.Generate();
  EXPECT_EQ(BlockLines(text, "; UND - Gatter -> LG1"),
            (Lines{"LABEL_LG1_1", "BCF STATUS,RP0", "BTFSS PORTB,0", "GOTO LABEL_LG1_FALSE",  //
                   "LABEL_LG1_2", "BTFSC PORTB,1", "GOTO LABEL_LG1_FALSE",                    //
                   "LABEL_LG1_TRUE", "BCF PORTA,0", "GOTO LABEL_LG1_ENDE",                    //
                   "LABEL_LG1_FALSE", "BCF STATUS,RP0", "BSF PORTA,0",                        //
                   "LABEL_LG1_ENDE"}));
  EXPECT_TRUE(f.tp.sink.entries.empty());
}

TEST(GatterCode, OrJumpsToTrueAndSelectsAgainThere) {
  WriterFixture f(k16F877);
  AddGate(f, TObjGatter::Or, {"RB.0", "RB.1", "RB.2"}, "RC.7");
  EXPECT_EQ(BlockLines(f.Generate(), "; ODER - Gatter -> LG1"),
            (Lines{"LABEL_LG1_1", "BCF STATUS,RP0", "BCF STATUS,RP1", "BTFSC PORTB,0", "GOTO LABEL_LG1_TRUE",
                   "LABEL_LG1_2", "BTFSC PORTB,1", "GOTO LABEL_LG1_TRUE",  //
                   "LABEL_LG1_3", "BTFSC PORTB,2", "GOTO LABEL_LG1_TRUE",  //
                   "LABEL_LG1_FALSE", "BCF PORTC,7", "GOTO LABEL_LG1_ENDE",  //
                   "LABEL_LG1_TRUE", "BCF STATUS,RP0", "BCF STATUS,RP1", "BSF PORTC,7", "LABEL_LG1_ENDE"}));
}

// Run literally, the sequence put the bank selection for the output between each ZERO test and the bit
// write it guards; with one input high the output then ended low.
TEST(GatterCode, ExclusiveOrSelectsBeforeTheZeroTestsWithOptimiseOff) {
  WriterFixture f(k16F84);
  f.project().Options.Optimise = false;
  AddGate(f, TObjGatter::ExclusiveOr, {"RB.0", "RB.1"}, "RA.0");
  const std::string& text = f.Generate();
  EXPECT_EQ(BlockLines(text, "; EXKLUSIVODER - Gatter -> LG1"),
            (Lines{"CLRF SYS_TMP1",                                                           //
                   "BCF STATUS,RP0", "BTFSS PORTB,0", "GOTO LABEL_LG1_1", "INCF SYS_TMP1,F",  //
                   "LABEL_LG1_1",                                                             //
                   "BCF STATUS,RP0", "BTFSS PORTB,1", "GOTO LABEL_LG1_2", "INCF SYS_TMP1,F",  //
                   "LABEL_LG1_2", "DECF SYS_TMP1,F",                                          //
                   "BCF STATUS,RP0", "BTFSC STATUS,ZERO", "BSF PORTA,0",                      //
                   "BCF STATUS,RP0", "BTFSS STATUS,ZERO", "BCF PORTA,0"}));
  EXPECT_TRUE(SelectionsInSkippedSlots(text).empty());
}

TEST(RsffCode, ResetFirstAndCommentsFollowTheInversion) {
  WriterFixture f(k16F84);
  auto& rs = f.tp.Add<TObjRsff>(kind::Rsff);
  rs.SetInput().SetName("RB.2");
  rs.ResetInput().SetName("RB.3");
  rs.ResetInput().Inverted = true;
  rs.Output().SetName("RA.1");
  const Lines plain{"BCF STATUS,RP0 ; Bank 0", "BTFSS PORTB,3", "GOTO LABEL_RS1_RESET", "BTFSS PORTB,2",
                    "GOTO LABEL_RS1_ENDE", "BSF PORTA,1 ; Ausgang setzen", "GOTO LABEL_RS1_ENDE",
                    "LABEL_RS1_RESET", "BCF STATUS,RP0 ; Bank 0", "BCF PORTA,1 ; Ausgang zurücksetzen",
                    "LABEL_RS1_ENDE"};
  EXPECT_EQ(BlockLines(f.Generate(), "; RS-FLIP-FLOP -> RS1", true), plain);

  rs.Output().Inverted = true;
  Lines inverted = plain;
  inverted[5] = "BCF PORTA,1 ; Ausgang zurücksetzen";
  inverted[9] = "BSF PORTA,1 ; Ausgang setzen";
  EXPECT_EQ(BlockLines(f.Generate(), "; RS-FLIP-FLOP -> RS1", true), inverted);
}

TEST(Strigg8Code, EightBitConstantsSubtractTheHysteresisAtGeneration) {
  WriterFixture f(k16F84);
  AddSchmitt(f, false, "RB", "100", "10", "RA.0");
  EXPECT_EQ(BlockLines(f.Generate(), "; Schmitt-Trigger 8-Bit -> ST1"),
            (Lines{"BCF STATUS,RP0", "BTFSC PORTA,0", "GOTO LABEL_ST1_MH",  //
                   "MOVLW 100", "GOTO LABEL_ST1_TEST",                      //
                   "LABEL_ST1_MH", "MOVLW 90",                              //
                   "LABEL_ST1_TEST", "BCF STATUS,RP0", "SUBWF PORTB,W", "BTFSS STATUS,CARRY",
                   "GOTO LABEL_ST1_RESET", "BSF PORTA,0", "GOTO LABEL_ST1_ENDE",  //
                   "LABEL_ST1_RESET", "BCF STATUS,RP0", "BCF PORTA,0", "LABEL_ST1_ENDE"}));
}

TEST(Strigg8Code, EightBitHysteresisAboveSetPointNeverSwitchesOff) {
  WriterFixture f(k16F84);
  AddSchmitt(f, false, "RB", "100", "150", "RA.0");
  const Lines lines = BlockLines(f.Generate(), "; Schmitt-Trigger 8-Bit -> ST1");
  const auto mh = std::find(lines.begin(), lines.end(), "LABEL_ST1_MH");
  ASSERT_NE(mh, lines.end());
  EXPECT_EQ(*(mh + 1), "MOVLW 0");
}

TEST(Strigg8Code, EightBitVariableForms) {
  {
    // Hysteresis from a variable: the set point waits in SYS_TMP1. The inverted output swaps tests and writes.
    WriterFixture f(k16F84);
    auto& st = AddSchmitt(f, false, "RB", "100", "HYV", "RA.0");
    st.Output().Inverted = true;
    const Lines lines = BlockLines(f.Generate(), "; Schmitt-Trigger 8-Bit -> ST1");
    EXPECT_EQ(Between(lines, "LABEL_ST1_MH", "LABEL_ST1_TEST"),
              (Lines{"LABEL_ST1_MH", "MOVLW 100", "MOVWF SYS_TMP1", "MOVFW HYV", "SUBWF SYS_TMP1,W",
                     "BTFSS STATUS,CARRY", "MOVLW 0"}));
    EXPECT_EQ(lines[1], "BTFSS PORTA,0");
    EXPECT_NE(std::find(lines.begin(), lines.end(), "BCF PORTA,0"), lines.end());
    const auto reset = std::find(lines.begin(), lines.end(), "LABEL_ST1_RESET");
    ASSERT_NE(reset, lines.end());
    EXPECT_EQ(lines.back(), "LABEL_ST1_ENDE");
    EXPECT_EQ(*(lines.end() - 2), "BSF PORTA,0");
  }
  {
    WriterFixture f(k16F84);
    AddSchmitt(f, false, "RB", "SPV", "10", "RA.0");
    const Lines lines = BlockLines(f.Generate(), "; Schmitt-Trigger 8-Bit -> ST1");
    EXPECT_EQ(Between(lines, "MOVFW SPV", "LABEL_ST1_TEST"),
              (Lines{"MOVFW SPV", "GOTO LABEL_ST1_TEST", "LABEL_ST1_MH", "MOVLW 10", "SUBWF SPV,W",
                     "BTFSS STATUS,CARRY", "MOVLW 0"}));
  }
}

// The bank chosen before the jump to _MH is the one in force there, also on a part with four banks.
TEST(Strigg8Code, HysteresisBranchStartsWithTheBankOfTheJump) {
  WriterFixture f(k16F877);
  AddSchmitt(f, false, "RB", "100", "10", "RA.0");
  const Lines lines = BlockLines(f.Generate(), "; Schmitt-Trigger 8-Bit -> ST1");
  EXPECT_EQ(Between(lines, "LABEL_ST1_MH", "SUBWF PORTB,W"),
            (Lines{"LABEL_ST1_MH", "MOVLW 90", "LABEL_ST1_TEST", "BCF STATUS,RP0", "BCF STATUS,RP1"}));
}

TEST(Strigg8Code, SixteenBitVariables) {
  WriterFixture f(k16F84);
  auto& st = AddSchmitt(f, true, "INW", "SPW", "HYW", "RA.2");
  st.Output().Inverted = true;
  EXPECT_EQ(BlockLines(f.Generate(), "; Schmitt-Trigger 16-Bit -> ST1"),
            (Lines{"MOVFW SPW", "MOVWF SYS_TMP1", "MOVFW SPW_HI", "MOVWF SYS_TMP2",                     //
                   "BCF STATUS,RP0", "BTFSC PORTA,2", "GOTO LABEL_ST1_TEST",                           //
                   "MOVFW HYW_HI", "SUBWF SYS_TMP2,F", "BTFSS STATUS,CARRY", "GOTO LABEL_ST1_ZERO",   //
                   "MOVFW HYW", "SUBWF SYS_TMP1,F", "BTFSC STATUS,CARRY", "GOTO LABEL_ST1_TEST",       //
                   "MOVLW 1", "SUBWF SYS_TMP2,F", "BTFSC STATUS,CARRY", "GOTO LABEL_ST1_TEST",         //
                   "LABEL_ST1_ZERO", "CLRF SYS_TMP1", "CLRF SYS_TMP2",                                 //
                   "LABEL_ST1_TEST", "MOVFW SYS_TMP2", "SUBWF INW_HI,W", "BTFSS STATUS,ZERO",          //
                   "GOTO LABEL_ST1_TEST2", "MOVFW SYS_TMP1", "SUBWF INW,W",                            //
                   "LABEL_ST1_TEST2", "BTFSS STATUS,CARRY", "GOTO LABEL_ST1_RESET",                    //
                   "LABEL_ST1_SET", "BCF STATUS,RP0", "BCF PORTA,2", "GOTO LABEL_ST1_ENDE",            //
                   "LABEL_ST1_RESET", "BCF STATUS,RP0", "BSF PORTA,2", "LABEL_ST1_ENDE"}));
}

TEST(Strigg8Code, SixteenBitConstantsUseHighAndLow) {
  WriterFixture f(k16F84);
  AddSchmitt(f, true, "INW", "1000", "250", "RA.2");
  const Lines lines = BlockLines(f.Generate(), "; Schmitt-Trigger 16-Bit -> ST1");
  ASSERT_GE(lines.size(), 11u);
  EXPECT_EQ(Lines(lines.begin(), lines.begin() + 4),
            (Lines{"MOVLW LOW 1000", "MOVWF SYS_TMP1", "MOVLW HIGH 1000", "MOVWF SYS_TMP2"}));
  EXPECT_EQ(Between(lines, "MOVLW HIGH 250", "LABEL_ST1_TEST"),
            (Lines{"MOVLW HIGH 250", "SUBWF SYS_TMP2,F", "BTFSS STATUS,CARRY", "GOTO LABEL_ST1_ZERO", "MOVLW LOW 250",
                   "SUBWF SYS_TMP1,F", "BTFSC STATUS,CARRY", "GOTO LABEL_ST1_TEST", "MOVLW 1", "SUBWF SYS_TMP2,F",
                   "BTFSC STATUS,CARRY", "GOTO LABEL_ST1_TEST", "LABEL_ST1_ZERO", "CLRF SYS_TMP1", "CLRF SYS_TMP2"}));
}

TEST(BlockNames, WorkRegistersAndOutputsAreAnnounced) {
  WriterFixture f(k16F84);
  AddGate(f, TObjGatter::And, {"RB.0"}, "G.0");
  auto& rs = f.tp.Add<TObjRsff>(kind::Rsff);
  rs.Output().SetName("FF.3");
  AddSchmitt(f, false, "RB", "100", "10", "S8.1");
  f.analysis.RunAnalysis(true);
  const auto& vars = f.analysis.VariableNames();
  EXPECT_EQ(vars, (Lines{"G", "FF", "S8"}));  // constants need no work register
  const auto& bits = f.analysis.BitNames();
  ASSERT_EQ(bits.size(), 4u);
  EXPECT_EQ(bits[1].ByteName, "RS1");  // the flip-flop's own name, as a whole byte
  EXPECT_EQ(bits[1].Bit, 8);
  EXPECT_EQ(bits[2].ByteName, "FF");
  EXPECT_EQ(bits[2].Bit, 3);

  auto count = [&](const std::string& name) { return std::count(vars.begin(), vars.end(), name); };
  AddGate(f, TObjGatter::ExclusiveOr, {"RB.0", "RB.1"}, "X.0");
  AddSchmitt(f, false, "RB", "100", "HYV", "S8.2");  // variable hysteresis: SYS_TMP1
  f.analysis.RunAnalysis(true);
  EXPECT_EQ(count("SYS_TMP1"), 1);
  EXPECT_EQ(count("SYS_TMP2"), 0);
  AddSchmitt(f, true, "INW", "1000", "250", "S16.0");
  f.analysis.RunAnalysis(true);
  EXPECT_EQ(count("SYS_TMP2"), 1);
  const auto& all = f.analysis.BitNames();
  EXPECT_EQ(std::count_if(all.begin(), all.end(), [](const BitRecord& b) { return b.ByteName == "SYS_TMP2"; }), 8);
}

TEST(BlockNames, UnnamedOutputGivesMessage1AndTheBlockStillWrites) {
  WriterFixture f(k16F84);
  auto& g = f.tp.Add<TObjGatter>(kind::Gatter);
  g.Input(0).SetName("RB.0");
  g.Input(1).SetName("RB.1");
  const Lines lines = BlockLines(f.Generate(), "; UND - Gatter -> LG1");
  EXPECT_NE(std::find(lines.begin(), lines.end(), "BSF ??????????"), lines.end());
  ASSERT_FALSE(f.tp.sink.entries.empty());
  EXPECT_EQ(f.tp.sink.entries.front().number, 1);
}

}  // namespace
}  // namespace tolmek::test
