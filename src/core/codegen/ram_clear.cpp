// The start-up loops that clear all general-purpose RAM through FSR/INDF, one form per processor group.
#include <algorithm>
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
  std::initializer_list<int> types;
  bool icd;  // the form used in MPLAB-ICD mode, which leaves the debugger's cells alone
  Lines lines;
};

// 16C76/77 and 16C66/67 have the RAM layout of the 16F876/877 and share its loops, which also reach
// 0x110-0x11F and 0x190-0x19F.
const ClearForm kForms[] = {
    {{38, 39, 40}, false,
     {"MOVLW {first}", "MOVWF FSR", ":CR1", "CLRF INDF", "INCF FSR,F", "MOVFW FSR", "ANDLW H'1F'",
      "BTFSS STATUS,ZERO", "GOTO CR1"}},
    {{41, 42}, false,
     {"MOVLW {first}", "MOVWF FSR", ":CR1", "CLRF INDF", "INCF FSR,F", "BTFSC STATUS,ZERO", "GOTO CR2",
      "MOVFW FSR", "ANDLW H'1F'", "BTFSS STATUS,ZERO", "GOTO CR1", "BSF FSR,4", "GOTO CR1", ":CR2"}},
    {{0, 1, 2, 3, 4, 43}, false,
     {"MOVLW {first}", "MOVWF FSR", ":CR1", "CLRF INDF", "INCF FSR,F", "MOVFW FSR", "SUBLW {end}",
      "BTFSS STATUS,ZERO", "GOTO CR1"}},
    {{5, 6, 7, 8, 9, 44, 46}, false,
     {"MOVLW {first}", "MOVWF FSR", ":CR1", "CLRF INDF", "INCF FSR,F", "BTFSS FSR,7", "GOTO CR1", "BSF FSR,5",
      ":CR2", "CLRF INDF", "INCF FSR,F", "BTFSS FSR,6", "GOTO CR2"}},
    {{10, 11, 12, 13, 14, 15, 45, 47}, false,
     {"MOVLW {first}", "MOVWF FSR", ":CR1", "CLRF INDF", "INCF FSR,F", "BTFSS FSR,7", "GOTO CR1", "BSF FSR,5",
      ":CR2", "CLRF INDF", "INCF FSR,F", "BTFSC FSR,7", "GOTO CR2"}},
    {{16, 17, 22, 23, 48, 49}, false,
     {"BCF STATUS,IRP", "MOVLW {first}", "MOVWF FSR", ":CR1", "CLRF INDF", "INCF FSR,F", "BTFSS FSR,7",
      "GOTO CR1", "BSF FSR,5", ":CR2", "CLRF INDF", "INCF FSR,F", "MOVLW H'F0'", "SUBWF FSR,W",
      "BTFSS STATUS,ZERO", "GOTO CR2", "BSF STATUS,IRP", "MOVLW 16", "MOVWF FSR", ":CR3", "CLRF INDF",
      "INCF FSR,F", "MOVLW H'70'", "SUBWF FSR,W", "BTFSS STATUS,ZERO", "GOTO CR3", "MOVLW 144", "MOVWF FSR",
      ":CR4", "CLRF INDF", "INCF FSR,F", "MOVLW H'F0'", "SUBWF FSR,W", "BTFSS STATUS,ZERO", "GOTO CR4"}},
    {{22, 23}, true,
     {"BCF STATUS,IRP", "MOVLW {first}", "MOVWF FSR", ":CR1", "CLRF INDF", "INCF FSR,F", "MOVLW H'70'",
      "SUBWF FSR,W", "BTFSC STATUS,ZERO", "INCF FSR,F", "BTFSS FSR,7", "GOTO CR1", "BSF FSR,5", ":CR2",
      "CLRF INDF", "INCF FSR,F", "MOVLW H'F0'", "SUBWF FSR,W", "BTFSS STATUS,ZERO", "GOTO CR2", "BSF STATUS,IRP",
      "MOVLW 16", "MOVWF FSR", ":CR3", "CLRF INDF", "INCF FSR,F", "MOVLW H'70'", "SUBWF FSR,W",
      "BTFSS STATUS,ZERO", "GOTO CR3", "MOVLW 144", "MOVWF FSR", ":CR4", "CLRF INDF", "INCF FSR,F",
      "MOVLW H'EB'", "SUBWF FSR,W", "BTFSS STATUS,ZERO", "GOTO CR4"}},
    {{20, 21}, false,
     {"BCF STATUS,IRP", "MOVLW {first}", "MOVWF FSR", ":CR1", "CLRF INDF", "INCF FSR,F", "BTFSS FSR,7",
      "GOTO CR1", "BSF FSR,5", ":CR2", "CLRF INDF", "INCF FSR,F", "BTFSC FSR,7", "GOTO CR2"}},
    {{20, 21}, true,
     {"BCF STATUS,IRP", "MOVLW {first}", "MOVWF FSR", ":CR1", "CLRF INDF", "INCF FSR,F", "MOVLW H'70'",
      "SUBWF FSR,W", "BTFSC STATUS,ZERO", "INCF FSR,F", "BTFSS FSR,7", "GOTO CR1", "BSF FSR,5", ":CR2",
      "CLRF INDF", "INCF FSR,F", "MOVLW H'EB'", "SUBWF FSR,W", "BTFSS STATUS,ZERO", "GOTO CR2_2", "MOVLW H'F1'",
      "MOVWF FSR", ":CR2_2", "BTFSC FSR,7", "GOTO CR2"}},
    {{18, 19}, false,
     {"BCF STATUS,IRP", "MOVLW {first}", "MOVWF FSR", ":CR1", "CLRF INDF", "INCF FSR,F", "BTFSS FSR,7",
      "GOTO CR1", "BSF FSR,5", ":CR2", "CLRF INDF", "INCF FSR,F", "MOVLW H'F0'", "SUBWF FSR,W",
      "BTFSS STATUS,ZERO", "GOTO CR2", "BSF STATUS,IRP", "MOVLW {first}", "MOVWF FSR", ":CR3", "CLRF INDF",
      "INCF FSR,F", "MOVLW H'50'", "SUBWF FSR,W", "BTFSS STATUS,ZERO", "GOTO CR3"}},
    {{24, 25, 27, 28}, false,
     {"MOVLW {first}", "MOVWF FSR", ":CR1", "CLRF INDF", "INCF FSR,F", "BTFSS FSR,7", "GOTO CR1"}},
    {{26, 29, 34, 35, 36, 37}, false,
     {"MOVLW {first}", "MOVWF FSR", ":CR1", "CLRF INDF", "INCF FSR,F", "BTFSS FSR,7", "GOTO CR1", "BSF FSR,5",
      ":CR2", "CLRF INDF", "INCF FSR,F", "MOVLW H'C0'", "SUBWF FSR,W", "BTFSS STATUS,ZERO", "GOTO CR2"}},
    {{30, 32}, false,
     {"MOVLW {first}", "MOVWF FSR", ":CR1", "CLRF INDF", "INCF FSR,F", "BTFSS STATUS,ZERO", "GOTO CR1"}},
    {{31, 33}, false,
     {"MOVLW {first}", "MOVWF FSR", ":CR1", "CLRF INDF", "INCF FSR,F", "BTFSC STATUS,ZERO", "GOTO CR2",
      "BTFSS FSR,5", "GOTO CR1", "BSF FSR,4", "GOTO CR1", ":CR2"}},
};

const ClearForm* FindForm(int type, bool icd) {
  const ClearForm* plain = nullptr;
  for (const ClearForm& f : kForms) {
    if (std::find(f.types.begin(), f.types.end(), type) == f.types.end()) continue;
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
  if (const ClearForm* form = FindForm(props_.Type, props_.IcdActive)) {
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
