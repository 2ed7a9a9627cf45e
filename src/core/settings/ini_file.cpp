// IniFile: parsing, lookup and atomic writing of the settings file.
#include "settings/ini_file.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <iterator>
#include <system_error>

#include "model/file_io.h"

namespace tolmek {

namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  return s;
}

}  // namespace

bool EqualNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

namespace {

constexpr uintmax_t kMaxSettingsFileSize = 1u << 20;

// A value with spaces at its ends, or one that is quoted itself, is written in quotes to keep it whole.
std::string StoredValue(const std::string& value) {
  const bool spaced = !value.empty() && (std::isspace(static_cast<unsigned char>(value.front())) ||
                                         std::isspace(static_cast<unsigned char>(value.back())));
  const bool quoted = value.size() >= 2 && value.front() == '"' && value.back() == '"';
  return spaced || quoted ? '"' + value + '"' : value;
}

std::string ReadValue(std::string_view stored) {
  stored = Trim(stored);
  if (stored.size() >= 2 && stored.front() == '"' && stored.back() == '"') stored = stored.substr(1, stored.size() - 2);
  return std::string(stored);
}

}  // namespace

IniFile IniFile::Parse(std::string_view text) {
  IniFile ini;
  Section* current = nullptr;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view raw = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    // Every carriage return at a line's end goes, so the text written reads back as the same text.
    while (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
    const std::string_view line = Trim(raw);
    if (!line.empty() && line.front() == '[') {
      const size_t close = line.find(']');
      const std::string_view name = Trim(line.substr(1, close == std::string_view::npos ? line.size() - 1 : close - 1));
      // A section named twice is read as one (the first of two equal keys counts), and written back as two.
      ini.sections_.push_back({std::string(name), true, std::string(raw), {}});
      current = &ini.sections_.back();
      continue;
    }
    if (!current) {
      ini.sections_.push_back({"", false, "", {}});
      current = &ini.sections_.back();
    }
    Line l{std::string(raw), {}, {}, false, false};
    const size_t eq = line.find('=');
    if (!line.empty() && line.front() != ';' && eq != std::string_view::npos && !Trim(line.substr(0, eq)).empty()) {
      l.entry = true;
      l.key = std::string(Trim(line.substr(0, eq)));
      l.value = ReadValue(line.substr(eq + 1));
    }
    current->lines.push_back(std::move(l));
  }
  return ini;
}

std::string IniFile::Text() const {
  std::string out;
  for (const Section& s : sections_) {
    if (s.hasHeader) {
      // A section the program added stands apart from the one before it.
      if (s.header.empty() && !out.empty() && !out.ends_with("\n\n")) out += '\n';
      out += s.header.empty() ? "[" + s.name + "]" : s.header;
      out += '\n';
    }
    for (const Line& l : s.lines) {
      out += l.entry && l.changed ? l.key + "=" + StoredValue(l.value) : l.raw;
      out += '\n';
    }
  }
  return out;
}

bool IniFile::Load(const std::filesystem::path& path) {
  sections_.clear();
  FileContents file = ReadFileBounded(path, kMaxSettingsFileSize);
  if (!file.bytes) return false;
  *this = Parse(*file.bytes);
  return true;
}

bool IniFile::Save(const std::filesystem::path& path) const {
  std::error_code ec;
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), ec);
  return WriteFileAtomically(path, Text());
}

bool IniFile::Empty() const {
  for (const Section& s : sections_) {
    if (s.hasHeader) return false;
    for (const Line& l : s.lines)
      if (l.entry) return false;
  }
  return true;
}

bool IniFile::Named(const Section& s, std::string_view name) {
  return (s.hasHeader || name.empty()) && EqualNoCase(s.name, name);
}

IniFile::Section& IniFile::SectionFor(std::string_view name) {
  for (Section& s : sections_)
    if (Named(s, name)) return s;
  sections_.push_back({std::string(name), !name.empty(), "", {}});
  return sections_.back();
}

IniFile::Line* IniFile::FindEntry(std::string_view section, std::string_view key) {
  for (Section& s : sections_)
    if (Named(s, section))
      for (Line& l : s.lines)
        if (l.entry && EqualNoCase(l.key, key)) return &l;
  return nullptr;
}

std::optional<std::string> IniFile::Get(std::string_view section, std::string_view key) const {
  if (const Line* l = const_cast<IniFile*>(this)->FindEntry(section, key)) return l->value;
  return std::nullopt;
}

std::string IniFile::ReadString(std::string_view section, std::string_view key, std::string_view fallback) const {
  auto v = Get(section, key);
  return v ? *v : std::string(fallback);
}

long long IniFile::ReadInt(std::string_view section, std::string_view key, long long fallback) const {
  auto v = Get(section, key);
  if (!v) return fallback;
  std::string_view text = Trim(*v);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  long long value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc{} || end == text.data()) return fallback;
  return value;
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool fallback) const {
  return ReadInt(section, key, fallback ? 1 : 0) != 0;
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  // A line break would split the entry; a path or title never holds one. (A carriage return inside a line
  // is kept: only "\n" ends a line, and one at an end of the value is kept by the quotes.)
  std::string clean(value);
  std::replace(clean.begin(), clean.end(), '\n', ' ');
  if (Line* l = FindEntry(section, key)) {
    if (l->value == clean) return;  // an unchanged value keeps its line as it was written
    l->value = std::move(clean);
    l->changed = true;
    return;
  }
  Section& s = SectionFor(section);
  // A new key goes after the section's last entry, before the blank lines and comments that close it.
  auto at = s.lines.end();
  while (at != s.lines.begin() && !std::prev(at)->entry) --at;
  if (at == s.lines.begin()) at = s.lines.end();
  s.lines.insert(at, Line{"", std::string(key), std::move(clean), true, true});
}

void IniFile::WriteInt(std::string_view section, std::string_view key, long long value) {
  WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

void IniFile::EraseKey(std::string_view section, std::string_view key) {
  for (Section& s : sections_)
    if (Named(s, section))
      std::erase_if(s.lines, [&](const Line& l) { return l.entry && EqualNoCase(l.key, key); });
}

std::filesystem::path FindFileNoCase(const std::filesystem::path& folder, std::string_view name) {
  std::error_code ec;
  std::vector<std::filesystem::path> matches;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string file = it->path().filename().string();
    if (EqualNoCase(file, name)) matches.push_back(it->path());
  }
  if (matches.empty()) return folder / std::string(name);
  for (const auto& m : matches)
    if (m.filename().string() == name) return m;
  std::sort(matches.begin(), matches.end());
  return matches.front();
}

}  // namespace tolmek
