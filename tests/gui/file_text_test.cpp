// Dialog fields refuse, as they are typed, the characters the project file cannot hold.
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "components/gatter.h"
#include "components/text.h"
#include "gui/dialogs/dialog_editor.h"
#include "gui/dialogs/gatter_dialog.h"
#include "gui/file_text.h"
#include "gui_support.h"
#include "model/project_file.h"

namespace tolmek::test {
namespace {

class FileTextTest : public ::testing::Test {
 protected:
  void SetUp() override { App(); }
  RecordingSink sink;
  Messenger messages{&sink, Language::English};
  Project project{messages};
};

// Types into the first line edit of the dialog the editor opens, then presses OK.
void TypeIntoDialog(const QString& typed) {
  QTimer::singleShot(0, [typed] {
    QWidget* dialog = QApplication::activeModalWidget();
    ASSERT_NE(dialog, nullptr);
    auto* edit = dialog->findChild<QLineEdit*>();
    edit->selectAll();
    // Typed key by key; the test library spells only ASCII keys, so each character goes as the key's text.
    for (QChar c : typed) QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_A, QString(c), Qt::NoModifier);
    dialog->findChild<QPushButton*>("OKBtn")->click();
  });
}

TEST_F(FileTextTest, TheCommentDialogRefusesWhatTheFileCannotStoreAndSavesWhatItShows) {
  auto& comment = static_cast<TObjText&>(*project.CreateElement(kind::Text, 100, 100));
  DialogEditor editor(messages, nullptr);
  TypeIntoDialog(QString::fromUtf8("Fuß €5 \u2192 ok"));
  ASSERT_TRUE(comment.EditProperties(editor));
  EXPECT_EQ(comment.CommentText, "Fuß 5  ok");
  EXPECT_EQ(sink.Numbers(), (std::vector<int>{55, 55}));

  // What the dialog shows is what the file holds.
  TObjText back(0, 0);
  ByteWriter out;
  comment.Save(out);
  ByteReader in(out.Data());
  back.Load(in);
  EXPECT_EQ(back.CommentText, comment.CommentText);
}

TEST_F(FileTextTest, APasteWithSuchACharacterIsRefusedWhole) {
  QWidget form;
  QLineEdit& edit = *new QLineEdit(&form);
  GuardFileText(form, messages);
  edit.setText("keep");
  edit.selectAll();
  QApplication::clipboard()->setText(QString::fromUtf8("a\u0100b"));
  QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(edit.text(), "keep");
  EXPECT_EQ(sink.Numbers(), std::vector<int>{55});
  edit.setMaxLength(4);
  edit.end(false);
  QTest::keyClicks(&edit, "x");  // a full field refuses too, but that is no matter of the character set
  EXPECT_EQ(sink.Numbers(), std::vector<int>{55});
}

TEST_F(FileTextTest, ABlockNameWhoseCapitalLeavesTheCharacterSetIsRefused) {
  // "ÿ" is Latin-1, its capital "Ÿ" is not: the name could not be saved as shown.
  auto& gate = static_cast<TObjGatter&>(*project.CreateElement(kind::Gatter, 100, 100));
  DialogEditor editor(messages, nullptr);
  QTimer::singleShot(0, [] {
    QWidget* dialog = QApplication::activeModalWidget();
    ASSERT_NE(dialog, nullptr);
    auto* name = dialog->findChild<QLineEdit*>("IName");
    name->setText(QString::fromUtf8("Aÿ"));
    dialog->findChild<QPushButton*>("OKBtn")->click();  // refused: message 14, the dialog stays
    name->setText("MOTOR");
    dialog->findChild<QPushButton*>("OKBtn")->click();
  });
  ASSERT_TRUE(gate.EditProperties(editor));
  EXPECT_EQ(gate.Name, "MOTOR");
  EXPECT_EQ(sink.Numbers(), std::vector<int>{14});
}

}  // namespace
}  // namespace tolmek::test
