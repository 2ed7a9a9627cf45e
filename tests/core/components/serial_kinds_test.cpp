// The LCD and UART kinds without a chip: records, text syntax and value formats, baud settings, the lengths
// the analysis gives a UART module, the plan simulation, and the faults reported at generation.
#include <gtest/gtest.h>

#include <string>

#include "block_bench.h"
#include "core/model/file_fixture.h"
#include "model/plan_json.h"
#include "model/project_file.h"
#include "serial_blocks.h"
#include "sim/plan_variables.h"

namespace tolmek::test {
namespace {

using F = TObjLcdText;

// Every kind and variant through the file (saved twice byte-identical) and through JSON.
TEST(SerialKinds, EveryVariantSavesAgainByteIdenticalAndThroughJson) {
  TestProject t;
  for (uint8_t format = 0; format <= 3; ++format) {
    auto& b = AddLcdOut(t, "GO.0", format, format, 1, "V");
    b.LeadingZeros = format & 1;
    b.FixedLength = format >= 2;
    b.FixedCount = 4;
    b.PosXName = format == 1 ? "COL" : "";
    b.Text = "A#223,o#B\xC3\xA4";
  }
  for (int rows : {1, 2, 4}) {
    auto& m = AddLcd(t, "GP", "GP.5", rows, 16);
    m.DelayFactor = uint8_t(rows / 2);
    m.WindowLeft = 40000;
  }
  for (bool checksum : {true, false}) {
    auto& u = AddUart(t, checksum ? 2 : 3, checksum);
    u.CustomRate = !checksum;
    u.Spbrg = 129;
    u.Brgh = 1;
    u.HalfDuplex = 1;
    u.DirPin = "RC.5";
  }
  AddUdata(t, TObjUdata::kTransmit, {"A", "B", "C"}, "S.0", "Q.0");
  AddUdata(t, TObjUdata::kReceive, {}, "S.1", "Q.1").In().Inverted = true;

  const std::string file = ProjectToBytes(t.project);
  FixedPassword none;
  TestProject back;
  ASSERT_TRUE(ProjectFromBytes(back.project, file, none));
  EXPECT_EQ(ProjectToBytes(back.project), file);
  TestProject viaJson;
  PlanFromJsonText(viaJson.project, PlanToJsonText(t.project));
  EXPECT_EQ(ProjectToBytes(viaJson.project), file);

  auto& u0 = static_cast<TObjUart&>(*back.project.Elements()[7]);
  auto& u1 = static_cast<TObjUart&>(*back.project.Elements()[8]);
  EXPECT_EQ(u0.WithChecksum, 1);
  EXPECT_EQ(u1.WithChecksum, 0);
  auto& d = static_cast<TObjUdata&>(*back.project.Elements()[9]);
  EXPECT_EQ(d.Items, (std::vector<std::string>{"A", "B", "C"}));
  EXPECT_EQ(static_cast<TObjLcdBase&>(*back.project.Elements()[4]).WindowLeft, 40000);
}

// The checksum option is stored inverted: on is a 0 in its byte (after the three pin names).
TEST(SerialKinds, ChecksumByteIsStoredInverted) {
  for (bool on : {true, false}) {
    TObjUart u(0, 0);
    u.WithChecksum = on;
    u.TxPin = "RC.6";
    ByteWriter w;
    u.Save(w);
    const std::string& bytes = w.Data();
    const size_t at = bytes.find("RC.6") + 4 + 1 + 1;  // Tx "RC.6", Rx and DIR empty
    EXPECT_EQ(uint8_t(bytes.at(at)), on ? 0 : 1);
  }
}

TEST(SerialKinds, TextGroupsGiveCodesAndShownCharacters) {
  const auto glyphs = F::ParseText("A#223,o#B##x#65#");
  std::string codes, shown;
  for (const auto& g : glyphs) {
    codes += std::to_string(g.code) + " ";
    shown += g.shown;
  }
  EXPECT_EQ(codes, "65 223 66 35 120 65 ");
  EXPECT_EQ(shown, "AoB#x#");
}

TEST(SerialKinds, ValuesAreFormattedAsTheDisplayShowsThem) {
  struct Row {
    uint8_t format, zeros, fixed;
    int count;
    unsigned value;
    bool wide;
    const char* shown;
  };
  const Row rows[] = {
      {F::kDecimal, 0, 0, 0, 7, false, "  7"},    {F::kDecimal, 1, 0, 0, 7, false, "007"},
      {F::kDecimal, 1, 0, 0, 1234, true, "01234"}, {F::kDecimal, 1, 1, 2, 1234, true, "34"},
      {F::kDecimal, 0, 1, 9, 300, false, " 44"},   {F::kHex, 0, 0, 0, 255, false, "FF"},
      {F::kHex, 0, 0, 0, 10, true, "000A"},        {F::kBinary, 0, 0, 0, 5, false, "     101"},
      {F::kBinary, 1, 0, 0, 5, false, "00000101"}, {F::kBinary, 0, 1, 4, 0x81, false, "0001"},
      {F::kBinary, 0, 0, 0, 0, true, "               0"},
  };
  for (const Row& r : rows) {
    TObjLcdText b(0, 0);
    b.Format = r.format;
    b.LeadingZeros = r.zeros;
    b.FixedLength = r.fixed;
    b.FixedCount = uint8_t(r.count);
    EXPECT_EQ(b.FormatValue(r.value, r.wide), r.shown) << int(r.format) << " " << r.value;
  }
}

TEST(SerialKinds, NewOutputBlockPositionsAreConstants) {
  TObjLcdText b(0, 0);
  EXPECT_EQ(F::PositionVariable(b.PosXName), "");
  EXPECT_EQ(F::PositionVariable("0"), "");  // older plans hold the text "0"
  EXPECT_EQ(F::PositionVariable("COL"), "COL");
  EXPECT_EQ(TObjLcdBase::PortOperand("GP.5", true), "GPIO,5");
  EXPECT_EQ(TObjLcdBase::PortOperand("RB.5", false), "PORTB,5");
  EXPECT_EQ(TObjLcdBase::PortOperand("RB", false), "PORTB");
  EXPECT_EQ(TObjLcdBase::PortOperand("LCDP", true), "LCDP");
}

TEST(SerialKinds, PresetSpeedsFollowTheClock) {
  struct Row {
    int baud;
    double clock;
    int spbrg;
    bool brgh, reachable;
  };
  const Row rows[] = {{1200, 4e6, 207, true, true},   {2400, 4e6, 103, true, true},
                      {9600, 4e6, 25, true, true},    {19200, 4e6, 12, true, true},
                      {9600, 20e6, 129, true, true},  {1200, 20e6, 255, false, false},
                      {19200, 32768, 0, true, false}, {2400, 20e6, 129, false, true}};
  for (const Row& r : rows) {
    const auto s = TObjUart::PresetBaud(r.baud, r.clock);
    EXPECT_EQ(s.spbrg, r.spbrg) << r.baud << " at " << r.clock;
    EXPECT_EQ(s.brgh, r.brgh) << r.baud << " at " << r.clock;
    EXPECT_EQ(s.reachable, r.reachable) << r.baud << " at " << r.clock;
  }
}

TEST(SerialKinds, DataBlocksGiveTheirModuleItsLengthsAndBuffers) {
  WriterFixture f(23);
  auto& u = AddUart(f.tp, 2, true);
  f.project().Renumber();
  AddUdata(f.tp, TObjUdata::kTransmit, {"A", "B"}, "S.0", "Q.0");
  AddUdata(f.tp, TObjUdata::kTransmit, {"A", "B", "C", "D", "E"}, "S.1", "Q.1");
  AddUdata(f.tp, TObjUdata::kReceive, {"X", "Y", "Z"}, "S.2", "Q.2");
  AddUdata(f.tp, TObjUdata::kReceive, {}, "S.3", "Q.3");
  f.analysis.RunAnalysis(true);
  EXPECT_EQ(u.TxLength, 5);
  EXPECT_EQ(u.RxLength, 3);
  EXPECT_EQ(u.UseFlags, 3);
  EXPECT_TRUE(f.analysis.CellExists("UA1OUTBUF7"));
  EXPECT_FALSE(f.analysis.CellExists("UA1OUTBUF8"));
  EXPECT_TRUE(f.analysis.CellExists("UA1INBUF6"));
  EXPECT_FALSE(f.analysis.CellExists("UA1INBUF7"));
  const std::string& text = f.Generate();
  EXPECT_NE(text.find("MOVLW 25"), std::string::npos);
  EXPECT_TRUE(f.tp.sink.entries.empty());
}

TEST(SerialKinds, GenerationReportsWhatCannotWork) {
  struct Row {
    int type;
    double clock;
    int rate;
    const char* uartName;
    std::vector<int> messages;
  };
  const Row rows[] = {
      {23, 4e6, 2, "UA1", {}},
      {23, 20e6, 0, "UA1", {60}},     // 1200 baud at 20 MHz
      {23, 4e6, 2, "UA7", {61}},      // a data block naming no module
      {3, 4e6, 2, "UA1", {52}},       // 16F84 has no UART
  };
  for (const Row& r : rows) {
    WriterFixture f(r.type);
    f.project().Mcu.ClockHz = r.clock;
    AddUart(f.tp, r.rate, true);
    f.project().Renumber();
    AddUdata(f.tp, TObjUdata::kTransmit, {"A"}, "S.0", "Q.0").UartName = r.uartName;
    f.Generate();
    EXPECT_EQ(f.tp.sink.Numbers(), r.messages) << r.type << " " << r.uartName;
  }
}

// On the plan simulation the data block's output is high for one pass per rising edge; the LCD output
// block writes once per rising edge into its module's display.
TEST(SerialKinds, SimulationWritesOncePerRisingEdge) {
  BlockBench bench;
  auto& m = bench.Add<TObjLcdBase>(kind::LcdBase);
  m.Rows = 2;
  m.Columns = 16;
  bench.project().Renumber();
  auto& out = bench.Add<TObjLcdText>(kind::LcdText);
  out.Format = F::kDecimal;
  out.PosX = 3;
  out.PosY = 1;
  bench.Wire(out.In(), "GO.0");
  bench.Wire(out.Value(), "CNT");
  auto& d = bench.Add<TObjUdata>(kind::Udata);
  bench.Wire(d.In(), "GO.0");
  bench.Wire(d.Out(), "Q.0");
  AddPlanVariables(bench.project(), bench.engine());
  bench.SetValue("CNT", 42);
  bench.Start();
  ASSERT_NE(m.Display(), nullptr);
  bench.Step();
  EXPECT_EQ(m.Display()->Visible(1, 16), "                ");
  bench.Set("GO.0", 1);
  bench.engine().Variables().Find("CNT")->Value = 43;
  bench.Step();
  EXPECT_EQ(m.Display()->Visible(1, 16), "    43          ");
  EXPECT_EQ(bench.Level("Q.0"), 0);  // high in the first pass only
  bench.SetValue("CNT", 99);
  bench.Step();
  EXPECT_EQ(m.Display()->Visible(1, 16), "    43          ") << "no second write while the input stays high";
  bench.engine().StopSimulation();
  EXPECT_EQ(m.Display(), nullptr);
}

}  // namespace
}  // namespace tolmek::test
