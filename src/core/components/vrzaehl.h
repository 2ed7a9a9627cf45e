// TObjVrzaehl: the up/down counter, 8 or 16 bits; "R / V" high counts down. Its count is handed on by name
// through the byte/word output QS, which always carries the block's name.
#pragma once

#include "components/count_block.h"

namespace tolmek {

class TObjVrzaehl final : public TCountBlock {
 public:
  static constexpr int kMaxOutputs = 16;
  TObjVrzaehl(int32_t x, int32_t y);

  uint8_t Width16 = 0;  // 0: 8-bit, 1: 16-bit

  [[nodiscard]] TObjAnschluss& Direction() const { return *rv_; }
  [[nodiscard]] TObjAnschluss& Count() const { return *qs_; }
  [[nodiscard]] int MaxOutputs() const override { return Width16 ? 16 : 8; }
  [[nodiscard]] int MinOutputs() const override { return 0; }
  [[nodiscard]] bool Wide() const override { return Width16 == 1; }
  // The width also sets the width of QS.
  void SetWidth16(bool wide);

  void SetName(std::string_view name) override;
  void Record(RecordVisitor& v) override;
  void AfterLoad() override;

 protected:
  [[nodiscard]] int HeightFor(int count) const override { return std::max(70, 20 * count + 40); }
  [[nodiscard]] Point ValueBoxAt() const override { return {DrawX + Width, DrawY + 15}; }
  [[nodiscard]] std::string Title() const override { return "; Zähler -> " + Name; }
  void WriteEdgeAction(BlockCode& c) override;
  [[nodiscard]] uint32_t NextValue(uint32_t value) const override {
    return rv_->GetMarked() ? value - 1 : value + 1;
  }
  [[nodiscard]] std::vector<TObjAnschluss*> InputPins() const override { return {qs_, res_, clk_, rv_}; }

 private:
  TObjAnschluss* rv_ = nullptr;
  TObjAnschluss* qs_ = nullptr;
};

}  // namespace tolmek
