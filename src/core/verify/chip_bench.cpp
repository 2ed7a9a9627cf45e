// The chip side of a bench run, through one scripted gpsim session.
#include "verify/chip_bench.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>
#include <optional>
#include <regex>
#include <set>
#include <sstream>

namespace tolmek {
namespace {

std::string RegisterAt(int address) {
  std::ostringstream s;
  s << "reg(0x" << std::hex << address << ")";
  return s.str();
}

// The program address of the main loop's label, read from the assembler listing ("01EC   00801 MAIN").
std::optional<uint64_t> MainLoopAddress(const Assembly& program) {
  std::ifstream listing(program.listing);
  static const std::regex label(R"(^([0-9A-Fa-f]{4})\s+\d+\s+MAIN\s*$)");
  std::string line;
  std::smatch m;
  while (std::getline(listing, line))
    if (std::regex_match(line, m, label)) return std::stoull(m[1].str(), nullptr, 16);
  return std::nullopt;
}

// The cycle at which the chip first enters the main loop. The screen runs its first step at once; the chip
// runs its initialisation first, which an LCD module's start-up stretches to a quarter second at 4 MHz.
// Bench time 0 on the chip is therefore this cycle. Zero when the loop is not reached within `limit`.
uint64_t MainLoopCycle(const Assembly& program, const std::string& gpsimProcessor, uint64_t limit,
                       int timeLimitSeconds) {
  const std::optional<uint64_t> main = MainLoopAddress(program);
  if (!main) return 0;
  GpsimRun gpsim(program, gpsimProcessor);
  gpsim.SetTimeLimit(timeLimitSeconds);
  std::ostringstream breakAt;
  breakAt << "break e 0x" << std::hex << *main;
  gpsim.Setup(breakAt.str());
  const size_t sample = gpsim.Sample(limit, "cycles");
  if (!gpsim.Run()) return 0;
  const std::optional<int64_t> cycles = gpsim.Value(sample);
  return cycles && *cycles > 0 && uint64_t(*cycles) < limit ? uint64_t(*cycles) : 0;
}

}  // namespace

ChipRun RunOnChip(const Assembly& program, const std::string& gpsimProcessor, const Bench& bench,
                  std::vector<Signal> channels, int64_t clockHz, int timeLimitSeconds) {
  ChipRun run;
  run.trace.stepMs = bench.stepMs;
  run.trace.channels = std::move(channels);
  const double cyclesPerMs = double(clockHz) / 4000.0;
  const uint64_t start = MainLoopCycle(program, gpsimProcessor, uint64_t(std::llround(double(bench.endMs) * cyclesPerMs)),
                                       timeLimitSeconds);
  run.startCycle = start;
  auto cycleAt = [&](int64_t ms) { return start + uint64_t(std::llround(double(ms) * cyclesPerMs)); };
  // A change one cycle after its time: a sample taken at the same time still sees the old value, as on screen.
  auto changeAt = [&](int64_t ms) { return cycleAt(ms) + 1; };

  GpsimRun gpsim(program, gpsimProcessor);
  gpsim.SetTimeLimit(timeLimitSeconds);
  // A/D results set by the bench become voltages on their pins; such a pin is not driven as a digital input.
  std::set<std::string> analogue;
  for (const Signal& s : run.trace.channels) {
    if (s.analoguePin.empty() || s.fullScale <= 0) continue;
    // The middle of the value's step, whether the converter divides 5 V into full scale or full scale + 1 steps.
    auto volts = [&](int64_t value) { return std::min(5.0, (double(value) + 0.5) * 5.0 / (s.fullScale + 0.5)); };
    double initial = 0;
    std::vector<std::pair<uint64_t, double>> later;
    for (const BenchLine& line : bench.lines) {
      if (line.kind != BenchLine::Kind::Set || line.name != s.name) continue;
      if (line.ms == 0) initial = volts(line.value);
      else later.push_back({cycleAt(line.ms), volts(line.value)});
    }
    const std::string source = GpsimRun::VoltageSource(analogue.size());
    gpsim.Voltage(s.analoguePin, initial);
    for (const auto& [cycle, v] : later) gpsim.Command(cycle, source + ".voltage = " + std::to_string(v));
    analogue.insert(s.analoguePin);
  }
  for (const Signal& s : run.trace.channels) {
    if (s.kind != Signal::Kind::Pin || s.output || analogue.count(s.port + std::to_string(s.bit))) continue;
    std::vector<std::pair<uint64_t, int>> edges{{0, 0}};
    for (const BenchLine& line : bench.lines)
      if (line.kind == BenchLine::Kind::Set && line.name == s.name) edges.push_back({changeAt(line.ms), int(line.value)});
    gpsim.Drive(s.port + std::to_string(s.bit), edges);
  }
  // One sample per port register and per variable cell at every step end.
  const int64_t steps = bench.Steps();
  std::vector<std::map<std::string, size_t>> samples(static_cast<size_t>(steps));
  for (int64_t step = 1; step <= steps; ++step) {
    auto& at = samples[size_t(step - 1)];
    const uint64_t cycle = cycleAt(step * bench.stepMs);
    for (const Signal& s : run.trace.channels) {
      std::vector<std::string> reads;
      if (s.kind == Signal::Kind::Pin) reads.push_back(s.port);
      if (s.kind == Signal::Kind::Variable && s.address >= 0) reads.push_back(RegisterAt(s.address));
      if (s.kind == Signal::Kind::Variable && s.highAddress >= 0) reads.push_back(RegisterAt(s.highAddress));
      for (const std::string& r : reads)
        if (!at.count(r)) at[r] = gpsim.Sample(cycle, r);
    }
  }
  for (const BenchLine& line : bench.lines) {
    if (line.kind != BenchLine::Kind::Set) continue;
    auto index = run.trace.Find(line.name);
    if (!index) continue;
    const Signal& s = run.trace.channels[*index];
    if (s.kind != Signal::Kind::Variable || s.address < 0 || !s.analoguePin.empty()) continue;
    // A change at 0 ms is written once the program has cleared its RAM, in the first step. Any other is
    // written at its own cycle, after the samples of that cycle (given first), which still see the old value
    // as on screen. One cycle later would not do: gpsim may stop a cycle late after a two-cycle instruction
    // and then ignores a stop at the cycle gone by.
    const uint64_t cycle = line.ms == 0 ? start + (cycleAt(bench.stepMs) - start) / 2 : cycleAt(line.ms);
    gpsim.Command(cycle, RegisterAt(s.address) + " = " + std::to_string(line.value & 0xFF));
    if (s.highAddress >= 0) gpsim.Command(cycle, RegisterAt(s.highAddress) + " = " + std::to_string(line.value >> 8));
  }

  run.ran = gpsim.Run();
  run.output = gpsim.Output();

  for (const auto& at : samples) {
    auto value = [&](const std::string& r) -> int64_t {
      auto it = at.find(r);
      if (it == at.end()) return kUnknown;
      return gpsim.Value(it->second).value_or(kUnknown);
    };
    std::vector<int64_t> row;
    for (const Signal& s : run.trace.channels) {
      int64_t v = kUnknown;
      if (s.kind == Signal::Kind::Pin) {
        const int64_t port = value(s.port);
        v = port == kUnknown ? kUnknown : (port >> s.bit) & 1;
      } else if (s.kind == Signal::Kind::Variable && s.address >= 0) {
        v = value(RegisterAt(s.address));
        if (s.highAddress >= 0 && v != kUnknown) {
          const int64_t high = value(RegisterAt(s.highAddress));
          v = high == kUnknown ? kUnknown : v | (high << 8);
        }
      }
      row.push_back(v);
    }
    run.trace.rows.push_back(std::move(row));
  }
  return run;
}

}  // namespace tolmek
