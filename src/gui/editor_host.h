// What a page window needs from the application around it: the project, the environment, the editor
// state shared by all page windows, and the steps that follow every edit.
#pragma once

#include <cstdint>

#include "gui/environment.h"
#include "model/element.h"
#include "model/project.h"

namespace tolmek {

// Editing state shared by every page window.
struct EditorState {
  uint8_t PlaceKind = 0;  // kind to place on the next left click; 0 = none (set by the tool buttons)
};

class EditorHost {
 public:
  virtual ~EditorHost() = default;
  [[nodiscard]] virtual Project& GetProject() = 0;
  [[nodiscard]] virtual Environment& Env() = 0;
  [[nodiscard]] virtual EditorState& State() = 0;
  [[nodiscard]] virtual ElementEditor& Editor() = 0;
  // Shows page 0..9, creating its window when needed.
  virtual void ShowPage(int page) = 0;
  // Leaves placing mode: PlaceKind 0 and every component tool button up.
  virtual void LeavePlacing() = 0;
  // After every completed edit: automatic signal names, renumbering, the analysis pass, the source
  // window, and a repaint of every page window.
  virtual void PlanEdited() = 0;
  // Repaints every open page window from the object list.
  virtual void RefreshAll() = 0;
  // A page window is going away.
  virtual void PageWindowClosed(int page) = 0;
};

}  // namespace tolmek
