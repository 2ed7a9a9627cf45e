// The settings file: parsing and writing, names without regard to case, defaults and clamping.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "settings/ini_file.h"
#include "settings/settings.h"

namespace tolmek {
namespace {

namespace fs = std::filesystem;

class TempFolder {
 public:
  TempFolder() {
    path_ = fs::temp_directory_path() / ("tolmek_settings_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                         "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(path_);
    fs::create_directories(path_);
  }
  ~TempFolder() { fs::remove_all(path_); }
  [[nodiscard]] const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

void WriteFile(const fs::path& p, const std::string& text) {
  std::ofstream(p, std::ios::binary) << text;
}

TEST(IniFile, SectionsAndKeysMatchRegardlessOfCaseAndTheFirstOfTwoEqualKeysCounts) {
  IniFile ini = IniFile::Parse("; comment\n[language]\r\nLANG = 3\nlang=1\n\n[Tools]\nAssembler=C:\\gp asm.exe\n");
  EXPECT_EQ(ini.ReadInt("Language", "Lang", 0), 3);
  EXPECT_EQ(ini.ReadString("TOOLS", "assembler"), "C:\\gp asm.exe");
  EXPECT_EQ(ini.ReadInt("Tools", "Missing", 42), 42);
  EXPECT_FALSE(ini.Get("Nowhere", "Lang").has_value());
}

TEST(IniFile, NumbersTakeTheirLeadingDigitsAndTextThatIsNoNumberGivesTheFallback) {
  IniFile ini = IniFile::Parse("[S]\na=12abc\nb=abc\nc=-7\nd=+5\ne=\nf=2\n");
  EXPECT_EQ(ini.ReadInt("S", "a", 0), 12);
  EXPECT_EQ(ini.ReadInt("S", "b", 9), 9);
  EXPECT_EQ(ini.ReadInt("S", "c", 0), -7);
  EXPECT_EQ(ini.ReadInt("S", "d", 0), 5);
  EXPECT_EQ(ini.ReadInt("S", "e", 4), 4);
  EXPECT_TRUE(ini.ReadBool("S", "f", false));
  EXPECT_TRUE(ini.ReadBool("S", "b", true));
}

TEST(IniFile, WritingReplacesTheValueInPlaceAndTheTextReadsBackTheSame) {
  IniFile ini;
  ini.WriteInt("Simulator", "SimRate", 100);
  ini.WriteString("Recent", "LastFile", "/home/u/a.pic");
  ini.WriteInt("simulator", "SIMRATE", 250);
  ini.WriteString("Recent", "Title", "two\nlines");
  IniFile back = IniFile::Parse(ini.Text());
  EXPECT_EQ(back.ReadInt("Simulator", "SimRate", 0), 250);
  EXPECT_EQ(back.ReadString("Recent", "LastFile"), "/home/u/a.pic");
  EXPECT_EQ(back.ReadString("Recent", "Title"), "two lines");
  EXPECT_EQ(back.Text(), ini.Text());
  ini.EraseKey("RECENT", "lastfile");
  EXPECT_FALSE(ini.Get("Recent", "LastFile"));
}

TEST(IniFile, SaveAndLoadThroughAFileAndAMissingFileReadsEmpty) {
  TempFolder dir;
  IniFile ini;
  EXPECT_FALSE(ini.Load(dir.Path() / "none.ini"));
  EXPECT_TRUE(ini.Empty());
  ini.WriteBool("Umgebung", "Grid", false);
  ASSERT_TRUE(ini.Save(dir.Path() / "sub" / "x.ini"));
  IniFile back;
  ASSERT_TRUE(back.Load(dir.Path() / "sub" / "x.ini"));
  EXPECT_FALSE(back.ReadBool("Umgebung", "Grid", true));
  EXPECT_FALSE(fs::exists(dir.Path() / "sub" / "x.ini.tmp"));
}

TEST(SettingsFile, OneFileWhateverTheCaseOfItsName) {
  TempFolder dir;
  EXPECT_EQ(SettingsFilePath(dir.Path()), dir.Path() / "quandel.ini");
  WriteFile(dir.Path() / "QUANDEL.INI", "[Language]\nLang=3\n");
  EXPECT_EQ(SettingsFilePath(dir.Path()), dir.Path() / "QUANDEL.INI");
  WriteFile(dir.Path() / "Quandel.ini", "[Language]\nLang=1\n");
  EXPECT_EQ(SettingsFilePath(dir.Path()), dir.Path() / "QUANDEL.INI");  // first in name order
  WriteFile(dir.Path() / "quandel.ini", "[Language]\nLang=2\n");
  EXPECT_EQ(SettingsFilePath(dir.Path()), dir.Path() / "quandel.ini");  // the exact spelling wins
}

TEST(Settings, AnEmptyFileGivesEveryDefault) {
  Settings s = ReadSettings(IniFile{});
  EXPECT_EQ(s.Lang, 2);
  EXPECT_EQ(s.ColorOf(EditorColor::Back).Stored(), 0u);
  EXPECT_EQ(s.ColorOf(EditorColor::Grid).Stored(), 12632256u);
  EXPECT_EQ(s.ColorOf(EditorColor::Line).Stored(), 65535u);
  EXPECT_EQ(s.ColorOf(EditorColor::ObjectBorder).Stored(), 16777215u);
  EXPECT_EQ(s.ColorOf(EditorColor::ObjectSelectedBorder).Stored(), 255u);
  EXPECT_EQ(s.ColorOf(EditorColor::ObjectIdentifier).Stored(), 255u);
  EXPECT_EQ(s.ColorOf(EditorColor::ObjectAnschluss).Stored(), 16777215u);
  EXPECT_EQ(s.ColorOf(EditorColor::ObjectAnschlussText).Stored(), 65280u);
  EXPECT_EQ(s.ColorOf(EditorColor::ObjectInnerText).Stored(), 16776960u);
  EXPECT_FALSE(s.Show3D);
  EXPECT_TRUE(s.RightAngleWires);
  EXPECT_FALSE(s.SelectWithoutShift);
  EXPECT_TRUE(s.AutoArrange && s.ArrowWires && s.AutoSignals && s.CentreOnRightClick && s.ShowNodes && s.ShowGrid &&
              s.Optimise);
  EXPECT_EQ(s.Assembler, "gpasm");
  EXPECT_EQ(s.Editor, "");
  EXPECT_TRUE(s.Tools.empty());
  EXPECT_EQ(s.LastFile, "");
  EXPECT_EQ(s.SimRate, 100);
  EXPECT_EQ(s.ColorHigh.Stored(), 255u);
  EXPECT_EQ(s.ColorLow.Stored(), 16711680u);
  for (const WindowPlace& w : s.Windows) EXPECT_EQ(w, (WindowPlace{false, 0, 0, 200, 200}));
  EXPECT_EQ(ReadEntryLanguage(IniFile{}), 0);
}

TEST(Settings, ValuesReadFromTheFileAreClamped) {
  IniFile ini = IniFile::Parse(
      "[Language]\nLang=7\n[Simulator]\nSimRate=70000\nColorHigh=-5\n[Colors]\nGridColor=999999999\n"
      "[Tools]\ncount=25\n");
  for (int n = 0; n < 25; ++n) ini.WriteString("Tools", "Program" + std::to_string(n), "p" + std::to_string(n));
  Settings s = ReadSettings(ini);
  EXPECT_EQ(s.Lang, 3);
  EXPECT_EQ(ReadEntryLanguage(ini), 3);
  EXPECT_EQ(s.SimRate, 65535);
  EXPECT_EQ(s.ColorHigh.Stored(), 255u);
  EXPECT_EQ(s.ColorOf(EditorColor::Grid).Stored(), 12632256u);
  EXPECT_EQ(s.Tools.size(), 10u);
  EXPECT_EQ(s.Tools.back().Program, "p9");

  ini = IniFile::Parse("[Language]\nLang=-3\n[Simulator]\nSimRate=0\n[Tools]\ncount=-2\n");
  s = ReadSettings(ini);
  EXPECT_EQ(s.Lang, 1);
  EXPECT_EQ(s.SimRate, 1);
  EXPECT_TRUE(s.Tools.empty());
  EXPECT_EQ(ReadEntryLanguage(IniFile::Parse("[Language]\nLang=x\n")), 0);
}

TEST(Settings, WrittenSettingsReadBackUnchanged) {
  Settings s;
  s.Lang = 3;
  s.ColorOf(EditorColor::Back) = Color{1, 2, 3};
  s.Show3D = true;
  s.ShowGrid = false;
  s.Optimise = false;
  s.Assembler = "/usr/bin/gpasm";
  s.Editor = "kate";
  s.LastFile = "/tmp/x.pic";
  s.SimRate = 20;
  s.ColorLow = Color{0, 128, 0};
  s.Tools = {{"Mplab", "/opt/mplab", "/opt", "$PJT"}, {"Term", "xterm", "", ""}};
  s.Windows[4] = {true, 10, 20, 300, 400};
  IniFile ini;
  WriteSettings(ini, s);
  WriteTools(ini, s.Tools);
  WriteWindowPlaces(ini, s.Windows);
  Settings back = ReadSettings(IniFile::Parse(ini.Text()));
  EXPECT_EQ(back.Lang, 3);
  EXPECT_EQ(back.Colors, s.Colors);
  EXPECT_TRUE(back.Show3D);
  EXPECT_FALSE(back.ShowGrid);
  EXPECT_FALSE(back.Optimise);
  EXPECT_EQ(back.Assembler, s.Assembler);
  EXPECT_EQ(back.Editor, s.Editor);
  EXPECT_EQ(back.LastFile, s.LastFile);
  EXPECT_EQ(back.SimRate, 20);
  EXPECT_EQ(back.ColorLow, s.ColorLow);
  EXPECT_EQ(back.Tools, s.Tools);
  EXPECT_EQ(back.Windows, s.Windows);
  EXPECT_EQ(ini.ReadString("Colors", "BackColor"), std::to_string(0x030201));
}

TEST(Settings, FewerToolsRemoveTheEntriesOfTheOnesGone) {
  IniFile ini;
  WriteTools(ini, std::vector<ToolEntry>{{"A", "a", "", ""}, {"B", "b", "", ""}, {"C", "c", "", ""}});
  WriteTools(ini, std::vector<ToolEntry>{{"A", "a", "", ""}});
  EXPECT_EQ(ini.ReadInt("Tools", "count", 0), 1);
  EXPECT_FALSE(ini.Get("Tools", "Program2"));
  EXPECT_EQ(ReadSettings(ini).Tools.size(), 1u);
}

TEST(Settings, TheStandardFolderFollowsTheConfigurationHome) {
  const char* old = std::getenv("XDG_CONFIG_HOME");
  std::string keep = old ? old : "";
  setenv("XDG_CONFIG_HOME", "/tmp/tolmek-xdg", 1);
  EXPECT_EQ(StandardSettingsFolder(), fs::path("/tmp/tolmek-xdg/Tolmek"));
  if (old)
    setenv("XDG_CONFIG_HOME", keep.c_str(), 1);
  else
    unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
}  // namespace tolmek
