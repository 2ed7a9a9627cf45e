// TObjGatter: the logic gate (AND, OR, exclusive OR) with 1 to 16 inputs; one input makes an inverter.
#pragma once

#include <array>

#include "model/element.h"
#include "model/pin.h"

namespace tolmek {

class TObjGatter final : public TBauteil {
 public:
  enum Type : uint8_t { And = 0, Or = 1, ExclusiveOr = 2 };
  static constexpr int kMaxInputs = 16;

  TObjGatter(int32_t x, int32_t y);

  uint8_t GateType = And;
  uint8_t InputCount = 2;     // 1..16; only the first InputCount inputs take part
  bool ReservedFlag = false;  // kept in the file, no other use

  [[nodiscard]] TObjAnschluss& Input(int i) const { return *inputs_[size_t(i)]; }
  [[nodiscard]] TObjAnschluss& Output() const { return *output_; }
  [[nodiscard]] int ActiveInputs() const;

  // What accepting the dialog does: the body grows with the inputs and a single input inverts the output.
  // Leaving the inverter keeps the inversion; only the pin's own dialog clears it.
  void ApplySettings(uint8_t type, int inputCount);
  // The symbol drawn in the body; empty for the inverter.
  [[nodiscard]] const char* Symbol() const;

  void Draw(Canvas& canvas, int originX, int originY) override;
  TObjAnschluss* HitPin(int x, int y) override;
  void Record(RecordVisitor& v) override;
  void GenerateMainCode(ProgramWriter& w) override;
  void DeclareVariables(Analysis& a) override;
  void NoteUsedNames(Analysis& a) override;
  void SimulationStep(SimContext& ctx) override;
  void SimulationStop(SimContext& ctx) override;

 private:
  std::array<TObjAnschluss*, kMaxInputs> inputs_{};
  TObjAnschluss* output_ = nullptr;
};

}  // namespace tolmek
