// What the code-generating commands take from the user's settings file.
#pragma once

#include <string>
#include <vector>

#include "codegen/chip_warnings.h"

#include "model/project.h"

namespace tolmek::cli {

struct Environment {
  std::string Assembler;  // Tools/Assembler, "gpasm" when the settings name none
};

// Reads the settings file of the standard folder (when there is one): the bank-selection optimisation goes
// into the project's options, the assembler is returned.
Environment ApplyEnvironment(Project& project);

// Prints "warning NN: text" on stderr for each; they never change the exit code.
void PrintWarnings(const std::vector<ChipWarning>& warnings);

}  // namespace tolmek::cli
