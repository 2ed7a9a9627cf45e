// The simulation side of a bench run.
#include "verify/sim_bench.h"

#include <algorithm>
#include <cctype>
#include <set>

#include "codegen/processors.h"
#include "components/pulsout.h"
#include "model/pin.h"

namespace tolmek {
namespace {

// The gpsim register of a port byte name: "RB" -> "portb", "GP" -> "gpio"; empty for anything else.
std::string PortRegister(const std::string& byteName, const ProcessorProps& props) {
  if (byteName == "GP" && props.GpioPorts) return "gpio";
  if (byteName.size() == 2 && byteName[0] == 'R' && props.HasPort(byteName[1]))
    return std::string("port") + char(std::tolower(static_cast<unsigned char>(byteName[1])));
  return {};
}

// A 1-bit net of the plan ("RA.0", "S0.3"). A byte or word net carries a bare name: its pins hold no level,
// the variable of that name holds its value.
bool IsBitNet(const SimEngine& engine, const std::string& name) {
  return name.find('.') != std::string::npos && engine.NetLevel(name) >= 0;
}

}  // namespace

BenchSignals SignalsOf(const Bench& bench, const Analysis& analysis, SimEngine& engine) {
  BenchSignals out;
  auto find = [&](const std::string& name) -> Signal* {
    for (Signal& s : out.channels)
      if (s.name == name) return &s;
    return nullptr;
  };
  // The pulse output does not take part in the simulation: the screen never shows the pulse or the PWM the
  // chip puts on its pin, so that pin is not compared.
  std::set<std::string> unsimulated;
  for (const auto& e : analysis.GetProject().Elements())
    if (e->Kind == kind::PulsOut) unsimulated.insert(static_cast<const TObjPulsOut&>(*e).Output().Name);
  // Every net whose name is a pin of the part; the program drives those that an output pin names.
  auto addPin = [&](const std::string& name) {
    const size_t dot = name.find('.');
    if (dot == std::string::npos || dot + 2 != name.size() || name[dot + 1] < '0' || name[dot + 1] > '7') return;
    const std::string port = PortRegister(name.substr(0, dot), analysis.Props());
    if (port.empty() || find(name) || unsimulated.count(name)) return;
    Signal s;
    s.name = name;
    s.port = port;
    s.bit = name[dot + 1] - '0';
    out.channels.push_back(std::move(s));
  };
  for (const auto& e : analysis.GetProject().Elements()) {
    if (e->IsNode()) addPin(e->Name);
    for (const TObjAnschluss* pin : e->Pins())
      if (pin->Bits == 1) addPin(pin->Name);
  }
  for (const BitRecord& r : analysis.BitNames())
    if (Signal* s = find(r.ByteName + "." + std::to_string(r.Bit)); s && r.Kind == kind::OutputPin) s->output = true;
  std::sort(out.channels.begin(), out.channels.end(), [](const Signal& a, const Signal& b) { return a.name < b.name; });

  for (const BenchLine& line : bench.lines) {
    const bool net = IsBitNet(engine, line.name);
    Signal* known = find(line.name);
    if (!known && !net && !engine.Variables().Find(line.name)) {
      out.problems.push_back({Msg::BenchUnknownName, line.line, BenchPlace(bench, line.line), line.name});
      continue;
    }
    if (net && line.kind != BenchLine::Kind::Watch && line.value > 1) {
      out.problems.push_back({Msg::BenchValueRange, line.line, BenchPlace(bench, line.line), line.name});
      continue;
    }
    if (!known) {
      Signal s;
      s.kind = net ? Signal::Kind::InnerNet : Signal::Kind::Variable;
      s.name = line.name;
      s.bits = net ? 1 : 8;
      if (!net && analysis.Ram().CellExists(line.name + "_HI")) s.bits = 16;
      out.channels.push_back(std::move(s));
    }
  }
  return out;
}

SimulatedRun RunOnSimulation(SimEngine& engine, const Bench& bench, std::vector<Signal> channels) {
  SimulatedRun run;
  run.trace.stepMs = bench.stepMs;
  run.trace.channels = std::move(channels);
  engine.SetAllPagesOpen(true);
  engine.SetSimRate(bench.stepMs);
  engine.StartSimulation();

  auto sets = bench.lines.begin();
  auto applyUntil = [&](int64_t beforeMs) {
    for (; sets != bench.lines.end() && sets->ms < beforeMs; ++sets) {
      if (sets->kind != BenchLine::Kind::Set) continue;
      if (SimVariable* v = engine.Variables().Find(sets->name); v && !IsBitNet(engine, sets->name))
        v->Value = int32_t(sets->value);
      else
        engine.SetNetLevel(sets->name, uint8_t(sets->value));
    }
  };
  const int64_t steps = bench.Steps();
  for (int64_t step = 1; step <= steps; ++step) {
    // Changes at times within this step's span come before it.
    applyUntil(step * bench.stepMs);
    if (engine.Tick() == SimEngine::TickOutcome::Aborted) {
      run.aborted = true;
      break;
    }
    std::vector<int64_t> row;
    row.reserve(run.trace.channels.size());
    for (const Signal& s : run.trace.channels) {
      if (s.kind == Signal::Kind::Variable) {
        const SimVariable* v = engine.Variables().Find(s.name);
        const int64_t mask = s.bits == 16 ? 0xFFFF : 0xFF;
        int64_t value = v ? (int64_t(v->Value) & mask) : kUnknown;
        // A byte whose bits are nets of the plan ("FLAG.0" ..) holds on the screen what those nets show, as
        // the chip keeps them in that byte.
        for (int bit = 0; bit < 8 && value != kUnknown; ++bit)
          if (const int level = engine.NetLevel(s.name + "." + std::to_string(bit)); level >= 0)
            value = (value & ~(int64_t(1) << bit)) | (int64_t(level & 1) << bit);
        row.push_back(value);
      } else {
        row.push_back(engine.NetLevel(s.name));
      }
    }
    run.trace.rows.push_back(std::move(row));
  }
  engine.StopSimulation();
  return run;
}

}  // namespace tolmek
