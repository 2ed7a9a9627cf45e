// The build from the window with gpasm, its result windows, the editor, the tools and the include dialog.
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextBlock>
#include <cstdlib>

#include "codegen/analysis.h"
#include "components/gatter.h"
#include "components/gnd.h"
#include "components/inc.h"
#include "gui/build/build_commands.h"
#include "gui/build/editor_window.h"
#include "gui/build/error_window.h"
#include "gui/build/inc_dialog.h"
#include "gui/build/source_window.h"
#include "gui/build/tool_dialogs.h"
#include "gui/build/variable_window.h"
#include "gui_support.h"
#include "settings/ini_file.h"

namespace tolmek::test {
namespace {

bool HaveGpasm() { return std::system("gpasm -v >/dev/null 2>&1") == 0; }

class BuildWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    App();
    ASSERT_TRUE(dir.isValid());
    area.resize(900, 700);
    area.show();
    project.ProjectFileName = Path("MYPROJ.PIC");
    commands = std::make_unique<BuildCommands>(area, project, analysis, &area);
    commands->Programs.Assembler = "gpasm";
    commands->ChooseSourceFile = [this](const QString& suggested) {
      suggestions << suggested;
      return answer.isNull() ? suggested : answer;
    };
    commands->StartProgram = [this](const QString& program, const QStringList& args, const QString& workDir) {
      started.push_back({program, args, workDir});
      return startSucceeds;
    };
  }
  void TearDown() override { commands.reset(); }

  [[nodiscard]] std::string Path(const QString& name) const { return dir.filePath(name).toStdString(); }
  // Builds and waits until the build is over.
  bool BuildAndWait() {
    QSignalSpy finished(commands.get(), &BuildCommands::BuildFinished);
    commands->Build();
    if (!commands->Building()) return finished.count() > 0;
    return finished.wait(30000);
  }
  template <class T>
  T& Add(uint8_t kindCode, int x = 100, int y = 100) {
    return static_cast<T&>(*project.CreateElement(kindCode, x, y));
  }
  // GND and VCC into a gate whose output drives `output`.
  void WiredGate(const char* output = "RB.0") {
    auto& gnd = Add<TObjGnd>(kind::Gnd, 100, 100);
    auto& vcc = Add<TObjGnd>(kind::Gnd, 100, 200);
    vcc.SetSupply(TObjGnd::kVcc, true);
    auto& gate = Add<TObjGatter>(kind::Gatter, 300, 120);
    TBauteil* a = project.CreateElement(kind::Knoten, 250, 110);
    Connect(*a, gnd.Pin());
    Connect(*a, gate.Input(0));
    TBauteil* b = project.CreateElement(kind::Knoten, 250, 210);
    Connect(*b, vcc.Pin());
    Connect(*b, gate.Input(1));
    TBauteil* out = project.CreateElement(kind::Knoten, 450, 140);
    Connect(*out, gate.Output());
    out->SetName(output);
    project.AutoSignalNames();
  }

  struct Started {
    QString program;
    QStringList args;
    QString workDir;
  };
  // The application exists before the first widget member.
  bool appReady = (App(), true);
  QTemporaryDir dir;
  RecordingSink sink;
  Messenger messages{&sink, Language::English};
  Project project{messages};
  Analysis analysis{project};
  QMdiArea area;
  std::unique_ptr<BuildCommands> commands;
  QStringList suggestions;
  QString answer;  // null: take the suggestion
  std::vector<Started> started;
  bool startSucceeds = true;
};

