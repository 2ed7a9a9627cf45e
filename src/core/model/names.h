// Rules for names typed into the pin, node and label dialogs.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tolmek {

// Net names use "A".."Z", "0".."9", "_" and "." only (after upper-casing).
[[nodiscard]] bool IsNetNameText(std::string_view upper);

// Every typed net name becomes an assembler operand: a bit name is a byte name, "." and a bit digit 0..7;
// a byte name is a decimal number where `constantAllowed`, else starts with "A".."Z" or "_".
[[nodiscard]] bool IsOperandName(std::string_view upper, bool constantAllowed);

// 1-bit pin: upper-cased; empty means "."; otherwise a bit name as above. nullopt = refused (message 14).
[[nodiscard]] std::optional<std::string> CheckBitPinName(std::string_view typed);
// 8/16-bit pin: the first character as typed must be "0".."9", "A".."Z" or "_", and the whole a byte name
// (a number is a constant); empty is accepted.
[[nodiscard]] std::optional<std::string> CheckWordPinName(std::string_view typed);
// Junction node: a bit name or a byte name (a number is a constant); empty and "." are accepted.
[[nodiscard]] std::optional<std::string> CheckNodeName(std::string_view typed);
// Source label: an empty name becomes ":X" so that renumbering names it.
[[nodiscard]] std::string SourceLabelName(std::string_view typed);

}  // namespace tolmek
