// Reads the symbols of gputils' processor include files, to check generated names against what the assembler knows.
#pragma once

#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>

namespace tolmek::test {

inline const std::filesystem::path kGputilsHeaderDir{"/usr/share/gputils/header"};

inline bool HaveGputilsHeaders() { return std::filesystem::is_directory(kGputilsHeaderDir); }

inline std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// Every "NAME EQU H'nnnn'" of the file (a name may occur more than once in files with conditional sections),
// with the value, or -1 for values in another notation. nullopt when the file does not exist.
inline std::optional<std::multimap<std::string, int>> ReadHeaderSymbols(const std::string& fileName) {
  std::ifstream in(kGputilsHeaderDir / Lower(fileName));
  if (!in) return std::nullopt;
  std::multimap<std::string, int> symbols;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || !(std::isalpha(static_cast<unsigned char>(line[0])) || line[0] == '_')) continue;
    std::istringstream words(line);
    std::string name, equ, value;
    if (!(words >> name >> equ >> value) || Lower(equ) != "equ") continue;
    int number = -1;
    if (value.size() > 3 && (value[0] == 'H' || value[0] == 'h') && value[1] == '\'') {
      number = static_cast<int>(std::stol(value.substr(2), nullptr, 16));
    }
    symbols.emplace(name, number);
  }
  return symbols;
}

}  // namespace tolmek::test