TEST_F(BuildWindowTest, ANewProjectIsBuiltUnderItsBaseNameWhileTheWindowStaysUsable) {
  if (!HaveGpasm()) GTEST_SKIP() << "gpasm is not installed";
  WiredGate();
  project.Info.MinorVersion = 0;
  project.Info.BuildNumber = 255;
  project.Saved = true;

  QSignalSpy finished(commands.get(), &BuildCommands::BuildFinished);
  commands->Build();
  ASSERT_EQ(suggestions, QStringList{QString::fromStdString(Path("MYPROJ.ASM"))}) << "asked once, for the base name";
  EXPECT_TRUE(commands->Building()) << "the assembler runs while the window goes on";
  commands->Build();
  EXPECT_EQ(suggestions.size(), 1) << "no second build meanwhile";
  ASSERT_TRUE(finished.wait(30000));
  EXPECT_EQ(finished.count(), 1);
  EXPECT_FALSE(commands->Building());

  const BuildResult& r = commands->LastResult();
  EXPECT_TRUE(r.Succeeded()) << r.ErrorText;
  EXPECT_EQ(project.SourceFileName, Path("MYPROJ.ASM"));
  for (const char* ext : {".ASM", ".PJT", ".WAT", ".ERR", ".LST"})
    EXPECT_TRUE(QFile::exists(QString::fromStdString(SiblingFile(Path("MYPROJ.ASM"), ext)))) << ext;
  EXPECT_EQ(QString::fromStdString(r.ErrorPath).toUpper(), QString::fromStdString(Path("MYPROJ.ERR")).toUpper());
  EXPECT_EQ(commands->ErrorWindow(), nullptr) << "an empty error file shows no window";
  EXPECT_EQ(project.Info.MinorVersion, 1) << "1.0.255 becomes 1.1.0";
  EXPECT_EQ(project.Info.BuildNumber, 0);
  EXPECT_FALSE(project.Saved);
  EXPECT_TRUE(sink.entries.empty());

  ASSERT_TRUE(BuildAndWait());
  EXPECT_EQ(suggestions.size(), 1) << "the source has its name now";
  EXPECT_EQ(project.Info.BuildNumber, 1);
}

TEST_F(BuildWindowTest, AnAssemblerErrorOpensTheErrorWindowAndADoubleClickTheEditorAtItsLine) {
  if (!HaveGpasm()) GTEST_SKIP() << "gpasm is not installed";
  Add<TObjInc>(kind::Inc).ApplySettings("MISSING.INC", TObjInc::MainStart, 0);
  ASSERT_TRUE(BuildAndWait());
  EXPECT_FALSE(commands->LastResult().Succeeded());
  TEWindow* errors = commands->ErrorWindow();
  ASSERT_NE(errors, nullptr);
  const QString text = errors->Memo().toPlainText();
  ASSERT_TRUE(text.contains("MISSING.INC")) << text.toStdString();

  // The line of the first message, as the assembler counts it.
  int messageLine = -1;
  for (int i = 0; i < errors->Memo().document()->blockCount() && messageLine < 0; ++i)
    if (errors->LocationOfLine(i)) messageLine = i;
  ASSERT_GE(messageLine, 0);
  const ErrorLocation where = *errors->LocationOfLine(messageLine);
  QPlainTextEdit& memo = errors->Memo();
  const QTextBlock block = memo.document()->findBlockByNumber(messageLine);
  const QRect r = memo.cursorRect(QTextCursor(block));
  QTest::mouseDClick(memo.viewport(), Qt::LeftButton, {}, r.center() + QPoint(20, 0));

  TEditorWindow* editor = commands->Editor();
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->FileName().toStdString(), where.File);
  EXPECT_EQ(editor->Text().textCursor().blockNumber(), where.Line - 1);
  EXPECT_TRUE(editor->Text().toPlainText().contains("INCLUDE MISSING.INC")) << "the generated source is loaded";

  // The next build closes the old error window first.
  ASSERT_TRUE(BuildAndWait());
  EXPECT_NE(commands->ErrorWindow(), nullptr);
  EXPECT_EQ(area.findChildren<TEWindow*>().size(), 1);
}

TEST_F(BuildWindowTest, ChipWarningsAreListedAndTheBuildGoesOn) {
  if (!HaveGpasm()) GTEST_SKIP() << "gpasm is not installed";
  WiredGate("RA.4");
  project.SourceFileName = Path("RA4.ASM");
  ASSERT_TRUE(BuildAndWait());
  const BuildResult& r = commands->LastResult();
  EXPECT_TRUE(r.Succeeded()) << r.ErrorText;
  EXPECT_TRUE(sink.entries.empty()) << "no message box for a warning";
  TEWindow* errors = commands->ErrorWindow();
  ASSERT_NE(errors, nullptr);
  const QString text = errors->Memo().toPlainText();
  EXPECT_TRUE(text.startsWith("warning 65: RA4 is open drain")) << text.toStdString();
  EXPECT_TRUE(text.contains("-> RA.4 - LG1")) << text.toStdString();
  EXPECT_FALSE(errors->LocationOfLine(0)) << "a warning line is no place in a file";
  EXPECT_TRUE(commands->ResultText().startsWith("Build succeeded"));
}

