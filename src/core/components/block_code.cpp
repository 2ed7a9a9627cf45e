// The line forms the function blocks write.
#include "components/block_code.h"

#include "model/element.h"
#include "model/pin.h"

namespace tolmek {

namespace {
constexpr int kHeaderStars = 51;
}

void BlockCode::Header(std::string_view title) {
  w_.StarLine(kHeaderStars);
  w_.Comment(title);
  w_.StarLine(kHeaderStars);
  w_.Blank();
}

void BlockCode::Blank() { w_.Blank(); }

void BlockCode::Op(std::string_view instruction, std::string_view comment) { w_.Instr(instruction, comment); }

void BlockCode::OpOn(std::string_view mnemonic, std::string_view operand, std::string_view comment) {
  w_.InstrOn(mnemonic, operand, comment);
}

void BlockCode::SkipOver(std::string_view skip, std::string_view mnemonic, std::string_view operand) {
  w_.SkipThen(skip, std::string(mnemonic) + " " + std::string(operand));
}

void BlockCode::Goto(std::string_view suffix, std::string_view comment) {
  w_.Instr("GOTO " + LabelName(suffix), comment);
}

void BlockCode::Label(std::string_view suffix) { w_.FallThroughLabel(LabelName(suffix)); }

void BlockCode::JumpTarget(std::string_view suffix) { w_.Label(LabelName(suffix)); }

std::string BlockCode::LabelName(std::string_view suffix) const {
  return "LABEL_" + block_.Name + std::string(suffix);
}

std::string BlockCode::BitOperand(const TObjAnschluss& pin) const { return block_.PinSignalName(pin.Name); }

std::string BlockCode::ByteOperand(const TObjAnschluss& pin) { return pin.PinVariableName(); }

const char* SkipIfLow(const TObjAnschluss& input) { return input.Inverted ? "BTFSC" : "BTFSS"; }
const char* SkipIfHigh(const TObjAnschluss& input) { return input.Inverted ? "BTFSS" : "BTFSC"; }
const char* SetBit(const TObjAnschluss& output) { return output.Inverted ? "BCF" : "BSF"; }
const char* ClearBit(const TObjAnschluss& output) { return output.Inverted ? "BSF" : "BCF"; }

}  // namespace tolmek
