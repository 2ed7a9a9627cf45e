// The shared arithmetic subroutines and the table jump, written when a block asks for them.
#include "codegen/program_writer.h"

namespace tolmek {

void ProgramWriter::WriteRoutineBox(std::initializer_list<std::string_view> titles) {
  Blank();
  StarLine(40);
  for (std::string_view t : titles) Comment(t);
  StarLine(40);
  Blank();
}

// Operands in SYS_TMP1 and SYS_TMP2, product (low byte) in SYS_TMP3.
void ProgramWriter::WriteMul8() {
  WriteRoutineBox({"; Multiplication 8 - Bit"});
  Label("SYSMUL8");
  InstrOn("CLRF", "SYS_TMP3");
  Instr("MOVLW 8");
  InstrOn("MOVWF", "SYS_TMP4");
  Label("SYSMUL8_1");
  InstrOn("MOVFW", "SYS_TMP1");
  InstrOn("RRF", "SYS_TMP2,F");
  SkipThen("BTFSC STATUS,CARRY", "ADDWF SYS_TMP3,F");
  // The carry of the addition must not be shifted into the multiplicand.
  Instr("BCF STATUS,CARRY");
  InstrOn("RLF", "SYS_TMP1,F");
  InstrOn("DECFSZ", "SYS_TMP4,F");
  Instr("GOTO SYSMUL8_1");
  Instr("RETURN");
}

// OP1 in SYS_TMP1 (low), SYS_TMP2 (high); OP2 in SYS_TMP3, SYS_TMP4; result in SYS_TMP5 (low), SYS_TMP6.
void ProgramWriter::WriteMul16() {
  WriteRoutineBox({"; Multiplikation 16 - Bit", "; OP1 = SYS_TMP1,2", "; OP2 = SYS_TMP3,4"});
  Label("SYSMUL16");
  Instr("MOVLW 16", "; set loopcounter");
  InstrOn("MOVWF", "SYS_TMP7");
  InstrOn("CLRF", "SYS_TMP5", "; clear result");
  InstrOn("CLRF", "SYS_TMP6");
  Label("SYSMUL16_1");
  InstrOn("RRF", "SYS_TMP4,F");
  InstrOn("RRF", "SYS_TMP3,F");
  Instr("BTFSS STATUS,CARRY");
  Instr("GOTO SYSMUL16_2");
  InstrOn("MOVFW", "SYS_TMP2", "; add High-Byte");
  InstrOn("ADDWF", "SYS_TMP6,F");
  InstrOn("MOVFW", "SYS_TMP1", "; add Low-Byte");
  InstrOn("ADDWF", "SYS_TMP5,F");
  SkipThen("BTFSC STATUS,CARRY", "INCF SYS_TMP6,F", "; add 256 to result", "; carry ?");
  Label("SYSMUL16_2");
  Instr("BCF STATUS,CARRY");
  InstrOn("RLF", "SYS_TMP1,F");
  InstrOn("RLF", "SYS_TMP2,F");
  InstrOn("DECFSZ", "SYS_TMP7,F");
  Instr("GOTO SYSMUL16_1");
  Instr("RETURN");
}

// Dividend SYS_TMP1, divisor SYS_TMP2, quotient SYS_TMP3; a division by zero gives 255.
void ProgramWriter::WriteDiv8() {
  WriteRoutineBox({"; Division 8 - Bit"});
  Label("SYSDIV8");
  InstrOn("MOVF", "SYS_TMP2,F");
  Instr("BTFSC STATUS,ZERO");
  Instr("GOTO SYSDIV8_ERROR");
  InstrOn("CLRF", "SYS_TMP3", "; Ergebnis löschen");
  Instr("MOVLW 1");
  InstrOn("MOVWF", "SYS_TMP4");
  Label("SYSDIV8_0");
  InstrOn("BTFSC", "SYS_TMP2,7", "; OP2 linksbündig");
  Instr("GOTO SYSDIV8_1");
  InstrOn("INCF", "SYS_TMP4,F");
  Instr("BCF STATUS,CARRY");
  InstrOn("RLF", "SYS_TMP2,F");
  Instr("GOTO SYSDIV8_0");
  Label("SYSDIV8_1");
  InstrOn("MOVFW", "SYS_TMP2", "; vergleichen");
  InstrOn("SUBWF", "SYS_TMP1,F", "; F-W -> W");
  Instr("BTFSC STATUS,CARRY");
  Instr("GOTO SYSDIV8_2");
  InstrOn("ADDWF", "SYS_TMP1,F", "; F+W -> F");
  Instr("BCF STATUS,CARRY");
  Label("SYSDIV8_2");
  InstrOn("RLF", "SYS_TMP3,F");
  InstrOn("RRF", "SYS_TMP2,F");
  InstrOn("DECFSZ", "SYS_TMP4,F");
  Instr("GOTO SYSDIV8_1");
  Instr("RETURN");
  Label("SYSDIV8_ERROR");
  Instr("MOVLW 255");
  InstrOn("MOVWF", "SYS_TMP3");
  Instr("RETURN");
}

// OP1 (dividend) in SYS_TMP1/2, OP2 (divisor) in SYS_TMP3/4; quotient in SYS_TMP5 (low), SYS_TMP6;
// a division by zero gives 65535.
void ProgramWriter::WriteDiv16() {
  WriteRoutineBox({"; Division 16 - Bit", "; OP1 = SYS_TMP1,2", "; OP2 = SYS_TMP3,4"});
  Label("SYSDIV16");
  InstrOn("MOVFW", "SYS_TMP3", "; Division durch 0 ?");
  InstrOn("IORWF", "SYS_TMP4,W");
  SelectBank("SYS_TMP5");
  Instr("BTFSC STATUS,ZERO");
  Instr("GOTO SYSDIV16_ERROR");
  InstrOn("CLRF", "SYS_TMP5", "; Ergebnis löschen");
  InstrOn("CLRF", "SYS_TMP6");
  Instr("MOVLW 1");
  InstrOn("MOVWF", "SYS_TMP7");
  Label("SYSDIV16_0");
  InstrOn("BTFSC", "SYS_TMP4,7", "; OP2 linksbündig");
  Instr("GOTO SYSDIV16_1");
  InstrOn("INCF", "SYS_TMP7,F");
  Instr("BCF STATUS,CARRY");
  InstrOn("RLF", "SYS_TMP3,F");
  InstrOn("RLF", "SYS_TMP4,F");
  Instr("GOTO SYSDIV16_0");
  Label("SYSDIV16_1");
  InstrOn("MOVFW", "SYS_TMP4", "; OP1 und OP2 vergleichen");
  InstrOn("SUBWF", "SYS_TMP2,W", "; F-W -> W");
  Instr("BTFSS STATUS,ZERO");
  Instr("GOTO SYSDIV16_2");
  InstrOn("MOVFW", "SYS_TMP3");
  InstrOn("SUBWF", "SYS_TMP1,W", "; F-W -> W");
  Label("SYSDIV16_2");
  Instr("BTFSS STATUS,CARRY");
  Instr("GOTO SYSDIV16_3");
  InstrOn("MOVFW", "SYS_TMP4", "; OP1-OP2");
  InstrOn("SUBWF", "SYS_TMP2,F", "; F-W -> F");
  InstrOn("MOVFW", "SYS_TMP3");
  InstrOn("SUBWF", "SYS_TMP1,F", "; F-W -> F");
  SkipThen("BTFSS STATUS,CARRY", "DECF SYS_TMP2,F");
  Instr("BSF STATUS,CARRY");
  Label("SYSDIV16_3");
  InstrOn("RLF", "SYS_TMP5,F", "; Ergebnis aktualisieren");
  InstrOn("RLF", "SYS_TMP6,F");
  InstrOn("RRF", "SYS_TMP4,F", "; OP2 nach rechts schieben");
  InstrOn("RRF", "SYS_TMP3,F");
  InstrOn("DECFSZ", "SYS_TMP7,F", "; Zähler -1");
  Instr("GOTO SYSDIV16_1");
  Instr("RETURN");
  Label("SYSDIV16_ERROR");
  Instr("MOVLW 255");
  InstrOn("MOVWF", "SYS_TMP5");
  InstrOn("MOVWF", "SYS_TMP6");
  Instr("RETURN");
}

// SYS_TMP2 holds the high byte and SYS_TMP1 the low byte of the target; interrupts are left disabled.
void ProgramWriter::WriteTableJump() {
  ForgetBank();
  WriteRoutineBox({"; Direct jump into a table"});
  Label("SYSTABJMP");
  if (props().HasInterrupts) {
    Instr("BCF INTCON,GIE");
    Instr("BTFSC INTCON,GIE");
    Instr("GOTO SYSTABJMP");
  }
  if (props().Core12) {
    InstrOn("SWAPF", "SYS_TMP2,W");
    Instr("MOVWF STATUS");
  } else {
    InstrOn("MOVFW", "SYS_TMP2");
    Instr("MOVWF PCLATH");
  }
  InstrOn("MOVFW", "SYS_TMP1");
  Instr("MOVWF PCL");
}

}  // namespace tolmek
