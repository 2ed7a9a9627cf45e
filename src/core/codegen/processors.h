// The 50 supported PIC types: their properties, register files and the names of their assembler files.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "codegen/ram_table.h"

namespace tolmek {

inline constexpr int ProcessorCount = 50;

// The configuration-word spelling of the oscillator choices a part's header defines.
enum class OscillatorFamily : std::uint8_t {
  Standard14,  // RC, LP, XT, HS
  F62x,        // ER, LP, XT, HS, INTRC without clock out
  C67x,        // EXTRC, LP, XT, HS, INTRC
  C5xx,        // ExtRC, LP, XT, IntRC (no HS)
  C5x,         // RC, LP, XT, HS
};

// How a part's A/D converter is driven: which pins its channels lie on, how the port is switched between
// analogue and digital, and where the result stands.
enum class AdcGroup : std::uint8_t {
  None,
  C71,   // 16C71, 16C711, 16C715: AN0..AN3 on RA0..RA3, ADCON1 back to 3, result in ADRES
  C712,  // 16C712, 16C716: AN0..AN3, ADCON1 back to 7
  C72,   // 28-pin 16C7x: AN0..AN4 on RA0..RA3, RA5, ADCON1 back to 6
  C74,   // 40-pin 16C7x: also AN5..AN7 on RE0..RE2
  F873,  // 28-pin 16F87x: as C72, 10-bit result in ADRESH:ADRESL (left- or right-justified)
  F874,  // 40-pin 16F87x: as C74 with the 10-bit result
  C67x,  // 12C67x: AN0..AN3 on GP0, GP1, GP2, GP4, ADCON1 back to 7
};

// How a part keeps its oscillator calibration (or reset vector) in the top word of program memory.
enum class Calibration : std::uint8_t {
  None,
  MovlwAtTop,        // the top word loads W with the value before the reset vector: "MOVWF OSCCAL" first
  RetlwAtTop,        // the top word returns the value: the initialisation calls it
  ResetVectorAtTop,  // the reset vector sits in the top word: "GOTO 0" there
};

// The loop that clears general-purpose RAM at start, one per RAM layout (named after a part that has it).
enum class RamClear : std::uint8_t { C54, C57, C71, C72, C73, F877, F873, F627, C620, C622, C508, C509 };

struct ProcessorProps {
  int Type = -1;
  std::string_view Name;     // operand of "PROCESSOR"
  std::string_view Include;  // operand of "INCLUDE"
  // Size in words, or on parts whose top word holds the calibration value or reset vector, that word's address.
  std::uint16_t RomSize = 0;
  std::uint16_t RamSize = 0;
  std::uint16_t FirstGpr = 0;
  std::uint16_t EepromSize = 0;
  std::uint8_t BankCount = 1;
  std::uint8_t PageCount = 1;
  std::int32_t PageSize = 0;
  bool PagingNeeded = false;
  bool GprBanked = false;
  bool Core12 = false;
  bool HasPwrte = false;
  bool HasBoden = false;
  bool HasInterrupts = false;
  bool HasAdc = false;
  bool HasUsart = false;
  AdcGroup Adc = AdcGroup::None;
  std::uint8_t AdcChannels = 0;  // AN0 .. AN(AdcChannels - 1)
  std::string UartTxPin;
  std::string UartRxPin;
  // Ports present: bit 0 = port A ... bit 4 = port E. GPIO parts have none of these but GpioPorts.
  std::uint8_t Ports = 0;
  bool GpioPorts = false;
  bool HasOscCal = false;       // calibration instruction at the top of program memory
  bool HasMclreOption = false;  // MCLR pin can be made an input
  bool IcdCapable = false;
  bool IcdActive = false;
  bool CpOnSymbol = false;  // code protection is "_CP_ON" rather than "_CP_ALL"
  // CCP modules that can run as PWM: the pin of CCP1 and CCP2 ("RC.2", "RC.1"; "RB.3" where CCP1 sits on
  // port B); empty for a module the part lacks.
  std::array<std::string_view, 2> CcpPins{};
  // Data EEPROM behind EEDATA/EEADR/EECON1/EECON2; EEADRH also present (the flash-capable parts).
  bool HasDataEeprom = false;
  bool HasEepromAddressHigh = false;
  // A serial EEPROM built into the package: its data and clock pins ("EEINTF.1"/"EEINTF.2", "GPIO.6"/"GPIO.7").
  std::string_view SerialEepromSda;
  std::string_view SerialEepromScl;
  OscillatorFamily Oscillators = OscillatorFamily::Standard14;
  bool HasComparators = false;  // analogue comparators (CMCON), switched off at start
  Calibration CalibrationForm = Calibration::None;
  RamClear RamClearForm = RamClear::C71;
  std::uint8_t DigitalAdcon1 = 0;  // ADCON1 value that makes every A/D pin digital; 0: nothing to write
  std::string_view FixedFuses;     // configuration terms always written in their safe state
  std::string_view MplabCode;      // the processor code of the MPLAB project file

