// Copy, cut, paste, delete and undo through their files; select all, search and the object order.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "components/gatter.h"
#include "components/inc.h"
#include "components/text.h"
#include "model/clipboard.h"
#include "support/test_project.h"

namespace tolmek {
namespace {

namespace fs = std::filesystem;
using test::TestProject;

class ClipboardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("tolmek_clip_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "_" +
               std::to_string(::getpid()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  // Two gates joined output to input through one junction node.
  void TwoJoinedGates() {
    g1_ = &t_.Add<TObjGatter>(kind::Gatter, 100, 100);
    g2_ = &t_.Add<TObjGatter>(kind::Gatter, 300, 100);
    node_ = &t_.Wire(200, 120, g1_->Output(), g2_->Input(0));
    t_.project.AutoSignalNames();
  }

  [[nodiscard]] size_t Count(uint8_t kindCode) const {
    size_t n = 0;
    for (const auto& e : t_.project.Elements()) n += e->Kind == kindCode;
    return n;
  }

  TestProject t_;
  fs::path folder_;
  TObjGatter* g1_ = nullptr;
  TObjGatter* g2_ = nullptr;
  TObjKnoten* node_ = nullptr;
};

TEST_F(ClipboardTest, EachCopyIsPastedOnceSelectedShiftedAndOnTheCurrentPage) {
  TwoJoinedGates();
  EditCommands edit(t_.project, folder_.string());
  g1_->Marked = 1;
  ASSERT_TRUE(edit.Copy());
  EXPECT_EQ(g1_->Number, 1) << "the clipboard numbers are the copy's own, not the plan's";
  t_.project.CurrentPage = 3;
  t_.project.Saved = true;

  ASSERT_TRUE(edit.Paste());
  ASSERT_EQ(Count(kind::Gatter), 3u);
  auto& pasted = static_cast<TObjGatter&>(*t_.project.Elements().back());
  EXPECT_EQ(pasted.X, g1_->X + 50);
  EXPECT_EQ(pasted.Y, g1_->Y + 50);
  EXPECT_EQ(pasted.Page, 3);
  EXPECT_EQ(pasted.Marked, 1);
  EXPECT_EQ(g1_->Marked, 0) << "the pasted elements are the new selection";
  EXPECT_EQ(pasted.Name, "LG3");
  EXPECT_LT(pasted.Number, kPasteNumberBase);
  EXPECT_FALSE(t_.project.Saved);
  EXPECT_EQ(fs::file_size(edit.ClipboardPath()), 0u);

  EXPECT_FALSE(edit.Paste()) << "the second paste of one copy does nothing";
  EXPECT_EQ(Count(kind::Gatter), 3u);
}

TEST_F(ClipboardTest, LinksAreCopiedOnlyAmongTheSelection) {
  TwoJoinedGates();
  EditCommands edit(t_.project, folder_.string());
  g1_->Marked = g2_->Marked = 1;
  ASSERT_TRUE(edit.Copy());
  ASSERT_TRUE(edit.Paste());
  const auto& list = t_.project.Elements();
  ASSERT_EQ(list.size(), 5u);
  auto& a = static_cast<TObjGatter&>(*list[3]);
  auto& b = static_cast<TObjGatter&>(*list[4]);
  EXPECT_EQ(a.Output().Partner, nullptr) << "the node was not copied, so the copies come unconnected";
  EXPECT_EQ(b.Input(0).Partner, nullptr);
  EXPECT_EQ(a.Output().Name, ".") << "a pin without its node loses the automatic net name";
  EXPECT_EQ(g1_->Output().Partner, node_) << "the originals keep their wire";

  // With the node selected too the copy is wired like the original.
  for (const auto& e : list) e->Marked = 0;
  g1_->Marked = g2_->Marked = node_->Marked = 1;
  ASSERT_TRUE(edit.Copy());
  ASSERT_TRUE(edit.Paste());
  ASSERT_EQ(list.size(), 8u);
  auto& c = static_cast<TObjGatter&>(*list[5]);
  auto& d = static_cast<TObjGatter&>(*list[6]);
  auto& n = static_cast<TObjKnoten&>(*list[7]);
  EXPECT_EQ(c.Output().Partner, &n);
  EXPECT_EQ(d.Input(0).Partner, &n);
  EXPECT_NE(n.Name, node_->Name) << "the copy is a net of its own";
}

TEST_F(ClipboardTest, DeleteRemovesTheNodeItLeavesLooseAndCutKeepsIt) {
  {
    TwoJoinedGates();
    EditCommands edit(t_.project, folder_.string());
    g1_->Marked = 1;
    edit.Delete();
    EXPECT_EQ(Count(kind::Gatter), 1u);
    EXPECT_EQ(Count(kind::Knoten), 1u) << "the node still holds the second gate's input";
    g2_->Marked = 1;
    edit.Delete();
    EXPECT_EQ(Count(kind::Knoten), 0u) << "a node without links goes with the last gate";
    EXPECT_TRUE(edit.UndoAvailable());
    EXPECT_FALSE(t_.project.Saved);
  }
  TestProject other;
  auto& g1 = other.Add<TObjGatter>(kind::Gatter, 100, 100);
  other.Wire(200, 120, g1.Output());
  EditCommands edit(other.project, folder_.string());
  g1.Marked = 1;
  ASSERT_TRUE(edit.Cut());
  ASSERT_EQ(other.project.Elements().size(), 1u);
  EXPECT_TRUE(other.project.Elements()[0]->IsNode()) << "cut leaves the loose node in place";
  EXPECT_TRUE(edit.UndoAvailable());
  ASSERT_TRUE(edit.Paste()) << "what was cut can be pasted";
  EXPECT_EQ(other.project.Elements().size(), 2u);
}

TEST_F(ClipboardTest, UndoBringsBackThePlanAndKeepsTheFileNames) {
  TwoJoinedGates();
  g2_->SetName("MOTOR");
  t_.project.Mcu.ProcessorType = 7;
  t_.project.Info.Password = "geheim";
  t_.project.ProjectFileName = "/p/ANLAGE.PIC";
  t_.project.SourceFileName = "/p/ANLAGE.ASM";
  EditCommands edit(t_.project, folder_.string());
  g1_->Marked = g2_->Marked = 1;
  edit.Delete();
  ASSERT_TRUE(t_.project.Elements().empty());
  t_.project.Mcu.ProcessorType = 3;

  ASSERT_TRUE(edit.UndoDelete());
  EXPECT_TRUE(t_.sink.entries.empty()) << "no password question and no message";
  const auto& list = t_.project.Elements();
  ASSERT_EQ(list.size(), 3u);
  auto& a = static_cast<TObjGatter&>(*list[0]);
  auto& b = static_cast<TObjGatter&>(*list[1]);
  EXPECT_EQ(b.Name, "MOTOR");
  EXPECT_EQ(a.Output().Partner, list[2].get());
  EXPECT_EQ(b.Input(0).Partner, list[2].get());
  EXPECT_EQ(t_.project.Mcu.ProcessorType, 7) << "the settings come back with the plan";
  EXPECT_EQ(t_.project.ProjectFileName, "/p/ANLAGE.PIC");
  EXPECT_EQ(t_.project.SourceFileName, "/p/ANLAGE.ASM");
  EXPECT_FALSE(edit.UndoAvailable()) << "one level only";
  EXPECT_FALSE(t_.project.Saved) << "the plan differs from the file on disk";
}

TEST_F(ClipboardTest, UndoOnlyAfterAWrittenStoreAndNeverAtTheCostOfThePlan) {
  TwoJoinedGates();
  EditCommands nowhere(t_.project, (folder_ / "missing" / "deeper").string());
  g1_->Marked = 1;
  EXPECT_FALSE(nowhere.Cut()) << "nothing is cut that could not be put on the clipboard";
  EXPECT_EQ(Count(kind::Gatter), 2u);
  nowhere.Delete();
  EXPECT_EQ(Count(kind::Gatter), 1u);
  EXPECT_FALSE(nowhere.UndoAvailable()) << "no undo store was written";

  EditCommands edit(t_.project, folder_.string());
  g2_->Marked = 1;
  edit.Delete();
  ASSERT_TRUE(edit.UndoAvailable());
  ASSERT_EQ(Count(kind::Gatter), 0u);
  std::ofstream(edit.UndoPath(), std::ios::binary | std::ios::trunc) << "not a plan";
  EXPECT_FALSE(edit.UndoDelete());
  EXPECT_EQ(t_.sink.Numbers(), std::vector<int>{8});
  EXPECT_EQ(t_.project.Elements().size(), 0u) << "the plan on screen stays as it is";
  fs::remove(edit.UndoPath());
  EXPECT_FALSE(edit.UndoDelete());
  EXPECT_EQ(t_.sink.Numbers(), (std::vector<int>{8, 7}));
}

TEST_F(ClipboardTest, SelectAllTakesTheCurrentPageOnly) {
  auto& a = t_.Add<TObjGatter>(kind::Gatter);
  t_.project.CurrentPage = 2;
  auto& b = t_.Add<TObjGatter>(kind::Gatter);
  auto& c = t_.Add<TObjText>(kind::Text);
  SelectAll(t_.project);
  EXPECT_EQ(a.Marked, 0);
  EXPECT_EQ(b.Marked, 1);
  EXPECT_EQ(c.Marked, 1);
}

TEST(Search, StarSearchesByPrefixAndPlainTextByWholeName) {
  TestProject t;
  auto& lg1 = t.Add<TObjGatter>(kind::Gatter);
  auto& lg2 = t.Add<TObjGatter>(kind::Gatter);
  auto& plain = t.Add<TObjGatter>(kind::Gatter);
  auto& motor = t.Add<TObjGatter>(kind::Gatter);
  plain.Name = "LG";
  motor.SetName("MOTOR");
  lg1.Marked = motor.Marked = 1;

  auto found = SearchElements(t.project, "lg*");
  EXPECT_EQ(found, (std::vector<TBauteil*>{&lg1, &lg2, &plain}));
  EXPECT_EQ(motor.Marked, 0) << "the selection is cleared first";

  found = SearchElements(t.project, "LG");
  EXPECT_EQ(found, std::vector<TBauteil*>{&plain});
  EXPECT_EQ(lg1.Marked, 0);
  EXPECT_EQ(plain.Marked, 1);

  EXPECT_TRUE(SearchElements(t.project, "LG12*").empty());
  EXPECT_EQ(SearchElements(t.project, "*").size(), t.project.Elements().size());
}

TEST(ObjectOrder, ExchangesNeighbouringRowsAndLeavesUnlistedElementsInPlace) {
  TestProject t;
  auto& a = t.Add<TObjGatter>(kind::Gatter);
  auto& comment = t.Add<TObjText>(kind::Text);
  auto& inc = t.Add<TObjInc>(kind::Inc);
  auto& node = t.Node();
  auto& b = t.Add<TObjGatter>(kind::Gatter);
  inc.IncludeFile = "MOTOR.INC";

  ObjectOrder order(t.project);
  ASSERT_EQ(order.Rows().size(), 3u) << "comments and nodes are not listed";
  EXPECT_EQ(order.Rows()[1].text, "MOTOR.INC");
  EXPECT_EQ(order.Rows()[1].number, inc.Number);

  t.project.Saved = true;
  EXPECT_EQ(order.MoveForward(0), 0) << "nach vorne on the first row does nothing";
  EXPECT_EQ(order.MoveBackward(2), 2) << "nach hinten on the last row does nothing";
  EXPECT_EQ(order.MoveBackward(-1), -1);
  EXPECT_EQ(t.project.IndexOf(&a), 0);
  EXPECT_TRUE(t.project.Saved);

  EXPECT_EQ(order.MoveForward(2), 1);
  const auto& list = t.project.Elements();
  EXPECT_EQ(list[0].get(), &a);
  EXPECT_EQ(list[1].get(), &comment);
  EXPECT_EQ(list[2].get(), &b) << "the two entries trade places";
  EXPECT_EQ(list[3].get(), &node);
  EXPECT_EQ(list[4].get(), &inc);
  EXPECT_EQ(order.Rows()[1].element, &b);
  EXPECT_EQ(order.Rows()[2].element, &inc);

  EXPECT_EQ(order.MoveForward(1), 0);
  EXPECT_EQ(list[0].get(), &b);
  EXPECT_EQ(list[2].get(), &a);
  order.Finish();
  EXPECT_FALSE(t.project.Saved);
  EXPECT_EQ(b.Name, "LG1") << "renumbering follows the new order";
  EXPECT_EQ(a.Name, "LG2");
}

}  // namespace
}  // namespace tolmek
