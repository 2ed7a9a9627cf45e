// Warnings where the chip behaves otherwise than the simulation: small plans, each warning there or not.
#include "codegen/chip_warnings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "codegen/config_word.h"
#include "components/data8.h"
#include "components/gatter.h"
#include "components/gnd.h"
#include "components/text.h"
#include "core/model/file_fixture.h"
#include "support/test_project.h"

namespace tolmek {
namespace {

using test::TestProject;

constexpr int k16C71 = 0, k16F84 = 3, k16F84A = 4, k16F628 = 19, k16F877 = 23, k12C508A = 30, k12C671 = 34;

// Names the net of `pin` through a node of its own.
void Net(TestProject& t, TObjAnschluss& pin, const char* name) {
  static int y = 300;
  t.Wire(600, y += 20, pin).SetName(name);
}
// A gate that reads `in` and writes `out` (either may be empty).
TObjGatter& Gate(TestProject& t, const char* in, const char* out) {
  auto& g = t.Add<TObjGatter>(kind::Gatter);
  if (*in) Net(t, g.Input(0), in);
  if (*out) Net(t, g.Output(), out);
  return g;
}
void Adc(TestProject& t, int channel) { t.Add<TObjData8>(kind::Data8).SetName("ADC" + std::to_string(channel)); }
void Note(TestProject& t, const char* text, int page = 0) {
  auto& note = t.Add<TObjText>(kind::Text);
  note.CommentText = text;
  note.Page = static_cast<uint8_t>(page);
}

struct Case {
  const char* what;
  int type;
  std::function<void(TestProject&)> plan;
  std::vector<int> expected;  // warning numbers in the order found
  int oscillator = kOscXt;
  double clock = 4'000'000;
  int mclre = 0;
};

std::vector<int> Numbers(const std::vector<ChipWarning>& warnings) {
  std::vector<int> n;
  for (const ChipWarning& w : warnings) n.push_back(Number(w.number));
  return n;
}

TEST(ChipWarnings, EachWarningAppearsExactlyWhereTheChipDiffers) {
  const Case cases[] = {
      // MCLR shares GP3 / RA5 with an input; a low level there resets the chip.
      {"GP3 read, MCLR on", k12C508A, [](auto& t) { Gate(t, "GP.3", "GP.0"); }, {64}},
      {"GP3 read, MCLR off", k12C508A, [](auto& t) { Gate(t, "GP.3", "GP.0"); }, {}, kOscXt, 4e6, 1},
      {"RA5 read on a 16F628", k16F628, [](auto& t) { Gate(t, "RA.5", "RB.0"); }, {64}, kOscRcInternal},
      {"RA5 on a 16F84 is a port pin", k16F84, [](auto& t) { Gate(t, "RA.5", "RB.0"); }, {}},
      {"RA5 driven on a 16F628", k16F628, [](auto& t) { Gate(t, "RB.0", "RA.5"); }, {75}, kOscRcInternal},
      // RA4 pulls only low.
      {"RA4 driven", k16F84, [](auto& t) { Gate(t, "RB.0", "RA.4"); }, {65}},
      {"RA4 with a note", k16F84, [](auto& t) { Gate(t, "RB.0", "RA.4"); Note(t, "RA4: 10k PULL-UP to +5V"); }, {}},
      {"RA4, German note", k16F84, [](auto& t) { Gate(t, "RB.0", "RA.4"); Note(t, "Arbeitswiderstand 4k7"); }, {}},
      {"RA4, note on another page", k16F84, [](auto& t) { Gate(t, "RB.0", "RA.4"); Note(t, "pull-up", 1); }, {65}},
      {"RA4, note without the word", k16F84, [](auto& t) { Gate(t, "RB.0", "RA.4"); Note(t, "LED on RA4"); }, {65}},
      {"RA4 read only", k16F84, [](auto& t) { Gate(t, "RA.4", "RB.0"); }, {}},
      {"RA4 held low by GND", k16F84, [](auto& t) { Net(t, t.template Add<TObjGnd>(kind::Gnd).Pin(), "RA.4"); }, {}},
      {"GP4 of an 8-pin part drives", k12C508A, [](auto& t) { Gate(t, "GP.0", "GP.4"); }, {}},
      // Clock against the oscillator setting and the part.
      {"XT at 10 MHz", k16F84, [](auto&) {}, {66}, kOscXt, 10e6},
      {"HS at 10 MHz", k16F84, [](auto&) {}, {}, kOscHs, 10e6},
      {"HS beyond a 16F84", k16F84, [](auto&) {}, {66}, kOscHs, 20e6},
      {"HS at 20 MHz on a 16F84A", k16F84A, [](auto&) {}, {}, kOscHs, 20e6},
      {"LP with a watch crystal", k16F84, [](auto&) {}, {}, kOscLp, 32768},
      {"LP at 1 MHz", k16F84, [](auto&) {}, {66}, kOscLp, 1e6},
      {"internal RC at 4 MHz", k16F628, [](auto&) {}, {}, kOscRcInternal, 4e6},
      {"internal RC at 8 MHz", k16F628, [](auto&) {}, {66}, kOscRcInternal, 8e6},
      {"XT on a 12C508A at 8 MHz", k12C508A, [](auto&) {}, {66}, kOscXt, 8e6},
      // A/D pins: analogue while their channel's routine runs, by the ADCON1 value it writes.
      {"channel pin used digitally", k16C71, [](auto& t) { Adc(t, 0); Gate(t, "RA.0", "RB.0"); }, {67}},
      {"neighbour made analogue", k16C71, [](auto& t) { Adc(t, 0); Gate(t, "RB.0", "RA.1"); }, {67}},
      {"pin kept digital by ADCON1", k16C71, [](auto& t) { Adc(t, 0); Gate(t, "RA.2", "RA.3"); }, {}},
      {"channel 2 takes all of port A", k16C71, [](auto& t) { Adc(t, 2); Gate(t, "RB.0", "RA.3"); }, {67}},
      {"GND on a channel pin", k16C71, [](auto& t) { Adc(t, 1); Net(t, t.template Add<TObjGnd>(kind::Gnd).Pin(), "RA.1"); }, {67}},
      {"no channel read", k16C71, [](auto& t) { Gate(t, "RA.0", "RA.1"); }, {}},
      {"port E stays digital", k16F877, [](auto& t) { Adc(t, 1); Gate(t, "RE.0", "RA.2"); }, {}},
      {"channel 5 takes port E", k16F877, [](auto& t) { Adc(t, 5); Gate(t, "RE.1", "RB.0"); }, {67}},
      {"12C671 channel 0 alone", k12C671, [](auto& t) { Adc(t, 0); Gate(t, "GP.1", "GP.5"); }, {}},
      {"12C671 channel 1 takes GP1", k12C671, [](auto& t) { Adc(t, 1); Gate(t, "GP.1", "GP.5"); }, {67}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TestProject t;
    t.project.Mcu.ProcessorType = c.type;
    t.project.Mcu.Oscillator = c.oscillator;
    t.project.Mcu.ClockHz = c.clock;
    t.project.Mcu.Mclre = c.mclre;
    c.plan(t);
    t.project.AutoSignalNames();
    const auto warnings = ChipWarnings(t.project);
    EXPECT_EQ(Numbers(warnings), c.expected);
    EXPECT_TRUE(t.sink.entries.empty()) << "warnings are no messages";
    for (const ChipWarning& w : warnings) EXPECT_EQ(w.where.empty(), w.number == Msg::ClockTooHigh) << w.text;
  }
}

TEST(ChipWarnings, TextNamesThePinAndTheBlockInTheProjectsLanguage) {
  TestProject t;
  t.messages.SetLanguage(Language::German);
  Gate(t, "RB.0", "RA.4");
  Gate(t, "RB.1", "RA.4");
  t.project.AutoSignalNames();
  const auto warnings = ChipWarnings(t.project);
  ASSERT_EQ(warnings.size(), 2u) << "one per block driving the pin";
  EXPECT_EQ(warnings[0].where, "LG1");
  EXPECT_EQ(warnings[1].where, "LG2");
  EXPECT_EQ(WarningLine(warnings[0]).rfind("warning 65: RA4 ist Open-Drain", 0), 0u) << WarningLine(warnings[0]);
  EXPECT_TRUE(warnings[0].text.ends_with("-> RA.4 - LG1")) << warnings[0].text;

  t.project.Mcu.Oscillator = kOscXt;
  t.project.Mcu.ClockHz = 20e6;
  t.messages.SetLanguage(Language::English);
  const auto clock = ChipWarnings(t.project);
  ASSERT_EQ(clock.size(), 3u);
  EXPECT_EQ(clock[2].text, "clock frequency too high for the oscillator setting -> 20000000 Hz > 4000000 Hz (XT)");
}

TEST(ChipWarnings, TheShippedExampleHasNone) {
  test::TestProject t;
  FixedPassword none;
  ASSERT_TRUE(OpenProject(t.project, (std::filesystem::path(TOLMEK_SOURCE_DIR) / "examples" / "first-steps.pic").string(),
                          none));
  EXPECT_TRUE(ChipWarnings(t.project).empty());
}

}  // namespace
}  // namespace tolmek
