// IniFile: the section/key/value text file the user's settings live in, with names matched regardless of case.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tolmek {

// The file is kept line by line: comments, blank lines, unknown keys and sections and lines that are no
// entry at all are written back as they were read; only the entries the program writes change.
class IniFile {
 public:
  // Reads "[Section]" headers and "key=value" lines; other lines (blank, ';' comments, anything else) are
  // kept but mean nothing. Keys before the first header belong to a section with the empty name. A value
  // is what follows "=" without the spaces around it; one pair of double quotes around it is taken off,
  // so that a value written with spaces at its ends reads back with them.
  [[nodiscard]] static IniFile Parse(std::string_view text);
  [[nodiscard]] std::string Text() const;

  // Replaces the contents with the file's (at most 1 MiB); false (and empty) when it cannot be read.
  bool Load(const std::filesystem::path& path);
  // Writes the whole file through a uniquely named temporary beside it that is renamed over it, so that
  // two instances saving one after the other leave the later one's file whole; false when that fails
  // (the old file stays).
  bool Save(const std::filesystem::path& path) const;

  [[nodiscard]] std::optional<std::string> Get(std::string_view section, std::string_view key) const;
  [[nodiscard]] std::string ReadString(std::string_view section, std::string_view key,
                                       std::string_view fallback = {}) const;
  // A decimal integer, optionally signed, with trailing text ignored; `fallback` when missing or not a number.
  [[nodiscard]] long long ReadInt(std::string_view section, std::string_view key, long long fallback) const;
  // Flags are stored as 0/1; any other number counts as set.
  [[nodiscard]] bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;

  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInt(std::string_view section, std::string_view key, long long value);
  void WriteBool(std::string_view section, std::string_view key, bool value);
  void EraseKey(std::string_view section, std::string_view key);

  [[nodiscard]] bool Empty() const;

 private:
  // One line of the file. An entry has a key; its line is rewritten only once its value was changed.
  struct Line {
    std::string raw;  // the line as read, without its line break
    std::string key, value;
    bool entry = false;
    bool changed = false;
  };
  struct Section {
    std::string name;
    bool hasHeader = false;  // false for the keys before the first header
    std::string header;      // the header line as read
    std::vector<Line> lines;
  };
  [[nodiscard]] static bool Named(const Section& s, std::string_view name);
  // The first entry of that key in any section of that name: the one that counts.
  [[nodiscard]] Line* FindEntry(std::string_view section, std::string_view key);
  Section& SectionFor(std::string_view name);

  std::vector<Section> sections_;
};

// ASCII comparison without regard to case.
[[nodiscard]] bool EqualNoCase(std::string_view a, std::string_view b);

// The file in `folder` whose name equals `name` regardless of case, so that "QUANDEL.INI" and
// "quandel.ini" are one file. When several match, the one spelled exactly as `name` wins, else the
// first in name order; when none exists, folder / name.
[[nodiscard]] std::filesystem::path FindFileNoCase(const std::filesystem::path& folder, std::string_view name);

}  // namespace tolmek
