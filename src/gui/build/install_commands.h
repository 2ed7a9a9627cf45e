// Puts the build, tools, result-window and editing commands into the main window's menus.
#pragma once

#include <filesystem>

namespace tolmek {

class BuildCommands;
class ClipboardCommands;
class VerifyCommands;
class TMainForm;

struct InstalledCommands {
  BuildCommands* Build = nullptr;     // owned by the form
  ClipboardCommands* Edit = nullptr;  // owned by the form
  VerifyCommands* Verify = nullptr;   // owned by the form
};

// Creates the commands for `form`, wires their menu items, fills the tools menu and keeps the settings
// of section "Tools" up to date. The clipboard and undo files live in `folder`.
InstalledCommands InstallCommands(TMainForm& form, const std::filesystem::path& folder);

}  // namespace tolmek
