// The multiplexer: pins by direction and count, file record, names and the simulation rule.
#include "components/mux.h"

#include <algorithm>
#include <string>

#include "codegen/analysis.h"
#include "components/block_support.h"
#include "model/project.h"
#include "sim/sim_context.h"

namespace tolmek {

TObjMux::TObjMux(int32_t x, int32_t y) : TBauteil(x, y) {
  Kind = kind::Mux;
  Width = 80;
  Name = "MX";
  for (int i = 0; i < kChannels; ++i) {
    channels_[size_t(i)] = &AddPin(kind::InputPin, 8, 0, 10, 10 + 20 * i, "IN" + std::to_string(i));
    channels_[size_t(i)]->EitherDirection = true;
  }
  select_ = &AddPin(kind::InputPin, 8, 0, 10, 0, "SELECT");
  single_ = &AddPin(kind::OutputPin, 8, 1, 70, 40, "OUT");
  single_->EitherDirection = true;
  Layout();
}

void TObjMux::Configure(uint8_t direction, bool wide, int count) {
  Direction = direction == kOneToN ? kOneToN : kNToOne;
  Width16 = wide ? 1 : 0;
  const int before = InputCount;
  InputCount = uint8_t(std::clamp(count, 2, kChannels));
  for (int i = InputCount; i < before; ++i) channels_[size_t(i)]->Release();
  Layout();
}

void TObjMux::Layout() {
  const bool out = OneToN();
  Height = 20 * InputCount + 40;
  for (TObjAnschluss* p : channels_) {
    p->Kind = out ? kind::OutputPin : kind::InputPin;
    p->X = out ? Width - 10 : 10;
    p->Side = out ? 1 : 0;
  }
  single_->Kind = out ? kind::InputPin : kind::OutputPin;
  single_->X = out ? 10 : Width - 10;
  single_->Side = out ? 0 : 1;
  select_->Y = 20 * InputCount + 30;
  Relabel();
}

// What follows from the stored fields without changing any of them (also after loading).
void TObjMux::Relabel() {
  const bool out = OneToN();
  for (int i = 0; i < kChannels; ++i) {
    TObjAnschluss& p = *channels_[size_t(i)];
    p.PinLabel = (out ? "OUT" : "IN") + std::to_string(i);
    p.Bits = Is16Bit() ? 16 : 8;
    p.HighByteUsed = Is16Bit();
  }
  single_->PinLabel = out ? "IN" : "OUT";
  single_->Bits = Is16Bit() ? 16 : 8;
  single_->HighByteUsed = Is16Bit();
  active_.assign(channels_.begin(), channels_.begin() + InputCount);
  active_.push_back(select_);
  active_.push_back(single_);
}

std::span<TObjAnschluss* const> TObjMux::ActivePins() const { return active_; }

TObjAnschluss* TObjMux::HitPin(int x, int y) {
  for (auto* pin : active_)
    if (auto* hit = pin->HitPin(x, y)) return hit;
  return nullptr;
}

void TObjMux::Record(RecordVisitor& v) {
  BaseRecord(v);
  v.Choice("inputCount", InputCount, 2, kChannels);
  for (int i = 0; i < kChannels; ++i) {
    static constexpr const char* kKeys[] = {"ch0", "ch1", "ch2", "ch3", "ch4", "ch5", "ch6", "ch7"};
    v.Pin(kKeys[i], *channels_[size_t(i)]);
  }
  v.Pin("select", *select_);
  v.Pin("single", *single_);
  v.Choice("direction", Direction, 0, 1);
  v.Page(Page);
  v.Choice("width16", Width16, 0, 1);
  v.Zeros(253);
}

void TObjMux::AfterLoad() { Relabel(); }

void TObjMux::DeclareVariables(Analysis& a) {
  RegisterWorkBits(a, "SYS_TMP1");
  if (OneToN())
    for (int i = 0; i < InputCount; ++i) channels_[size_t(i)]->DeclareVariables(a);
  else
    single_->DeclareVariables(a);
}

void TObjMux::NoteUsedNames(Analysis& a) {
  a.RegisterVariable("SYS_TMP1");
  if (OneToN())
    for (int i = 0; i < InputCount; ++i) channels_[size_t(i)]->NoteUsedNames(a);
  else
    single_->NoteUsedNames(a);
}

void TObjMux::SimulationStart(SimContext& ctx) {
  Messenger& m = ctx.GetProject().Messages;
  bound_ = true;
  shown_.fill(-1);
  if (!BindVariable(ctx, *select_, selectRef_)) {
    m.ShowMessage(Msg::UnknownSelectVariable);
    bound_ = false;
  }
  // What the block writes starts at 0; what it reads keeps its value (a data block may have set it).
  auto output = [&](TObjAnschluss& pin, ValueRef& ref) {
    if (BindVariable(ctx, pin, ref)) {
      ref.Write(0);
    } else {
      m.ShowMessage(Msg::UnknownOutputVariable, MessageMode::Error, Name);
      bound_ = false;
    }
  };
  auto input = [&](TObjAnschluss& pin, ValueRef& ref) {
    if (!BindValue(ctx, pin, ref)) {
      m.ShowMessage(Msg::UnknownInputVariable, MessageMode::Error, Name);
      bound_ = false;
    }
  };
  for (int i = 0; i < InputCount; ++i) {
    if (OneToN())
      output(*channels_[size_t(i)], channelRefs_[size_t(i)]);
    else
      input(*channels_[size_t(i)], channelRefs_[size_t(i)]);
  }
  if (OneToN())
    input(*single_, singleRef_);
  else
    output(*single_, singleRef_);
  if (!bound_) ctx.RequestAbort();
}

void TObjMux::SimulationStep(SimContext& ctx) {
  if (!bound_) {
    ctx.RequestAbort();
    return;
  }
  const long mask = WidthMask(Is16Bit());
  // SELECT is a byte: the code compares its one byte with 0 .. InputCount - 1.
  const long s = selectRef_.Read(0xFF);
  if (s < InputCount) {
    if (OneToN())
      channelRefs_[size_t(s)].Write(singleRef_.Read(mask));
    else
      singleRef_.Write(channelRefs_[size_t(s)].Read(mask));
  }
  bool changed = false;
  const int shownCount = OneToN() ? InputCount : 1;
  for (int k = 0; k < shownCount; ++k) {
    const ValueRef& ref = OneToN() ? channelRefs_[size_t(k)] : singleRef_;
    const long value = ref.Read(mask);
    if (value != shown_[size_t(k)]) {
      shown_[size_t(k)] = value;
      changed = true;
    }
  }
  if (changed) Redraw();
}

void TObjMux::SimulationStop(SimContext&) {
  channelRefs_.fill({});
  selectRef_ = singleRef_ = {};
  bound_ = false;
  shown_.fill(-1);
  ClearLevels(*this);
}

}  // namespace tolmek
