// Generated programs run in gpsim: arithmetic routines, the skip branch, interrupts and multi-page programs.
#include <gtest/gtest.h>

#include <sstream>

#include "components/gatter.h"
#include "components/gnd.h"
#include "support/gputils_runner.h"
#include "writer_fixture.h"

namespace tolmek {
namespace {

#define REQUIRE_GPUTILS()                                                            \
  if (!test::HaveGpasm() || !test::HaveGpsim()) GTEST_SKIP() << "gpasm/gpsim missing"

// The lines of one subroutine of a generated program: from its label to the next comment box.
std::string Routine(const std::string& text, const std::string& label) {
  std::istringstream in(text);
  std::string line, out;
  bool inside = false;
  while (std::getline(in, line)) {
    if (line == label) inside = true;
    else if (inside && line.rfind(";****", 0) == 0) break;
    if (inside) out += line + "\n";
  }
  return out;
}

// A 16F84 program that calls the generated routines on operands and stores the results from 0x20 on.
struct ArithmeticCase {
  const char* routine;
  int op1, op2;  // 16-bit for the 16-bit routines
  int expected;
};

TEST(GpsimCodegen, ArithmeticRoutinesCompute) {
  REQUIRE_GPUTILS();
  test::WriterFixture f(3);
  f.analysis.AfterDeclarations = [](Analysis& a) {
    a.NeedsMul8 = a.NeedsMul16 = a.NeedsDiv8 = a.NeedsDiv16 = true;
    for (int i = 1; i <= 7; ++i) a.RegisterVariable("SYS_TMP" + std::to_string(i));
  };
  const std::string& text = f.Generate();
  const ArithmeticCase cases[] = {
      {"SYSMUL8", 200, 7, 1400 % 256},  // the low-byte sum overflows: the carry must not enter the shift
      {"SYSMUL8", 13, 11, 143},
      {"SYSMUL16", 300, 200, 60000},
      {"SYSMUL16", 255, 257, 65535},
      {"SYSDIV8", 200, 7, 28},
      {"SYSDIV8", 5, 0, 255},
      {"SYSDIV16", 60000, 7, 8571},
      {"SYSDIV16", 1234, 0, 65535},
  };
  std::string p = "\tPROCESSOR 16F84\n\tINCLUDE P16F84.INC\n\tRADIX DEC\nZERO\tEQU Z\nCARRY\tEQU C\n";
  for (int i = 1; i <= 7; ++i) p += "SYS_TMP" + std::to_string(i) + "\tEQU " + std::to_string(0x0C + i - 1) + "\n";
  p += "\tORG 0\n";
  int slot = 0x20;
  for (const ArithmeticCase& c : cases) {
    const bool wide = std::string(c.routine).find("16") != std::string::npos;
    auto load = [&](int value, const char* reg) {
      p += "\tMOVLW " + std::to_string(value & 0xFF) + "\n\tMOVWF " + reg + "\n";
    };
    load(c.op1, "SYS_TMP1");
    if (wide) {
      load(c.op1 >> 8, "SYS_TMP2");
      load(c.op2, "SYS_TMP3");
      load(c.op2 >> 8, "SYS_TMP4");
    } else {
      load(c.op2, "SYS_TMP2");
    }
    p += std::string("\tCALL ") + c.routine + "\n";
    p += std::string("\tMOVFW ") + (wide ? "SYS_TMP5" : "SYS_TMP3") + "\n\tMOVWF " + std::to_string(slot) + "\n";
    p += std::string("\tMOVFW ") + (wide ? "SYS_TMP6" : "SYS_TMP3") + "\n\tMOVWF " + std::to_string(slot + 1) + "\n";
    slot += 2;
  }
  p += "DONE\n\tGOTO DONE\n";
  for (const char* r : {"SYSMUL8", "SYSMUL16", "SYSDIV8", "SYSDIV16"}) p += Routine(text, r);
  p += "\tEND\n";

  test::ScratchDir dir("arith");
  const test::Assembly a = test::Assemble(p, dir.path());
  ASSERT_TRUE(a.Clean()) << a.Report() << p;
  test::GpsimRun sim(a);
  std::vector<size_t> samples;
  for (int s = 0; s < 2 * static_cast<int>(std::size(cases)); ++s)
    samples.push_back(sim.Sample(20000, "reg(" + std::to_string(0x20 + s) + ")"));
  ASSERT_TRUE(sim.Run()) << sim.Output();
  for (size_t i = 0; i < std::size(cases); ++i) {
    const ArithmeticCase& c = cases[i];
    const bool wide = std::string(c.routine).find("16") != std::string::npos;
    const int64_t low = sim.Value(samples[2 * i]).value_or(-1);
    const int64_t high = sim.Value(samples[2 * i + 1]).value_or(-1);
    EXPECT_EQ(wide ? low + 256 * high : low, c.expected) << c.routine << " " << c.op1 << ", " << c.op2;
  }
}

TEST(GpsimCodegen, GuardedInstructionReachedThroughTheBranch) {
  REQUIRE_GPUTILS();
  // 16C72: PORTB in bank 0, TRISB in bank 1. TRISB bit 1 is cleared only while RB0 is low.
  test::WriterFixture f(8);
  f.analysis.RunAnalysis(true);
  ProgramWriter& w = f.writer;
  w.Out().Clear();
  w.Directive("PROCESSOR 16C72");
  w.Directive("INCLUDE P16C72.INC");
  w.Directive("ORG 0");
  w.Label("LOOP");
  w.SelectBank("TRISB");
  w.Instr("BSF TRISB,1");
  w.SkipThen("BTFSS PORTB,0", "BCF TRISB,1");
  w.SelectBank("TRISB");
  w.Instr("MOVFW TRISB");
  w.SelectBank("PORTA");
  w.Instr("MOVWF 0x20");
  w.Instr("GOTO LOOP");
  w.Directive("END");
  test::ScratchDir dir("branch");
  const test::Assembly a = test::Assemble(w.Text(), dir.path());
  ASSERT_TRUE(a.Clean()) << a.Report();
  test::GpsimRun sim(a);
  sim.Drive("portb0", {{0, 0}, {1000, 1}});
  const size_t low = sim.Sample(900, "reg(0x20)");
  const size_t high = sim.Sample(1900, "reg(0x20)");
  ASSERT_TRUE(sim.Run()) << sim.Output();
  EXPECT_EQ(sim.Value(low).value_or(-1) & 2, 0);
  EXPECT_EQ(sim.Value(high).value_or(-1) & 2, 2);
}

// A main loop that works in bank 1 most of the time and in bank 0 for a moment. RC0 starts high and is written
// by nothing: if an interrupt returned with the wrong bank, "BCF TRISC,0" would land on PORTC and pull RC0
// low for good.
void BankMarkerPlan(test::WriterFixture& f) {
  for (const char* net : {"TRISC.0", "TRISC.0", "TRISC.0", "TRISC.0", "TRISC.0", "TRISC.0", "RB.1"}) {
    auto& g = f.tp.Add<TObjGnd>(kind::Gnd);
    g.Pin().Name = net;
  }
}

TEST(GpsimCodegen, MainLoopInBank1SurvivesInterrupts) {
  REQUIRE_GPUTILS();
  struct Case {
    const char* what;
    std::function<void(Analysis&)> ask;
  };
  auto common = [](Analysis& a) {
    a.RegisterBit("RC.0", kind::OutputPin, 1);
    for (const char* n : {"SYS_WSAV", "SYS_SSAV", "SYS_PSAV", "TMR0H"}) a.RegisterVariable(n);
  };
  const Case cases[] = {
      {"timer high byte", [&](Analysis& a) {
         common(a);
         a.NeedsTimerHigh = true;
       }},
      {"PORTB change", [&](Analysis& a) {
         common(a);
         a.NeedsPortBChange = true;
         a.PulsePinMeasured[0] = true;
         for (const char* n : {"RBTMP", "RBNOW", "RBNOW_HI", "RBSTATUS", "RBCHANGED", "RB4STARTTIME", "RB4STARTTIME_HI", "RB4TIME",
                               "RB4TIME_HI"})
           a.RegisterVariable(n);
       }},
  };
  test::ScratchDir dir("bank1");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    test::WriterFixture f(8);  // 16C72
    BankMarkerPlan(f);
    f.analysis.AfterDeclarations = c.ask;
    f.Generate();
    const test::Assembly a = test::Assemble(f.writer.Text(), dir.path());
    ASSERT_TRUE(a.Clean()) << a.Report();
    const auto tmr0h = a.Symbol("TMR0H");
    ASSERT_TRUE(tmr0h.has_value());
    test::GpsimRun sim(a);
    std::vector<std::pair<uint64_t, int>> edges;
    for (uint64_t t = 0; t < 60000; t += 333) edges.push_back({t, static_cast<int>((t / 333) % 2)});
    sim.Drive("portb4", edges);
    const size_t early = sim.Sample(2000, "portc");
    const size_t late = sim.Sample(60000, "portc");
    const size_t ticks = sim.Sample(60000, "reg(" + std::to_string(*tmr0h) + ")");
    ASSERT_TRUE(sim.Run()) << sim.Output();
    EXPECT_EQ(sim.Value(early).value_or(-1) & 1, 1);
    EXPECT_EQ(sim.Value(late).value_or(-1) & 1, 1) << "an interrupt came back in the wrong bank";
    EXPECT_GT(sim.Value(ticks).value_or(0), 100) << "the timer interrupt ran (about 230 overflows)";
  }
}

// Gates spread over several program pages still compute: page bits are right for every jump.
TEST(GpsimCodegen, ProgramsSpanningPagesRun) {
  REQUIRE_GPUTILS();
  struct Case {
    int type;
    int gates;
    std::vector<std::string> inputs;
    std::string outputPort;
    int outputMask;
    uint64_t loop;  // cycles safely longer than one pass of the main loop
  };
  const Case cases[] = {
      {23, 180, {"portb0", "portb1", "portb2", "porta0", "porta1", "porta2"}, "portb", 0xC0, 9000},
      {31, 20, {"gpio0", "gpio1", "gpio2"}, "gpio", 0x30, 1500},
  };
  test::ScratchDir dir("pages");
  for (const Case& c : cases) {
    SCOPED_TRACE("type " + std::to_string(c.type));
    test::WriterFixture f(c.type);
    const bool gpio = c.type == 31;
    for (int i = 0; i < c.gates; ++i) {
      auto& g = f.tp.Add<TObjGatter>(kind::Gatter);
      g.ApplySettings(TObjGatter::And, 16);
      for (int in = 0; in < 16; ++in)
        g.Input(in).Name = gpio ? "GP." + std::to_string(in % 3) : (in % 2 ? "RA." : "RB.") + std::to_string(in % 3);
      g.Output().Name = (gpio ? "GP." : "RB.") + std::to_string(gpio ? 4 + i % 2 : 6 + i % 2);
    }
    f.Generate();
    ASSERT_GE(f.last.Passes, 2);
    const test::Assembly a = test::Assemble(f.writer.Text(), dir.path());
    ASSERT_TRUE(a.Clean()) << a.Report();
    test::GpsimRun sim(a);
    for (const std::string& pin : c.inputs)
      sim.Drive(pin, pin == c.inputs.back() ? std::vector<std::pair<uint64_t, int>>{{0, 1}, {3 * c.loop, 0}}
                                            : std::vector<std::pair<uint64_t, int>>{{0, 1}});
    const size_t allHigh = sim.Sample(3 * c.loop - 10, c.outputPort);
    const size_t oneLow = sim.Sample(6 * c.loop, c.outputPort);
    ASSERT_TRUE(sim.Run()) << sim.Output();
    EXPECT_EQ(sim.Value(allHigh).value_or(-1) & c.outputMask, c.outputMask);
    EXPECT_EQ(sim.Value(oneLow).value_or(-1) & c.outputMask, 0);
  }
}

}  // namespace
}  // namespace tolmek