TEST_F(BuildWindowTest, AMissingAssemblerIsMessageTwoAndTheBuildEnds) {
  commands->Programs.Assembler = Path("no such assembler");
  ASSERT_TRUE(BuildAndWait());
  EXPECT_EQ(sink.Numbers(), std::vector<int>{2});
  EXPECT_FALSE(commands->Building());
  EXPECT_FALSE(commands->LastResult().AssemblerStarted);
  EXPECT_EQ(project.Info.BuildNumber, 0) << "no build took place";
}

TEST_F(BuildWindowTest, TheProjectFileIsNeverTheSource) {
  answer = QString::fromStdString(project.ProjectFileName);
  EXPECT_FALSE(commands->SaveSourceAs());
  EXPECT_EQ(sink.Numbers(), std::vector<int>{14});
  EXPECT_EQ(project.SourceFileName, kDefaultSourceName);

  project.ProjectFileName = Path("A.V1.PIC");
  answer = QString();
  ASSERT_TRUE(commands->SaveSourceAs());
  EXPECT_EQ(suggestions.back().toStdString(), Path("A.V1.ASM")) << "the whole base name";
  EXPECT_EQ(project.SourceFileName, Path("A.V1.ASM"));

  answer = QString::fromStdString(Path("OTHER"));
  ASSERT_TRUE(commands->SaveSourceAs());
  EXPECT_EQ(project.SourceFileName, Path("OTHER.asm"));
  EXPECT_TRUE(QFile::exists(QString::fromStdString(Path("OTHER.asm"))));
  EXPECT_TRUE(QFile::exists(QString::fromStdString(Path("OTHER.PJT"))));
  EXPECT_TRUE(QFile::exists(QString::fromStdString(Path("OTHER.WAT"))));
}

TEST_F(BuildWindowTest, UnsavedEditorTextIsSettledFirstAndCancelEndsTheBuild) {
  TEditorWindow& editor = commands->OpenEditor();
  editor.NewFile(QString::fromStdString(Path("NOTES.TXT")));
  project.SourceFileName = Path("MYPROJ.ASM");
  sink.answer = Answer::Cancel;
  commands->Build();
  EXPECT_FALSE(commands->Building());
  EXPECT_EQ(sink.Numbers(), std::vector<int>{35});
  ASSERT_EQ(sink.entries.size(), 1u);
  EXPECT_NE(sink.entries[0].text.find("NOTES.TXT"), std::string::npos);
  EXPECT_FALSE(QFile::exists(QString::fromStdString(Path("MYPROJ.ASM"))));

  sink.answer = Answer::Yes;
  editor.Text().insertPlainText("saved first");
  if (!HaveGpasm()) return;
  ASSERT_TRUE(BuildAndWait());
  QFile notes(QString::fromStdString(Path("NOTES.TXT")));
  ASSERT_TRUE(notes.open(QIODevice::ReadOnly));
  EXPECT_EQ(notes.readAll(), "saved first");
}

TEST_F(BuildWindowTest, ToolParametersAndProgramsWithBlanksArriveAsSingleArguments) {
  project.SourceFileName = Path("A.ASM");
  commands->Tools = {{"Mplab", "/opt/micro chip/mplab", "/opt/micro chip", "$PJT -x"},
                     {"Sim", "gpsim", "", "-s \"$COD\""}};
  commands->RunTool(0);
  commands->RunTool(1);
  ASSERT_EQ(started.size(), 2u);
  EXPECT_EQ(started[0].program, "/opt/micro chip/mplab");
  EXPECT_EQ(started[0].args, (QStringList{QString::fromStdString(Path("A.PJT")), "-x"}));
  EXPECT_EQ(started[0].workDir, "/opt/micro chip");
  EXPECT_EQ(started[1].args, (QStringList{"-s", QString::fromStdString(Path("A.COD"))}));

  startSucceeds = false;
  commands->RunTool(1);
  EXPECT_EQ(sink.Numbers(), std::vector<int>{13});
  EXPECT_NE(sink.entries[0].text.find("gpsim !"), std::string::npos);
  commands->RunAssemblerProgram();
  EXPECT_EQ(sink.Numbers(), (std::vector<int>{13, 2}));
}

