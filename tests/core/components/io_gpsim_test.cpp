// Pulse input, sleep, pulse/PWM output and EEPROM module on simulated chips (gpsim, 4 MHz): what the pins and
// variables do when the program runs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "block_code_fixture.h"
#include "components/ee.h"
#include "components/pulsin.h"
#include "components/pulsout.h"
#include "components/sleep.h"
#include "components/timer.h"
#include "gpsim_table.h"

namespace tolmek::test {
namespace {

constexpr int k16F84 = 3;
constexpr int k16F877 = 23;
constexpr int k12C508A = 30;

bool HaveTools() { return HaveGpasm() && HaveGpsim(); }

// `patchFrom` is replaced by `patchTo` at its first place after `anchor`.
Assembly AssembleClean(WriterFixture& f, const ScratchDir& dir, const std::string& patchFrom = {},
                       const std::string& patchTo = {}, const std::string& anchor = {}) {
  std::string text = f.Generate();
  if (!patchFrom.empty()) {
    const size_t at = text.find(patchFrom, anchor.empty() ? 0 : text.find(anchor));
    EXPECT_NE(at, std::string::npos) << patchFrom;
    if (at != std::string::npos) text.replace(at, patchFrom.size(), patchTo);
  }
  Assembly a = Assemble(text, dir.path());
  // For a look at the program: TOLMEK_KEEP_ASM=/some/dir keeps a copy of each source.
  if (const char* keep = std::getenv("TOLMEK_KEEP_ASM")) {
    static int kept = 0;
    std::error_code ec;
    std::filesystem::copy_file(a.source,
                               std::string(keep) + "/" + dir.path().filename().string() + "_" +
                                   std::to_string(kept++) + ".asm",
                               std::filesystem::copy_options::overwrite_existing, ec);
  }
  EXPECT_TRUE(a.Clean()) << a.Report();
  EXPECT_EQ(a.wordsUsed, f.last.RomUsed);
  EXPECT_TRUE(f.tp.sink.entries.empty()) << f.tp.sink.entries.front().text;
  return a;
}

// "reg(0x2c)" for a variable of the program.
std::string Reg(const Assembly& a, const std::string& name) {
  const auto address = a.Symbol(name);
  EXPECT_TRUE(address.has_value()) << name;
  char buf[24];
  std::snprintf(buf, sizeof buf, "reg(0x%x)", unsigned(address.value_or(0)));
  return buf;
}

void SetWord(GpsimRun& sim, const Assembly& a, uint64_t cycle, const std::string& name, int value) {
  sim.Command(cycle, Reg(a, name) + " = " + std::to_string(value & 0xFF));
  sim.Command(cycle, Reg(a, name + "_HI") + " = " + std::to_string(value >> 8));
}

TEST(IoBlocksGpsim, PwmDutyCycleOfBothModulesFollowsTheValueLoadedAtTheEdge) {
  if (!HaveTools()) GTEST_SKIP() << "gpasm/gpsim not installed";
  ScratchDir dir("io_pwm");
  WriterFixture f(k16F877);
  const ProcessorProps p = ProcessorPropertiesOf(k16F877);
  for (int ccp : {1, 2}) {
    auto& po = f.tp.Add<TObjPulsOut>(kind::PulsOut);
    po.ApplySettings(TObjPulsOut::kPwm, uint8_t(ccp), p);
    po.Value().SetName(ccp == 1 ? "D1" : "D2");
    po.Enable().SetName("RB.0");
  }
  const Assembly a = AssembleClean(f, dir);
  ASSERT_FALSE(HasFatalFailure());

  // The PWM period is 256 cycles: 64 samples 260 cycles apart see every fourth cycle of it once.
  const std::vector<int> duty1 = {0, 5, 512, 1023}, duty2 = {1023, 512, 5, 0};
  constexpr uint64_t kStart = 5000, kRow = 30000, kSamples = 64, kStride = 260;
  GpsimRun sim(a);
  std::vector<std::pair<uint64_t, int>> enable{{0, 0}};
  std::vector<std::vector<size_t>> samples(duty1.size());
  std::vector<size_t> beforeEdge;
  for (size_t r = 0; r < duty1.size(); ++r) {
    const uint64_t base = kStart + r * kRow;
    SetWord(sim, a, base, "D1", duty1[r]);
    SetWord(sim, a, base, "D2", duty2[r]);
    // Until the edge the module keeps the duty cycle of the row before.
    beforeEdge.push_back(sim.Sample(base + 500, Reg(a, "CCPR1L")));
    enable.push_back({base + 1000, 1});
    enable.push_back({base + 4000, 0});
    for (uint64_t i = 0; i < kSamples; ++i) samples[r].push_back(sim.Sample(base + 6000 + i * kStride, "portc"));
  }
  sim.Drive("portb0", enable);
  ASSERT_TRUE(sim.Run()) << sim.Output();
  for (size_t r = 0; r < duty1.size(); ++r) {
    int high1 = 0, high2 = 0;
    for (size_t s : samples[r]) {
      high1 += int((*sim.Value(s) >> 2) & 1);
      high2 += int((*sim.Value(s) >> 1) & 1);
    }
    // duty / 1024 of 64 samples, within a sample.
    EXPECT_NEAR(high1, duty1[r] / 16.0, 1.0) << "CCP1 duty " << duty1[r];
    EXPECT_NEAR(high2, duty2[r] / 16.0, 1.0) << "CCP2 duty " << duty2[r];
    EXPECT_EQ(*sim.Value(beforeEdge[r]), r == 0 ? 0 : duty1[r - 1] >> 2) << "row " << r;
  }
}

struct PulseCase {
  int type;
  const char* enable;     // net of the enable input
  const char* enablePin;  // gpsim pin
  const char* out;
  const char* outReg;
  int outBit;
  const char* value;  // a constant, or the variable LEN set to 300
};

const std::vector<PulseCase> kPulseCases = {
    {k16F84, "RB.0", "portb0", "RB.1", "portb", 1, "LEN"},
    {k12C508A, "GP.0", "gpio0", "GP.2", "gpio", 2, "300"},
};

TEST(IoBlocksGpsim, PulseOutputLastsItsLengthInTimerTicks) {
  if (!HaveTools()) GTEST_SKIP() << "gpasm/gpsim not installed";
  ScratchDir dir("io_pulse");
  for (const PulseCase& c : kPulseCases) {
    SCOPED_TRACE(ProcessorName(c.type));
    WriterFixture f(c.type);
    auto& po = f.tp.Add<TObjPulsOut>(kind::PulsOut);
    po.Value().SetName(c.value);
    po.Enable().SetName(c.enable);
    po.Output().SetName(c.out);
    const Assembly a = AssembleClean(f, dir);
    ASSERT_FALSE(HasFatalFailure());
    GpsimRun sim(a);
    if (std::string(c.value) == "LEN") SetWord(sim, a, 2000, "LEN", 300);
    sim.Drive(c.enablePin, {{0, 0}, {3000, 1}, {3100, 0}});
    std::vector<size_t> samples;
    for (uint64_t cycle = 2900; cycle < 3800; cycle += 4) samples.push_back(sim.Sample(cycle, c.outReg));
    ASSERT_TRUE(sim.Run()) << sim.Output();
    int high = 0, runs = 0, last = 0;
    for (size_t s : samples) {
      const int level = int((*sim.Value(s) >> c.outBit) & 1);
      high += level;
      runs += level && !last;
      last = level;
    }
    EXPECT_EQ(runs, 1);
    EXPECT_NEAR(high * 4, 300, 16);
  }
}

// A timer block with a half period of 64 ms beside a pulse output that, its enable held high, sends pulses of
// about 1 ms one after the other, the main loop waiting through each (timer 0 counts instruction cycles on
// the 16F84; on the 12C508A, whose time base is polled, the prescaler makes a count 256 cycles). Every period of the timer's
// output, rising edge to rising edge, stays within 2% of 128 ms; the pulses do run meanwhile.
TEST(IoBlocksGpsim, TimerKeepsItsPeriodWhilePulsesRun) {
  if (!HaveTools()) GTEST_SKIP() << "gpasm/gpsim not installed";
  ScratchDir dir("io_timer_pulses");
  struct TimerOut {
    const char* net;
    const char* reg;
    int bit;
    const char* length;
  };
  const TimerOut timerOuts[] = {{"RA.0", "porta", 0, "1000"}, {"GP.4", "gpio", 4, "4"}};
  for (size_t k = 0; k < kPulseCases.size(); ++k) {
    const PulseCase& c = kPulseCases[k];
    const TimerOut& t = timerOuts[k];
    SCOPED_TRACE(ProcessorName(c.type));
    WriterFixture f(c.type);
    f.project().Mcu.Mclre = 1;
    auto& timer = f.tp.Add<TObjTimer>(kind::Timer);
    timer.HalfPeriod = 64;
    timer.Output().SetName(t.net);
    auto& po = f.tp.Add<TObjPulsOut>(kind::PulsOut);
    po.Value().SetName(t.length);
    po.Enable().SetName(c.enable);
    po.Output().SetName(c.out);
    const Assembly a = AssembleClean(f, dir);
    ASSERT_FALSE(HasFatalFailure());
    GpsimRun sim(a);
    sim.Drive(c.enablePin, {{0, 1}});
    constexpr uint64_t kFrom = 10000, kTo = 450000, kStep = 400;
    std::vector<size_t> timerSamples, pulseSamples;
    for (uint64_t cycle = kFrom; cycle < kTo; cycle += kStep) {
      timerSamples.push_back(sim.Sample(cycle, t.reg));
      pulseSamples.push_back(sim.Sample(cycle, c.outReg));
    }
    ASSERT_TRUE(sim.Run()) << sim.Output();
    std::vector<uint64_t> rising;
    int pulsing = 0;
    for (size_t i = 0; i < timerSamples.size(); ++i) {
      const bool now = (*sim.Value(timerSamples[i]) >> t.bit) & 1;
      if (i > 0 && now && !((*sim.Value(timerSamples[i - 1]) >> t.bit) & 1)) rising.push_back(kFrom + i * kStep);
      pulsing += int((*sim.Value(pulseSamples[i]) >> c.outBit) & 1);
    }
    EXPECT_GT(pulsing, int(pulseSamples.size()) * 3 / 4) << "the pulses run";
    ASSERT_GE(rising.size(), 3u);
    for (size_t i = 1; i < rising.size(); ++i)
      EXPECT_NEAR(double(rising[i] - rising[i - 1]), 128000.0, 2560.0) << "period " << i;
  }
}

struct MeasureCase {
  bool negative;
  int width;  // cycles
};

TEST(IoBlocksGpsim, PulseInputMeasuresHighAndLowPulsesOnRB4) {
  if (!HaveTools()) GTEST_SKIP() << "gpasm/gpsim not installed";
  ScratchDir dir("io_pulsin");
  for (const MeasureCase& m : {MeasureCase{false, 1000}, MeasureCase{false, 3000}, MeasureCase{true, 2000}}) {
    SCOPED_TRACE((m.negative ? "low pulse of " : "high pulse of ") + std::to_string(m.width));
    WriterFixture f(k16F84);
    f.tp.Add<TObjPulsIn>(kind::PulsIn).ApplySettings(0, m.negative);
    const Assembly a = AssembleClean(f, dir);
    ASSERT_FALSE(HasFatalFailure());
    GpsimRun sim(a);
    const int idle = m.negative ? 1 : 0;
    // A pulse of the other polarity first: it must not be taken for the measured one.
    sim.Drive("portb4", {{0, idle}, {6000, !idle}, {6000 + 500, idle}, {10000, !idle}, {10000 + uint64_t(m.width), idle}});
    const uint64_t at = 10000 + uint64_t(m.width) + 2000;
    const size_t low = sim.Sample(at, Reg(a, "RB4TIME"));
    const size_t high = sim.Sample(at, Reg(a, "RB4TIME_HI"));
    ASSERT_TRUE(sim.Run()) << sim.Output();
    const int measured = int(*sim.Value(high) * 256 + *sim.Value(low));
    EXPECT_NEAR(measured, m.width, 8) << "instruction cycles";
  }
}

TEST(IoBlocksGpsim, SleepWakesOnRB0AndPortChangeOn16F84) {
  if (!HaveTools()) GTEST_SKIP() << "gpasm/gpsim not installed";
  ScratchDir dir("io_sleep84");
  WriterFixture f(k16F84);
  AddGate(f.tp, TObjGatter::And, {"RA.2"}, "RB.7");
  auto& sl = f.tp.Add<TObjSleep>(kind::Sleep);
  sl.WakeRB0 = sl.WakeRB47 = true;
  sl.Input().SetName("RA.0");
  const Assembly a = AssembleClean(f, dir);
  ASSERT_FALSE(HasFatalFailure());
  // Inputs: sleep (RA0), copied level (RA2), RB0, RB4. Output: RB7, the copy, frozen while asleep.
  ExpectTable(a, {{"porta0"}, {"porta2"}, {"portb0"}, {"portb4"}}, {{"portb", 7}},
              {
                  {{0, 1, 0, 0}, "1"},  // awake: follows
                  {{1, 1, 0, 0}, "1"},  // asleep
                  {{1, 0, 0, 0}, "1"},  // asleep: frozen
                  {{1, 0, 1, 0}, "0"},  // rising RB0: one pass, asleep again
                  {{1, 1, 1, 0}, "0"},  // RB0 stays high: no wake-up
                  {{1, 1, 1, 1}, "1"},  // RB4 changes: one pass
                  {{1, 0, 1, 1}, "1"},  // asleep
                  {{0, 0, 1, 0}, "0"},  // RB4 changes and the input is low: awake
                  {{0, 1, 1, 0}, "1"},
              });
}

TEST(IoBlocksGpsim, SleepWakesOnPinChangeOn12C508AWithOutputsDriven) {
  if (!HaveTools()) GTEST_SKIP() << "gpasm/gpsim not installed";
  ScratchDir dir("io_sleep508");
  WriterFixture f(k12C508A);
  f.project().Mcu.Mclre = 1;  // GP3 is an input
  AddGate(f.tp, TObjGatter::And, {"GP.4"}, "GP.2");
  auto& sl = f.tp.Add<TObjSleep>(kind::Sleep);
  sl.WakeRB0 = false;
  sl.WakeRB47 = true;
  sl.Input().SetName("GP.3");
  const Assembly a = AssembleClean(f, dir);
  ASSERT_FALSE(HasFatalFailure());
  // A wake-up restarts the part; GP2 must be driven again afterwards. Inputs per row: GP3 (sleep), GP4
  // (copied), GP0 (wake-up); output GP2.
  const std::vector<TableRow> rows = {
      {{0, 0, 0}, "0"},  // awake: follows
      {{1, 0, 0}, "0"},  // asleep
      {{1, 1, 0}, "0"},  // frozen
      {{1, 1, 1}, "1"},  // GP0 changes: restart, one pass, GP2 driven high, asleep again
      {{1, 0, 1}, "1"},  // frozen: GP4 wakes nothing
      {{1, 0, 0}, "0"},  // GP0 changes back: the second wake-up, GP2 driven low
      {{1, 1, 0}, "0"},  // frozen
      {{1, 1, 1}, "1"},  // and a third
      {{0, 0, 1}, "0"},  // GP3 changes and the input is low: awake, following GP4
      {{0, 1, 1}, "1"},
  };
  constexpr uint64_t kFirst = 5000, kPeriod = 60000, kSettle = 50000;
  GpsimRun sim(a);
  const char* pins[] = {"gpio3", "gpio4", "gpio0"};
  for (size_t g = 0; g < 3; ++g) {
    std::vector<std::pair<uint64_t, int>> edges{{0, rows[0].in[g]}};
    for (size_t r = 1; r < rows.size(); ++r)
      if (rows[r].in[g] != edges.back().second) edges.push_back({kFirst + r * kPeriod, rows[r].in[g]});
    sim.Drive(pins[g], edges);
  }
  std::vector<size_t> out;
  for (size_t r = 0; r < rows.size(); ++r) out.push_back(sim.Sample(kFirst + r * kPeriod + kSettle, "gpio"));
  ASSERT_TRUE(sim.Run()) << sim.Output();
  for (size_t r = 0; r < rows.size(); ++r)
    EXPECT_EQ(int((*sim.Value(out[r]) >> 2) & 1), rows[r].out[0] - '0') << "row " << r;
}

struct EepromCase {
  const char* data;  // the first "DE" line: checksum, V, X
  int v, w;
};

TEST(IoBlocksGpsim, InternalEepromKeepsVariablesOverAResetAndRefusesABadChecksum) {
  if (!HaveTools()) GTEST_SKIP() << "gpasm/gpsim not installed";
  ScratchDir dir("io_eeprom");
  const std::string blank = "DE 0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0";
  for (int type : {k16F84, k16F877}) {
    SCOPED_TRACE(ProcessorName(type));
    auto plan = [](WriterFixture& f) {
      auto& ee = f.tp.Add<TObjEE>(kind::EE);
      ee.EeVariables = {"V", "X"};
      ee.EeChecksum = true;
      ee.EeVerify = true;
      ee.Input().SetName("RB.7");
    };
    {
      // Written on the rising edge, back after a reset.
      WriterFixture f(type);
      plan(f);
      const Assembly a = AssembleClean(f, dir);
      ASSERT_FALSE(HasFatalFailure());
      GpsimRun sim(a);
      // After the initialisation has cleared the RAM.
      sim.Command(20000, Reg(a, "V") + " = 90");
      sim.Command(20000, Reg(a, "X") + " = 195");
      sim.Drive("portb7", {{0, 0}, {21000, 1}, {23000, 0}});
      sim.Command(80000, Reg(a, "V") + " = 1");
      sim.Command(80000, Reg(a, "X") + " = 2");
      sim.Command(80000, "reset");
      const size_t v = sim.Sample(120000, Reg(a, "V"));
      const size_t w = sim.Sample(120000, Reg(a, "X"));
      ASSERT_TRUE(sim.Run()) << sim.Output();
      EXPECT_EQ(*sim.Value(v), 90);
      EXPECT_EQ(*sim.Value(w), 195);
    }
    // What a start finds: a matching checksum restores, a corrupted one leaves the variables cleared.
    for (const EepromCase& c : {EepromCase{"DE 29,90,195", 90, 195}, EepromCase{"DE 30,90,195", 0, 0}}) {
      SCOPED_TRACE(c.data);
      WriterFixture f(type);
      plan(f);
      const Assembly a = AssembleClean(f, dir, blank, std::string(c.data) + ",0,0,0,0,0,0,0,0,0,0,0,0,0");
      ASSERT_FALSE(HasFatalFailure());
      GpsimRun sim(a);
      const size_t v = sim.Sample(40000, Reg(a, "V"));
      const size_t w = sim.Sample(40000, Reg(a, "X"));
      ASSERT_TRUE(sim.Run()) << sim.Output();
      EXPECT_EQ(*sim.Value(v), c.v);
      EXPECT_EQ(*sim.Value(w), c.w);
    }
  }
}

// The external EEPROM on gpsim's serial EEPROM model (a 24C16, "e24xx16b", with pull-ups on both lines).
// The model acknowledges no control byte that follows a repeated start, although the part does; a stop
// followed by a start works and keeps the address the dummy write set. So the read's repeated start is turned
// into a stop and a start here (same number of words): SDA is pulled low before SCL is released, and released
// again in place of the delay's NOP.
const char* const kRestart =
    "\tBSF TRISB,1\t; SDA high\n\tBSF TRISB,2\t; SCL high\n; Delay 5\xb5\n\tGOTO $+1\n\tGOTO $+1\n\tNOP\n";
const char* const kStopStart =
    "\tBCF TRISB,1\t; SDA low\n\tBSF TRISB,2\t; SCL high\n; Delay 5\xb5\n\tGOTO $+1\n\tGOTO $+1\n\tBSF TRISB,1\n";

void AttachSerialEeprom(GpsimRun& sim) {
  sim.Setup("module library libgpsim_modules\nmodule load e24xx16b tolmek_ee\n"
            "module load pullup tolmek_pu1\nmodule load pullup tolmek_pu2\nnode tolmek_sda\nnode tolmek_scl\n"
            "attach tolmek_sda portb1 tolmek_ee.SDA tolmek_pu1.pin\n"
            "attach tolmek_scl portb2 tolmek_ee.SCL tolmek_pu2.pin");
}

struct SerialEepromCase {
  int type;
  int before;               // bytes an earlier module on the same EEPROM takes
  uint8_t bus;              // bus address of the modules
  std::vector<int> stored;  // the model's bytes at the start: checksum, V, X (empty: written by the run)
  int v, w;                 // the variables after the (last) start
};

TEST(IoBlocksGpsim, ExternalEepromKeepsVariablesOnASerialEepromOverAReset) {
  if (!HaveTools()) GTEST_SKIP() << "gpasm/gpsim not installed";
  ScratchDir dir("io_eeprom_24c16");
  const std::vector<SerialEepromCase> cases = {
      {k16F84, 0, 0, {}, 90, 195},              // written on the edge, restored after a reset
      {k16F877, 254, 0, {}, 90, 195},           // X at address 256: the next block of the 24C16
      {k16F84, 0, 1, {29, 90, 195}, 90, 195},   // found at the start, in block 1
      {k16F84, 0, 1, {30, 90, 195}, 0, 0},      // a corrupted checksum: the variables stay cleared
  };
  for (const SerialEepromCase& c : cases) {
    SCOPED_TRACE(std::string(ProcessorName(c.type)) + ", from address " + std::to_string(c.before + 256 * c.bus));
    WriterFixture f(c.type);
    auto addModule = [&](std::vector<std::string> variables) -> TObjEE& {
      auto& ee = f.tp.Add<TObjEE>(kind::EE);
      ee.EeExternal = true;
      ee.EeVariables = std::move(variables);
      ee.EeSdaPin = "RB.1";
      ee.EeSclPin = "RB.2";
      ee.EeSize = 2048;
      ee.EeBusAddress = c.bus;
      return ee;
    };
    if (c.before) addModule(std::vector<std::string>(size_t(c.before), "PAD")).Input().SetName("RB.6");
    auto& ee = addModule({"V", "X"});
    ee.EeChecksum = ee.EeVerify = true;
    ee.Input().SetName("RB.7");
    const Assembly a = AssembleClean(f, dir, kRestart, kStopStart, "\nEEEXT_RD\n");
    ASSERT_FALSE(HasFatalFailure());
    GpsimRun sim(a);
    AttachSerialEeprom(sim);
    if (c.before) sim.Drive("portb6", {{0, 0}});  // the earlier module writes nothing
    const int at = c.before + 256 * c.bus;
    auto cell = [&](int i) { return "tolmek_ee.eeData[" + std::to_string(at + i) + "]"; };
    for (size_t i = 0; i < c.stored.size(); ++i) sim.Setup(cell(int(i)) + " = " + std::to_string(c.stored[i]));
    // The earlier module's reads at the start take some 900 cycles a byte.
    const uint64_t ready = 20000 + uint64_t(c.before) * 1000;
    uint64_t check = ready;
    std::vector<size_t> bytes;
    if (c.stored.empty()) {
      sim.Command(ready, Reg(a, "V") + " = 90");
      sim.Command(ready, Reg(a, "X") + " = 195");
      sim.Drive("portb7", {{0, 0}, {ready + 1000, 1}, {ready + 3000, 0}});
      // Three bytes of some 10 ms each, every one read back.
      const uint64_t written = ready + 60000;
      for (int i = 0; i < 3; ++i) bytes.push_back(sim.Sample(written, cell(i)));
      sim.Command(written, Reg(a, "V") + " = 1");
      sim.Command(written, Reg(a, "X") + " = 2");
      sim.Command(written, "reset");
      check = written + ready;
    }
    const size_t v = sim.Sample(check, Reg(a, "V"));
    const size_t w = sim.Sample(check, Reg(a, "X"));
    ASSERT_TRUE(sim.Run()) << sim.Output();
    EXPECT_EQ(*sim.Value(v), c.v);
    EXPECT_EQ(*sim.Value(w), c.w);
    const std::vector<int> layout = {29, 90, 195};  // checksum first, then the list
    for (size_t i = 0; i < bytes.size(); ++i) EXPECT_EQ(*sim.Value(bytes[i]), layout[i]) << "EEPROM byte " << i;
  }
}

// The clock line of the serial EEPROM at 4 and 20 MHz: every low phase lasts the bus's 4.7 us and every high
// phase its 4.0 us, read from gpsim's log of the writes to TRISB (the line is driven low by its direction bit).
// Nothing answers on the bus, so the start-up reads send their control byte again and again.
TEST(IoBlocksGpsim, ExternalEepromClockKeepsTheBusTimes) {
  if (!HaveTools()) GTEST_SKIP() << "gpasm/gpsim not installed";
  ScratchDir dir("io_eeprom_clock");
  for (const long clockHz : {4000000L, 20000000L}) {
    SCOPED_TRACE(clockHz);
    WriterFixture f(k16F84);
    f.project().Mcu.ClockHz = clockHz;
    auto& ee = f.tp.Add<TObjEE>(kind::EE);
    ee.EeExternal = true;
    ee.EeVariables = {"V"};
    ee.EeSdaPin = "RB.1";
    ee.EeSclPin = "RB.2";
    ee.Input().SetName("RB.7");
    const Assembly a = AssembleClean(f, dir);
    ASSERT_FALSE(HasFatalFailure());
    GpsimRun sim(a);
    sim.LogWrites({"trisb"});
    sim.Sample(20000, "trisb");
    ASSERT_TRUE(sim.Run()) << sim.Output();
    // "0x00000000000001FB p16f84 0x004F 0x1486 bsf  trisb,1" followed by "  Wrote: 0x00BF to trisb(...)".
    std::ifstream log(a.source.parent_path() / "tolmek_writes.log");
    std::string line;
    uint64_t cycle = 0, since = 0;
    int scl = 1, lows = 0;
    double shortestLow = 1e9, shortestHigh = 1e9;
    while (std::getline(log, line)) {
      if (line.rfind("0x", 0) == 0) cycle = std::stoull(line.substr(2, 16), nullptr, 16);
      const size_t at = line.find("Wrote: 0x");
      if (at == std::string::npos || line.find(" to trisb(") == std::string::npos) continue;
      const int level = (std::stoi(line.substr(at + 9, 4), nullptr, 16) >> 2) & 1;
      if (level == scl) continue;
      const double us = double(cycle - since) * 4e6 / double(clockHz);
      if (since > 0) (scl ? shortestHigh : shortestLow) = std::min(scl ? shortestHigh : shortestLow, us);
      lows += !level;
      scl = level;
      since = cycle;
    }
    EXPECT_GT(lows, 20);
    EXPECT_GE(shortestLow, 4.7);
    EXPECT_GE(shortestHigh, 4.0);
  }
}

// A serial EEPROM that never acknowledges (nothing on the bus, the lines pulled up by port B): every transfer
// is given up after three attempts, the variables stay as they are and the main loop runs on.
TEST(IoBlocksGpsim, ExternalEepromThatNeverAnswersDoesNotHangTheProgram) {
  if (!HaveTools()) GTEST_SKIP() << "gpasm/gpsim not installed";
  ScratchDir dir("io_eeprom_ext");
  WriterFixture f(k16F84);
  f.project().Mcu.PullUps = 1;
  AddGate(f.tp, TObjGatter::And, {"RA.0"}, "RB.6");
  auto& ee = f.tp.Add<TObjEE>(kind::EE);
  ee.EeExternal = true;
  ee.EeVariables = {"V", "X"};
  ee.EeChecksum = ee.EeVerify = true;
  ee.EeSdaPin = "RB.1";
  ee.EeSclPin = "RB.2";
  ee.EeSize = 2048;
  ee.Input().SetName("RB.7");
  const Assembly a = AssembleClean(f, dir);
  ASSERT_FALSE(HasFatalFailure());
  GpsimRun sim(a);
  sim.Command(20000, Reg(a, "V") + " = 90");
  sim.Drive("portb7", {{0, 0}, {21000, 1}, {23000, 0}});
  sim.Drive("porta0", {{0, 0}, {150000, 1}});
  const size_t running = sim.Sample(190000, "portb");
  const size_t v = sim.Sample(190000, Reg(a, "V"));
  ASSERT_TRUE(sim.Run()) << sim.Output();
  EXPECT_EQ((*sim.Value(running) >> 6) & 1, 1) << "the main loop runs on";
  EXPECT_EQ(*sim.Value(v), 90);
}

}  // namespace
}  // namespace tolmek::test
