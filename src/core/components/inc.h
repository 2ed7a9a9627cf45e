// TObjInc: an include block, a file of the user's own assembler code placed at one of five points of the program.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/element.h"

namespace tolmek {

class TObjInc final : public TBauteil {
 public:
  enum Position : uint8_t { InitStart = 0, InitEnd = 1, Interrupt = 2, MainStart = 3, Subroutines = 4 };
  static constexpr size_t kMaxFileNameLength = 255;
  // The length field of the dialog takes four digits.
  static constexpr int kMaxLengthDigits = 4;

  TObjInc(int32_t x, int32_t y);

  uint8_t IncludePosition = InitStart;
  std::string IncludeFile = "INCLUDE.INC";
  uint16_t IncludeLength = 0;  // program words of the file, corrected after each build

  // "Start-Init", "End-Init", "Interrupt", "Main" or "Subroutine".
  [[nodiscard]] std::string_view PositionText() const;
  // "BEGININC" + number and "ENDINC" + number: the labels around the included text.
  [[nodiscard]] std::string BeginLabel() const;
  [[nodiscard]] std::string EndLabel() const;
  // What accepting the dialog does; the width follows the file name (exactly at the next drawing).
  void ApplySettings(std::string_view file, uint8_t position, uint16_t length);

  // Reads the length field: decimal digits only, at most four. Nothing for any other text.
  [[nodiscard]] static std::optional<uint16_t> ParseLength(std::string_view text);
  // The words between the two labels of block `number` in an assembler listing, or nothing when a label is
  // missing. Each label line starts with its address as four hexadecimal digits.
  [[nodiscard]] static std::optional<int> MeasureListing(std::string_view listing, int number);

  void Draw(Canvas& canvas, int originX, int originY) override;
  void Record(RecordVisitor& v) override;
  void GenerateInitStart(ProgramWriter& w) override;
  void GenerateInitEnd(ProgramWriter& w) override;
  void GenerateInterruptCode(ProgramWriter& w) override;
  void GenerateMainStart(ProgramWriter& w) override;
  void GenerateSubroutines(ProgramWriter& w) override;
  // Measures the real length from the listing of the last build; false when it differed from the one the
  // program was generated with (the length is corrected, and the build must run again).
  [[nodiscard]] bool AcceptBuild() override;

 private:
  void WriteInclude(ProgramWriter& w, Position where);
};

}  // namespace tolmek
