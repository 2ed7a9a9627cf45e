// Rules for names typed into the pin, node and label dialogs.
#include "model/names.h"

#include <algorithm>

#include "model/element.h"

namespace tolmek {

bool IsNetNameText(std::string_view s) {
  for (char c : s) {
    bool ok = (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '.';
    if (!ok) return false;
  }
  return true;
}

namespace {

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || c == '_'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A byte name as the assembler takes it: a decimal number where a constant may stand, else a symbol that
// starts with a letter (or "_"); "9XYZ" is neither.
bool IsByteOperand(std::string_view upper, bool constantAllowed) {
  if (upper.empty() || !IsNetNameText(upper) || upper.find('.') != std::string_view::npos) return false;
  if (IsDigit(upper.front())) return constantAllowed && std::all_of(upper.begin(), upper.end(), IsDigit);
  return IsLetter(upper.front());
}

// A bit name: a byte name, ".", and one bit digit 0..7 (the operand "X,3").
bool IsBitOperand(std::string_view upper) {
  const size_t dot = upper.rfind('.');
  if (dot == std::string_view::npos || dot + 2 != upper.size()) return false;
  const char bit = upper.back();
  return bit >= '0' && bit <= '7' && IsByteOperand(upper.substr(0, dot), false);
}

}  // namespace

bool IsOperandName(std::string_view upper, bool constantAllowed) {
  return upper.find('.') != std::string_view::npos ? IsBitOperand(upper) : IsByteOperand(upper, constantAllowed);
}

std::optional<std::string> CheckBitPinName(std::string_view typed) {
  std::string upper = UpperName(typed);
  if (upper.empty()) return std::string(".");
  upper = upper.substr(0, kMaxNameLength);
  if (upper.find('.') == std::string::npos || !IsBitOperand(upper)) return std::nullopt;
  return upper;
}

std::optional<std::string> CheckWordPinName(std::string_view typed) {
  if (typed.empty()) return std::string();
  char c = typed.front();
  if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || c == '_')) return std::nullopt;
  std::string upper = UpperName(typed.substr(0, kMaxNameLength));
  if (!IsByteOperand(upper, true)) return std::nullopt;
  return upper;
}

std::optional<std::string> CheckNodeName(std::string_view typed) {
  std::string upper = UpperName(typed);
  upper = upper.substr(0, kMaxNameLength);
  if (upper.empty() || upper == ".") return upper;
  if (!IsOperandName(upper, true)) return std::nullopt;
  return upper;
}

std::string SourceLabelName(std::string_view typed) {
  std::string upper = UpperName(typed);
  return upper.empty() ? std::string(":X") : upper.substr(0, kMaxNameLength);
}

}  // namespace tolmek
