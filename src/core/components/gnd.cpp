// GND/VCC: shape, record and the constant level it drives while simulating.
#include "components/gnd.h"

namespace tolmek {

TObjGnd::TObjGnd(int32_t x, int32_t y) : TBauteil(x, y) {
  Kind = kind::Gnd;
  pin_ = &AddPin(kind::OutputPin, 1, 1, 10, 10, "");
  pin_->InvertAllowed = false;
  SetSupply(kGnd, true);
}

void TObjGnd::SetSupply(uint8_t mode, bool pinOnRight) {
  SupplyMode = mode;
  pin_->Side = pinOnRight ? 1 : 0;
  if (mode == kGnd) {
    Width = 20;
    Height = 30;
    Name = "GND";
    pin_->X = 10;
    pin_->Y = 10;
    pin_->PinLabel.clear();
  } else {
    Width = 30;
    Height = 20;
    Name = "VCC";
    pin_->X = pinOnRight ? 20 : 10;
    pin_->Y = 10;
    pin_->PinLabel = "+";
  }
}

TObjAnschluss* TObjGnd::HitPin(int x, int y) { return pin_->HitPin(x, y); }

void TObjGnd::Record(RecordVisitor& v) {
  BaseRecord(v);
  v.Choice("mode", SupplyMode, 0, 1);
  v.Pin("pin", *pin_);
  v.Page(Page);
  v.Zeros(255);
}

void TObjGnd::AfterLoad() {
  pin_->PinLabel = SupplyMode == kVcc ? "+" : "";
  pin_->InvertAllowed = false;
}

void TObjGnd::SimulationStep(SimContext&) { pin_->SetMarked(SupplyMode); }

void TObjGnd::SimulationStop(SimContext&) { pin_->Marked = 0; }

}  // namespace tolmek
