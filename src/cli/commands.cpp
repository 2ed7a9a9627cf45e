// The table of tolmekc's sub-commands.
#include "cli/commands.h"

#include <vector>

namespace tolmek::cli {

std::span<const Command> Commands() {
  static const std::vector<Command> table = {
      // One row per command: {"name", "usage line", &RunName},
  };
  return table;
}

}  // namespace tolmek::cli
