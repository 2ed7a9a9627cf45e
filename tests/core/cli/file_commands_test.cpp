// tolmekc dump, export and import, run as a user would: files, stdout, stderr and exit codes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/wait.h>

#include "core/model/file_fixture.h"
#include "model/plan_json.h"

namespace tolmek {
namespace {

namespace fs = std::filesystem;

struct CliRun {
  int exit;
  std::string out, err;
};

CliRun Tolmekc(const fs::path& dir, const std::string& args) {
  std::string cmd = std::string("cd '") + dir.string() + "' && '" TOLMEKC_PATH "' " + args + " >out.txt 2>err.txt";
  int status = std::system(cmd.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, test::ReadBytes(dir / "out.txt"),
          test::ReadBytes(dir / "err.txt")};
}

class FileCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = test::TempFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
    test::BuildSamplePlan(t_);
    ASSERT_TRUE(SaveProject(t_.project, (dir_ / "plan.pic").string()));
  }
  void TearDown() override { fs::remove_all(dir_); }
  fs::path dir_;
  test::TestProject t_;
};

TEST_F(FileCommands, ExportAndImportRoundTrip) {
  CliRun toStdout = Tolmekc(dir_, "export plan.pic");
  ASSERT_EQ(toStdout.exit, 0) << toStdout.err;
  EXPECT_EQ(toStdout.out, PlanToJsonText(t_.project));
  EXPECT_TRUE(toStdout.err.empty());

  ASSERT_EQ(Tolmekc(dir_, "export plan.pic -o plan.json").exit, 0);
  EXPECT_EQ(test::ReadBytes(dir_ / "plan.json"), toStdout.out);
  CliRun import = Tolmekc(dir_, "import plan.json -o copy.pic");
  ASSERT_EQ(import.exit, 0) << import.err;
  EXPECT_EQ(test::ReadBytes(dir_ / "copy.pic"), test::ReadBytes(dir_ / "plan.pic"));
  EXPECT_EQ(Tolmekc(dir_, "export copy.pic").out, toStdout.out);
}

TEST_F(FileCommands, DumpListsSettingsElementsAndLinks) {
  CliRun r = Tolmekc(dir_, "dump plan.pic");
  ASSERT_EQ(r.exit, 0) << r.err;
  EXPECT_EQ(r.out.rfind("file: plan.pic\nsettings\n", 0), 0u) << r.out;
  EXPECT_NE(r.out.find("  TObjGatter \"LG1\"\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("    in1: input pin\n"), std::string::npos);
  EXPECT_NE(r.out.find("\nlinks: 8\n"), std::string::npos);
}

TEST_F(FileCommands, ProtectedPlanNeedsItsPasswordAndSpeaksTheChosenLanguage) {
  t_.project.Info.Password = "Abc";
  ASSERT_TRUE(SaveProject(t_.project, (dir_ / "secret.pic").string()));
  CliRun none = Tolmekc(dir_, "dump secret.pic");
  EXPECT_EQ(none.exit, 1);
  EXPECT_EQ(none.err, "Error 9 : wrong password !\n");
  EXPECT_TRUE(none.out.empty());
  CliRun german = Tolmekc(dir_, "export secret.pic --password abc --lang de");
  EXPECT_EQ(german.exit, 1);
  EXPECT_EQ(german.err, "Fehler 9 : das eingegebene Passwort ist falsch !\n");
  CliRun right = Tolmekc(dir_, "export secret.pic --password Abc");
  EXPECT_EQ(right.exit, 0);
  EXPECT_NE(right.out.find("\"password\": \"Abc\""), std::string::npos);
}

TEST_F(FileCommands, UnreadableInputsFailWithTheirMessage) {
  test::WriteBytes(dir_ / "junk.pic", "not a plan at all");
  test::WriteBytes(dir_ / "junk.json", R"({"format": "tolmek-plan", "version": 1, "elements": [{"kind": 99}]})");
  CliRun missing = Tolmekc(dir_, "dump nothing.pic --lang it");
  EXPECT_EQ(missing.exit, 1);
  EXPECT_EQ(missing.err, "Errore 7 : Impossibile trovare il file , oppure il file e´protetto!\n");
  CliRun junk = Tolmekc(dir_, "export junk.pic -o out.json");
  EXPECT_EQ(junk.exit, 1);
  EXPECT_EQ(junk.err, "Error 8 : this is no Tolmek file !\n");
  EXPECT_FALSE(fs::exists(dir_ / "out.json"));
  CliRun badJson = Tolmekc(dir_, "import junk.json -o new.pic");
  EXPECT_EQ(badJson.exit, 1);
  EXPECT_NE(badJson.err.find("Error 8 : this is no Tolmek file ! junk.json elements[0].kind"), std::string::npos)
      << badJson.err;
  EXPECT_FALSE(fs::exists(dir_ / "new.pic"));
  CliRun noJson = Tolmekc(dir_, "import none.json -o new.pic");
  EXPECT_EQ(noJson.exit, 1);
  EXPECT_NE(noJson.err.find("Error 7 :"), std::string::npos);
}

TEST_F(FileCommands, BadArgumentsShowTheUsage) {
  for (const char* args : {"dump", "dump a.pic b.pic", "export plan.pic -o", "import plan.json", "dump plan.pic --x",
                           "dump plan.pic --lang fr"}) {
    CliRun r = Tolmekc(dir_, args);
    EXPECT_EQ(r.exit, 2) << args;
    EXPECT_NE(r.err.find("tolmekc"), std::string::npos) << args;
    EXPECT_TRUE(r.out.empty()) << args;
  }
}

}  // namespace
}  // namespace tolmek
