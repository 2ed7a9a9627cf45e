// The dialogs of the pulse input, sleep, pulse/PWM output and EEPROM module, with the choices that follow
// the chosen part.
#include <QPushButton>

#include "components/ee.h"
#include "components/gnd.h"
#include "components/pulsin.h"
#include "components/pulsout.h"
#include "components/sleep.h"
#include "gui/dialogs/dialog_editor.h"
#include "gui/dialogs/ee_dialog.h"
#include "gui/dialogs/pulsin_dialog.h"
#include "gui/dialogs/pulsout_dialog.h"
#include "gui_support.h"
#include "block_dialog_fixture.h"

namespace tolmek::test {
namespace {

using IoDialogTest = BlockDialogTest<Language::German>;

TEST_F(IoDialogTest, PulseInputChecksTheNameAndNamesTheNetAfterTheInput) {
  auto& pi = Add<TObjPulsIn>(kind::PulsIn);
  TDialogPulsIn d(messages, nullptr);
  EXPECT_EQ(d.windowTitle(), "Impuls Eingang");
  d.Load(pi);
  EXPECT_TRUE(d.Inputs[0]->isChecked());
  d.IName->setText("4X");
  EXPECT_FALSE(PressOk(d));
  EXPECT_EQ(sink.entries.back().number, 14);
  EXPECT_EQ(d.IName->text(), "PI1");
  d.IName->clear();
  d.Inputs[2]->setChecked(true);
  d.CheckBox1->setChecked(true);
  ASSERT_TRUE(PressOk(d));
  d.Apply(pi);
  EXPECT_EQ(pi.Name, "PI");
  EXPECT_EQ(pi.PulseInput, 2);
  EXPECT_TRUE(pi.NegativeEdge);
  EXPECT_EQ(pi.Output().Name, "RB6TIME");
}

TEST_F(IoDialogTest, SleepOffersOnlyThePinChangeOnGpioParts) {
  struct Row {
    int type;
    bool rb0Enabled;
    const char* changeCaption;
  };
  for (const Row& r : {Row{3, true, " RB4...7"}, Row{30, false, " GP0,1,3"}, Row{37, false, " GP0,1,3"},
                       Row{38, true, " RB4...7"}}) {
    SCOPED_TRACE(r.type);
    project.Mcu.ProcessorType = r.type;
    auto& sl = Add<TObjSleep>(kind::Sleep);
    TDialogSleep d(messages, nullptr);
    EXPECT_EQ(d.windowTitle(), "Sleep Info");
    d.Load(sl);
    EXPECT_EQ(d.CheckBox1->isEnabled(), r.rb0Enabled);
    EXPECT_EQ(d.CheckBox2->text(), r.changeCaption);
    if (!r.rb0Enabled) {
      EXPECT_FALSE(d.CheckBox1->isChecked());
      EXPECT_TRUE(d.CheckBox2->isChecked());
      EXPECT_FALSE(d.CheckBox2->isEnabled());
    }
    ASSERT_TRUE(PressOk(d));
    d.Apply(sl);
    EXPECT_EQ(sl.WakeRB0, r.rb0Enabled);
    EXPECT_EQ(sl.WakeRB47, !r.rb0Enabled);
  }
}

TEST_F(IoDialogTest, PulseOutputOffersTheCcpPinsOfThePart) {
  struct Row {
    int type;
    bool typeEnabled;
    bool choice;        // RC.1 / RC.2 radio buttons
    const char* fixed;  // fixed text otherwise
  };
  for (const Row& r : {Row{23, true, true, ""}, Row{19, true, false, "RB.3"}, Row{44, true, false, "RC.2"},
                       Row{3, false, false, "PWM nicht verfügbar"}, Row{30, false, false, "PWM nicht verfügbar"}}) {
    SCOPED_TRACE(r.type);
    project.Mcu.ProcessorType = r.type;
    auto& po = Add<TObjPulsOut>(kind::PulsOut);
    TDialogPulsOut d(messages, nullptr);
    EXPECT_EQ(d.windowTitle(), "Impuls, PWM Info");
    d.Load(po);
    EXPECT_EQ(d.RadioGroup1->isEnabled(), r.typeEnabled);
    EXPECT_EQ(d.OutputRC1->isVisibleTo(&d), r.choice);
    if (!r.choice) {
      EXPECT_EQ(d.FixedOutput->text().toStdString(), r.fixed);
    }
    EXPECT_FALSE(d.RadioGroup2->isEnabled());  // only while the PWM is chosen
    if (r.typeEnabled) {
      d.Pwm->setChecked(true);
      EXPECT_TRUE(d.RadioGroup2->isEnabled());
      if (r.choice) d.OutputRC1->setChecked(true);
    }
    ASSERT_TRUE(PressOk(d));
    d.Apply(po);
    EXPECT_EQ(po.IsPwm(), r.typeEnabled);
    if (r.choice) {
      EXPECT_EQ(po.CcpNumber, 2);
      EXPECT_EQ(po.Output().Name, "RC.1");
    } else if (r.typeEnabled) {
      EXPECT_EQ(po.Output().Name, r.fixed);
    }
  }
}

TEST_F(IoDialogTest, EepromListsFollowThePlanAndThePart) {
  project.Mcu.ProcessorType = 3;  // 16F84: 64 bytes
  for (const char* bit : {"COUNT.0", "LEVEL.0", "SYS_TMP9.0"}) {
    auto& g = Add<TObjGnd>(kind::Gnd);
    g.Pin().SetName(bit);
  }
  auto& other = Add<TObjEE>(kind::EE);
  other.EeVariables = {"LEVEL"};
  other.EeChecksum = true;
  auto& ee = Add<TObjEE>(kind::EE);
  TDialogEE d(messages, nullptr);
  EXPECT_EQ(d.windowTitle(), "EE-Prom Info");
  d.Load(ee);
  QStringList ram;
  for (int i = 0; i < d.ListBox1->count(); ++i) ram << d.ListBox1->item(i)->text();
  EXPECT_TRUE(ram.contains("COUNT"));
  EXPECT_FALSE(ram.contains("SYS_TMP9"));
  EXPECT_TRUE(d.RadioButton1->isEnabled());
  EXPECT_TRUE(d.RadioButton1->isChecked());
  EXPECT_EQ(d.Edit1->text(), "64");
  EXPECT_EQ(d.Free->text(), "62");  // the other module takes its variable and its checksum
  d.ListBox1->setCurrentRow(int(ram.indexOf("COUNT")));
  d.ToEe->click();
  d.CheckBox1->setChecked(true);
  EXPECT_EQ(d.Free->text(), "60");
  ASSERT_TRUE(PressOk(d));
  d.Apply(ee);
  EXPECT_EQ(ee.EeVariables, std::vector<std::string>{"COUNT"});
  EXPECT_FALSE(ee.EeExternal);

  // A part with only its built-in serial EEPROM: external, its pins first (for a module whose pins are unset).
  project.Mcu.ProcessorType = 32;  // 12CE518
  ee.EeSdaPin.clear();
  ee.EeSclPin.clear();
  TDialogEE serial(messages, nullptr);
  serial.Load(ee);
  EXPECT_FALSE(serial.RadioButton1->isEnabled());
  EXPECT_TRUE(serial.RadioButton2->isChecked());
  EXPECT_EQ(serial.ComboBox1->currentText(), "GPIO.6");
  EXPECT_EQ(serial.ComboBox2->currentText(), "GPIO.7");
  serial.Edit1->setText("16");
  serial.Edit4->setText("9");
  EXPECT_FALSE(PressOk(serial));
  EXPECT_EQ(sink.entries.back().number, 21);
  serial.Edit4->setText("2");
  ASSERT_TRUE(PressOk(serial));
  serial.Apply(ee);
  EXPECT_TRUE(ee.EeExternal);
  EXPECT_EQ(ee.EeSize, 16);
  EXPECT_EQ(ee.EeBusAddress, 2);
  EXPECT_EQ(ee.EeSdaPin, "GPIO.6");
}

TEST_F(IoDialogTest, EveryNewKindHasItsDialog) {
  for (uint8_t k : {kind::PulsIn, kind::PulsOut, kind::EE, kind::Sleep}) {
    TBauteil* e = project.CreateElement(k, 100, 100);
    ASSERT_NE(e, nullptr) << int(k);
    EXPECT_TRUE(DialogEditor::HasDialog(*e)) << int(k);
  }
}

}  // namespace
}  // namespace tolmek::test
