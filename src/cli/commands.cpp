// The table of tolmekc's sub-commands.
#include "cli/commands.h"

#include <vector>

namespace tolmek::cli {

std::span<const Command> Commands() {
  static const std::vector<Command> table = {
      // One row per command: {"name", "usage line", &RunName},
      {"dump", "dump PLAN.pic [--password PW] [--lang de|en|it]", &RunDump},
      {"export", "export PLAN.pic [-o PLAN.json] [--password PW] [--lang de|en|it]", &RunExport},
      {"import", "import PLAN.json -o PLAN.pic [--lang de|en|it]", &RunImport},
      {"generate", "generate PLAN.pic [-o OUT.asm|-] [--password PW] [--lang de|en|it]", &RunGenerate},
      {"build", "build PLAN.pic [--assembler PROG] [--password PW] [--lang de|en|it]", &RunBuild},
      {"simulate", "simulate PLAN.pic --ticks N [--pages 1,2] [--rate MS] [--set NET=LEVEL@TICK ...] [--setvar NAME=VALUE@TICK ...] [--watch NET|VAR,...] [--vcd FILE]", &RunSimulate},
      {"test", "test PLAN.pic [BENCH.tbench] [--vcd FILE]", &RunTest},
      {"verify", "verify PLAN.pic [BENCH.tbench] [--vcd FILE] [--time-limit S]", &RunVerify},
  };
  return table;
}

}  // namespace tolmek::cli
