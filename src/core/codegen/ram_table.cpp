// RAM cell allocation and the variable and bit registries.
#include "codegen/ram_table.h"

#include <algorithm>

#include "codegen/processors.h"

namespace tolmek {
namespace {

std::string_view Cut(std::string_view name) { return name.substr(0, std::min(name.size(), kMaxCellNameLength)); }

bool IsContextSaveName(std::string_view name) {
  return name == "SYS_WSAV" || name == "SYS_SSAV" || name == "SYS_PSAV";
}

// Only the real port registers; other two-letter names are ordinary variables.
bool IsPortName(std::string_view name, const ProcessorProps& props) {
  if (name.size() != 2) return false;
  if (name[0] == 'R' && name[1] >= 'A' && name[1] <= 'E') return true;
  return props.GpioPorts && name == "GP";
}

template <typename Predicate>
int FindFirst(std::span<const RamCell> cells, Predicate predicate) {
  const auto it = std::find_if(cells.begin(), cells.end(), predicate);
  return it == cells.end() ? -1 : static_cast<int>(it - cells.begin());
}

}  // namespace

void RamTable::Reset() { cells_.fill(RamCell{}); }

void RamTable::DefineGpr(int first, int last, std::uint8_t mask) {
  for (int a = first; a <= last; ++a) {
    RamCell& c = cells_.at(static_cast<std::size_t>(a));
    c.NotRam = 0;
    c.BankMask = mask;
    c.CellName.clear();
    c.ReservedFor.clear();
  }
}

void RamTable::DefineSfr(int address, std::string_view name, std::uint8_t mask) {
  RamCell& c = cells_.at(static_cast<std::size_t>(address));
  c.NotRam = 1;
  c.BankMask = mask;
  c.CellName = Cut(name);
}

void RamTable::NameCell(int address, std::string_view name) {
  cells_.at(static_cast<std::size_t>(address)).CellName = Cut(name);
}

void RamTable::ReserveFor(int address, std::string_view name) {
  RamCell& c = cells_.at(static_cast<std::size_t>(address));
  c.CellName = kSysPlaceholder;
  c.ReservedFor = Cut(name);
}

void RamTable::MarkNotRam(int first, int last) {
  for (int a = first; a <= last; ++a) cells_.at(static_cast<std::size_t>(a)).NotRam = 1;
}

bool RamTable::AllocateCell(std::string_view rawName) {
  const std::string_view name = Cut(rawName);
  if (name.empty()) return false;
  if (CellExists(name)) return true;

  auto placeholder = [](const RamCell& c) { return c.NotRam == 0 && c.CellName == kSysPlaceholder; };
  // A reserved placeholder first, so that the interrupt context cells never depend on registration order.
  int address = FindFirst(cells_, [&](const RamCell& c) { return placeholder(c) && c.ReservedFor == name; });
  if (address < 0 && name.size() > kSysPlaceholder.size() && name.starts_with(kSysPlaceholder)) {
    address = FindFirst(cells_, [&](const RamCell& c) { return placeholder(c) && c.ReservedFor.empty(); });
  }
  if (address < 0) {
    address = FindFirst(cells_, [](const RamCell& c) { return c.NotRam == 0 && c.CellName.empty(); });
  }
  if (address < 0) return false;
  RamCell& c = cells_[static_cast<std::size_t>(address)];
  c.CellName = name;
  c.ReservedFor.clear();
  return true;
}

bool RamTable::AllocateBlock(std::string_view rawName, int count) {
  const std::string_view name = Cut(rawName);
  if (name.empty() || count < 1 || CellExists(name)) return false;
  int run = 0;
  for (int a = 0; a < kSize; ++a) {
    const RamCell& c = cells_[static_cast<std::size_t>(a)];
    run = (c.NotRam == 0 && c.CellName.empty()) ? run + 1 : 0;
    if (run == count) {
      const int first = a - count + 1;
      for (int i = 0; i < count; ++i) {
        std::string cellName(name);
        if (i > 0) cellName += std::to_string(i);
        cells_[static_cast<std::size_t>(first + i)].CellName = Cut(cellName);
      }
      return true;
    }
  }
  return false;
}

std::optional<int> RamTable::CellAddress(std::string_view name) const {
  const std::string_view cut = Cut(name);
  if (cut.empty()) return std::nullopt;
  const int address = FindFirst(cells_, [&](const RamCell& c) { return c.CellName == cut; });
  if (address < 0) return std::nullopt;
  return address;
}

std::uint8_t RamTable::CellBankMask(std::string_view name) const {
  const auto address = CellAddress(name);
  return address ? cells_[static_cast<std::size_t>(*address)].BankMask : 0;
}

bool RamTable::CellExists(std::string_view name) const { return CellAddress(name).has_value(); }

int RamTable::FreeCellCount() const {
  return static_cast<int>(std::count_if(cells_.begin(), cells_.end(),
                                        [](const RamCell& c) { return c.NotRam == 0 && c.CellName.empty(); }));
}

void Registries::Clear() {
  variables_.clear();
  bits_.clear();
  adc_ = AdcUsage{};
}

bool Registries::HasVariable(std::string_view name) const {
  return std::find(variables_.begin(), variables_.end(), Cut(name)) != variables_.end();
}

void Registries::NoteAdcChannel(std::string_view name) {
  if (!name.starts_with("ADC") || name.size() < 4) return;
  const char digit = name[3];
  if (digit < '0' || digit > '7') return;
  const bool wide = name.size() == 7 && name.substr(4) == "_HI";
  if (name.size() != 4 && !wide) return;
  const auto channel = static_cast<std::size_t>(digit - '0');
  adc_.UsesAdc = true;
  adc_.ChannelUsed[channel] = true;
  if (wide) adc_.Result16Bit[channel] = true;
}

void Registries::RegisterVariable(std::string_view rawName, const ProcessorProps& props, RamTable& ram) {
  std::string_view name = rawName.substr(0, rawName.find('.'));
  name = Cut(name);
  if (name.empty()) return;
  if (!props.HasInterrupts && IsContextSaveName(name)) return;
  if (IsPortName(name, props)) return;
  NoteAdcChannel(name);
  if (!HasVariable(name)) variables_.emplace_back(name);
  ram.AllocateCell(name);
}

void Registries::RegisterBit(std::string_view rawName, int kind, int initial) {
  const std::size_t dot = rawName.rfind('.');
  std::string_view byteName = rawName;
  std::uint8_t bit = 8;
  if (dot != std::string_view::npos) {
    byteName = rawName.substr(0, dot);
    const std::string_view digits = rawName.substr(dot + 1);
    // Anything but one digit 0..7 is no addressable bit and never gets an initial value.
    if (digits.size() == 1 && digits[0] >= '0' && digits[0] <= '7') bit = static_cast<std::uint8_t>(digits[0] - '0');
  }
  byteName = Cut(byteName);
  if (byteName.empty()) return;
  const bool known = std::any_of(bits_.begin(), bits_.end(),
                                 [&](const BitRecord& r) { return r.ByteName == byteName && r.Bit == bit; });
  if (known) return;
  bits_.push_back(
      {std::string(byteName), bit, static_cast<std::uint8_t>(kind), static_cast<std::uint8_t>(initial != 0)});
}

}  // namespace tolmek
