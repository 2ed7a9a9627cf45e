// The data block: its name shared with its pin, file record, the names it announces and its value while
// simulating.
#include "components/data8.h"

#include <string>

#include "codegen/analysis.h"
#include "components/block_support.h"
#include "components/strigg8.h"
#include "components/value_support.h"
#include "sim/sim_context.h"

namespace tolmek {

std::optional<int> AdcChannelOf(std::string_view name) {
  if (name.size() == 4 && name.starts_with("ADC") && name[3] >= '0' && name[3] <= '7') return name[3] - '0';
  return std::nullopt;
}

TObjData8::TObjData8(int32_t x, int32_t y) : TBauteil(x, y) {
  Kind = kind::Data8;
  Width = 70;
  Height = 40;
  q_ = &AddPin(kind::OutputPin, 8, 1, Width - 10, 20, "");
  q_->Renamable = false;
  q_->InvertAllowed = false;
  SetName("100");
}

void TObjData8::SetWidth16(bool wide) {
  Width16 = wide ? 1 : 0;
  q_->Bits = wide ? 16 : 8;
  q_->HighByteUsed = wide;
}

bool TObjData8::IsConstant() const { return DecimalConstant(Name).has_value(); }

void TObjData8::SetName(std::string_view name) {
  TBauteil::SetName(name);
  if (q_->Name != Name) q_->ForceName(Name);
}

void TObjData8::FitPin() { q_->X = Width - 10; }

TObjAnschluss* TObjData8::HitPin(int x, int y) { return q_->HitPin(x, y); }

void TObjData8::Record(RecordVisitor& v) {
  BaseRecord(v);
  v.Choice("width16", Width16, 0, 1);
  v.Pin("out", *q_);
  v.Word("simValue", SimValue);
  v.Page(Page);
  v.Zeros(253);
}

void TObjData8::AfterLoad() {
  SetWidth16(Is16Bit());
  q_->Renamable = false;
  q_->InvertAllowed = false;
}

void TObjData8::GenerateMainCode(ProgramWriter& w) {
  // The value reaches the other blocks by name; a constant the assembler would cut is refused here.
  ReportConstantTooWide(w, *this, Name, Is16Bit());
}

void TObjData8::DeclareVariables(Analysis& a) {
  if (IsConstant()) return;
  q_->DeclareVariables(a);
  if (AdcChannelOf(Name)) RegisterWorkBits(a, "SYS_TMP1");
}

void TObjData8::NoteUsedNames(Analysis& a) {
  if (IsConstant()) return;
  q_->NoteUsedNames(a);
  // The conversion routine counts its acquisition delay in SYS_TMP1.
  if (AdcChannelOf(Name)) a.RegisterVariable("SYS_TMP1");
}

void TObjData8::SimulationStart(SimContext& ctx) {
  variable_ = nullptr;
  shown_ = -1;
  if (IsConstant() || Name.empty()) return;
  variable_ = &ctx.Variables().Add(Name);
  variable_->Value = SimValue;
}

void TObjData8::SimulationStep(SimContext&) {
  long value = 0;
  if (variable_) {
    if (!Is16Bit() && variable_->Value > 255) variable_->Value = 255;
    value = variable_->Value & WidthMask(Is16Bit());
  } else if (auto constant = DecimalConstant(Name)) {
    value = *constant;
  }
  if (value != shown_) {
    shown_ = value;
    Redraw();
  }
}

void TObjData8::SimulationStop(SimContext&) {
  if (variable_) SimValue = uint16_t(variable_->Value & 0xFFFF);
  variable_ = nullptr;
  shown_ = -1;
  ClearLevels(*this);
}

}  // namespace tolmek
