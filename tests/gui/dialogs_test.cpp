// The property dialogs: what OK accepts and refuses, what it applies, and the captions per language.
#include <QLabel>
#include <QPushButton>

#include "components/gatter.h"
#include "components/gnd.h"
#include "components/rsff.h"
#include "components/spl.h"
#include "components/strigg8.h"
#include "components/text.h"
#include "components/registry.h"
#include "gui/dialogs/dialog_editor.h"
#include "gui/dialogs/gatter_dialog.h"
#include "gui/dialogs/gnd_dialog.h"
#include "gui/dialogs/pin8_dialog.h"
#include "gui/dialogs/pin_dialog.h"
#include "gui/dialogs/rsff_dialog.h"
#include "gui/dialogs/spl_dialog.h"
#include "gui/dialogs/text_dialog.h"
#include "gui_support.h"

namespace tolmek::test {
namespace {

class KindDialogTest : public ::testing::Test {
 protected:
  void SetUp() override { App(); }
  template <class T>
  T& Add(uint8_t kindCode, int x = 100, int y = 100) {
    return static_cast<T&>(*project.CreateElement(kindCode, x, y));
  }
  // Presses OK; true when the dialog closed accepted.
  static bool PressOk(QDialog& d) {
    d.setResult(QDialog::Rejected);
    d.findChild<QPushButton*>("OKBtn")->click();
    return d.result() == QDialog::Accepted;
  }
  RecordingSink sink;
  Messenger messages{&sink, Language::English};
  Project project{messages};
};

TEST_F(KindDialogTest, BitPinNeedsABitAndEmptyMeansUnnamed) {
  auto& gate = Add<TObjGatter>(kind::Gatter);
  TObjAnschluss& pin = gate.Input(0);
  TDialogAnschluss d(messages, nullptr);
  d.Load(pin);
  d.IVerbindung->setText("led");
  EXPECT_FALSE(PressOk(d));
  EXPECT_EQ(sink.Numbers(), std::vector<int>{14});
  EXPECT_EQ(d.IVerbindung->text(), "led");  // the 1-bit dialog keeps what was typed

  d.IVerbindung->setText("led.0");
  d.IInvertierung->setChecked(true);
  ASSERT_TRUE(PressOk(d));
  d.Apply(pin);
  EXPECT_EQ(pin.Name, "LED.0");
  EXPECT_TRUE(pin.Inverted);

  TDialogAnschluss again(messages, nullptr);
  again.Load(pin);
  again.IVerbindung->clear();
  ASSERT_TRUE(PressOk(again));
  again.Apply(pin);
  EXPECT_EQ(pin.Name, ".");
}

TEST_F(KindDialogTest, InversionIsOfferedOnlyWhereAllowed) {
  auto& supply = Add<TObjGnd>(kind::Gnd);
  TDialogAnschluss d(messages, nullptr);
  d.Load(supply.Pin());
  EXPECT_FALSE(d.IInvertierung->isEnabled());
}

TEST_F(KindDialogTest, WordPinRefusesALowerCaseStartAndPutsTheOldNameBack) {
  auto& trigger = Add<TObjStrigg8>(kind::Strigg8);
  TObjAnschluss& pin = trigger.SetPoint();
  pin.SetName("LEVEL");
  TDialogAnschluss8 d(TDialogAnschluss8::Use::Pin8, messages, nullptr);
  d.Load(pin);
  d.IVerbindung->setText("count");
  EXPECT_FALSE(PressOk(d));
  EXPECT_EQ(sink.Numbers(), std::vector<int>{14});
  EXPECT_EQ(d.IVerbindung->text(), "LEVEL");
  d.IVerbindung->setText("COUNT");
  ASSERT_TRUE(PressOk(d));
  d.Apply(pin);
  EXPECT_EQ(pin.Name, "COUNT");
  d.IVerbindung->setText("100");  // a constant
  ASSERT_TRUE(PressOk(d));
}

// Every typed net name becomes an operand of the program: the dialog refuses what the assembler would.
TEST_F(KindDialogTest, NetNamesThatCannotBecomeOperandsAreRefusedWhereTheyAreTyped) {
  auto& gate = Add<TObjGatter>(kind::Gatter);
  auto& node = Add<TObjKnoten>(kind::Knoten, 200, 120);
  Connect(node, gate.Output());
  struct Case {
    const char* typed;
    bool node, bitPin, wordPin;  // accepted by each dialog
  };
  const Case cases[] = {
      {"9xyz", false, false, false}, {"9xyz.1", false, false, false}, {"25", true, false, true},
      {"XYZ9", true, false, true},   {"xyz.3", true, true, false},    {"XYZ.8", false, false, false},
      {"XYZ.", false, false, false}, {"_X.0", true, true, false},     {"RB.0", true, true, false},
      {"2.1", false, false, false},  {"25X", false, false, false},     {"X.Y", false, false, false},
  };
  for (const Case& c : cases) {
    sink.entries.clear();
    TDialogAnschluss8 nodeDialog(TDialogAnschluss8::Use::Node, messages, nullptr);
    nodeDialog.Load(node);
    nodeDialog.IVerbindung->setText(c.typed);
    EXPECT_EQ(PressOk(nodeDialog), c.node) << "node " << c.typed;
    TDialogAnschluss bitDialog(messages, nullptr);
    bitDialog.Load(gate.Input(0));
    bitDialog.IVerbindung->setText(c.typed);
    EXPECT_EQ(PressOk(bitDialog), c.bitPin) << "1-bit pin " << c.typed;
    TDialogAnschluss8 wordDialog(TDialogAnschluss8::Use::Pin8, messages, nullptr);
    wordDialog.Load(gate);
    wordDialog.IVerbindung->setText(c.typed);
    EXPECT_EQ(PressOk(wordDialog), c.wordPin) << "8-bit pin " << c.typed;
    const size_t refused = size_t(!c.node) + size_t(!c.bitPin) + size_t(!c.wordPin);
    EXPECT_EQ(sink.Numbers(), std::vector<int>(refused, 14)) << c.typed;
  }
}

TEST_F(KindDialogTest, NodeNameFloodsTheNet) {
  auto& gate = Add<TObjGatter>(kind::Gatter);
  auto& node = Add<TObjKnoten>(kind::Knoten, 200, 120);
  Connect(node, gate.Output());
  TDialogAnschluss8 d(TDialogAnschluss8::Use::Node, messages, nullptr);
  EXPECT_EQ(d.windowTitle(), "Node Info");
  d.Load(node);
  d.IVerbindung->setText("ra-1");
  EXPECT_FALSE(PressOk(d));
  d.IVerbindung->setText("ra.1");
  ASSERT_TRUE(PressOk(d));
  d.Apply(node);
  EXPECT_EQ(node.Name, "RA.1");
  EXPECT_EQ(gate.Output().Name, "RA.1");
}

TEST_F(KindDialogTest, GateDialogChecksNameAndCountThenResizesTheGate) {
  auto& gate = Add<TObjGatter>(kind::Gatter);
  TDialogGatter d(messages, nullptr);
  d.Load(gate);
  EXPECT_EQ(d.IAnzahl->text(), "2");
  d.IName->setText("9X");
  EXPECT_FALSE(PressOk(d));
  EXPECT_EQ(d.IName->text(), "LG1");
  d.IName->setText("alarm");
  d.IAnzahl->setText("17");
  EXPECT_FALSE(PressOk(d));
  EXPECT_EQ(d.IAnzahl->text(), "2");
  d.IAnzahl->setText("x");
  EXPECT_FALSE(PressOk(d));
  EXPECT_EQ(sink.Numbers(), (std::vector<int>{14, 15, 15}));

  d.IAnzahl->setText("3");
  d.RadioGroup1[1]->setChecked(true);
  ASSERT_TRUE(PressOk(d));
  d.Apply(gate);
  EXPECT_EQ(gate.Name, "ALARM");
  EXPECT_EQ(gate.InputCount, 3);
  EXPECT_EQ(gate.Height, 60);
  EXPECT_EQ(gate.GateType, TObjGatter::Or);

  d.IName->clear();
  d.IAnzahl->setText("1");
  ASSERT_TRUE(PressOk(d));
  d.Apply(gate);
  EXPECT_EQ(gate.Name, "LG");
  EXPECT_TRUE(gate.Output().Inverted);
  EXPECT_EQ(gate.Output().Y, 10);
}

TEST_F(KindDialogTest, FlipFlopAndSchmittTriggerShareOneDialog) {
  auto& flipFlop = Add<TObjRsff>(kind::Rsff);
  TDialogRSFF rs(TDialogRSFF::Use::FlipFlop, messages, nullptr);
  EXPECT_EQ(rs.windowTitle(), "Flip-Flop Info");
  EXPECT_TRUE(rs.RadioGroup1->isHidden());
  rs.Load(flipFlop);
  rs.IName->clear();
  ASSERT_TRUE(PressOk(rs));
  rs.Apply(flipFlop);
  EXPECT_EQ(flipFlop.Name, "RS1");

  auto& trigger = Add<TObjStrigg8>(kind::Strigg8);
  TDialogRSFF st(TDialogRSFF::Use::SchmittTrigger, messages, nullptr);
  EXPECT_EQ(st.windowTitle(), "Schmitt-Trigger Info");
  EXPECT_FALSE(st.RadioGroup1->isHidden());
  st.Load(trigger);
  EXPECT_TRUE(st.Bits8->isChecked());
  st.IName->setText("_X");
  EXPECT_FALSE(PressOk(st));
  st.IName->clear();
  st.Bits16->setChecked(true);
  ASSERT_TRUE(PressOk(st));
  st.Apply(trigger);
  EXPECT_EQ(trigger.Name, "ST");
  EXPECT_TRUE(trigger.Is16Bit());
  EXPECT_EQ(trigger.In().Bits, 16);
}

TEST_F(KindDialogTest, LabelDialogNamesSourcesAndAttachesDestinations) {
  auto& source = Add<TObjSpl>(kind::Spl, 100, 100);
  auto& destination = Add<TObjSpl>(kind::Spl, 300, 100);
  TDialogSPL d(messages, nullptr);
  d.Load(source);
  EXPECT_TRUE(d.Source->isChecked());
  EXPECT_FALSE(d.NameGroup->isHidden());
  d.Edit1->setText("pump");
  ASSERT_TRUE(PressOk(d));
  d.Apply(source);
  EXPECT_EQ(source.Name, "PUMP");

  TDialogSPL e(messages, nullptr);
  e.Load(destination);
  e.Destination->setChecked(true);
  EXPECT_TRUE(e.NameGroup->isHidden());
  EXPECT_FALSE(e.TargetGroup->isHidden());
  ASSERT_EQ(e.ComboBox1->count(), 1);
  EXPECT_EQ(e.ComboBox1->itemText(0), "PUMP");
  ASSERT_TRUE(PressOk(e));
  e.Apply(destination);
  EXPECT_FALSE(destination.IsSource());
  EXPECT_EQ(destination.Name, "PUMP");
  EXPECT_EQ(destination.Pin().Side, 1);

  TDialogSPL f(messages, nullptr);
  f.Load(source);
  f.Edit1->clear();
  ASSERT_TRUE(PressOk(f));
  f.Apply(source);
  EXPECT_EQ(source.Name, ":X");  // renumbering gives it its automatic name
}

TEST_F(KindDialogTest, SupplyDialogSwitchesKindAndSide) {
  auto& supply = Add<TObjGnd>(kind::Gnd);
  TDialogGND d(messages, nullptr);
  d.Load(supply);
  EXPECT_TRUE(d.Gnd->isChecked());
  EXPECT_TRUE(d.Right->isChecked());
  d.Vcc->setChecked(true);
  d.Left->setChecked(true);
  ASSERT_TRUE(PressOk(d));
  d.Apply(supply);
  EXPECT_EQ(supply.Name, "VCC");
  EXPECT_EQ(supply.Width, 30);
  EXPECT_EQ(supply.Pin().X, 10);
  EXPECT_EQ(supply.Pin().Side, 0);
  EXPECT_EQ(supply.Pin().PinLabel, "+");
}

TEST_F(KindDialogTest, CommentDialogKeepsTextAndFont) {
  auto& comment = Add<TObjText>(kind::Text);
  TDialogKommentar d(messages, nullptr);
  d.Load(comment);
  EXPECT_EQ(d.IText->text(), "Kommentar");
  EXPECT_EQ(d.ChosenFont.face, "ARIAL");
  d.IText->setText("Pumpe ein");
  d.ChosenFont.height = -20;
  d.ChosenFont.bold = true;
  ASSERT_TRUE(PressOk(d));
  d.Apply(comment);
  EXPECT_EQ(comment.CommentText, "Pumpe ein");
  EXPECT_EQ(comment.FontHeight, 20);
  EXPECT_EQ(comment.FontStyle & 1, 1);
}

TEST_F(KindDialogTest, CaptionsFollowTheLanguage) {
  messages.SetLanguage(Language::Italian);
  TDialogGatter it(messages, nullptr);
  EXPECT_EQ(it.windowTitle(), "Operatori Booleani");
  EXPECT_EQ(it.findChild<QLabel*>("LAnzahl")->text(), "Specificare gli imputs (1- 16 )");
  EXPECT_EQ(it.RadioGroup1[2]->text(), " E&XOR-gate (esclusivo)");
  EXPECT_EQ(it.findChild<QPushButton*>("CancelBtn")->text(), "&Annulla");

  messages.SetLanguage(Language::German);
  TDialogGatter de(messages, nullptr);
  EXPECT_EQ(de.windowTitle(), "Gatter Info");
  EXPECT_EQ(de.findChild<QLabel*>("LAnzahl")->text(), QString::fromUtf8("Anzahl der Eingänge (1 - 16)"));
  TDialogAnschluss pin(messages, nullptr);
  EXPECT_EQ(pin.windowTitle(), QString::fromUtf8("Anschluß Info"));
  TDialogAnschluss8 wide(TDialogAnschluss8::Use::Pin16, messages, nullptr);
  EXPECT_EQ(wide.windowTitle(), QString::fromUtf8("Anschluß Info 16-Bit"));

  messages.SetLanguage(Language::English);
  TDialogGatter en(messages, nullptr);
  EXPECT_EQ(en.findChild<QLabel*>("LAnzahl")->text(), "Number of inputs (1 - 16)");
  EXPECT_EQ(en.RadioGroup1[0]->text(), " &AND-Gate");
}

TEST_F(KindDialogTest, EveryRegisteredKindHasItsDialog) {
  for (const KindInfo& k : KnownKinds()) {
    TBauteil* e = project.CreateElement(k.code, 100, 100);
    ASSERT_NE(e, nullptr) << k.className;
    EXPECT_TRUE(DialogEditor::HasDialog(*e)) << k.className;
    for (auto* pin : e->Pins()) EXPECT_TRUE(DialogEditor::HasDialog(*pin)) << k.className << " pin of " << pin->Bits;
  }
}

TEST_F(KindDialogTest, APinThatMayNotBeRenamedShowsMessage47Instead) {
  auto& source = Add<TObjSpl>(kind::Spl);
  source.SetMode(TObjSpl::kDestination);
  RecordingEditor editor;
  EXPECT_FALSE(source.Pin().EditProperties(editor));
  EXPECT_TRUE(editor.edited.empty());
  EXPECT_EQ(sink.Numbers(), std::vector<int>{47});
}

}  // namespace
}  // namespace tolmek::test
