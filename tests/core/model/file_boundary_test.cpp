// What the file boundary keeps: positions on every edge, plans up to the numbers a file holds, stored
// links in their order, and the report of links a damaged file could not keep.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "components/gatter.h"
#include "components/spl.h"
#include "components/text.h"
#include "core/model/file_fixture.h"
#include "model/clipboard.h"
#include "model/plan_json.h"
#include "model/project_file.h"

namespace tolmek {
namespace {

using test::TestProject;
namespace fs = std::filesystem;

std::string U16(int v) { return {char(v & 0xFF), char((v >> 8) & 0xFF)}; }

// Elements on every page at every edge of it: the corners, 0, and the junction node's half step outside.
void BuildEdgePlan(TestProject& t) {
  const std::pair<int, int> corners[] = {{0, 0}, {kPageWidth, 0}, {0, kPageHeight}, {kPageWidth, kPageHeight},
                                         {kPageWidth / 2, 0}, {0, kPageHeight / 2}};
  for (int page = 0; page < kPageCount; ++page) {
    t.project.CurrentPage = page;
    for (auto [x, y] : corners) {
      auto& gate = t.Add<TObjGatter>(kind::Gatter, x, y);
      auto& node = t.Node(x, y);  // X, Y = -5 at the upper left edge
      Connect(node, gate.Output());
      t.Add<TObjText>(kind::Text, x, y);
    }
    t.Add<TObjSpl>(kind::Spl, kPageWidth, kPageHeight);
  }
  t.project.CurrentPage = 0;
  t.project.Renumber();
}

struct Place {
  int32_t x, y;
  uint8_t page;
  friend bool operator==(const Place&, const Place&) = default;
};

std::vector<Place> Places(const Project& p) {
  std::vector<Place> out;
  for (const auto& e : p.Elements()) out.push_back({e->X, e->Y, e->Page});
  return out;
}

TEST(FileBoundary, PositionsAtEveryPageEdgeSurviveFileAndJsonOnEveryPage) {
  TestProject t;
  BuildEdgePlan(t);
  ASSERT_EQ(t.project.Elements()[1]->X, -5) << "a node at the origin reaches half a grid step beyond it";
  const std::string bytes = ProjectToBytes(t.project);

  TestProject back;
  FixedPassword none;
  ASSERT_TRUE(ProjectFromBytes(back.project, bytes, none));
  EXPECT_EQ(Places(back.project), Places(t.project));
  EXPECT_EQ(ProjectToBytes(back.project), bytes);

  TestProject imported;
  PlanFromJson(imported.project, PlanToJson(back.project));
  EXPECT_EQ(Places(imported.project), Places(t.project));
  EXPECT_EQ(ProjectToBytes(imported.project), bytes);
}

TEST(FileBoundary, PositionsOffThePageAreRefusedWithMessageEight) {
  TestProject t;
  auto& gate = t.Add<TObjGatter>(kind::Gatter, 100, 100);
  const std::string good = ProjectToBytes(t.project);
  ByteWriter record;
  gate.Save(record);
  const size_t x = good.size() - 3 - record.Size() + 1;  // the record ends before 0 and 0, 0; X follows its kind
  ASSERT_EQ(good.substr(x, 2), U16(100));
  const fs::path dir = test::TempFolder("off_page");
  for (auto [field, value] : std::vector<std::pair<size_t, int>>{{0, -20}, {0, 3010}, {2, -11}, {2, 2010}}) {
    std::string bad = good;
    bad.replace(x + field, 2, U16(value & 0xFFFF));
    test::WriteBytes(dir / "BAD.PIC", bad);
    TestProject back;
    FixedPassword none;
    EXPECT_FALSE(OpenProject(back.project, (dir / "BAD.PIC").string(), none)) << field << " " << value;
    EXPECT_EQ(back.sink.Numbers(), std::vector<int>{8});
    EXPECT_TRUE(back.project.Elements().empty());
  }
  PlanJson json = PlanToJson(t.project);
  json["elements"][0]["x"] = -20;
  TestProject imported;
  EXPECT_THROW(PlanFromJson(imported.project, json), CorruptFile);
  fs::remove_all(dir);
}

// Nodes chained by links, created without renumbering each one (a full plan would take minutes otherwise).
void AddNodeChain(Project& p, int count) {
  p.Pasting = true;
  TObjKnoten* previous = nullptr;
  for (int i = 0; i < count; ++i) {
    auto* node = static_cast<TObjKnoten*>(p.CreateElement(kind::Knoten, 10 * (i % 290), 10 * (i / 290 % 190)));
    if (previous) Connect(*previous, *node);
    previous = node;
  }
  p.Pasting = false;
  p.Renumber();
}

int LinkEnds(const Project& p) {
  int ends = 0;
  for (const auto& e : p.Elements())
    if (e->IsNode()) ends += static_cast<const TObjKnoten&>(*e).LinkCount;
  return ends;
}

TEST(FileBoundary, PlanAtTheNumberLimitKeepsEveryLinkAndRefusesOneBlockMore) {
  TestProject t;
  AddNodeChain(t.project, kMaxPlanNumber - 18);
  t.Add<TObjGatter>(kind::Gatter);  // 18 numbers: the plan is full
  ASSERT_EQ(t.project.NumbersInUse(), kMaxPlanNumber);
  const fs::path dir = test::TempFolder("limit");
  const std::string path = (dir / "FULL.PIC").string();
  ASSERT_TRUE(SaveProject(t.project, path));
  TestProject back;
  FixedPassword none;
  ASSERT_TRUE(OpenProject(back.project, path, none));
  EXPECT_EQ(LinkEnds(back.project), LinkEnds(t.project));
  EXPECT_EQ(LinkEnds(back.project), 2 * (kMaxPlanNumber - 19));
  EXPECT_TRUE(back.sink.entries.empty());

  // One more block, or one more node, is refused, and the plan stays as it was.
  EXPECT_EQ(t.project.CreateElement(kind::Gatter, 100, 100), nullptr);
  EXPECT_EQ(t.project.CreateElement(kind::Knoten, 100, 100), nullptr);
  EXPECT_EQ(t.sink.Numbers(), (std::vector<int>{54, 54}));
  EXPECT_EQ(t.project.NumbersInUse(), kMaxPlanNumber);

  // Pasting past the limit is refused as a whole; the clipboard keeps its copy.
  t.project.ClearMarks();
  t.project.Elements().back()->Marked = 1;
  EditCommands edit(t.project, dir.string());
  ASSERT_TRUE(edit.Copy());
  const size_t before = t.project.Elements().size();
  EXPECT_FALSE(edit.Paste());
  EXPECT_EQ(t.project.Elements().size(), before);
  EXPECT_GT(fs::file_size(edit.ClipboardPath()), 9u);
  EXPECT_EQ(t.sink.Numbers().back(), 54);
  fs::remove_all(dir);
}

TEST(FileBoundary, PlansTheFileCannotNumberAreNeitherSavedNorCopied) {
  TestProject t;
  AddNodeChain(t.project, kMaxFileNumber + 1);  // only a read of a foreign file or a bug could get here
  const fs::path dir = test::TempFolder("too_many");
  EXPECT_FALSE(SaveProject(t.project, (dir / "TOO.PIC").string()));
  EXPECT_FALSE(fs::exists(dir / "TOO.PIC"));
  EXPECT_EQ(t.sink.Numbers(), std::vector<int>{54});

  // The clipboard numbers from 30000 to 32767: a bigger selection would wrap.
  TestProject copy;
  AddNodeChain(copy.project, kMaxFileNumber - kPasteNumberBase + 2);
  for (const auto& e : copy.project.Elements()) e->Marked = 1;
  EditCommands edit(copy.project, dir.string());
  EXPECT_FALSE(edit.Copy());
  EXPECT_EQ(copy.sink.Numbers(), std::vector<int>{54});
  fs::remove_all(dir);
}

std::string WithLinks(Project& p, const std::vector<std::pair<int, int>>& pairs) {
  std::string bytes = ProjectToBytes(p);
  bytes.resize(bytes.size() - 2);
  for (auto [a, b] : pairs) bytes += U16(a) + U16(b);
  return bytes + U16(0);
}

TEST(FileBoundary, SkippedLinksAreCountedAndReportedOnceAfterOpening) {
  TestProject t;
  t.Add<TObjGatter>(kind::Gatter);  // 1, pins 2..18
  t.Node();                         // 19
  t.Node();                         // 20
  const std::string file = WithLinks(t.project, {{19, 18},    // made
                                                 {20, 18},    // re-points a linked pin: dropped
                                                 {19, 18},    // repeated: dropped
                                                 {2, 19},     // not from a node: dropped
                                                 {19, 20},    // made; the other side is missing: completed
                                                 {19, 77}});  // names nothing: dropped
  const fs::path dir = test::TempFolder("report");
  test::WriteBytes(dir / "LINKS.PIC", file);
  TestProject back;
  FixedPassword none;
  ASSERT_TRUE(OpenProject(back.project, (dir / "LINKS.PIC").string(), none));
  ASSERT_EQ(back.sink.Numbers(), std::vector<int>{53});
  EXPECT_NE(back.sink.entries[0].text.find("count: 5"), std::string::npos) << back.sink.entries[0].text;
  EXPECT_EQ(static_cast<TObjKnoten&>(*back.project.Elements()[2]).LinkCount, 1);

  // A plan Tolmek saved opens without a word.
  ASSERT_TRUE(SaveProject(back.project, (dir / "LINKS.PIC").string()));
  TestProject again;
  ASSERT_TRUE(OpenProject(again.project, (dir / "LINKS.PIC").string(), none));
  EXPECT_TRUE(again.sink.entries.empty());
  fs::remove_all(dir);
}

TEST(FileBoundary, NodeSlotsComeBackInTheOrderTheyWereStored) {
  // The node's first wire went to a pin, the second to a node listed before it.
  TestProject t;
  auto& gate = t.Add<TObjGatter>(kind::Gatter);
  auto& early = t.Node(300, 300);
  auto& late = t.Node(400, 300);
  Connect(late, gate.Output());
  Connect(early, late);
  const std::string bytes = ProjectToBytes(t.project);
  TestProject back;
  FixedPassword none;
  ASSERT_TRUE(ProjectFromBytes(back.project, bytes, none));
  auto& read = static_cast<TObjKnoten&>(*back.project.Elements()[2]);
  ASSERT_EQ(read.LinkCount, 2);
  EXPECT_TRUE(read.Links[0]->IsPin());
  EXPECT_EQ(ProjectToBytes(back.project), bytes);
}

TEST(FileBoundary, AnElementNumberedZeroOpensAndItsPlanSurvivesTheJsonRoundTrip) {
  // Node B is stored with number 0: the link (A, 0) reaches it, its own side cannot be stored.
  TestProject t;
  auto& a = t.Node(100, 100);
  t.Node(200, 100);
  ByteWriter recordA;
  a.Save(recordA);
  std::string file = WithLinks(t.project, {{1, 0}});
  TestProject empty;
  const size_t elements = ProjectToBytes(empty.project).size() - 3;
  const size_t numberOfB = elements + 1 + recordA.Size() + 1 + 9;
  ASSERT_EQ(file.substr(numberOfB, 2), U16(2));
  file.replace(numberOfB, 2, U16(0));

  TestProject back;
  FixedPassword none;
  int repaired = -1;
  ASSERT_TRUE(ProjectFromBytes(back.project, file, none, &repaired));
  EXPECT_EQ(repaired, 1) << "B's side of the link was completed";
  EXPECT_EQ(back.project.Elements()[1]->Number, 2) << "numbered afresh";
  const std::string written = ProjectToBytes(back.project);
  TestProject imported;
  ASSERT_NO_THROW(PlanFromJson(imported.project, PlanToJson(back.project)));
  EXPECT_EQ(ProjectToBytes(imported.project), written);
  EXPECT_EQ(LinkEnds(imported.project), 2);
}

// Every seed of the reader's fuzz target that opens survives what the target demands: it saves and
// reopens to the same bytes and passes through its JSON form unchanged. (The seeds the fuzzer found
// hold positions off the page and are now refused as a whole.)
TEST(FileBoundary, EveryCorpusPlanSurvivesSaveReopenAndJson) {
  int plans = 0;
  for (const auto& entry : fs::directory_iterator(fs::path(TOLMEK_SOURCE_DIR) / "fuzz" / "corpus")) {
    if (entry.path().extension() != ".pic") continue;
    SCOPED_TRACE(entry.path().filename().string());
    const std::string original = test::ReadBytes(entry.path());
    TestProject t;
    FixedPassword password{std::string("PW")};
    try {
      if (!ProjectFromBytes(t.project, original, password)) continue;
    } catch (const CorruptFile&) {
      continue;
    }
    const std::string written = ProjectToBytes(t.project);
    TestProject again;
    ASSERT_TRUE(ProjectFromBytes(again.project, written, password));
    EXPECT_EQ(ProjectToBytes(again.project), written);
    TestProject imported;
    ASSERT_NO_THROW(PlanFromJson(imported.project, PlanToJson(t.project)));
    EXPECT_EQ(ProjectToBytes(imported.project), written);
    ++plans;
  }
  EXPECT_GE(plans, 4);
}

}  // namespace
}  // namespace tolmek
