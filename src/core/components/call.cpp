// The table call: pins, file record, names and the lookup while simulating.
#include "components/call.h"

#include <string>

#include "codegen/analysis.h"
#include "components/block_support.h"
#include "components/tabelle.h"
#include "model/project.h"
#include "sim/sim_context.h"

namespace tolmek {

TObjCall::TObjCall(int32_t x, int32_t y) : TBauteil(x, y) {
  Kind = kind::Call;
  Width = 100;
  Height = 50;
  Name = "?????";
  in_ = &AddPin(kind::InputPin, 8, 0, 10, 30, "IN");
  out_ = &AddPin(kind::OutputPin, 8, 1, 90, 30, "OUT");
}

void TObjCall::SetWidth16(bool wide) {
  Width16 = wide ? 1 : 0;
  for (auto* pin : {in_, out_}) {
    pin->Bits = wide ? 16 : 8;
    pin->HighByteUsed = wide;
  }
}

TObjTabelle* TObjCall::FindTable() const {
  Project* p = GetProject();
  if (!p) return nullptr;
  for (const auto& e : p->Elements())
    if (e->Kind == kind::Tabelle && e->Name == Name) return static_cast<TObjTabelle*>(e.get());
  return nullptr;
}

TObjAnschluss* TObjCall::HitPin(int x, int y) {
  for (auto* pin : {in_, out_})
    if (auto* hit = pin->HitPin(x, y)) return hit;
  return nullptr;
}

void TObjCall::Record(RecordVisitor& v) {
  BaseRecord(v);
  v.Pin("in", *in_);
  v.Pin("out", *out_);
  v.Page(Page);
  v.Choice("width16", Width16, 0, 1);
  v.Zeros(254);
}

void TObjCall::AfterLoad() { SetWidth16(Is16Bit()); }

void TObjCall::DeclareVariables(Analysis& a) {
  RegisterWorkBits(a, "SYS_TMP1");
  RegisterWorkBits(a, "SYS_TMP2");
  out_->DeclareVariables(a);
}

void TObjCall::NoteUsedNames(Analysis& a) {
  a.RegisterVariable("SYS_TMP1");
  a.RegisterVariable("SYS_TMP2");
  out_->NoteUsedNames(a);
}

void TObjCall::SimulationStart(SimContext& ctx) {
  Messenger& m = ctx.GetProject().Messages;
  shown_ = -1;
  bound_ = true;
  if (!BindValue(ctx, *in_, inRef_)) {
    m.ShowMessage(Msg::UnknownInputVariable, MessageMode::Error, Name);
    bound_ = false;
  }
  if (!BindVariable(ctx, *out_, outRef_)) {
    m.ShowMessage(Msg::UnknownOutputVariable, MessageMode::Error, Name);
    bound_ = false;
  }
  table_ = FindTable();
  if (!table_) {
    m.ShowMessage(Msg::NoTable, MessageMode::Error, Name);
    bound_ = false;
  }
  if (!bound_) ctx.RequestAbort();
}

void TObjCall::SimulationStep(SimContext& ctx) {
  if (!bound_) {
    ctx.RequestAbort();
    return;
  }
  // The code reads one byte of IN as the index and returns the RETLW word(s) it points at.
  const long index = inRef_.Read(0xFF);
  const long words = long(table_->UsedLength()) * (table_->Is16Bit() ? 2 : 1);
  const long last = Is16Bit() ? 2 * index + 1 : index;
  if (index >= table_->UsedLength() || last >= words) {
    ctx.SetHold(true);
    ctx.GetProject().Messages.ShowMessage(Msg::IndexBeyondTable, MessageMode::Error, Name);
    ctx.SetHold(false);
    inRef_.Write(0);
    bound_ = false;
    ctx.RequestAbort();
    return;
  }
  const long value = Is16Bit() ? table_->ReturnedWord(2 * index) | (table_->ReturnedWord(2 * index + 1) << 8)
                               : table_->ReturnedWord(index);
  outRef_.Write(value);
  if (value != shown_) {
    shown_ = value;
    Redraw();
  }
}

void TObjCall::SimulationStop(SimContext&) {
  inRef_ = outRef_ = {};
  table_ = nullptr;
  bound_ = false;
  shown_ = -1;
  ClearLevels(*this);
}

}  // namespace tolmek
