// The texts of the main window per language: menu captions, tool-button hints, status-bar hints, filters.
#pragma once

#include <span>

#include "gui/captions.h"

namespace tolmek {

[[nodiscard]] std::span<const Caption> MainMenuCaptions();
[[nodiscard]] std::span<const Caption> MainToolHints();
// The hints of menu items (status line and tool tip).
[[nodiscard]] std::span<const Caption> MainMenuHints();
// The hints of the component buttons, taken from the kind list.
[[nodiscard]] std::span<const Caption> KindButtonHints();
[[nodiscard]] std::span<const Caption> MainStatusCaptions();  // panel texts ("Refresh")
[[nodiscard]] std::span<const Caption> MainStatusHints();
// Open and save filters of the project file dialogs, and other single texts ("OpenFilter", "SaveFilter").
[[nodiscard]] std::span<const Caption> MainTexts();

}  // namespace tolmek
