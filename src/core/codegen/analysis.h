// Analysis: the pass that builds the RAM model, the name registries and the feature flags from the plan.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "codegen/processors.h"
#include "codegen/ram_table.h"

namespace tolmek {

class Project;
class ProgramWriter;
class AsmWriter;

// What the blocks ask of the program frame. Cleared at the start of every analysis and set by the blocks
// while they announce their names (NeedsEepromData also while the EEPROM block writes its subroutines).
struct FeatureFlags {
  bool NeedsTableJump = false;       // "SYSTABJMP"
  bool NeedsMul8 = false;            // "SYSMUL8"
  bool NeedsMul16 = false;           // "SYSMUL16"
  bool NeedsDiv8 = false;            // "SYSDIV8"
  bool NeedsDiv16 = false;           // "SYSDIV16"
  bool NeedsTimerInterrupt = false;  // timer interrupt routine (polled on 12-bit cores), TMR0 start
  bool NeedsPortBChange = false;     // PORTB-change interrupt routine (pulse inputs)
  bool NeedsTimerHigh = false;       // TMR0H counted in the timer interrupt
  bool NeedsUartInterrupt = false;   // interrupt routine for the UART and "BSF INTCON,GIE"
  bool NeedsWakeInterrupt = false;   // a sleep block's wake-up source is served (and cleared) by the routine
  bool NeedsEepromData = false;      // "ORG H'2100'" block of "DE" lines
  bool UsesAdc = false;              // message 38 on a part without A/D converter
  std::array<bool, 8> AdcChannelUsed{};   // "CALL READ_AN" + n at the head of the main loop
  std::array<bool, 8> AdcResult16Bit{};   // channel registered as "ADC" + n + "_HI"
  // Pulse inputs on RB4..RB7 (index 0..3): measured, and measured on the opposite polarity. Set by the
  // pulse-input block while it announces its names (the analysis sets NeedsPortBChange for it).
  std::array<bool, 4> PulsePinMeasured{};
  std::array<bool, 4> PulsePinInverted{};
};

class Analysis : public FeatureFlags {
 public:
  explicit Analysis(Project& project) : project_(project) {}

  // Rebuilds the RAM table, both registries and all feature flags from the object list. With
  // `registerNames` every block also announces its bits; without it only while the variable window is open.
  // Does nothing while the simulation runs.
  void RunAnalysis(bool registerNames);
  // Set by the variable window while it is open: bits are then announced by every analysis.
  bool VariableWindowOpen = false;
  // Runs after the blocks have announced their names, before "RAM" takes its cell: names and flags that do
  // not come from a block of the plan.
  std::function<void(Analysis&)> AfterDeclarations;
  // True while blocks are asked to announce their bits (DeclareVariables).
  [[nodiscard]] bool RegisteringNames() const { return registeringNames_; }

  // --- What the blocks call while they announce their names.
  void RegisterVariable(std::string_view name);
  // `name` is "BYTE.n"; kind 2 marks an output pin; `initial` is the level the bit starts with.
  void RegisterBit(std::string_view name, int kind, int initial);
  bool AllocateCell(std::string_view name) { return ram_.AllocateCell(name); }
  bool AllocateBlock(std::string_view name, int count) { return ram_.AllocateBlock(name, count); }
  [[nodiscard]] uint8_t CellBankMask(std::string_view name) const { return ram_.CellBankMask(name); }
  [[nodiscard]] bool CellExists(std::string_view name) const { return ram_.CellExists(name); }

  // --- Results.
  [[nodiscard]] Project& GetProject() const { return project_; }
  [[nodiscard]] const ProcessorProps& Props() const { return props_; }
  [[nodiscard]] const RamTable& Ram() const { return ram_; }
  [[nodiscard]] const Registries& Names() const { return registries_; }
  // Names of the byte variables in registration order (the simulator builds its variable table from them).
  [[nodiscard]] const std::vector<std::string>& VariableNames() const { return registries_.Variables(); }
  [[nodiscard]] const std::vector<BitRecord>& BitNames() const { return registries_.Bits(); }
  // RAM bar: registered variables of the part's general-purpose RAM.
  [[nodiscard]] int RamUsed() const { return registries_.RamUsed(); }
  [[nodiscard]] int RamSize() const { return props_.RamSize; }
  // ROM bar: words of the last generation run of the part's program memory.
  int32_t RomUsed = 0;
  [[nodiscard]] int RomSize() const { return props_.RomSize; }
  // Number of analyses run (the simulator and windows use it to notice a rebuilt model).
  [[nodiscard]] uint32_t Generation() const { return generation_; }

  // --- The generated text owned by the analysis.
  // One "NAME = address ; located in Bank ..." line per allocated cell.
  void WriteVariableEquates(AsmWriter& out) const;
  // The loop that clears all general-purpose RAM through FSR/INDF, by processor group.
  void WriteRamClear(ProgramWriter& w) const;
  // Loads the bit variables that start at 1.
  void WriteBitInitialValues(ProgramWriter& w) const;

 private:
  void DefineAndClear();

  Project& project_;
  ProcessorProps props_;
  RamTable ram_;
  Registries registries_;
  bool registeringNames_ = false;
  uint32_t generation_ = 0;
};

}  // namespace tolmek
