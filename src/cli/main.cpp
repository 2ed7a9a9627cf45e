// tolmekc: command-line front end (dump, export, import, generate, build, simulate).
#include <cstdio>
#include <string>
#include <vector>

#include "cli/commands.h"

namespace {

int Usage(FILE* to) {
  std::fprintf(to, "usage: tolmekc COMMAND [ARGS]\n\ncommands:\n");
  for (const auto& c : tolmek::cli::Commands()) std::fprintf(to, "  %s\n", c.usage);
  return to == stdout ? 0 : 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage(stderr);
  std::string name = argv[1];
  if (name == "help" || name == "--help" || name == "-h") return Usage(stdout);
  std::vector<std::string> args(argv + 2, argv + argc);
  for (const auto& c : tolmek::cli::Commands())
    if (name == c.name) return c.run(args);
  std::fprintf(stderr, "tolmekc: unknown command '%s'\n", name.c_str());
  return Usage(stderr);
}
