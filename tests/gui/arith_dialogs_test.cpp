// The dialogs of the comparator, the arithmetic block and the limiter: what they load, apply and refuse.
#include <QLabel>
#include <QPushButton>

#include "components/limit.h"
#include "components/mathe.h"
#include "components/vergl.h"
#include "gui/dialogs/arith_dialogs.h"
#include "gui/dialogs/dialog_editor.h"
#include "gui_support.h"
#include "block_dialog_fixture.h"

namespace tolmek::test {
namespace {

using ArithDialogTest = BlockDialogTest<Language::German>;

TEST_F(ArithDialogTest, ComparatorAndArithmeticChooseOperationAndWidth) {
  auto& v = Add<TObjVergl>(kind::Vergl);
  TDialogVergleich dv(messages, nullptr);
  EXPECT_EQ(dv.windowTitle(), "Vergleich Info");
  dv.Load(v);
  EXPECT_TRUE(dv.RadioGroup1[0]->isChecked());
  EXPECT_TRUE(dv.RadioGroup2[0]->isChecked());
  dv.RadioGroup1[5]->setChecked(true);
  dv.RadioGroup2[1]->setChecked(true);
  ASSERT_TRUE(PressOk(dv));
  dv.Apply(v);
  EXPECT_EQ(v.CompareOp, TObjVergl::NotEqual);
  EXPECT_EQ(v.Output().PinLabel, "A<>B");
  EXPECT_EQ(v.A().Bits, 16);
  EXPECT_EQ(v.Name.rfind("IF", 0), 0u);  // no name field: the automatic name stays

  auto& m = Add<TObjMathe>(kind::Mathe);
  TDialogMathe dm(messages, nullptr);
  EXPECT_EQ(dm.windowTitle(), "Arithmetik Info");
  EXPECT_EQ(dm.RadioGroup1[3]->text(), " Division");
  dm.Load(m);
  dm.RadioGroup1[2]->setChecked(true);
  ASSERT_TRUE(PressOk(dm));
  dm.Apply(m);
  EXPECT_EQ(m.Operation, TObjMathe::Multiply);
  EXPECT_EQ(m.Result().PinLabel, "A x B");
  EXPECT_FALSE(m.Is16Bit());
  EXPECT_TRUE(sink.entries.empty());
}

TEST_F(ArithDialogTest, LimiterChecksItsInputsAndAppliesTheName) {
  auto& l = Add<TObjLimit>(kind::Limit);
  TDialogLimit d(messages, nullptr);
  EXPECT_EQ(d.windowTitle(), "Limiter - Info");
  d.Load(l);
  EXPECT_EQ(d.Edit2->text(), "255");
  EXPECT_EQ(d.LUpper->text(), "Oberes Limit (0 - 255 oder Variable 8-Bit)");
  d.RadioGroup1[1]->setChecked(true);
  EXPECT_EQ(d.LLower->text(), "Unteres Limit (0 - 65535 oder Variable 16-Bit)");
  d.RadioGroup1[0]->setChecked(true);

  struct Case {
    const char* name;
    const char* upper;
    const char* lower;
    int message;  // 0: accepted
  };
  const Case cases[] = {
      {"1ST", "200", "10", 14},   // a name must start with a letter
      {"CLAMP", "10", "20", 42},  // lower above upper
      {"CLAMP", "256", "0", 20},  // beyond a byte
      {"CLAMP", "", "0", 21},     // neither number nor name
      {"CLAMP", "2X", "0", 21},
      {"CLAMP", "max", "lo_1", 0},
  };
  for (const Case& c : cases) {
    sink.entries.clear();
    d.Edit1->setText(c.name);
    d.Edit2->setText(c.upper);
    d.Edit3->setText(c.lower);
    EXPECT_EQ(PressOk(d), c.message == 0) << c.upper << " / " << c.lower;
    EXPECT_EQ(sink.Numbers(), c.message ? std::vector<int>{c.message} : std::vector<int>{}) << c.upper;
  }
  d.Apply(l);
  EXPECT_EQ(l.Name, "CLAMP");
  EXPECT_EQ(l.UpperLimit, "MAX");
  EXPECT_EQ(l.LowerLimit, "LO_1");

  // 16 bits take limits up to 65535.
  d.RadioGroup1[1]->setChecked(true);
  d.Edit2->setText("65535");
  d.Edit3->setText("256");
  ASSERT_TRUE(PressOk(d));
  d.Apply(l);
  EXPECT_TRUE(l.Is16Bit());
  EXPECT_EQ(l.Output().Bits, 16);
}

TEST_F(ArithDialogTest, TheEditorFindsTheirDialogs) {
  for (uint8_t k : {kind::Vergl, kind::Mathe, kind::Limit}) {
    TBauteil* e = project.CreateElement(k, 100, 100);
    ASSERT_NE(e, nullptr) << int(k);
    EXPECT_TRUE(DialogEditor::HasDialog(*e)) << int(k);
    for (auto* pin : e->Pins()) EXPECT_TRUE(DialogEditor::HasDialog(*pin)) << int(k);
  }
}

}  // namespace
}  // namespace tolmek::test
