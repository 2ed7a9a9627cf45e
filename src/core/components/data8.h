// TObjData8: the data block, a named 8- or 16-bit value: a variable, a constant or an A/D channel.
#pragma once

#include <optional>
#include <string_view>

#include "model/element.h"
#include "model/pin.h"

namespace tolmek {

struct SimVariable;

// The A/D channel a name reads ("ADC0".."ADC7"), or nothing.
[[nodiscard]] std::optional<int> AdcChannelOf(std::string_view name);

class TObjData8 final : public TBauteil {
 public:
  TObjData8(int32_t x, int32_t y);

  uint8_t Width16 = 0;     // 0: 8-bit value, 1: 16-bit value
  uint16_t SimValue = 0;   // the value the variable starts with in the simulation

  [[nodiscard]] TObjAnschluss& Output() const { return *q_; }
  [[nodiscard]] bool Is16Bit() const { return Width16 == 1; }
  void SetWidth16(bool wide);
  // The variable of the running simulation (null while not simulating or for a constant).
  [[nodiscard]] SimVariable* Variable() const { return variable_; }
  [[nodiscard]] bool IsConstant() const;

  // The name is the value: it is also the name of the output pin and of the net joined to it.
  void SetName(std::string_view name) override;
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
  void FitPin();
  TObjAnschluss* q_ = nullptr;
  SimVariable* variable_ = nullptr;
  long shown_ = -1;
};

}  // namespace tolmek
