// IniFile: parsing, lookup and atomic writing of the settings file.
#include "settings/ini_file.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <fstream>
#include <sstream>
#include <system_error>

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

IniFile IniFile::Parse(std::string_view text) {
  IniFile ini;
  Section* current = nullptr;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view line = Trim(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      const size_t close = line.find(']');
      current = &ini.SectionFor(Trim(line.substr(1, close == std::string_view::npos ? line.size() - 1 : close - 1)));
      continue;
    }
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos) continue;
    if (!current) current = &ini.SectionFor("");
    const std::string_view key = Trim(line.substr(0, eq));
    if (key.empty()) continue;
    auto it = std::find_if(current->entries.begin(), current->entries.end(),
                           [&](const Entry& e) { return EqualNoCase(e.key, key); });
    // The first of two equal keys counts, as the platform's reader sees it.
    if (it == current->entries.end()) current->entries.push_back({std::string(key), std::string(Trim(line.substr(eq + 1)))});
  }
  return ini;
}

std::string IniFile::Text() const {
  std::string out;
  for (const Section& s : sections_) {
    if (!s.name.empty() || &s != &sections_.front()) out += "[" + s.name + "]\n";
    for (const Entry& e : s.entries) out += e.key + "=" + e.value + "\n";
    out += "\n";
  }
  return out;
}

bool IniFile::Load(const std::filesystem::path& path) {
  sections_.clear();
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream buffer;
  buffer << in.rdbuf();
  *this = Parse(buffer.str());
  return true;
}

bool IniFile::Save(const std::filesystem::path& path) const {
  std::error_code ec;
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), ec);
  std::filesystem::path temp = path;
  temp += ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    const std::string text = Text();
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    if (!out.flush()) {
      out.close();
      std::filesystem::remove(temp, ec);
      return false;
    }
  }
  std::filesystem::rename(temp, path, ec);
  if (ec) {
    std::filesystem::remove(temp, ec);
    return false;
  }
  return true;
}

const IniFile::Section* IniFile::FindSection(std::string_view name) const {
  for (const Section& s : sections_)
    if (EqualNoCase(s.name, name)) return &s;
  return nullptr;
}

IniFile::Section& IniFile::SectionFor(std::string_view name) {
  for (Section& s : sections_)
    if (EqualNoCase(s.name, name)) return s;
  sections_.push_back({std::string(name), {}});
  return sections_.back();
}

std::optional<std::string> IniFile::Get(std::string_view section, std::string_view key) const {
  const Section* s = FindSection(section);
  if (!s) return std::nullopt;
  for (const Entry& e : s->entries)
    if (EqualNoCase(e.key, key)) return e.value;
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
  // Line breaks would split the entry; a path or title never holds one.
  std::string clean(value);
  std::replace(clean.begin(), clean.end(), '\n', ' ');
  std::replace(clean.begin(), clean.end(), '\r', ' ');
  Section& s = SectionFor(section);
  for (Entry& e : s.entries)
    if (EqualNoCase(e.key, key)) {
      e.value = std::move(clean);
      return;
    }
  s.entries.push_back({std::string(key), std::move(clean)});
}

void IniFile::WriteInt(std::string_view section, std::string_view key, long long value) {
  WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

void IniFile::EraseKey(std::string_view section, std::string_view key) {
  for (Section& s : sections_)
    if (EqualNoCase(s.name, section))
      std::erase_if(s.entries, [&](const Entry& e) { return EqualNoCase(e.key, key); });
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
