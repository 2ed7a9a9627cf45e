// TObjVergl: the comparator, a 1-bit result of A ? B on 8- or 16-bit values.
#pragma once

#include <string_view>

#include "components/numeric.h"
#include "model/element.h"
#include "model/pin.h"

namespace tolmek {

class TObjVergl final : public TBauteil {
 public:
  enum Op : uint8_t { Greater = 0, GreaterEqual, Equal, LessEqual, Less, NotEqual };
  static constexpr int kOpCount = 6;

  TObjVergl(int32_t x, int32_t y);

  uint8_t CompareOp = Greater;
  uint8_t Width16 = 0;  // 0: 8-bit values, 1: 16-bit values

  [[nodiscard]] TObjAnschluss& A() const { return *a_; }
  [[nodiscard]] TObjAnschluss& B() const { return *b_; }
  [[nodiscard]] TObjAnschluss& Output() const { return *q_; }
  [[nodiscard]] bool Is16Bit() const { return Width16 == 1; }
  // The value pins follow the width; the output's label follows the relation.
  void SetWidth16(bool wide);
  void SetCompareOp(uint8_t op);
  // "A>B", "A>=B", "A=B", "A<=B", "A<B", "A<>B".
  [[nodiscard]] static std::string_view OpLabel(uint8_t op);
  // Whether relation `op` holds between a and b.
  [[nodiscard]] static bool Holds(uint8_t op, long a, long b);

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
  TObjAnschluss* a_ = nullptr;
  TObjAnschluss* b_ = nullptr;
  TObjAnschluss* q_ = nullptr;
  ValueSource aValue_, bValue_;
  bool bound_ = false;
};

// The older, lower layout of comparator and arithmetic records (height 40, pins at 0, 40 and 20) becomes
// the present one on loading: the block grows to 60, moving up 10, and its pins move down 10.
void ConvertOlderValueLayout(TBauteil& block);

}  // namespace tolmek
