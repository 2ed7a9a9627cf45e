// TObjMathe: the arithmetic block, A + B, A - B, A x B or A DIV B of 8- or 16-bit values into a variable.
#pragma once

#include <optional>
#include <string_view>

#include "components/numeric.h"
#include "model/element.h"
#include "model/pin.h"

namespace tolmek {

class TObjMathe final : public TBauteil {
 public:
  enum Op : uint8_t { Add = 0, Subtract, Multiply, Divide };
  static constexpr int kOpCount = 4;

  TObjMathe(int32_t x, int32_t y);

  uint8_t Operation = Add;
  uint8_t Width16 = 0;  // 0: 8-bit values, 1: 16-bit values

  [[nodiscard]] TObjAnschluss& A() const { return *a_; }
  [[nodiscard]] TObjAnschluss& B() const { return *b_; }
  [[nodiscard]] TObjAnschluss& Result() const { return *r_; }
  [[nodiscard]] bool Is16Bit() const { return Width16 == 1; }
  void SetWidth16(bool wide);
  void SetOperation(uint8_t op);
  // "A + B", "A - B", "A x B", "A DIV B".
  [[nodiscard]] static std::string_view OpLabel(uint8_t op);
  // The result of `op` on two values of the width: wrapped to it; a division by 0 gives all ones.
  [[nodiscard]] static long Compute(uint8_t op, long a, long b, bool wide);
  // The value shown in the value box while simulating.
  [[nodiscard]] long ShownValue() const { return shown_; }

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
  [[nodiscard]] bool BothConstant() const { return DecimalConstant(a_->Name) && DecimalConstant(b_->Name); }
  // Multiplication and division call a shared routine, unless both inputs are constants (folded).
  [[nodiscard]] bool CallsRoutine() const {
    return (Operation == Multiply || Operation == Divide) && !BothConstant();
  }
  // Work registers SYS_TMP1..n the code uses: 4 (8 bits) or 7 (16 bits) handed to a routine; 1 or 2 for a
  // constant minus a variable on the 12-bit core.
  [[nodiscard]] int WorkRegisters(const Analysis& a) const;
  void AddSubtract8(ProgramWriter& w);
  void AddSubtract16(ProgramWriter& w);
  void CallRoutine(ProgramWriter& w);

  TObjAnschluss* a_ = nullptr;
  TObjAnschluss* b_ = nullptr;
  TObjAnschluss* r_ = nullptr;
  ValueSource aValue_, bValue_, rValue_;
  bool bound_ = false;
  long shown_ = 0;
  bool showing_ = false;
};

}  // namespace tolmek
