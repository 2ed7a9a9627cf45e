// The interrupt routines: context saved before any selection, every source cleared, and each variant assembles.
#include <gtest/gtest.h>

#include <algorithm>

#include "support/gputils_runner.h"
#include "writer_fixture.h"

namespace tolmek {
namespace {

using test::Code;
using Strings = std::vector<std::string>;

enum Variant { Timer, TimerHigh, PortB, PortBAndTimer, Uart };

// Names the routines use, announced the way the timer and pulse-input blocks announce them.
void Ask(Analysis& a, Variant v) {
  for (const char* n : {"SYS_WSAV", "SYS_SSAV", "SYS_PSAV"}) a.RegisterVariable(n);
  switch (v) {
    case Timer: a.NeedsTimerInterrupt = true; break;
    case TimerHigh: a.NeedsTimerHigh = true; break;
    case Uart: a.NeedsUartInterrupt = true; break;
    case PortBAndTimer: a.NeedsTimerInterrupt = true; [[fallthrough]];
    case PortB:
      a.NeedsPortBChange = true;
      a.PulsePinMeasured[0] = true;
      a.PulsePinMeasured[3] = true;
      a.PulsePinInverted[3] = true;
      for (const char* n : {"RBTMP", "RBNOW", "RBNOW_HI", "RBSTATUS", "RBCHANGED", "RB4STARTTIME", "RB4STARTTIME_HI", "RB4TIME",
                            "RB4TIME_HI", "RB7STARTTIME", "RB7STARTTIME_HI", "RB7TIME", "RB7TIME_HI"})
        a.RegisterVariable(n);
      break;
  }
  if (v != Timer && v != Uart) a.RegisterVariable("TMR0H");
}

Strings Routine(test::WriterFixture& f, Variant v) {
  f.analysis.AfterDeclarations = [v](Analysis& a) { Ask(a, v); };
  const Strings code = Code(f.Generate());
  const auto from = std::find(code.begin(), code.end(), "ORG 0");
  const auto to = std::find(code.begin(), code.end(), "SYS_INIT");
  return Strings(from, to);
}

size_t Find(const Strings& code, const std::string& line) {
  return static_cast<size_t>(std::find(code.begin(), code.end(), line) - code.begin());
}

TEST(Interrupts, ContextIsSavedBeforeAnySelection) {
  for (int type : {8, 23, 3}) {  // 16C72 (two banks), 16F877 (paged), 16F84
    for (Variant v : {Timer, TimerHigh, PortB, PortBAndTimer, Uart}) {
      test::WriterFixture f(type);
      const Strings r = Routine(f, v);
      SCOPED_TRACE("type " + std::to_string(type) + " variant " + std::to_string(v));
      // The routine starts at the vector, address 4 (the reset code has 2 or 4 words, NOPs fill up).
      const size_t entry = Find(r, "MOVWF SYS_WSAV");
      ASSERT_LT(entry, r.size());
      EXPECT_EQ(r[entry + 1], "SWAPF STATUS,W");
      EXPECT_EQ(r[entry + 2], "CLRF STATUS");
      EXPECT_EQ(r[entry + 3], "MOVWF SYS_SSAV");
      if (f.analysis.Props().PagingNeeded)
        EXPECT_EQ(Strings(r.begin() + static_cast<long>(entry) + 4, r.begin() + static_cast<long>(entry) + 7),
                  (Strings{"MOVFW PCLATH", "MOVWF SYS_PSAV", "CLRF PCLATH"}));
      for (size_t i = 0; i < entry; ++i) {
        EXPECT_EQ(r[i].find("RP0"), std::string::npos) << r[i];
        EXPECT_EQ(r[i].find("TMR0H"), std::string::npos) << r[i];
      }
      EXPECT_EQ(r.back() == "RETFIE" || std::count(r.begin(), r.end(), "RETFIE") == 1, true);
    }
  }
}

TEST(Interrupts, TimerHighIsCountedOnlyOnTheTimerFlag) {
  test::WriterFixture f(23);
  const Strings r = Routine(f, PortBAndTimer);
  const size_t count = Find(r, "INCF TMR0H,F");
  ASSERT_LT(count, r.size());
  // Before the count: the flag test and its clearing, then only the bank selection for TMR0H.
  const size_t test = Find(r, "BTFSS INTCON,T0IF");
  ASSERT_LT(test, count);
  EXPECT_EQ(Strings(r.begin() + static_cast<long>(test), r.begin() + static_cast<long>(test) + 5),
            (Strings{"BTFSS INTCON,T0IF", "GOTO EXITINT2", "BCF INTCON,T0IF", "BCF STATUS,RP0", "BCF STATUS,RP1"}));
  EXPECT_EQ(test + 5, count);

  test::WriterFixture high(8);
  const Strings h = Routine(high, TimerHigh);
  const size_t at = Find(h, "INCF TMR0H,F");
  ASSERT_LT(at, h.size());
  EXPECT_LT(Find(h, "BCF INTCON,T0IF"), at);
  // The timer-high variant enables the timer interrupt it counts.
  const Strings code = Code(high.writer.Text());
  EXPECT_NE(std::find(code.begin(), code.end(), "MOVLW B'00100000'"), code.end());
  EXPECT_NE(std::find(code.begin(), code.end(), "BSF INTCON,GIE"), code.end());
}

TEST(Interrupts, TimerExitRestoresStatusFromItsOwnBank) {
  test::WriterFixture f(8);  // SYS_SSAV lies in bank 0 only
  const Strings r = Routine(f, Timer);
  const size_t swap = Find(r, "SWAPF SYS_SSAV,W");
  ASSERT_LT(swap, r.size());
  EXPECT_EQ(r[swap - 1], "BCF STATUS,RP0");
  EXPECT_EQ(r[swap - 2], "EXITINT");
}

TEST(Interrupts, TimerBodyCountsOnlyForTheTimerFlag) {
  test::WriterFixture f(3);
  const Strings r = Routine(f, Uart);
  const size_t clear = Find(r, "BCF INTCON,T0IF");
  ASSERT_LT(clear, r.size());
  EXPECT_EQ(r[clear - 2], "BTFSS INTCON,T0IF");
  EXPECT_EQ(r[clear - 1], "GOTO EXITINT");
}

TEST(Interrupts, PortBChangeBodyTestsEveryMeasuredPin) {
  test::WriterFixture f(8);
  const Strings r = Routine(f, PortB);
  for (const char* l : {"TESTRB4", "TESTRB7", "CHECKRB4", "CHECKRB7START", "BTFSC RBSTATUS,4", "BTFSS RBSTATUS,7",
                        "GOTO TESTRB7", "EXITINT", "EXITINT2", "BCF INTCON,RBIF"})
    EXPECT_LT(Find(r, l), r.size()) << l;
  EXPECT_EQ(Find(r, "TESTRB5"), r.size());
}

TEST(Interrupts, EveryVariantAssemblesCleanly) {
  if (!test::HaveGpasm()) GTEST_SKIP() << "gpasm not installed";
  test::ScratchDir dir("interrupts");
  for (int type : {8, 10, 23, 3, 20, 31, 41}) {
    for (Variant v : {Timer, TimerHigh, PortB, PortBAndTimer, Uart}) {
      test::WriterFixture f(type);
      f.analysis.AfterDeclarations = [v](Analysis& a) {
        Ask(a, v);
        a.RegisterVariable("SYS_OLDTMR0");
      };
      if (f.analysis.Props().Core12 && (v == PortB || v == PortBAndTimer || v == Uart)) continue;
      f.Generate();
      SCOPED_TRACE("type " + std::to_string(type) + " variant " + std::to_string(v));
      const test::Assembly a = test::Assemble(f.writer.Text(), dir.path());
      EXPECT_TRUE(a.Clean()) << a.Report();
      EXPECT_EQ(a.wordsUsed, f.last.RomUsed);
      if (!f.analysis.Props().Core12) EXPECT_EQ(a.Symbol("EXITINT").has_value(), true);
    }
  }
}

}  // namespace
}  // namespace tolmek
