// Warnings where the chip cannot do what the screen shows: the plan simulates fine, but the part behaves
// otherwise. They are reported at build and never stop it.
#pragma once

#include <string>
#include <vector>

#include "model/messages.h"

namespace tolmek {

class Analysis;
class Project;

struct ChipWarning {
  Msg number;
  // The message in the project's language, without its number, naming the pin or net and the block.
  std::string text;
  // The name of the block concerned; empty for warnings about the whole plan (the clock).
  std::string where;
};

// Runs its own analysis of the plan (without showing any message) and checks it against the chosen part.
[[nodiscard]] std::vector<ChipWarning> ChipWarnings(const Project& project);
// The same from an analysis that has just run on `project` (after generation), without running another.
[[nodiscard]] std::vector<ChipWarning> ChipWarnings(const Project& project, const Analysis& analysis);

// "warning 64: input on the MCLR pin ..." as the build lists it.
[[nodiscard]] std::string WarningLine(const ChipWarning& warning);

// True when a comment's text speaks of a pull-up resistor ("pull", German "hochzieh" or "arbeitswiderstand",
// Italian "resistenza verso"), in any case.
[[nodiscard]] bool MentionsPullUp(std::string_view text);

}  // namespace tolmek
