// Rules for names typed into the pin, node and label dialogs.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tolmek {

// Net names use "A".."Z", "0".."9", "_" and "." only (after upper-casing).
[[nodiscard]] bool IsNetNameText(std::string_view upper);

// 1-bit pin: upper-cased; empty means "."; otherwise it needs a "." (a bit). nullopt = refused (message 14).
[[nodiscard]] std::optional<std::string> CheckBitPinName(std::string_view typed);
// 8/16-bit pin: the first character as typed must be "0".."9", "A".."Z" or "_"; empty is accepted.
[[nodiscard]] std::optional<std::string> CheckWordPinName(std::string_view typed);
// Junction node: like the 1-bit rule without the need for a "."; empty and "." are accepted.
[[nodiscard]] std::optional<std::string> CheckNodeName(std::string_view typed);
// Source label: an empty name becomes ":X" so that renumbering names it.
[[nodiscard]] std::string SourceLabelName(std::string_view typed);

}  // namespace tolmek
