// The routing kinds on simulated chips (16F84, 16F877, 12C508A; A/D on 16C71 and 16F877): input pins
// packed by a distributor, routed by a multiplexer or looked up in a table, unpacked onto output pins; and
// the same rows through `tolmekc simulate`.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <sys/wait.h>

#include "block_code_fixture.h"
#include "components/bv.h"
#include "components/call.h"
#include "components/data8.h"
#include "components/mux.h"
#include "components/tabelle.h"
#include "gpsim_table.h"
#include "model/project_file.h"

namespace tolmek::test {
namespace {

constexpr int k16C71 = 0;
constexpr int k16F84 = 3;
constexpr int k16F877 = 23;
constexpr int k12C508A = 30;

bool HaveTools() { return HaveGpasm() && HaveGpsim(); }

// The pins of a chip: three inputs and three outputs as the plan names them and as gpsim does.
struct Chip {
  int type;
  std::array<std::string, 3> inNets, inPins;
  std::array<std::string, 3> outNets;
  std::array<OutputBit, 3> outBits;
};

const Chip kChips[] = {
    {k16F84, {"RB.0", "RB.1", "RB.2"}, {"portb0", "portb1", "portb2"}, {"RA.0", "RA.1", "RA.2"},
     {{{"porta", 0}, {"porta", 1}, {"porta", 2}}}},
    {k16F877, {"RB.0", "RB.1", "RB.2"}, {"portb0", "portb1", "portb2"}, {"RD.0", "RD.1", "RD.2"},
     {{{"portd", 0}, {"portd", 1}, {"portd", 2}}}},
    {k12C508A, {"GP.0", "GP.1", "GP.3"}, {"gpio0", "gpio1", "gpio3"}, {"GP.2", "GP.4", "GP.5"},
     {{{"gpio", 2}, {"gpio", 4}, {"gpio", 5}}}},
};

TObjBv& Pack(TestProject& tp, const std::vector<std::string>& bits, const std::string& byte) {
  auto& b = tp.Add<TObjBv>(kind::Bv);
  b.Configure(TObjBv::kBitToByte, int(bits.size()));
  for (size_t i = 0; i < bits.size(); ++i) b.Bit(int(i)).SetName(bits[i]);
  b.Byte().SetName(byte);
  return b;
}

TObjBv& Unpack(TestProject& tp, const std::string& byte, const std::vector<std::string>& bits) {
  auto& b = tp.Add<TObjBv>(kind::Bv);
  b.Configure(TObjBv::kByteToBit, int(bits.size()));
  for (size_t i = 0; i < bits.size(); ++i) b.Bit(int(i)).SetName(bits[i]);
  b.Byte().SetName(byte);
  return b;
}

TObjData8& Constant(TestProject& tp, const std::string& value, bool wide = false) {
  auto& d = tp.Add<TObjData8>(kind::Data8);
  d.SetWidth16(wide);
  d.SetName(value);
  return d;
}

Assembly AssembleClean(WriterFixture& f, const ScratchDir& dir) {
  const std::string& text = f.Generate();
  Assembly a = Assemble(text, dir.path());
  EXPECT_TRUE(a.Clean()) << a.Report();
  EXPECT_EQ(a.wordsUsed, f.last.RomUsed);
  EXPECT_TRUE(f.last.ReachErrors.empty());
  EXPECT_TRUE(f.tp.sink.entries.empty()) << f.tp.sink.entries.front().text;
  return a;
}

constexpr int kTicksPerRow = 3;

// The rows through `tolmekc simulate`: each row's input levels set, the output nets read at its end.
void ExpectSimulated(Project& project, const std::vector<std::string>& inNets, const std::vector<std::string>& outNets,
                     const std::vector<TableRow>& rows, const ScratchDir& dir) {
  const std::string plan = (dir.path() / "PLAN.PIC").string();
  ASSERT_TRUE(SaveProject(project, plan));
  std::ostringstream command;
  command << TOLMEKC_PATH << " simulate " << plan << " --ticks " << rows.size() * kTicksPerRow << " --watch ";
  for (size_t o = 0; o < outNets.size(); ++o) command << (o ? "," : "") << outNets[o];
  for (size_t k = 0; k < rows.size(); ++k)
    for (size_t i = 0; i < inNets.size(); ++i)
      command << " --set " << inNets[i] << "=" << ((rows[k].in.at(0) >> i) & 1) << "@" << k * kTicksPerRow + 1;
  command << " 2>&1";
  FILE* pipe = ::popen(command.str().c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string out;
  std::array<char, 4096> buffer{};
  for (size_t n; (n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;) out.append(buffer.data(), n);
  const int status = ::pclose(pipe);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command.str() << "\n" << out;
  std::istringstream lines(out);
  std::string line;
  std::getline(lines, line);  // heading
  size_t row = 0;
  while (std::getline(lines, line)) {
    std::vector<int> fields;
    std::istringstream cells(line);
    for (std::string cell; std::getline(cells, cell, ',');) fields.push_back(std::stoi(cell));
    if (fields.size() != outNets.size() + 2 || fields[0] % kTicksPerRow != 0) continue;
    ASSERT_LT(row, rows.size());
    std::string levels;
    for (size_t o = 0; o < outNets.size(); ++o) levels += char('0' + fields[o + 2]);
    EXPECT_EQ(levels, rows[row].out) << "simulated row " << row;
    ++row;
  }
  EXPECT_EQ(row, rows.size()) << out;
}

void ExpectOnChipAndSimulated(WriterFixture& f, const Chip& chip, const std::vector<TableRow>& rows, const char* name,
                              size_t inputs = 3) {
  ScratchDir dir(std::string(name) + "_" + std::to_string(chip.type));
  if (chip.type == k12C508A) f.project().Mcu.Mclre = 1;  // GP3 is an input
  const Assembly a = AssembleClean(f, dir);
  if (!a.Clean()) return;  // gpsim would wait for a program that is not there
  ASSERT_NO_FATAL_FAILURE(ExpectTable(a, {{chip.inPins.begin(), chip.inPins.end()}},
                                      {chip.outBits.begin(), chip.outBits.end()}, rows));
  ExpectSimulated(f.project(), {chip.inNets.begin(), chip.inNets.begin() + inputs},
                  {chip.outNets.begin(), chip.outNets.end()}, rows, dir);
}

// SELECT from inputs 0 and 1, channel 0 from input 2; channels 1 and 2 are the constants 6 and 5. The
// output's three bits go to the output pins.
TEST(RouteGpsim, MultiplexerForEverySelectAndOnePastTheLast) {
  if (!HaveTools()) GTEST_SKIP() << "gpasm/gpsim not installed";
  for (const Chip& chip : kChips) {
    SCOPED_TRACE(ProcessorName(chip.type));
    WriterFixture f(chip.type);
    Pack(f.tp, {chip.inNets[0], chip.inNets[1]}, "SEL");
    Pack(f.tp, {chip.inNets[2]}, "DAT");
    Constant(f.tp, "6");
    Constant(f.tp, "5");
    auto& mux = f.tp.Add<TObjMux>(kind::Mux);
    mux.Configure(TObjMux::kNToOne, false, 3);
    mux.Channel(0).SetName("DAT");
    mux.Channel(1).SetName("6");
    mux.Channel(2).SetName("5");
    mux.Select().SetName("SEL");
    mux.Single().SetName("Q");
    Unpack(f.tp, "Q", {chip.outNets.begin(), chip.outNets.end()});
    // Inputs as bits: SELECT low (1), SELECT high (2), D (4).
    ExpectOnChipAndSimulated(f, chip,
                             {{{4}, "100"}, {{0}, "000"}, {{1}, "011"}, {{2}, "101"}, {{3}, "101"},
                              {{4}, "100"}, {{7}, "100"}, {{3}, "100"}, {{5}, "011"}},
                             "mux");
  }
}

// 1 to n in 16 bits on the 16F877: the constant 1000 goes to the selected channel; the channels' bits 3
// and 8 (1000 = 0x3E8) show on port D and port C.
TEST(RouteGpsim, DemultiplexerOfWordsOn16F877) {
  if (!HaveTools()) GTEST_SKIP() << "gpasm/gpsim not installed";
  const Chip& chip = kChips[1];
  WriterFixture f(chip.type);
  Pack(f.tp, {chip.inNets[0], chip.inNets[1]}, "SEL");
  auto& mux = f.tp.Add<TObjMux>(kind::Mux);
  mux.Configure(TObjMux::kOneToN, true, 2);
  mux.Single().SetName("1000");
  mux.Channel(0).SetName("Y0");
  mux.Channel(1).SetName("Y1");
  mux.Select().SetName("SEL");
  std::vector<std::string> y0(16, "."), y1(16, ".");
  y0[3] = "RD.0";
  y0[8] = "RD.1";
  y1[9] = "RD.2";
  Unpack(f.tp, "Y0", y0);
  Unpack(f.tp, "Y1", y1);
  ExpectOnChipAndSimulated(f, chip, {{{0}, "110"}, {{2}, "110"}, {{1}, "111"}, {{3}, "111"}}, "demux", 2);
}

// Index from inputs 0 and 1 into a table of four; the entry's three bits on the output pins.
TEST(RouteGpsim, TableLookupsAtFirstAndLastIndex) {
  if (!HaveTools()) GTEST_SKIP() << "gpasm/gpsim not installed";
  for (const Chip& chip : kChips) {
    SCOPED_TRACE(ProcessorName(chip.type));
    WriterFixture f(chip.type);
    auto& table = f.tp.Add<TObjTabelle>(kind::Tabelle);
    table.SetName("CODES");
    table.Length = 4;
    table.Values = {5, 3, 6, 7};
    Pack(f.tp, {chip.inNets[0], chip.inNets[1]}, "IDX");
    auto& call = f.tp.Add<TObjCall>(kind::Call);
    call.SetName("CODES");
    call.In().SetName("IDX");
    call.Out().SetName("ENTRY");
    Unpack(f.tp, "ENTRY", {chip.outNets.begin(), chip.outNets.end()});
    ExpectOnChipAndSimulated(f, chip, {{{0}, "101"}, {{3}, "111"}, {{1}, "110"}, {{2}, "011"}, {{0}, "101"}},
                             "table", 2);
  }
}

// A 16-bit table on the 16F877: high and low bytes of the first and last entries.
TEST(RouteGpsim, WordTableOn16F877) {
  if (!HaveTools()) GTEST_SKIP() << "gpasm/gpsim not installed";
  const Chip& chip = kChips[1];
  WriterFixture f(chip.type);
  auto& table = f.tp.Add<TObjTabelle>(kind::Tabelle);
  table.SetName("WORDS");
  table.Width16 = 1;
  table.Length = 128;
  table.Values[0] = 0x0102;
  table.Values[127] = 0x0401;
  Pack(f.tp, {chip.inNets[0], chip.inNets[1], chip.inNets[2], "RB.3", "RB.4", "RB.5", "RB.6"}, "IDX");
  auto& call = f.tp.Add<TObjCall>(kind::Call);
  call.SetName("WORDS");
  call.SetWidth16(true);
  call.In().SetName("IDX");
  call.Out().SetName("WORD");
  std::vector<std::string> bits(16, ".");
  bits[0] = "RD.0";
  bits[1] = "RD.1";
  bits[10] = "RD.2";
  Unpack(f.tp, "WORD", bits);
  const Chip wide{chip.type, chip.inNets, chip.inPins, chip.outNets, chip.outBits};
  ScratchDir dir("table16");
  const Assembly a = AssembleClean(f, dir);
  const PinGroup index{"portb0", "portb1", "portb2", "portb3", "portb4", "portb5", "portb6"};
  // 0x0102: bit 1 and bit 8; 0x0401: bit 0 and bit 10.
  ASSERT_NO_FATAL_FAILURE(ExpectTable(a, {index}, {wide.outBits.begin(), wide.outBits.end()},
                                      {{{0}, "010"}, {{127}, "101"}, {{0}, "010"}}));
}

// ---- A/D

struct AdcCase {
  int type;
  double volts;
  int result8;   // ADC0, 8 bits, left-justified on the 16F877
  int result10;  // ADC1 with its high byte, right-justified (16F877 only)
};

// 2.5 V reads as half the range; the converters round down by one step at most.
void ExpectNear(int64_t got, int want, const char* what) {
  EXPECT_LE(std::abs(got - want), 1) << what << ": " << got << " for " << want;
}

TEST(RouteGpsim, AnalogueInputsOn16C71And16F877) {
  if (!HaveTools()) GTEST_SKIP() << "gpasm/gpsim not installed";
  for (const AdcCase& c : {AdcCase{k16C71, 0.0, 0, 0}, AdcCase{k16C71, 2.5, 127, 0}, AdcCase{k16C71, 5.0, 255, 0},
                           AdcCase{k16F877, 0.0, 0, 0}, AdcCase{k16F877, 2.5, 127, 511},
                           AdcCase{k16F877, 5.0, 255, 1023}}) {
    const bool tenBit = c.type == k16F877;
    SCOPED_TRACE(std::string(ProcessorName(c.type)) + " at " + std::to_string(c.volts) + " V");
    WriterFixture f(c.type);
    Constant(f.tp, "ADC0");
    std::vector<std::string> low, word;
    for (int b = 0; b < 8; ++b) low.push_back("RB." + std::to_string(b));
    Unpack(f.tp, "ADC0", low);
    if (tenBit) {
      Constant(f.tp, "ADC1", true);
      for (int b = 0; b < 8; ++b) word.push_back("RD." + std::to_string(b));
      for (int b = 0; b < 2; ++b) word.push_back("RC." + std::to_string(b));
      Unpack(f.tp, "ADC1", word);
    }
    ScratchDir dir("adc");
    const Assembly a = AssembleClean(f, dir);
    GpsimRun sim(a);
    sim.Voltage("porta0", c.volts);
    if (tenBit) sim.Voltage("porta1", c.volts);
    const size_t portb = sim.Sample(20000, "portb");
    const size_t portd = tenBit ? sim.Sample(20000, "portd") : 0;
    const size_t portc = tenBit ? sim.Sample(20000, "portc") : 0;
    ASSERT_TRUE(sim.Run()) << sim.Output();
    ExpectNear(sim.Value(portb).value_or(-1), c.result8, "8-bit result");
    if (tenBit) {
      const int64_t value = sim.Value(portd).value_or(-1) | ((sim.Value(portc).value_or(-1) & 3) << 8);
      ExpectNear(value, c.result10, "10-bit result");
    }
  }
}

}  // namespace
}  // namespace tolmek::test
