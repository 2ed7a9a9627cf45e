// TObjSpl: a label; labels of one name share one net, across places and pages.
#pragma once

#include "model/pin.h"

namespace tolmek {

class TObjSpl final : public TBauteil {
 public:
  static constexpr uint8_t kDestination = 0;  // " ist Ziel"
  static constexpr uint8_t kSource = 1;       // " ist Quelle"

  TObjSpl(int32_t x, int32_t y);

  uint8_t Reserved = 0;
  uint8_t LabelMode = kSource;
  TObjAnschluss& Pin() const { return *pin_; }
  [[nodiscard]] bool IsSource() const { return LabelMode == kSource; }

  // Switches between source and destination: the pin moves to the matching side.
  void SetMode(uint8_t mode);
  // Makes this label a destination of the source labels named `name`, taking their net name.
  void AttachTo(std::string_view name);
  // Every label of the project with the given name, this one excluded.
  [[nodiscard]] std::vector<TObjSpl*> Namesakes(std::string_view name) const;

  void SetName(std::string_view name) override;
  void Draw(Canvas& canvas, int originX, int originY) override;
  TObjAnschluss* HitPin(int x, int y) override;
  void Record(RecordVisitor& v) override;
  void AfterLoad() override;
  void ApplyAutomaticName(AutoNameCounters& ordinals) override;
  void PinRenamed(TObjAnschluss& pin) override;
  void SimulationStart(SimContext& sim) override;
  void SimulationStep(SimContext& sim) override;
  void SimulationStop(SimContext& sim) override;

 private:
  TObjAnschluss* pin_;
  // The destinations a source hands its level to, found once per run (names do not change meanwhile).
  std::vector<TObjSpl*> simDestinations_;
};

}  // namespace tolmek
