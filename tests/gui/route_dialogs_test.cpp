// The dialogs of the routing kinds: multiplexer, distributor, table (with its value files), table call and
// data block — what OK refuses with which message, and what it applies.
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>

#include "components/bv.h"
#include "components/call.h"
#include "components/data8.h"
#include "components/mux.h"
#include "components/tabelle.h"
#include "gui/dialogs/data8_dialog.h"
#include "gui/dialogs/dialog_editor.h"
#include "gui/dialogs/mux_dialog.h"
#include "gui/dialogs/tabelle_dialog.h"
#include "gui_support.h"
#include "block_dialog_fixture.h"

namespace tolmek::test {
namespace {

using RouteDialogTest = BlockDialogTest<Language::English>;

TEST_F(RouteDialogTest, MultiplexerCountFollowsTheFunction) {
  auto& mux = Add<TObjMux>(kind::Mux);
  TDialogMux d(messages, nullptr);
  d.Load(mux);
  EXPECT_EQ(d.LAnzahl->text(), "Number of inputs (2-8)");
  d.IName->setText("1MX");
  EXPECT_FALSE(PressOk(d));
  EXPECT_EQ(d.IName->text(), "MX1");
  d.IAnzahl->setText("9");
  EXPECT_FALSE(PressOk(d));
  EXPECT_EQ(d.IAnzahl->text(), "2");
  d.OneToN->setChecked(true);
  EXPECT_EQ(d.LAnzahl->text(), "Number of outputs (2-8)");
  d.IAnzahl->setText("1");
  EXPECT_FALSE(PressOk(d));
  EXPECT_EQ(sink.Numbers(), (std::vector<int>{14, 25, 26}));

  d.IName->clear();
  d.IAnzahl->setText("4");
  d.Bits16->setChecked(true);
  ASSERT_TRUE(PressOk(d));
  d.Apply(mux);
  EXPECT_EQ(mux.Name, "MX");
  EXPECT_EQ(mux.InputCount, 4);
  EXPECT_TRUE(mux.OneToN());
  EXPECT_TRUE(mux.Is16Bit());
  EXPECT_EQ(mux.Height, 120);
  EXPECT_EQ(mux.Select().Y, 110);
  EXPECT_EQ(mux.Channel(3).PinLabel, "OUT3");
  EXPECT_TRUE(mux.Channel(3).IsOutput());
  EXPECT_EQ(mux.Single().X, 10);
}

TEST_F(RouteDialogTest, DistributorCountFollowsTheFunction) {
  auto& bv = Add<TObjBv>(kind::Bv);
  TDialogBV d(messages, nullptr);
  d.Load(bv);
  d.IAnzahl->setText("17");
  EXPECT_FALSE(PressOk(d));
  d.ByteToBit->setChecked(true);
  EXPECT_EQ(d.LAnzahl->text(), "Number of outputs (1-16)");
  d.IAnzahl->setText("0");
  EXPECT_FALSE(PressOk(d));
  d.IName->setText("_X");
  d.IAnzahl->setText("12");
  EXPECT_FALSE(PressOk(d));
  EXPECT_EQ(sink.Numbers(), (std::vector<int>{15, 16, 14}));
  d.IName->setText("bits");
  ASSERT_TRUE(PressOk(d));
  d.Apply(bv);
  EXPECT_EQ(bv.Name, "BITS");
  EXPECT_EQ(bv.BitCount, 12);
  EXPECT_EQ(bv.Height, 240);
  EXPECT_EQ(bv.Byte().Y, 120);
  EXPECT_EQ(bv.Byte().Bits, 16);
  EXPECT_TRUE(bv.Bit(11).IsOutput());
}

TEST_F(RouteDialogTest, DataBlockRefusesValuesTooWideForItsBits) {
  auto& data = Add<TObjData8>(kind::Data8);
  TDialogData8 d(messages, nullptr);
  d.Load(data);
  for (const char* refused : {"256", "70000", "", "_A", "+5"}) {
    d.Bits8->setChecked(true);
    d.IName->setText(refused);
    EXPECT_FALSE(PressOk(d)) << refused;
    EXPECT_EQ(d.IName->text(), "100");
  }
  EXPECT_EQ(sink.Numbers(), (std::vector<int>{20, 20, 21, 21, 21}));
  d.Bits16->setChecked(true);
  d.IName->setText("256");
  ASSERT_TRUE(PressOk(d));
  d.Apply(data);
  EXPECT_EQ(data.Name, "256");
  EXPECT_EQ(data.Output().Name, "256");
  EXPECT_EQ(data.Output().Bits, 16);
  d.IName->setText("adc1");
  ASSERT_TRUE(PressOk(d));
  d.Apply(data);
  EXPECT_EQ(data.Output().Name, "ADC1");
}

TEST_F(RouteDialogTest, TableCallNeedsALetterFirst) {
  auto& call = Add<TObjCall>(kind::Call);
  TDialogCall d(messages, nullptr);
  d.Load(call);
  d.ICall->setText("");
  EXPECT_FALSE(PressOk(d));
  d.ICall->setText("1TAB");
  EXPECT_FALSE(PressOk(d));
  EXPECT_EQ(d.ICall->text(), "?????");
  EXPECT_EQ(sink.Numbers(), (std::vector<int>{14, 14}));
  d.ICall->setText("sinus");
  d.Bits16->setChecked(true);
  ASSERT_TRUE(PressOk(d));
  d.Apply(call);
  EXPECT_EQ(call.Name, "SINUS");
  EXPECT_EQ(call.Out().Bits, 16);
}

TEST_F(RouteDialogTest, TableChecksLengthAndValuesAndScrolls) {
  auto& table = Add<TObjTabelle>(kind::Tabelle);
  TDialogTabelle d(messages, nullptr);
  d.Load(table);
  EXPECT_EQ(d.Edit[7]->text(), "7");
  EXPECT_FALSE(d.ScrollBar1->isEnabled());
  d.Edit18->setText("300");
  EXPECT_FALSE(PressOk(d));
  EXPECT_EQ(d.Edit18->text(), "256");
  EXPECT_TRUE(d.ScrollBar1->isEnabled());
  EXPECT_EQ(d.ScrollBar1->maximum(), 248);
  d.Edit[0]->setText("256");
  EXPECT_FALSE(PressOk(d));
  EXPECT_EQ(sink.Numbers(), (std::vector<int>{44, 43}));

  d.Edit[0]->setText("$FF");
  d.Edit[1]->setText("%11");
  d.Edit[2]->setText("'A");
  d.RadioGroup1[1]->setChecked(true);  // shown as hexadecimal
  EXPECT_EQ(d.Edit[2]->text(), "$41");
  d.ScrollBar1->setValue(248);
  EXPECT_EQ(d.Edit[7]->text(), "$FF");  // entry 255
  d.Edit[7]->setText("1");
  d.Bits16->setChecked(true);  // 256 entries are too many for 16 bits
  EXPECT_EQ(d.Edit18->text(), "128");
  EXPECT_EQ(sink.Numbers(), (std::vector<int>{44, 43, 44}));
  ASSERT_TRUE(PressOk(d));
  d.Apply(table);
  EXPECT_EQ(table.Length, 128);
  EXPECT_TRUE(table.Is16Bit());
  EXPECT_EQ(table.Values[0], 255);
  EXPECT_EQ(table.Values[1], 3);
  EXPECT_EQ(table.Values[2], 65);
}

TEST_F(RouteDialogTest, TableFilesLoadAndSave) {
  QTemporaryDir dir;
  const QString in = dir.filePath("in.txt"), out = dir.filePath("out.txt");
  {
    QFile f(in);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("10\r\n\r\n$1F\r\n");
  }
  auto& table = Add<TObjTabelle>(kind::Tabelle);
  TDialogTabelle d(messages, nullptr);
  d.Load(table);
  QString next = in;
  d.ChooseFile = [&](bool) { return next; };
  d.Button1->click();
  EXPECT_EQ(d.WorkingLength(), 2);
  EXPECT_EQ(d.Edit18->text(), "2");
  EXPECT_EQ(d.Edit[1]->text(), "31");
  EXPECT_FALSE(d.Edit[2]->isEnabled());
  next = out;
  d.Button2->click();
  QFile saved(out);
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  EXPECT_EQ(saved.readAll(), QByteArray("10\r\n31\r\n"));

  {
    QFile bad(in);
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly | QIODevice::Truncate));
    bad.write("10\nzwanzig\n");
  }
  next = in;
  d.Button1->click();
  EXPECT_EQ(d.WorkingLength(), 2);  // unchanged
  EXPECT_EQ(sink.Numbers(), std::vector<int>{43});
  ASSERT_TRUE(PressOk(d));
  d.Apply(table);
  EXPECT_EQ(table.Length, 2);
  EXPECT_EQ(table.Values[1], 31);
}

TEST_F(RouteDialogTest, EveryRoutingKindHasItsDialog) {
  for (uint8_t k : {kind::Mux, kind::Bv, kind::Tabelle, kind::Call, kind::Data8}) {
    TBauteil* e = project.CreateElement(k, 100, 100);
    ASSERT_NE(e, nullptr) << int(k);
    EXPECT_TRUE(DialogEditor::HasDialog(*e)) << int(k);
  }
}

}  // namespace
}  // namespace tolmek::test
