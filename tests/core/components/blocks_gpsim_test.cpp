// The blocks' programs on simulated chips (16F84, 16F877, 12C508A): gates, RS flip-flop priority and
// Schmitt hysteresis, with pins driven and read as on the board.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "block_code_fixture.h"
#include "gpsim_table.h"

namespace tolmek::test {
namespace {

constexpr int k16F84 = 3;
constexpr int k16F877 = 23;
constexpr int k12C508A = 30;

Assembly AssembleClean(WriterFixture& f, const ScratchDir& dir) {
  const std::string& text = f.Generate();
  Assembly a = Assemble(text, dir.path());
  EXPECT_TRUE(a.Clean()) << a.Report();
  EXPECT_EQ(a.wordsUsed, f.last.RomUsed);
  EXPECT_TRUE(f.tp.sink.entries.empty());
  return a;
}

bool HaveTools() { return HaveGpasm() && HaveGpsim(); }

// GP3 is an input pin only when the part's reset pin is tied inside.
void UseGp3AsInput(WriterFixture& f) { f.project().Mcu.Mclre = 1; }

// Five inputs a..e and six outputs: AND(a,b,c), OR(a, not b), XOR(a,b,c), RS(S=d, R=e), inverter(a),
// RS(S=d, R=e) with an inverted output.
void GateAndFlipFlopPlan(TestProject& tp, const std::vector<std::string>& in, const std::vector<std::string>& out) {
  AddGate(tp, TObjGatter::And, {in[0], in[1], in[2]}, out[0]);
  AddGate(tp, TObjGatter::Or, {in[0], in[1]}, out[1]).Input(1).Inverted = true;
  AddGate(tp, TObjGatter::ExclusiveOr, {in[0], in[1], in[2]}, out[2]);
  AddRsff(tp, in[3], in[4], out[3]);
  auto& inverter = tp.Add<TObjGatter>(kind::Gatter);
  inverter.ApplySettings(TObjGatter::And, 1);
  inverter.Input(0).SetName(in[0]);
  inverter.Output().SetName(out[4]);
  AddRsff(tp, in[3], in[4], out[5]).Output().Inverted = true;
}

// Inputs as the bits a (1), b (2), c (4), S (8), R (16); outputs AND, OR, XOR, Y, inverter, inverted Y.
const std::vector<TableRow> kGateRows = {
    {{0b00000}, "010011"}, {{0b00001}, "011001"}, {{0b00010}, "001011"}, {{0b00011}, "010001"},
    {{0b00100}, "011011"}, {{0b00101}, "010001"}, {{0b00110}, "000011"}, {{0b00111}, "110001"},
    {{0b01000}, "010110"},  // set
    {{0b00000}, "010110"},  // holds
    {{0b10000}, "010011"},  // reset
    {{0b01000}, "010110"},  // set again
    {{0b11000}, "010011"},  // both: reset wins
    {{0b00000}, "010011"},
};

TEST(BlocksGpsim, GatesAndFlipFlopsOn16F84WithAndWithoutOptimisation) {
  if (!HaveTools()) GTEST_SKIP() << "gpasm/gpsim not installed";
  ScratchDir dir("blocks_gpsim_84");
  for (bool optimise : {true, false}) {
    SCOPED_TRACE(optimise ? "optimised" : "not optimised");
    WriterFixture f(k16F84);
    f.project().Options.Optimise = optimise;
    GateAndFlipFlopPlan(f.tp, {"RB.0", "RB.1", "RB.2", "RB.3", "RB.4"},
                        {"RA.0", "RA.1", "RA.2", "RA.3", "RB.6", "RB.7"});
    const Assembly a = AssembleClean(f, dir);
    ASSERT_NO_FATAL_FAILURE(ExpectTable(a, {{"portb0", "portb1", "portb2", "portb3", "portb4"}},
                {{"porta", 0}, {"porta", 1}, {"porta", 2}, {"porta", 3}, {"portb", 6}, {"portb", 7}}, kGateRows));
  }
}

TEST(BlocksGpsim, GatesAndFlipFlopsOn16F877) {
  if (!HaveTools()) GTEST_SKIP() << "gpasm/gpsim not installed";
  ScratchDir dir("blocks_gpsim_877");
  WriterFixture f(k16F877);
  GateAndFlipFlopPlan(f.tp, {"RB.0", "RB.1", "RB.2", "RA.0", "RE.2"}, {"RD.0", "RD.1", "RD.2", "RC.3", "RD.4", "RC.7"});
  const Assembly a = AssembleClean(f, dir);
  ASSERT_NO_FATAL_FAILURE(ExpectTable(a, {{"portb0", "portb1", "portb2", "porta0", "porte2"}},
              {{"portd", 0}, {"portd", 1}, {"portd", 2}, {"portc", 3}, {"portd", 4}, {"portc", 7}}, kGateRows));
}

TEST(BlocksGpsim, GatesAndFlipFlopOn12C508A) {
  if (!HaveTools()) GTEST_SKIP() << "gpasm/gpsim not installed";
  ScratchDir dir("blocks_gpsim_508");
  WriterFixture f(k12C508A);
  UseGp3AsInput(f);
  AddGate(f.tp, TObjGatter::And, {"GP.0", "GP.1", "GP.3"}, "GP.2");
  AddGate(f.tp, TObjGatter::ExclusiveOr, {"GP.0", "GP.1", "GP.3"}, "GP.4");
  AddRsff(f.tp, "GP.0", "GP.1", "GP.5");
  const Assembly a = AssembleClean(f, dir);
  // Inputs GP0 (1), GP1 (2), GP3 (4); outputs AND, XOR, RS (S = GP0, R = GP1).
  ASSERT_NO_FATAL_FAILURE(ExpectTable(a, {{"gpio0", "gpio1", "gpio3"}}, {{"gpio", 2}, {"gpio", 4}, {"gpio", 5}},
              {{{0}, "000"}, {{1}, "011"}, {{0}, "001"}, {{2}, "010"}, {{4}, "010"}, {{5}, "001"},
               {{3}, "000"}, {{6}, "000"}, {{7}, "100"}, {{0}, "000"}}));
}

// IN rising switches on at the set point; falling switches off only below set point minus hysteresis.
TEST(BlocksGpsim, SchmittConstantsOn16F84) {
  if (!HaveTools()) GTEST_SKIP() << "gpasm/gpsim not installed";
  ScratchDir dir("blocks_gpsim_st84");
  WriterFixture f(k16F84);
  AddSchmitt(f.tp, false, "RB", "100", "10", "RA.0");
  AddSchmitt(f.tp, false, "RB", "100", "150", "RA.1");  // hysteresis above the set point: never off again
  AddSchmitt(f.tp, false, "RB", "100", "10", "RA.2").Output().Inverted = true;
  const Assembly a = AssembleClean(f, dir);
  const PinGroup portb{"portb0", "portb1", "portb2", "portb3", "portb4", "portb5", "portb6", "portb7"};
  ASSERT_NO_FATAL_FAILURE(ExpectTable(a, {portb}, {{"porta", 0}, {"porta", 1}, {"porta", 2}},
              {{{0}, "001"}, {{99}, "001"}, {{100}, "110"}, {{95}, "110"}, {{90}, "110"}, {{89}, "011"},
               {{95}, "011"}, {{100}, "110"}, {{255}, "110"}, {{0}, "011"}}));
}

// Set points and hystereses from port bytes; IN's high byte copied from three pins by one-input gates.
TEST(BlocksGpsim, SchmittVariablesAndSixteenBitsOn16F877) {
  if (!HaveTools()) GTEST_SKIP() << "gpasm/gpsim not installed";
  ScratchDir dir("blocks_gpsim_st877");
  WriterFixture f(k16F877);
  for (int bit = 0; bit < 3; ++bit)
    AddGate(f.tp, TObjGatter::Or, {"RA." + std::to_string(bit)}, "PORTB_HI." + std::to_string(bit));
  AddSupply(f.tp, false, "PORTD_HI.0");  // HY of the second trigger: PORTD_HI:PORTD
  AddSupply(f.tp, true, "PORTC_HI.1");   // SP of the third trigger: 512 + PORTC
  AddSchmitt(f.tp, false, "RB", "RC", "RD", "RE.0");
  AddSchmitt(f.tp, true, "RB", "1000", "RD", "RE.1");
  AddSchmitt(f.tp, true, "RB", "RC", "250", "RE.2");
  const Assembly a = AssembleClean(f, dir);
  const PinGroup low{"portb0", "portb1", "portb2", "portb3", "portb4", "portb5", "portb6", "portb7"};
  const PinGroup high{"porta0", "porta1", "porta2"};
  const PinGroup sp{"portc0", "portc1", "portc2", "portc3", "portc4", "portc5", "portc6", "portc7"};
  const PinGroup hy{"portd0", "portd1", "portd2", "portd3", "portd4", "portd5", "portd6", "portd7"};
  // SP 100 / HY 10 (8 bits on the low byte), 1000 / 10, 612 / 250. Columns: IN high, IN low, SP, HY.
  ASSERT_NO_FATAL_FAILURE(ExpectTable(a, {high, low, sp, hy}, {{"porte", 0}, {"porte", 1}, {"porte", 2}},
              {{{0, 0, 100, 10}, "000"},
               {{0, 100, 100, 10}, "100"},
               {{2, 100, 100, 10}, "101"},  // 612
               {{3, 232, 100, 10}, "111"},  // 1000
               {{3, 227, 100, 10}, "111"},  // 995
               {{3, 221, 100, 10}, "101"},  // 989
               {{1, 106, 100, 10}, "101"},  // 362
               {{1, 105, 100, 10}, "100"},  // 361
               {{0, 95, 100, 10}, "100"},
               {{0, 89, 100, 10}, "000"},
               {{4, 0, 100, 10}, "011"},    // 1024: high bytes alone decide
               {{1, 89, 100, 10}, "000"},   // 345
               {{0, 60, 50, 20}, "100"},    // a lower set point read from the port
               {{0, 31, 50, 20}, "100"},
               {{0, 29, 50, 20}, "000"}}));
}

// A hysteresis above the set point clamps the lower threshold at 0: the output, once on, stays on. The
// program used to compute the threshold modulo 256 (or 65536) and toggle the output on every pass.
TEST(BlocksGpsim, SchmittHysteresisAboveSetPointHoldsOn16F877) {
  if (!HaveTools()) GTEST_SKIP() << "gpasm/gpsim not installed";
  ScratchDir dir("blocks_gpsim_st_hy");
  WriterFixture f(k16F877);
  for (const char* high : {"PORTB_HI.0", "PORTC_HI.0", "PORTD_HI.0"}) AddSupply(f.tp, false, high);
  AddSchmitt(f.tp, false, "RB", "RC", "RD", "RE.0");
  AddSchmitt(f.tp, true, "RB", "RC", "RD", "RE.1");
  AddSchmitt(f.tp, false, "RB", "RC", "200", "RE.2");
  const Assembly a = AssembleClean(f, dir);
  const PinGroup in{"portb0", "portb1", "portb2", "portb3", "portb4", "portb5", "portb6", "portb7"};
  const PinGroup sp{"portc0", "portc1", "portc2", "portc3", "portc4", "portc5", "portc6", "portc7"};
  const PinGroup hy{"portd0", "portd1", "portd2", "portd3", "portd4", "portd5", "portd6", "portd7"};
  // Columns: IN, SP, HY (the third trigger's hysteresis is 200 throughout). One port changes per row:
  // the program reads the three at different instants, and two changing at once pass through a mixture.
  ASSERT_NO_FATAL_FAILURE(ExpectTable(a, {in, sp, hy}, {{"porte", 0}, {"porte", 1}, {"porte", 2}},
              {{{0, 250, 10}, "000"},
               {{0, 50, 10}, "000"},
               {{60, 50, 10}, "111"},
               {{60, 50, 100}, "111"},
               {{0, 50, 100}, "111"},
               {{0, 50, 10}, "001"},
               {{0, 250, 10}, "000"},
               {{255, 250, 10}, "111"},
               {{255, 250, 255}, "111"},
               {{0, 250, 255}, "110"}}));
}

TEST(BlocksGpsim, SchmittOn12C508A) {
  if (!HaveTools()) GTEST_SKIP() << "gpasm/gpsim not installed";
  ScratchDir dir("blocks_gpsim_st508");
  WriterFixture f(k12C508A);
  UseGp3AsInput(f);
  // X = GP0 + 2 GP1 + 8 GP3, built by one-input gates; the constants come from supplies.
  AddGate(f.tp, TObjGatter::Or, {"GP.0"}, "X.0");
  AddGate(f.tp, TObjGatter::Or, {"GP.1"}, "X.1");
  AddGate(f.tp, TObjGatter::Or, {"GP.3"}, "X.3");
  AddSupply(f.tp, false, "X_HI.0");
  for (const char* bit : {"HYV.0", "HYV.1", "HYV.2", "SPV.1", "SPV.3"}) AddSupply(f.tp, true, bit);
  AddSupply(f.tp, false, "HYV_HI.0");
  AddSchmitt(f.tp, false, "X", "10", "7", "GP.2");
  AddSchmitt(f.tp, true, "X", "10", "HYV", "GP.4");
  AddSchmitt(f.tp, false, "X", "SPV", "7", "GP.5").Output().Inverted = true;
  const Assembly a = AssembleClean(f, dir);
  // Input value GP0 (1), GP1 (2), GP3 (4) gives X = bit0 + 2 bit1 + 8 bit2. The gates copy the pins one by
  // one, so rows change X by steps that pass through no value on the other side of a threshold.
  auto x = [](int value) { return (value & 1) | (value & 2) | ((value & 8) ? 4 : 0); };
  ASSERT_NO_FATAL_FAILURE(ExpectTable(a, {{"gpio0", "gpio1", "gpio3"}}, {{"gpio", 2}, {"gpio", 4}, {"gpio", 5}},
              {{{x(0)}, "001"}, {{x(9)}, "001"}, {{x(10)}, "110"}, {{x(11)}, "110"}, {{x(3)}, "110"}, {{x(2)}, "001"},
               {{x(1)}, "001"}, {{x(9)}, "001"}, {{x(11)}, "110"}, {{x(0)}, "001"}}));
}

}  // namespace
}  // namespace tolmek::test
