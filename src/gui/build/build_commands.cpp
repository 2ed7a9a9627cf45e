// BuildCommands: saving the source, the build with its windows, the programs and the tools.
#include "gui/build/build_commands.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QProcess>
#include <QStatusBar>
#include <algorithm>
#include <filesystem>

#include "gui/build/build_session.h"
#include "gui/build/editor_window.h"
#include "gui/build/error_window.h"
#include "gui/build/inc_dialog.h"
#include "gui/build/source_window.h"
#include "gui/build/variable_window.h"
#include "gui/captions.h"
#include "model/project.h"

namespace tolmek {

namespace {

constexpr Caption kTexts[] = {
    {"Running", "Build läuft ...", "Build running ...", "Build in corso ..."},
    {"SourceFilter", "Assembler (*.asm);;Alle Dateien (*)", "Assembler (*.asm);;All files (*)",
     "Assembler (*.asm);;Tutti i file (*)"},
    {"MpAssembler", "&MP-Assembler", "&MP-Assembler", "&MP-Assembler"},
    {"TQwindow", "Quell-Text", "Source", "Sorgente ASM"},
    {"TVarWindow", "Variable", "Variable", "Variabile"},
    {"TVarWindowHint", "Benutzte Variable", "Used variables", "Elenco variabili"},
    {"Succeeded", "Build erfolgreich: ROM %1 von %2 Worten, RAM %3 von %4 Bytes",
     "Build succeeded: ROM %1 of %2 words, RAM %3 of %4 bytes", "Build riuscito: ROM %1 di %2 parole, RAM %3 di %4 byte"},
    {"Failed", "Build fehlgeschlagen: %1 Fehler, %2 Warnungen", "Build failed: %1 errors, %2 warnings",
     "Build fallito: %1 errori, %2 avvertimenti"},
};

constexpr const char* kToolItem = "tolmekToolItem";

// Shows the hourglass for the length of a synchronous step (generating the program).
class WaitCursor {
 public:
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

bool StartDetachedProgram(const QString& program, const QStringList& args, const QString& workDir) {
  return QProcess::startDetached(program, args, workDir);
}

}  // namespace

BuildCommands::BuildCommands(QMdiArea& area, Project& project, Analysis& analysis, QWidget* parent)
    : QObject(parent),
      area_(area),
      project_(project),
      analysis_(analysis),
      parent_(parent),
      writer_(std::make_unique<ProgramWriter>(project, analysis)),
      lang_(project.Messages.CurrentLanguage()) {
  Programs.Assembler = kDefaultAssembler;
  StartProgram = &StartDetachedProgram;
  RunDialog = [](QDialog& d) { return d.exec() == QDialog::Accepted; };
  writer_->ProcessEvents = [] { QApplication::processEvents(QEventLoop::ExcludeUserInputEvents); };
  TDialogInc::EditFile() = [this](const std::string& file) { EditFile(file); };
}

BuildCommands::~BuildCommands() {
  TDialogInc::EditFile() = nullptr;
  delete session_;
  if (!PreviewPath().isEmpty()) QFile::remove(PreviewPath());
}

QString BuildCommands::Text(const char* key) const {
  const QString k = QString::fromUtf8(key);
  for (const Caption& row : kTexts)
    if (k == QString::fromUtf8(row.control)) return CaptionText(row, lang_);
  return {};
}

QString BuildCommands::PreviewPath() const {
  if (!previewDir_.isValid()) return {};
  return QDir(previewDir_.path()).filePath(kPreviewSourceName);
}

TEWindow* BuildCommands::ErrorWindow() const { return errors_; }
TQwindow* BuildCommands::SourceWindow() const { return source_; }
TVarWindow* BuildCommands::VariableWindow() const { return variables_; }
TEditorWindow* BuildCommands::Editor() const { return editor_; }

bool BuildCommands::Building() const { return session_ && session_->Running(); }

QMdiSubWindow* BuildCommands::AddWindow(QWidget* widget, QSize wanted) {
  if (!wanted.isValid()) wanted = widget->size();
  QMdiSubWindow* sub = area_.addSubWindow(widget);
  sub->setAttribute(Qt::WA_DeleteOnClose);
  sub->setWindowTitle(widget->windowTitle());
  connect(widget, &QObject::destroyed, this, [this] { emit WindowsChanged(); });
  sub->show();
  PlaceInside(*sub, wanted);
  emit WindowsChanged();
  return sub;
}

// A result window gets its own size, cut to the area, and lies wholly inside it: beside a maximised page
// window the area would otherwise give it no more than a title bar, or push it past the edge.
void BuildCommands::PlaceInside(QMdiSubWindow& sub, QSize wanted) const {
  const QSize room = area_.viewport()->size();
  const QSize frame = sub.size() - (sub.widget() ? sub.widget()->size() : QSize());
  QSize size = (wanted + frame.expandedTo(QSize(0, 0))).boundedTo(room);
  size = size.expandedTo(QSize(std::min(200, room.width()), std::min(150, room.height())));
  QPoint at = sub.pos();
  at.setX(std::clamp(at.x(), 0, std::max(0, room.width() - size.width())));
  at.setY(std::clamp(at.y(), 0, std::max(0, room.height() - size.height())));
  if (sub.isMaximized() || sub.isMinimized()) sub.showNormal();
  sub.setGeometry(QRect(at, size));
}

void BuildCommands::BringToFront(QWidget* widget) {
  if (auto* sub = qobject_cast<QMdiSubWindow*>(widget->parentWidget())) {
    sub->showNormal();
    area_.setActiveSubWindow(sub);
  }
}

std::string BuildCommands::SourceOrDerived() const {
  return project_.SourceFileName == kDefaultSourceName ? DefaultSourcePath(project_.ProjectFileName)
                                                       : project_.SourceFileName;
}

QString BuildCommands::BesideSource(const std::string& file) const {
  const QString f = QString::fromStdString(file);
  if (QFileInfo(f).isAbsolute()) return f;
  return QFileInfo(QString::fromStdString(SourceOrDerived())).absoluteDir().filePath(f);
}

// --- Saving the source.

bool BuildCommands::WriteSource(const std::string& path) {
  GenerationResult r;
  {
    WaitCursor wait;
    r = tolmek::SaveSource(*writer_, path);
  }
  // A source that could not be written must not look saved.
  if (!r.FileWritten) project_.Messages.ShowMessage(Msg::CannotSave, MessageMode::Error, path);
  RefreshSourceWindow();
  return r.FileWritten;
}

bool BuildCommands::SaveSource() {
  if (project_.SourceFileName == kDefaultSourceName) return SaveSourceAs();
  return WriteSource(project_.SourceFileName);
}

std::optional<std::string> BuildCommands::AskSourceName() {
  const QString suggested = QString::fromStdString(SourceOrDerived());
  const QString chosen =
      ChooseSourceFile ? ChooseSourceFile(suggested)
                       : QFileDialog::getSaveFileName(parent_, QString(), suggested, Text("SourceFilter"));
  if (chosen.isEmpty()) return std::nullopt;
  auto name = ChosenSourceName(chosen.toStdString(), project_.ProjectFileName);
  // The project file is never overwritten by its own source.
  if (!name) project_.Messages.ShowMessage(Msg::InvalidName, MessageMode::Error, chosen.toStdString());
  return name;
}

bool BuildCommands::SaveSourceAs() {
  const auto name = AskSourceName();
  if (!name) return false;
  const std::string previous = project_.SourceFileName;
  project_.SourceFileName = *name;
  if (WriteSource(*name)) return true;
  // Like a failed "save as" of the plan: the source keeps the name it had, so the next try asks again.
  project_.SourceFileName = previous;
  return false;
}

bool BuildCommands::EnsureSourceName() {
  unnamedBefore_ = project_.SourceFileName == kDefaultSourceName;
  if (!unnamedBefore_) return true;
  const auto name = AskSourceName();
  if (!name) return false;
  project_.SourceFileName = *name;
  return true;
}

// --- Build.

void BuildCommands::Build() {
  if (Building()) return;
  if (errors_) {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(errors_->parentWidget())) sub->close();
    QApplication::processEvents();
  }
  if (!EnsureSourceName()) return;
  if (editor_ && !editor_->SettleUnsaved()) return;

