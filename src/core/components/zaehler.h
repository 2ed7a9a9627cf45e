// TObjZaehler: the 8-bit counter, counting rising edges of CLK, cleared while RES is high.
#pragma once

#include "components/count_block.h"

namespace tolmek {

class TObjZaehler final : public TCountBlock {
 public:
  static constexpr int kMaxOutputs = 8;
  TObjZaehler(int32_t x, int32_t y);

  [[nodiscard]] int MaxOutputs() const override { return kMaxOutputs; }
  void Record(RecordVisitor& v) override;

 protected:
  [[nodiscard]] std::string Title() const override { return "; Zähler -> " + Name; }
  void WriteEdgeAction(BlockCode& c) override;
  [[nodiscard]] uint32_t NextValue(uint32_t value) const override { return value + 1; }
  [[nodiscard]] std::vector<TObjAnschluss*> InputPins() const override { return {res_, clk_}; }
};

}  // namespace tolmek
