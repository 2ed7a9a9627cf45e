// Record visitors: every kind's record survives the byte form, values are range-checked, listings nest pins.
#include <gtest/gtest.h>

#include "components/registry.h"
#include "core/model/file_fixture.h"
#include "model/record_io.h"

namespace tolmek {
namespace {

using test::TestProject;

std::string Saved(TBauteil& e) {
  ByteWriter w;
  e.Save(w);
  return w.Data();
}

TEST(RecordIo, EveryKindsRecordSurvivesTheByteForm) {
  for (const KindInfo& k : KnownKinds()) {
    TestProject t;
    TBauteil& e = *t.project.CreateElement(k.code, 0, 0);
    test::Scrambler s;
    e.Record(s);
    std::string bytes = Saved(e);
    ASSERT_EQ(uint8_t(bytes[0]), k.code) << k.className << ": the record opens with its kind";

    TBauteil& copy = *t.project.CreateElement(k.code, 500, 500);
    ByteReader in(bytes);
    copy.Load(in);
    EXPECT_TRUE(in.AtEnd()) << k.className << ": the reader takes exactly what the writer wrote";
    EXPECT_EQ(Saved(copy), bytes) << k.className;
    EXPECT_EQ(copy.Name, e.Name) << k.className;
    EXPECT_EQ(copy.Page, e.Page) << k.className;
  }
}

// Pins are numbered in Pins() order and stored in record order; links find pins by number, so the two agree.
class PinCollector final : public RecordVisitor {
 public:
  [[nodiscard]] bool Reading() const override { return false; }
  void Byte(const char*, uint8_t&) override {}
  void Choice(const char*, uint8_t&, uint8_t, uint8_t) override {}
  void Flag(const char*, bool&) override {}
  void Word(const char*, uint16_t&) override {}
  void Coord(const char*, int32_t&) override {}
  void Number(const char*, int16_t&) override {}
  void Long(const char*, uint32_t&) override {}
  void Text(const char*, std::string&, size_t) override {}
  void Pin(const char*, TObjAnschluss& pin) override { pins.push_back(&pin); }
  void Page(uint8_t&) override {}
  void NodePage(uint8_t&) override {}
  void Zeros(size_t) override {}
  std::vector<TObjAnschluss*> pins;
};

TEST(RecordIo, EveryKindStoresItsPinsInNumberingOrder) {
  for (const KindInfo& k : KnownKinds()) {
    TestProject t;
    TBauteil& e = *t.project.CreateElement(k.code, 0, 0);
    PinCollector c;
    e.Record(c);
    std::vector<TObjAnschluss*> numbered(e.Pins().begin(), e.Pins().end());
    EXPECT_EQ(c.pins, numbered) << k.className;
  }
}

TEST(RecordIo, EveryTruncationOfARecordIsCorrupt) {
  for (const KindInfo& k : KnownKinds()) {
    TestProject t;
    TBauteil& e = *t.project.CreateElement(k.code, 0, 0);
    std::string bytes = Saved(e);
    for (size_t n = 0; n < bytes.size(); n += (n < 64 ? 1 : 37)) {
      TBauteil& copy = *t.project.CreateElement(k.code, 0, 0);
      ByteReader in(std::string_view(bytes).substr(0, n));
      EXPECT_THROW(copy.Load(in), CorruptFile) << k.className << " cut at " << n;
    }
  }
}

TEST(RecordIo, CoordinatesKeepTheirLowSixteenBitsPositionsReadSignedSizesUnsigned) {
  TestProject t;
  auto& gnd = t.Add<TObjGnd>(kind::Gnd);
  gnd.X = -10;
  gnd.Y = 70000;
  gnd.Height = -2;
  std::string bytes = Saved(gnd);
  EXPECT_EQ(bytes.substr(1, 4), std::string("\xF6\xFF\x70\x11", 4));
  ByteReader in(bytes);
  gnd.Load(in);
  EXPECT_EQ(gnd.X, -10);
  EXPECT_EQ(gnd.Y, 4464);
  EXPECT_EQ(gnd.Height, 65534);
}

TEST(RecordIo, OnlyOneCountsAsASetFlag) {
  TestProject t;
  auto& gnd = t.Add<TObjGnd>(kind::Gnd);
  gnd.Pin().Inverted = true;
  std::string bytes = Saved(gnd);
  size_t flag = bytes.size() - 255 - 1 - 1;
  ASSERT_EQ(bytes[flag], 1);
  bytes[flag] = 2;
  ByteReader in(bytes);
  gnd.Load(in);
  EXPECT_FALSE(gnd.Pin().Inverted);
}

TEST(RecordIo, ChoicesAndPagesOutOfRangeAreCorrupt) {
  TestProject t;
  auto& gnd = t.Add<TObjGnd>(kind::Gnd);
  std::string bytes = Saved(gnd);
  size_t mode = 1 + 10 + 1 + gnd.Name.size();
  size_t page = bytes.size() - 255 - 1;
  for (auto [at, value] : {std::pair{mode, 2}, std::pair{page, 10}, std::pair{page, 11}, std::pair{mode + 1, 3}}) {
    std::string bad = bytes;
    bad[at] = char(value);
    ByteReader in(bad);
    EXPECT_THROW(gnd.Load(in), CorruptFile) << at << "=" << value;
  }
}

TEST(RecordIo, ListingNamesEveryFieldAndIndentsPins) {
  TestProject t;
  test::BuildSamplePlan(t);
  std::string out;
  DumpRecordVisitor dump(out, 2);
  t.project.Elements()[0]->Record(dump);
  EXPECT_NE(out.find("  name: \"GND\"\n"), std::string::npos) << out;
  EXPECT_NE(out.find("  pin: output pin\n    kind: 2\n"), std::string::npos) << out;
  EXPECT_NE(out.find("    inverted: no\n"), std::string::npos) << out;

  std::string listing = PlanListing(t.project);
  EXPECT_NE(listing.find("  clock: 4000000 Hz\n"), std::string::npos);
  EXPECT_NE(listing.find("elements: " + std::to_string(t.project.Elements().size()) + "\n"), std::string::npos);
  EXPECT_NE(listing.find("  TObjText \"U\"\n"), std::string::npos) << listing;
  EXPECT_NE(listing.find("text: \"Fußnote: zwei Quellen\""), std::string::npos);
  EXPECT_NE(listing.find("links: 8\n"), std::string::npos) << listing;
}

}  // namespace
}  // namespace tolmek
