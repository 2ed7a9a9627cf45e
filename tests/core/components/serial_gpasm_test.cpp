// Every supported part: a plan with LCD modules (4 rows and 1 row), every output format, a UART module with
// transmitting and receiving data blocks builds cleanly, with the word count the assembler placed, and every
// call chain fits the part's stack. Parts without a UART report message 52.
#include <gtest/gtest.h>

#include <string>

#include "serial_blocks.h"
#include "support/gputils_runner.h"

namespace tolmek::test {
namespace {

// Parts with 512 words get the 4-row module only: two drivers would not fit beside the rest.
void SerialPlan(TestProject& tp, bool gpio, bool small) {
  AddSupply(tp, true, "START.0");
  AddValue(tp, "V8", 200, false);
  AddValue(tp, "W16", 54321, true);
  AddValue(tp, "COL", 9, false);
  auto& four = AddLcd(tp, gpio ? "LCDP" : "RB", gpio ? "GP.5" : "RB.5", 4, 20);
  tp.project.Renumber();
  four.SetName("LB1");
  if (!small) AddLcd(tp, gpio ? "LCDP" : "RB", gpio ? "GP.4" : "RA.0", 1, 16).SetName("LB2");
  AddLcdOut(tp, "START.0", TObjLcdText::kText, 1, 0).Text = "A#223,o#B";
  auto& dec = AddLcdOut(tp, "START.0", TObjLcdText::kDecimal, 0, 1, "W16");
  dec.FixedLength = 1;
  dec.FixedCount = 3;
  AddLcdOut(tp, "START.0", TObjLcdText::kHex, 0, 2, "V8").In().Inverted = true;
  auto& bin = AddLcdOut(tp, "START.0", TObjLcdText::kBinary, 4, 3, "V8");
  bin.FixedLength = 1;
  bin.FixedCount = 5;
  auto& onRow = AddLcdOut(tp, "START.0", TObjLcdText::kDecimal, 0, 0, "V8");
  onRow.LcdName = small ? "LB1" : "LB2";
  onRow.PosXName = "COL";
  auto& uart = AddUart(tp, 2, true);
  uart.HalfDuplex = 1;
  uart.DirPin = gpio ? "GP.2" : "RA.1";
  AddUdata(tp, TObjUdata::kTransmit, {"V8", "W16", "W16_HI"}, "START.0", "FLAGS.0");
  AddUdata(tp, TObjUdata::kReceive, {"V8", "COL"}, "START.0", "FLAGS.1").Out().Inverted = true;
}

TEST(SerialGpasm, EveryTypeBuildsCleanlyWithItsWordCountAndStack) {
  if (!HaveGpasm()) GTEST_SKIP() << "gpasm not installed";
  ScratchDir dir("serial_gpasm");
  for (int type = 0; type < ProcessorCount; ++type) {
    SCOPED_TRACE(std::string(ProcessorName(type)));
    WriterFixture f(type);
    f.project().Mcu.Mclre = 1;
    SerialPlan(f.tp, type >= 30 && type <= 37, !ProcessorPropertiesOf(type).Core12 && ProcessorPropertiesOf(type).RomSize <= 512);
    const std::string& text = f.Generate();
    const Assembly a = Assemble(text, dir.path());
    EXPECT_TRUE(a.Clean()) << a.Report();
    EXPECT_EQ(a.wordsUsed, f.last.RomUsed);
    EXPECT_EQ(f.last.CallDepthError, "");
    const bool usart = f.analysis.Props().HasUsart;
    EXPECT_EQ(f.tp.sink.Numbers(), usart ? std::vector<int>{} : std::vector<int>{52});
    EXPECT_EQ(f.writer.GuardRepairs(), 0);
  }
}

}  // namespace
}  // namespace tolmek::test
