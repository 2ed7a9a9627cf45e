// Tool parameter expansion, tool guesses, error-line places and the chosen source name.
#include "codegen/build_tools.h"

#include <cctype>
#include <filesystem>
#include <regex>

#include "model/project.h"
#include "settings/ini_file.h"

namespace tolmek {

namespace fs = std::filesystem;

namespace {

// Words of a parameter text; quotes group, and are dropped.
std::vector<std::string> SplitWords(std::string_view text) {
  std::vector<std::string> words;
  std::string word;
  bool inQuotes = false, any = false;
  for (char c : text) {
    if (c == '"') {
      inQuotes = !inQuotes;
      any = true;
    } else if (c == ' ' && !inQuotes) {
      if (any) words.push_back(std::move(word));
      word.clear();
      any = false;
    } else {
      word.push_back(c);
      any = true;
    }
  }
  if (any) words.push_back(std::move(word));
  return words;
}

}  // namespace

std::vector<std::string> ExpandToolParameters(std::string_view params, const std::string& sourceFile,
                                              const std::string& projectFile) {
  const fs::path named(sourceFile == kDefaultSourceName ? projectFile : sourceFile);
  const fs::path dir = named.parent_path();
  // The base is the file name cut at its last ".": A.V1.ASM gives A.V1.
  const std::string base = named.stem().string();
  std::vector<std::string> args;
  for (std::string& word : SplitWords(params)) {
    if (word.size() < 2 || word[0] != '$') {
      args.push_back(std::move(word));
      continue;
    }
    const std::string file = base + "." + word.substr(1);
    if (dir.empty())
      args.push_back(FindFileNoCase(".", file).filename().string());
    else
      args.push_back(FindFileNoCase(dir, file).string());
  }
  return args;
}

ToolGuess GuessTool(const std::string& program) {
  const fs::path p(program);
  ToolGuess g;
  g.Program = program;
  std::string title = p.stem().string();
  for (size_t i = 0; i < title.size(); ++i)
    title[i] = char(i == 0 ? std::toupper(uint8_t(title[i])) : std::tolower(uint8_t(title[i])));
  g.Title = title;
  std::string dir = p.parent_path().string();
  if (dir.size() > 1 && dir.back() == '/') dir.pop_back();
  g.WorkDir = dir;
  if (title == "Mplab") g.Param = "$PJT";
  return g;
}

std::optional<ErrorLocation> ParseErrorLine(std::string_view line) {
  static const std::regex errorFile(R"(^\s*(?:Error|Warning|Message)\[\d+\]\s+(.+?)\s+(\d+)\s*:)");
  static const std::regex console(R"(^(.+?):(\d+):\s*(?:Error|Warning|Message)\b)");
  std::match_results<std::string_view::const_iterator> m;
  if (std::regex_search(line.begin(), line.end(), m, errorFile) ||
      std::regex_search(line.begin(), line.end(), m, console)) {
    const std::string number = m[2].str();
    if (number.size() > 9) return std::nullopt;
    return ErrorLocation{m[1].str(), std::stoi(number)};
  }
  return std::nullopt;
}

std::optional<std::string> ChosenSourceName(const std::string& chosen, const std::string& projectFile) {
  if (chosen.empty()) return std::nullopt;
  fs::path p(chosen);
  if (!p.has_extension()) p += ".asm";
  std::error_code ec;
  const fs::path a = fs::weakly_canonical(fs::absolute(p), ec);
  const fs::path b = fs::weakly_canonical(fs::absolute(projectFile), ec);
  if (EqualNoCase(a.string(), b.string())) return std::nullopt;
  return p.string();
}

}  // namespace tolmek
