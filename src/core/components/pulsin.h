// TObjPulsIn: the pulse input, the length of a pulse on RB4..RB7 as the 16-bit variable RB<n>TIME.
#pragma once

#include <cstdint>
#include <string>

#include "model/element.h"
#include "model/pin.h"

namespace tolmek {

struct SimVariable;
struct ProcessorProps;

class TObjPulsIn final : public TBauteil {
 public:
  TObjPulsIn(int32_t x, int32_t y);

  uint8_t PulseInput = 0;     // 0..3: RB.4 .. RB.7
  bool NegativeEdge = false;  // measure a low pulse, from its falling edge
  uint16_t SimValue = 0;      // the measured value the simulation shows and keeps

  [[nodiscard]] TObjAnschluss& Output() const { return *out_; }
  // 4..7
  [[nodiscard]] int PinNumber() const { return 4 + PulseInput; }
  // "RB4TIME" ...: the name of the output net and of the measured variable.
  [[nodiscard]] std::string TimeName() const;
  // What the dialog's OK does: input, edge and name, then the output net named after the input.
  void ApplySettings(uint8_t input, bool negativeEdge);
  // The measurement needs the port-B change interrupt (14-bit parts with port B).
  [[nodiscard]] static bool Supported(const ProcessorProps& p);

  void Draw(Canvas& canvas, int originX, int originY) override;
  TObjAnschluss* HitPin(int x, int y) override;
  void Record(RecordVisitor& v) override;
  void AfterLoad() override;
  void GenerateMainCode(ProgramWriter& w) override;
  void GenerateInitEnd(ProgramWriter& w) override;
  void DeclareVariables(Analysis& a) override;
  void NoteUsedNames(Analysis& a) override;
  void SimulationStart(SimContext& ctx) override;
  void SimulationStep(SimContext& ctx) override;
  void SimulationStop(SimContext& ctx) override;

 private:
  void NameOutput();
  TObjAnschluss* out_ = nullptr;
  SimVariable* variable_ = nullptr;
  bool simulating_ = false;
  int32_t shown_ = -1;  // the value drawn while simulating
};

}  // namespace tolmek
