// Building the configuration word from the fuse settings and the part's own symbol names.
#include "codegen/config_word.h"

#include <array>

#include "codegen/processors.h"

namespace tolmek {
namespace {

using OscillatorSymbols = std::array<std::string_view, kOscillatorCount>;

// Indexed by OscillatorFamily, then by the oscillator choice; "" where the include file has no such symbol.
// The 12C508A family spells its RC symbols in mixed case, and the assembler matches symbols exactly.
constexpr std::array<OscillatorSymbols, 5> kOscillatorSymbols{{
    {"_RC_OSC", "_LP_OSC", "_XT_OSC", "_HS_OSC", ""},                                // Standard14
    {"_ER_OSC_NOCLKOUT", "_LP_OSC", "_XT_OSC", "_HS_OSC", "_INTRC_OSC_NOCLKOUT"},    // F62x
    {"_EXTRC_OSC", "_LP_OSC", "_XT_OSC", "_HS_OSC", "_INTRC_OSC"},                   // C67x
    {"_ExtRC_OSC", "_LP_OSC", "_XT_OSC", "", "_IntRC_OSC"},                          // C5xx
    {"_RC_OSC", "_LP_OSC", "_XT_OSC", "_HS_OSC", ""},                                // C5x
}};
constexpr OscillatorSymbols kGenericOscillatorSymbols{"_RC_OSC", "_LP_OSC", "_XT_OSC", "_HS_OSC", "_INTRC_OSC"};

bool ValidChoice(int oscillator) { return oscillator >= 0 && oscillator < kOscillatorCount; }

}  // namespace

std::string_view OscillatorSymbol(int type, int oscillator) {
  if (type < 0 || type >= ProcessorCount || !ValidChoice(oscillator)) return {};
  const auto family = static_cast<std::size_t>(ProcessorPropertiesOf(type).Oscillators);
  return kOscillatorSymbols[family][static_cast<std::size_t>(oscillator)];
}

bool OscillatorOffered(int type, int oscillator) { return !OscillatorSymbol(type, oscillator).empty(); }

int OfferedOscillator(int type, int oscillator) { return OscillatorOffered(type, oscillator) ? oscillator : kOscXt; }

std::string ConfigExpression(int type, const ConfigChoices& choices) {
  const ProcessorProps props = ProcessorPropertiesOf(type);
  std::string text;
  if (choices.CodeProtect) {
    text = props.CpOnSymbol ? "_CP_ON" : "_CP_ALL";
  } else {
    text = "_CP_OFF";
  }
  if (props.HasPwrte) text += choices.PowerUpTimer ? " & _PWRTE_ON" : " & _PWRTE_OFF";
  text += choices.Watchdog ? " & _WDT_ON" : " & _WDT_OFF";
  if (props.HasBoden) text += choices.BrownOut ? " & _BODEN_ON" : " & _BODEN_OFF";

  const int oscillator = ValidChoice(choices.Oscillator) ? choices.Oscillator : kOscXt;
  std::string_view symbol = OscillatorSymbol(type, oscillator);
  if (symbol.empty()) symbol = kGenericOscillatorSymbols[static_cast<std::size_t>(oscillator)];
  text += " & ";
  text += symbol;

  text += props.FixedFuses;  // fuses always written in their safe state, before the MCLR term
  if (props.HasMclreOption) text += choices.Mclre == 1 ? " & _MCLRE_OFF" : " & _MCLRE_ON";
  return text;
}

}  // namespace tolmek
