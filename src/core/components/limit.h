// TObjLimit: the limiter, which clamps a value between a lower and an upper limit and reports which acted.
#pragma once

#include <string>

#include "components/numeric.h"
#include "model/element.h"
#include "model/pin.h"

namespace tolmek {

class TObjLimit final : public TBauteil {
 public:
  TObjLimit(int32_t x, int32_t y);

  uint8_t Width16 = 0;               // 0: 8-bit values, 1: 16-bit values
  std::string UpperLimit = "255";    // a decimal number or a variable name
  std::string LowerLimit = "0";

  [[nodiscard]] TObjAnschluss& In() const { return *in_; }
  [[nodiscard]] TObjAnschluss& Output() const { return *out_; }
  [[nodiscard]] TObjAnschluss& UpperFlag() const { return *upper_; }
  [[nodiscard]] TObjAnschluss& LowerFlag() const { return *lower_; }
  [[nodiscard]] bool Is16Bit() const { return Width16 == 1; }
  void SetWidth16(bool wide);
  // The lower limit takes part in the code: a variable, or a number other than 0 at the block's width.
  [[nodiscard]] bool LowerLimitActs() const;
  [[nodiscard]] long ShownValue() const { return shown_; }

  // The rule shared by simulation and code: the upper limit is tested first; only when it did not act is
  // the lower one. Returns the output value and the two flags.
  struct Outcome {
    long value;
    bool upper, lower;
  };
  [[nodiscard]] static Outcome Clamp(long value, long upper, long lower);

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
  TObjAnschluss* in_ = nullptr;
  TObjAnschluss* out_ = nullptr;
  TObjAnschluss* upper_ = nullptr;
  TObjAnschluss* lower_ = nullptr;
  ValueSource inValue_, outValue_, upperValue_, lowerValue_;
  bool bound_ = false;
  long shown_ = 0;
  bool showing_ = false;
};

}  // namespace tolmek
