// The settings file in the per-user configuration folder, and its mapping onto the page windows' environment.
#include "gui/app/app_settings.h"

#include <QDir>
#include <QStandardPaths>

#include "gui/app/lang.h"

namespace tolmek {

namespace {

// The editor colours of the environment in the order of the settings keys.
constexpr Color Environment::*kColorFields[kEditorColorCount] = {
    &Environment::BackColor,           &Environment::GridColor,
    &Environment::LineColor,           &Environment::ObjectBorderColor,
    &Environment::ObjectSelectedBorderColor, &Environment::ObjectIdentifierColor,
    &Environment::ObjectAnschlussColor, &Environment::ObjectAnschlussTextColor,
    &Environment::ObjectInnerTextColor,
};

struct FlagPair {
  bool Settings::*setting;
  bool Environment::*env;
};
constexpr FlagPair kFlags[] = {
    {&Settings::Show3D, &Environment::Show3D},
    {&Settings::RightAngleWires, &Environment::RightAngleWires},
    {&Settings::SelectWithoutShift, &Environment::SelectWithoutShift},
    {&Settings::AutoArrange, &Environment::AutoArrange},
    {&Settings::ArrowWires, &Environment::ArrowWires},
    {&Settings::AutoSignals, &Environment::AutoSignals},
    {&Settings::CentreOnRightClick, &Environment::CentreOnRightClick},
    {&Settings::ShowNodes, &Environment::ShowNodes},
    {&Settings::ShowGrid, &Environment::ShowGrid},
};

}  // namespace

std::span<Color Environment::* const> EditorColorFields() { return kColorFields; }

std::filesystem::path AppSettingsFolder() {
  QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
  if (folder.isEmpty()) folder = QDir::homePath() + "/.config/Tolmek";
  QDir().mkpath(folder);
  return std::filesystem::path(folder.toStdString());
}

std::filesystem::path AppSettingsFile() { return SettingsFilePath(AppSettingsFolder()); }

IniFile LoadAppSettings() {
  IniFile ini;
  ini.Load(AppSettingsFile());
  return ini;
}

bool SaveAppSettings(const IniFile& ini) { return ini.Save(AppSettingsFile()); }

void ToEnvironment(const Settings& s, Environment& env) {
  for (size_t i = 0; i < s.Colors.size(); ++i) env.*kColorFields[i] = s.Colors[i];
  for (const FlagPair& f : kFlags) env.*f.env = s.*f.setting;
  env.ColorHigh = s.ColorHigh;
  env.ColorLow = s.ColorLow;
  env.Lang = LanguageFromIndex(s.Lang);
}

void FromEnvironment(const Environment& env, Settings& s) {
  for (size_t i = 0; i < s.Colors.size(); ++i) s.Colors[i] = env.*kColorFields[i];
  for (const FlagPair& f : kFlags) s.*f.setting = env.*f.env;
  s.ColorHigh = env.ColorHigh;
  s.ColorLow = env.ColorLow;
  s.Lang = LanguageIndex(env.Lang);
}

}  // namespace tolmek
