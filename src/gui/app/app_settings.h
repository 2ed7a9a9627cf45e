// Where the settings file lives for the window program, and the settings as the page windows see them.
#pragma once

#include <QString>
#include <filesystem>
#include <span>

#include "gui/environment.h"
#include "settings/settings.h"

namespace tolmek {

// The per-user configuration folder of the application (created when missing).
[[nodiscard]] std::filesystem::path AppSettingsFolder();
// "quandel.ini" in that folder, whatever the case of its name.
[[nodiscard]] std::filesystem::path AppSettingsFile();
// The whole settings file; empty when there is none yet.
[[nodiscard]] IniFile LoadAppSettings();
// Writes the settings file back; false when it could not be written.
bool SaveAppSettings(const IniFile& ini);

// Copies colours, display and editing switches and the language between the settings and the page
// windows' environment.
// The nine editor colours of the environment in the order of the settings keys (and of EditorColor).
[[nodiscard]] std::span<Color Environment::* const> EditorColorFields();

void ToEnvironment(const Settings& s, Environment& env);
void FromEnvironment(const Environment& env, Settings& s);

}  // namespace tolmek
