// The settings file's sections, keys and defaults, and the clamping of what is read from it.
#include "settings/settings.h"

#include <algorithm>
#include <cstdlib>

namespace tolmek {

namespace {

constexpr ColorKey kColorKeys[kEditorColorCount] = {
    {"BackColor", 0},
    {"GridColor", 12632256},
    {"LineColor", 65535},
    {"ObjectBorderColor", 16777215},
    {"ObjectSelectedBorderColor", 255},
    {"ObjectIdentifierColor", 255},
    {"ObjectAnschlussColor", 16777215},
    {"ObjectAnschlussTextColor", 65280},
    {"ObjectInnerTextColor", 16776960},
};

constexpr FlagKey kFlagKeys[] = {
    {"3D", &Settings::Show3D, false},
    {"VWinkel", &Settings::RightAngleWires, true},
    {"Shift", &Settings::SelectWithoutShift, false},
    {"AutoFenster", &Settings::AutoArrange, true},
    {"Verbindungen", &Settings::ArrowWires, true},
    {"Signale", &Settings::AutoSignals, true},
    {"RechteMaus", &Settings::CentreOnRightClick, true},
    {"Nodes", &Settings::ShowNodes, true},
    {"Grid", &Settings::ShowGrid, true},
    {"Optimize", &Settings::Optimise, true},
};

constexpr uint32_t kColorHighDefault = 255;
constexpr uint32_t kColorLowDefault = 16711680;

Color ReadColor(const IniFile& ini, const char* section, const char* key, uint32_t fallback) {
  const long long v = ini.ReadInt(section, key, fallback);
  // Colour integers hold three bytes; anything else is not a colour this program wrote.
  if (v < 0 || v > 0xFFFFFF) return Color::FromStored(fallback);
  return Color::FromStored(static_cast<uint32_t>(v));
}

std::string Indexed(const char* stem, int n) { return stem + std::to_string(n); }
std::string WindowKey(int n, const char* what) { return "Window" + std::to_string(n) + what; }

}  // namespace

std::array<Color, kEditorColorCount> Settings::DefaultColors() {
  std::array<Color, kEditorColorCount> colors{};
  for (size_t i = 0; i < colors.size(); ++i) colors[i] = Color::FromStored(kColorKeys[i].stored);
  return colors;
}

std::span<const ColorKey> ColorKeys() { return kColorKeys; }
std::span<const FlagKey> FlagKeys() { return kFlagKeys; }

int ClampSimRate(long long ms) { return static_cast<int>(std::clamp<long long>(ms, kMinSimRate, kMaxSimRate)); }

int ReadEntryLanguage(const IniFile& ini) {
  const long long lang = ini.ReadInt(ini::Language, ini::Lang, 0);
  if (lang == 0) return 0;
  return static_cast<int>(std::clamp<long long>(lang, 1, 3));
}

void WriteLanguage(IniFile& ini, int lang) { ini.WriteInt(ini::Language, ini::Lang, lang); }

Settings ReadSettings(const IniFile& ini) {
  Settings s;
  const long long lang = ini.ReadInt(ini::Language, ini::Lang, 2);
  s.Lang = lang == 0 ? 2 : static_cast<int>(std::clamp<long long>(lang, 1, 3));
  for (size_t i = 0; i < s.Colors.size(); ++i)
    s.Colors[i] = ReadColor(ini, ini::Colors, kColorKeys[i].key, kColorKeys[i].stored);
  for (const FlagKey& f : kFlagKeys) s.*f.field = ini.ReadBool(ini::Umgebung, f.key, f.byDefault);

  s.Assembler = ini.ReadString(ini::Tools, "Assembler", "gpasm");
  s.Editor = ini.ReadString(ini::Tools, "Editor", "");
  const int count = static_cast<int>(std::clamp<long long>(ini.ReadInt(ini::Tools, "count", 0), 0, kMaxTools));
  for (int n = 0; n < count; ++n) {
    ToolEntry t{ini.ReadString(ini::Tools, Indexed("Titel", n)), ini.ReadString(ini::Tools, Indexed("Program", n)),
                ini.ReadString(ini::Tools, Indexed("WorkDir", n)), ini.ReadString(ini::Tools, Indexed("Param", n))};
    if (!t.Program.empty()) s.Tools.push_back(std::move(t));
  }

  s.LastFile = ini.ReadString(ini::Recent, "LastFile", "");
  s.SimRate = ClampSimRate(ini.ReadInt(ini::Simulator, "SimRate", 100));
  s.ColorHigh = ReadColor(ini, ini::Simulator, "ColorHigh", kColorHighDefault);
  s.ColorLow = ReadColor(ini, ini::Simulator, "ColorLow", kColorLowDefault);

  for (int n = 0; n < kWindowSlots; ++n) {
    WindowPlace& w = s.Windows[static_cast<size_t>(n)];
    w.Open = ini.ReadBool(ini::Windows, Indexed("WindowOpen", n), false);
    w.X = static_cast<int>(std::clamp<long long>(ini.ReadInt(ini::Windows, WindowKey(n, "X"), 0), -100000, 100000));
    w.Y = static_cast<int>(std::clamp<long long>(ini.ReadInt(ini::Windows, WindowKey(n, "Y"), 0), -100000, 100000));
    w.W = static_cast<int>(std::clamp<long long>(ini.ReadInt(ini::Windows, WindowKey(n, "W"), 200), 1, 100000));
    w.H = static_cast<int>(std::clamp<long long>(ini.ReadInt(ini::Windows, WindowKey(n, "H"), 200), 1, 100000));
  }
  return s;
}

void WriteSettings(IniFile& ini, const Settings& s) {
  WriteLanguage(ini, s.Lang);
  for (size_t i = 0; i < s.Colors.size(); ++i) ini.WriteInt(ini::Colors, kColorKeys[i].key, s.Colors[i].Stored());
  for (const FlagKey& f : kFlagKeys) ini.WriteBool(ini::Umgebung, f.key, s.*f.field);
  ini.WriteInt(ini::Simulator, "SimRate", ClampSimRate(s.SimRate));
  ini.WriteInt(ini::Simulator, "ColorHigh", s.ColorHigh.Stored());
  ini.WriteInt(ini::Simulator, "ColorLow", s.ColorLow.Stored());
  ini.WriteString(ini::Tools, "Assembler", s.Assembler);
  ini.WriteString(ini::Tools, "Editor", s.Editor);
  ini.WriteString(ini::Recent, "LastFile", s.LastFile);
}

void WriteTools(IniFile& ini, std::span<const ToolEntry> tools) {
  const int count = static_cast<int>(std::min<size_t>(tools.size(), kMaxTools));
  // Entries past the new count would otherwise linger in the file.
  for (int n = count; n < kMaxTools; ++n)
    for (const char* stem : {"Titel", "Program", "WorkDir", "Param"}) ini.EraseKey(ini::Tools, Indexed(stem, n));
  ini.WriteInt(ini::Tools, "count", count);
  for (int n = 0; n < count; ++n) {
    const ToolEntry& t = tools[static_cast<size_t>(n)];
    ini.WriteString(ini::Tools, Indexed("Titel", n), t.Title);
    ini.WriteString(ini::Tools, Indexed("Program", n), t.Program);
    ini.WriteString(ini::Tools, Indexed("WorkDir", n), t.WorkDir);
    ini.WriteString(ini::Tools, Indexed("Param", n), t.Param);
  }
}

void WriteWindowPlaces(IniFile& ini, std::span<const WindowPlace, kWindowSlots> places) {
  for (int n = 0; n < kWindowSlots; ++n) {
    const WindowPlace& w = places[static_cast<size_t>(n)];
    ini.WriteBool(ini::Windows, Indexed("WindowOpen", n), w.Open);
    ini.WriteInt(ini::Windows, WindowKey(n, "X"), w.X);
    ini.WriteInt(ini::Windows, WindowKey(n, "Y"), w.Y);
    ini.WriteInt(ini::Windows, WindowKey(n, "W"), w.W);
    ini.WriteInt(ini::Windows, WindowKey(n, "H"), w.H);
  }
}

std::filesystem::path StandardSettingsFolder() {
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg) return std::filesystem::path(xdg) / "Tolmek";
  if (const char* home = std::getenv("HOME"); home && *home)
    return std::filesystem::path(home) / ".config" / "Tolmek";
  return std::filesystem::current_path() / ".tolmek";
}

std::filesystem::path SettingsFilePath(const std::filesystem::path& folder) {
  return FindFileNoCase(folder, kSettingsFileName);
}

}  // namespace tolmek
