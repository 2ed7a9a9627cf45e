// The generated code of the multiplexer: SELECT compared with 0, 1, ... and one transfer per channel.
#include <string>

#include "components/mux.h"
#include "components/value_support.h"

namespace tolmek {

void TObjMux::GenerateMainCode(ProgramWriter& w) {
  BlockCode c(w, *this);
  c.Header("; Multiplexer -> " + Name);
  if (ReportUnnamed(w, *this, *select_, Msg::UnknownSelectVariable) || ReportNumberAsRegister(w, *this, *select_, Msg::UnknownSelectVariable)) return;
  const bool wide = Is16Bit();
  for (int i = 0; i < InputCount; ++i) {
    const TObjAnschluss& src = OneToN() ? *single_ : *channels_[size_t(i)];
    if (ReportUnnamed(w, *this, src, Msg::UnknownInputVariable)) return;
    ReportConstantTooWide(w, *this, src.Name, wide);
    if (OneToN()) break;
  }
  const std::string sel = BlockCode::ByteOperand(*select_);

  c.OpOn("CLRF", "SYS_TMP1");
  const BankState counted = w.Bank();
  for (int i = 1; i <= InputCount; ++i) {
    const std::string next = "_CHECKCONTROL" + std::to_string(i);
    w.RestoreBank(counted);
    if (i > 1) c.OpOn("INCF", "SYS_TMP1,F");
    c.OpOn("MOVFW", sel);
    if (i > 1) c.OpOn("SUBWF", "SYS_TMP1,W");
    c.Op("BTFSS STATUS,ZERO");
    c.Goto(next);
    const BankState atJump = w.Bank();
    c.Blank();

    // Channel i - 1 is taken.
    const TObjAnschluss& src = OneToN() ? *single_ : *channels_[size_t(i - 1)];
    const TObjAnschluss& dst = OneToN() ? *channels_[size_t(i - 1)] : *single_;
    const std::string to = BlockCode::ByteOperand(dst);
    if (!to.empty() && !DecimalConstant(to)) {
      LoadLow(c, src, wide);
      c.OpOn("MOVWF", to);
      if (wide) {
        LoadHigh(c, src);
        c.OpOn("MOVWF", to + "_HI");
      }
    }
    c.Goto("_END");
    c.Blank();
    // Only the jump above leads here, in the bank it was taken in.
    c.JumpTarget(next);
    w.RestoreBank(atJump);
  }
  w.ForgetBank();
  c.Blank();
  c.JumpTarget("_END");
  c.Blank();
}

}  // namespace tolmek
