// Test benches: a text file beside a plan that changes inputs over time and states what the outputs must be.
//
//   # Test bench for lamp.pic            comments start with "#", blank lines are skipped
//   step 10                              simulation step in ms (default 10)
//   end 2000                             run length in ms (default: the last line's time plus one step)
//   0    set RA.0 1                      at 0 ms the net RA.0 goes high (nets take 0 or 1)
//   500  set LIMIT 120                   a byte or word variable takes a value (decimal or 0x..)
//   520  expect RB.0 1                   at 520 ms RB.0 must be high ...
//   900  expect RB.0 0 within 30         ... and at 900 ms low, at some moment from 870 to 930 ms
//   0    watch COUNT                     a variable recorded and compared without an expectation
//
// Lines are in time order; "=" between name and value may be written ("set RA.0 = 1").
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/messages.h"

namespace tolmek {

// The extension of a bench file; the bench of "lamp.pic" is "lamp.tbench".
inline constexpr std::string_view kBenchExtension = ".tbench";
inline constexpr int kDefaultBenchStep = 10;
// The longest run a bench may ask for (one hour of chip time).
inline constexpr int64_t kMaxBenchMs = 3'600'000;

struct BenchLine {
  enum class Kind { Set, Expect, Watch };
  Kind kind = Kind::Set;
  int line = 0;             // line number in the file, from 1
  int64_t ms = 0;
  std::string name;         // a net ("RA.0") or a variable
  int64_t value = 0;
  int64_t withinMs = 0;     // expectations only
};

struct Bench {
  std::string fileName;     // for messages
  int stepMs = kDefaultBenchStep;
  int64_t endMs = 0;        // always set after reading: the explicit end or the derived one
  std::vector<BenchLine> lines;
  // Ticks of the simulation a run of this bench takes.
  [[nodiscard]] int64_t Steps() const { return (endMs + stepMs - 1) / stepMs; }
};

// A line that could not be used: the message, the place ("lamp.tbench:12") and the text it is about.
struct BenchProblem {
  Msg number;
  int line = 0;
  std::string place;
  std::string detail;
};

struct BenchReading {
  Bench bench;
  std::vector<BenchProblem> problems;  // the bench is usable only when this is empty
};

// Reads a bench's text; every line that cannot be read is reported with its line number.
[[nodiscard]] BenchReading ReadBench(std::string_view text, std::string fileName);
// The bench file that belongs to a plan file: the same folder and base name with the bench extension.
[[nodiscard]] std::string BenchPathFor(const std::string& planPath);
// "lamp.tbench:12".
[[nodiscard]] std::string BenchPlace(const Bench& bench, int line);

}  // namespace tolmek
