// The plans shipped in examples/: each opens cleanly, and each one's JSON source is exactly its plan file.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/model/file_fixture.h"
#include "model/plan_json.h"

namespace tolmek {
namespace {

namespace fs = std::filesystem;

constexpr size_t kShippedExamples = 4;

std::vector<fs::path> ExamplePlans() {
  std::vector<fs::path> plans;
  for (const auto& entry : fs::directory_iterator(fs::path(TOLMEK_SOURCE_DIR) / "examples"))
    if (entry.path().extension() == ".pic") plans.push_back(entry.path());
  std::sort(plans.begin(), plans.end());
  return plans;
}

TEST(Examples, EveryShippedPlanOpensCleanly) {
  auto plans = ExamplePlans();
  EXPECT_EQ(plans.size(), kShippedExamples);
  for (const auto& plan : plans) {
    test::TestProject t;
    FixedPassword none;
    ASSERT_TRUE(OpenProject(t.project, plan.string(), none)) << plan;
    EXPECT_TRUE(t.sink.entries.empty()) << plan;
    EXPECT_FALSE(t.project.Elements().empty()) << plan;
    EXPECT_EQ(none.asked, 0) << "examples are not protected";
  }
}

TEST(Examples, JsonSourcesMatchTheirPlans) {
  for (const auto& plan : ExamplePlans()) {
    fs::path source = fs::path(plan).replace_extension(".json");
    ASSERT_TRUE(fs::exists(source)) << "every example is kept as JSON too: " << source;
    std::string json = test::ReadBytes(source);
    test::TestProject fromJson;
    PlanFromJsonText(fromJson.project, json);
    EXPECT_EQ(ProjectToBytes(fromJson.project), test::ReadBytes(plan)) << source << " and " << plan << " differ";

    test::TestProject fromPlan;
    FixedPassword none;
    ASSERT_TRUE(OpenProject(fromPlan.project, plan.string(), none));
    EXPECT_EQ(PlanToJsonText(fromPlan.project), json) << "regenerate " << source << " with tolmekc export";
  }
}

}  // namespace
}  // namespace tolmek