TEST_F(BuildWindowTest, TheToolsMenuListsTheToolsWithF11AndF12) {
  QMenu menu;
  QAction* fixed = menu.addAction("T&ools konfigurieren...");
  commands->Tools = {{"One", "a", "", ""}, {"Two", "b", "", ""}, {"Three", "c", "", ""}};
  commands->FillToolsMenu(menu);
  commands->Tools.pop_back();
  commands->FillToolsMenu(menu);  // rebuilt, not appended
  QStringList titles;
  for (QAction* a : menu.actions())
    if (!a->isSeparator()) titles << a->text();
  EXPECT_EQ(titles, (QStringList{"T&ools konfigurieren...", "&MP-Assembler", "One", "Two"}));
  EXPECT_EQ(menu.findChild<QAction*>("Tool1")->shortcut(), QKeySequence(Qt::Key_F11));
  EXPECT_EQ(menu.findChild<QAction*>("Tool2")->shortcut(), QKeySequence(Qt::Key_F12));
  EXPECT_EQ(menu.actions().first(), fixed);
  menu.findChild<QAction*>("Tool2")->trigger();
  ASSERT_EQ(started.size(), 1u);
  EXPECT_EQ(started[0].program, "b");
}

TEST_F(BuildWindowTest, ToolsDialogsAddGuessAndKeepTheLimit) {
  TDialogTools dialog({}, Language::German, nullptr);
  dialog.RunToolDialog = [](TDialogTools2& d) {
    d.TakeProgram("/opt/micro chip/MPLAB.EXE");
    return true;
  };
  for (int i = 0; i < kMaxTools; ++i) dialog.AddClicked();
  ASSERT_EQ(dialog.Tools().size(), size_t(kMaxTools));
  EXPECT_EQ(dialog.Tools()[0], (ToolEntry{"Mplab", "/opt/micro chip/MPLAB.EXE", "/opt/micro chip", "$PJT"}));
  EXPECT_FALSE(dialog.AddButton->isEnabled());
  dialog.AddClicked();
  EXPECT_EQ(dialog.Tools().size(), size_t(kMaxTools));

  dialog.ListBox1->setCurrentRow(3);
  EXPECT_TRUE(dialog.DeleteButton->isEnabled());
  dialog.DeleteClicked();
  EXPECT_EQ(dialog.Tools().size(), size_t(kMaxTools - 1));
  EXPECT_TRUE(dialog.AddButton->isEnabled());

  dialog.RunToolDialog = [](TDialogTools2& d) {
    d.Edit2->clear();
    return true;
  };
  dialog.AddClicked();
  EXPECT_EQ(dialog.Tools().size(), size_t(kMaxTools - 1)) << "a tool without a program is not added";
}

TEST_F(BuildWindowTest, ProgramsDialogStoresAChoiceEvenWhenCancelled) {
  QSignalSpy changed(commands.get(), &BuildCommands::ProgramsChanged);
  commands->RunDialog = [](QDialog& d) {
    auto& progs = static_cast<TDialogProgs&>(d);
    progs.Choose = [](QWidget*, const QString&) { return QString("/usr/local/bin/my editor"); };
    progs.Button2->click();
    return false;
  };
  commands->ProgramsDialog();
  EXPECT_EQ(commands->Programs.Editor, "/usr/local/bin/my editor");
  EXPECT_EQ(commands->Programs.Assembler, "gpasm");
  EXPECT_EQ(changed.count(), 1);

  // With an external editor the include file goes to it, as one argument.
  commands->EditFile("MOTOR STEUERUNG.INC");
  ASSERT_EQ(started.size(), 1u);
  EXPECT_EQ(started[0].program, "/usr/local/bin/my editor");
  EXPECT_EQ(started[0].args, QStringList{QString::fromStdString(Path("MOTOR STEUERUNG.INC"))});
  startSucceeds = false;
  commands->EditFile("X.INC");
  EXPECT_EQ(sink.Numbers(), std::vector<int>{10});
}

