// The dialogs of the timer, mono-flop, one-shot, counters and shift register: what OK refuses with which
// message, the ranges computed from the clock, and what is applied.
#include <QLabel>
#include <QPushButton>

#include "components/puls.h"
#include "components/shot.h"
#include "components/sregist.h"
#include "components/timer.h"
#include "components/vrzaehl.h"
#include "components/zaehler.h"
#include "gui/dialogs/dialog_editor.h"
#include "gui/dialogs/puls_dialog.h"
#include "gui/dialogs/shot_dialog.h"
#include "gui/dialogs/timer_dialog.h"
#include "gui/dialogs/zaehler_dialog.h"
#include "gui_support.h"
#include "block_dialog_fixture.h"

namespace tolmek::test {
namespace {

using TimingDialogTest = BlockDialogTest<Language::English>;

TEST_F(TimingDialogTest, TimerRangeFollowsTheClockAndRefusesWithMessage33) {
  auto& timer = Add<TObjTimer>(kind::Timer);
  TDialogTimer d(messages, nullptr);
  d.Load(timer);
  EXPECT_EQ(d.windowTitle(), "Timer - Info");
  EXPECT_EQ(d.Label1->text(), "Period (2-33554ms)");
  EXPECT_EQ(d.IPDauer->text(), "2000");
  d.IPDauer->setText("33556");
  EXPECT_FALSE(PressOk(d));
  EXPECT_EQ(d.IPDauer->text(), "33554") << "the nearest period allowed";
  d.IPDauer->setText("1");
  EXPECT_FALSE(PressOk(d));
  EXPECT_EQ(d.IPDauer->text(), "2");
  d.IPDauer->setText("-5");
  EXPECT_FALSE(PressOk(d));
  d.IName->setText("1X");
  EXPECT_FALSE(PressOk(d));
  EXPECT_EQ(d.IName->text(), "TR1");
  EXPECT_EQ(sink.Numbers(), (std::vector<int>{33, 33, 33, 14}));

  d.IPDauer->setText("33554");
  ASSERT_TRUE(PressOk(d));
  d.Apply(timer);
  EXPECT_EQ(timer.HalfPeriod, 16777);
  d.IName->clear();
  d.IPDauer->setText("half");
  ASSERT_TRUE(PressOk(d));
  d.Apply(timer);
  EXPECT_EQ(timer.Name, "TR");
  EXPECT_TRUE(timer.PeriodByName);
  EXPECT_EQ(timer.PeriodName, "HALF");
  EXPECT_EQ(timer.HalfPeriod, 0);

  project.Mcu.ClockHz = 20000000;  // five times faster: the counter covers a fifth of the time
  TDialogTimer fast(messages, nullptr);
  fast.Load(timer);
  EXPECT_EQ(fast.Label1->text(), "Period (2-6711ms)");
  EXPECT_EQ(fast.IPDauer->text(), "HALF");
}

TEST_F(TimingDialogTest, MonoFlopChecksLengthAndNameAndShowsItsFunction) {
  auto& puls = Add<TObjPuls>(kind::Puls);
  TDialogPuls d(messages, nullptr);
  d.Load(puls);
  EXPECT_EQ(d.Label2->text(), "Pulse length (1-16777ms)");
  EXPECT_EQ(d.ILaenge->text(), "20");
  EXPECT_FALSE(d.GroupBox1->isHidden());
  EXPECT_TRUE(d.RadioGroup1->isHidden());
  d.ILaenge->setText("16778");
  EXPECT_FALSE(PressOk(d));
  EXPECT_EQ(d.ILaenge->text(), "16777");
  ASSERT_EQ(sink.entries.size(), 1u);
  EXPECT_NE(sink.entries[0].text.find("28 : Impuls-length <min> <max> - <1> <16777>"), std::string::npos)
      << sink.entries[0].text;
  d.ILaenge->setText("0");
  EXPECT_FALSE(PressOk(d));
  EXPECT_EQ(d.ILaenge->text(), "1");
  d.ILaenge->setText("_LEN");
  EXPECT_FALSE(PressOk(d));
  EXPECT_EQ(d.ILaenge->text(), "20") << "the old text comes back";
  EXPECT_EQ(sink.Numbers(), (std::vector<int>{28, 28, 29}));

  d.ILaenge->setText("wait");
  d.Function[1]->setChecked(true);
  EXPECT_TRUE(d.GroupBox1->isHidden());
  EXPECT_FALSE(d.RadioGroup1->isHidden());
  d.DelayKind[1]->setChecked(true);
  ASSERT_TRUE(PressOk(d));
  d.Apply(puls);
  EXPECT_TRUE(puls.LengthByName);
  EXPECT_EQ(puls.LengthName, "WAIT");
  EXPECT_EQ(puls.Length, 0);
  EXPECT_TRUE(puls.DelayFunction);
  EXPECT_EQ(puls.DelayKind, TObjPuls::DropOutDelay);

  TDialogPuls again(messages, nullptr);
  again.Load(puls);
  EXPECT_EQ(again.ILaenge->text(), "WAIT");
  again.ILaenge->setText("120");
  again.Function[0]->setChecked(true);
  again.IRetrigger->setChecked(true);
  ASSERT_TRUE(PressOk(again));
  again.Apply(puls);
  EXPECT_FALSE(puls.LengthByName);
  EXPECT_EQ(puls.LengthName, "");
  EXPECT_EQ(puls.Length, 120);
  EXPECT_TRUE(puls.Retrigger);
  EXPECT_FALSE(puls.DelayFunction);
}

TEST_F(TimingDialogTest, OneShotTakesOnlyAName) {
  auto& shot = Add<TObjShot>(kind::Shot);
  TDialogOShot d(messages, nullptr);
  d.Load(shot);
  EXPECT_EQ(d.windowTitle(), "One-Shot Info");
  d.Edit1->setText("#1");
  EXPECT_FALSE(PressOk(d));
  EXPECT_EQ(d.Edit1->text(), "OS1");
  d.Edit1->clear();
  ASSERT_TRUE(PressOk(d));
  d.Apply(shot);
  EXPECT_EQ(shot.Name, "OS");
  EXPECT_EQ(sink.Numbers(), std::vector<int>{14});
}

TEST_F(TimingDialogTest, CounterAndShiftRegisterShareOneDialogWithMessage48) {
  auto& counter = Add<TObjZaehler>(kind::Zaehler);
  TDialogZaehler d(TDialogZaehler::Use::Counter, messages, nullptr);
  d.Load(counter);
  EXPECT_EQ(d.windowTitle(), "Counter Info");
  EXPECT_EQ(d.findChild<QLabel*>("LAnzahl")->text(), "number of outputs (1 - 8)");
  for (const char* bad : {"0", "9", "x"}) {
    d.IAnzahl->setText(bad);
    EXPECT_FALSE(PressOk(d)) << bad;
    EXPECT_EQ(d.IAnzahl->text(), "1");
  }
  d.IAnzahl->setText("4");
  d.IName->clear();
  ASSERT_TRUE(PressOk(d));
  d.Apply(counter);
  EXPECT_EQ(counter.Name, "ZR");
  EXPECT_EQ(counter.OutputCount, 4);
  EXPECT_EQ(counter.Height, 90);

  auto& shift = Add<TObjSregist>(kind::Sregist);
  TDialogZaehler s(TDialogZaehler::Use::ShiftRegister, messages, nullptr);
  s.Load(shift);
  EXPECT_EQ(s.windowTitle(), "Shift register Info");
  s.IName->clear();
  ASSERT_TRUE(PressOk(s));
  s.Apply(shift);
  EXPECT_EQ(shift.Name, "SR");
  EXPECT_EQ(sink.Numbers(), (std::vector<int>{48, 48, 48}));
}

TEST_F(TimingDialogTest, UpDownCounterRangeFollowsItsWidth) {
  auto& counter = Add<TObjVrzaehl>(kind::Vrzaehl);
  TDialogVRZaehler d(messages, nullptr);
  d.Load(counter);
  EXPECT_EQ(d.Label2->text(), "Outputs (0 - 8)");
  d.Edit2->setText("9");
  EXPECT_FALSE(PressOk(d));
  EXPECT_EQ(d.Edit2->text(), "0");
  d.Type[1]->setChecked(true);
  EXPECT_EQ(d.Label2->text(), "Outputs (0 - 16)");
  d.Edit2->setText("17");
  EXPECT_FALSE(PressOk(d));
  d.Edit2->setText("many");
  EXPECT_FALSE(PressOk(d));
  d.Edit1->setText("9");
  d.Edit2->setText("12");
  EXPECT_FALSE(PressOk(d));
  EXPECT_EQ(d.Edit1->text(), "ZV1");
  EXPECT_EQ(sink.Numbers(), (std::vector<int>{49, 50, 51, 14}));
  d.Edit1->setText("total");
  ASSERT_TRUE(PressOk(d));
  d.Apply(counter);
  EXPECT_EQ(counter.Name, "TOTAL");
  EXPECT_EQ(counter.Count().Name, "TOTAL");
  EXPECT_TRUE(counter.Wide());
  EXPECT_EQ(counter.Count().Bits, 16);
  EXPECT_EQ(counter.ActiveOutputs(), 12);
  EXPECT_EQ(counter.Height, 280);
}

TEST_F(TimingDialogTest, EveryTimingKindHasItsDialog) {
  for (uint8_t k : {kind::Timer, kind::Puls, kind::Shot, kind::Zaehler, kind::Sregist, kind::Vrzaehl}) {
    TBauteil* e = project.CreateElement(k, 100, 100);
    ASSERT_NE(e, nullptr) << int(k);
    EXPECT_TRUE(DialogEditor::HasDialog(*e)) << int(k);
  }
}

}  // namespace
}  // namespace tolmek::test