  delete session_;
  session_ = new BuildSession(*writer_, Programs.Assembler, project_.SourceFileName, this);
  connect(session_, &BuildSession::Finished, this, &BuildCommands::BuildEnded, Qt::QueuedConnection);
  QApplication::setOverrideCursor(Qt::BusyCursor);
  if (auto* main = qobject_cast<QMainWindow*>(parent_)) main->statusBar()->showMessage(Text("Running"));
  emit BuildStarted();
  session_->Start();
}

void BuildCommands::BuildEnded() {
  last_ = session_->Result();
  // A name chosen for this build that could not be written is not kept.
  if (!last_.SourceWritten && unnamedBefore_) project_.SourceFileName = kDefaultSourceName;
  QApplication::restoreOverrideCursor();
  // The outcome stays in the status bar until the plan changes or the next build starts.
  if (auto* main = qobject_cast<QMainWindow*>(parent_)) {
    const QString outcome = ResultText();
    if (outcome.isEmpty())
      main->statusBar()->clearMessage();
    else
      main->statusBar()->showMessage(outcome);
  }
  RefreshSourceWindow();
  if (variables_) variables_->Refresh();
  ShowErrorWindow(last_);
  emit BuildFinished();
}

QString BuildCommands::ResultText() const {
  if (!last_.AssemblerStarted) return {};
  if (last_.Succeeded())
    return Text("Succeeded").arg(last_.RomUsed).arg(last_.RomSize).arg(last_.RamUsed).arg(last_.RamSize);
  return Text("Failed").arg(std::max(last_.ErrorCount, 1)).arg(last_.WarningCount);
}

void BuildCommands::ShowErrorWindow(const BuildResult& result) {
  if (result.ErrorText.empty() && result.Warnings.empty()) return;
  if (!errors_) {
    errors_ = new TEWindow;
    errors_->OpenLocation = [this](const ErrorLocation& where) { OpenErrorLocation(where); };
    AddWindow(errors_);
  }
  // The chip's warnings head the list, one line each, above what the assembler said.
  std::string text;
  for (const ChipWarning& w : result.Warnings) text += WarningLine(w) + "\n";
  text += result.ErrorText;
  errors_->ShowErrors(QString::fromStdString(result.ErrorPath), QString::fromStdString(text));
  if (auto* sub = qobject_cast<QMdiSubWindow*>(errors_->parentWidget())) sub->setWindowTitle(errors_->windowTitle());
  BringToFront(errors_);
}

void BuildCommands::RunAssemblerProgram() {
  if (!StartProgram(QString::fromStdString(Programs.Assembler), {}, {})) project_.Messages.ShowMessage(Msg::AssemblerNotFound);
}

// --- The editor.

TEditorWindow& BuildCommands::OpenEditor() {
  if (!editor_) {
    editor_ = new TEditorWindow(project_.Messages);
    editor_->BuildRequested = [this] { Build(); };
    AddWindow(editor_, QSize(640, 480));
  }
  BringToFront(editor_);
  return *editor_;
}

void BuildCommands::OpenErrorLocation(const ErrorLocation& where) {
  TEditorWindow& editor = OpenEditor();
  if (!editor.SettleUnsaved()) return;
  editor.LoadFile(BesideSource(where.File));
  editor.GoToLine(where.Line);
}

void BuildCommands::EditFile(const std::string& file) {
  const QString path = BesideSource(file);
  if (!Programs.Editor.empty()) {
    if (!StartProgram(QString::fromStdString(Programs.Editor), {path}, QFileInfo(path).absolutePath()))
      project_.Messages.ShowMessage(Msg::EditorNotFound);
    return;
  }
  TEditorWindow& editor = OpenEditor();
  if (!editor.SettleUnsaved()) return;
  if (QFileInfo::exists(path))
    editor.LoadFile(path);
  else
    editor.NewFile(path);
}

// --- Source and variable windows.

void BuildCommands::ShowSourceWindow() {
  if (source_) {
    BringToFront(source_);
    return;
  }
  source_ = new TQwindow;
  source_->setWindowTitle(Text("TQwindow"));
  connect(source_, &TQwindow::Closed, this, [this] {
    if (!PreviewPath().isEmpty()) QFile::remove(PreviewPath());
  });
  AddWindow(source_);
  RefreshSourceWindow();
}

void BuildCommands::RefreshSourceWindow() {
  if (!source_ || PreviewPath().isEmpty()) return;
  {
    WaitCursor wait;
    (void)writer_->GeneratePreview(previewDir_.path().toStdString());
  }
  source_->LoadPreview(PreviewPath());
}

void BuildCommands::ShowVariableWindow() {
  if (variables_) {
    BringToFront(variables_);
    return;
  }
  variables_ = new TVarWindow(analysis_);
  variables_->setWindowTitle(Text("TVarWindow"));
  variables_->setToolTip(Text("TVarWindowHint"));
  AddWindow(variables_);
}

void BuildCommands::ProjectRenewed() {
  // The errors and the file in the editor belong to the plan that was closed; the editor asks about
  // unsaved text itself and stays open when the user cancels.
  for (QWidget* w : {static_cast<QWidget*>(errors_), static_cast<QWidget*>(editor_)})
    if (w)
      if (auto* sub = qobject_cast<QMdiSubWindow*>(w->parentWidget())) sub->close();
  PlanChanged();
}

void BuildCommands::PlanChanged() {
  // The outcome of the last build no longer describes the plan.
  if (auto* main = qobject_cast<QMainWindow*>(parent_); main && !Building()) main->statusBar()->clearMessage();
  RefreshSourceWindow();
  if (variables_) variables_->Refresh();
}

// --- Programs and tools.

void BuildCommands::ProgramsDialog() {
  BuildPrograms edited = Programs;
  TDialogProgs dialog(edited, lang_, parent_);
  const bool accepted = RunDialog(dialog);
  // "Suchen..." stores its choice even when the dialog is cancelled afterwards.
  if (accepted || edited.Assembler != Programs.Assembler || edited.Editor != Programs.Editor) {
    Programs = edited;
    emit ProgramsChanged();
  }
}

void BuildCommands::ToolsDialog() {
  TDialogTools dialog(Tools, lang_, parent_);
  if (!RunDialog(dialog)) return;
  Tools = dialog.Tools();
  emit ToolsChanged();
}

void BuildCommands::RunTool(int index) {
  if (index < 0 || index >= int(Tools.size())) return;
  const ToolEntry& tool = Tools[size_t(index)];
  QStringList args;
  for (const std::string& a : ExpandToolParameters(tool.Param, project_.SourceFileName, project_.ProjectFileName))
    args << QString::fromStdString(a);
  if (!StartProgram(QString::fromStdString(tool.Program), args, QString::fromStdString(tool.WorkDir)))
    project_.Messages.ShowMessage(Msg::Executing, MessageMode::Error, tool.Program, "!");
}

void BuildCommands::FillToolsMenu(QMenu& menu) {
  for (QAction* a : menu.actions())
    if (a->property(kToolItem).toBool()) {
      menu.removeAction(a);
      a->deleteLater();
    }
  auto add = [&](QAction* a) {
    a->setProperty(kToolItem, true);
    menu.addAction(a);
  };
  auto* assembler = new QAction(Text("MpAssembler"), &menu);
  assembler->setObjectName("MpAssembler");
  connect(assembler, &QAction::triggered, this, [this] { RunAssemblerProgram(); });
  add(assembler);
  if (!Tools.empty()) {
    auto* separator = new QAction(&menu);
    separator->setSeparator(true);
    add(separator);
  }
  for (size_t i = 0; i < Tools.size(); ++i) {
    auto* a = new QAction(QString::fromStdString(Tools[i].Title), &menu);
    a->setObjectName(QString("Tool%1").arg(i + 1));
    if (i == 0) a->setShortcut(Qt::Key_F11);
    if (i == 1) a->setShortcut(Qt::Key_F12);
    connect(a, &QAction::triggered, this, [this, i] { RunTool(int(i)); });
    add(a);
  }
}

void BuildCommands::SetLanguage(Language lang) {
  lang_ = lang;
  if (source_) {
    source_->setWindowTitle(Text("TQwindow"));
    if (auto* sub = qobject_cast<QMdiSubWindow*>(source_->parentWidget())) sub->setWindowTitle(Text("TQwindow"));
  }
  if (variables_) {
    variables_->setWindowTitle(Text("TVarWindow"));
    if (auto* sub = qobject_cast<QMdiSubWindow*>(variables_->parentWidget())) sub->setWindowTitle(Text("TVarWindow"));
  }
  if (editor_) editor_->SetLanguageCaptions(lang);
}

}  // namespace tolmek
