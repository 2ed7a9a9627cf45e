// Writing traces as a value change dump: a header naming every signal, then only the changes.
#include "verify/vcd.h"

#include <algorithm>
#include <sstream>

namespace tolmek {
namespace {

// Short identifiers from the printable characters "!" to "~".
std::string Identifier(size_t n) {
  std::string id;
  do {
    id += char('!' + n % 94);
    n /= 94;
  } while (n > 0);
  return id;
}

// VCD names may not hold blanks, and viewers take a dot for a step down the hierarchy: "RB.0" is "RB_0".
std::string VcdName(std::string name) {
  for (char& c : name)
    if (c == ' ' || c == '\t' || c == '.') c = '_';
  return name;
}

std::string Value(int64_t v, int bits, const std::string& id) {
  if (bits == 1) return (v == kUnknown ? std::string("x") : std::to_string(v & 1)) + id;
  if (v == kUnknown) return "bx " + id;
  std::string binary;
  for (int b = bits - 1; b >= 0; --b) binary += ((v >> b) & 1) ? '1' : '0';
  const size_t first = binary.find('1');
  return "b" + (first == std::string::npos ? std::string("0") : binary.substr(first)) + " " + id;
}

}  // namespace

std::string VcdText(const std::vector<VcdScope>& scopes) {
  std::ostringstream out;
  out << "$version Tolmek $end\n$timescale 1 ms $end\n";
  std::vector<std::vector<std::string>> ids(scopes.size());
  size_t next = 0;
  for (size_t s = 0; s < scopes.size(); ++s) {
    out << "$scope module " << VcdName(scopes[s].name) << " $end\n";
    for (const Signal& signal : scopes[s].trace->channels) {
      ids[s].push_back(Identifier(next++));
      const std::string name = scopes[s].chipNames ? signal.ChipName() : signal.name;
      out << "$var wire " << signal.bits << " " << ids[s].back() << " " << VcdName(name) << " $end\n";
    }
    out << "$upscope $end\n";
  }
  out << "$enddefinitions $end\n";

  size_t rows = 0;
  for (const auto& scope : scopes) rows = std::max(rows, scope.trace->rows.size());
  std::vector<std::vector<std::string>> last(scopes.size());
  for (size_t s = 0; s < scopes.size(); ++s) last[s].assign(scopes[s].trace->channels.size(), "");
  int64_t written = -1;
  for (size_t row = 0; row < rows; ++row) {
    std::string changes;
    for (size_t s = 0; s < scopes.size(); ++s) {
      const Trace& t = *scopes[s].trace;
      if (row >= t.rows.size()) continue;
      for (size_t i = 0; i < t.channels.size(); ++i) {
        std::string v = Value(t.rows[row][i], t.channels[i].bits, ids[s][i]);
        if (v == last[s][i]) continue;
        changes += v + "\n";
        last[s][i] = std::move(v);
      }
    }
    if (changes.empty()) continue;
    const int64_t ms = scopes.front().trace->MsOfRow(row);
    written = ms;
    out << "#" << ms << "\n" << (row == 0 ? "$dumpvars\n" + changes + "$end\n" : changes);
  }
  // The end of the run, so that a viewer shows the whole of it.
  if (rows > 0 && written != scopes.front().trace->MsOfRow(rows - 1))
    out << "#" << scopes.front().trace->MsOfRow(rows - 1) << "\n";
  return out.str();
}

}  // namespace tolmek
