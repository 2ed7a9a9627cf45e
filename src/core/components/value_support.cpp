// Byte and word connections shared by the routing kinds.
#include "components/value_support.h"

#include "components/strigg8.h"
#include "model/project.h"
#include "sim/sim_context.h"

namespace tolmek {

long ValueRef::Read(long mask) const { return (variable ? variable->Value : constant) & mask; }

void ValueRef::Write(long value) const {
  if (variable) variable->Value = int32_t(value);
}

bool BindValue(SimContext& ctx, const TObjAnschluss& pin, ValueRef& ref) {
  ref = {};
  if (BindVariable(ctx, pin, ref)) return true;
  if (auto constant = DecimalConstant(pin.Name)) {
    ref.constant = *constant;
    ref.bound = true;
  }
  return ref.bound;
}

bool BindVariable(SimContext& ctx, const TObjAnschluss& pin, ValueRef& ref) {
  ref = {};
  if (pin.Name.empty() || DecimalConstant(pin.Name)) return false;
  ref.variable = ctx.Variables().Find(pin.Name);
  ref.bound = ref.variable != nullptr;
  return ref.bound;
}

void ReportAtGeneration(const TBauteil& block, Msg number, std::string_view detail2) {
  const Project* p = block.GetProject();
  if (!p) return;
  const std::string& file = p->GeneratingFile;
  const std::string_view preview = kPreviewSourceName;
  if (file.size() >= preview.size() && file.compare(file.size() - preview.size(), preview.size(), preview) == 0)
    return;
  p->Messages.ShowMessage(number, MessageMode::Error, block.Name, detail2);
}

namespace {

void ErrorLine(ProgramWriter& w, const TBauteil& block, std::string_view what) {
  w.Directive("ERROR \"" + block.Name + ": " + std::string(what) + "\"");
}

}  // namespace

bool ReportNumberAsRegister(ProgramWriter& w, const TBauteil& block, const TObjAnschluss& pin, Msg number) {
  if (!DecimalConstant(pin.Name)) return false;
  ReportAtGeneration(block, number, pin.PinLabel + " = " + pin.Name);
  ErrorLine(w, block, pin.PinLabel + " must be a variable, not the number " + pin.Name);
  return true;
}

bool ReportUnnamed(ProgramWriter& w, const TBauteil& block, const TObjAnschluss& pin, Msg number) {
  if (!pin.Name.empty()) return false;
  ReportAtGeneration(block, number, pin.PinLabel);
  ErrorLine(w, block, pin.PinLabel + " is not connected to a variable");
  return true;
}

bool ReportConstantTooWide(ProgramWriter& w, const TBauteil& block, std::string_view text, bool wide) {
  const auto value = DecimalConstant(text);
  if (!value || *value <= WidthMask(wide)) return false;
  ReportAtGeneration(block, Msg::ValueOutOfRange, text);
  ErrorLine(w, block, "the constant " + std::string(text) + " does not fit " + (wide ? "16" : "8") + " bits");
  return true;
}

void LoadLow(BlockCode& c, const TObjAnschluss& pin, bool wide) {
  if (DecimalConstant(pin.Name))
    c.Op((wide ? "MOVLW LOW " : "MOVLW ") + pin.Name);
  else
    c.OpOn("MOVFW", BlockCode::ByteOperand(pin));
}

void LoadHigh(BlockCode& c, const TObjAnschluss& pin) {
  if (DecimalConstant(pin.Name))
    c.Op("MOVLW HIGH " + pin.Name);
  else
    c.OpOn("MOVFW", BlockCode::ByteOperand(pin) + "_HI");
}

}  // namespace tolmek
