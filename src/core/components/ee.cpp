// The EEPROM module: pin, file record, the EEPROM addresses it takes and the names it announces.
#include "components/ee.h"

#include "codegen/analysis.h"
#include "components/block_support.h"
#include "components/draw_helpers.h"
#include "model/project.h"

namespace tolmek {

TObjEE::TObjEE(int32_t x, int32_t y) : TBauteil(x, y) {
  Kind = kind::EE;
  Width = 60;
  Height = 60;
  Name = "EE";
  in_ = &AddPin(kind::InputPin, 1, 0, 10, 30, "WR");
}

TObjAnschluss* TObjEE::HitPin(int x, int y) { return in_->HitPin(x, y); }

void TObjEE::Record(RecordVisitor& v) {
  BaseRecord(v);
  v.Pin("in", *in_);
  v.Flag("checksum", EeChecksum);
  v.Flag("verify", EeVerify);
  v.Flag("external", EeExternal);
  uint16_t count = uint16_t(EeVariables.size());
  v.Word("variableCount", count);
  v.Word("size", EeSize);
  v.Byte("busAddress", EeBusAddress);
  v.Text("scl", EeSclPin, kMaxNameLength);
  v.Text("sda", EeSdaPin, kMaxNameLength);
  if (v.Reading()) EeVariables.assign(count, std::string());
  for (size_t i = 0; i < EeVariables.size(); ++i) {
    const std::string key = "variable" + std::to_string(i + 1);
    v.Text(key.c_str(), EeVariables[i], kMaxNameLength);
  }
  v.Page(Page);
  v.Zeros(1023);
}

bool TObjEE::SharesEepromWith(const TObjEE& other) const {
  if (EeExternal != other.EeExternal) return false;
  return !EeExternal || (EeBusAddress == other.EeBusAddress && EeSdaPin == other.EeSdaPin);
}

int TObjEE::StartAddress() const {
  int address = 0;
  const Project* p = GetProject();
  if (!p) return 0;
  for (const auto& e : p->Elements()) {
    if (e.get() == this) break;
    if (e->Kind != kind::EE) continue;
    const auto& other = static_cast<const TObjEE&>(*e);
    if (SharesEepromWith(other) && !other.EeVariables.empty()) address += other.BytesUsed();
  }
  return address;
}

int TObjEE::EepromBytes(const ProcessorProps& p) const { return EeExternal ? EeSize : (p.HasDataEeprom ? p.EepromSize : 0); }

int TObjEE::FreeForThis(const ProcessorProps& p) const {
  int used = 0;
  if (const Project* project = GetProject()) {
    for (const auto& e : project->Elements()) {
      if (e.get() == this || e->Kind != kind::EE) continue;
      const auto& other = static_cast<const TObjEE&>(*e);
      if (SharesEepromWith(other) && !other.EeVariables.empty()) used += other.BytesUsed();
    }
  }
  return EepromBytes(p) - used;
}

// SYS_TMP1 .. SYS_TMP<n>: internal: data, checksum, repeat counter; external: bit counter, shift register,
// state, address, data, bus address, attempts and the checksum.
int TObjEE::WorkRegisters() const { return EeExternal ? (EeChecksum ? 8 : 7) : 3; }

void TObjEE::DeclareVariables(Analysis& a) {
  if (EeVariables.empty()) return;
  for (const std::string& name : EeVariables) RegisterWorkBits(a, name);
  a.RegisterBit(Name + "_FD.0", 0, 0);
  for (int n = 1; n <= WorkRegisters(); ++n) RegisterWorkBits(a, "SYS_TMP" + std::to_string(n));
}

void TObjEE::NoteUsedNames(Analysis& a) {
  if (EeVariables.empty()) return;
  for (const std::string& name : EeVariables) a.RegisterVariable(name);
  a.RegisterVariable(Name + "_FD");
  for (int n = 1; n <= WorkRegisters(); ++n) a.RegisterVariable("SYS_TMP" + std::to_string(n));
  if (EeExternal)
    for (const std::string& copy : DirectionCopies(a.Props())) a.RegisterVariable(copy);
}

void TObjEE::Draw(Canvas& canvas, int originX, int originY) {
  DrawBlockFrame(canvas, *this, originX, originY);
  const int x = DrawX + 18, y = DrawY;
  DrawInnerText(canvas, *this, x + 2, y + 2, "EE");
  // A memory chip right of the input's label: a body with three legs on either side; below it where the
  // EEPROM is.
  const DrawStyle& s = canvas.Style();
  canvas.SetPen(s.threeD ? colors::Black : s.objectInnerText);
  canvas.SetNoBrush();
  const int chip = DrawX + 38;
  canvas.Rectangle(chip, y + 20, chip + 7, y + 40);
  for (int i = 0; i < 3; ++i) {
    canvas.Line(chip - 3, y + 24 + 6 * i, chip, y + 24 + 6 * i);
    canvas.Line(chip + 7, y + 24 + 6 * i, chip + 10, y + 24 + 6 * i);
  }
  DrawInnerText(canvas, *this, x, y + 42, EeExternal ? "ext" : "int");
}

}  // namespace tolmek
