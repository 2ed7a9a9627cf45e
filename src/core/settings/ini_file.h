// IniFile: the section/key/value text file the user's settings live in, with names matched regardless of case.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tolmek {

class IniFile {
 public:
  // Reads "[Section]" headers and "key=value" lines; blank lines and lines starting with ';' are skipped.
  // Keys before the first header belong to a section with the empty name.
  [[nodiscard]] static IniFile Parse(std::string_view text);
  [[nodiscard]] std::string Text() const;

  // Replaces the contents with the file's; false (and empty) when it cannot be read.
  bool Load(const std::filesystem::path& path);
  // Writes the whole file through a temporary beside it; false when that fails (the old file stays).
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

  [[nodiscard]] bool Empty() const { return sections_.empty(); }

 private:
  struct Entry {
    std::string key, value;
  };
  struct Section {
    std::string name;
    std::vector<Entry> entries;
  };
  [[nodiscard]] const Section* FindSection(std::string_view name) const;
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