TEST_F(BuildWindowTest, IncludeDialogRefusesALengthThatIsNoNumberAndEditsTheFile) {
  auto& inc = Add<TObjInc>(kind::Inc);
  TDialogInc d(messages, nullptr);
  d.Load(inc);
  EXPECT_EQ(d.IDatei->text(), "INCLUDE.INC");
  EXPECT_TRUE(d.RadioGroup1->button(0)->isChecked());
  d.Edit1->setText("1x");
  d.setResult(QDialog::Rejected);
  d.findChild<QPushButton*>("OKBtn")->click();
  EXPECT_EQ(d.result(), QDialog::Rejected) << "the dialog stays open";
  EXPECT_EQ(sink.Numbers(), std::vector<int>{12});

  d.Edit1->setText("42");
  d.IDatei->setText("NEW.INC");
  d.RadioGroup1->button(3)->setChecked(true);
  d.Button1->click();
  EXPECT_EQ(d.result(), QDialog::Accepted);
  d.Apply(inc);
  EXPECT_EQ(inc.IncludeFile, "NEW.INC");
  EXPECT_EQ(inc.IncludePosition, TObjInc::MainStart);
  EXPECT_EQ(inc.IncludeLength, 42);
  TEditorWindow* editor = commands->Editor();
  ASSERT_NE(editor, nullptr) << "Bearbeiten opens the internal editor";
  EXPECT_EQ(editor->FileName().toStdString(), Path("NEW.INC"));
  EXPECT_TRUE(editor->Modified()) << "a file that does not exist yet starts as changed";
}

TEST_F(BuildWindowTest, SourceWindowShowsNumberedLinesAndFollowsThePlan) {
  commands->ShowSourceWindow();
  TQwindow* source = commands->SourceWindow();
  ASSERT_NE(source, nullptr);
  const int before = source->Lines().size();
  ASSERT_GT(before, 10);
  EXPECT_TRUE(QFile::exists(commands->PreviewPath()));
  EXPECT_TRUE(source->Lines().join('\n').contains(QString(15, ' ') + "PROCESSOR 16F84"))
      << "the preview separates with 15 blanks";
  EXPECT_EQ(TQwindow::RowText(6, "ORG 0"), "    7 : ORG 0");

  Add<TObjGatter>(kind::Gatter);
  commands->PlanChanged();
  EXPECT_GT(source->Lines().size(), before);
  source->ScrollBar1().setValue(5);
  EXPECT_EQ(source->FirstShownLine(), 5);

  const QString preview = commands->PreviewPath();
  qobject_cast<QMdiSubWindow*>(source->parentWidget())->close();
  QApplication::processEvents();
  EXPECT_EQ(commands->SourceWindow(), nullptr);
  EXPECT_FALSE(QFile::exists(preview)) << "closing deletes the preview file";
}

TEST_F(BuildWindowTest, VariableWindowMarksTheBitsInUse) {
  auto& gate = Add<TObjGatter>(kind::Gatter);
  project.CreateElement(kind::Knoten, 300, 300);
  Connect(*project.Elements().back(), gate.Output());
  project.Elements().back()->SetName("FLAGS.3");
  commands->ShowVariableWindow();
  TVarWindow* vars = commands->VariableWindow();
  ASSERT_NE(vars, nullptr);
  EXPECT_TRUE(analysis.VariableWindowOpen);
  EXPECT_TRUE(vars->BitUsed("FLAGS", 3));
  EXPECT_FALSE(vars->BitUsed("FLAGS", 2));
  qobject_cast<QMdiSubWindow*>(vars->parentWidget())->close();
  QApplication::processEvents();
  EXPECT_FALSE(analysis.VariableWindowOpen);
}

TEST_F(BuildWindowTest, EditorKeepsItsKeysAndAsksBeforeClosingWithChanges) {
  TEditorWindow& editor = commands->OpenEditor();
  const QString file = QString::fromStdString(Path("T.ASM"));
  {
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("one\ntwo\nthree\n");
  }
  ASSERT_TRUE(editor.LoadFile(file));
  EXPECT_EQ(editor.windowTitle(), "Tolmek - Editor [" + file + "]");
  editor.GoToLine(3);
  EXPECT_EQ(editor.Text().textCursor().block().text(), "three");
  editor.Text().setFocus();
  QTest::keyClicks(&editor.Text(), "X");
  EXPECT_TRUE(editor.Modified());
  QTest::keyClick(&editor.Text(), Qt::Key_S, Qt::ControlModifier);
  EXPECT_FALSE(editor.Modified()) << "Ctrl+S reaches the editor's own menu";
  QFile f(file);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), "one\ntwo\nXthree\n");

  QTest::keyClicks(&editor.Text(), "Y");
  sink.answer = Answer::Cancel;
  auto* sub = qobject_cast<QMdiSubWindow*>(editor.parentWidget());
  EXPECT_FALSE(sub->close()) << "Cancel keeps the changed text open";
  EXPECT_EQ(sink.Numbers(), std::vector<int>{35});
  sink.answer = Answer::No;
  EXPECT_TRUE(sub->close());
}

}  // namespace
}  // namespace tolmek::test
