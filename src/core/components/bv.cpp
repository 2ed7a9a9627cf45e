// The bit/byte distributor: pins by direction and count, file record, names and the simulation rule.
#include "components/bv.h"

#include <algorithm>
#include <string>

#include "codegen/analysis.h"
#include "components/block_support.h"
#include "model/project.h"
#include "sim/sim_context.h"

namespace tolmek {

TObjBv::TObjBv(int32_t x, int32_t y) : TBauteil(x, y) {
  Kind = kind::Bv;
  Width = 100;
  Name = "BV";
  for (int i = 0; i < kBits; ++i) {
    bits_[size_t(i)] = &AddPin(kind::InputPin, 1, 0, 10, 10 + 20 * i, "IN" + std::to_string(i));
    bits_[size_t(i)]->EitherDirection = true;
  }
  byte_ = &AddPin(kind::OutputPin, 8, 1, 90, 20, "OUT");
  byte_->EitherDirection = true;
  byte_->InvertAllowed = false;
  Layout();
}

void TObjBv::Configure(uint8_t direction, int count) {
  Direction = direction == kByteToBit ? kByteToBit : kBitToByte;
  const int before = BitCount;
  BitCount = uint8_t(std::clamp(count, 1, kBits));
  for (int i = BitCount; i < before; ++i) bits_[size_t(i)]->Release();
  Layout();
}

void TObjBv::Layout() {
  const bool out = ByteToBit();
  Height = 20 * BitCount;
  for (TObjAnschluss* p : bits_) {
    p->Kind = out ? kind::OutputPin : kind::InputPin;
    p->X = out ? Width - 10 : 10;
    p->Side = out ? 1 : 0;
  }
  byte_->Kind = out ? kind::InputPin : kind::OutputPin;
  byte_->X = out ? 10 : Width - 10;
  byte_->Side = out ? 0 : 1;
  byte_->Y = 10 * BitCount;
  Relabel();
}

// What follows from the stored fields without changing any of them (also after loading).
void TObjBv::Relabel() {
  const bool out = ByteToBit();
  for (int i = 0; i < kBits; ++i) bits_[size_t(i)]->PinLabel = (out ? "OUT" : "IN") + std::to_string(i);
  byte_->PinLabel = out ? "IN" : "OUT";
  byte_->Bits = BitCount > 8 ? 16 : 8;
  byte_->HighByteUsed = BitCount > 8;
  active_.assign(bits_.begin(), bits_.begin() + BitCount);
  active_.push_back(byte_);
}

TObjAnschluss* TObjBv::HitPin(int x, int y) {
  for (auto* pin : active_)
    if (auto* hit = pin->HitPin(x, y)) return hit;
  return nullptr;
}

void TObjBv::Record(RecordVisitor& v) {
  BaseRecord(v);
  v.Choice("bitCount", BitCount, 1, kBits);
  for (int i = 0; i < kBits; ++i) {
    static constexpr const char* kKeys[] = {"bit0", "bit1", "bit2",  "bit3",  "bit4",  "bit5",  "bit6",  "bit7",
                                            "bit8", "bit9", "bit10", "bit11", "bit12", "bit13", "bit14", "bit15"};
    v.Pin(kKeys[i], *bits_[size_t(i)]);
  }
  v.Pin("byte", *byte_);
  v.Choice("direction", Direction, 0, 1);
  v.Page(Page);
  v.Zeros(254);
}

void TObjBv::AfterLoad() { Relabel(); }

void TObjBv::DeclareVariables(Analysis& a) {
  if (ByteToBit())
    for (int i = 0; i < BitCount; ++i) bits_[size_t(i)]->DeclareVariables(a);
  else
    byte_->DeclareVariables(a);
}

void TObjBv::NoteUsedNames(Analysis& a) {
  if (ByteToBit())
    for (int i = 0; i < BitCount; ++i) {
      if (bits_[size_t(i)]->Name != ".") bits_[size_t(i)]->NoteUsedNames(a);
    }
  else
    byte_->NoteUsedNames(a);
}

void TObjBv::SimulationStart(SimContext& ctx) {
  shown_ = -1;
  bound_ = BindVariable(ctx, *byte_, byteRef_);
  if (!bound_) {
    ctx.GetProject().Messages.ShowMessage(Msg::UnknownOutputVariable, MessageMode::Error, Name);
    ctx.RequestAbort();
    return;
  }
  if (!ByteToBit()) byteRef_.Write(0);
}

void TObjBv::SimulationStep(SimContext& ctx) {
  if (!bound_) {
    ctx.RequestAbort();
    return;
  }
  const long mask = BitCount > 8 ? 0xFFFF : 0xFF;
  if (ByteToBit()) {
    const long value = byteRef_.Read(mask);
    for (int i = 0; i < BitCount; ++i)
      if (bits_[size_t(i)]->Name != ".") DriveLevel(*bits_[size_t(i)], ((value >> i) & 1) != 0);
  } else {
    long value = 0;
    for (int i = 0; i < BitCount; ++i)
      if (bits_[size_t(i)]->Name != "." && bits_[size_t(i)]->GetMarked()) value |= 1L << i;
    byteRef_.Write(value);
  }
  const long value = byteRef_.Read(mask);
  if (value != shown_) {
    shown_ = value;
    Redraw();
  }
}

void TObjBv::SimulationStop(SimContext&) {
  byteRef_ = {};
  bound_ = false;
  shown_ = -1;
  ClearLevels(*this);
}

}  // namespace tolmek
