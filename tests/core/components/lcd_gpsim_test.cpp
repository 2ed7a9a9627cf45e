// LCD output on simulated chips: the port and enable writes of the program, decoded by an HD44780 model,
// show the same characters at the same places as the simulated display of the plan.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "hd44780_model.h"
#include "serial_blocks.h"
#include "sim/engine.h"
#include "sim/plan_variables.h"
#include "support/gputils_runner.h"

namespace tolmek::test {
namespace {

struct LcdChip {
  int type;
  const char* port;
  const char* enable;
  int rows, columns;
  const char* dataReg;    // as gpsim names it
  const char* enableReg;
  int enableBit;
  double clock = 4e6;
};

struct Shown {
  uint8_t format;
  int x, y;
  std::string value;  // variable name (formats 1..3)
  int number = 0;
  bool wide = false;
  uint8_t zeros = 0;
  int fixed = 0;  // 0: no fixed length
  std::string text = {};
};

// Builds the plan, runs it in gpsim and in the plan simulation; returns the rows both show.
void ExpectSameDisplay(const LcdChip& chip, const std::vector<Shown>& shown, const std::vector<std::string>& rows) {
  WriterFixture f(chip.type);
  f.project().Mcu.ClockHz = chip.clock;
  AddSupply(f.tp, true, "START.0");
  for (const Shown& s : shown)
    if (!s.value.empty()) AddValue(f.tp, s.value, s.number, s.wide);
  auto& module = AddLcd(f.tp, chip.port, chip.enable, chip.rows, chip.columns);
  module.SetName("LB1");
  for (const Shown& s : shown) {
    auto& b = AddLcdOut(f.tp, "START.0", s.format, s.x, s.y, s.value);
    b.LeadingZeros = s.zeros;
    b.FixedLength = s.fixed ? 1 : 0;
    b.FixedCount = uint8_t(s.fixed);
    b.Text = s.text;
  }
  f.project().Renumber();
  module.SetName("LB1");

  ScratchDir dir("lcd_gpsim");
  const std::string& text = f.Generate();
  if (const char* keep = std::getenv("TOLMEK_KEEP_ASM")) std::ofstream(keep) << text;
  const Assembly a = Assemble(text, dir.path());
  ASSERT_TRUE(a.Clean()) << a.Report();
  EXPECT_EQ(a.wordsUsed, f.last.RomUsed);
  EXPECT_TRUE(f.tp.sink.entries.empty()) << f.tp.sink.entries.front().text;

  GpsimRun sim(a);
  sim.Setup("frequency " + std::to_string(long(chip.clock)));
  sim.LogWrites({chip.dataReg, chip.enableReg});
  sim.Sample(chip.clock >= 1e7 ? 2500000 : 1200000, "status");
  ASSERT_TRUE(sim.Run()) << sim.Output();
  Hd44780 lcd(chip.dataReg, chip.enableReg, chip.enableBit);
  lcd.Feed(sim.Writes());
  ASSERT_TRUE(lcd.FourBit()) << "no 4-bit start sequence in " << sim.Writes().size() << " writes";

  SimEngine engine(f.project());
  engine.SetAllPagesOpen(true);
  AddPlanVariables(f.project(), engine);
  for (const Shown& s : shown)
    if (!s.value.empty()) engine.Variables().Add(s.value).Value = s.number;
  ASSERT_TRUE(engine.StartSimulation());
  engine.Tick();
  // The blocks' inputs are joined by their name only, as the program joins them.
  ASSERT_TRUE(engine.SetNetLevel("START.0", 1));
  for (int i = 0; i < 3; ++i) engine.Tick();
  ASSERT_NE(module.Display(), nullptr);
  for (int r = 0; r < chip.rows; ++r) {
    const std::string onScreen = module.Display()->Visible(r, chip.columns);
    std::string decoded = lcd.Row(r, chip.rows, chip.columns);
    for (char& c : decoded)
      if (c == '\xDF') c = 'o';  // the plan's "#223,o#": code 223 on the display, "o" in the simulation
    EXPECT_EQ(decoded, onScreen) << "row " << r;
    if (size_t(r) < rows.size()) EXPECT_EQ(onScreen, rows[size_t(r)]) << "row " << r;
  }
  engine.StopSimulation();
}

bool HaveTools() { return HaveGpasm() && HaveGpsim(); }

using F = TObjLcdText;

TEST(LcdGpsim, FourRowsOn16F877WithEveryFormat) {
  if (!HaveTools()) GTEST_SKIP() << "gpasm/gpsim not installed";
  ExpectSameDisplay({23, "RD", "RC.0", 4, 20, "portd", "portc", 0},
                    {{F::kText, 0, 0, "", 0, false, 0, 0, "A#223,o#B##x"},
                     {F::kDecimal, 0, 1, "V7", 7, false, 0, 0},
                     {F::kDecimal, 4, 1, "V7", 7, false, 1, 0},
                     {F::kDecimal, 8, 1, "W1234", 1234, true, 1, 0},
                     {F::kDecimal, 14, 1, "W1234", 1234, true, 1, 2},
                     {F::kDecimal, 17, 1, "V103", 103, false, 0, 2},
                     {F::kHex, 0, 2, "V255", 255, false},
                     {F::kHex, 3, 2, "W10", 10, true},
                     {F::kBinary, 8, 2, "V5", 5, false},
                     {F::kBinary, 0, 3, "W293", 293, true, 1, 6},
                     {F::kBinary, 8, 3, "V129", 129, false, 0, 4},
                     {F::kBinary, 12, 3, "V5", 5, false, 0, 0}},
                    {"AoB#x               ", "  7 007 01234 34 03 ", "FF 000A      101    ",
                     "100101  0001     101"});
}

TEST(LcdGpsim, TwoRowsOn16F84At20MHz) {
  if (!HaveTools()) GTEST_SKIP() << "gpasm/gpsim not installed";
  ExpectSameDisplay({3, "RB", "RB.5", 2, 16, "portb", "portb", 5, 20e6},
                    {{F::kText, 2, 0, "", 0, false, 0, 0, "Hallo"},
                     {F::kDecimal, 10, 0, "W1234", 1234, true, 0, 0},
                     {F::kHex, 0, 1, "W10", 10, true},
                     {F::kBinary, 6, 1, "V5", 5, false, 1, 0}},
                    {"  Hallo    1234 ", "000A  00000101  "});
}

TEST(LcdGpsim, OneRowOn16C54CWithTheTwoLevelStack) {
  if (!HaveTools()) GTEST_SKIP() << "gpasm/gpsim not installed";
  // The decimal output crosses the half-line boundary at column 8.
  ExpectSameDisplay({38, "RB", "RA.2", 1, 16, "portb", "porta", 2},
                    {{F::kText, 0, 0, "", 0, false, 0, 0, "ab#65,A#"},
                     {F::kDecimal, 6, 0, "V103", 103, false, 0, 0},
                     {F::kHex, 10, 0, "V255", 255, false},
                     {F::kBinary, 12, 0, "V5", 5, false, 0, 3}},
                    {"abA   103 FF101 "});
}

}  // namespace
}  // namespace tolmek::test
