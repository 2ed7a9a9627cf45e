// The PIC register file as the allocator sees it, and the registries through which blocks announce their names.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tolmek {

struct ProcessorProps;

// Names of cells and registry entries are cut to this length.
inline constexpr std::size_t kMaxCellNameLength = 32;
// Placeholder name of a cell kept for the auxiliary variables whose names begin with "SYS_".
inline constexpr std::string_view kSysPlaceholder = "SYS_";

struct RamCell {
  // Banks from which the address is reachable, bit n = bank n; 255 until a processor is defined.
  std::uint8_t BankMask = 255;
  std::string CellName;
  // 1: not allocatable (no such address, special-function register or reserved).
  std::uint8_t NotRam = 1;
  // A placeholder held back for one interrupt context-save variable; no other name may take it.
  std::string ReservedFor;
};

class RamTable {
 public:
  static constexpr int kSize = 512;

  void Reset();

  [[nodiscard]] const RamCell& Cell(int address) const { return cells_.at(static_cast<std::size_t>(address)); }
  [[nodiscard]] std::span<const RamCell> Cells() const { return cells_; }

  // Used by the processor definitions.
  void DefineGpr(int first, int last, std::uint8_t mask);
  void DefineSfr(int address, std::string_view name, std::uint8_t mask);
  void NameCell(int address, std::string_view name);
  void ReserveFor(int address, std::string_view name);
  void MarkNotRam(int first, int last);

  // Gives the name one cell. False when the name is left without a cell (RAM exhausted).
  bool AllocateCell(std::string_view name);
  // Gives the name `count` consecutive free cells named name, name1, name2, ...
  bool AllocateBlock(std::string_view name, int count);

  [[nodiscard]] std::uint8_t CellBankMask(std::string_view name) const;
  [[nodiscard]] bool CellExists(std::string_view name) const;
  [[nodiscard]] std::optional<int> CellAddress(std::string_view name) const;
  [[nodiscard]] int FreeCellCount() const;

 private:
  std::array<RamCell, kSize> cells_{};
};

struct BitRecord {
  std::string ByteName;
  std::uint8_t Bit = 8;  // 8: the name carried no bit number
  std::uint8_t Kind = 0;
  std::uint8_t Initial = 0;
};

struct AdcUsage {
  bool UsesAdc = false;
  std::array<bool, 8> ChannelUsed{};
  std::array<bool, 8> Result16Bit{};
};

// The variable and bit registries of one analysis, kept in registration order.
class Registries {
 public:
  void Clear();

  // Announces a byte variable and gives it a cell; `name` may carry a ".bit" suffix.
  void RegisterVariable(std::string_view name, const ProcessorProps& props, RamTable& ram);
  // Announces a named bit "BYTE.n"; a name and bit pair is kept once.
  void RegisterBit(std::string_view name, int kind, int initial);

  [[nodiscard]] const std::vector<std::string>& Variables() const { return variables_; }
  [[nodiscard]] const std::vector<BitRecord>& Bits() const { return bits_; }
  [[nodiscard]] bool HasVariable(std::string_view name) const;
  [[nodiscard]] const AdcUsage& Adc() const { return adc_; }
  // RAM bytes used as shown in the RAM bar.
  [[nodiscard]] int RamUsed() const { return static_cast<int>(variables_.size()); }

 private:
  void NoteAdcChannel(std::string_view name);

  std::vector<std::string> variables_;
  std::vector<BitRecord> bits_;
  AdcUsage adc_;
};

}  // namespace tolmek
