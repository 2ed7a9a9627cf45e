// Labels: naming shared by namesakes, automatic names, and carrying levels between their nets.
#include "components/spl.h"

#include "model/project.h"

namespace tolmek {

TObjSpl::TObjSpl(int32_t x, int32_t y) : TBauteil(x, y) {
  Kind = kind::Spl;
  Width = 50;
  Height = 20;
  Name = "P:X";
  pin_ = &AddPin(kind::InputPin, 16, 0, 10, 10, Name);
  pin_->Name.clear();
  SetMode(kSource);
}

void TObjSpl::SetMode(uint8_t mode) {
  LabelMode = mode;
  pin_->X = IsSource() ? 10 : Width - 10;
  pin_->Side = IsSource() ? 0 : 1;
  pin_->Renamable = IsSource();
}

std::vector<TObjSpl*> TObjSpl::Namesakes(std::string_view name) const {
  std::vector<TObjSpl*> out;
  Project* p = GetProject();
  if (!p) return out;
  for (auto& e : p->Elements())
    if (e->Kind == kind::Spl && e.get() != this && e->Name == name) out.push_back(static_cast<TObjSpl*>(e.get()));
  return out;
}

void TObjSpl::SetName(std::string_view name) {
  std::string newName = UpperName(name.substr(0, kMaxNameLength));
  if (IsSource() && newName != Name) {
    for (TObjSpl* other : Namesakes(Name)) {
      if (other->IsSource()) continue;
      other->Name = newName;
      other->pin_->PinLabel = newName;
    }
  }
  Name = newName;
  pin_->PinLabel = newName;
}

void TObjSpl::AttachTo(std::string_view name) {
  SetMode(kDestination);
  SetName(name);
  auto others = Namesakes(Name);
  if (!others.empty()) pin_->ForceName(others.front()->pin_->Name);
}

TObjAnschluss* TObjSpl::HitPin(int x, int y) { return pin_->HitPin(x, y); }

void TObjSpl::Record(RecordVisitor& v) {
  BaseRecord(v);
  v.Page(Page);
  v.Pin("pin", *pin_);
  v.Byte("reserved", Reserved);
  v.Choice("mode", LabelMode, 0, 1);
  v.Zeros(256);
}

void TObjSpl::AfterLoad() {
  pin_->PinLabel = Name;
  pin_->Renamable = IsSource();
}

void TObjSpl::ApplyAutomaticName(AutoNameCounters& ordinals) {
  // Source labels still called ":X..." are numbered per page: P<page>:X<ordinal>.
  size_t colon = Name.find(':');
  if (!IsSource() || colon == std::string::npos || colon + 1 >= Name.size() || Name[colon + 1] != 'X') return;
  SetName("P" + std::to_string(Page + 1) + ":X" + std::to_string(++ordinals.labels));
}

void TObjSpl::PinRenamed(TObjAnschluss& pin) {
  // All labels of one name share one net name; only pins that differ are renamed, so this ends.
  for (TObjSpl* other : Namesakes(Name))
    if (other->pin_->Name != pin.Name) other->pin_->ForceName(pin.Name);
}

void TObjSpl::SimulationStart(SimContext&) {
  simDestinations_.clear();
  if (!IsSource()) return;
  for (TObjSpl* other : Namesakes(Name))
    if (!other->IsSource()) simDestinations_.push_back(other);
}

void TObjSpl::SimulationStep(SimContext&) {
  uint8_t level = pin_->Marked;
  if (level != Marked) {
    Marked = level;
    Redraw();
  }
  if (IsSource()) {
    for (TObjSpl* other : simDestinations_) {
      if (other->pin_->Marked == level) continue;
      other->pin_->Marked = level;
      other->pin_->Redraw();
    }
    return;
  }
  // A destination drives its own net with the level its source handed over.
  if (TBauteil* node = pin_->Partner; node && node->Marked != level) node->SetMarked(level);
}

void TObjSpl::SimulationStop(SimContext&) {
  simDestinations_.clear();
  pin_->Marked = 0;
  Marked = 0;
}

}  // namespace tolmek
