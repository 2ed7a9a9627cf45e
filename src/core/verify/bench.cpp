// Reading test bench files line by line; a bad line is reported with its number and never stops the reading.
#include "verify/bench.h"

#include <charconv>
#include <filesystem>

namespace tolmek {
namespace {

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    size_t start = i;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
    if (i > start) words.push_back(line.substr(start, i - start));
  }
  return words;
}

// A decimal or "0x" hexadecimal number, optionally negative; nothing else on the word.
std::optional<int64_t> Number(std::string_view word) {
  bool negative = false;
  if (word.starts_with('-')) {
    negative = true;
    word.remove_prefix(1);
  }
  int base = 10;
  if (word.starts_with("0x") || word.starts_with("0X")) {
    base = 16;
    word.remove_prefix(2);
  }
  if (word.empty()) return std::nullopt;
  int64_t value = 0;
  auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value, base);
  if (ec != std::errc() || end != word.data() + word.size()) return std::nullopt;
  return negative ? -value : value;
}

// A time in ms: a number, "ms" may follow it.
std::optional<int64_t> Millis(std::string_view word) {
  if (word.ends_with("ms")) word.remove_suffix(2);
  auto ms = Number(word);
  if (!ms || *ms < 0 || *ms > kMaxBenchMs) return std::nullopt;
  return ms;
}

class Reader {
 public:
  explicit Reader(std::string fileName) { result_.bench.fileName = std::move(fileName); }

  void Line(int number, std::string_view text) {
    if (size_t hash = text.find('#'); hash != std::string_view::npos) text = text.substr(0, hash);
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    auto words = Words(text);
    if (words.empty()) return;
    line_ = number;
    text_ = std::string(text);
    if (words[0] == "step" || words[0] == "end") return Setting(words);
    Timed(words);
  }

  BenchReading Finish() {
    Bench& b = result_.bench;
    if (!endGiven_) {
      int64_t last = 0;
      for (const auto& l : b.lines) last = std::max(last, l.ms + l.withinMs);
      b.endMs = last + b.stepMs;
    }
    return std::move(result_);
  }

 private:
  void Problem(Msg number) {
    result_.problems.push_back({number, line_, BenchPlace(result_.bench, line_), Trimmed(text_)});
  }

  static std::string Trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return std::string(s);
  }

  void Setting(const std::vector<std::string_view>& words) {
    auto ms = words.size() == 2 ? Millis(words[1]) : std::nullopt;
    if (!ms) return Problem(Msg::BenchUnreadable);
    if (words[0] == "step") {
      if (*ms < 1 || *ms > 65535) return Problem(Msg::BenchValueRange);
      result_.bench.stepMs = int(*ms);
    } else {
      if (*ms < 1) return Problem(Msg::BenchValueRange);
      result_.bench.endMs = *ms;
      endGiven_ = true;
    }
  }

  // TIME set NAME [=] VALUE | TIME expect NAME [=] VALUE [within MS] | TIME watch NAME
  void Timed(std::vector<std::string_view> words) {
    if (words.size() >= 4 && words[3] == "=") words.erase(words.begin() + 3);
    BenchLine l;
    l.line = line_;
    auto ms = Millis(words[0]);
    if (!ms || words.size() < 3) return Problem(Msg::BenchUnreadable);
    l.ms = *ms;
    l.name = std::string(words[2]);
    if (words[1] == "watch") {
      if (words.size() != 3) return Problem(Msg::BenchUnreadable);
      l.kind = BenchLine::Kind::Watch;
    } else if (words[1] == "set" || words[1] == "expect") {
      l.kind = words[1] == "set" ? BenchLine::Kind::Set : BenchLine::Kind::Expect;
      const bool within = words.size() == 6 && words[4] == "within" && l.kind == BenchLine::Kind::Expect;
      if (words.size() != 4 && !within) return Problem(Msg::BenchUnreadable);
      auto value = Number(words[3]);
      if (!value) return Problem(Msg::BenchUnreadable);
      if (*value < 0 || *value > 65535) return Problem(Msg::BenchValueRange);
      l.value = *value;
      if (within) {
        auto tolerance = Millis(words[5]);
        if (!tolerance) return Problem(Msg::BenchUnreadable);
        l.withinMs = *tolerance;
      }
    } else {
      return Problem(Msg::BenchUnreadable);
    }
    if (l.ms < lastMs_) return Problem(Msg::BenchTimeBackwards);
    lastMs_ = l.ms;
    result_.bench.lines.push_back(std::move(l));
  }

  BenchReading result_;
  bool endGiven_ = false;
  int64_t lastMs_ = 0;
  int line_ = 0;
  std::string text_;
};

}  // namespace

BenchReading ReadBench(std::string_view text, std::string fileName) {
  Reader reader(std::move(fileName));
  int number = 0;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    reader.Line(++number, text.substr(start, end - start));
    start = end + 1;
  }
  return reader.Finish();
}

std::string BenchPathFor(const std::string& planPath) {
  std::filesystem::path p(planPath);
  p.replace_extension(std::string(kBenchExtension));
  return p.string();
}

std::string BenchPlace(const Bench& bench, int line) {
  return std::filesystem::path(bench.fileName).filename().string() + ":" + std::to_string(line);
}

}  // namespace tolmek
