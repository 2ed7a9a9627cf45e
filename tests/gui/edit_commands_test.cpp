// The editing commands from the window: search brings matches into view, the object order dialog, undo state.
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "components/gatter.h"
#include "gui/edit/clipboard_commands.h"
#include "gui/edit/edit_dialogs.h"
#include "gui_support.h"

namespace tolmek::test {
namespace {

class EditCommandsTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    ASSERT_TRUE(folder.isValid());
    commands = new ClipboardCommands(*window, folder.path().toStdString());
  }
  QTemporaryDir folder;
  ClipboardCommands* commands = nullptr;  // owned by the window
};

TEST_F(EditCommandsTest, SearchSelectsEveryMatchAndCentresTheLastOnItsPage) {
  auto& first = Place<TObjGatter>(kind::Gatter, 100, 100);
  project.CurrentPage = 2;
  auto& far = Place<TObjGatter>(kind::Gatter, 1500, 1000);
  auto& other = Place<TObjGatter>(kind::Gatter, 200, 200);
  other.SetName("MOTOR");
  project.CurrentPage = 0;

  const auto found = commands->SearchFor("LG*");
  EXPECT_EQ(found, (std::vector<TBauteil*>{&first, &far}));
  EXPECT_EQ(other.Marked, 0);
  TWorkWindow* page3 = window->PageWindow(2);
  ASSERT_NE(page3, nullptr) << "the page of a match is opened";
  EXPECT_EQ(project.CurrentPage, 2) << "the last match ends up in view";
  const QPoint at = page3->PlanToDevice({far.X - page3->ScrollX(), far.Y - page3->ScrollY()});
  const QSize view = page3->viewport()->size();
  EXPECT_NEAR(at.x(), view.width() / 2, 20);
  EXPECT_NEAR(at.y(), view.height() / 2, 20);

  EXPECT_TRUE(commands->SearchFor("LG").empty());
  EXPECT_EQ(first.Marked, 0);
}

TEST_F(EditCommandsTest, SearchDialogTakesUpperCaseAndAtMostThirtyCharacters) {
  TDialogSuchen dialog(Language::German, nullptr);
  dialog.Edit1->setFocus();
  QTest::keyClicks(dialog.Edit1, "lg*");
  EXPECT_EQ(dialog.SearchText(), "LG*");
  EXPECT_EQ(dialog.Edit1->text(), "LG*");
  EXPECT_EQ(dialog.Edit1->maxLength(), 30);
  EXPECT_EQ(dialog.windowTitle(), "Suchen...");
}

TEST_F(EditCommandsTest, ObjectOrderDialogMovesTheSelectedRowAndKeepsItSelected) {
  auto& a = Place<TObjGatter>(kind::Gatter, 100, 100);
  Place<TObjKnoten>(kind::Knoten, 300, 300);
  auto& b = Place<TObjGatter>(kind::Gatter, 200, 100);
  project.Saved = true;
  commands->RunDialog = [&](QDialog& d) {
    auto& order = static_cast<TDialogObRf&>(d);
    EXPECT_EQ(order.ListBox1->count(), 2) << "nodes are not listed";
    EXPECT_EQ(order.ListBox2->item(1)->text(), QString::number(b.Number));
    order.SelectRow(0);
    order.ForwardButton->click();
    EXPECT_EQ(project.IndexOf(&a), 0) << "nach vorne on the first row does nothing";
    order.ListBox2->setCurrentRow(1);
    EXPECT_EQ(order.ListBox1->currentRow(), 1) << "the two boxes select together";
    order.ForwardButton->click();
    EXPECT_EQ(order.SelectedRow(), 0) << "the selection moves with the element";
    EXPECT_EQ(order.ListBox1->item(0)->text(), "LG2");
    return true;
  };
  commands->ObjectOrder();
  EXPECT_EQ(project.IndexOf(&b), 0);
  EXPECT_EQ(project.IndexOf(&a), 2);
  EXPECT_EQ(b.Name, "LG1");
  EXPECT_FALSE(project.Saved);
}

TEST_F(EditCommandsTest, UndoIsOfferedAfterDeleteAndWithdrawnByUndo) {
  auto& gate = Place<TObjGatter>(kind::Gatter, 100, 100);
  QSignalSpy undo(commands, &ClipboardCommands::UndoChanged);
  gate.Marked = 1;
  commands->Delete();
  EXPECT_TRUE(project.Elements().empty());
  ASSERT_EQ(undo.count(), 1);
  EXPECT_TRUE(undo.takeFirst().at(0).toBool());

  commands->UndoDelete();
  ASSERT_EQ(project.Elements().size(), 1u);
  EXPECT_EQ(project.Elements()[0]->Name, "LG1");
  ASSERT_EQ(undo.count(), 1);
  EXPECT_FALSE(undo.takeFirst().at(0).toBool());
  EXPECT_FALSE(commands->UndoAvailable());

  // Copy and paste land on the current page, selected.
  project.Elements()[0]->Marked = 1;
  commands->Copy();
  project.CurrentPage = 4;
  commands->Paste();
  ASSERT_EQ(project.Elements().size(), 2u);
  EXPECT_EQ(project.Elements()[1]->Page, 4);
  EXPECT_EQ(project.Elements()[1]->Marked, 1);
  commands->SelectAll();
  EXPECT_EQ(project.Elements()[0]->Marked, 0) << "select all takes the current page only";
}

}  // namespace
}  // namespace tolmek::test
