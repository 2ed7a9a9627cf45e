// A project with an analysis and a program writer, and helpers to look at the generated lines.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "codegen/analysis.h"
#include "codegen/program_writer.h"
#include "support/test_project.h"

namespace tolmek::test {

struct WriterFixture {
  TestProject tp;
  Analysis analysis{tp.project};
  ProgramWriter writer{tp.project, analysis};

  explicit WriterFixture(int type = 3) { tp.project.Mcu.ProcessorType = type; }
  Project& project() { return tp.project; }
  const std::string& Generate() {
    last = writer.GenerateText();
    return writer.Text();
  }
  GenerationResult last;
};

// The lines of a text with the separator (TAB) shown as a single blank, trailing blanks removed.
inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    for (char& c : line)
      if (c == '\t') c = ' ';
    while (!line.empty() && line.back() == ' ') line.pop_back();
    out.push_back(line);
  }
  return out;
}

// The instruction and label lines only (no comments, blanks or directives), separator shown as one blank,
// trailing comments removed: "BSF STATUS,RP0", "LABEL".
inline std::vector<std::string> Code(const std::string& text) {
  std::vector<std::string> out;
  for (std::string line : Lines(text)) {
    if (line.empty() || line[0] == ';') continue;
    const size_t c = line.find(';');
    if (c != std::string::npos) line = line.substr(0, c);
    while (!line.empty() && line.back() == ' ') line.pop_back();
    if (line.empty()) continue;
    if (line[0] == ' ') line = line.substr(1);
    out.push_back(line);
  }
  return out;
}

// The lines of `text` from the line equal to `first` up to (not including) the line equal to `last`.
inline std::vector<std::string> Between(const std::vector<std::string>& lines, const std::string& first,
                                        const std::string& last) {
  std::vector<std::string> out;
  bool in = false;
  for (const auto& l : lines) {
    if (l == first) in = true;
    else if (in && l == last) break;
    if (in) out.push_back(l);
  }
  return out;
}

}  // namespace tolmek::test
