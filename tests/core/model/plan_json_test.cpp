// The JSON form: exact round trips both ways, defaults for missing keys, and errors that name the place.
#include <gtest/gtest.h>

#include "components/registry.h"
#include "core/model/file_fixture.h"
#include "model/plan_json.h"

namespace tolmek {
namespace {

using test::TestProject;

TEST(PlanJson, ExportThenImportGivesTheSameFile) {
  TestProject t;
  test::BuildSamplePlan(t);
  t.project.Info.Password = "Geheim";
  t.project.Mcu.ClockHz = 20e6;
  t.project.Mcu.Oscillator = 3;
  t.project.Info.BuildNumber = 17;
  std::string file = ProjectToBytes(t.project);

  TestProject back;
  PlanFromJson(back.project, PlanToJson(t.project));
  EXPECT_EQ(ProjectToBytes(back.project), file);
}

TEST(PlanJson, EveryKindsFieldsSurviveTheJsonForm) {
  for (const KindInfo& k : KnownKinds()) {
    TestProject t;
    TBauteil& e = *t.project.CreateElement(k.code, 0, 0);
    test::Scrambler s;
    e.Record(s);
    std::string file = ProjectToBytes(t.project);
    TestProject back;
    try {
      PlanFromJson(back.project, PlanToJson(t.project));
    } catch (const std::exception& x) {
      ADD_FAILURE() << k.className << ": " << x.what() << " (every field and pin of a record needs its own key)";
      continue;
    }
    EXPECT_EQ(ProjectToBytes(back.project), file) << k.className;
  }
}

TEST(PlanJson, ImportThenExportGivesTheSameText) {
  TestProject t;
  test::BuildSamplePlan(t);
  std::string text = PlanToJsonText(t.project);
  TestProject back;
  PlanFromJsonText(back.project, text);
  EXPECT_EQ(PlanToJsonText(back.project), text);
}

TEST(PlanJson, TextIsStableAndReadable) {
  TestProject t;
  test::BuildSamplePlan(t);
  t.project.Info.CreatedAt = {3, 4, 2025, 9, 7};
  std::string text = PlanToJsonText(t.project);
  EXPECT_EQ(text.rfind("{\n  \"format\": \"tolmek-plan\",\n  \"version\": 1,\n  \"settings\": {\n", 0), 0u) << text;
  EXPECT_NE(text.find("\"createdAt\": \"2025-04-03 09:07\""), std::string::npos);
  EXPECT_NE(text.find("\"type\": \"TObjGatter\",\n      \"kind\": 3,"), std::string::npos) << text;
  EXPECT_NE(text.find("\"links\": [\n    ["), std::string::npos) << "one link a line";
  EXPECT_NE(text.find("\"text\": \"Fußnote: zwei Quellen\""), std::string::npos);
  EXPECT_EQ(text.back(), '\n');
}

TEST(PlanJson, MissingKeysTakeTheDefaultsOfNewElements) {
  TestProject t;
  PlanFromJsonText(t.project, R"({"format": "tolmek-plan", "version": 1,
    "elements": [{"kind": 3, "x": 200, "number": 1, "in1": {"number": 2}, "out": {"number": 18, "inverted": true}},
                 {"kind": 4, "x": 300, "y": 300, "number": 19}],
    "links": [[19, 18], [19, 2]]})");
  ASSERT_EQ(t.project.Elements().size(), 2u);
  auto& gate = static_cast<TObjGatter&>(*t.project.Elements()[0]);
  EXPECT_EQ(gate.X, 200);
  EXPECT_EQ(gate.Y, 0);
  EXPECT_EQ(gate.InputCount, 2);
  EXPECT_TRUE(gate.Output().Inverted);
  auto& node = static_cast<TObjKnoten&>(*t.project.Elements()[1]);
  ASSERT_EQ(node.LinkCount, 2);
  EXPECT_EQ(node.Links[0], &gate.Output());
  EXPECT_EQ(gate.Input(0).Partner, &node);
  EXPECT_EQ(t.project.Mcu, McuSettings{});
}

TEST(PlanJson, ErrorsNameThePlaceAndLeaveANewProject) {
  const std::string head = R"({"format": "tolmek-plan", "version": 1, )";
  struct Case {
    std::string json;
    std::string mentions;
  } cases[] = {
      {"{", "not JSON"},
      {R"({"format": "other", "version": 1})", "plan.format"},
      {R"({"format": "tolmek-plan", "version": 2})", "plan.version"},
      {head + R"("extra": 1})", "unknown key \"extra\""},
      {head + R"("settings": {"oscillator": 5}})", "settings.oscillator: must lie in 0..4"},
      {head + R"("settings": {"clockHz": 99}})", "settings.clockHz"},
      {head + R"("settings": {"createdAt": "2024-13-01 10:00"}})", "settings.createdAt"},
      {head + R"("elements": [{"kind": 40}]})", "elements[0].kind"},
      {head + R"("elements": [{"x": 1}]})", "elements[0]: has no \"kind\""},
      {head + R"("elements": [{"kind": 22, "type": "TObjGatter"}]})", "elements[0].type"},
      {head + R"("elements": [{"kind": 22, "mode": 2}]})", "elements[0].mode"},
      {head + R"("elements": [{"kind": 22, "x": -32769}]})", "elements[0].x"},
      {head + R"("elements": [{"kind": 22, "x": -11}]})", "elements[0]: lies off the page"},
      {head + R"("elements": [{"kind": 22, "page": 10}]})", "elements[0].page"},
      {head + R"("elements": [{"kind": 22, "pin": {"side": true}}]})", "elements[0].pin.side"},
      {head + R"("elements": [{"kind": 22, "pin": {"colour": 1}}]})", "elements[0].pin: unknown key"},
      {head + R"("elements": [{"kind": 22, "name": "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456"}]})", "longer than 32"},
      {head + R"("elements": [{"kind": 22, "name": "€"}]})", "cannot store"},
      {head + R"("elements": [{"kind": 22, "number": 1, "pin": {"number": 2}}], "links": [[2, 1]]})",
       "links[0]: names no junction node"},
      {head + R"("elements": [{"kind": 4, "number": 1}], "links": [[1, 7]]})", "links[0]: names no"},
      {head + R"("elements": [{"kind": 22, "number": 1, "pin": {"number": 2}}, {"kind": 4, "number": 3},
                              {"kind": 4, "number": 4}], "links": [[3, 2], [4, 2]]})",
       "links[1]: joins a pin that is already linked"},
      {head + R"("links": [[1]]})", "links[0]: must be a pair"},
  };
  for (const auto& c : cases) {
    TestProject t;
    test::BuildSamplePlan(t);
    t.project.ProjectFileName = "old.pic";
    try {
      PlanFromJsonText(t.project, c.json);
      ADD_FAILURE() << "accepted: " << c.json;
    } catch (const CorruptFile& e) {
      EXPECT_NE(std::string(e.what()).find(c.mentions), std::string::npos) << e.what();
    }
    EXPECT_TRUE(t.project.Elements().empty()) << c.json;
    EXPECT_EQ(t.project.ProjectFileName, kDefaultProjectName);
  }
}

}  // namespace
}  // namespace tolmek
