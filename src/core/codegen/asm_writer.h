// AsmWriter: the text of one generated assembler file, with the program-word count kept as lines are written.
#pragma once

#include "model/file_io.h"  // WriteFileAtomically, for the callers that write the source
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tolmek {

// An instruction held before it is written (bank and page selections are worked out before their place is known).
struct AsmInstruction {
  std::string text;
  std::string comment;
};
using Instructions = std::vector<AsmInstruction>;

// Every generated line goes through this class. Labels and comments start in column 1; instructions and
// directives are Separator + text, a trailing comment is Separator + comment. Each Instr() is one program
// word, so the word count (RomCounter) is right by construction: nobody adds words by hand.
class AsmWriter {
 public:
  static constexpr const char* kTab = "\t";

  // Written in front of every instruction and between instruction and comment (TAB, 15 blanks in the preview).
  std::string Separator = kTab;
  // Program words written so far: the address of the next instruction.
  int32_t RomCounter = 0;

  void Label(std::string_view name);
  // One instruction, one program word.
  void Instr(std::string_view text, std::string_view comment = {});
  // A comment line in column 1; `text` carries its own ";".
  void Comment(std::string_view text);
  void Blank();
  // An assembler directive written like an instruction ("ORG 0", "END", "ERRORLEVEL -302"); no program word.
  void Directive(std::string_view text, std::string_view comment = {});
  // A line written as it is (equates: "NAME" + Separator + "= 33" ...); no program word.
  void Line(std::string_view text);
  // Bank or page selection instructions, one program word each. They never skip and end no pending skip:
  // a selection that must precede a pending skip goes through InsertBeforePendingSkip.
  void Selection(const Instructions& selection);
  // Text taken over as it is (complete lines) that holds `words` program words (an included file).
  void Verbatim(std::string_view text, int words);

  // True between a skip instruction (BTFSS, BTFSC, DECFSZ, INCFSZ) and the instruction it guards.
  [[nodiscard]] bool SkipPending() const { return skipLine_ != kNoSkip; }
  // The pending skip instruction's text (mnemonic and operand), empty when none is pending.
  [[nodiscard]] std::string_view PendingSkip() const { return pendingSkip_; }
  // Puts the selection in front of the pending skip, one program word per instruction.
  void InsertBeforePendingSkip(const Instructions& selection);
  // Runs `action` once, right after the next instruction has been written (used to close a branch).
  void AfterNextInstruction(std::function<void()> action) { afterNext_ = std::move(action); }

  // With jump tracking on, label addresses and CALL targets are recorded (the 12-bit reach check).
  void TrackJumps(bool on) { trackJumps_ = on; }
  // Address of a label written since the last Clear(), or -1.
  [[nodiscard]] int32_t LabelAddress(std::string_view name) const;
  // Targets of the CALL instructions written, in order.
  [[nodiscard]] const std::vector<std::string>& CallTargets() const { return calls_; }
  // Every instruction written, in address order (without comments), and the index each label stands at.
  [[nodiscard]] const std::vector<std::string>& Code() const { return code_; }
  [[nodiscard]] const std::unordered_map<std::string, size_t>& CodeLabels() const { return codeLabels_; }

  [[nodiscard]] const std::string& Text() const { return text_; }
  [[nodiscard]] std::string TakeText() { return std::move(text_); }
  void Reserve(size_t bytes) { text_.reserve(bytes); }
  // Empties the text and resets the count and the skip state; Separator is kept.
  void Clear();

  // True for the instructions that skip the next one.
  [[nodiscard]] static bool IsSkip(std::string_view instruction);

 private:
  static constexpr size_t kNoSkip = static_cast<size_t>(-1);
  [[nodiscard]] std::string Lines(const Instructions& selection) const;
  std::string text_;
  size_t skipLine_ = kNoSkip;  // offset of the pending skip's line in text_
  std::string pendingSkip_;
  std::function<void()> afterNext_;
  bool trackJumps_ = false;
  std::unordered_map<std::string, int32_t> labels_;
  std::vector<std::string> calls_;
  std::vector<std::string> code_;
  std::unordered_map<std::string, size_t> codeLabels_;
  size_t skipCode_ = 0;
};

// The first word of an instruction ("BTFSS PORTB,0" -> "BTFSS"), upper-cased text assumed.
[[nodiscard]] std::string_view Mnemonic(std::string_view instruction);
// The file-register operand of an instruction without bit or destination suffix ("BTFSS PORTB,0" -> "PORTB").
[[nodiscard]] std::string_view RegisterOperand(std::string_view instruction);

// The jumps a 12-bit core cannot make: CALLs and computed jumps (`computedTargets`) whose target label lies
// beyond the first 256 words of its page. One text per target, in the order found.
[[nodiscard]] std::vector<std::string> ReachErrors(const AsmWriter& out, int32_t pageSize,
                                                   const std::vector<std::string>& computedTargets);

}  // namespace tolmek
