// Rules for names typed into the pin, node and label dialogs.
#include "model/names.h"

#include "model/element.h"

namespace tolmek {

bool IsNetNameText(std::string_view s) {
  for (char c : s) {
    bool ok = (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '.';
    if (!ok) return false;
  }
  return true;
}

std::optional<std::string> CheckBitPinName(std::string_view typed) {
  std::string upper = UpperName(typed);
  if (upper.empty()) return std::string(".");
  if (upper.find('.') == std::string::npos || !IsNetNameText(upper)) return std::nullopt;
  return upper.substr(0, kMaxNameLength);
}

std::optional<std::string> CheckWordPinName(std::string_view typed) {
  if (typed.empty()) return std::string();
  char c = typed.front();
  if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || c == '_')) return std::nullopt;
  return UpperName(typed.substr(0, kMaxNameLength));
}

std::optional<std::string> CheckNodeName(std::string_view typed) {
  std::string upper = UpperName(typed);
  if (!IsNetNameText(upper)) return std::nullopt;
  return upper.substr(0, kMaxNameLength);
}

std::string SourceLabelName(std::string_view typed) {
  std::string upper = UpperName(typed);
  return upper.empty() ? std::string(":X") : upper.substr(0, kMaxNameLength);
}

}  // namespace tolmek
