// The line forms the function blocks write: header box, labels, instructions with their bank selection.
#pragma once

#include <string>
#include <string_view>

#include "codegen/program_writer.h"

namespace tolmek {

class TBauteil;
class TObjAnschluss;

// Writes one block's code. Labels are "LABEL_" + block name + suffix.
class BlockCode {
 public:
  BlockCode(ProgramWriter& w, const TBauteil& block) : w_(w), block_(block) {}

  // The comment box that opens every block: a star line, the title, the star line, an empty line.
  void Header(std::string_view title);
  void Blank();
  // An instruction that addresses no banked register (literal, jump, STATUS bit).
  void Op(std::string_view instruction, std::string_view comment = {});
  // An instruction on a file register ("SUBWF", "SYS_TMP1,W"); the register's bank is selected first.
  void OpOn(std::string_view mnemonic, std::string_view operand, std::string_view comment = {});
  // A skip on a STATUS bit guarding one instruction on a file register. The bank for the guarded
  // instruction is selected before the skip: a selection between the two would be what gets skipped.
  void SkipOver(std::string_view skip, std::string_view mnemonic, std::string_view operand);
  void Goto(std::string_view suffix, std::string_view comment = {});
  // A label only reached by falling through keeps the bank state.
  void Label(std::string_view suffix);
  // A label reached by a jump: the bank state on arrival is unknown.
  void JumpTarget(std::string_view suffix);

  [[nodiscard]] std::string LabelName(std::string_view suffix) const;
  [[nodiscard]] ProgramWriter& Writer() const { return w_; }

  // Operands of pins: a bit as "PORTB,0", a byte or word by its variable.
  [[nodiscard]] std::string BitOperand(const TObjAnschluss& pin) const;
  [[nodiscard]] static std::string ByteOperand(const TObjAnschluss& pin);

 private:
  ProgramWriter& w_;
  const TBauteil& block_;
};

// Bit tests and bit writes of a pin, with its inversion applied.
[[nodiscard]] const char* SkipIfLow(const TObjAnschluss& input);   // "BTFSS", "BTFSC" when inverted
[[nodiscard]] const char* SkipIfHigh(const TObjAnschluss& input);  // "BTFSC", "BTFSS" when inverted
[[nodiscard]] const char* SetBit(const TObjAnschluss& output);     // "BSF", "BCF" when inverted
[[nodiscard]] const char* ClearBit(const TObjAnschluss& output);   // "BCF", "BSF" when inverted

}  // namespace tolmek
