// tolmekc simulate: runs a plan for a number of ticks and prints the watched levels and values as CSV.
#include <charconv>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/bench_support.h"
#include "cli/cli_support.h"
#include "cli/commands.h"
#include "model/project.h"
#include "sim/engine.h"
#include "sim/plan_variables.h"

namespace tolmek::cli {
namespace {

// A change scripted for the moment before a tick (tick 0: right after the start).
struct Event {
  std::string name;
  int32_t value = 0;
  bool variable = false;
};

struct Script {
  std::map<long, std::vector<Event>> events;
  std::vector<std::string> watches;
  std::vector<int> pages;  // 0-based; empty: every page
  int rate = SimEngine::kDefaultRate;
  long ticks = 0;
};

constexpr std::string_view kUsage =
    "simulate PLAN.pic --ticks N [--pages 1,2] [--rate MS] [--set NET=LEVEL@TICK ...] "
    "[--setvar NAME=VALUE@TICK ...] [--watch NET|VAR,...] [--vcd FILE] [--password PW] [--lang de|en|it]";

template <class T>
bool ParseNumber(std::string_view text, T& out) {
  if (text.empty()) return false;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
  return ec == std::errc() && end == text.data() + text.size();
}

std::vector<std::string_view> SplitList(std::string_view text) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  while (start <= text.size()) {
    size_t comma = text.find(',', start);
    if (comma == std::string_view::npos) comma = text.size();
    if (comma > start) parts.push_back(text.substr(start, comma - start));
    start = comma + 1;
  }
  return parts;
}

// NAME=VALUE or NAME=VALUE@TICK; a net's value is a level, 0 or 1.
bool ParseEvent(std::string_view text, bool variable, Script& script) {
  size_t eq = text.find('=');
  if (eq == 0 || eq == std::string_view::npos) return false;
  Event e{std::string(text.substr(0, eq)), 0, variable};
  std::string_view rest = text.substr(eq + 1);
  long tick = 0;
  if (size_t at = rest.find('@'); at != std::string_view::npos) {
    if (!ParseNumber(rest.substr(at + 1), tick) || tick < 0) return false;
    rest = rest.substr(0, at);
  }
  if (!ParseNumber(rest, e.value)) return false;
  if (!variable && e.value != 0 && e.value != 1) return false;
  script.events[tick].push_back(std::move(e));
  return true;
}

// Takes the options that may repeat (--set, --setvar, --watch) out of `args`; the rest is left for the
// common parser. Returns an error text, empty when all was readable.
std::string TakeRepeatedOptions(std::vector<std::string>& args, Script& script) {
  std::vector<std::string> rest;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a != "--set" && a != "--setvar" && a != "--watch") {
      rest.push_back(a);
      continue;
    }
    if (i + 1 >= args.size()) return "option " + a + " needs a value";
    std::vector<std::string_view> items = SplitList(args[++i]);
    if (a == "--watch") {
      for (auto item : items) script.watches.emplace_back(item);
      continue;
    }
    // Several changes may follow one option, as separate words or separated by commas.
    while (i + 1 < args.size() && args[i + 1].rfind("--", 0) != 0 && args[i + 1].find('=') != std::string::npos)
      for (auto item : SplitList(args[++i])) items.push_back(item);
    for (auto item : items)
      if (!ParseEvent(item, a == "--setvar", script)) return "cannot read '" + std::string(item) + "' for " + a;
  }
  args = std::move(rest);
  return {};
}

std::string ReadNumbers(const Options& options, Script& script) {
  if (auto pages = options.Get("--pages")) {
    for (auto item : SplitList(*pages)) {
      int page = 0;
      if (!ParseNumber(item, page) || page < 1 || page > kPageCount)
        return "pages are numbered 1 to " + std::to_string(kPageCount);
      script.pages.push_back(page - 1);
    }
  }
  if (auto rate = options.Get("--rate"))
    if (!ParseNumber(*rate, script.rate) || script.rate < SimEngine::kMinRate || script.rate > SimEngine::kMaxRate)
      return "--rate takes milliseconds from 1 to 65535";
  auto ticks = options.Get("--ticks");
  if (!ticks) return "--ticks is required";
  if (!ParseNumber(*ticks, script.ticks) || script.ticks < 0) return "--ticks takes a count of ticks";
  return {};
}

