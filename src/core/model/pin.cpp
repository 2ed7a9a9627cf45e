// Pins: naming through the net, levels with inversion, records.
#include "model/pin.h"

#include "codegen/processors.h"
#include "model/project.h"

namespace tolmek {

TObjAnschluss::TObjAnschluss(TBauteil& owner, uint8_t pinKind, int bits, uint8_t side, int32_t x, int32_t y,
                             std::string_view label)
    : TBauteil(x, y), Bits(bits), Side(side), PinLabel(label) {
  Kind = pinKind;
  Owner = &owner;
  Width = Height = 10;
  Name = bits == 1 ? "." : "";
}

void TObjAnschluss::Release() {
  if (Partner) Partner->Unlink(this);
  Partner = nullptr;
}

void TObjAnschluss::SetName(std::string_view name) {
  if (Renamable) ForceName(name);
}

void TObjAnschluss::ForceName(std::string_view name) {
  Name = UpperName(name.substr(0, kMaxNameLength));
  if (Partner && Partner->Name != Name) Partner->SetName(Name);
  if (Owner) Owner->PinRenamed(*this);
}

bool TObjAnschluss::EditProperties(ElementEditor& editor) {
  if (!Renamable) {
    if (Project* p = GetProject()) p->Messages.ShowMessage(Msg::PinFixed);
    return false;
  }
  return editor.Edit(*this);
}

TObjAnschluss* TObjAnschluss::HitPin(int x, int y) {
  bool hit = DrawX - 10 <= x && x <= DrawX + 10 && DrawY - 9 <= y && y <= DrawY + 9;
  return hit ? this : nullptr;
}

void TObjAnschluss::Unlink(TBauteil*) { Partner = nullptr; }

void TObjAnschluss::Record(RecordVisitor& v) {
  BaseRecord(v);
  v.Choice("side", Side, 0, 1);
  v.Flag("inverted", Inverted);
}

void TObjAnschluss::SetMarked(uint8_t value) {
  uint8_t before = Marked;
  if (IsOutput()) {
    Marked = value ^ uint8_t(Inverted);
    if (Partner && Partner->Marked != Marked) Partner->SetMarked(Marked);
  } else {
    Marked = value;
  }
  if (Marked != before) Redraw();  // drivers re-assert their level every pass; only changes are drawn
}

std::string TObjAnschluss::PinVariableName() const {
  if (Name.size() == 2 && Name[0] == 'R' && Name[1] >= 'A' && Name[1] <= 'Z') return "PORT" + Name.substr(1);
  const Project* p = GetProject();
  // GPIO parts call their only port GP in the plan.
  if (Name == "GP" && ProcessorFacts(p ? p->Mcu.ProcessorType : 0).GpioPorts) return "GPIO";
  return Name;
}

}  // namespace tolmek
