// gpasm and gpsim driven from code: assemble a source, parse error file and listing, script a simulation.
#include "verify/gputils.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <charconv>
#include <fstream>
#include <set>
#include <sstream>

#include <unistd.h>

#include "codegen/process.h"

namespace tolmek {
namespace fs = std::filesystem;

namespace {

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::string ReadFile(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

bool OnPath(const std::string& program) {
  const char* path = std::getenv("PATH");
  if (!path) return false;
  std::istringstream dirs(path);
  std::string dir;
  while (std::getline(dirs, dir, ':'))
    if (!dir.empty() && ::access((fs::path(dir) / program).c_str(), X_OK) == 0) return true;
  return false;
}

// The processors gpsim 0.31 simulates that the generated programs can target.
const std::set<std::string>& GpsimParts() {
  static const std::set<std::string> parts = {
      "p12c508", "p12c509", "p12ce518", "p12ce519", "p16c54",  "p16c55",  "p16c56",  "p16c61",
      "p16c62",  "p16c63",  "p16c64",   "p16c65",   "p16c71",  "p16c712", "p16c716", "p16c72",
      "p16c73",  "p16c74",  "p16c84",   "p16f84",   "p16f627", "p16f628", "p16f873", "p16f874",
      "p16f876", "p16f877",
  };
  return parts;
}

std::optional<int64_t> ParseNumber(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  text.remove_prefix(i);
  int base = 10;
  if (text.starts_with("0x") || text.starts_with("0X")) {
    base = 16;
    text.remove_prefix(2);
  } else if (text.starts_with("$")) {
    base = 16;
    text.remove_prefix(1);
  }
  std::string digits;
  for (char c : text) {
    if (!std::isxdigit(static_cast<unsigned char>(c))) break;
    digits += c;
  }
  if (digits.empty()) return std::nullopt;
  return std::stoll(digits, nullptr, base);
}

}  // namespace

bool HaveGpasm() {
  static const bool have = OnPath("gpasm");
  return have;
}

bool HaveGpsim() {
  static const bool have = OnPath("gpsim");
  return have;
}

ScratchDir::ScratchDir(const std::string& name) {
  static std::atomic<int> counter{0};
  path_ = fs::temp_directory_path() /
          ("tolmek_" + name + "_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
  fs::remove_all(path_);
  fs::create_directories(path_);
}

ScratchDir::~ScratchDir() {
  std::error_code ec;
  fs::remove_all(path_, ec);
}

std::optional<int64_t> Assembly::Symbol(const std::string& name) const {
  auto it = symbols.find(name);
  if (it == symbols.end()) return std::nullopt;
  return it->second;
}

std::string Assembly::Report() const {
  return "gpasm exit " + std::to_string(exitCode) + "\n" + errorFile;
}

Assembly Assemble(const std::string& source, const fs::path& dir, const std::string& baseName) {
  Assembly a;
  a.source = dir / (baseName + ".ASM");
  {
    std::ofstream out(a.source, std::ios::binary | std::ios::trunc);
    out << source;
  }
  for (const char* ext : {".err", ".lst", ".hex", ".cod"}) fs::remove(dir / (baseName + ext));
  const ProcessResult p = RunProcess({"gpasm", "-k", "-i", a.source.string()}, dir.string());
  a.exitCode = p.Started ? p.ExitCode : -1;
  a.hex = dir / (baseName + ".hex");
  a.cod = dir / (baseName + ".cod");
  a.listing = dir / (baseName + ".lst");

  std::istringstream err(ReadFile(dir / (baseName + ".err")));
  std::string line;
  while (std::getline(err, line)) {
    if (line.find("Found lower case match for include filename") != std::string::npos) continue;
    if (line.rfind("Error", 0) == 0) a.errors.push_back(line);
    else if (line.rfind("Warning", 0) == 0) a.warnings.push_back(line);
    else if (line.rfind("Message", 0) == 0) a.messages.push_back(line);
    a.errorFile += line + "\n";
  }
  if (!p.Started) a.errorFile += "gpasm could not be started\n";
  else if (a.exitCode != 0 && a.errors.empty()) a.errorFile += p.Output;

  a.listingText = ReadFile(a.listing);
  std::istringstream lst(a.listingText);
  bool inSymbols = false;
  while (std::getline(lst, line)) {
    if (line.rfind("SYMBOL TABLE", 0) == 0) {
      inSymbols = true;
      continue;
    }
    if (line.rfind("MEMORY USAGE MAP", 0) == 0) inSymbols = false;
    const std::string usedKey = "Program Memory Words Used:";
    if (line.rfind(usedKey, 0) == 0) a.wordsUsed = std::stoi(line.substr(usedKey.size()));
    if (!inSymbols) continue;
    std::istringstream words(line);
    std::string name, value;
    if (!(words >> name >> value) || value.size() != 8) continue;
    if (!std::all_of(value.begin(), value.end(), [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); }))
      continue;
    a.symbols[name] = std::stoll(value, nullptr, 16);
  }
  return a;
}

std::string ProcessorOfSource(const std::string& source) {
  std::istringstream in(source);
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream words(line);
    std::string first, second;
    if (words >> first >> second && Lower(first) == "processor") return second;
  }
  return {};
}

std::string GpsimProcessor(const std::string& partName) {
  std::string name = "p" + Lower(partName);
  const auto& parts = GpsimParts();
  while (name.size() > 3) {
    if (parts.count(name)) return name;
    const char last = name.back();
    if (last != 'a' && last != 'b' && last != 'c') break;
    name.pop_back();
  }
  return {};
}

GpsimRun::GpsimRun(const Assembly& program, std::string processor) : program_(program), processor_(std::move(processor)) {
  if (processor_.empty()) processor_ = GpsimProcessor(ProcessorOfSource(ReadFile(program.source)));
}

void GpsimRun::Drive(const std::string& pin, const std::vector<std::pair<uint64_t, int>>& edges) {
  stimuli_.push_back({pin, edges});
}

size_t GpsimRun::Sample(uint64_t cycle, const std::string& expression) {
  samples_.push_back({cycle, expression});
  return samples_.size() - 1;
}

void GpsimRun::Command(uint64_t cycle, const std::string& command) { samples_.push_back({cycle, command, true}); }

bool GpsimRun::Run() {
  values_.assign(samples_.size(), std::nullopt);
  if (processor_.empty()) {
    output_ = "no gpsim processor for this part";
    return false;
  }
  std::ostringstream s;
  s << "load " << processor_ << " " << program_.hex.string() << "\n";
  // A reset (a 12-bit part waking from sleep, the watchdog) must not stop the scripted run between samples.
  s << processor_ << ".BreakOnReset = false\n";
  s << setup_;
  const fs::path logPath = program_.source.parent_path() / "tolmek_writes.log";
  if (!logged_.empty()) {
    s << "log on " << logPath.string() << "\n";
    for (const std::string& reg : logged_) s << "log w " << reg << "\n";
  }
  for (size_t i = 0; i < stimuli_.size(); ++i) {
    const Stimulus& st = stimuli_[i];
    // gpsim ignores an edge at cycle 0: the level there is the stimulus's initial state.
    int initial = 0;
    std::vector<std::pair<uint64_t, int>> later;
    for (const auto& edge : st.edges) {
      if (edge.first == 0) initial = edge.second;
      else later.push_back(edge);
    }
    if (later.empty()) later.push_back({1, initial});
    s << "stimulus asynchronous_stimulus\n";
    s << "initial_state " << initial << "\n";
    s << "start_cycle 0\n{ ";
    for (size_t e = 0; e < later.size(); ++e) {
      if (e) s << ", ";
      s << later[e].first << ", " << later[e].second;
    }
    s << " }\nname tolmek_s" << i << "\nend\n";
    s << "node tolmek_n" << i << "\n";
    s << "attach tolmek_n" << i << " tolmek_s" << i << " " << st.pin << "\n";
  }
  if (!voltages_.empty()) s << "module library libgpsim_modules\n";
  for (size_t i = 0; i < voltages_.size(); ++i) {
    s << "module load pullup tolmek_v" << i << "\n";
    s << "tolmek_v" << i << ".voltage = " << std::to_string(voltages_[i].second) << "\n";
    s << "node tolmek_vn" << i << "\n";
    s << "attach tolmek_vn" << i << " tolmek_v" << i << ".pin " << voltages_[i].first << "\n";
  }
  std::vector<size_t> order(samples_.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return samples_[a].cycle < samples_[b].cycle; });
  // Actions and samples in cycle order; an action at the same cycle as a sample comes first.
  std::vector<std::pair<uint64_t, std::string>> steps;
  for (const SampleAt& a : actions_) steps.push_back({a.cycle, a.expression + "\n"});
  for (size_t i : order)
    steps.push_back({samples_[i].cycle, samples_[i].command ? samples_[i].expression + "\n"
                                                            : "echo @@S" + std::to_string(i) + "@@\n" +
                                                                  samples_[i].expression + "\n"});
  std::stable_sort(steps.begin(), steps.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  // gpsim takes time that grows with the square of a command file's length to read it, so the steps go into
  // command files of a few thousand lines each, which the main script loads one after the other.
  constexpr size_t kLinesPerFile = 2000;
  std::vector<std::string> parts(1);
  size_t lines = 0;
  // gpsim may stop one cycle past a break (inside a two-cycle instruction) and then ignores a break at the
  // cycle gone by, running on to the end; what falls due one cycle after a stop is done at that stop.
  uint64_t reached = 0;
  for (const auto& [cycle, text] : steps) {
    std::string group;
    if (cycle > reached + 1 || (reached == 0 && cycle > 0)) {
      group = "break c " + std::to_string(cycle) + "\nrun\n";
      reached = cycle;
    }
    group += text;
    parts.back() += group;
    lines += size_t(std::count(group.begin(), group.end(), '\n'));
    if (lines >= kLinesPerFile) {
      parts.emplace_back();
      lines = 0;
    }
  }
  std::string tail;
  if (!logged_.empty()) tail += "log off\n";
  tail += "quit\n";
  const std::string head = s.str();
  script_ = head;
  for (const std::string& part : parts) script_ += part;
  script_ += tail;

  const fs::path folder = program_.source.parent_path();
  std::string main = head;
  for (size_t i = 0; i < parts.size(); ++i) {
    if (parts[i].empty()) continue;
    const fs::path partPath = folder / ("tolmek_run" + std::to_string(i + 1) + ".stc");
    std::ofstream out(partPath, std::ios::binary | std::ios::trunc);
    out << parts[i];
    main += "load " + partPath.string() + "\n";
  }
  main += tail;
  const fs::path scriptPath = folder / "tolmek_run.stc";
  {
    std::ofstream out(scriptPath, std::ios::binary | std::ios::trunc);
    out << main;
  }
  const ProcessResult p = RunProcess({"timeout", std::to_string(timeLimit_), "gpsim", "-i", "-S", "disable", "-I", scriptPath.string()},
                                     program_.source.parent_path().string());
  output_ = p.Output;
  if (!p.Started) return false;
  writes_.clear();
  if (!logged_.empty()) {
    // "  Wrote: 0x0025 to portb(0x0006) was 0x0000"
    std::ifstream log(logPath);
    std::string line;
    while (std::getline(log, line)) {
      const size_t at = line.find("Wrote: 0x");
      const size_t to = line.find(" to ", at == std::string::npos ? 0 : at);
      const size_t paren = line.find('(', to == std::string::npos ? 0 : to);
      if (at == std::string::npos || to == std::string::npos || paren == std::string::npos) continue;
      const int value = int(std::stol(line.substr(at + 9, to - at - 9), nullptr, 16));
      writes_.push_back({line.substr(to + 4, paren - to - 4), value});
    }
  }
  // One pass over the output: each "@@Sn@@" marker is followed by the line "name = value".
  for (size_t at = output_.find("@@S"); at != std::string::npos; at = output_.find("@@S", at + 3)) {
    const size_t close = output_.find("@@", at + 3);
    if (close == std::string::npos) break;
    size_t index = 0;
    auto [end, ec] = std::from_chars(output_.data() + at + 3, output_.data() + close, index);
    if (ec != std::errc() || end != output_.data() + close || index >= samples_.size()) continue;
    const size_t eq = output_.find(" = ", close);
    const size_t next = output_.find("@@S", close);
    if (eq == std::string::npos || (next != std::string::npos && eq > next)) continue;
    values_[index] = ParseNumber(std::string_view(output_).substr(eq + 3, 24));
  }
  bool all = true;
  for (size_t i = 0; i < samples_.size(); ++i)
    if (!samples_[i].command && !values_[i]) all = false;
  return all;
}

void GpsimRun::Voltage(const std::string& pin, double volts) { voltages_.emplace_back(pin, volts); }

std::optional<int64_t> GpsimRun::Value(size_t sample) const {
  return sample < values_.size() ? values_[sample] : std::nullopt;
}

}  // namespace tolmek
