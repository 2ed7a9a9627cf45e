// The line forms of the generated file, the word count, and writing the file in one piece.
#include "codegen/asm_writer.h"

#include <algorithm>
#include <cstdio>

namespace tolmek {

std::string_view Mnemonic(std::string_view instruction) {
  size_t start = instruction.find_first_not_of(" \t");
  if (start == std::string_view::npos) return {};
  instruction.remove_prefix(start);
  return instruction.substr(0, instruction.find_first_of(" \t"));
}

std::string_view RegisterOperand(std::string_view instruction) {
  std::string_view m = Mnemonic(instruction);
  if (m.empty()) return {};
  std::string_view rest = instruction.substr(instruction.find(m) + m.size());
  size_t start = rest.find_first_not_of(" \t");
  if (start == std::string_view::npos) return {};
  rest.remove_prefix(start);
  return rest.substr(0, rest.find_first_of(", \t;"));
}

bool AsmWriter::IsSkip(std::string_view instruction) {
  std::string_view m = Mnemonic(instruction);
  return m == "BTFSS" || m == "BTFSC" || m == "DECFSZ" || m == "INCFSZ" || m == "SKPZ" || m == "SKPNZ" ||
         m == "SKPC" || m == "SKPNC";
}

void AsmWriter::Label(std::string_view name) {
  if (trackJumps_) labels_.insert_or_assign(std::string(name), RomCounter);
  codeLabels_.insert_or_assign(std::string(name), code_.size());
  text_ += name;
  text_ += '\n';
}

void AsmWriter::Instr(std::string_view text, std::string_view comment) {
  const size_t lineStart = text_.size();
  text_ += Separator;
  text_ += text;
  if (!comment.empty()) {
    text_ += Separator;
    text_ += comment;
  }
  text_ += '\n';
  ++RomCounter;
  code_.emplace_back(text);
  if (trackJumps_ && Mnemonic(text) == "CALL") calls_.emplace_back(RegisterOperand(text));

  if (IsSkip(text)) {
    skipLine_ = lineStart;
    skipCode_ = code_.size() - 1;
    pendingSkip_.assign(text);
  } else {
    skipLine_ = kNoSkip;
    pendingSkip_.clear();
  }
  if (afterNext_) {
    auto action = std::move(afterNext_);
    afterNext_ = nullptr;
    action();
  }
}

void AsmWriter::Comment(std::string_view text) {
  text_ += text;
  text_ += '\n';
}

void AsmWriter::Blank() { text_ += '\n'; }

void AsmWriter::Directive(std::string_view text, std::string_view comment) {
  text_ += Separator;
  text_ += text;
  if (!comment.empty()) {
    text_ += Separator;
    text_ += comment;
  }
  text_ += '\n';
}

void AsmWriter::Line(std::string_view text) {
  text_ += text;
  text_ += '\n';
}

std::string AsmWriter::Lines(const Instructions& selection) const {
  std::string lines;
  for (const AsmInstruction& i : selection) {
    lines += Separator;
    lines += i.text;
    if (!i.comment.empty()) {
      lines += Separator;
      lines += i.comment;
    }
    lines += '\n';
  }
  return lines;
}

void AsmWriter::Selection(const Instructions& selection) {
  text_ += Lines(selection);
  RomCounter += static_cast<int32_t>(selection.size());
  code_.insert(code_.end(), selection.size(), std::string("NOP"));
}

void AsmWriter::Verbatim(std::string_view text, int words) {
  text_ += text;
  if (!text.empty() && text.back() != '\n') text_ += '\n';
  RomCounter += words;
  code_.insert(code_.end(), size_t(std::max(words, 0)), std::string("NOP"));
}

void AsmWriter::InsertBeforePendingSkip(const Instructions& selection) {
  if (!SkipPending()) return;
  const std::string lines = Lines(selection);
  text_.insert(skipLine_, lines);
  skipLine_ += lines.size();
  RomCounter += static_cast<int32_t>(selection.size());
  // Bank selections: no jumps, so they stand in the code list as plain words.
  code_.insert(code_.begin() + std::ptrdiff_t(skipCode_), selection.size(), std::string("NOP"));
  skipCode_ += selection.size();
  // The skip moved down by `words`; labels written after it cannot exist (nothing but the skip follows).
}

void AsmWriter::Clear() {
  text_.clear();
  RomCounter = 0;
  skipLine_ = kNoSkip;
  pendingSkip_.clear();
  afterNext_ = nullptr;
  labels_.clear();
  calls_.clear();
  code_.clear();
  codeLabels_.clear();
}

int32_t AsmWriter::LabelAddress(std::string_view name) const {
  auto it = labels_.find(std::string(name));
  return it == labels_.end() ? -1 : it->second;
}

std::vector<std::string> ReachErrors(const AsmWriter& out, int32_t pageSize,
                                     const std::vector<std::string>& computedTargets) {
  std::vector<std::string> errors;
  if (pageSize <= 0) return errors;
  auto check = [&](const std::string& label, const char* what) {
    const int32_t address = out.LabelAddress(label);
    if (address < 0 || address % pageSize < 256) return;
    std::string text = std::string(what) + " target " + label + " lies beyond the first 256 words of its page";
    if (std::find(errors.begin(), errors.end(), text) == errors.end()) errors.push_back(std::move(text));
  };
  for (const std::string& target : out.CallTargets()) check(target, "CALL");
  for (const std::string& target : computedTargets) check(target, "Computed jump");
  return errors;
}

}  // namespace tolmek
