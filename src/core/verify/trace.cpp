// Expectations and the side-by-side comparison over recorded traces.
#include "verify/trace.h"

#include <algorithm>
#include <cstdio>

namespace tolmek {

std::string Signal::ChipName() const {
  if (kind == Kind::Pin) return port + std::to_string(bit);
  char address_text[16];
  std::snprintf(address_text, sizeof address_text, "@0x%02x", address < 0 ? 0 : address);
  return name + address_text;
}

std::optional<size_t> Trace::Find(const std::string& name) const {
  for (size_t i = 0; i < channels.size(); ++i)
    if (channels[i].name == name) return i;
  return std::nullopt;
}

size_t RowAt(const Trace& trace, int64_t ms) {
  if (ms <= trace.stepMs) return 0;
  return size_t((ms + trace.stepMs - 1) / trace.stepMs - 1);
}

std::vector<FailedExpectation> CheckExpectations(const Bench& bench, const Trace& trace) {
  std::vector<FailedExpectation> failed;
  if (trace.rows.empty()) return failed;
  const size_t last = trace.rows.size() - 1;
  for (const BenchLine& line : bench.lines) {
    if (line.kind != BenchLine::Kind::Expect) continue;
    auto signal = trace.Find(line.name);
    if (!signal) continue;
    const size_t at = std::min(RowAt(trace, line.ms), last);
    const size_t first = std::min(RowAt(trace, std::max<int64_t>(0, line.ms - line.withinMs)), last);
    const size_t end = std::min(RowAt(trace, line.ms + line.withinMs), last);
    bool met = false;
    for (size_t row = first; row <= end && !met; ++row) met = trace.rows[row][*signal] == line.value;
    if (!met) failed.push_back({line, trace.rows[at][*signal]});
  }
  return failed;
}

std::optional<Divergence> FirstDivergence(const Trace& simulated, const Trace& chip) {
  const size_t rows = std::min(simulated.rows.size(), chip.rows.size());
  for (size_t row = 0; row < rows; ++row) {
    for (size_t s = 0; s < chip.channels.size(); ++s) {
      auto mine = simulated.Find(chip.channels[s].name);
      if (!mine || !chip.channels[s].OnChip()) continue;
      const int64_t onChip = chip.rows[row][s];
      if (onChip == kUnknown) continue;
      bool seen = false;
      for (size_t near = row == 0 ? 0 : row - 1; near <= std::min(row + 1, rows - 1) && !seen; ++near)
        seen = simulated.rows[near][*mine] == onChip;
      if (seen) continue;
      // Reported from the step where this run of different values began.
      size_t start = row;
      while (start > 0 && chip.rows[start - 1][s] != simulated.rows[start - 1][*mine]) --start;
      return Divergence{chip.MsOfRow(start), chip.channels[s].name, simulated.rows[start][*mine], chip.rows[start][s]};
    }
  }
  return std::nullopt;
}

}  // namespace tolmek
