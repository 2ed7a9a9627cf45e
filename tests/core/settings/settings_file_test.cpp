// The settings file as the user keeps it: what the program does not know survives a start and an exit,
// values keep their spaces, and instances that save one after the other leave a whole file.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <fstream>
#include <thread>

#include "model/file_io.h"
#include "settings/settings.h"

namespace tolmek {
namespace {

namespace fs = std::filesystem;

fs::path Folder(const std::string& name) {
  fs::path dir = fs::temp_directory_path() / ("tolmek_ini_" + name + "_" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

constexpr const char* kUserFile =
    "; my settings, kept by hand\n"
    "[Language]\n"
    "Lang=3\n"
    "\n"
    "# plugin options\n"
    "[Plugin]\n"
    "Colour = deep blue\n"
    "junk line without equals\n"
    "\n"
    "[Tools]\n"
    "Assembler = /opt/gputils/bin/gpasm\n"
    "Unknown=keep me\n"
    "; note on the tools\n"
    "\n";

// What the main window does: read everything at start, write its own keys back at exit.
std::string StartAndExit(const fs::path& file) {
  IniFile ini;
  EXPECT_TRUE(ini.Load(file));
  Settings s = ReadSettings(ini);
  IniFile again;
  EXPECT_TRUE(again.Load(file));
  WriteSettings(again, s);
  WriteWindowPlaces(again, s.Windows);
  EXPECT_TRUE(again.Save(file));
  IniFile written;
  EXPECT_TRUE(written.Load(file));
  return written.Text();
}

TEST(SettingsFileKeeps, CommentsUnknownKeysAndSectionsAcrossAStartAndAnExit) {
  const fs::path dir = Folder("keeps");
  const fs::path file = dir / kSettingsFileName;
  { std::ofstream(file) << kUserFile; }
  const std::string text = StartAndExit(file);
  for (const char* line : {"; my settings, kept by hand\n[Language]\nLang=3\n", "# plugin options\n[Plugin]\n",
                           "Colour = deep blue\n", "junk line without equals\n", "Unknown=keep me\n",
                           "; note on the tools\n", "Assembler = /opt/gputils/bin/gpasm\n"})
    EXPECT_NE(text.find(line), std::string::npos) << line << "\n---\n" << text;
  EXPECT_NE(text.find("[Colors]\nBackColor=0\n"), std::string::npos) << text;
  EXPECT_EQ(StartAndExit(file), text) << "a second start and exit changes nothing";
  fs::remove_all(dir);
}

TEST(SettingsFileKeeps, TheSameTextOnceWrittenWhateverItsLineEnds) {
  // Found by fuzzing: a line ending in two carriage returns changed on every save.
  for (const char* text : {"[Tools]\r\ncount=98\r\r\n", "a=1\r\r\r\n[X]\r\n", "\r\n\r\r\n"}) {
    const std::string once = IniFile::Parse(text).Text();
    EXPECT_EQ(IniFile::Parse(once).Text(), once) << text;
  }
}

TEST(SettingsFileKeeps, ValuesWithTheirSpaces) {
  const fs::path dir = Folder("spaces");
  IniFile ini;
  const std::vector<std::string> values = {"  leading", "trailing  ", " both ", "\"quoted\"", "in side", ""};
  for (size_t i = 0; i < values.size(); ++i) ini.WriteString("Tools", "Titel" + std::to_string(i), values[i]);
  ASSERT_TRUE(ini.Save(dir / "a.ini"));
  IniFile back;
  ASSERT_TRUE(back.Load(dir / "a.ini"));
  for (size_t i = 0; i < values.size(); ++i) EXPECT_EQ(back.ReadString("Tools", "Titel" + std::to_string(i)), values[i]);
  EXPECT_EQ(IniFile::Parse("[S]\nk =  spaced out  \n").ReadString("S", "k"), "spaced out");
  fs::remove_all(dir);
}

TEST(SettingsFileKeeps, AWholeFileWhenInstancesSaveOneAfterTheOther) {
  const fs::path dir = Folder("instances");
  const fs::path file = dir / kSettingsFileName;
  { std::ofstream(file) << kUserFile; }
  ASSERT_EQ(::chmod(file.c_str(), 0600), 0);
  // Two instances started from the same file exit one after the other ...
  IniFile first, second;
  ASSERT_TRUE(first.Load(file));
  ASSERT_TRUE(second.Load(file));
  WriteLanguage(first, 1);
  WriteLanguage(second, 2);
  ASSERT_TRUE(first.Save(file));
  ASSERT_TRUE(second.Save(file));
  IniFile result;
  ASSERT_TRUE(result.Load(file));
  EXPECT_EQ(ReadEntryLanguage(result), 2) << "the last one's settings";
  EXPECT_EQ(result.ReadString("Plugin", "Colour"), "deep blue");
  struct stat st {};
  ASSERT_EQ(::stat(file.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u) << "the file keeps its permissions";

  // ... or at the same moment: every file read in between is one of the two whole files.
  std::atomic<bool> stop = false;
  auto writer = [&](int lang) {
    IniFile mine = IniFile::Parse(kUserFile);
    WriteLanguage(mine, lang);
    for (int i = 0; i < 200; ++i) EXPECT_TRUE(mine.Save(file));
  };
  std::thread a(writer, 1), b(writer, 3);
  int reads = 0;
  while (!stop) {
    IniFile seen;
    if (seen.Load(file)) {
      const int lang = ReadEntryLanguage(seen);
      EXPECT_TRUE(lang == 1 || lang == 2 || lang == 3);
      EXPECT_EQ(seen.ReadString("Tools", "Unknown"), "keep me");
      ++reads;
    }
    if (reads > 50) stop = true;
  }
  a.join();
  b.join();
  for (const auto& entry : fs::directory_iterator(dir))
    EXPECT_EQ(entry.path().filename(), kSettingsFileName) << "no temporary file is left behind";
  fs::remove_all(dir);
}

}  // namespace
}  // namespace tolmek
