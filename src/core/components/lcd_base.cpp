// The LCD module: file record, the names it drives and its simulated display.
#include "components/lcd_base.h"

#include "codegen/analysis.h"
#include "components/block_support.h"
#include "components/lcd_text.h"
#include "model/project.h"
#include "sim/sim_context.h"

namespace tolmek {

namespace {

// The byte and bit parts of a pin name ("RB.5" -> "RB", 5; "RB" -> "RB", -1).
std::pair<std::string, int> SplitPin(std::string_view name) {
  const size_t dot = name.find('.');
  if (dot == std::string_view::npos) return {std::string(name), -1};
  const std::string_view bit = name.substr(dot + 1);
  const int b = bit.size() == 1 && bit[0] >= '0' && bit[0] <= '7' ? bit[0] - '0' : -1;
  return {std::string(name.substr(0, dot)), b};
}

}  // namespace

TObjLcdBase::TObjLcdBase(int32_t x, int32_t y) : TBauteil(x, y) {
  Kind = kind::LcdBase;
  Width = 80;
  Height = 50;
  Name = "LB";
}

std::string TObjLcdBase::PortOperand(std::string_view name, bool gpioPart) {
  std::string s(name);
  if (gpioPart && s.starts_with("GP")) {
    // GP.5 addresses its bit: GPIO,5.
    const size_t dot = s.find('.');
    return dot == std::string::npos ? "GPIO" : "GPIO," + s.substr(dot + 1);
  }
  if (!s.starts_with("R")) return s;
  s.erase(0, 1);
  if (const size_t dot = s.find('.'); dot != std::string::npos) s[dot] = ',';
  return "PORT" + s;
}

void TObjLcdBase::Record(RecordVisitor& v) {
  BaseRecord(v);
  v.Page(Page);
  v.Byte("rows", Rows);
  v.Byte("columns", Columns);
  v.Text("enablePin", EnablePin, kMaxNameLength);
  v.Text("lcdPort", LcdPort, kMaxNameLength);
  v.Coord("windowLeft", WindowLeft);
  v.Coord("windowTop", WindowTop);
  v.Byte("delayFactor", DelayFactor);
  v.Zeros(251);
}

void TObjLcdBase::AnnounceOutputs(Analysis& a) const {
  const auto [port, portBit] = SplitPin(LcdPort);
  if (!port.empty() && portBit < 0)
    for (int bit = 0; bit <= 4; ++bit) a.RegisterBit(port + "." + std::to_string(bit), kind::OutputPin, 0);
  if (SplitPin(EnablePin).second >= 0) a.RegisterBit(EnablePin, kind::OutputPin, 0);
}

void TObjLcdBase::DeclareVariables(Analysis& a) {
  AnnounceOutputs(a);
  for (int n = 1; n <= 10; ++n) RegisterWorkBits(a, "SYS_TMP" + std::to_string(n));
}

void TObjLcdBase::NoteUsedNames(Analysis& a) {
  // A port that is no port register is a variable of the plan (ports themselves get no cell).
  a.RegisterVariable(SplitPin(LcdPort).first);
  a.RegisterVariable(SplitPin(EnablePin).first);
  for (int n = 1; n <= 10; ++n) a.RegisterVariable("SYS_TMP" + std::to_string(n));
}

void TObjLcdBase::SimulationStart(SimContext& ctx) {
  Project& project = ctx.GetProject();
  const std::string caption = "LCD-Modul-" + Name;
  if (project.Displays)
    display_ = project.Displays->OpenDisplay(caption, UsedColumns(), UsedRows(), WindowLeft, WindowTop);
  if (!display_) {
    display_ = std::make_unique<CharacterDisplay>();
    display_->Place(WindowLeft, WindowTop);
  }
  for (const auto& e : project.Elements())
    if (e->Kind == kind::LcdText) {
      auto& out = static_cast<TObjLcdText&>(*e);
      if (out.LcdName == Name) out.AttachDisplay(display_.get(), this);
    }
}

void TObjLcdBase::SimulationStop(SimContext& ctx) {
  if (!display_) return;
  for (const auto& e : ctx.GetProject().Elements())
    if (e->Kind == kind::LcdText) {
      auto& out = static_cast<TObjLcdText&>(*e);
      if (out.Display() == display_.get()) out.AttachDisplay(nullptr, nullptr);
    }
  WindowLeft = display_->Left();
  WindowTop = display_->Top();
  display_.reset();
}

TObjLcdBase* FindLcdModule(const Project& project, std::string_view name) {
  for (const auto& e : project.Elements())
    if (e->Kind == kind::LcdBase && e->Name == name) return static_cast<TObjLcdBase*>(e.get());
  return nullptr;
}

}  // namespace tolmek
