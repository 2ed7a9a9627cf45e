// The depth of the call chains of a generated program, measured on its instructions.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

namespace tolmek {

struct CallChain {
  int depth = 0;                   // return addresses on the stack at the deepest point
  std::vector<std::string> calls;  // the routines called along that chain, outermost first
  bool recursive = false;          // a routine that calls itself (directly or not): no bound
};

// Follows every path from instruction `entry` (jumps, skips, fall-through; a return or a computed jump
// ends a path) and gives the deepest chain of calls reached.
[[nodiscard]] CallChain DeepestCallChain(const std::vector<std::string>& code,
                                         const std::unordered_map<std::string, size_t>& labels, size_t entry);

}  // namespace tolmek
