// The UART blocks on simulated chips with gpsim's serial module attached to TX and RX: a message with its
// checksum sent byte for byte, a message received into the listed variables, a wrong checksum and a framing
// error, and the DIR pin of half duplex around a transmission.
//
// The simulator's USART keeps its own bit time, which does not follow SPBRG as the chip does; the serial
// module is therefore set to the bit time measured on the TX pin of each program.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <iostream>
#include <string>
#include <vector>

#include "serial_blocks.h"
#include "support/gputils_runner.h"

namespace tolmek::test {
namespace {

struct UartChip {
  int type;
  double clock;
  int rate;  // preset index, or -1: custom SPBRG/BRGH below
  int spbrg = 0;
  bool brgh = false;
};

struct Pins {
  std::string tx, rx, port;
  int txBit;
};

Pins PinsOf(const ProcessorProps& p) {
  if (p.UartTxPin == "RB.2") return {"portb2", "portb1", "portb", 2};
  return {"portc6", "portc7", "portc", 6};
}

constexpr uint64_t kEnd = 120000;
// The serial module counts its bit time in cycles of a 20 MHz clock whatever the part runs at.
constexpr double kModuleCycles = 5e6;

void Configure(WriterFixture& f, const UartChip& chip) {
  f.project().Mcu.ClockHz = chip.clock;
  f.project().Mcu.Oscillator = chip.clock > 4e6 ? 3 : 2;
  auto& u = AddUart(f.tp, chip.rate < 0 ? 0 : chip.rate, true);
  u.CustomRate = chip.rate < 0;
  u.Spbrg = uint8_t(chip.spbrg);
  u.Brgh = chip.brgh;
  u.HalfDuplex = 1;
  u.DirPin = "RA.1";
  f.project().Renumber();
}

Assembly Build(WriterFixture& f, const ScratchDir& dir) {
  const std::string& text = f.Generate();
  if (const char* keep = std::getenv("TOLMEK_KEEP_ASM")) std::ofstream(keep) << text;
  Assembly a = Assemble(text, dir.path());
  EXPECT_TRUE(a.Clean()) << a.Report();
  EXPECT_EQ(a.wordsUsed, f.last.RomUsed);
  EXPECT_TRUE(f.tp.sink.entries.empty()) << f.tp.sink.entries.front().text;
  return a;
}

struct Measured {
  int baud = 0;
  uint64_t start = 0;  // cycle of the first start bit
};

// The serial module's setting for the bit time the program's first byte (0x55) shows on TX.
Measured MeasureTx(const Assembly& a, const Pins& pins) {
  GpsimRun sim(a);
  std::vector<size_t> samples;
  for (uint64_t c = 100; c < 8000; c += 4) samples.push_back(sim.Sample(c, pins.port));
  EXPECT_TRUE(sim.Run()) << sim.Output();
  std::vector<uint64_t> edges;
  int last = 1;
  for (size_t i = 0; i < samples.size(); ++i) {
    const int level = int((sim.Value(samples[i]).value_or(0) >> pins.txBit) & 1);
    if (level != last) edges.push_back(100 + 4 * i);
    last = level;
  }
  if (edges.size() < 10) return {};
  return {int(std::lround(kModuleCycles * 9 / double(edges[9] - edges[0]))), edges[0]};
}

std::string ModuleSetup(const Pins& pins, int baud) {
  return "module library libgpsim_modules\nmodule load usart U1\nU1.rxbaud = " + std::to_string(baud) +
         "\nU1.txbaud = " + std::to_string(baud) + "\nU1.console = true\nU1.hex = true\nnode tolmek_tx\n"
         "node tolmek_rx\nattach tolmek_tx " + pins.tx + " U1.RXPIN\nattach tolmek_rx " + pins.rx + " U1.TXPIN";
}

std::vector<int> ReceivedBytes(const std::string& output) {
  std::vector<int> bytes;
  static const std::regex hex("<([0-9A-Fa-f]{2})>");
  for (auto it = std::sregex_iterator(output.begin(), output.end(), hex); it != std::sregex_iterator(); ++it)
    bytes.push_back(std::stoi((*it)[1].str(), nullptr, 16));
  return bytes;
}

const UartChip kChips[] = {{23, 4e6, 2}, {19, 4e6, 2}, {23, 4e6, -1, 51, true}, {23, 20e6, 2}};

TEST(UartGpsim, MessageWithChecksumIsSentByteForByteAndDirFramesIt) {
  if (!HaveGpasm() || !HaveGpsim()) GTEST_SKIP() << "gpasm/gpsim not installed";
  for (const UartChip& chip : kChips) {
    SCOPED_TRACE(std::string(ProcessorName(chip.type)) + " at " + std::to_string(int(chip.clock)));
    ScratchDir dir("uart_tx");
    WriterFixture f(chip.type);
    AddSupply(f.tp, true, "START.0");
    AddValue(f.tp, "B1", 0x55, false);
    AddValue(f.tp, "B2", 0x34, false);
    AddValue(f.tp, "B3", 0x56, false);
    Configure(f, chip);
    AddUdata(f.tp, TObjUdata::kTransmit, {"B1", "B2", "B3"}, "START.0", "RA.2");
    const Assembly a = Build(f, dir);
    const Pins pins = PinsOf(f.analysis.Props());
    const Measured m = MeasureTx(a, pins);
    const int baud = m.baud;
    ASSERT_GT(baud, 0) << "no byte on TX";
    GpsimRun sim(a);
    sim.Setup(ModuleSetup(pins, baud));
    const size_t dirDuring = sim.Sample(m.start + 100, "porta");
    const size_t dirAfter = sim.Sample(kEnd, "porta");
    ASSERT_TRUE(sim.Run()) << sim.Output();
    EXPECT_EQ(ReceivedBytes(sim.Output()), (std::vector<int>{0x55, 0x34, 0x56, (0xAA + 0x55 + 0x34 + 0x56) & 0xFF}));
    EXPECT_EQ((*sim.Value(dirDuring) >> 1) & 1, 1) << "DIR high while sending";
    EXPECT_EQ((*sim.Value(dirAfter) >> 1) & 1, 0) << "DIR low after the last byte";
    EXPECT_EQ((*sim.Value(dirAfter) >> 2) & 1, 0) << "the block's output falls when the message is out";
  }
}

TEST(UartGpsim, ReceivedMessageReachesTheVariablesOnlyWithItsChecksum) {
  if (!HaveGpasm() || !HaveGpsim()) GTEST_SKIP() << "gpasm/gpsim not installed";
  struct Case {
    std::vector<int> sent;
    bool halfSpeed;  // framing error
    std::vector<int> expected;
    int errorBit;
  };
  const int sum = (0xAA + 0x11 + 0x22 + 0x33) & 0xFF;
  const Case cases[] = {{{0x11, 0x22, 0x33, sum}, false, {0x11, 0x22, 0x33}, 0},
                        {{0x11, 0x22, 0x33, sum ^ 1}, false, {0, 0, 0}, 0},
                        {{0x00}, true, {0, 0, 0}, 1}};
  for (const UartChip& chip : {kChips[0], kChips[1]}) {
    SCOPED_TRACE(ProcessorName(chip.type));
    ScratchDir dir("uart_rx");
    // The transmitting block gives the bit time to measure; the receiving one waits for the message.
    WriterFixture f(chip.type);
    AddSupply(f.tp, true, "START.0");
    AddValue(f.tp, "B1", 0x55, false);
    Configure(f, chip);
    AddUdata(f.tp, TObjUdata::kTransmit, {"B1"}, "START.0", "RA.2");
    AddUdata(f.tp, TObjUdata::kReceive, {"R1", "R2", "R3"}, "START.0", "RA.3");
    const Assembly a = Build(f, dir);
    const Pins pins = PinsOf(f.analysis.Props());
    const int baud = MeasureTx(a, pins).baud;
    ASSERT_GT(baud, 0);
    for (const Case& c : cases) {
      GpsimRun sim(a);
      sim.Setup(ModuleSetup(pins, baud));
      uint64_t at = 20000;
      if (c.halfSpeed) sim.At(at - 10, "U1.txbaud = " + std::to_string(baud / 2));
      for (int byte : c.sent) {
        sim.At(at, "U1.tx = " + std::to_string(byte));
        at += 3000;
      }
      std::vector<size_t> values;
      for (const char* v : {"R1", "R2", "R3"})
        values.push_back(sim.Sample(kEnd, "reg(" + std::to_string(*a.Symbol(v)) + ")"));
      const size_t flags = sim.Sample(kEnd, "reg(" + std::to_string(*a.Symbol("UA1RSFLAG")) + ")");
      const size_t active = sim.Sample(kEnd, "porta");
      ASSERT_TRUE(sim.Run()) << sim.Output();
      for (size_t i = 0; i < 3; ++i) EXPECT_EQ(*sim.Value(values[i]), c.expected[i]) << "R" << i + 1;
      EXPECT_EQ((*sim.Value(flags) >> 1) & 1, c.errorBit) << "error bit";
      EXPECT_EQ((*sim.Value(active) >> 3) & 1, 0) << "the receiving block has ended its transfer";
    }
  }
}

}  // namespace
}  // namespace tolmek::test
