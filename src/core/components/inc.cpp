// The include block: record, dialog values, and reading its real length from the assembler's listing.
#include "components/inc.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <sstream>

#include "components/draw_helpers.h"

namespace tolmek {

namespace {

constexpr std::array<std::string_view, 5> kPositionTexts = {"Start-Init", "End-Init", "Interrupt", "Main",
                                                            "Subroutine"};

bool IsLabelChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

// True when `line` holds `label` as a whole word: BEGININC1 is not found in BEGININC12.
bool HoldsLabel(std::string_view line, std::string_view label) {
  for (size_t at = line.find(label); at != std::string_view::npos; at = line.find(label, at + 1)) {
    bool startsWord = at == 0 || !IsLabelChar(line[at - 1]);
    size_t end = at + label.size();
    bool endsWord = end == line.size() || !IsLabelChar(line[end]);
    if (startsWord && endsWord) return true;
  }
  return false;
}

// The address at the start of a listing line; lines that start otherwise (messages) hold no address.
std::optional<int> LineAddress(std::string_view line) {
  if (line.size() < 4) return std::nullopt;
  int value = 0;
  auto [end, ec] = std::from_chars(line.data(), line.data() + 4, value, 16);
  if (ec != std::errc() || end != line.data() + 4) return std::nullopt;
  return value;
}

}  // namespace

TObjInc::TObjInc(int32_t x, int32_t y) : TBauteil(x, y) {
  Kind = kind::Inc;
  NullCanvas measure;
  Width = measure.TextWidth(IncludeFile, ObjectFont(colors::Black)) + 8;
  Height = 20;
}

std::string_view TObjInc::PositionText() const {
  return IncludePosition < kPositionTexts.size() ? kPositionTexts[IncludePosition] : std::string_view{};
}

std::string TObjInc::BeginLabel() const { return "BEGININC" + std::to_string(Number); }
std::string TObjInc::EndLabel() const { return "ENDINC" + std::to_string(Number); }

void TObjInc::ApplySettings(std::string_view file, uint8_t position, uint16_t length) {
  IncludeFile = std::string(file.substr(0, kMaxFileNameLength));
  IncludePosition = std::min<uint8_t>(position, Subroutines);
  IncludeLength = length;
  NullCanvas measure;
  Width = measure.TextWidth(IncludeFile, ObjectFont(colors::Black)) + 8;
}

std::optional<uint16_t> TObjInc::ParseLength(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  if (text.empty() || text.size() > size_t(kMaxLengthDigits)) return std::nullopt;
  uint16_t value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 10);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<int> TObjInc::MeasureListing(std::string_view listing, int number) {
  const std::string begin = "BEGININC" + std::to_string(number);
  const std::string end = "ENDINC" + std::to_string(number);
  std::optional<int> a;
  std::istringstream in{std::string(listing)};
  for (std::string line; std::getline(in, line);) {
    const std::string& label = a ? end : begin;
    if (!HoldsLabel(line, label)) continue;
    std::optional<int> address = LineAddress(line);
    if (!address) continue;
    if (!a) {
      a = address;
      continue;
    }
    if (*address < *a) return std::nullopt;
    return *address - *a;
  }
  return std::nullopt;
}

void TObjInc::Record(RecordVisitor& v) {
  BaseRecord(v);
  v.Choice("position", IncludePosition, InitStart, Subroutines);
  v.Text("file", IncludeFile, kMaxFileNameLength);
  v.Page(Page);
  v.Word("length", IncludeLength);
  v.Zeros(253);
}

}  // namespace tolmek
