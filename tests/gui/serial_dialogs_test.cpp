// The dialogs of the LCD and UART blocks: what OK applies and refuses, the lists they offer and move between.
#include <QPushButton>

#include "components/lcd_base.h"
#include "components/lcd_text.h"
#include "components/uart.h"
#include "components/udata.h"
#include "gui/dialogs/lcd_base_dialog.h"
#include "gui/dialogs/lcd_text_dialog.h"
#include "gui/dialogs/uart_dialog.h"
#include "gui/dialogs/udata_dialog.h"
#include "gui_support.h"
#include "block_dialog_fixture.h"

namespace tolmek::test {
namespace {

using SerialDialogTest = BlockDialogTest<Language::English>;

TEST_F(SerialDialogTest, LcdModuleFallsBackToFourRowsOfTwenty) {
  auto& m = Add<TObjLcdBase>(kind::LcdBase);
  struct Row {
    const char *rows, *columns;
    int wantRows, wantColumns;
  };
  for (const Row& r : {Row{"2", "16", 2, 16}, Row{"7", "40", 4, 40}, Row{"x", "", 4, 20}}) {
    TDialogLCDBase d(messages, nullptr);
    d.Load(m);
    d.IRows->setText(r.rows);
    d.IColumns->setText(r.columns);
    d.IEnable->setText("gp.5");
    d.IName->clear();
    d.RadioGroup1[2]->setChecked(true);
    ASSERT_TRUE(PressOk(d));
    d.Apply(m);
    EXPECT_EQ(m.Rows, r.wantRows);
    EXPECT_EQ(m.Columns, r.wantColumns);
    EXPECT_EQ(m.EnablePin, "GP.5");
    EXPECT_EQ(m.Name, "LB");
    EXPECT_EQ(m.DelayFactor, 2);
  }
}

TEST_F(SerialDialogTest, LcdOutputPositionIsAConstantOrAVariableAndLabelsFollowTheModule) {
  auto& m = Add<TObjLcdBase>(kind::LcdBase);
  m.Rows = 2;
  m.Columns = 16;
  project.Renumber();
  auto& b = Add<TObjLcdText>(kind::LcdText);
  TDialogLCDText d(messages, nullptr);
  d.Load(b);
  EXPECT_EQ(d.IX->text(), "0");
  EXPECT_EQ(d.ComboLcd->count(), 1);
  EXPECT_EQ(d.LX->text(), "X (0...15)");
  EXPECT_EQ(d.LY->text(), "Y (0...1)");
  EXPECT_TRUE(d.IText->isEnabled());
  EXPECT_FALSE(d.CheckFixed->isEnabled());
  d.RadioFormat[TObjLcdText::kHex]->setChecked(true);
  EXPECT_FALSE(d.IText->isEnabled());
  EXPECT_FALSE(d.CheckFixed->isEnabled()) << "hexadecimal has neither zeros nor a fixed length";
  d.RadioFormat[TObjLcdText::kDecimal]->setChecked(true);
  EXPECT_TRUE(d.CheckFixed->isEnabled());
  d.IX->setText("col");
  d.IY->setText("1");
  d.CheckFixed->setChecked(true);
  d.IFixedCount->setText("zz");
  ASSERT_TRUE(PressOk(d));
  d.Apply(b);
  EXPECT_EQ(b.PosXName, "COL");
  EXPECT_EQ(b.PosX, 0);
  EXPECT_EQ(b.PosYName, "");
  EXPECT_EQ(b.PosY, 1);
  EXPECT_EQ(b.FixedCount, 1);
  EXPECT_EQ(b.Format, TObjLcdText::kDecimal);
}

TEST_F(SerialDialogTest, UartRefusesSoftwareAndBadSpbrgAndWarnsOfAnUnreachableSpeed) {
  project.Mcu.ProcessorType = 23;
  project.Mcu.ClockHz = 20e6;
  auto& u = Add<TObjUart>(kind::Uart);
  TDialogUART d(messages, nullptr);
  d.Load(u);
  EXPECT_EQ(d.ITx->text(), "RC.6");
  EXPECT_EQ(d.IRx->text(), "RC.7");
  EXPECT_FALSE(d.IDir->isEnabled());
  d.RadioType[1]->setChecked(true);
  EXPECT_FALSE(PressOk(d));
  EXPECT_EQ(sink.Numbers(), std::vector<int>{63});
  d.RadioType[0]->setChecked(true);
  d.ISpbrg->setText("300");
  EXPECT_FALSE(PressOk(d));
  d.ISpbrg->setText("129");
  sink.entries.clear();
  d.RadioRate[0]->setChecked(true);  // 1200 baud cannot be made from 20 MHz
  ASSERT_TRUE(PressOk(d));
  EXPECT_EQ(sink.Numbers(), std::vector<int>{60});
  d.CheckChecksum->setChecked(false);
  d.CheckHalfDuplex->setChecked(true);
  d.IDir->setText("ra.1");
  d.Apply(u);
  EXPECT_EQ(u.WithChecksum, 0);
  EXPECT_EQ(u.HalfDuplex, 1);
  EXPECT_EQ(u.DirPin, "RA.1");
  EXPECT_EQ(u.Spbrg, 129);
}

TEST_F(SerialDialogTest, UartDataMovesVariablesBetweenTheListsInOrder) {
  for (const char* v : {"ALPHA", "BETA", "GAMMA"}) {
    auto& d = Add<TObjUdata>(kind::Udata);
    d.Items = {v};
  }
  auto& u = Add<TObjUart>(kind::Uart);
  project.Renumber();
  auto& block = static_cast<TObjUdata&>(*project.Elements()[0]);
  TDialogUData d(messages, nullptr);
  d.Load(block);
  EXPECT_EQ(d.ListItems->count(), 1);
  QStringList ram;
  for (int i = 0; i < d.ListRam->count(); ++i) ram << d.ListRam->item(i)->text();
  EXPECT_TRUE(ram.contains("BETA") && ram.contains("GAMMA"));
  EXPECT_FALSE(ram.contains("ALPHA")) << "a name stands in one list only";
  for (const QString& name : ram) EXPECT_FALSE(name.startsWith("SYS_") || name.endsWith("_FD")) << name.toStdString();
  for (int i = 0; i < d.ListRam->count(); ++i)
    d.ListRam->item(i)->setSelected(d.ListRam->item(i)->text() == "GAMMA");
  d.BtnAdd->click();
  d.ListItems->item(0)->setSelected(true);
  d.ListItems->item(1)->setSelected(false);
  d.BtnRemove->click();
  d.RadioFunction[1]->setChecked(true);
  EXPECT_EQ(d.LItems->text(), "Receive");
  d.ComboUart->setCurrentText(QString::fromStdString(u.Name));
  ASSERT_TRUE(PressOk(d));
  d.Apply(block);
  EXPECT_EQ(block.Items, std::vector<std::string>{"GAMMA"});
  EXPECT_EQ(block.Direction, TObjUdata::kReceive);
  EXPECT_EQ(block.UartName, "UA1");
}

}  // namespace
}  // namespace tolmek::test
