// Value tables for the numeric blocks, run twice: on a simulated chip (gpsim) and through `tolmekc
// simulate`. Each row sets input values and names the values expected at the outputs.
//
// Inputs: a port byte ("RB", "RC", "RD") is driven on the port's pins in gpsim and set as the port's byte
// in the simulator; any other name is a variable whose cell (and NAME_HI cell, for words) is written
// directly into the chip's RAM. Outputs: "NAME" reads a byte, or a word when the program has NAME_HI;
// "NAME.n" reads one bit.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <sys/wait.h>

#include "components/mathe.h"
#include "core/codegen/writer_fixture.h"
#include "model/project_file.h"
#include "support/gputils_runner.h"

namespace tolmek::test {

struct ValueRow {
  std::map<std::string, long> in;
  std::map<std::string, long> out;
};

// A block that writes a variable with its own value: the variable gets its RAM cells (NAME_HI too for a
// word) without anything else changing it, so a test can set it from outside.
inline void KeepVariable(TestProject& tp, const std::string& name, bool wide) {
  auto& keep = tp.Add<TObjMathe>(kind::Mathe);
  keep.SetWidth16(wide);
  keep.SetOperation(TObjMathe::Add);
  keep.A().SetName(name);
  keep.B().SetName("0");
  keep.Result().SetName(name);
}

inline bool IsPort(const std::string& name) { return name.size() == 2 && name[0] == 'R'; }

// The program on the chip: every row's inputs are set at its start, the outputs read near its end.
inline void ExpectOnChip(WriterFixture& f, const std::vector<ValueRow>& rows, const ScratchDir& dir,
                         uint64_t period = 20000) {
  const std::string& text = f.Generate();
  const Assembly a = Assemble(text, dir.path());
  ASSERT_TRUE(a.Clean()) << a.Report();
  EXPECT_EQ(a.wordsUsed, f.last.RomUsed);
  EXPECT_TRUE(f.tp.sink.entries.empty()) << f.tp.sink.entries.front().text;
  const uint64_t first = 5000;
  GpsimRun sim(a);
  // Port pins: one stimulus per pin over all rows.
  std::map<std::string, std::vector<long>> ports;
  for (size_t r = 0; r < rows.size(); ++r)
    for (const auto& [name, value] : rows[r].in)
      if (IsPort(name)) ports[name].resize(rows.size(), -1), ports[name][r] = value;
  for (auto& [name, values] : ports) {
    const std::string pin = "port" + std::string(1, char(std::tolower(name[1])));
    for (int bit = 0; bit < 8; ++bit) {
      std::vector<std::pair<uint64_t, int>> edges{{0, 0}};
      for (size_t r = 0; r < rows.size(); ++r) {
        if (values[r] < 0) continue;
        const int level = int((values[r] >> bit) & 1);
        if (level != edges.back().second) edges.push_back({first + r * period, level});
      }
      sim.Drive(pin + std::to_string(bit), edges);
    }
  }
  auto address = [&](const std::string& cell) {
    auto at = a.Symbol(cell);
    EXPECT_TRUE(at.has_value()) << "no cell " << cell;
    return at.value_or(0);
  };
  std::vector<std::map<std::string, std::pair<size_t, size_t>>> samples(rows.size());
  for (size_t r = 0; r < rows.size(); ++r) {
    for (const auto& [name, value] : rows[r].in) {
      if (IsPort(name)) continue;
      std::ostringstream poke;
      poke << "reg(" << address(name) << ") = " << (value & 0xFF);
      sim.Sample(first + r * period, poke.str());
      if (a.Symbol(name + "_HI")) {
        std::ostringstream high;
        high << "reg(" << address(name + "_HI") << ") = " << ((value >> 8) & 0xFF);
        sim.Sample(first + r * period, high.str());
      }
    }
    for (const auto& [name, value] : rows[r].out) {
      const std::string cell = name.substr(0, name.find('.'));
      const uint64_t at = first + r * period + period * 3 / 4;
      const size_t low = sim.Sample(at, "reg(" + std::to_string(address(cell)) + ")");
      size_t high = SIZE_MAX;
      if (name.find('.') == std::string::npos && a.Symbol(cell + "_HI"))
        high = sim.Sample(at, "reg(" + std::to_string(address(cell + "_HI")) + ")");
      samples[r][name] = {low, high};
    }
  }
  ASSERT_TRUE(sim.Run()) << sim.Output() << "\n" << sim.Script();
  for (size_t r = 0; r < rows.size(); ++r)
    for (const auto& [name, expected] : rows[r].out) {
      const auto [low, high] = samples[r][name];
      long value = long(sim.Value(low).value_or(-1));
      if (high != SIZE_MAX) value |= long(sim.Value(high).value_or(-1)) << 8;
      const size_t dot = name.find('.');
      if (dot != std::string::npos) value = (value >> std::stoi(name.substr(dot + 1))) & 1;
      EXPECT_EQ(value, expected) << "row " << r << ", output " << name;
    }
}

// The same rows through `tolmekc simulate` on the saved plan.
inline void ExpectSimulated(Project& project, const std::vector<ValueRow>& rows, const ScratchDir& dir) {
  constexpr int kTicksPerRow = 3;
  const std::string plan = (dir.path() / "PLAN.PIC").string();
  ASSERT_TRUE(SaveProject(project, plan));
  std::vector<std::string> watched;
  for (const auto& [name, value] : rows.front().out) watched.push_back(name);
  std::ostringstream command;
  command << TOLMEKC_PATH << " simulate " << plan << " --ticks " << rows.size() * kTicksPerRow << " --watch ";
  for (size_t i = 0; i < watched.size(); ++i) command << (i ? "," : "") << watched[i];
  for (size_t r = 0; r < rows.size(); ++r)
    for (const auto& [name, value] : rows[r].in) command << " --setvar " << name << "=" << value << "@" << r * kTicksPerRow + 1;
  const std::string errPath = (dir.path() / "stderr.txt").string();
  command << " 2>" << errPath;
  FILE* pipe = ::popen(command.str().c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string out;
  std::array<char, 4096> buffer{};
  for (size_t n; (n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;) out.append(buffer.data(), n);
  const int status = ::pclose(pipe);
  std::ifstream errFile(errPath);
  const std::string err((std::istreambuf_iterator<char>(errFile)), std::istreambuf_iterator<char>());
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command.str() << "\n" << err;
  EXPECT_EQ(err, "");
  std::istringstream lines(out);
  std::string line;
  std::getline(lines, line);  // heading
  size_t r = 0;
  while (std::getline(lines, line)) {
    std::vector<long> fields;
    std::istringstream cells(line);
    for (std::string cell; std::getline(cells, cell, ',');) fields.push_back(std::stol(cell));
    if (fields.empty() || fields[0] % kTicksPerRow != 0) continue;
    ASSERT_LT(r, rows.size());
    for (size_t i = 0; i < watched.size(); ++i)
      EXPECT_EQ(fields[i + 2], rows[r].out.at(watched[i])) << "row " << r << ", output " << watched[i];
    ++r;
  }
  EXPECT_EQ(r, rows.size()) << out;
}

}  // namespace tolmek::test
