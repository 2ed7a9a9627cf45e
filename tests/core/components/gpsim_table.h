// Truth tables run on a simulated chip: input pins (alone or as the bits of a byte) are set row by row,
// and after a while output bits are read and compared with the row's expectation.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "support/gputils_runner.h"

namespace tolmek::test {

// Pins as gpsim names them, least significant bit first; a row gives the group's value.
using PinGroup = std::vector<std::string>;

struct OutputBit {
  std::string reg;  // "porta", "gpio", ...
  int bit;
};

struct TableRow {
  std::vector<int> in;  // one value per pin group
  std::string out;      // '0' or '1' per output bit
};

// Rows start at `first` and follow every `period` cycles; outputs are read from `settle` cycles into a row
// on, at several instants spaced unevenly, so that an output the program toggles on every pass of its
// loop cannot pass for a steady level by being read in step with it.
struct TableTiming {
  uint64_t first = 5000;
  uint64_t period = 3000;
  uint64_t settle = 2500;
};
inline constexpr uint64_t kSampleOffsets[] = {0, 53, 151, 307, 449};

// Runs the table in one gpsim session and reports every output that differs from its row.
inline void ExpectTable(const Assembly& program, const std::vector<PinGroup>& groups,
                        const std::vector<OutputBit>& outputs, const std::vector<TableRow>& rows,
                        TableTiming t = {}) {
  GpsimRun sim(program);
  for (size_t g = 0; g < groups.size(); ++g) {
    for (size_t b = 0; b < groups[g].size(); ++b) {
      std::vector<std::pair<uint64_t, int>> edges{{0, 0}};
      for (size_t r = 0; r < rows.size(); ++r) {
        const int level = (rows[r].in.at(g) >> b) & 1;
        if (level != edges.back().second) edges.push_back({t.first + r * t.period, level});
      }
      sim.Drive(groups[g][b], edges);
    }
  }
  std::vector<std::map<std::string, std::vector<size_t>>> samples(rows.size());
  for (size_t r = 0; r < rows.size(); ++r)
    for (const OutputBit& o : outputs) {
      if (samples[r].count(o.reg)) continue;
      for (uint64_t offset : kSampleOffsets)
        if (t.settle + offset < t.period)
          samples[r][o.reg].push_back(sim.Sample(t.first + r * t.period + t.settle + offset, o.reg));
    }
  ASSERT_TRUE(sim.Run()) << sim.Output() << "\n" << sim.Script();
  for (size_t r = 0; r < rows.size(); ++r) {
    ASSERT_EQ(rows[r].out.size(), outputs.size()) << "row " << r;
    for (size_t o = 0; o < outputs.size(); ++o) {
      for (size_t k = 0; k < samples[r][outputs[o].reg].size(); ++k) {
        const auto value = sim.Value(samples[r][outputs[o].reg][k]);
        ASSERT_TRUE(value.has_value());
        const int level = int((*value >> outputs[o].bit) & 1);
        EXPECT_EQ(level, rows[r].out[o] - '0')
            << "row " << r << ", output " << outputs[o].reg << outputs[o].bit << ", reading " << k;
      }
    }
  }
}

}  // namespace tolmek::test
