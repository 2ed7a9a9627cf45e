// TObjLcdText: writes a text or a value (decimal, hexadecimal, base 2) at a position of an LCD module on
// each rising edge of its input.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/element.h"
#include "model/pin.h"

namespace tolmek {

class CharacterDisplay;
class TObjLcdBase;
struct SimVariable;

class TObjLcdText final : public TBauteil {
 public:
  enum : uint8_t { kText = 0, kDecimal = 1, kHex = 2, kBinary = 3 };

  TObjLcdText(int32_t x, int32_t y);

  std::string LcdName = "LB1";
  uint8_t Format = kText;
  uint8_t LeadingZeros = 0;  // 0: blanks, 1: zeros
  uint8_t FixedLength = 0;
  uint8_t FixedCount = 3;
  uint8_t PosX = 0, PosY = 0;
  // Variables giving column and row; empty (or a number, as older plans hold) when the constant is used.
  std::string PosXName, PosYName;
  std::string Text = "LCD-Display";

  [[nodiscard]] TObjAnschluss& Value() const { return *value_; }
  [[nodiscard]] TObjAnschluss& In() const { return *in_; }

  // One character of the text: the code sent to the display and the character the simulation shows.
  struct Glyph {
    uint8_t code;
    char shown;
  };
  // "#65#" is code 65 (shown as "#"), "#223,o#" code 223 shown as "o", "##" the character "#".
  [[nodiscard]] static std::vector<Glyph> ParseText(std::string_view text);
  // The characters a value gives in this block's format (8- or 16-bit).
  [[nodiscard]] std::string FormatValue(unsigned value, bool wide) const;
  // The variable a position field names, or "" when it is a constant.
  [[nodiscard]] static std::string PositionVariable(const std::string& field);

  [[nodiscard]] CharacterDisplay* Display() const { return display_; }
  void AttachDisplay(CharacterDisplay* display, TObjLcdBase* module);

  void Draw(Canvas& canvas, int originX, int originY) override;
  TObjAnschluss* HitPin(int x, int y) override;
  void Record(RecordVisitor& v) override;
  void GenerateMainCode(ProgramWriter& w) override;
  void GenerateAfterMain(ProgramWriter& w) override;
  void DeclareVariables(Analysis& a) override;
  void NoteUsedNames(Analysis& a) override;
  void SimulationStart(SimContext& ctx) override;
  void SimulationStep(SimContext& ctx) override;
  void SimulationStop(SimContext& ctx) override;

 private:
  [[nodiscard]] bool WritesValue() const { return Format != kText; }
  void WritePosition(ProgramWriter& w, const TObjLcdBase& m);
  void WriteDecimal(ProgramWriter& w, const TObjLcdBase& m, bool wide);
  void WriteBinary(ProgramWriter& w, const TObjLcdBase& m, bool wide);

  TObjAnschluss* value_ = nullptr;
  TObjAnschluss* in_ = nullptr;
  CharacterDisplay* display_ = nullptr;
  int displayRows_ = 4;
  SimVariable* valueVar_ = nullptr;
  SimVariable* xVar_ = nullptr;
  SimVariable* yVar_ = nullptr;
  bool wide_ = false;
  bool edge_ = false;
  bool missingValue_ = false;
};

}  // namespace tolmek
