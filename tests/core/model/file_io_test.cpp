// One writer for every file the program replaces, one bounded reader for every file it reads whole.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "codegen/analysis.h"
#include "codegen/program_writer.h"
#include "core/model/file_fixture.h"
#include "model/clipboard.h"
#include "model/file_io.h"
#include "settings/ini_file.h"

namespace tolmek {
namespace {

namespace fs = std::filesystem;

unsigned Mode(const fs::path& p) {
  struct stat st {};
  return ::stat(p.c_str(), &st) == 0 ? unsigned(st.st_mode & 0777) : 0u;
}

TEST(FileIo, EveryWriterReplacesTheFileWholeAndKeepsItsPermissions) {
  const fs::path dir = test::TempFolder("writers");
  test::TestProject t;
  test::BuildSamplePlan(t);
  for (auto* e : {t.project.Elements()[0].get(), t.project.Elements()[2].get()}) e->Marked = 1;
  EditCommands edit(t.project, dir.string());
  Analysis analysis(t.project);
  ProgramWriter writer(t.project, analysis);

  struct Writer {
    const char* what;
    fs::path file;
    std::function<bool()> write;
  };
  const std::vector<Writer> writers = {
      {"project", dir / "PLAN.PIC", [&] { return SaveProject(t.project, (dir / "PLAN.PIC").string()); }},
      {"settings", dir / "quandel.ini", [&] { return IniFile::Parse("[S]\nk=v\n").Save(dir / "quandel.ini"); }},
      {"source", dir / "PLAN.ASM", [&] { return writer.GenerateSource((dir / "PLAN.ASM").string()).FileWritten; }},
      {"clipboard", edit.ClipboardPath(), [&] { return edit.Copy(); }},
      {"undo store", edit.UndoPath(), [&] {
         edit.Delete();
         return true;
       }},
  };
  for (const Writer& w : writers) {
    test::WriteBytes(w.file, "old contents");
    ASSERT_EQ(::chmod(w.file.c_str(), 0640), 0);
    ASSERT_TRUE(w.write()) << w.what;
    EXPECT_NE(test::ReadBytes(w.file), "old contents") << w.what;
    EXPECT_EQ(Mode(w.file), 0640u) << w.what << " keeps the permissions of the file it replaces";
  }
  for (const auto& entry : fs::directory_iterator(dir))
    EXPECT_EQ(entry.path().string().find(".tmp"), std::string::npos) << entry.path() << " was left behind";
  fs::remove_all(dir);
}

TEST(FileIo, AFailedWriteLeavesTheTargetAndNoTemporary) {
  const fs::path dir = test::TempFolder("failed");
  EXPECT_FALSE(WriteFileAtomically(dir / "missing" / "x.pic", "data"));
  fs::create_directories(dir / "folder.pic");
  EXPECT_FALSE(WriteFileAtomically(dir / "folder.pic", "data")) << "a folder is not replaced";
  EXPECT_TRUE(fs::is_directory(dir / "folder.pic"));
  size_t count = 0;
  for (auto it = fs::directory_iterator(dir); it != fs::directory_iterator(); ++it) ++count;
  EXPECT_EQ(count, 1u);
  fs::remove_all(dir);
}

TEST(FileIo, BoundedReadRefusesWhatIsTooBigOrNoFile) {
  const fs::path dir = test::TempFolder("bounded");
  test::WriteBytes(dir / "ten", std::string(10, 'x'));
  EXPECT_EQ(ReadFileBounded(dir / "ten", 10).bytes, std::string(10, 'x'));
  FileContents big = ReadFileBounded(dir / "ten", 9);
  EXPECT_FALSE(big.bytes);
  EXPECT_EQ(big.problem, ReadProblem::TooBig);
  EXPECT_EQ(ReadFileBounded(dir / "none").problem, ReadProblem::Missing);
  EXPECT_EQ(ReadFileBounded(dir).problem, ReadProblem::Missing) << "a folder is no file";
  // A settings file is small; a huge one is not read into memory.
  test::WriteBytes(dir / "quandel.ini", "[Language]\nLang=3\n" + std::string(2u << 20, ';'));
  IniFile ini;
  EXPECT_FALSE(ini.Load(dir / "quandel.ini"));
  fs::remove_all(dir);
}

}  // namespace
}  // namespace tolmek
