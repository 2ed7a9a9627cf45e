// Value connections of the numeric blocks.
#include "components/numeric.h"

#include "codegen/program_writer.h"
#include "model/project.h"
#include "sim/sim_context.h"

namespace tolmek {

long ValueSource::Read(long mask) const { return (variable ? long(variable->Value) : constant) & mask; }

void ValueSource::Write(long value) const {
  if (variable) variable->Value = int32_t(value);
}

bool BindValue(SimContext& ctx, std::string_view name, ValueSource& source, bool constantAllowed) {
  source = {};
  if (SimVariable* v = ctx.Variables().Find(name)) {
    source.variable = v;
    source.bound = true;
  } else if (auto constant = DecimalConstant(name); constant && constantAllowed) {
    source.constant = *constant;
    source.bound = true;
  }
  return source.bound;
}

std::optional<long> MaskedConstant(std::string_view name, bool wide) {
  auto value = DecimalConstant(name);
  if (!value) return std::nullopt;
  return *value & WidthMask(wide);
}

std::string VariableOperand(const TBauteil& block, const std::string& name) {
  if (name.size() == 2 && name[0] == 'R' && name[1] >= 'A' && name[1] <= 'Z') return "PORT" + name.substr(1);
  const Project* p = block.GetProject();
  const int type = p ? p->Mcu.ProcessorType : 0;
  if (name == "GP" && type >= 30 && type <= 37) return "GPIO";
  return name;
}

bool RequireVariable(ProgramWriter& w, const TBauteil& block, const TObjAnschluss& pin) {
  if (!DecimalConstant(pin.Name)) return true;
  const Project& p = w.GetProject();
  const std::string& file = p.GeneratingFile;
  const bool preview = file.size() >= 12 && file.compare(file.size() - 12, 12, kPreviewSourceName) == 0;
  if (!preview) p.Messages.ShowMessage(Msg::UnknownInputVariable, MessageMode::Error, block.Name, pin.Name);
  w.Directive("ERROR \"" + block.Name + ": " + pin.Name + " is a number, the input needs a variable\"");
  return false;
}

}  // namespace tolmek
