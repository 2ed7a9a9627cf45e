// TObjPuls: the mono-flop — a pulse of a set length on a rising edge (retriggerable or not), or an on-delay
// or drop-out delay of its input, timed in ticks of the time base.
#pragma once

#include <string>

#include "components/time_base.h"
#include "model/element.h"
#include "model/pin.h"

namespace tolmek {

struct SimVariable;

class TObjPuls final : public TBauteil {
 public:
  enum Delay : uint8_t { OnDelay = 0, DropOutDelay = 1 };

  TObjPuls(int32_t x, int32_t y);

  uint16_t Length = 20;  // ms; 0 when given by name
  // A variable holding the length in ticks of the time base (256 instruction cycles each).
  std::string LengthName;
  bool LengthByName = false;
  bool Retrigger = false;      // pulse only: an edge while the pulse runs starts its time again
  bool DelayFunction = false;  // false: pulse, true: delay
  uint8_t DelayKind = OnDelay;
  // The length variable is a word (LengthName_HI exists); set by the analysis.
  bool NameIs16 = false;

  [[nodiscard]] TObjAnschluss& Input() const { return *in_; }
  [[nodiscard]] TObjAnschluss& Output() const { return *out_; }
  [[nodiscard]] bool WideCounter() const { return !LengthByName || NameIs16; }
  [[nodiscard]] std::string LengthText() const;
  // Edge flags of the pulse: bit 0 the input's raw level at the last pass, bit 1 running, bit 2 this
  // pass's reading.
  [[nodiscard]] std::string FlagName() const { return Name + "_FD"; }

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
  void Announce(Analysis& a, bool bits);
  void WritePulse(BlockCode& c, const TickLimit& limit);
  void WriteDelay(BlockCode& c, const TickLimit& limit);
  void WriteClear(BlockCode& c);

  TObjAnschluss* in_ = nullptr;
  TObjAnschluss* out_ = nullptr;
  SimVariable* length_ = nullptr;
  double tickMs_ = 0;
  double elapsed_ = 0;
  bool running_ = false;
  bool ready_ = false;
  EdgeMemory edge_;
};

}  // namespace tolmek
