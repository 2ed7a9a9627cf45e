// TObjLcdBase: a character LCD (HD44780 type, 4-bit mode) on a port and an enable pin; it writes the driver
// routines and, while simulating, opens the simulated display.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "model/element.h"
#include "sim/char_display.h"

namespace tolmek {

class TObjLcdText;

class TObjLcdBase final : public TBauteil {
 public:
  TObjLcdBase(int32_t x, int32_t y);

  std::string EnablePin = "RB.5";  // "Freigabe Ausgang (E)"
  std::string LcdPort = "RB";      // bits 0..3 = D4..D7, bit 4 = RS
  uint8_t Rows = 4;
  uint8_t Columns = 20;
  uint8_t DelayFactor = 0;  // 0: x1, 1: x2, 2: x3
  int32_t WindowLeft = 50, WindowTop = 50;

  // Rows as used: 1..4 (a stored 0 or anything above 4 counts as 4).
  [[nodiscard]] int UsedRows() const { return Rows >= 1 && Rows <= 4 ? Rows : 4; }
  [[nodiscard]] int UsedColumns() const { return Columns >= 1 ? Columns : 20; }

  // Operand of a port or pin name: "RB.5" -> "PORTB,5", "RB" -> "PORTB", on GPIO parts "GP.5" -> "GPIO,5";
  // any other name is used as it is (a variable of the plan).
  [[nodiscard]] static std::string PortOperand(std::string_view name, bool gpioPart);
  // The label of a driver routine: "LCD_" + name + suffix.
  [[nodiscard]] std::string Routine(std::string_view suffix) const { return "LCD_" + Name + std::string(suffix); }

  // The display while simulating, else nullptr.
  [[nodiscard]] CharacterDisplay* Display() const { return display_.get(); }

  void Draw(Canvas& canvas, int originX, int originY) override;
  void Record(RecordVisitor& v) override;
  void GenerateSubroutines(ProgramWriter& w) override;
  void GenerateInitEnd(ProgramWriter& w) override;
  void DeclareVariables(Analysis& a) override;
  void NoteUsedNames(Analysis& a) override;
  void SimulationStart(SimContext& ctx) override;
  void SimulationStop(SimContext& ctx) override;

 private:
  // Names this module drives: the port's bits 0..4 and the enable pin, as "RB.0" or "GP.5".
  void AnnounceOutputs(Analysis& a) const;

  std::unique_ptr<CharacterDisplay> display_;
};

// The LCD module of the plan called `name`, or nullptr.
[[nodiscard]] TObjLcdBase* FindLcdModule(const Project& project, std::string_view name);

}  // namespace tolmek
