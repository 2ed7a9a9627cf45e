// What every tolmekc command shares: messages on stderr, option parsing, --lang and opening a plan.
#pragma once

#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/messages.h"
#include "model/project.h"

namespace tolmek::cli {

// Prints each message's composed text as one line on stderr. Questions cannot be answered here: Cancel.
class StderrSink final : public MessageSink {
 public:
  Answer Present(Msg number, MessageMode mode, const std::string& title, const std::string& text) override;
};

struct Options {
  std::vector<std::string> positional;
  std::map<std::string, std::string, std::less<>> values;
  [[nodiscard]] std::optional<std::string> Get(std::string_view name) const;
};

// Splits arguments into positional ones and options. Options in `withValue` ("-o", "--lang") take the next
// argument; those in `flags` take none (their value is ""). Anything else starting with "-" is an error.
[[nodiscard]] std::optional<Options> ParseOptions(const std::vector<std::string>& args,
                                                  std::initializer_list<std::string_view> withValue,
                                                  std::initializer_list<std::string_view> flags, std::string& error);

// "de", "en", "it".
[[nodiscard]] std::optional<Language> LanguageFromCode(std::string_view code);

// A project whose messages go to stderr in the language --lang chose (English without it).
class Session {
 public:
  Session() : messenger(&sink), project(messenger) {}
  // Applies --lang; false (after saying why on stderr) for an unknown language.
  bool ApplyLanguage(const Options& options);
  // Opens a plan with the --password of `options`; the failure's message is on stderr.
  bool OpenPlan(const std::string& path, const Options& options);

  StderrSink sink;
  Messenger messenger;
  Project project;
};

// Prints "tolmekc: <problem>" and the usage line on stderr; returns the exit code for bad arguments.
int UsageError(std::string_view usage, std::string_view problem);

// Writes text to `path` as a whole, or to stdout when `path` is empty. False when it could not be written.
bool WriteOutput(const std::string& path, std::string_view text);
// Reads a whole text file; nullopt when it cannot be read.
[[nodiscard]] std::optional<std::string> ReadTextFile(const std::string& path);

inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

}  // namespace tolmek::cli
