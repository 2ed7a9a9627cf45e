// The Schmitt trigger: hysteresis with constant and variable thresholds in 8 and 16 bits, and its file record.
#include "components/strigg8.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "block_bench.h"
#include "model/bytes.h"

namespace tolmek::test {
namespace {

struct Row {
  int in, q;
};

class SchmittBench {
 public:
  SchmittBench(bool wide, const char* sp, const char* hy) : st_(bench_.Add<TObjStrigg8>(kind::Strigg8)) {
    st_.SetWidth16(wide);
    st_.In().SetName("X");
    st_.SetPoint().SetName(sp);
    st_.Hysteresis().SetName(hy);
    bench_.Wire(st_.Output(), "Q.0");
    bench_.SetValue("X", 0);
  }
  void Run(const std::vector<Row>& rows) {
    bench_.Start();
    for (const Row& row : rows) {
      bench_.SetValue("X", row.in);
      bench_.Step();
      EXPECT_EQ(bench_.Level("Q.0"), row.q) << "IN " << row.in;
    }
  }
  BlockBench& bench() { return bench_; }
  TObjStrigg8& st() { return st_; }

 private:
  BlockBench bench_;
  TObjStrigg8& st_;
};

// Rising: on at the set point. Falling: off only below set point minus hysteresis.
const std::vector<Row> kHysteresis100By10 = {{0, 0},  {99, 0}, {100, 1}, {95, 1}, {90, 1},
                                             {89, 0}, {95, 0}, {99, 0},  {255, 1}};

TEST(Strigg8Simulation, EightBitConstants) {
  SchmittBench s(false, "100", "10");
  s.Run(kHysteresis100By10);
}

TEST(Strigg8Simulation, EightBitVariables) {
  SchmittBench s(false, "SP", "HY");
  s.bench().SetValue("SP", 100);
  s.bench().SetValue("HY", 10);
  s.Run(kHysteresis100By10);
}

TEST(Strigg8Simulation, SixteenBitComparesWholeWords) {
  SchmittBench s(true, "SP16", "250");
  s.bench().SetValue("SP16", 1000);
  s.Run({{999, 0}, {1000, 1}, {751, 1}, {750, 1}, {749, 0}, {232, 0}, {1000, 1}});
}

TEST(Strigg8Simulation, EightBitMasksWideValues) {
  SchmittBench s(false, "100", "0");
  s.Run({{356, 1}, {355, 0}});  // 356 reads as 100 in a byte
}

TEST(Strigg8Simulation, InvertedOutputKeepsTheLogicalRule) {
  SchmittBench s(false, "100", "10");
  s.st().Output().Inverted = true;
  s.Run({{0, 1}, {100, 0}, {95, 0}, {89, 1}});
}

TEST(Strigg8Simulation, UnknownConnectionReportsMessage18AndIdles) {
  SchmittBench s(false, "LIMIT", "10");
  s.Run({{200, 0}});
  ASSERT_EQ(s.bench().sink().Numbers(), std::vector<int>{18});
}

TEST(Strigg8Shape, PinsWidthAndConstants) {
  TObjStrigg8 st(0, 0);
  EXPECT_EQ(st.Width, 60);
  EXPECT_EQ(st.Height, 70);
  ASSERT_EQ(st.Pins().size(), 4u);
  EXPECT_EQ(st.Pins()[0]->PinLabel, "IN");
  EXPECT_EQ(st.Pins()[2]->Y, 60);
  EXPECT_EQ(st.Pins()[3]->X, 50);
  EXPECT_EQ(st.In().Bits, 8);
  EXPECT_EQ(st.In().Name, "");
  st.SetWidth16(true);
  EXPECT_EQ(st.Hysteresis().Bits, 16);
  EXPECT_EQ(st.Output().Bits, 1);

  EXPECT_EQ(DecimalConstant("100"), 100);
  EXPECT_EQ(DecimalConstant("007"), 7);
  EXPECT_FALSE(DecimalConstant("1A"));
  EXPECT_FALSE(DecimalConstant("COUNT"));
  EXPECT_FALSE(DecimalConstant(""));
}

TEST(Strigg8Record, RoundTripRestoresWidth) {
  TObjStrigg8 st(10, 20);
  st.SetWidth16(true);
  st.SetPoint().Name = "1000";
  st.Page = 2;
  ByteWriter out;
  st.Save(out);
  // Base (name "ST"), pins IN, SP, HY, Q, then Width16, page and 254 zeros.
  const size_t base = 12 + 2;
  const size_t pins = (12 + 0 + 2) + (12 + 4 + 2) + (12 + 0 + 2) + (12 + 1 + 2);
  ASSERT_EQ(out.Size(), base + pins + 2 + 254);
  EXPECT_EQ(uint8_t(out.Data()[base + pins]), 1);
  EXPECT_EQ(uint8_t(out.Data()[base + pins + 1]), 2);

  TObjStrigg8 copy(0, 0);
  ByteReader in(out.Data());
  copy.Load(in);
  EXPECT_TRUE(in.AtEnd());
  EXPECT_TRUE(copy.Is16Bit());
  EXPECT_EQ(copy.In().Bits, 16);
  EXPECT_EQ(copy.SetPoint().Name, "1000");
}

}  // namespace
}  // namespace tolmek::test
