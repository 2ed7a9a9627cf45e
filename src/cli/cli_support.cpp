// Messages on stderr, option parsing and plan opening for the tolmekc commands.
#include "cli/cli_support.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "model/project_file.h"

namespace tolmek::cli {

Answer StderrSink::Present(Msg, MessageMode mode, const std::string&, const std::string& text) {
  // A message without details ends in two spaces; they carry nothing on a terminal.
  std::string line = text;
  while (!line.empty() && line.back() == ' ') line.pop_back();
  std::fprintf(stderr, "%s\n", line.c_str());
  return mode == MessageMode::Question ? Answer::Cancel : Answer::None;
}

std::optional<std::string> Options::Get(std::string_view name) const {
  auto it = values.find(name);
  if (it == values.end()) return std::nullopt;
  return it->second;
}

std::optional<Options> ParseOptions(const std::vector<std::string>& args,
                                    std::initializer_list<std::string_view> withValue,
                                    std::initializer_list<std::string_view> flags, std::string& error) {
  auto listed = [](std::initializer_list<std::string_view> names, std::string_view a) {
    for (auto n : names)
      if (n == a) return true;
    return false;
  };
  Options out;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a.size() < 2 || a[0] != '-') {
      out.positional.push_back(a);
    } else if (listed(withValue, a)) {
      if (i + 1 >= args.size()) {
        error = "option " + a + " needs a value";
        return std::nullopt;
      }
      out.values[a] = args[++i];
    } else if (listed(flags, a)) {
      out.values[a] = "";
    } else {
      error = "unknown option " + a;
      return std::nullopt;
    }
  }
  return out;
}

std::optional<Language> LanguageFromCode(std::string_view code) {
  struct Row {
    std::string_view code;
    Language lang;
  };
  static constexpr Row kLanguages[] = {{"de", Language::German}, {"en", Language::English}, {"it", Language::Italian}};
  for (const auto& r : kLanguages)
    if (r.code == code) return r.lang;
  return std::nullopt;
}

bool Session::ApplyLanguage(const Options& options) {
  auto code = options.Get("--lang");
  if (!code) return true;
  auto lang = LanguageFromCode(*code);
  if (!lang) {
    std::fprintf(stderr, "tolmekc: unknown language '%s' (de, en or it)\n", code->c_str());
    return false;
  }
  messenger.SetLanguage(*lang);
  return true;
}

bool Session::OpenPlan(const std::string& path, const Options& options) {
  FixedPassword password(options.Get("--password"));
  return OpenProject(project, path, password);
}

int UsageError(std::string_view usage, std::string_view problem) {
  std::fprintf(stderr, "tolmekc: %.*s\nusage: tolmekc %.*s\n", int(problem.size()), problem.data(), int(usage.size()),
               usage.data());
  return kExitUsage;
}

bool WriteOutput(const std::string& path, std::string_view text) {
  if (path.empty()) {
    return std::fwrite(text.data(), 1, text.size(), stdout) == text.size() && std::fflush(stdout) == 0;
  }
  return WriteFileReplacing(path, text);
}

std::optional<std::string> ReadTextFile(const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream buf;
  buf << in.rdbuf();
  if (in.bad()) return std::nullopt;
  return buf.str();
}

}  // namespace tolmek::cli
