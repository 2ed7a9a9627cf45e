// The start-up loops that clear all general-purpose RAM through FSR/INDF, one form per processor group.
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "codegen/analysis.h"
#include "codegen/program_writer.h"

namespace tolmek {
namespace {

// A loop is a list of lines: ":NAME" is a label, anything else an instruction; "{first}" stands for the first
// general-purpose address and "{end}" for the address after the last one.
using Lines = std::initializer_list<std::string_view>;

struct ClearForm {
  RamClear layout;
  bool icd;  // the form used in MPLAB-ICD mode, which leaves the debugger's cells alone
  Lines lines;
};

// 16C76/77 and 16C66/67 have the RAM layout of the 16F876/877 and share its loops, which also reach
// 0x110-0x11F and 0x190-0x19F.
const ClearForm kForms[] = {
    {RamClear::C54, false,
     {"MOVLW {first}", "MOVWF FSR", ":CR1", "CLRF INDF", "INCF FSR,F", "MOVFW FSR", "ANDLW H'1F'",
      "BTFSS STATUS,ZERO", "GOTO CR1"}},
    {RamClear::C57, false,
     {"MOVLW {first}", "MOVWF FSR", ":CR1", "CLRF INDF", "INCF FSR,F", "BTFSC STATUS,ZERO", "GOTO CR2",
      "MOVFW FSR", "ANDLW H'1F'", "BTFSS STATUS,ZERO", "GOTO CR1", "BSF FSR,4", "GOTO CR1", ":CR2"}},
    {RamClear::C71, false,
     {"MOVLW {first}", "MOVWF FSR", ":CR1", "CLRF INDF", "INCF FSR,F", "MOVFW FSR", "SUBLW {end}",
      "BTFSS STATUS,ZERO", "GOTO CR1"}},
    {RamClear::C72, false,
     {"MOVLW {first}", "MOVWF FSR", ":CR1", "CLRF INDF", "INCF FSR,F", "BTFSS FSR,7", "GOTO CR1", "BSF FSR,5",
      ":CR2", "CLRF INDF", "INCF FSR,F", "BTFSS FSR,6", "GOTO CR2"}},
    {RamClear::C73, false,
     {"MOVLW {first}", "MOVWF FSR", ":CR1", "CLRF INDF", "INCF FSR,F", "BTFSS FSR,7", "GOTO CR1", "BSF FSR,5",
      ":CR2", "CLRF INDF", "INCF FSR,F", "BTFSC FSR,7", "GOTO CR2"}},
    {RamClear::F877, false,
     {"BCF STATUS,IRP", "MOVLW {first}", "MOVWF FSR", ":CR1", "CLRF INDF", "INCF FSR,F", "BTFSS FSR,7",
      "GOTO CR1", "BSF FSR,5", ":CR2", "CLRF INDF", "INCF FSR,F", "MOVLW H'F0'", "SUBWF FSR,W",
      "BTFSS STATUS,ZERO", "GOTO CR2", "BSF STATUS,IRP", "MOVLW 16", "MOVWF FSR", ":CR3", "CLRF INDF",
      "INCF FSR,F", "MOVLW H'70'", "SUBWF FSR,W", "BTFSS STATUS,ZERO", "GOTO CR3", "MOVLW 144", "MOVWF FSR",
      ":CR4", "CLRF INDF", "INCF FSR,F", "MOVLW H'F0'", "SUBWF FSR,W", "BTFSS STATUS,ZERO", "GOTO CR4"}},
    {RamClear::F877, true,
     {"BCF STATUS,IRP", "MOVLW {first}", "MOVWF FSR", ":CR1", "CLRF INDF", "INCF FSR,F", "MOVLW H'70'",
      "SUBWF FSR,W", "BTFSC STATUS,ZERO", "INCF FSR,F", "BTFSS FSR,7", "GOTO CR1", "BSF FSR,5", ":CR2",
      "CLRF INDF", "INCF FSR,F", "MOVLW H'F0'", "SUBWF FSR,W", "BTFSS STATUS,ZERO", "GOTO CR2", "BSF STATUS,IRP",
      "MOVLW 16", "MOVWF FSR", ":CR3", "CLRF INDF", "INCF FSR,F", "MOVLW H'70'", "SUBWF FSR,W",
      "BTFSS STATUS,ZERO", "GOTO CR3", "MOVLW 144", "MOVWF FSR", ":CR4", "CLRF INDF", "INCF FSR,F",
      "MOVLW H'EB'", "SUBWF FSR,W", "BTFSS STATUS,ZERO", "GOTO CR4"}},
    {RamClear::F873, false,
     {"BCF STATUS,IRP", "MOVLW {first}", "MOVWF FSR", ":CR1", "CLRF INDF", "INCF FSR,F", "BTFSS FSR,7",
      "GOTO CR1", "BSF FSR,5", ":CR2", "CLRF INDF", "INCF FSR,F", "BTFSC FSR,7", "GOTO CR2"}},
    {RamClear::F873, true,
     {"BCF STATUS,IRP", "MOVLW {first}", "MOVWF FSR", ":CR1", "CLRF INDF", "INCF FSR,F", "MOVLW H'70'",
      "SUBWF FSR,W", "BTFSC STATUS,ZERO", "INCF FSR,F", "BTFSS FSR,7", "GOTO CR1", "BSF FSR,5", ":CR2",
      "CLRF INDF", "INCF FSR,F", "MOVLW H'EB'", "SUBWF FSR,W", "BTFSS STATUS,ZERO", "GOTO CR2_2", "MOVLW H'F1'",
      "MOVWF FSR", ":CR2_2", "BTFSC FSR,7", "GOTO CR2"}},
    {RamClear::F627, false,
     {"BCF STATUS,IRP", "MOVLW {first}", "MOVWF FSR", ":CR1", "CLRF INDF", "INCF FSR,F", "BTFSS FSR,7",
      "GOTO CR1", "BSF FSR,5", ":CR2", "CLRF INDF", "INCF FSR,F", "MOVLW H'F0'", "SUBWF FSR,W",
      "BTFSS STATUS,ZERO", "GOTO CR2", "BSF STATUS,IRP", "MOVLW {first}", "MOVWF FSR", ":CR3", "CLRF INDF",
      "INCF FSR,F", "MOVLW H'50'", "SUBWF FSR,W", "BTFSS STATUS,ZERO", "GOTO CR3"}},
    {RamClear::C620, false,
     {"MOVLW {first}", "MOVWF FSR", ":CR1", "CLRF INDF", "INCF FSR,F", "BTFSS FSR,7", "GOTO CR1"}},
    {RamClear::C622, false,
     {"MOVLW {first}", "MOVWF FSR", ":CR1", "CLRF INDF", "INCF FSR,F", "BTFSS FSR,7", "GOTO CR1", "BSF FSR,5",
      ":CR2", "CLRF INDF", "INCF FSR,F", "MOVLW H'C0'", "SUBWF FSR,W", "BTFSS STATUS,ZERO", "GOTO CR2"}},
    {RamClear::C508, false,
     {"MOVLW {first}", "MOVWF FSR", ":CR1", "CLRF INDF", "INCF FSR,F", "BTFSS STATUS,ZERO", "GOTO CR1"}},
    {RamClear::C509, false,
     {"MOVLW {first}", "MOVWF FSR", ":CR1", "CLRF INDF", "INCF FSR,F", "BTFSC STATUS,ZERO", "GOTO CR2",
      "BTFSS FSR,5", "GOTO CR1", "BSF FSR,4", "GOTO CR1", ":CR2"}},
};

const ClearForm* FindForm(RamClear layout, bool icd) {
  const ClearForm* plain = nullptr;
  for (const ClearForm& f : kForms) {
    if (f.layout != layout) continue;
    if (f.icd == icd) return &f;
    if (!f.icd) plain = &f;
  }
  return plain;
}

std::string Substitute(std::string_view line, int first, int end) {
  std::string out(line);
  auto replace = [&](std::string_view key, int value) {
    const size_t at = out.find(key);
    if (at != std::string::npos) out.replace(at, key.size(), std::to_string(value));
  };
  replace("{first}", first);
  replace("{end}", end);
  return out;
}

}  // namespace

void Analysis::WriteRamClear(ProgramWriter& w) const {
  w.Blank();
  w.Comment("; Clear RAM");
  w.Blank();
  const ClearForm* form = props_.Type < 0 ? nullptr : FindForm(props_.RamClearForm, props_.IcdActive);
  if (form) {
    const int first = props_.FirstGpr;
    const int end = first + props_.RamSize;
    for (std::string_view line : form->lines) {
      if (line.starts_with(':')) w.Label(line.substr(1));
      else w.Instr(Substitute(line, first, end));
    }
  }
  w.Blank();
  w.ForgetBank();
}

}  // namespace tolmek
