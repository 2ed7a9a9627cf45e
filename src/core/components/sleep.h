// TObjSleep: puts the controller to sleep while its input is active; the wake-up sources are RB0/INT and the
// port-B change (on the GPIO parts the pin change of GP0, GP1 and GP3).
#pragma once

#include <cstdint>

#include "model/element.h"
#include "model/pin.h"

namespace tolmek {

struct ProcessorProps;

class TObjSleep final : public TBauteil {
 public:
  TObjSleep(int32_t x, int32_t y);

  bool WakeRB0 = true;    // RB0/INT interrupt
  bool WakeRB47 = false;  // port-B change interrupt (RB4..RB7), GP0,1,3 on the GPIO parts

  [[nodiscard]] TObjAnschluss& Input() const { return *in_; }
  // The GPIO parts wake only by pin change: the dialog offers nothing else there.
  [[nodiscard]] static bool PinChangeOnly(const ProcessorProps& p);
  // The sources in effect on a part (the GPIO parts always wake by pin change, never by RB0).
  [[nodiscard]] bool WakesByRB0(const ProcessorProps& p) const;
  [[nodiscard]] bool WakesByChange(const ProcessorProps& p) const;

  void Draw(Canvas& canvas, int originX, int originY) override;
  TObjAnschluss* HitPin(int x, int y) override;
  void Record(RecordVisitor& v) override;
  void GenerateMainCode(ProgramWriter& w) override;
  void GenerateInitStart(ProgramWriter& w) override;
  void GenerateInitEnd(ProgramWriter& w) override;
  void GenerateInterruptCode(ProgramWriter& w) override;
  void NoteUsedNames(Analysis& a) override;
  void SimulationStop(SimContext& ctx) override;

 private:
  TObjAnschluss* in_ = nullptr;
};

}  // namespace tolmek
