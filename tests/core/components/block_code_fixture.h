// Generating a plan's program and picking out the lines one block wrote.
#pragma once

#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "components/gatter.h"
#include "components/gnd.h"
#include "components/rsff.h"
#include "components/strigg8.h"
#include "core/codegen/writer_fixture.h"

namespace tolmek::test {

// A gate on the named nets; the output is left uninverted also for one input (as after the pin dialog).
inline TObjGatter& AddGate(TestProject& tp, uint8_t type, const std::vector<std::string>& inputs,
                           const std::string& out) {
  auto& g = tp.Add<TObjGatter>(kind::Gatter);
  g.ApplySettings(type, int(inputs.size()));
  for (size_t i = 0; i < inputs.size(); ++i) g.Input(int(i)).SetName(inputs[i]);
  g.Output().SetName(out);
  g.Output().Inverted = false;
  return g;
}

inline TObjRsff& AddRsff(TestProject& tp, const std::string& s, const std::string& r, const std::string& y) {
  auto& ff = tp.Add<TObjRsff>(kind::Rsff);
  ff.SetInput().SetName(s);
  ff.ResetInput().SetName(r);
  ff.Output().SetName(y);
  return ff;
}

inline TObjStrigg8& AddSchmitt(TestProject& tp, bool wide, const std::string& in, const std::string& sp,
                               const std::string& hy, const std::string& q) {
  auto& st = tp.Add<TObjStrigg8>(kind::Strigg8);
  st.SetWidth16(wide);
  st.In().SetName(in);
  st.SetPoint().SetName(sp);
  st.Hysteresis().SetName(hy);
  st.Output().SetName(q);
  return st;
}

// GND or VCC driving a net; on a byte's bit it also gives the byte a RAM cell.
inline TObjGnd& AddSupply(TestProject& tp, bool vcc, const std::string& net) {
  auto& s = tp.Add<TObjGnd>(kind::Gnd);
  s.SetSupply(vcc ? TObjGnd::kVcc : TObjGnd::kGnd, true);
  s.Pin().SetName(net);
  return s;
}

// The lines a block wrote after its header box (title line, star line) up to the next box: blank lines
// dropped, the separator shown as one blank, no indentation. Comments are cut off unless asked for.
inline std::vector<std::string> BlockLines(const std::string& text, std::string_view title,
                                           bool keepComments = false) {
  std::vector<std::string> out;
  std::istringstream in(text);
  std::string line;
  int stage = 0;  // 0: before the title, 1: in the box, 2: in the code
  while (std::getline(in, line)) {
    for (char& c : line)
      if (c == '\t') c = ' ';
    while (!line.empty() && line.back() == ' ') line.pop_back();
    if (stage == 0) {
      if (line == title) stage = 1;
      continue;
    }
    if (line.starts_with(";*")) {
      if (stage == 2) break;
      stage = 2;
      continue;
    }
    if (line.empty()) continue;
    if (!keepComments && line[0] == ' ') {
      const size_t c = line.find(';');
      if (c != std::string::npos) line.erase(c);
      while (!line.empty() && line.back() == ' ') line.pop_back();
    }
    if (line[0] == ' ') line.erase(0, 1);
    out.push_back(line);
  }
  return out;
}

// True for an instruction that skips the next one.
inline bool IsSkipLine(std::string_view line) {
  return line.starts_with("BTFSS ") || line.starts_with("BTFSC ") || line.starts_with("DECFSZ ") ||
         line.starts_with("INCFSZ ");
}

// True for a bank selection line (14-bit RP bits or the 12-bit core's FSR bits).
inline bool IsBankLine(std::string_view line) {
  return line == "BCF STATUS,RP0" || line == "BSF STATUS,RP0" || line == "BCF STATUS,RP1" ||
         line == "BSF STATUS,RP1" || line == "BCF FSR,5" || line == "BSF FSR,5" || line == "BCF FSR,6" ||
         line == "BSF FSR,6";
}

// Every skip of the program followed directly by a bank selection, as "line n: skip".
inline std::vector<std::string> SelectionsInSkippedSlots(const std::string& text) {
  std::vector<std::string> bad;
  std::vector<std::string> code = Code(text);
  for (size_t i = 0; i + 1 < code.size(); ++i)
    if (IsSkipLine(code[i]) && IsBankLine(code[i + 1])) bad.push_back(std::to_string(i) + ": " + code[i]);
  return bad;
}

}  // namespace tolmek::test
