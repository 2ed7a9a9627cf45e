// The table: file record, its values as the dialog and the value files write them, and the flag that asks
// for the table-jump routine.
#include "components/tabelle.h"

#include <algorithm>
#include <charconv>

#include "codegen/analysis.h"

namespace tolmek {

TObjTabelle::TObjTabelle(int32_t x, int32_t y) : TBauteil(x, y) {
  Kind = kind::Tabelle;
  Width = 40;
  Height = 40;
  Name = "TAB";
  for (int i = 0; i < kMaxLength; ++i) Values[size_t(i)] = uint16_t(i);
}

void TObjTabelle::Record(RecordVisitor& v) {
  BaseRecord(v);
  v.Word("length", Length);
  std::array<uint8_t, kMaxLength> low{};
  for (size_t i = 0; i < low.size(); ++i) low[i] = uint8_t(Values[i] & 0xFF);
  v.Bytes("values", low);
  if (v.Reading())
    for (size_t i = 0; i < low.size(); ++i) Values[i] = low[i];
  v.Page(Page);
  v.Choice("width16", Width16, 0, 1);
  v.Zeros(254);
  if (!Is16Bit()) return;
  std::array<uint8_t, 2 * kMaxLength> wide{};
  for (size_t i = 0; i < kMaxLength; ++i) {
    wide[2 * i] = uint8_t(Values[i] & 0xFF);
    wide[2 * i + 1] = uint8_t(Values[i] >> 8);
  }
  v.Bytes("values16", wide);
  if (v.Reading())
    for (size_t i = 0; i < kMaxLength; ++i) Values[i] = uint16_t(wide[2 * i] | (wide[2 * i + 1] << 8));
}


void TObjTabelle::NoteUsedNames(Analysis& a) { a.NeedsTableJump = true; }

std::optional<uint16_t> ParseTableValue(std::string_view text, uint16_t max) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
  if (text.empty()) return std::nullopt;
  unsigned long value = 0;
  if (text.front() == '\'') {
    if (text.size() != 2) return std::nullopt;
    value = static_cast<unsigned char>(text[1]);
  } else {
    int base = 10;
    if (text.front() == '$') base = 16;
    if (text.front() == '%') base = 2;
    if (base != 10) text.remove_prefix(1);
    if (text.empty() || text.size() > 17) return std::nullopt;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  }
  if (value > max) return std::nullopt;
  return uint16_t(value);
}

std::string FormatTableValue(uint16_t value, int radix, bool wide) {
  switch (radix) {
    case 1: {
      static constexpr char kHex[] = "0123456789ABCDEF";
      std::string s = "$";
      for (int shift = wide ? 12 : 4; shift >= 0; shift -= 4) s += kHex[(value >> shift) & 15];
      return s;
    }
    case 2: {
      std::string s = "%";
      for (int b = wide ? 15 : 7; b >= 0; --b) s += ((value >> b) & 1) ? '1' : '0';
      return s;
    }
    case 3:
      return std::string("'") + char(value & 0xFF);
    default:
      return std::to_string(value);
  }
}

std::optional<std::vector<uint16_t>> ParseTableFile(std::string_view text, size_t maxCount, uint16_t max) {
  std::vector<uint16_t> values;
  size_t start = 0;
  while (start < text.size() && values.size() < maxCount) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
    if (line.empty()) continue;
    if (line.front() == '%' || line.front() == '\'') return std::nullopt;  // decimal or "$" only
    auto value = ParseTableValue(line, max);
    if (!value) return std::nullopt;
    values.push_back(*value);
  }
  return values;
}

std::string TableFileText(const std::vector<uint16_t>& values) {
  std::string text;
  for (uint16_t v : values) text += std::to_string(v) + "\r\n";
  return text;
}

}  // namespace tolmek
