// TObjPulsOut: one timed pulse on an output (timer-0 ticks), or the hardware PWM of a CCP module with the
// 10-bit duty cycle taken from a 16-bit value.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/element.h"
#include "model/pin.h"

namespace tolmek {

struct ProcessorProps;

class TObjPulsOut final : public TBauteil {
 public:
  static constexpr uint8_t kPulse = 0;
  static constexpr uint8_t kPwm = 1;
  static constexpr const char* kPulseEnableLabel = "EN";
  static constexpr const char* kPwmEnableLabel = "CF    PWM";

  TObjPulsOut(int32_t x, int32_t y);

  // Kept in the file only; any non-zero byte means set. The byte is written back as it was read, so a file
  // saves unchanged.
  uint8_t StoredFlag = 0;
  [[nodiscard]] bool Stored() const { return StoredFlag != 0; }
  uint8_t PulseType = kPulse;
  uint8_t CcpNumber = 1;  // CCP module of the PWM: 1 or 2

  [[nodiscard]] TObjAnschluss& Value() const { return *value_; }
  [[nodiscard]] TObjAnschluss& Output() const { return *out_; }
  [[nodiscard]] TObjAnschluss& Enable() const { return *enable_; }
  [[nodiscard]] bool IsPwm() const { return PulseType == kPwm; }
  // 1 or 2 (anything stored but 2 means CCP1).
  [[nodiscard]] int Ccp() const { return CcpNumber == 2 ? 2 : 1; }
  // What the dialog's OK does. PWM on a part without that CCP module falls back to the pulse; PWM names the
  // output after the module's pin and clears its inversion.
  void ApplySettings(uint8_t pulseType, uint8_t ccpNumber, const ProcessorProps& p);

  void Draw(Canvas& canvas, int originX, int originY) override;
  TObjAnschluss* HitPin(int x, int y) override;
  void Record(RecordVisitor& v) override;
  void AfterLoad() override;
  void GenerateMainCode(ProgramWriter& w) override;
  void GenerateInitEnd(ProgramWriter& w) override;
  void DeclareVariables(Analysis& a) override;
  void NoteUsedNames(Analysis& a) override;
  void SimulationStop(SimContext& ctx) override;

 private:
  [[nodiscard]] bool PwmAvailable(const ProcessorProps& p) const;
  // The value pin names a variable (its _HI byte holds the high part) unless it reads as a number.
  [[nodiscard]] bool ValueIsConstant() const;
  void GeneratePulse(ProgramWriter& w);
  void GeneratePwm(ProgramWriter& w);
  void SetEnableLabel();

  TObjAnschluss* value_ = nullptr;
  TObjAnschluss* enable_ = nullptr;
  TObjAnschluss* out_ = nullptr;
};

}  // namespace tolmek
