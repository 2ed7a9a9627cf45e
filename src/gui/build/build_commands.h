// BuildCommands: the build menu commands and the windows around them (errors, source, variables, editor),
// the external programs and the tools. The main window wires its menu items to the public functions.
#pragma once

#include <QObject>
#include <QPointer>
#include <QSize>
#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "codegen/build.h"
#include "codegen/build_tools.h"
#include "gui/build/tool_dialogs.h"
#include "settings/settings.h"

class QMdiArea;
class QMdiSubWindow;
class QMenu;

namespace tolmek {

class BuildSession;
class TEWindow;
class TEditorWindow;
class TQwindow;
class TVarWindow;

class BuildCommands final : public QObject {
  Q_OBJECT

 public:
  // `area` holds the result windows; `parent` owns the dialogs. `analysis` is the main window's.
  BuildCommands(QMdiArea& area, Project& project, Analysis& analysis, QWidget* parent);
  ~BuildCommands() override;

  // --- Settings (section "Tools"); the main window loads and stores them.
  BuildPrograms Programs;
  std::vector<ToolEntry> Tools;

  // --- Commands.
  // "&Quelltext speichern": asks for a name first while the source has none. False when nothing was saved.
  bool SaveSource();
  // "Q&uelltext speichern unter...".
  bool SaveSourceAs();
  // "&Build..." (F10): returns at once; the assembler runs while the window stays usable. Refused while a
  // build is running.
  void Build();
  // The MP-Assembler command: starts the assembler program on its own.
  void RunAssemblerProgram();
  // "&Quelltext" and "&Benutzte Variable" of the window menu.
  void ShowSourceWindow();
  void ShowVariableWindow();
  // "&Programme..." and "T&ools konfigurieren...".
  void ProgramsDialog();
  void ToolsDialog();
  // Runs tool `index` of the tools list with its parameters expanded.
  void RunTool(int index);
  // The include block's "Bearbeiten ...": the internal editor, or the external one when one is set.
  void EditFile(const std::string& file);
  // The internal editor, created when needed and brought to the front.
  TEditorWindow& OpenEditor();
  // A double click on a message of the error window.
  void OpenErrorLocation(const ErrorLocation& where);
  // After every edit, paste, cut, delete, undo, order change and settings change: the open result
  // windows follow the plan.
  void PlanChanged();
  // After New and Open: the error window and the editor close, the source and variable windows show the
  // new plan.
  void ProjectRenewed();
  // Puts the MP-Assembler entry and one entry per tool (F11 and F12 for the first two) after the fixed
  // entries of the tools menu.
  void FillToolsMenu(QMenu& menu);
  void SetLanguage(Language lang);

  // --- State, for the menu and tests.
  [[nodiscard]] bool Building() const;
  [[nodiscard]] const BuildResult& LastResult() const { return last_; }
  // What the status bar says after the last build: success with the ROM and RAM figures, or the number
  // of errors; empty when the assembler did not run.
  [[nodiscard]] QString ResultText() const;
  [[nodiscard]] TEWindow* ErrorWindow() const;
  [[nodiscard]] TQwindow* SourceWindow() const;
  [[nodiscard]] TVarWindow* VariableWindow() const;
  [[nodiscard]] TEditorWindow* Editor() const;
  [[nodiscard]] ProgramWriter& Writer() { return *writer_; }
  // The preview file while the source window is open.
  [[nodiscard]] QString PreviewPath() const;

  // --- Replaceable outside world (tests answer without a screen and without starting programs).
  // The save dialog of "save source as": the chosen path, or empty when cancelled.
  std::function<QString(const QString& suggested)> ChooseSourceFile;
  // Starts a program detached (tools, editor, assembler); false when it could not be started.
  std::function<bool(const QString& program, const QStringList& args, const QString& workDir)> StartProgram;
  // Runs the programs and tools dialogs; true when accepted.
  std::function<bool(QDialog& dialog)> RunDialog;

 signals:
  void BuildStarted();
  void BuildFinished();
  void ProgramsChanged();
  void ToolsChanged();
  // A result window opened or closed (the menu's enabling follows).
  void WindowsChanged();

 public:
  // --- The result windows, for the other commands that open one.
  // Adds a result window of `wanted` size (its widget's own size when invalid) inside the area.
  QMdiSubWindow* AddWindow(QWidget* widget, QSize wanted = {});
  void BringToFront(QWidget* widget);

 private:
  void PlaceInside(QMdiSubWindow& sub, QSize wanted) const;
  // The name the source is saved under, asking for one while it has none. False when cancelled.
  bool EnsureSourceName();
  // The save dialog with the project's name suggested; nothing when cancelled or refused.
  std::optional<std::string> AskSourceName();
  bool WriteSource(const std::string& path);
  void BuildEnded();
  void ShowErrorWindow(const BuildResult& result);
  void RefreshSourceWindow();
  // A file name as the assembler sees it: relative names are beside the source.
  [[nodiscard]] QString BesideSource(const std::string& file) const;
  [[nodiscard]] std::string SourceOrDerived() const;
  [[nodiscard]] QString Text(const char* key) const;

  QMdiArea& area_;
  Project& project_;
  Analysis& analysis_;
  QWidget* parent_;
  std::unique_ptr<ProgramWriter> writer_;
  QTemporaryDir previewDir_;
  Language lang_;
  BuildResult last_;
  bool unnamedBefore_ = false;  // the running build asked for the source's name
  QPointer<BuildSession> session_;
  QPointer<TEWindow> errors_;
  QPointer<TQwindow> source_;
  QPointer<TVarWindow> variables_;
  QPointer<TEditorWindow> editor_;
};

}  // namespace tolmek