  // --- What the chip can do that the screen does not show.
  // The port bit that shares its pin with MCLR ("RA.5", "GP.3"); empty where MCLR has a pin of its own.
  std::string_view MclrPin;
  // The open-drain output (RA4/T0CKI): it pulls low, a high level needs a resistor outside.
  std::string_view OpenDrainPin;
  // The clock of the part's fastest speed grade, and per oscillator choice (0 RC external, 1 LP, 2 XT, 3 HS,
  // 4 RC internal) the highest clock that setting allows on this part (whether the part offers the choice at all
  // is the configuration word's business).
  std::uint32_t MaxClockHz = 0;
  std::array<std::uint32_t, 5> OscillatorMaxHz{};
  // The pin of each A/D channel ("RA.0", "RE.2", "GP.4"), the ADCON1 value the routine that reads channel n
  // writes, and per ADCON1 value 0..7 the channels it makes analogue (bit n = ANn, reference inputs included).
  std::array<std::string_view, 8> AdcPins{};
  std::array<std::uint8_t, 8> AdcReadAdcon1{};
  std::array<std::uint8_t, 8> AdcAnalogByAdcon1{};

  [[nodiscard]] int CcpCount() const { return int(!CcpPins[0].empty()) + int(!CcpPins[1].empty()); }
  // The channels (bit n = ANn) that are analogue while the routine reading `channel` runs.
  [[nodiscard]] std::uint8_t AnalogueWhileReading(int channel) const {
    if (channel < 0 || channel >= AdcChannels) return 0;
    const auto n = static_cast<std::size_t>(channel);
    return static_cast<std::uint8_t>(AdcAnalogByAdcon1[AdcReadAdcon1[n] & 7u] | (1u << n));
  }
  [[nodiscard]] bool HasPort(char letter) const {
    return letter >= 'A' && letter <= 'E' && (Ports & (1u << (letter - 'A'))) != 0;
  }
};

// The properties of `type` alone, without touching a RAM table (reset state for an unknown type).
[[nodiscard]] ProcessorProps ProcessorPropertiesOf(int type, bool icdMode = false);

// The same, kept once per type for look-ups that run often (outside ICD mode); unknown types give the reset state.
[[nodiscard]] const ProcessorProps& ProcessorFacts(int type);

// Resets the properties and the RAM table, then applies the definition of `type` (0..49).
// Out-of-range types leave both in their reset state.
void DefineProcessor(int type, bool icdMode, RamTable& ram, ProcessorProps& props);

// "16C71" etc. as written after "PROCESSOR"; empty for an unknown type.
[[nodiscard]] std::string_view ProcessorName(int type);
// "P16C71.INC" etc. as written after "INCLUDE".
[[nodiscard]] std::string_view ProcessorInclude(int type);
// "PIC16C620A": the name as the microcontroller list shows it.
[[nodiscard]] std::string ProcessorDisplayName(int type);

}  // namespace tolmek
