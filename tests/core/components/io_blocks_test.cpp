// Pulse input, sleep, pulse/PWM output and EEPROM module: file records, the choices that follow the part,
// and the simulation rules.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "block_bench.h"
#include "codegen/processors.h"
#include "components/ee.h"
#include "components/pulsin.h"
#include "components/pulsout.h"
#include "components/sleep.h"
#include "model/plan_json.h"
#include "model/project_file.h"
#include "support/test_project.h"

namespace tolmek::test {
namespace {

constexpr int k16F84 = 3;
constexpr int k16F877 = 23;
constexpr int k16F628 = 19;
constexpr int k16C62B = 44;
constexpr int k12C508A = 30;
constexpr int k12CE518 = 32;
constexpr int k16CE623 = 27;

struct Variant {
  const char* what;
  std::function<void(TestProject&)> build;
};

const std::vector<Variant> kVariants = {
    {"pulse input RB.6, falling edge, kept value",
     [](TestProject& t) {
       auto& pi = t.Add<TObjPulsIn>(kind::PulsIn);
       pi.ApplySettings(2, true);
       pi.SimValue = 4711;
     }},
    {"sleep waking by port change only",
     [](TestProject& t) {
       auto& sl = t.Add<TObjSleep>(kind::Sleep);
       sl.WakeRB0 = false;
       sl.WakeRB47 = true;
       sl.Input().SetName("RA.0");
       sl.Input().Inverted = true;
     }},
    {"pulse output with a constant length",
     [](TestProject& t) {
       auto& po = t.Add<TObjPulsOut>(kind::PulsOut);
       po.Value().SetName("600");
       po.Enable().SetName("RB.0");
       po.Output().SetName("RB.1");
       po.StoredFlag = 1;
     }},
    {"PWM on CCP2",
     [](TestProject& t) {
       t.project.Mcu.ProcessorType = k16F877;
       auto& po = t.Add<TObjPulsOut>(kind::PulsOut);
       po.ApplySettings(TObjPulsOut::kPwm, 2, ProcessorPropertiesOf(k16F877));
       po.Value().SetName("DUTY");
     }},
    {"internal EEPROM with checksum and verify",
     [](TestProject& t) {
       auto& ee = t.Add<TObjEE>(kind::EE);
       ee.EeVariables = {"A", "COUNT_HI", "COUNT"};
       ee.EeChecksum = ee.EeVerify = true;
     }},
    {"external EEPROM",
     [](TestProject& t) {
       auto& ee = t.Add<TObjEE>(kind::EE);
       ee.EeExternal = true;
       ee.EeVariables = {"X"};
       ee.EeSdaPin = "RB.1";
       ee.EeSclPin = "RB.2";
       ee.EeBusAddress = 5;
       ee.EeSize = 256;
     }},
};

TEST(IoBlocksRecord, EveryVariantSurvivesFileAndJsonUnchanged) {
  for (const Variant& v : kVariants) {
    SCOPED_TRACE(v.what);
    TestProject t;
    v.build(t);
    const std::string file = ProjectToBytes(t.project);

    TestProject loaded;
    FixedPassword prompt;
    ASSERT_TRUE(ProjectFromBytes(loaded.project, file, prompt));
    EXPECT_EQ(ProjectToBytes(loaded.project), file);

    TestProject viaJson;
    PlanFromJsonText(viaJson.project, PlanToJsonText(t.project));
    EXPECT_EQ(ProjectToBytes(viaJson.project), file);
  }
}

TEST(IoBlocksRecord, LayoutOfTheEepromModule) {
  TObjEE ee(0, 0);
  ee.EeVariables = {"AB", "C"};
  ee.EeChecksum = true;
  ByteWriter out;
  ee.Save(out);
  const size_t base = 12 + 2;         // base record, name "EE"
  const size_t pin = 12 + 1 + 2;      // input pin record, unnamed bit "."
  const size_t fields = 3 + 2 + 2 + 1 + 1 + 1;  // flags, count, size, bus address, two empty pins
  const size_t names = 3 + 2;
  ASSERT_EQ(out.Size(), base + pin + fields + names + 1 + 1023);
  EXPECT_EQ(uint8_t(out.Data()[base + pin]), 1);      // checksum
  EXPECT_EQ(uint8_t(out.Data()[base + pin + 3]), 2);  // variable count, low byte
  TObjEE back(0, 0);
  ByteReader in(out.Data());
  back.Load(in);
  EXPECT_TRUE(in.AtEnd());
  EXPECT_EQ(back.EeVariables, ee.EeVariables);
}

TEST(IoBlocksRecord, PulseOutputReadsItsEnableLabelAndFlagBack) {
  TObjPulsOut po(0, 0);
  po.ApplySettings(TObjPulsOut::kPwm, 1, ProcessorPropertiesOf(k16F84));  // no CCP: stays a pulse
  EXPECT_EQ(po.PulseType, TObjPulsOut::kPulse);
  po.PulseType = TObjPulsOut::kPwm;
  po.StoredFlag = 7;
  ByteWriter out;
  po.Save(out);
  TObjPulsOut back(0, 0);
  ByteReader in(out.Data());
  back.Load(in);
  EXPECT_EQ(back.Enable().PinLabel, "CF    PWM");
  EXPECT_TRUE(back.Stored());
  EXPECT_EQ(back.StoredFlag, 7);  // written back as read
}

// The CCP choice per part: the pin the PWM drives and the module number OK stores.
TEST(IoBlocksPwm, OutputFollowsTheCcpModulesOfThePart) {
  struct Row {
    int type;
    uint8_t asked;
    const char* pin;
    uint8_t ccp;
  };
  for (const Row& r : std::vector<Row>{{k16F877, 2, "RC.1", 2},
                                       {k16F877, 1, "RC.2", 1},
                                       {k16F628, 2, "RB.3", 1},
                                       {k16C62B, 2, "RC.2", 1},
                                       {8, 2, "RC.2", 1}}) {  // 16C72: one CCP only
    SCOPED_TRACE(ProcessorName(r.type));
    TObjPulsOut po(0, 0);
    po.Output().Inverted = true;
    po.ApplySettings(TObjPulsOut::kPwm, r.asked, ProcessorPropertiesOf(r.type));
    EXPECT_TRUE(po.IsPwm());
    EXPECT_EQ(po.Output().Name, r.pin);
    EXPECT_EQ(po.CcpNumber, r.ccp);
    EXPECT_FALSE(po.Output().Inverted);
    EXPECT_EQ(po.Enable().PinLabel, "CF    PWM");
  }
  int withCcp = 0;
  for (int type = 0; type < ProcessorCount; ++type) withCcp += ProcessorPropertiesOf(type).CcpCount() > 0;
  EXPECT_EQ(withCcp, 24);
}

TEST(IoBlocksPulseInput, NamesItsNetAfterTheInputAndKeepsTheSimulatedValue) {
  BlockBench bench;
  auto& pi = bench.Add<TObjPulsIn>(kind::PulsIn);
  bench.Wire(pi.Output(), "X");
  pi.ApplySettings(2, false);
  EXPECT_EQ(pi.Output().Name, "RB6TIME");
  EXPECT_EQ(pi.Output().Partner->Name, "RB6TIME");  // the net through the node
  pi.SimValue = 1234;
  bench.Start();
  bench.Step();
  SimVariable* v = bench.engine().Variables().Find("RB6TIME");
  ASSERT_NE(v, nullptr);
  EXPECT_EQ(v->Value, 1234);
  v->Value = 999;
  bench.Step();
  pi.Output().Marked = 1;
  ASSERT_TRUE(bench.engine().StopSimulation());
  EXPECT_EQ(pi.SimValue, 999);
  EXPECT_EQ(pi.Output().Marked, 0);
}

TEST(IoBlocksSleep, GpioPartsWakeByPinChangeOnly) {
  TObjSleep sl(0, 0);
  sl.WakeRB0 = true;
  sl.WakeRB47 = false;
  for (int type : {k12C508A, k12CE518, 34, 37}) {
    EXPECT_TRUE(TObjSleep::PinChangeOnly(ProcessorPropertiesOf(type)));
    EXPECT_FALSE(sl.WakesByRB0(ProcessorPropertiesOf(type)));
    EXPECT_TRUE(sl.WakesByChange(ProcessorPropertiesOf(type)));
  }
  EXPECT_TRUE(sl.WakesByRB0(ProcessorPropertiesOf(k16F84)));
  EXPECT_FALSE(sl.WakesByChange(ProcessorPropertiesOf(k16F84)));
}

TEST(IoBlocksEeprom, ModulesOnOneEepromTakeConsecutiveAddresses) {
  TestProject t;
  t.project.Mcu.ProcessorType = k16F84;
  auto& a = t.Add<TObjEE>(kind::EE);
  a.EeVariables = {"A", "B"};
  a.EeChecksum = true;
  auto& ext = t.Add<TObjEE>(kind::EE);
  ext.EeExternal = true;
  ext.EeVariables = {"E"};
  auto& b = t.Add<TObjEE>(kind::EE);
  b.EeVariables = {"C"};
  EXPECT_EQ(a.StartAddress(), 0);
  EXPECT_EQ(ext.StartAddress(), 0);
  EXPECT_EQ(b.StartAddress(), 3);
  const ProcessorProps p = ProcessorPropertiesOf(k16F84);
  EXPECT_EQ(b.FreeForThis(p), 64 - 3);
  EXPECT_EQ(ProcessorPropertiesOf(k16CE623).SerialEepromSda, "EEINTF.1");
  EXPECT_EQ(ProcessorPropertiesOf(k12CE518).SerialEepromScl, "GPIO.7");
  EXPECT_FALSE(ProcessorPropertiesOf(k12CE518).HasDataEeprom);
  EXPECT_TRUE(ProcessorPropertiesOf(k16F877).HasEepromAddressHigh);
}

}  // namespace
}  // namespace tolmek::test
