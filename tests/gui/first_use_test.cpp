// What a new user meets first: result windows, the title, the status bar after a build, the keys, the
// language at the first start and the messages of dialogs that refuse a value.
#include <QFile>
#include <QLineEdit>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <cstdlib>

#include "app_support.h"
#include "components/gatter.h"
#include "components/registry.h"
#include "gui/app/dialog_diverse.h"
#include "gui/app/dialog_lang.h"
#include "gui/build/build_commands.h"
#include "gui/build/editor_window.h"
#include "gui/build/source_window.h"
#include "gui/build/variable_window.h"

namespace tolmek::test {
namespace {

bool HaveGpasm() { return std::system("gpasm -v >/dev/null 2>&1") == 0; }

class FirstUseTest : public AppTest {
 protected:
  BuildCommands& Commands() { return *form->findChild<BuildCommands*>(); }
  static QMdiSubWindow* SubOf(QWidget* w) { return w ? qobject_cast<QMdiSubWindow*>(w->parentWidget()) : nullptr; }
  // Deletes what was closed (the result windows free themselves when closed).
  static void Settle() {
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
  }
  void ExpectUsableInsideTheArea(QWidget* window, const char* what) {
    QMdiSubWindow* sub = SubOf(window);
    ASSERT_NE(sub, nullptr) << what;
    EXPECT_GE(sub->height(), 150) << what;
    EXPECT_GE(sub->width(), 150) << what;
    EXPECT_FALSE(sub->isMinimized()) << what;
    EXPECT_TRUE(form->Area().viewport()->rect().contains(sub->geometry())) << what;
  }
  bool BuildAndWait() {
    QSignalSpy finished(&Commands(), &BuildCommands::BuildFinished);
    Commands().Build();
    // The outcome arrives queued, also when nothing could be assembled.
    if (finished.count() == 0) finished.wait(30000);
    return finished.count() > 0;
  }
};

TEST_F(FirstUseTest, ResultWindowsOpenAtAUsableSizeInsideTheWindowBesideAMaximisedPage) {
  Start();
  ASSERT_NE(form->SubWindowOfPage(0), nullptr);
  form->SubWindowOfPage(0)->showMaximized();
  form->Action("FensterQuelltext")->trigger();
  form->Action("FensterVariable")->trigger();
  Settle();
  ExpectUsableInsideTheArea(Commands().SourceWindow(), "source");
  ExpectUsableInsideTheArea(Commands().VariableWindow(), "variables");
  // The editor, as a double click on an error line opens it, lies inside the area too.
  form->resize(700, 500);
  Settle();
  Commands().OpenEditor();
  Settle();
  ExpectUsableInsideTheArea(Commands().Editor(), "editor");
}

TEST_F(FirstUseTest, NewAndOpenLeaveNoWindowShowingThePreviousPlan) {
  MakePlan(File("two.pic"), {0});
  Start();
  form->Action("FensterQuelltext")->trigger();
  project->CreateElement(kind::Gatter, 100, 100);
  project->CreateElement(kind::Gatter, 100, 200);
  form->PlanEdited();
  auto mentionsGate = [&](const char* name) {
    return Commands().SourceWindow()->Lines().join('\n').contains(QString(name));
  };
  ASSERT_TRUE(mentionsGate("LG2"));
  Commands().OpenEditor();
  project->Saved = true;
  form->DateiNeuClick();
  Settle();
  ASSERT_NE(Commands().SourceWindow(), nullptr);
  EXPECT_FALSE(mentionsGate("LG1")) << "the source window shows the new, empty plan";
  EXPECT_EQ(Commands().Editor(), nullptr) << "the editor of the old plan closed";

  // Open: the source window shows the plan that was opened (one gate).
  ASSERT_TRUE(form->DateiOeffnen(File("two.pic")));
  Settle();
  EXPECT_TRUE(mentionsGate("LG1"));
  EXPECT_FALSE(mentionsGate("LG2"));
}

TEST_F(FirstUseTest, AFailedWriteOfTheSourceKeepsThePreviousNameAndSaysSo) {
  Start();
  BuildCommands& b = Commands();
  b.ChooseSourceFile = [&](const QString&) { return File("no/such/folder/x.asm"); };
  EXPECT_FALSE(b.SaveSourceAs());
  EXPECT_EQ(project->SourceFileName, "NONAME.ASM");
  EXPECT_EQ(sink.Numbers(), std::vector<int>{5});
  // The way out: the next save asks again and takes a folder that can be written.
  b.ChooseSourceFile = [&](const QString&) { return File("x.asm"); };
  EXPECT_TRUE(b.SaveSource());
  EXPECT_EQ(project->SourceFileName, File("x.asm").toStdString());

  // A failing "save as" from a good name keeps the good one.
  b.ChooseSourceFile = [&](const QString&) { return File("no/such/folder/y.asm"); };
  EXPECT_FALSE(b.SaveSourceAs());
  EXPECT_EQ(project->SourceFileName, File("x.asm").toStdString());
}

TEST_F(FirstUseTest, AFailedBuildIntoAFolderThatCannotBeWrittenForgetsTheNameItAskedFor) {
  Start();
  BuildCommands& b = Commands();
  b.ChooseSourceFile = [&](const QString&) { return File("no/such/folder/x.asm"); };
  BuildAndWait();
  EXPECT_EQ(project->SourceFileName, "NONAME.ASM");
  EXPECT_EQ(sink.Numbers(), std::vector<int>{5});
}

TEST_F(FirstUseTest, ASuccessfulBuildSaysSoWithTheRomAndRamFigures) {
  if (!HaveGpasm()) GTEST_SKIP() << "gpasm is not installed";
  Start();
  project->SourceFileName = File("ok.asm").toStdString();
  Commands().Programs.Assembler = "gpasm";
  ASSERT_TRUE(BuildAndWait());
  ASSERT_TRUE(Commands().LastResult().Succeeded());
  const BuildResult& r = Commands().LastResult();
  EXPECT_EQ(form->statusBar()->currentMessage(), QString("Build succeeded: ROM %1 of %2 words, RAM %3 of %4 bytes")
                                                     .arg(r.RomUsed)
                                                     .arg(r.RomSize)
                                                     .arg(r.RamUsed)
                                                     .arg(r.RamSize));
  EXPECT_GT(r.RomUsed, 0);
  // The gauges carry their figures as text.
  EXPECT_TRUE(form->RomBar().isTextVisible());
  EXPECT_EQ(form->RomBar().text(), QString("ROM %1/%2").arg(r.RomUsed).arg(r.RomSize));
  EXPECT_TRUE(form->RamBar().text().startsWith("RAM "));
  // The next edit makes the figures old news.
  form->PlanEdited();
  EXPECT_TRUE(form->statusBar()->currentMessage().isEmpty());
}

TEST_F(FirstUseTest, TheTitleMarksUnsavedChangesInOneFormWhateverTheLastCommand) {
  Start();
  EXPECT_FALSE(form->isWindowModified());
  project->CreateElement(kind::Gatter, 100, 100);
  project->Saved = false;
  form->PlanEdited();
  EXPECT_TRUE(form->isWindowModified());
  form->ChooseSaveFile = [&](const QString&, const QString&) { return File("plan.pic"); };
  ASSERT_TRUE(form->DateiSpeichernUnterClick());
  EXPECT_FALSE(form->isWindowModified());
  EXPECT_EQ(form->Caption(), "Tolmek - [" + File("plan.pic") + "]");
  project->Saved = false;
  form->PlanEdited();
  EXPECT_TRUE(form->isWindowModified());
  ASSERT_TRUE(form->DateiSpeichernClick());
  EXPECT_FALSE(form->isWindowModified());
  EXPECT_EQ(form->Caption(), "Tolmek - [" + File("plan.pic") + "]");
  form->DateiNeuClick();
  EXPECT_FALSE(form->isWindowModified());
  EXPECT_EQ(form->Caption(), "Tolmek - [NONAME.PIC]");
}

TEST_F(FirstUseTest, StandardKeysWhereTheMenuLeavesThemFreeAndTheHelpListsEveryKey) {
  Start();
  EXPECT_TRUE(form->Action("Wiederherstellen1")->shortcuts().contains(QKeySequence("Ctrl+Z")));
  EXPECT_EQ(form->Action("Wiederherstellen1")->shortcut(), QKeySequence("Alt+Backspace"));
  EXPECT_TRUE(form->Action("DateiNeu")->shortcuts().contains(QKeySequence(QKeySequence::New)));
  EXPECT_TRUE(form->Action("DateiSpeichern")->shortcuts().contains(QKeySequence(QKeySequence::Save)));
  EXPECT_TRUE(form->Action("DateiBeenden")->shortcuts().contains(QKeySequence("Ctrl+Q")));
  // Ctrl+O stays with the object order.
  EXPECT_EQ(form->Action("Objektreihenfolge1")->shortcut(), QKeySequence("Ctrl+O"));

  struct Page {
    const char* file;
    std::vector<std::pair<QString, QString>> words;  // key names as the page writes them
  };
  const Page pages[] = {
      {"tolmek_us.html", {}},
      {"tolmek_de.html", {{"Ctrl", "Strg"}, {"Del", "Entf"}, {"Backspace", QString::fromUtf8("Rücktaste")}}},
      {"tolmek_it.html", {{"Del", "Canc"}}},
  };
  for (const Page& page : pages) {
    QFile f(QString(TOLMEK_SOURCE_DIR) + "/docs/help/" + page.file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << page.file;
    const QString help = QString::fromUtf8(f.readAll());
    for (QAction* action : form->actions())
      for (const QKeySequence& key : action->shortcuts()) {
        QString text = key.toString(QKeySequence::PortableText);
        for (const auto& [from, to] : page.words) text.replace(from, to);
        EXPECT_TRUE(help.contains(text)) << page.file << " does not list " << text.toStdString();
      }
  }
}

TEST_F(FirstUseTest, TheLanguageDialogStartsWithTheLanguageOfTheSystem) {
  struct Case {
    QLocale::Language locale;
    int index;
    const char* title;
  };
  for (const Case c : {Case{QLocale::German, 1, "Sprache auswählen"}, Case{QLocale::Italian, 3, "Lingua ( scelta )"},
                       Case{QLocale::French, 2, "Choose language"}, Case{QLocale::English, 2, "Choose language"}}) {
    TDialogLang dialog(nullptr, QLocale(c.locale));
    EXPECT_EQ(dialog.LanguageIndex(), c.index) << c.title;
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8(c.title));
    EXPECT_TRUE(dialog.findChild<QRadioButton*>(QString("Item%1").arg(c.index))->isChecked()) << c.title;
  }
}

TEST_F(FirstUseTest, TheEnvironmentDialogSaysWhyItRefusesARefreshPeriod) {
  EnvironmentChoice current;
  TDialogDiverse dialog(current, &messages);
  dialog.findChild<QLineEdit*>("Edit1")->setText("abc");
  dialog.accept();
  EXPECT_NE(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(sink.Numbers(), std::vector<int>{12});
}

TEST_F(FirstUseTest, EveryBuiltKindsButtonShowsItsBodyInMiniature) {
  Start();
  for (const KindInfo& kind : AllKinds()) {
    if (!*kind.button) continue;
    QAction* button = form->findChild<QAction*>(kind.button);
    ASSERT_NE(button, nullptr) << kind.button;
    const QImage face = button->icon().pixmap(24, 24).toImage().convertToFormat(QImage::Format_ARGB32);
    int body = 0;  // pixels in the fill colour of a block's body
    for (int y = 0; y < face.height(); ++y)
      for (int x = 0; x < face.width(); ++x) body += face.pixelColor(x, y) == QColor(255, 255, 224);
    if (kind.Built() && kind.code != kind::Text && kind.code != kind::Gnd && kind.code != kind::Spl) {
      EXPECT_GT(body, 20) << kind.className;
    }
    if (!kind.Built()) {
      EXPECT_EQ(body, 0) << kind.className << " keeps its text glyph";
    }
  }
}

}  // namespace
}  // namespace tolmek::test
