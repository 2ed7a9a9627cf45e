// The logic gate: its truth tables while simulating, the dialog's effect on its shape, and its file record.
#include "components/gatter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "block_bench.h"
#include "model/bytes.h"

namespace tolmek::test {
namespace {

struct Row {
  const char* inputs;  // levels of inputs 1..n, left to right
  int out;
};

// Wires inputs A.0.. and output Q.0, then checks each row after one tick.
void ExpectTruthTable(uint8_t type, int inputs, const std::vector<Row>& table) {
  BlockBench bench;
  auto& gate = bench.Add<TObjGatter>(kind::Gatter);
  gate.ApplySettings(type, inputs);
  for (int i = 0; i < inputs; ++i) bench.Wire(gate.Input(i), "A." + std::to_string(i));
  bench.Wire(gate.Output(), "Q.0");
  bench.Start();
  for (const Row& row : table) {
    for (int i = 0; i < inputs; ++i) bench.Set("A." + std::to_string(i), row.inputs[i] == '1');
    bench.Step();
    EXPECT_EQ(bench.Level("Q.0"), row.out) << "type " << int(type) << " inputs " << row.inputs;
  }
}

TEST(GatterSimulation, ThreeInputTruthTables) {
  ExpectTruthTable(TObjGatter::And, 3,
                   {{"000", 0}, {"001", 0}, {"010", 0}, {"011", 0}, {"100", 0}, {"101", 0}, {"110", 0}, {"111", 1}});
  ExpectTruthTable(TObjGatter::Or, 3,
                   {{"000", 0}, {"001", 1}, {"010", 1}, {"011", 1}, {"100", 1}, {"101", 1}, {"110", 1}, {"111", 1}});
  // Exactly one active input, not odd parity: three high inputs give 0.
  ExpectTruthTable(TObjGatter::ExclusiveOr, 3,
                   {{"000", 0}, {"001", 1}, {"010", 1}, {"011", 0}, {"100", 1}, {"101", 0}, {"110", 0}, {"111", 0}});
}

TEST(GatterSimulation, OneInputGateInverts) {
  ExpectTruthTable(TObjGatter::And, 1, {{"0", 1}, {"1", 0}, {"0", 1}});
  ExpectTruthTable(TObjGatter::Or, 1, {{"1", 0}, {"0", 1}});
}

TEST(GatterSimulation, SixteenInputAndNeedsEveryInput) {
  std::string all(16, '1');
  std::string oneLow = all;
  oneLow[11] = '0';
  ExpectTruthTable(TObjGatter::And, 16, {{all.c_str(), 1}, {oneLow.c_str(), 0}, {all.c_str(), 1}});
}

TEST(GatterSimulation, InvertedInputAndInactiveInputs) {
  BlockBench bench;
  auto& gate = bench.Add<TObjGatter>(kind::Gatter);
  gate.ApplySettings(TObjGatter::And, 2);
  gate.Input(1).Inverted = true;
  bench.Wire(gate.Input(0), "A.0");
  bench.Wire(gate.Input(1), "A.1");
  bench.Wire(gate.Input(2), "A.2");  // exists and is wired, but the gate has two inputs
  bench.Wire(gate.Output(), "Q.0");
  bench.Start();
  bench.Set("A.2", 1);
  bench.Set("A.0", 1);
  bench.Set("A.1", 0);
  bench.Step();
  EXPECT_EQ(bench.Level("Q.0"), 1);
  bench.Set("A.1", 1);
  bench.Step();
  EXPECT_EQ(bench.Level("Q.0"), 0);
  bench.Set("A.1", 0);
  bench.Set("A.2", 0);
  bench.Step();
  EXPECT_EQ(bench.Level("Q.0"), 1);
}

TEST(GatterSimulation, StopClearsPinLevels) {
  BlockBench bench;
  auto& gate = bench.Add<TObjGatter>(kind::Gatter);
  gate.ApplySettings(TObjGatter::Or, 1);
  bench.Start();
  bench.Step();
  EXPECT_EQ(gate.Output().Marked, 1);
  ASSERT_TRUE(bench.engine().StopSimulation());
  for (auto* pin : gate.Pins()) EXPECT_EQ(pin->Marked, 0);
}

TEST(GatterShape, CreationAndDialogSettings) {
  TObjGatter gate(37, 82);
  EXPECT_EQ(gate.X, 30);
  EXPECT_EQ(gate.Y, 80);
  EXPECT_EQ(gate.Name, "LG");
  EXPECT_EQ(gate.Height, 40);
  ASSERT_EQ(gate.Pins().size(), 17u);
  EXPECT_EQ(gate.Pins().back(), &gate.Output());
  EXPECT_EQ(gate.Input(15).Y, 310);
  EXPECT_EQ(gate.Output().X, 40);
  EXPECT_STREQ(gate.Symbol(), "&");

  gate.ApplySettings(TObjGatter::Or, 1);
  EXPECT_EQ(gate.Height, 20);
  EXPECT_EQ(gate.Output().Y, 10);
  EXPECT_TRUE(gate.Output().Inverted);
  EXPECT_STREQ(gate.Symbol(), "");

  // Back to several inputs: the inversion stays until the pin dialog clears it.
  gate.ApplySettings(TObjGatter::ExclusiveOr, 5);
  EXPECT_EQ(gate.Height, 100);
  EXPECT_EQ(gate.Output().Y, 20);
  EXPECT_TRUE(gate.Output().Inverted);
  EXPECT_STREQ(gate.Symbol(), "=1");
}

TEST(GatterShape, HitPinTriesOutputThenActiveInputs) {
  TObjGatter gate(100, 100);
  gate.ApplySettings(TObjGatter::And, 3);
  for (auto* pin : gate.Pins()) pin->UpdateDrawPosition(0, 0);
  EXPECT_EQ(gate.HitPin(140, 120), &gate.Output());
  EXPECT_EQ(gate.HitPin(110, 150), &gate.Input(2));
  EXPECT_EQ(gate.HitPin(110, 170), nullptr);  // input 4 is not active
}

TEST(GatterRecord, LayoutAndRoundTripKeepInactivePins) {
  TObjGatter gate(120, 40);
  gate.Name = "LG7";
  gate.ApplySettings(TObjGatter::ExclusiveOr, 3);
  gate.ReservedFlag = true;
  gate.Page = 4;
  gate.Input(13).Name = "X.5";
  gate.Input(13).Inverted = true;
  gate.Output().Name = "RB.0";

  ByteWriter out;
  gate.Save(out);
  const std::string& bytes = out.Data();
  // Base record: kind, x, y, width, height, number (11 bytes), name "LG7" with its length byte.
  const size_t base = 12 + 3;
  ASSERT_GT(bytes.size(), base + 3);
  EXPECT_EQ(uint8_t(bytes[0]), kind::Gatter);
  EXPECT_EQ(uint8_t(bytes[base]), TObjGatter::ExclusiveOr);
  EXPECT_EQ(uint8_t(bytes[base + 1]), 3);
  EXPECT_EQ(uint8_t(bytes[base + 2]), 1);
  // Seventeen pins (base record with its name, side, inverted flag), page, 255 zeros.
  const size_t pins = 15 * (12 + 1 + 2) + (12 + 3 + 2) + (12 + 4 + 2);
  ASSERT_EQ(bytes.size(), base + 3 + pins + 1 + 255);
  EXPECT_EQ(uint8_t(bytes[base + 3 + pins]), 4);
  EXPECT_EQ(bytes.substr(bytes.size() - 255), std::string(255, '\0'));

  TObjGatter copy(0, 0);
  ByteReader in(bytes);
  copy.Load(in);
  EXPECT_TRUE(in.AtEnd());
  EXPECT_EQ(copy.Name, "LG7");
  EXPECT_EQ(copy.GateType, TObjGatter::ExclusiveOr);
  EXPECT_EQ(copy.InputCount, 3);
  EXPECT_TRUE(copy.ReservedFlag);
  EXPECT_EQ(copy.Page, 4);
  EXPECT_EQ(copy.Input(13).Name, "X.5");
  EXPECT_TRUE(copy.Input(13).Inverted);
  EXPECT_EQ(copy.Output().Name, "RB.0");
  EXPECT_EQ(copy.Output().Side, 1);
}

TEST(GatterRecord, InputCountOutsideOneToSixteenIsCorrupt) {
  TObjGatter gate(0, 0);
  ByteWriter out;
  gate.Save(out);
  std::string bytes = out.Data();
  const size_t countAt = 12 + 2 + 1;  // after the name "LG" and the gate type
  for (uint8_t bad : {0, 17}) {
    bytes[countAt] = char(bad);
    TObjGatter copy(0, 0);
    ByteReader in(bytes);
    EXPECT_THROW(copy.Load(in), CorruptFile) << int(bad);
  }
}

}  // namespace
}  // namespace tolmek::test
