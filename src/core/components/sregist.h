// TObjSregist: the 8-bit shift register; a clock edge shifts towards bit 7 and enters D at bit 0.
#pragma once

#include "components/count_block.h"

namespace tolmek {

class TObjSregist final : public TCountBlock {
 public:
  static constexpr int kMaxOutputs = 8;
  TObjSregist(int32_t x, int32_t y);

  [[nodiscard]] TObjAnschluss& Data() const { return *d_; }
  [[nodiscard]] int MaxOutputs() const override { return kMaxOutputs; }
  void Record(RecordVisitor& v) override;

 protected:
  [[nodiscard]] std::string Title() const override { return "; Schieberegister -> " + Name; }
  void WriteEdgeAction(BlockCode& c) override;
  [[nodiscard]] uint32_t NextValue(uint32_t value) const override { return (value << 1) | (d_->GetMarked() & 1u); }
  [[nodiscard]] std::vector<TObjAnschluss*> InputPins() const override { return {d_, clk_, res_}; }

 private:
  TObjAnschluss* d_ = nullptr;
};

}  // namespace tolmek
