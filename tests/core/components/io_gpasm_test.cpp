// Pulse input, sleep, pulse/PWM output and EEPROM module on every supported part: the program builds without
// error or warning, its word count is what the assembler placed, and a part that lacks what a block needs
// is named by message 37 instead.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "block_code_fixture.h"
#include "codegen/build.h"
#include "components/ee.h"
#include "components/pulsin.h"
#include "components/pulsout.h"
#include "components/sleep.h"
#include "support/gputils_runner.h"

namespace tolmek::test {
namespace {

int ListedWords(const std::string& listingPath) {
  std::ifstream in(listingPath);
  std::string line;
  const std::string key = "Program Memory Words Used:";
  while (std::getline(in, line))
    if (auto at = line.find(key); at != std::string::npos) return std::stoi(line.substr(at + key.size()));
  return -1;
}

int BuildEepromPlan(TestProject& tp, const ProcessorProps& p) {
  const bool gpio = p.GpioPorts;
  int lacking = 0;
  for (int i = 0; i < 2; ++i) {
    auto& ee = tp.Add<TObjEE>(kind::EE);
    ee.EeVariables = i == 0 ? std::vector<std::string>{"IOFLAGS", "LEN_HI", "LEN"} : std::vector<std::string>{"DUTY"};
    ee.EeChecksum = ee.EeVerify = i == 0;
    ee.Input().SetName("IOFLAGS.2");
    if (!p.HasDataEeprom) ++lacking;
  }
  auto& ext = tp.Add<TObjEE>(kind::EE);
  ext.EeExternal = true;
  ext.EeChecksum = ext.EeVerify = true;
  ext.EeVariables = {"DUTY_HI", "DUTY"};
  ext.Input().SetName("IOFLAGS.3");
  if (!p.SerialEepromSda.empty()) {
    ext.EeSdaPin = p.SerialEepromSda;
    ext.EeSclPin = p.SerialEepromScl;
  } else {
    ext.EeSdaPin = gpio ? "GP.0" : "RB.1";
    ext.EeSclPin = gpio ? "GP.1" : "RB.2";
  }
  return lacking;
}

// Every kind and variant once, in two plans so that each fits the 512-word parts: the pulse and sleep blocks,
// and the EEPROM modules. Returns the number of blocks the part cannot serve.
int BuildIoPlan(TestProject& tp, int type, bool eeproms) {
  const ProcessorProps p = ProcessorPropertiesOf(type);
  const bool gpio = p.GpioPorts;
  int lacking = 0;
  for (const char* bit : {"IOFLAGS.7", "LEN.0", "LEN_HI.0", "DUTY.0", "DUTY_HI.0"}) AddSupply(tp, false, bit);

  if (eeproms) return lacking + BuildEepromPlan(tp, p);
  tp.Add<TObjPulsIn>(kind::PulsIn).ApplySettings(0, false);
  tp.Add<TObjPulsIn>(kind::PulsIn).ApplySettings(3, true);
  if (!TObjPulsIn::Supported(p)) lacking += 2;

  auto& sleep = tp.Add<TObjSleep>(kind::Sleep);
  sleep.WakeRB47 = true;
  sleep.Input().SetName("IOFLAGS.0");

  auto addPulse = [&](const char* value, uint8_t type, uint8_t ccp, const char* out) {
    auto& po = tp.Add<TObjPulsOut>(kind::PulsOut);
    po.Value().SetName(value);
    po.Enable().SetName("IOFLAGS.1");
    po.Output().SetName(out);
    po.ApplySettings(type, ccp, p);
  };
  addPulse("LEN", TObjPulsOut::kPulse, 1, gpio ? "GP.2" : "RA.1");
  addPulse("600", TObjPulsOut::kPulse, 1, gpio ? "GP.4" : "RA.2");
  addPulse("DUTY", TObjPulsOut::kPwm, 1, gpio ? "GP.5" : "RA.3");
  addPulse("1023", TObjPulsOut::kPwm, 2, gpio ? "GP.5" : "RA.3");

  return lacking;
}

TEST(IoBlocksGpasm, EveryTypeBuildsEveryVariantCleanlyWithItsWordCount) {
  if (!HaveGpasm()) GTEST_SKIP() << "gpasm not installed";
  ScratchDir dir("io_gpasm");
  for (int type = 0; type < ProcessorCount; ++type)
  for (bool eeproms : {false, true}) {
    SCOPED_TRACE(std::string(ProcessorName(type)) + (eeproms ? ", EEPROM modules" : ", pulse and sleep blocks"));
    WriterFixture f(type);
    f.project().Info.AutoIncrement = false;
    f.project().Mcu.Watchdog = type % 2;  // the wait loops with and without CLRWDT
    const int lacking = BuildIoPlan(f.tp, type, eeproms);
    BuildOptions options;
    options.SourcePath = (dir.path() / "IO.ASM").string();
    const BuildResult r = Build(f.writer, options);
    ASSERT_TRUE(r.SourceWritten);
    EXPECT_TRUE(r.Succeeded()) << r.ErrorText;
    EXPECT_EQ(r.WarningCount, 0) << r.ErrorText;
    EXPECT_EQ(ListedWords(r.ListingPath), r.RomUsed);
    // Each block the part cannot serve is reported once, by message 37, and nothing else is.
    int reported = 0;
    for (const auto& e : f.tp.sink.entries) {
      EXPECT_EQ(e.number, 37) << e.text;
      ++reported;
    }
    EXPECT_EQ(reported, lacking);
    const auto misplaced = SelectionsInSkippedSlots(f.writer.Text());
    EXPECT_TRUE(misplaced.empty()) << misplaced.front();
  }
}

}  // namespace
}  // namespace tolmek::test
