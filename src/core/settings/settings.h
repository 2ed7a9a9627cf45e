// The user's environment as kept in "quandel.ini": every section, key and default, read with clamping.
#pragma once

#include <array>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "model/canvas.h"
#include "settings/ini_file.h"

namespace tolmek {

inline constexpr const char* kSettingsFileName = "quandel.ini";
inline constexpr int kMaxTools = 10;
inline constexpr int kWindowSlots = 10;
inline constexpr int kMinSimRate = 1;
inline constexpr int kMaxSimRate = 65535;

// One external program of the Tools menu.
struct ToolEntry {
  std::string Title, Program, WorkDir, Param;
  friend bool operator==(const ToolEntry&, const ToolEntry&) = default;
};

// Where a page window was and whether it was open at the last exit.
struct WindowPlace {
  bool Open = false;
  int X = 0, Y = 0, W = 200, H = 200;
  friend bool operator==(const WindowPlace&, const WindowPlace&) = default;
};

// The nine editor colours in the order of the colour dialog.
enum class EditorColor {
  Back, Grid, Line, ObjectBorder, ObjectSelectedBorder, ObjectIdentifier, ObjectAnschluss, ObjectAnschlussText,
  ObjectInnerText
};
inline constexpr int kEditorColorCount = 9;

struct Settings {
  // Language/Lang: 1 German, 2 English, 3 Italian; 0 only before the first choice.
  int Lang = 0;
  // Colors.
  std::array<Color, kEditorColorCount> Colors = DefaultColors();
  // Umgebung.
  bool Show3D = false;              // "3D"
  bool RightAngleWires = true;      // "VWinkel"
  bool SelectWithoutShift = false;  // "Shift"
  bool AutoArrange = true;          // "AutoFenster"
  bool ArrowWires = true;           // "Verbindungen"
  bool AutoSignals = true;          // "Signale"
  bool CentreOnRightClick = true;   // "RechteMaus"
  bool ShowNodes = true;            // "Nodes"
  bool ShowGrid = true;             // "Grid"
  bool Optimise = true;             // "Optimize"
  // Tools.
  std::string Assembler = "gpasm";  // gputils, found on PATH
  std::string Editor;
  std::vector<ToolEntry> Tools;  // at most kMaxTools
  // Recent.
  std::string LastFile;
  // Simulator.
  int SimRate = 100;
  Color ColorHigh{255, 0, 0};
  Color ColorLow{0, 0, 255};
  // Windows: page windows 0..9.
  std::array<WindowPlace, kWindowSlots> Windows{};

  [[nodiscard]] Color& ColorOf(EditorColor c) { return Colors[static_cast<size_t>(c)]; }
  [[nodiscard]] const Color& ColorOf(EditorColor c) const { return Colors[static_cast<size_t>(c)]; }
  [[nodiscard]] static std::array<Color, kEditorColorCount> DefaultColors();
};

// Keys of section "Colors" in the order of EditorColor, with their stored defaults.
struct ColorKey {
  const char* key;
  uint32_t stored;
};
[[nodiscard]] std::span<const ColorKey> ColorKeys();

// Keys of section "Umgebung" with the Settings field each one sets.
struct FlagKey {
  const char* key;
  bool Settings::*field;
  bool byDefault;
};
[[nodiscard]] std::span<const FlagKey> FlagKeys();

// Section and key names.
namespace ini {
inline constexpr const char* Language = "Language";
inline constexpr const char* Lang = "Lang";
inline constexpr const char* Colors = "Colors";
inline constexpr const char* Umgebung = "Umgebung";
inline constexpr const char* Tools = "Tools";
inline constexpr const char* Recent = "Recent";
inline constexpr const char* Simulator = "Simulator";
inline constexpr const char* Windows = "Windows";
}  // namespace ini

// The language as the program's entry reads it: 0 when none was chosen yet (missing, 0 or not a number),
// otherwise clamped to 1..3.
[[nodiscard]] int ReadEntryLanguage(const IniFile& ini);
void WriteLanguage(IniFile& ini, int lang);

// Everything the main window reads when it is created, with the defaults of missing keys. Out-of-range
// values are clamped: language to 1..3 (2 when none), refresh to 1..65535, tools to at most 10 (entries
// without a program are dropped).
[[nodiscard]] Settings ReadSettings(const IniFile& ini);
// What the main window writes when it is destroyed: language, colours, flags, simulator, assembler,
// editor and the last file. Tools and window places have writers of their own.
void WriteSettings(IniFile& ini, const Settings& s);
void WriteTools(IniFile& ini, std::span<const ToolEntry> tools);
// Window places: "WindowOpen<n>", "Window<n>X" ... for n = 0..9.
void WriteWindowPlaces(IniFile& ini, std::span<const WindowPlace, kWindowSlots> places);

// Clamps a refresh period to 1..65535 ms.
[[nodiscard]] int ClampSimRate(long long ms);

// The folder the settings live in without a window system: $XDG_CONFIG_HOME/Tolmek, else ~/.config/Tolmek
// (the same folder the application uses).
[[nodiscard]] std::filesystem::path StandardSettingsFolder();
// The settings file in `folder`, whatever the case of its name.
[[nodiscard]] std::filesystem::path SettingsFilePath(const std::filesystem::path& folder);

}  // namespace tolmek
