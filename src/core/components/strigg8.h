// TObjStrigg8: the Schmitt trigger, an 8- or 16-bit comparison of IN with set point SP and hysteresis HY.
#pragma once

#include <optional>
#include <string_view>

#include "model/element.h"
#include "model/pin.h"

namespace tolmek {

struct SimVariable;

// A connection name that reads as a decimal number is a constant; anything else names a variable.
[[nodiscard]] std::optional<long> DecimalConstant(std::string_view name);

class TObjStrigg8 final : public TBauteil {
 public:
  TObjStrigg8(int32_t x, int32_t y);

  uint8_t Width16 = 0;  // 0: 8-bit values, 1: 16-bit values

  [[nodiscard]] TObjAnschluss& In() const { return *in_; }
  [[nodiscard]] TObjAnschluss& SetPoint() const { return *sp_; }
  [[nodiscard]] TObjAnschluss& Hysteresis() const { return *hy_; }
  [[nodiscard]] TObjAnschluss& Output() const { return *q_; }
  [[nodiscard]] bool Is16Bit() const { return Width16 == 1; }
  // The value pins follow the width (their dialog and look depend on it).
  void SetWidth16(bool wide);

  void Draw(Canvas& canvas, int originX, int originY) override;
  TObjAnschluss* HitPin(int x, int y) override;
  void Record(RecordVisitor& v) override;
  void AfterLoad() override;
  void GenerateMainCode(ProgramWriter& w) override;
  void DeclareVariables(Analysis& a) override;
  void NoteUsedNames(Analysis& a) override;
  void SimulationStart(SimContext& ctx) override;
  void SimulationStep(SimContext& ctx) override;
  void SimulationStop(SimContext& ctx) override;

 private:
  // SYS_TMP1 holds the threshold (low byte); SYS_TMP2 its high byte in 16-bit mode.
  [[nodiscard]] bool UsesTmp1() const;
  [[nodiscard]] bool UsesTmp2() const { return Is16Bit(); }
  void GenerateCode8(ProgramWriter& w);
  void GenerateCode16(ProgramWriter& w);

  // A value connection while simulating: a variable of the table or a constant of the plan.
  struct ValueSource {
    SimVariable* variable = nullptr;
    long constant = 0;
    [[nodiscard]] long Read(long mask) const;
  };
  bool BindSource(SimContext& ctx, const TObjAnschluss& pin, ValueSource& source);

  TObjAnschluss* in_ = nullptr;
  TObjAnschluss* sp_ = nullptr;
  TObjAnschluss* hy_ = nullptr;
  TObjAnschluss* q_ = nullptr;
  ValueSource inValue_, spValue_, hyValue_;
  bool bound_ = false;
};

}  // namespace tolmek
