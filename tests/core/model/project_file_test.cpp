// The project file: byte layout, every failure of reading with the state it leaves, links, saving safely.
#include <gtest/gtest.h>

#include "components/registry.h"
#include "core/model/file_fixture.h"
#include "model/project_file.h"

namespace tolmek {
namespace {

using test::TestProject;
namespace fs = std::filesystem;

std::string U16(int v) { return {char(v & 0xFF), char((v >> 8) & 0xFF)}; }

void FixTimes(Project& p) {
  p.Info.CreatedAt = {24, 12, 2023, 18, 30};
  p.Info.ChangedAt = {2, 1, 2024, 7, 5};
}

TEST(ProjectFile, EmptyProjectLayoutIsExact) {
  TestProject t;
  FixTimes(t.project);
  t.project.Mcu.CodeProtect = true;  // the file puts Code-Protected before PORTB-Pull-Up
  t.project.Mcu.PullUps = false;
  t.project.Mcu.CalibrationValue = 0x34;
  t.project.Mcu.Mclre = 1;
  std::string bytes = ProjectToBytes(t.project);

  std::string expected;
  expected += char(48);
  expected += '\x08';
  expected += "Tolmek function plan file, format version 1.00";
  expected += '\x03';
  expected += std::string(1002, '\0');
  expected += U16(kReservedWord);
  expected += std::string{'\x34', 0, 1};           // calibration, MPLAB-ICD, MCLRE
  expected += std::string(1, '\0');                // no password
  expected += std::string{1, 1, 0, 0};             // auto increment, version 1.0 build 0
  expected += std::string{24, 12} + U16(2023) + std::string{18, 30};
  expected += std::string{2, 1} + U16(2024) + std::string{7, 5};
  expected += std::string{3, 2};                   // PIC16F84, XT
  expected += std::string{0, 1, 1, 0, 0};          // WDT, PWRT, CP, PBPU, BOD
  expected += "\x07" "4000000";
  expected += std::string(1, '\0');                // no elements
  expected += std::string(2, '\0');                // no links
  ASSERT_EQ(bytes.size(), expected.size());
  EXPECT_EQ(bytes, expected);
  EXPECT_EQ(bytes.substr(1051 + 2, 3), std::string("\x34\x00\x01", 3)) << "calibration sits at offset 1053";

  TestProject back;
  FixedPassword none;
  ASSERT_TRUE(ProjectFromBytes(back.project, bytes, none));
  EXPECT_TRUE(back.project.Elements().empty());
  EXPECT_EQ(back.project.Mcu, t.project.Mcu);
  EXPECT_EQ(back.project.Info.CreatedAt, t.project.Info.CreatedAt);
  EXPECT_EQ(none.asked, 0);
}

TEST(ProjectFile, PasswordIsStoredComplementedAndChecked) {
  TestProject t;
  t.project.Info.Password = "aB";
  BuildSamplePlan(t);
  std::string bytes = ProjectToBytes(t.project);
  EXPECT_EQ(bytes.substr(1056, 3), (std::string{2, char(~'a'), char(~'B')}));

  auto dir = test::TempFolder("password");
  test::WriteBytes(dir / "p.pic", bytes);
  struct Case {
    std::optional<std::string> typed;
    bool opens;
  } cases[] = {{"aB", true}, {"ab", false}, {"AB", false}, {"", false}, {std::nullopt, false}};
  for (const auto& c : cases) {
    TestProject back;
    FixedPassword prompt(c.typed);
    EXPECT_EQ(OpenProject(back.project, (dir / "p.pic").string(), prompt), c.opens) << c.typed.value_or("<cancel>");
    EXPECT_EQ(prompt.asked, 1);
    if (c.opens) {
      EXPECT_TRUE(back.sink.entries.empty());
      EXPECT_EQ(back.project.Elements().size(), t.project.Elements().size());
      EXPECT_EQ(back.project.Info.Password, "aB");
    } else {
      EXPECT_EQ(back.sink.Numbers(), std::vector<int>{9});
      EXPECT_TRUE(back.project.Elements().empty());
      EXPECT_EQ(back.project.ProjectFileName, kDefaultProjectName);
      EXPECT_TRUE(back.project.Info.Password.empty());
    }
  }
  fs::remove_all(dir);
}

TEST(ProjectFile, NodeToNodeLinkIsWrittenTwiceAndReadOnce) {
  TestProject t;
  auto& a = t.Node(100, 100);
  auto& b = t.Node(200, 100);
  ASSERT_TRUE(Connect(a, b));
  t.project.Renumber();
  std::string bytes = ProjectToBytes(t.project);
  std::string links = U16(a.Number) + U16(b.Number) + U16(b.Number) + U16(a.Number) + U16(0);
  EXPECT_EQ(bytes.substr(bytes.size() - links.size()), links);

  TestProject back;
  FixedPassword none;
  ASSERT_TRUE(ProjectFromBytes(back.project, bytes, none));
  ASSERT_EQ(back.project.Elements().size(), 2u);
  auto& ra = static_cast<TObjKnoten&>(*back.project.Elements()[0]);
  auto& rb = static_cast<TObjKnoten&>(*back.project.Elements()[1]);
  ASSERT_EQ(ra.LinkCount, 1);
  ASSERT_EQ(rb.LinkCount, 1);
  EXPECT_EQ(ra.Links[0], &rb);
  EXPECT_EQ(rb.Links[0], &ra);
}

TEST(ProjectFile, ClockIsWrittenAsWholeHertzAndCheckedOnReading) {
  TestProject t;
  t.project.Mcu.ClockHz = 32768.4;
  std::string bytes = ProjectToBytes(t.project);
  EXPECT_NE(bytes.find(std::string("\x05" "32768\x00", 7)), std::string::npos);
  t.project.Mcu.ClockHz = 4e6;
  bytes = ProjectToBytes(t.project);
  size_t clock = bytes.size() - 3 - 8;
  EXPECT_EQ(bytes.substr(clock, 8), "\x07" "4000000");

  for (std::string text : {"99", "4e6", "", "4000000.0", "-5000", "99999999999"}) {
    std::string bad = bytes.substr(0, clock) + char(text.size()) + text + bytes.substr(clock + 8);
    TestProject back;
    FixedPassword none;
    EXPECT_THROW((void)ProjectFromBytes(back.project, bad, none), CorruptFile) << text;
  }
}

TEST(ProjectFile, RejectedIdentificationLeavesANewProject) {
  TestProject t;
  BuildSamplePlan(t);
  std::string good = ProjectToBytes(t.project);
  auto dir = test::TempFolder("ident");
  auto last = good;
  last[48] = '\x04';  // the closing byte of the identification
  auto length = good;
  length[0] = 47;
  auto text = good;
  text[10] ^= 0x20;
  for (const std::string& bad : {last, length, text, good.substr(0, 30)}) {
    TestProject back;
    back.project.Mcu.ProcessorType = 7;
    back.project.ProjectFileName = "/somewhere/old.pic";
    test::WriteBytes(dir / "bad.pic", bad);
    FixedPassword prompt("x");
    EXPECT_FALSE(OpenProject(back.project, (dir / "bad.pic").string(), prompt));
    EXPECT_EQ(back.sink.Numbers(), std::vector<int>{8});
    EXPECT_TRUE(back.project.Elements().empty());
    EXPECT_EQ(back.project.ProjectFileName, kDefaultProjectName);
    EXPECT_EQ(back.project.Mcu.ProcessorType, 7) << "a new project keeps the settings it had";
    EXPECT_EQ(prompt.asked, 0);
  }
  fs::remove_all(dir);
}

TEST(ProjectFile, MissingFileIsMessageSeven) {
  TestProject t;
  BuildSamplePlan(t);
  FixedPassword none;
  auto dir = test::TempFolder("missing");
  EXPECT_FALSE(OpenProject(t.project, (dir / "nothing.pic").string(), none));
  EXPECT_FALSE(OpenProject(t.project, dir.string(), none)) << "a folder is no file";
  EXPECT_EQ(t.sink.Numbers(), (std::vector<int>{7, 7}));
  EXPECT_TRUE(t.project.Elements().empty());
  fs::remove_all(dir);
}

TEST(ProjectFile, SavedPlanReadsBackAndSavesIdenticallyApartFromTheTime) {
  TestProject t;
  BuildSamplePlan(t);
  t.project.Info.Password = "PW";
  t.project.Mcu.ProcessorType = 12;
  t.project.Saved = false;
  auto dir = test::TempFolder("resave");
  auto first = (dir / "first.pic").string(), second = (dir / "second.pic").string();
  ASSERT_TRUE(SaveProject(t.project, first));
  EXPECT_TRUE(t.project.Saved);

  TestProject back;
  FixedPassword prompt("PW");
  ASSERT_TRUE(OpenProject(back.project, first, prompt));
  EXPECT_EQ(back.project.ProjectFileName, first);
  EXPECT_TRUE(back.project.Saved);
  ASSERT_TRUE(SaveProject(back.project, second));

  std::string a = test::ReadBytes(first), b = test::ReadBytes(second);
  ASSERT_EQ(a.size(), b.size());
  size_t changed = test::AfterPassword(a) + 4 + 6;
  EXPECT_EQ(a.substr(0, changed), b.substr(0, changed));
  EXPECT_EQ(a.substr(changed + 6), b.substr(changed + 6));
  // The structure came back too: same links, same names.
  EXPECT_EQ(ProjectToBytes(back.project).substr(changed + 6), ProjectToBytes(t.project).substr(changed + 6));
  fs::remove_all(dir);
}

TEST(ProjectFile, FailedSaveKeepsTheOldFileAndTheProjectState) {
  TestProject t;
  BuildSamplePlan(t);
  auto dir = test::TempFolder("save");
  // A folder where the file should go: the rename over it fails after everything was written.
  fs::create_directory(dir / "blocked.pic");
  test::WriteBytes(dir / "blocked.pic" / "inside", "keep");
  DateTime before{1, 2, 2003, 4, 5};
  t.project.Info.ChangedAt = before;
  t.project.Saved = false;
  EXPECT_FALSE(SaveProject(t.project, (dir / "blocked.pic").string()));
  EXPECT_FALSE(SaveProject(t.project, (dir / "no" / "such" / "folder.pic").string()));
  EXPECT_EQ(t.sink.Numbers(), (std::vector<int>{5, 5}));
  EXPECT_FALSE(t.project.Saved);
  EXPECT_EQ(t.project.Info.ChangedAt, before);
  EXPECT_EQ(test::ReadBytes(dir / "blocked.pic" / "inside"), "keep");

  // Success replaces the old file and leaves nothing else behind.
  test::WriteBytes(dir / "plan.pic", "old contents");
  ASSERT_TRUE(SaveProject(t.project, (dir / "plan.pic").string()));
  EXPECT_TRUE(t.project.Saved);
  EXPECT_EQ(test::ReadBytes(dir / "plan.pic").substr(0, 49), std::string(1, char(48)) + std::string(FileIdentification()));
  size_t entries = std::distance(fs::directory_iterator(dir), fs::directory_iterator());
  EXPECT_EQ(entries, 2u) << "no temporary file may stay";
  fs::remove_all(dir);
}

// Every prefix of a plan: either a plan whose link list merely ended early, or message 8 with nothing loaded.
TEST(ProjectFile, TruncatedFilesNeverLoadHalfAPlan) {
  TestProject t;
  BuildSamplePlan(t);
  std::string full = ProjectToBytes(t.project);
  size_t accepted = 0;
  for (size_t n = 0; n < full.size(); ++n) {
    TestProject back;
    FixedPassword none;
    bool ok = false;
    try {
      ok = ProjectFromBytes(back.project, std::string_view(full).substr(0, n), none);
    } catch (const CorruptFile&) {
      EXPECT_TRUE(back.project.Elements().empty()) << n;
      continue;
    }
    ASSERT_TRUE(ok);
    ++accepted;
    EXPECT_EQ(back.project.Elements().size(), t.project.Elements().size()) << n;
  }
  // The link list may end with the file after any whole pair, or right after the elements' 0 byte.
  size_t linkBytes = 0;
  for (const auto& e : t.project.Elements())
    if (e->IsNode()) linkBytes += 4 * static_cast<const TObjKnoten&>(*e).LinkCount;
  EXPECT_EQ(accepted, linkBytes / 4 + 1);
}

TEST(ProjectFile, UnknownKindOrBadFieldIsCorrupt) {
  TestProject t;
  auto& gate = t.Add<TObjGatter>(kind::Gatter);
  (void)gate;
  std::string good = ProjectToBytes(t.project);
  size_t record = good.size() - 3 - ([&] {
                    ByteWriter w;
                    t.project.Elements()[0]->Save(w);
                    return w.Size();
                  }()) - 1;
  ASSERT_EQ(uint8_t(good[record]), kind::Gatter);
  auto patched = [&](size_t at, char v) {
    std::string s = good;
    s[at] = v;
    return s;
  };
  size_t afterName = record + 1 + 11 + 1 + t.project.Elements()[0]->Name.size();
  struct Case {
    std::string bytes;
    const char* what;
  } cases[] = {
      {patched(record, 33), "kind 33"},
      {patched(record, 2), "a pin kind in the list"},
      {patched(record, 4), "kind byte and record disagree"},
      {patched(afterName, 3), "gate type 3"},
      {patched(afterName + 1, 17), "17 inputs"},
      {patched(good.size() - 3 - 256, 10), "page 10"},
      {patched(test::AfterPassword(good) + 4 + 12, 50), "processor 50"},
      {patched(test::AfterPassword(good) + 4 + 13, 5), "oscillator 5"},
      {patched(1055, 2), "MCLRE 2"},
  };
  for (const auto& c : cases) {
    TestProject back;
    back.project.Mcu.Oscillator = 4;
    FixedPassword none;
    EXPECT_THROW((void)ProjectFromBytes(back.project, c.bytes, none), CorruptFile) << c.what;
    EXPECT_TRUE(back.project.Elements().empty()) << c.what;
    EXPECT_EQ(back.project.Mcu.Oscillator, 4) << c.what;
  }
  TestProject back;
  FixedPassword none;
  EXPECT_TRUE(ProjectFromBytes(back.project, good, none));
}

TEST(ProjectFile, LongStoredNameKeepsThirtyTwoCharactersAndTheRestOfTheRecord) {
  TestProject t;
  auto& gnd = t.Add<TObjGnd>(kind::Gnd, 120, 80);
  gnd.SetSupply(TObjGnd::kVcc, true);
  std::string file = ProjectToBytes(t.project);
  size_t nameAt = file.size() - 3 - [&] {
    ByteWriter w;
    gnd.Save(w);
    return w.Size();
  }() + 11;
  ASSERT_EQ(file.substr(nameAt, 4), "\x03VCC");
  std::string longName(40, 'N');
  longName[31] = 'L';
  file.replace(nameAt, 4, char(40) + longName);

  TestProject back;
  FixedPassword none;
  ASSERT_TRUE(ProjectFromBytes(back.project, file, none));
  auto& read = static_cast<TObjGnd&>(*back.project.Elements().at(0));
  EXPECT_EQ(read.Name, longName.substr(0, 32));
  EXPECT_EQ(read.SupplyMode, TObjGnd::kVcc);
  EXPECT_EQ(read.Pin().PinLabel, "+");
  EXPECT_EQ(read.X, 120);
}

TEST(ProjectFile, BadTimeStampIsReplacedNotRefused) {
  TestProject t;
  FixTimes(t.project);
  std::string file = ProjectToBytes(t.project);
  size_t created = test::AfterPassword(file) + 4;
  file.replace(created + 2, 2, U16(1899));
  TestProject back;
  FixedPassword none;
  ASSERT_TRUE(ProjectFromBytes(back.project, file, none));
  EXPECT_GE(back.project.Info.CreatedAt.year, 2020);
  EXPECT_EQ(back.project.Info.ChangedAt, t.project.Info.ChangedAt);
}

// Builds a file of the given elements followed by hand-written link pairs.
std::string WithLinks(Project& p, const std::vector<std::pair<int, int>>& pairs) {
  std::string file = ProjectToBytes(p);
  file.resize(file.size() - 2);
  for (auto [a, b] : pairs) file += U16(a) + U16(b);
  return file + U16(0);
}

TEST(ProjectFile, StoredLinksThatMakeNoSoundWireAreSkipped) {
  TestProject t;
  auto& g1 = t.Add<TObjGnd>(kind::Gnd);   // 1, pin 2
  auto& g2 = t.Add<TObjGnd>(kind::Gnd);   // 3, pin 4
  auto& n1 = t.Node();                    // 5
  auto& n2 = t.Node();                    // 6
  auto& n3 = t.Node();                    // 7
  ASSERT_EQ(n3.Number, 7);
  (void)g1, (void)g2, (void)n1, (void)n2;
  std::string file = WithLinks(t.project, {
                                              {5, 2},    // node to pin: made
                                              {6, 2},    // the pin already has its node: skipped
                                              {5, 2},    // repeated: skipped
                                              {2, 6},    // starts at a pin: skipped
                                              {1, 6},    // a block's own number finds nothing
                                              {5, 99},   // names nothing
                                              {5, 6},    // node to node: both sides at once
                                              {6, 5},    // the other side of it: already there
                                              {5, 5},    // itself
                                              {6, 4},    // made
                                              {6, 7},    // made
                                              {6, 4},    // repeated
                                          });
  TestProject back;
  FixedPassword none;
  ASSERT_TRUE(ProjectFromBytes(back.project, file, none));
  auto node = [&](size_t i) -> TObjKnoten& { return static_cast<TObjKnoten&>(*back.project.Elements()[i]); };
  auto pin = [&](size_t i) -> TObjAnschluss& { return *back.project.Elements()[i]->Pins()[0]; };
  EXPECT_EQ(pin(0).Partner, &node(2));
  EXPECT_EQ(pin(1).Partner, &node(3));
  ASSERT_EQ(node(2).LinkCount, 2);
  EXPECT_EQ(node(2).Links[0], &pin(0));
  EXPECT_EQ(node(2).Links[1], &node(3));
  ASSERT_EQ(node(3).LinkCount, 3);
  EXPECT_EQ(node(3).Links[0], &node(2));
  EXPECT_EQ(node(3).Links[1], &pin(1));
  EXPECT_EQ(node(3).Links[2], &node(4));
  EXPECT_EQ(node(4).LinkCount, 1);
}

TEST(ProjectFile, NodeToNodeLinkNeedsRoomOnBothSides) {
  TestProject t;
  auto& full = t.Node();  // 1
  for (int i = 0; i < 4; ++i) t.Node();  // 2..5
  auto& other = t.Node();  // 6
  (void)full, (void)other;
  std::string file = WithLinks(t.project, {{1, 2}, {1, 3}, {1, 4}, {1, 5}, {6, 1}, {1, 6}});
  TestProject back;
  FixedPassword none;
  ASSERT_TRUE(ProjectFromBytes(back.project, file, none));
  auto& readFull = static_cast<TObjKnoten&>(*back.project.Elements()[0]);
  auto& readOther = static_cast<TObjKnoten&>(*back.project.Elements()[5]);
  EXPECT_EQ(readFull.LinkCount, 4);
  EXPECT_EQ(readOther.LinkCount, 0) << "no one-sided link";
}

TEST(ProjectFile, NodePageElevenMeansPageZero) {
  TestProject t;
  auto& n = t.Node(300, 300);
  n.Page = 3;
  std::string file = ProjectToBytes(t.project);
  size_t widthField = file.size() - 3 - (1 + 2 + 2 + 2 + 2 + 2 + 1 + n.Name.size()) + 5;
  ASSERT_EQ(file.substr(widthField, 2), "\x03\x03");
  file[widthField] = file[widthField + 1] = 11;
  TestProject back;
  FixedPassword none;
  ASSERT_TRUE(ProjectFromBytes(back.project, file, none));
  EXPECT_EQ(back.project.Elements()[0]->Page, 0);
  file[widthField] = 12;
  EXPECT_THROW((void)ProjectFromBytes(back.project, file, none), CorruptFile);
}

TEST(ProjectFile, CopiedElementsCarryOnlyTheirOwnLinksAndPasteShifted) {
  TestProject t;
  auto& g1 = t.Add<TObjGatter>(kind::Gatter, 100, 100);
  auto& g2 = t.Add<TObjGatter>(kind::Gatter, 2980, 1960);
  auto& n = t.Wire(200, 100, g1.Output(), g2.Input(0));
  g1.Marked = g2.Marked = 1;
  n.Marked = 0;
  ByteWriter clip;
  WriteElements(t.project, clip, [](const TBauteil& e) { return e.Marked != 0; });
  ASSERT_EQ(clip.Data().substr(clip.Size() - 3), std::string(3, '\0')) << "two gates, no node, no links";

  t.project.CurrentPage = 4;
  ASSERT_TRUE(PasteElements(t.project, clip.Data()));
  ASSERT_EQ(t.project.Elements().size(), 5u);
  EXPECT_FALSE(t.project.Pasting);
  for (size_t i = 0; i < 3; ++i) EXPECT_EQ(t.project.Elements()[i]->Marked, 0);
  auto& p1 = *t.project.Elements()[3];
  auto& p2 = *t.project.Elements()[4];
  EXPECT_EQ(p1.Marked, 1);
  EXPECT_EQ(p1.X, 150);
  EXPECT_EQ(p1.Y, 150);
  EXPECT_EQ(p2.X, 2930) << "+50 would leave the page: -50 instead";
  EXPECT_EQ(p2.Y, 1910);
  EXPECT_EQ(p1.Page, 4);
  EXPECT_EQ(p2.Pins()[0]->Marked, 0) << "pins are not selected";
  EXPECT_EQ(p2.Pins()[0]->X, g2.Input(0).X) << "pins move with their block, not by themselves";
  EXPECT_EQ(p2.Pins()[0]->Partner, nullptr);

  // With the node chosen too, its links come along and are made among the pasted elements only.
  t.project.ClearMarks();
  g1.Marked = g2.Marked = n.Marked = 1;
  ByteWriter withNode;
  t.project.Pasting = true;
  t.project.Renumber();
  t.project.Pasting = false;
  WriteElements(t.project, withNode, [](const TBauteil& e) { return e.Marked != 0; });
  t.project.Renumber();
  ASSERT_TRUE(PasteElements(t.project, withNode.Data()));
  auto& pastedNode = static_cast<TObjKnoten&>(*t.project.Elements().back());
  ASSERT_TRUE(pastedNode.IsNode());
  EXPECT_EQ(pastedNode.LinkCount, 2);
  for (TBauteil* l : pastedNode.LinkList()) EXPECT_EQ(l->Owner->Marked, 1) << "linked to a pasted gate";
  EXPECT_EQ(n.LinkCount, 2) << "the original keeps its own links";
}

TEST(ProjectFile, DamagedClipboardPastesNothing) {
  TestProject t;
  BuildSamplePlan(t);
  size_t before = t.project.Elements().size();
  ByteWriter clip;
  WriteElements(t.project, clip, [](const TBauteil&) { return true; });
  std::string cut = clip.Data().substr(0, clip.Size() / 2);
  EXPECT_FALSE(PasteElements(t.project, cut));
  EXPECT_EQ(t.project.Elements().size(), before);
  EXPECT_FALSE(t.project.Pasting);
  for (const auto& e : t.project.Elements()) EXPECT_EQ(e->Marked, 0);
}

TEST(ProjectFile, ReadingNumbersAfreshButDoesNotRename) {
  // Stored names are the file's and stay, even where renumbering would change them; the stored numbers
  // only serve to find the links, and the plan is numbered as the editor numbers it.
  TestProject t;
  auto& gate = t.Add<TObjGatter>(kind::Gatter);
  gate.Name = "LG9";
  std::string file = ProjectToBytes(t.project);
  TestProject back;
  FixedPassword none;
  ASSERT_TRUE(ProjectFromBytes(back.project, file, none));
  EXPECT_EQ(back.project.Elements()[0]->Name, "LG9");
  EXPECT_EQ(back.project.Elements()[0]->Number, 1);
}

}  // namespace
}  // namespace tolmek
