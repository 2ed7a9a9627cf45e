// TMainWindow: the application window holding the page windows and the component tool bar.
#pragma once

#include <QActionGroup>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QToolBar>
#include <array>
#include <functional>

#include "codegen/analysis.h"
#include "gui/dialogs/dialog_editor.h"
#include "gui/editor_host.h"
#include "gui/work_window.h"

namespace tolmek {

class TMainWindow : public QMainWindow, public EditorHost, public RedrawListener {
  Q_OBJECT

 public:
  TMainWindow(Project& project, Environment& env, QWidget* parent = nullptr);
  ~TMainWindow() override;

  // EditorHost
  [[nodiscard]] Project& GetProject() override { return project_; }
  [[nodiscard]] Environment& Env() override { return env_; }
  [[nodiscard]] EditorState& State() override { return state_; }
  [[nodiscard]] ElementEditor& Editor() override { return *editor_; }
  void ShowPage(int page) override;
  void LeavePlacing() override;
  void PlanEdited() override;
  void RefreshAll() override;
  void PageWindowClosed(int page) override;

  // RedrawListener: an element's look changed (levels while simulating).
  void ElementChanged(TBauteil& element) override;

  // The window of page 0..9, or nullptr while it is closed.
  [[nodiscard]] TWorkWindow* PageWindow(int page) const;
  // The window of the current page, or nullptr.
  [[nodiscard]] TWorkWindow* CurrentPageWindow() const { return PageWindow(project_.CurrentPage); }
  [[nodiscard]] QMdiArea& Area() { return *area_; }
  // Sets the kind the next left click places (0: none) and the tool buttons to match.
  void SetPlaceKind(uint8_t kindCode);
  // Replaces the property dialogs (tests put a recorder here).
  void SetEditor(ElementEditor& editor) { editorOverride_ = &editor; editor_ = editorOverride_; }

  // The analysis pass run after every edit (RAM model, name registries, feature flags).
  [[nodiscard]] Analysis& GetAnalysis() { return analysis_; }
  // Steps after every edit and analysis that belong to other windows (the source window's refresh).
  std::vector<std::function<void()>> AfterEdit;

 protected:
  // A page window was just created in its sub-window; a fuller main window places it or watches it here.
  virtual void PageWindowCreated(QMdiSubWindow&) {}

 private:
  void BuildComponentBar();

  Project& project_;
  Environment& env_;
  EditorState state_;
  Analysis analysis_;
  DialogEditor dialogs_;
  ElementEditor* editorOverride_ = nullptr;
  ElementEditor* editor_;
  QMdiArea* area_;
  QToolBar* components_;
  QActionGroup* componentGroup_;
  std::array<QPointer<TWorkWindow>, kPageCount> windows_{};
};

}  // namespace tolmek
