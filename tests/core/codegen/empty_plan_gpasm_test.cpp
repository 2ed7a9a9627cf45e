// Every supported part: the program of an empty plan assembles cleanly and its word count is what gpasm placed.
#include <gtest/gtest.h>

#include "support/gputils_runner.h"
#include "writer_fixture.h"

namespace tolmek {
namespace {

TEST(EmptyPlanGpasm, EveryTypeAssemblesWithItsWordCount) {
  if (!test::HaveGpasm()) GTEST_SKIP() << "gpasm not installed";
  test::ScratchDir dir("empty_plan");
  for (int type = 0; type < ProcessorCount; ++type) {
    for (bool icd : {false, true}) {
      if (icd && (type < 20 || type > 23)) continue;
      test::WriterFixture f(type);
      f.project().Mcu.IcdMode = icd;
      const std::string& text = f.Generate();
      const test::Assembly a = test::Assemble(text, dir.path());
      SCOPED_TRACE("type " + std::to_string(type) + (icd ? " ICD" : ""));
      EXPECT_TRUE(a.Clean()) << a.Report();
      EXPECT_EQ(a.wordsUsed, f.last.RomUsed);
      EXPECT_FALSE(f.last.OutOfRom);
      EXPECT_TRUE(f.tp.sink.entries.empty());
    }
  }
}

}  // namespace
}  // namespace tolmek
