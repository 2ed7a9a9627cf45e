// Fuzz target for test bench files: any text may come in. Reading never fails hard; what is read keeps its
// promises (lines in time order, within the limits, every problem on a line of the text).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "verify/bench.h"

namespace {

void Require(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tolmek;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const BenchReading r = ReadBench(text, "fuzz.tbench");
  size_t lines = 1;
  for (char c : text) lines += c == '\n';
  for (const BenchProblem& p : r.problems) Require(p.line >= 1 && size_t(p.line) <= lines, "problem off the text");
  const Bench& b = r.bench;
  Require(b.stepMs >= 1 && b.stepMs <= 65535, "step out of range");
  Require(b.endMs >= 1, "no run length");
  int64_t last = 0;
  for (const BenchLine& l : b.lines) {
    Require(l.ms >= last && l.ms <= kMaxBenchMs, "time out of order");
    Require(l.value >= 0 && l.value <= 65535, "value out of range");
    Require(!l.name.empty(), "line without a name");
    last = l.ms;
  }
  return 0;
}
