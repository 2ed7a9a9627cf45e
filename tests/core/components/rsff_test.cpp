// The RS flip-flop: set, hold and reset priority while simulating, its shape and its file record.
#include "components/rsff.h"

#include <gtest/gtest.h>

#include "block_bench.h"
#include "model/bytes.h"

namespace tolmek::test {
namespace {

struct Row {
  int s, r, y;
};

void ExpectSequence(bool outputInverted, std::initializer_list<Row> rows) {
  BlockBench bench;
  auto& ff = bench.Add<TObjRsff>(kind::Rsff);
  ff.Output().Inverted = outputInverted;
  bench.Wire(ff.SetInput(), "S.0");
  bench.Wire(ff.ResetInput(), "R.0");
  bench.Wire(ff.Output(), "Y.0");
  bench.Start();
  int step = 0;
  for (const Row& row : rows) {
    bench.Set("S.0", row.s);
    bench.Set("R.0", row.r);
    bench.Step();
    EXPECT_EQ(bench.Level("Y.0"), row.y) << "step " << step;
    ++step;
  }
}

TEST(RsffSimulation, SetHoldResetAndResetPriority) {
  ExpectSequence(false, {
                            {0, 0, 0},
                            {1, 0, 1},
                            {0, 0, 1},  // holds
                            {0, 1, 0},
                            {0, 0, 0},  // holds
                            {1, 0, 1},
                            {1, 1, 0},  // reset wins
                            {1, 0, 1},
                        });
}

TEST(RsffSimulation, InvertedOutputDrivesTheOppositeLevel) {
  ExpectSequence(true, {
                           {1, 0, 0},
                           {0, 0, 0},
                           {0, 1, 1},
                           {1, 1, 1},
                       });
}

TEST(RsffShape, PinsInRecordOrder) {
  TObjRsff ff(0, 0);
  EXPECT_EQ(ff.Name, "RS");
  ASSERT_EQ(ff.Pins().size(), 3u);
  EXPECT_EQ(ff.Pins()[0]->PinLabel, "S");
  EXPECT_EQ(ff.Pins()[0]->Y, 30);
  EXPECT_EQ(ff.Pins()[1]->PinLabel, "R");
  EXPECT_EQ(ff.Pins()[1]->Y, 10);
  EXPECT_EQ(ff.Pins()[2]->PinLabel, "Y");
  EXPECT_TRUE(ff.Pins()[2]->IsOutput());
  for (auto* pin : ff.Pins()) pin->UpdateDrawPosition(0, 0);
  EXPECT_EQ(ff.HitPin(40, 20), &ff.Output());
  EXPECT_EQ(ff.HitPin(10, 12), &ff.ResetInput());
}

TEST(RsffRecord, RoundTrip) {
  TObjRsff ff(60, 90);
  ff.Name = "RS3";
  ff.Page = 9;
  ff.SetInput().Name = "RA.1";
  ff.Output().Inverted = true;
  ByteWriter out;
  ff.Save(out);
  // Base record (name "RS3"), three pins, page, 255 zeros.
  const size_t base = 12 + 3;
  const size_t pins = (12 + 4 + 2) + (12 + 1 + 2) + (12 + 1 + 2);
  ASSERT_EQ(out.Size(), base + pins + 1 + 255);
  EXPECT_EQ(uint8_t(out.Data()[base + pins]), 9);

  TObjRsff copy(0, 0);
  ByteReader in(out.Data());
  copy.Load(in);
  EXPECT_TRUE(in.AtEnd());
  EXPECT_EQ(copy.Name, "RS3");
  EXPECT_EQ(copy.X, 60);
  EXPECT_EQ(copy.Page, 9);
  EXPECT_EQ(copy.SetInput().Name, "RA.1");
  EXPECT_TRUE(copy.Output().Inverted);
  EXPECT_FALSE(copy.ResetInput().Inverted);
}

}  // namespace
}  // namespace tolmek::test
