// The LCD output block: pins, file record, the text syntax, the formatted values and its simulation rule.
#include "components/lcd_text.h"

#include <algorithm>
#include <cstdio>

#include "codegen/analysis.h"
#include "components/block_support.h"
#include "components/lcd_base.h"
#include "components/strigg8.h"
#include "model/bytes.h"
#include "model/project.h"
#include "sim/char_display.h"
#include "sim/sim_context.h"

namespace tolmek {

TObjLcdText::TObjLcdText(int32_t x, int32_t y) : TBauteil(x, y) {
  Kind = kind::LcdText;
  Width = 110;
  Height = 70;
  Name = "LT";
  value_ = &AddPin(kind::InputPin, 8, 0, 10, 30, "V");
  in_ = &AddPin(kind::InputPin, 1, 0, 10, 50, "E");
}

TObjAnschluss* TObjLcdText::HitPin(int x, int y) {
  for (auto* pin : {value_, in_})
    if (auto* hit = pin->HitPin(x, y)) return hit;
  return nullptr;
}

void TObjLcdText::Record(RecordVisitor& v) {
  BaseRecord(v);
  v.Pin("value", *value_);
  v.Pin("in", *in_);
  v.Page(Page);
  v.Byte("posY", PosY);
  v.Byte("posX", PosX);
  v.Byte("leadingZeros", LeadingZeros);
  v.Choice("format", Format, kText, kBinary);
  v.Text("lcdName", LcdName, kMaxNameLength);
  v.Text("text", Text, 255);
  v.Byte("fixedLength", FixedLength);
  v.Byte("fixedCount", FixedCount);
  v.Text("posYName", PosYName, kMaxNameLength);
  v.Text("posXName", PosXName, kMaxNameLength);
  v.Zeros(252);
}

std::vector<TObjLcdText::Glyph> TObjLcdText::ParseText(std::string_view utf8) {
  // The display's codes are single bytes: the text as the file stores it.
  const std::string latin = Utf8ToLatin1(utf8);
  const std::string_view text = latin;
  std::vector<Glyph> out;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const size_t close = c == '#' ? text.find('#', i + 1) : std::string_view::npos;
    if (close == std::string_view::npos) {
      out.push_back({uint8_t(c), c});
      continue;
    }
    const std::string_view group = text.substr(i + 1, close - i - 1);
    i = close;
    if (group.empty()) {
      out.push_back({uint8_t('#'), '#'});
      continue;
    }
    const size_t comma = group.find(',');
    const auto code = DecimalConstant(group.substr(0, comma));
    const char shown = comma != std::string_view::npos && comma + 1 < group.size() ? group[comma + 1] : '#';
    // A group that names no code in 1..255 stands for "#" itself (a code 0 would end the text table).
    out.push_back({uint8_t(code && *code >= 1 && *code <= 255 ? *code : '#'), shown});
  }
  return out;
}

std::string TObjLcdText::PositionVariable(const std::string& field) {
  return field.empty() || DecimalConstant(field) ? std::string() : field;
}

std::string TObjLcdText::FormatValue(unsigned value, bool wide) const {
  value &= wide ? 0xFFFFu : 0xFFu;
  std::string s;
  auto keepLast = [&](size_t width) {
    if (!FixedLength) return;
    const size_t keep = std::clamp<size_t>(FixedCount, 1, width);
    s.erase(0, s.size() - keep);
  };
  switch (Format) {
    case kDecimal: {
      const size_t width = wide ? 5 : 3;
      s = std::to_string(value);
      s.insert(0, width - s.size(), LeadingZeros ? '0' : ' ');
      keepLast(width);
      break;
    }
    case kHex: {
      char buf[8];
      std::snprintf(buf, sizeof buf, wide ? "%04X" : "%02X", value);
      s = buf;
      break;
    }
    case kBinary: {
      const int bits = wide ? 16 : 8;
      bool one = false;
      for (int b = bits - 1; b >= 0; --b) {
        const bool set = (value >> b) & 1;
        one = one || set;
        s += set ? '1' : (one || LeadingZeros || b == 0) ? '0' : ' ';
      }
      keepLast(size_t(bits));
      break;
    }
    default:
      break;
  }
  return s;
}

void TObjLcdText::DeclareVariables(Analysis& a) {
  if (WritesValue()) value_->DeclareVariables(a);
  in_->DeclareVariables(a);
  RegisterWorkBits(a, Name + "_FD");
  for (const std::string& field : {PosXName, PosYName})
    if (const std::string v = PositionVariable(field); !v.empty()) RegisterWorkBits(a, v);
}

void TObjLcdText::NoteUsedNames(Analysis& a) {
  if (WritesValue()) value_->NoteUsedNames(a);
  in_->NoteUsedNames(a);
  a.RegisterVariable(Name + "_FD");
  for (const std::string& field : {PosXName, PosYName})
    if (const std::string v = PositionVariable(field); !v.empty()) a.RegisterVariable(v);
}

void TObjLcdText::AttachDisplay(CharacterDisplay* display, TObjLcdBase* module) {
  display_ = display;
  displayRows_ = module ? module->UsedRows() : 4;
}

void TObjLcdText::SimulationStart(SimContext& ctx) {
  VariableTable& vars = ctx.Variables();
  valueVar_ = xVar_ = yVar_ = nullptr;
  wide_ = false;
  missingValue_ = false;
  if (WritesValue()) {
    valueVar_ = vars.Find(value_->Name);
    if (!valueVar_) {
      missingValue_ = true;
      ctx.GetProject().Messages.ShowMessage(Msg::UnknownInputVariable, MessageMode::Error, Name);
    } else {
      wide_ = vars.Find(value_->Name + "_HI") != nullptr;
    }
  }
  if (const std::string x = PositionVariable(PosXName); !x.empty()) xVar_ = vars.Find(x);
  if (const std::string y = PositionVariable(PosYName); !y.empty()) yVar_ = vars.Find(y);
  edge_ = in_->GetMarked() != 0;
}

void TObjLcdText::SimulationStep(SimContext&) {
  const bool level = in_->GetMarked() != 0;  // read once: edge test and edge memory
  const bool rising = level && !edge_;
  edge_ = level;
  if (!rising || !display_) return;
  std::string shown;
  if (Format == kText) {
    if (Text.empty()) {
      display_->Clear();
      return;
    }
    for (const Glyph& g : ParseText(Text)) shown += g.shown;
  } else {
    if (missingValue_ || !valueVar_) return;
    shown = FormatValue(unsigned(valueVar_->Value), wide_);
  }
  const int column = xVar_ ? int(xVar_->Value & 0xFF) : PosX;
  const int row = displayRows_ == 1 ? 0 : yVar_ ? int(yVar_->Value & 0xFF) : PosY;
  display_->WriteText(column, row, shown);
}

void TObjLcdText::SimulationStop(SimContext&) {
  valueVar_ = xVar_ = yVar_ = nullptr;
  ClearLevels(*this);
}

}  // namespace tolmek
