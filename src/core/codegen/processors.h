// The 50 supported PIC types: their properties, register files and the names of their assembler files.
#pragma once

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
  OscillatorFamily Oscillators = OscillatorFamily::Standard14;
  bool HasComparators = false;  // analogue comparators (CMCON), switched off at start
  Calibration CalibrationForm = Calibration::None;
  RamClear RamClearForm = RamClear::C71;
  std::uint8_t DigitalAdcon1 = 0;  // ADCON1 value that makes every A/D pin digital; 0: nothing to write
  std::string_view FixedFuses;     // configuration terms always written in their safe state
  std::string_view MplabCode;      // the processor code of the MPLAB project file

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
