// TObjUdata: sends or receives a fixed list of byte variables as one message through a UART module.
#pragma once

#include <string>
#include <vector>

#include "model/element.h"
#include "model/pin.h"

namespace tolmek {

class TObjUart;

class TObjUdata final : public TBauteil {
 public:
  enum : uint8_t { kTransmit = 0, kReceive = 1 };

  TObjUdata(int32_t x, int32_t y);

  uint8_t Direction = kTransmit;
  std::string UartName = "UA1";
  std::vector<std::string> Items;  // byte variables in message order
  uint8_t Checksum = 1;            // the module's checksum option, taken by the analysis

  [[nodiscard]] TObjAnschluss& In() const { return *in_; }
  [[nodiscard]] TObjAnschluss& Out() const { return *out_; }

  void Draw(Canvas& canvas, int originX, int originY) override;
  TObjAnschluss* HitPin(int x, int y) override;
  void Record(RecordVisitor& v) override;
  void GenerateMainCode(ProgramWriter& w) override;
  void DeclareVariables(Analysis& a) override;
  void NoteUsedNames(Analysis& a) override;
  void SimulationStart(SimContext& ctx) override;
  void SimulationStep(SimContext& ctx) override;
  void SimulationStop(SimContext& ctx) override;

 private:
  void Transmit(ProgramWriter& w, const TObjUart& m);
  void Receive(ProgramWriter& w, const TObjUart& m);

  TObjAnschluss* in_ = nullptr;
  TObjAnschluss* out_ = nullptr;
  bool edge_ = false;
};

}  // namespace tolmek
