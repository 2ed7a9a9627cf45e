// The generated code of the table call: the entry's address into SYS_TMP2:SYS_TMP1, then the table jump.
#include <string>

#include "codegen/analysis.h"
#include "components/call.h"
#include "components/value_support.h"

namespace tolmek {

void TObjCall::GenerateMainCode(ProgramWriter& w) {
  BlockCode c(w, *this);
  c.Header("; Call subroutine " + Name);
  if (ReportUnnamed(w, *this, *in_, Msg::UnknownInputVariable) || ReportNumberAsRegister(w, *this, *in_, Msg::UnknownInputVariable) ||
      ReportUnnamed(w, *this, *out_, Msg::UnknownOutputVariable))
    return;
  const std::string in = BlockCode::ByteOperand(*in_);
  const std::string out = BlockCode::ByteOperand(*out_);
  const ProcessorProps& p = w.Props();
  c.Blank();
  c.Op("MOVLW LOW " + Name);
  c.OpOn("MOVWF", "SYS_TMP1");
  c.Op("MOVLW HIGH " + Name);
  c.OpOn("MOVWF", "SYS_TMP2");
  c.Blank();
  if (Is16Bit()) {
    c.Op("BCF STATUS,CARRY");
    c.OpOn("RLF", in + ",W");  // two RETLW lines per entry
  } else {
    c.OpOn("MOVFW", in);
  }
  c.OpOn("ADDWF", "SYS_TMP1,F");
  c.SkipOver("BTFSC STATUS,CARRY", "INCF", "SYS_TMP2,F");
  c.Blank();
  auto jump = [&](const std::string& target) {
    w.SelectPage(0, "SYSTABJMP");
    c.Op("CALL SYSTABJMP");
    c.Blank();
    w.ForgetBank();
    // SYSTABJMP left the page bits (PCLATH, or the 12-bit core's STATUS bits) on the table's page.
    w.ForgetPage();
    c.OpOn("MOVWF", target);
    c.Blank();
  };
  jump(out);
  if (Is16Bit()) {
    c.OpOn("INCF", "SYS_TMP1,F");
    c.SkipOver("BTFSC STATUS,ZERO", "INCF", "SYS_TMP2,F");
    c.Blank();
    jump(out + "_HI");
  }
  if (p.HasInterrupts) c.Op("BSF INTCON,GIE");  // SYSTABJMP leaves them disabled
  // The code that follows jumps within this page: select it again.
  if (p.PagingNeeded) w.SelectPage(w.RomCounter());
}

}  // namespace tolmek
