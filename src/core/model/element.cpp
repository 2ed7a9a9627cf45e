// The shared behaviour of all elements: construction, naming, operands, positions and levels.
#include "model/element.h"

#include <cctype>

#include "codegen/processors.h"
#include "model/pin.h"
#include "model/project.h"

namespace tolmek {

std::string UpperName(std::string_view name) {
  std::string out(name);
  for (char& c : out) c = char(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

TBauteil::TBauteil(int32_t x, int32_t y) : X(SnapToGrid(x)), Y(SnapToGrid(y)) {}

TBauteil::~TBauteil() = default;

void TBauteil::Release() {
  for (auto* pin : pinView_) pin->Release();
}

void TBauteil::Draw(Canvas&, int originX, int originY) { UpdateDrawPosition(originX, originY); }

void TBauteil::SetName(std::string_view name) {
  Name = UpperName(name.substr(0, kMaxNameLength));
}

std::string TBauteil::PinSignalName(std::string_view pinName) const {
  std::string name(pinName.substr(0, kMaxNameLength));
  size_t dot = name.find('.');
  if (dot != std::string::npos && dot >= 1) {
    name[dot] = ',';
    if (dot == 2 && name[0] == 'R') return "PORT" + name.substr(1);
    const Project* p = GetProject();
    if (dot == 2 && name.compare(0, 2, "GP") == 0 && ProcessorFacts(p ? p->Mcu.ProcessorType : 0).GpioPorts)
      return "GPIO" + name.substr(2);
    return name;
  }
  if (const Project* p = GetProject()) {
    const std::string& file = p->GeneratingFile;
    bool preview = file.size() >= 12 && file.compare(file.size() - 12, 12, kPreviewSourceName) == 0;
    if (!preview) p->Messages.ShowMessage(Msg::NoBitName, MessageMode::Error, Owner ? Owner->Name : Name, pinName);
  }
  return "??????????";
}

bool TBauteil::EditProperties(ElementEditor& editor) { return editor.Edit(*this); }

TObjAnschluss* TBauteil::HitPin(int, int) { return nullptr; }

void TBauteil::Unlink(TBauteil*) {}

void TBauteil::Record(RecordVisitor& v) { BaseRecord(v); }

void TBauteil::BaseRecord(RecordVisitor& v) {
  v.Choice("kind", Kind, Kind, Kind);
  v.Coord("x", X);
  v.Coord("y", Y);
  v.Coord("width", Width);
  v.Coord("height", Height);
  v.Number("number", Number);
  v.Text("name", Name, kMaxNameLength);
}

void TBauteil::SetMarked(uint8_t value) {
  Marked = value;
  Redraw();
}

Point TBauteil::AbsolutePosition(int originX, int originY) const {
  Point p{originX, originY};
  for (const TBauteil* e = this; e; e = e->Owner) {
    p.x += e->X;
    p.y += e->Y;
  }
  return p;
}

void TBauteil::UpdateDrawPosition(int originX, int originY) {
  Point p = AbsolutePosition(originX, originY);
  DrawX = p.x;
  DrawY = p.y;
}

Project* TBauteil::GetProject() const {
  const TBauteil* top = this;
  while (top->Owner) top = top->Owner;
  return top->project_;
}

void TBauteil::Redraw() {
  if (Project* p = GetProject(); p && p->Redraw) p->Redraw->ElementChanged(*this);
}

TObjAnschluss& TBauteil::AddPin(uint8_t pinKind, int bits, uint8_t side, int32_t x, int32_t y,
                                std::string_view label) {
  auto pin = std::make_unique<TObjAnschluss>(*this, pinKind, bits, side, x, y, label);
  pinView_.push_back(pin.get());
  pins_.push_back(std::move(pin));
  return *pinView_.back();
}

}  // namespace tolmek
