// The program's start: the language (asked at the first start), the main window, the project to reopen.
#pragma once

#include <QStringList>
#include <functional>
#include <string>
#include <vector>

#include "settings/ini_file.h"

namespace tolmek {

// The language stored in the settings, or the one `ask` returns when none was chosen yet; an asked
// language is written back at once. Returns 1..3.
int EnsureLanguage(IniFile& ini, const std::function<int()>& ask);

// The command-line arguments after the program name, each made absolute against the working folder as
// it is at the start, before anything changes it.
[[nodiscard]] QStringList AbsoluteArguments(const std::vector<std::string>& args);

// Runs the window program until its main window closes; returns the exit code. Needs the application.
int RunMainForm(const std::vector<std::string>& args);

}  // namespace tolmek