// What one watched column reads.
struct Watch {
  std::string name;
  SimVariable* variable = nullptr;
  const TBauteil* net = nullptr;
};

}  // namespace

int RunSimulate(const std::vector<std::string>& arguments) {
  std::vector<std::string> args = arguments;
  Script script;
  if (std::string error = TakeRepeatedOptions(args, script); !error.empty()) return UsageError(kUsage, error);
  std::string error;
  auto options = ParseOptions(args, {"--pages", "--rate", "--ticks", "--vcd", "--password", "--lang"}, {}, error);
  if (!options) return UsageError(kUsage, error);
  if (options->positional.size() != 1) return UsageError(kUsage, "one plan file is needed");
  if (error = ReadNumbers(*options, script); !error.empty()) return UsageError(kUsage, error);

  Session session;
  if (!session.ApplyLanguage(*options)) return kExitUsage;
  if (!session.OpenPlan(options->positional.front(), *options)) return kExitFailure;
  Project& project = session.project;

  SimEngine engine(project);
  if (script.pages.empty()) engine.SetAllPagesOpen(true);
  for (int page : script.pages) engine.SetPageOpen(page, true);
  engine.SetSimRate(script.rate);
  AddPlanVariables(project, engine);

  // Names are checked before the run, so that a typing error does not pass for a low level.
  std::vector<Watch> watches;
  for (const auto& name : script.watches) {
    Watch w{name, engine.Variables().Find(name), nullptr};
    if (!w.variable) w.net = engine.NetCarrier(name);
    if (!w.variable && !w.net) return UsageError(kUsage, "no net or variable called '" + name + "'");
    watches.push_back(w);
  }
  for (const auto& [tick, list] : script.events)
    for (const Event& e : list) {
      if (e.variable && !engine.Variables().Find(e.name)) return UsageError(kUsage, "no variable called '" + e.name + "'");
      if (!e.variable && engine.NetLevel(e.name) < 0) return UsageError(kUsage, "no net called '" + e.name + "'");
    }

  auto apply = [&](long tick) {
    auto it = script.events.find(tick);
    if (it == script.events.end()) return;
    for (const Event& e : it->second) {
      if (e.variable)
        engine.Variables().Find(e.name)->Value = e.value;
      else
        engine.SetNetLevel(e.name, uint8_t(e.value));
    }
  };

  // The same values as a waveform, for --vcd.
  Trace trace;
  trace.stepMs = script.rate;
  for (const auto& w : watches) {
    Signal s;
    s.kind = w.variable ? Signal::Kind::Variable : Signal::Kind::InnerNet;
    s.name = w.name;
    s.bits = w.variable ? 16 : 1;
    trace.channels.push_back(std::move(s));
  }

  std::printf("tick,ms");
  for (const auto& w : watches) std::printf(",%s", w.name.c_str());
  std::printf("\n");

  // A message from a component (an unknown variable, a value out of range, the abort) means the run did
  // not show what the chip would do: the command fails, after printing the rows it ran.
  const int messagesBefore = session.sink.shown;
  engine.StartSimulation();
  apply(0);
  int exitCode = 0;
  for (long tick = 1; tick <= script.ticks; ++tick) {
    apply(tick);
    auto outcome = engine.Tick();
    if (outcome == SimEngine::TickOutcome::Aborted) {
      exitCode = kExitFailure;
      break;
    }
    std::printf("%ld,%lld", tick, static_cast<long long>(engine.ElapsedMs()));
    std::vector<int64_t>& row = trace.rows.emplace_back();
    for (const auto& w : watches) {
      row.push_back(w.variable ? int64_t(w.variable->Value) & 0xFFFF : int64_t(w.net->Marked));
      if (w.variable)
        std::printf(",%ld", static_cast<long>(w.variable->Value));
      else
        std::printf(",%d", int(w.net->Marked));
    }
    std::printf("\n");
  }
  engine.StopSimulation();
  std::fflush(stdout);
  if (session.sink.shown > messagesBefore) exitCode = kExitFailure;
  if (!WriteVcdOption(*options, {{"simulation", &trace}})) exitCode = kExitFailure;
  return exitCode;
}

}  // namespace tolmek::cli
