// The "__CONFIG" expression of the chosen part and the oscillators its configuration word can select.
#pragma once

#include <string>
#include <string_view>

namespace tolmek {

// Oscillator choices as stored in the project settings.
inline constexpr int kOscRcExternal = 0;
inline constexpr int kOscLp = 1;
inline constexpr int kOscXt = 2;
inline constexpr int kOscHs = 3;
inline constexpr int kOscRcInternal = 4;
inline constexpr int kOscillatorCount = 5;

// The fuse settings the configuration word is built from.
struct ConfigChoices {
  int Oscillator = kOscXt;
  bool Watchdog = false;
  bool PowerUpTimer = true;
  bool BrownOut = false;
  bool CodeProtect = false;
  int Mclre = 0;  // 1: MCLR pin is I/O, reset tied to VDD
};

// The text after "__CONFIG ", e.g. "_CP_OFF & _PWRTE_ON & _WDT_OFF & _XT_OSC" for a 16F84 with defaults.
// An oscillator the part does not offer keeps its generic symbol, so the assembler reports it rather than
// the chip silently running on another clock source.
[[nodiscard]] std::string ConfigExpression(int type, const ConfigChoices& choices);

// The symbol the part's include file defines for the oscillator choice; empty when it defines none.
[[nodiscard]] std::string_view OscillatorSymbol(int type, int oscillator);
// True when the part's configuration word can select the oscillator (what the settings dialog offers).
[[nodiscard]] bool OscillatorOffered(int type, int oscillator);
// The choice itself when offered, otherwise XT, which every part has.
[[nodiscard]] int OfferedOscillator(int type, int oscillator);

}  // namespace tolmek
