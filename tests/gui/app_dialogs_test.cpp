// The settings dialogs: microcontroller, environment, project, colours; the value window and the
// character display of the simulation.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>

#include "app_support.h"
#include "gui/app/color_dialogs.h"
#include "gui/app/dialog_diverse.h"
#include "gui/app/dialog_pic.h"
#include "gui/app/dialog_projekt.h"
#include "gui/app/lcd_display.h"
#include "gui/app/value_window.h"

namespace tolmek::test {
namespace {

class AppDialogTest : public ::testing::Test {
 protected:
  void SetUp() override { App(); }
  RecordingSink sink;
  Messenger messages{&sink, Language::English};
  McuSettings mcu;
};

constexpr int k16F84 = 3, k16F628 = 19, k16F877 = 23, k12C508A = 30;

TEST_F(AppDialogTest, TheDebuggerModeIsOfferedOnlyOnThe16F87x) {
  TDialogPIC dialog(mcu, true, messages);
  EXPECT_FALSE(dialog.Icd().isEnabled());
  dialog.SelectType(k16F877);
  EXPECT_TRUE(dialog.Icd().isEnabled());
  dialog.Icd().setChecked(true);
  dialog.SelectType(k16F84);
  EXPECT_FALSE(dialog.Icd().isEnabled());
  EXPECT_FALSE(dialog.Icd().isChecked());
}

TEST_F(AppDialogTest, BrownOutFollowsThePowerOnTimerWhereThePartHasIt) {
  mcu.PowerUpTimer = true;
  TDialogPIC dialog(mcu, true, messages);
  EXPECT_FALSE(dialog.BrownOut().isEnabled());  // the 16F84 has no brown-out fuse
  EXPECT_FALSE(dialog.BrownOut().isChecked());
  dialog.PowerOnTimer().click();
  EXPECT_FALSE(dialog.BrownOut().isChecked());

  dialog.PowerOnTimer().click();
  dialog.SelectType(k16F877);
  EXPECT_TRUE(dialog.BrownOut().isEnabled());
  EXPECT_TRUE(dialog.BrownOut().isChecked());  // takes the timer's state
  dialog.PowerOnTimer().click();
  EXPECT_FALSE(dialog.BrownOut().isChecked());
  dialog.BrownOut().click();
  EXPECT_TRUE(dialog.PowerOnTimer().isChecked());
  dialog.Watchdog().click();  // no coupling with the others
  EXPECT_TRUE(dialog.BrownOut().isChecked());
}

TEST_F(AppDialogTest, ClockTextThatIsNoNumberIsRefusedAtOnceWithMessageEleven) {
  TDialogPIC dialog(mcu, true, messages);
  // "abc" pasted at once.
  dialog.Clock().setText("abc");
  emit dialog.Clock().textEdited("abc");
  EXPECT_EQ(dialog.Clock().text(), "4000000");
  EXPECT_EQ(sink.Numbers(), std::vector<int>{11});
  // Typed: every key is checked as it comes.
  QTest::keyClicks(&dialog.Clock(), "x");
  EXPECT_EQ(dialog.Clock().text(), "4000000");
  sink.entries.clear();

  dialog.Clock().clear();
  QTest::keyClicks(&dialog.Clock(), "50");  // accepted while typing
  EXPECT_EQ(dialog.Clock().text(), "50");
  EXPECT_TRUE(sink.Numbers().empty());
  dialog.accept();  // ... and replaced by 100 on OK
  EXPECT_EQ(dialog.Mcu().ClockHz, 100);
  EXPECT_EQ(sink.Numbers(), std::vector<int>{11});
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(AppDialogTest, OkStoresEveryControlAndCancelNothing) {
  {
    TDialogPIC dialog(mcu, true, messages);
    dialog.SelectType(k16F877);
    dialog.Watchdog().click();
    dialog.Clock().setText("20000000");
    dialog.Oscillator(3).click();
    dialog.reject();
    EXPECT_EQ(dialog.Mcu(), mcu);
  }
  TDialogPIC dialog(mcu, true, messages);
  dialog.SelectType(k12C508A);
  EXPECT_TRUE(dialog.Calibration().isEnabled());
  EXPECT_TRUE(dialog.MclreGroup().isEnabled());
  dialog.Calibration().clear();
  QTest::keyClicks(&dialog.Calibration(), "8cz");  // only hexadecimal digits go in, upper case
  EXPECT_EQ(dialog.Calibration().text(), "8C");
  dialog.findChild<QRadioButton*>("Mclre1")->click();
  dialog.Clock().setText("32768");
  dialog.accept();
  EXPECT_EQ(dialog.Mcu().ProcessorType, k12C508A);
  EXPECT_EQ(dialog.Mcu().CalibrationValue, 0x8C);
  EXPECT_EQ(dialog.Mcu().Mclre, 1);
  EXPECT_EQ(dialog.Mcu().ClockHz, 32768);
  EXPECT_TRUE(sink.Numbers().empty());
}

TEST_F(AppDialogTest, OnlyTheOscillatorsThePartDefinesCanBeChosen) {
  mcu.Oscillator = 3;  // HS
  TDialogPIC dialog(mcu, true, messages);
  EXPECT_TRUE(dialog.Oscillator(3).isChecked());
  EXPECT_FALSE(dialog.Oscillator(4).isEnabled());  // the 16F84 has no internal oscillator
  dialog.SelectType(k12C508A);                    // no HS on the 12C508A
  EXPECT_FALSE(dialog.Oscillator(3).isEnabled());
  EXPECT_TRUE(dialog.Oscillator(2).isChecked());
  EXPECT_TRUE(dialog.Oscillator(4).isEnabled());
  dialog.SelectType(k16F628);
  EXPECT_TRUE(dialog.Oscillator(4).isEnabled());
  EXPECT_FALSE(dialog.Calibration().isEnabled());
  EXPECT_TRUE(dialog.MclreGroup().isEnabled());
  dialog.SelectType(k16F84);
  EXPECT_FALSE(dialog.MclreGroup().isEnabled());
  EXPECT_EQ(dialog.TypeList().count(), 50);
  EXPECT_EQ(dialog.TypeList().itemText(k16F84), "PIC16F84");
}

TEST_F(AppDialogTest, EnvironmentRefreshIsClampedAndTextThatIsNoNumberKeepsTheDialogOpen) {
  EnvironmentChoice current;
  struct Case {
    const char* typed;
    int stored;
  };
  for (const Case c : {Case{"0", 1}, Case{"70000", 65535}, Case{"250", 250}, Case{"-5", 1}}) {
    TDialogDiverse dialog(current);
    dialog.findChild<QLineEdit*>("Edit1")->setText(c.typed);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted) << c.typed;
    EXPECT_EQ(dialog.Result().simRate, c.stored) << c.typed;
  }
  TDialogDiverse dialog(current);
  dialog.findChild<QLineEdit*>("Edit1")->setText("abc");
  dialog.findChild<QCheckBox*>("CheckBox2")->setChecked(true);
  dialog.accept();
  EXPECT_NE(dialog.result(), QDialog::Accepted);
  EXPECT_FALSE(dialog.Result().env.Show3D);  // nothing copied back
}

TEST_F(AppDialogTest, EnvironmentLanguageRelabelsTheDialogAndIsReturned) {
  EnvironmentChoice current;
  TDialogDiverse dialog(current);
  EXPECT_EQ(dialog.windowTitle(), "Environment");
  dialog.findChild<QRadioButton*>("Lang1")->click();
  EXPECT_EQ(dialog.windowTitle(), "Umgebung");
  EXPECT_EQ(dialog.findChild<QGroupBox*>("GroupBox1")->title(), "Bedienung");
  dialog.findChild<QCheckBox*>("CheckBox6")->setChecked(true);
  dialog.accept();
  EXPECT_EQ(dialog.Result().language, 1);
  EXPECT_EQ(dialog.Result().env.Lang, Language::German);
  EXPECT_TRUE(dialog.Result().env.SelectWithoutShift);
}

TEST_F(AppDialogTest, ProjectVersionFieldsAreCheckedAsTheyChange) {
  ProjectInfo info;
  info.MajorVersion = 2;
  TDialogProjekt dialog(info, messages);
  QLineEdit& major = dialog.Version(0);
  QTest::keyClick(&major, Qt::Key_End);
  QTest::keyClicks(&major, "x");
  EXPECT_EQ(major.text(), "2");
  EXPECT_EQ(sink.Numbers(), std::vector<int>{12});
  QTest::keyClicks(&major, "99");
  EXPECT_EQ(major.text(), "255");
  QLineEdit& build = dialog.Version(2);
  build.selectAll();
  QTest::keyClicks(&build, "17");
  QTest::keyClicks(&dialog.Password(), "secret12345");
  dialog.accept();
  EXPECT_EQ(dialog.Info().MajorVersion, 255);
  EXPECT_EQ(dialog.Info().BuildNumber, 17);
  EXPECT_EQ(dialog.Info().Password, "secret12");  // eight characters at most
}

TEST_F(AppDialogTest, ColourDialogsRestoreTheDefaultsAndStoreOnlyWhenAsked) {
  Environment env;
  env.BackColor = {1, 2, 3};
  env.ColorHigh = {9, 9, 9};
  TDialogFarbenEinstellen colours(env);
  EXPECT_EQ(colours.windowTitle(), QString::fromUtf8("Farben ändern"));
  EXPECT_EQ(colours.ColorAt(0), (Color{1, 2, 3}));
  colours.RestoreDefaults();
  Environment out;
  out.BackColor = {5, 5, 5};
  colours.Store(out);
  EXPECT_EQ(out.BackColor, (Color{0, 0, 0}));
  EXPECT_EQ(out.ObjectInnerTextColor, (Color{0, 255, 255}));

  TDialogSimFarbenEinstellen levels(env);
  EXPECT_EQ(levels.ColorAt(0), (Color{9, 9, 9}));
  levels.RestoreDefaults();
  levels.Store(out);
  EXPECT_EQ(out.ColorHigh, (Color{255, 0, 0}));
  EXPECT_EQ(out.ColorLow, (Color{0, 0, 255}));
}

TEST_F(AppDialogTest, TheValueWindowClampsWhatIsTypedAndNeverWritesWhileFilling) {
  TDialogAnalog window;
  int32_t value = 300;  // more than a byte holds: showing it must not change it
  window.ShowBinding({&value, false, false, 255}, QPoint(10, 10));
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(window.Scroll().maximum(), 255);
  EXPECT_EQ(window.Edit().text(), "300");
  EXPECT_EQ(value, 300);
  window.Edit().clear();
  QTest::keyClicks(&window.Edit(), "300");
  EXPECT_EQ(value, 255);
  window.Scroll().setValue(17);
  EXPECT_EQ(value, 17);
  EXPECT_EQ(window.Edit().text(), "17");

  int32_t word = 1001;
  window.ShowBinding({&word, true, false, 255}, QPoint(10, 10));
  EXPECT_EQ(window.Scroll().maximum(), 32767);
  EXPECT_EQ(window.Scroll().value(), 500);
  EXPECT_EQ(word, 1001);
  window.Scroll().setValue(501);
  EXPECT_EQ(word, 1002);
  window.Edit().clear();
  QTest::keyClicks(&window.Edit(), "-1");
  EXPECT_EQ(word, 65535);
  QTest::keyClicks(&window.Edit(), "x");  // no number: nothing changes
  EXPECT_EQ(word, 65535);

  int32_t adc = 700;
  window.ShowBinding({&adc, true, true, 1023}, QPoint(10, 10));
  EXPECT_EQ(window.Scroll().maximum(), 1023);
  EXPECT_EQ(window.Scroll().value(), 700);
  window.Scroll().setValue(701);
  EXPECT_EQ(adc, 701);

  window.ShowBinding({nullptr, false, false, 255}, QPoint(10, 10));  // an unresolved variable
  EXPECT_FALSE(window.isVisible());
  window.Scroll().setValue(3);
  EXPECT_EQ(adc, 701);
}

TEST_F(AppDialogTest, TheCharacterDisplayKeepsFourRowsOf255Cells) {
  TLCDDisplay lcd;
  EXPECT_EQ(lcd.Row(0), std::string(255, ' '));
  lcd.WriteText(250, 0, "ABCDEFGHIJKLMNOPQRST");
  EXPECT_EQ(lcd.Row(0).substr(245), "     ABCDE");
  lcd.WriteText(0, 3, "Hi");
  EXPECT_EQ(lcd.Row(3).substr(0, 3), "Hi ");
  lcd.WriteText(255, 1, "x");
  lcd.WriteText(0, 4, "x");
  lcd.WriteText(-1, 1, "x");
  EXPECT_EQ(lcd.Row(1), std::string(255, ' '));
  lcd.SetCells(16, 2);
  const QSize cell = lcd.CellSize();
  EXPECT_EQ(lcd.size(), QSize(cell.width() * 16 + 2, cell.height() * 2 + 2));
  lcd.Clear();
  EXPECT_EQ(lcd.Row(3), std::string(255, ' '));
}

}  // namespace
}  // namespace tolmek::test
