// Fuzz target for the settings file: any text may come in. Reading it must give settings within their
// ranges; writing the program's keys must keep every other line, and what is written must read back.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "settings/settings.h"

namespace {

using namespace tolmek;

void Require(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

bool Same(const Settings& a, const Settings& b) {
  bool flags = true;
  for (const FlagKey& f : FlagKeys()) flags = flags && a.*f.field == b.*f.field;
  bool colors = true;
  for (size_t i = 0; i < a.Colors.size(); ++i) colors = colors && a.Colors[i].Stored() == b.Colors[i].Stored();
  return flags && colors && a.Lang == b.Lang && a.Assembler == b.Assembler && a.Editor == b.Editor &&
         a.Tools == b.Tools && a.LastFile == b.LastFile && a.SimRate == b.SimRate &&
         a.ColorHigh.Stored() == b.ColorHigh.Stored() && a.ColorLow.Stored() == b.ColorLow.Stored() &&
         a.Windows == b.Windows;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  IniFile ini = IniFile::Parse(text);
  const Settings s = ReadSettings(ini);
  Require(s.Lang >= 1 && s.Lang <= 3, "language out of range");
  Require(s.SimRate >= kMinSimRate && s.SimRate <= kMaxSimRate, "refresh out of range");
  Require(s.Tools.size() <= size_t(kMaxTools), "too many tools");
  const int entry = ReadEntryLanguage(ini);
  Require(entry >= 0 && entry <= 3, "entry language out of range");

  // The file the program writes back reads as it was written, and again gives the same text.
  const std::string kept = ini.Text();
  Require(IniFile::Parse(kept).Text() == kept, "reading the written file changed it");
  WriteSettings(ini, s);
  WriteTools(ini, s.Tools);
  WriteWindowPlaces(ini, s.Windows);
  const std::string written = ini.Text();
  Require(Same(ReadSettings(IniFile::Parse(written)), s), "written settings read back differently");
  Require(IniFile::Parse(written).Text() == written, "reading the written settings changed them");

  // Lines the program does not write survive, in their order.
  size_t from = 0;
  for (size_t start = 0; start < kept.size();) {
    const size_t end = kept.find('\n', start);
    const std::string line = kept.substr(start, end - start);
    start = end + 1;
    const bool entryLine = line.find('=') != std::string::npos;
    if (entryLine || line.empty()) continue;
    const size_t at = written.find(line + "\n", from);
    Require(at != std::string::npos, "a line the program does not write was lost");
    from = at + line.size();
  }

  // Any value, spaces and quotes included, reads back as it was written.
  std::string value(text.substr(0, std::min<size_t>(text.size(), 64)));
  for (char& c : value)
    if (c == '\n') c = ' ';
  IniFile one;
  one.WriteString("Tools", "Titel0", value);
  Require(IniFile::Parse(one.Text()).ReadString("Tools", "Titel0") == value, "a value lost its spaces or quotes");
  return 0;
}
