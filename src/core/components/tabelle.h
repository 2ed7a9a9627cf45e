// TObjTabelle: a table of up to 256 constant 8- or 16-bit values, placed after the main loop as RETLW lines
// and read by the table calls that bear its name.
#pragma once

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/element.h"

namespace tolmek {

class TObjTabelle final : public TBauteil {
 public:
  static constexpr int kMaxLength = 256;
  static constexpr int kMaxLength16 = 128;

  TObjTabelle(int32_t x, int32_t y);

  uint16_t Length = 8;  // 1..256 (16-bit: 1..128)
  uint8_t Width16 = 0;
  std::array<uint16_t, kMaxLength> Values{};  // entry i defaults to i

  [[nodiscard]] bool Is16Bit() const { return Width16 == 1; }
  [[nodiscard]] int MaxLength() const { return Is16Bit() ? kMaxLength16 : kMaxLength; }
  // The entries in use: Length, at most MaxLength (a file may hold more).
  [[nodiscard]] int UsedLength() const { return std::min<int>(Length, MaxLength()); }
  // The byte the RETLW at `position` returns (16-bit entries take two positions, low byte first).
  [[nodiscard]] long ReturnedWord(long position) const {
    if (!Is16Bit()) return Values[size_t(position & 0xFF)] & 0xFF;
    const uint16_t v = Values[size_t((position / 2) & 0xFF)];
    return position % 2 == 0 ? (v & 0xFF) : (v >> 8);
  }

  void Draw(Canvas& canvas, int originX, int originY) override;
  void Record(RecordVisitor& v) override;
  void GenerateAfterMain(ProgramWriter& w) override;
  void NoteUsedNames(Analysis& a) override;
};

// A value as the table dialog accepts it: "$" + hexadecimal digits, "%" + binary digits, "'" + one
// character (its code), or a decimal number. Nothing when it is none of these or exceeds `max`.
[[nodiscard]] std::optional<uint16_t> ParseTableValue(std::string_view text, uint16_t max);
// A value shown as decimal (0), "$" hexadecimal (1), "%" binary (2) or "'" character (3); `wide` gives
// four hexadecimal and sixteen binary digits.
[[nodiscard]] std::string FormatTableValue(uint16_t value, int radix, bool wide);
// The lines of a table value file: one value per line, decimal or "$" hexadecimal; empty lines are skipped.
// At most `maxCount` values are taken; nothing when a line is not a value up to `max`.
[[nodiscard]] std::optional<std::vector<uint16_t>> ParseTableFile(std::string_view text, size_t maxCount,
                                                                   uint16_t max);
// The text a table value file holds: one decimal value per line.
[[nodiscard]] std::string TableFileText(const std::vector<uint16_t>& values);

}  // namespace tolmek
