// The user's environment the page windows work with: colours, display switches and editing options.
#pragma once

#include <cstdint>
#include <span>

#include "model/canvas.h"
#include "model/messages.h"

namespace tolmek {

struct Environment {
  // Section "Colors".
  Color BackColor{0, 0, 0};
  Color GridColor{192, 192, 192};
  Color LineColor{255, 255, 0};
  Color ObjectBorderColor{255, 255, 255};
  Color ObjectSelectedBorderColor{255, 0, 0};
  Color ObjectIdentifierColor{255, 0, 0};
  Color ObjectAnschlussColor{255, 255, 255};
  Color ObjectAnschlussTextColor{0, 255, 0};
  Color ObjectInnerTextColor{0, 255, 255};
  // Section "Simulator": the level colours that replace the wire and selection colours while simulating.
  Color ColorHigh{255, 0, 0};
  Color ColorLow{0, 0, 255};

  // Section "Umgebung".
  bool Show3D = false;               // "3D"
  bool RightAngleWires = true;       // "VWinkel"
  bool SelectWithoutShift = false;   // "Shift"
  bool AutoArrange = true;           // "AutoFenster"
  bool ArrowWires = true;            // "Verbindungen"
  bool AutoSignals = true;           // "Signale"
  bool CentreOnRightClick = true;    // "RechteMaus"
  bool ShowNodes = true;             // "Nodes"
  bool ShowGrid = true;              // "Grid"

  Language Lang = Language::English;

  // What the elements' Draw sees: while simulating the level colours stand in for wire and selection.
  [[nodiscard]] DrawStyle Style(bool simulating) const;
};

// The colour keys of the settings file in the order of the colour dialog, with their defaults.
struct ColorSetting {
  const char* key;
  Color Environment::*field;
  uint32_t stored;  // default as the settings file writes it (0x00BBGGRR)
};
[[nodiscard]] std::span<const ColorSetting> ColorSettings();

struct FlagSetting {
  const char* key;
  bool Environment::*field;
  bool byDefault;
};
[[nodiscard]] std::span<const FlagSetting> EnvironmentFlags();

}  // namespace tolmek
