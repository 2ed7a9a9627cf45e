// TMainWindow: the application window holding the page windows and the component tool bar.
#pragma once

#include <QActionGroup>
#include <QMainWindow>
#include <QMdiArea>
#include <QPointer>
#include <QToolBar>
#include <array>
#include <functional>

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

  // Steps after every edit that belong to other parts of the program (analysis pass, source window).
  std::vector<std::function<void()>> AfterEdit;

 private:
  void BuildComponentBar();

  Project& project_;
  Environment& env_;
  EditorState state_;
  DialogEditor dialogs_;
  ElementEditor* editorOverride_ = nullptr;
  ElementEditor* editor_;
  QMdiArea* area_;
  QToolBar* components_;
  QActionGroup* componentGroup_;
  std::array<QPointer<TWorkWindow>, kPageCount> windows_{};
};

}  // namespace tolmek
