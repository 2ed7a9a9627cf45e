// The object list: creation, renumbering, automatic names, deletion and the New rules.
#include <gtest/gtest.h>

#include "components/gnd.h"
#include "components/spl.h"
#include "components/text.h"
#include "model/names.h"
#include "support/test_project.h"

namespace tolmek {
namespace {

using test::TestProject;

TEST(Element, PositionsSnapTowardsZeroAndNamesAreUpperCaseAndCut) {
  TestProject t;
  auto& a = t.Add<TObjText>(kind::Text, 37, 82);
  EXPECT_EQ(a.X, 30);
  EXPECT_EQ(a.Y, 80);
  auto& b = t.Add<TObjText>(kind::Text, -7, 5);
  EXPECT_EQ(b.X, 0);
  EXPECT_EQ(b.Y, 0);
  a.SetName("led_1");
  EXPECT_EQ(a.Name, "LED_1");
  a.SetName(std::string(40, 'q'));
  EXPECT_EQ(a.Name, std::string(32, 'Q'));
}

TEST(Element, PinSignalNameMakesOperandsOrComplains) {
  TestProject t;
  auto& g = t.Add<TObjGnd>(kind::Gnd);
  EXPECT_EQ(g.PinSignalName("RB.7"), "PORTB,7");
  EXPECT_EQ(g.PinSignalName("S3.2"), "S3,2");
  EXPECT_EQ(g.PinSignalName("GP.3"), "GP,3") << "GP is the GPIO port only on the GPIO parts";
  t.project.Mcu.ProcessorType = 30;
  EXPECT_EQ(g.PinSignalName("GP.3"), "GPIO,3");
  EXPECT_TRUE(t.sink.entries.empty());
  EXPECT_EQ(g.PinSignalName("COUNT"), "??????????");
  ASSERT_EQ(t.sink.Numbers(), std::vector<int>{1});
  t.project.GeneratingFile = "/tmp/x/TMN1992_.ASM";
  EXPECT_EQ(g.PinSignalName("COUNT"), "??????????");
  EXPECT_EQ(t.sink.entries.size(), 1u) << "the preview run does not complain";
}

TEST(Element, PinsMoveWithTheirBlockAndAreHitWithinTheirBox) {
  TestProject t;
  auto& g = t.Add<TObjGnd>(kind::Gnd, 100, 200);
  NullCanvas canvas;
  g.Draw(canvas, -10, -20);
  EXPECT_EQ(g.Pin().DrawX, 100);
  EXPECT_EQ(g.Pin().DrawY, 190);
  EXPECT_EQ(g.HitPin(110, 199), &g.Pin());
  EXPECT_EQ(g.HitPin(90, 181), &g.Pin());
  EXPECT_EQ(g.HitPin(111, 190), nullptr);
  EXPECT_EQ(g.HitPin(100, 200), nullptr);
}

TEST(Project, UnknownKindsAreNotCreated) {
  TestProject t;
  EXPECT_EQ(t.project.CreateElement(0, 0, 0), nullptr);
  EXPECT_EQ(t.project.CreateElement(2, 0, 0), nullptr);
  EXPECT_EQ(t.project.CreateElement(33, 0, 0), nullptr);
  EXPECT_TRUE(t.project.Elements().empty());
}

TEST(Project, RenumberCountsBlocksThenTheirPinsInListOrder) {
  TestProject t;
  auto& g = t.Add<TObjGnd>(kind::Gnd);
  auto& n = t.Node();
  auto& c = t.Add<TObjText>(kind::Text);
  EXPECT_EQ(g.Number, 1);
  EXPECT_EQ(g.Pin().Number, 2);
  EXPECT_EQ(n.Number, 3);
  EXPECT_EQ(c.Number, 4);
  EXPECT_EQ(t.project.FindByNumber(2), &g.Pin());
  EXPECT_EQ(t.project.FindByNumber(3), &n);
  EXPECT_EQ(t.project.FindByNumber(1), nullptr) << "a block is found through its pins only";
  t.project.DeleteElement(&g);
  EXPECT_EQ(n.Number, 1);
  EXPECT_EQ(c.Number, 2);
}

TEST(Project, PastingNumbersOnlyTheSelectionFrom30000) {
  TestProject t;
  auto& a = t.Add<TObjGnd>(kind::Gnd);
  auto& b = t.Add<TObjGnd>(kind::Gnd);
  b.Marked = 1;
  t.project.Pasting = true;
  t.project.Renumber();
  EXPECT_EQ(a.Number, 1);
  EXPECT_EQ(b.Number, 30000);
  EXPECT_EQ(b.Pin().Number, 30001);
}

TEST(Project, AutomaticSignalNamesArePerNetWithEightBitsPerByte) {
  TestProject t;
  std::vector<TObjKnoten*> bitNets;
  for (int i = 0; i < 9; ++i) {
    auto& g = t.Add<TObjGnd>(kind::Gnd, 100, 100 + 40 * i);
    auto& n1 = t.Wire(200, 100 + 40 * i, g.Pin());
    t.Wire(300, 100 + 40 * i, n1);  // two nodes, one net
    bitNets.push_back(&n1);
  }
  auto& l1 = t.Add<TObjSpl>(kind::Spl, 500, 100);
  auto& l2 = t.Add<TObjSpl>(kind::Spl, 500, 200);
  auto& w1 = t.Wire(600, 100, l1.Pin());
  auto& w2 = t.Wire(600, 200, l2.Pin());
  w1.Name.clear();
  w2.Name.clear();
  for (auto* n : bitNets) n->SetName(".");
  auto& user = t.Wire(700, 700);
  user.SetName("MOTOR");
  auto& start = t.Wire(800, 700);
  start.SetName("START.1");
  t.project.AutoSignalNames();
  EXPECT_EQ(w1.Name, "S0");
  EXPECT_EQ(l1.Pin().Name, "S0");
  EXPECT_EQ(w2.Name, "S1");
  for (int i = 0; i < 8; ++i) EXPECT_EQ(bitNets[i]->Name, "S2." + std::to_string(i));
  EXPECT_EQ(bitNets[8]->Name, "S3.0");
  EXPECT_EQ(user.Name, "MOTOR");
  EXPECT_EQ(start.Name, "S3.1") << "names beginning with S belong to the automatic pass";
  // Both nodes of a net carry one name.
  auto* second = static_cast<TObjKnoten*>(bitNets[0]->Links[1]);
  EXPECT_EQ(second->Name, "S2.0");
}

TEST(Project, AutomaticNamesLeftOnUnlinkedPinsAreCleared) {
  TestProject t;
  auto& g = t.Add<TObjGnd>(kind::Gnd);
  auto& n = t.Wire(300, 300, g.Pin());
  t.project.AutoSignalNames();
  EXPECT_EQ(g.Pin().Name, "S0.0");
  t.project.DeleteElement(&n);
  auto& keep = t.Add<TObjGnd>(kind::Gnd);
  keep.Pin().Name = "LAMP.1";
  t.project.AutoSignalNames();
  EXPECT_EQ(g.Pin().Name, ".") << "a dangling pin must not silently join another net";
  EXPECT_EQ(keep.Pin().Name, "LAMP.1");
  t.project.Options.AutoSignals = false;
  g.Pin().Name = "S4.4";
  t.project.AutoSignalNames();
  EXPECT_EQ(g.Pin().Name, "S4.4") << "the pass is off with the option";
}

TEST(Project, NewNodesAreNamedForTheAutomaticPass) {
  TestProject t;
  EXPECT_EQ(t.Node().Name, "S0.0");
  t.project.Options.AutoSignals = false;
  EXPECT_EQ(t.Node().Name, ".");
}

TEST(Project, DeleteMarkedAndRemoveLooseNodesLeaveAConsistentList) {
  TestProject t;
  auto& g = t.Add<TObjGnd>(kind::Gnd);
  auto& h = t.Add<TObjGnd>(kind::Gnd);
  auto& a = t.Wire(300, 300, g.Pin());
  auto& b = t.Wire(400, 300, a, h.Pin());
  (void)b;
  g.Marked = 1;
  a.Marked = 1;
  t.project.DeleteMarked();
  ASSERT_EQ(t.project.Elements().size(), 2u);
  EXPECT_EQ(b.LinkCount, 1);
  EXPECT_EQ(h.Pin().Partner, &b);
  h.Marked = 1;
  t.project.DeleteMarked();
  t.project.RemoveLooseNodes();
  EXPECT_TRUE(t.project.Elements().empty());
}

TEST(Project, NewKeepsTheMicrocontrollerAndResetsTheRest) {
  TestProject t;
  t.Add<TObjText>(kind::Text);
  t.project.Mcu.ProcessorType = 20;
  t.project.Info.Password = "ab";
  t.project.Info.BuildNumber = 7;
  t.project.Info.AutoIncrement = false;
  t.project.ProjectFileName = "/tmp/a.pic";
  t.project.Saved = false;
  t.project.New();
  EXPECT_EQ(t.project.Mcu.ProcessorType, 20);
  EXPECT_TRUE(t.project.Elements().empty());
  EXPECT_EQ(t.project.ProjectFileName, "NONAME.PIC");
  EXPECT_EQ(t.project.SourceFileName, "NONAME.ASM");
  EXPECT_TRUE(t.project.Info.Password.empty());
  EXPECT_EQ(t.project.Info.BuildNumber, 0);
  EXPECT_FALSE(t.project.Info.AutoIncrement) << "the increment switch is not reset by New";
  EXPECT_TRUE(t.project.Saved);
}

TEST(Names, DialogRulesForPinsNodesAndLabels) {
  EXPECT_FALSE(CheckBitPinName("led"));
  EXPECT_EQ(CheckBitPinName("led.0"), "LED.0");
  EXPECT_EQ(CheckBitPinName(""), ".");
  EXPECT_FALSE(CheckBitPinName("a-b.1"));
  EXPECT_FALSE(CheckWordPinName("count")) << "the first character is checked as typed";
  EXPECT_EQ(CheckWordPinName("COUNT"), "COUNT");
  EXPECT_EQ(CheckWordPinName(""), "");
  EXPECT_EQ(CheckNodeName("x_1"), "X_1");
  EXPECT_EQ(CheckNodeName("."), ".");
  EXPECT_FALSE(CheckNodeName("a b"));
  EXPECT_EQ(SourceLabelName(""), ":X");
}

}  // namespace
}  // namespace tolmek
