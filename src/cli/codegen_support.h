// What the code-generating commands take from the user's settings file.
#pragma once

#include <string>

#include "model/project.h"

namespace tolmek::cli {

struct Environment {
  std::string Assembler;  // Tools/Assembler, "gpasm" when the settings name none
};

// Reads the settings file of the standard folder (when there is one): the bank-selection optimisation goes
// into the project's options, the assembler is returned.
Environment ApplyEnvironment(Project& project);

}  // namespace tolmek::cli
