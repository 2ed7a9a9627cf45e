// The frame of the generated program: sections, settings that change it, port image and its messages.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "components/gatter.h"
#include "components/gnd.h"
#include "support/gputils_runner.h"
#include "writer_fixture.h"

namespace tolmek {
namespace {

using test::Code;
using test::Lines;
using Strings = std::vector<std::string>;

bool Has(const Strings& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

size_t IndexOf(const Strings& lines, const std::string& line) {
  return static_cast<size_t>(std::find(lines.begin(), lines.end(), line) - lines.begin());
}

TObjGnd& Supply(test::WriterFixture& f, uint8_t mode, const std::string& net) {
  auto& g = f.tp.Add<TObjGnd>(kind::Gnd);
  g.SetSupply(mode, true);
  g.Pin().Name = net;
  return g;
}

TEST(Frame, AnEmptyPlanGivesACompleteProgram) {
  test::WriterFixture f(3);
  const Strings lines = Lines(f.Generate());
  for (const char* l : {" PROCESSOR 16F84", " INCLUDE P16F84.INC", " RADIX DEC", " __IDLOCS H'0100'",
                        " __CONFIG _CP_OFF & _PWRTE_ON & _WDT_OFF & _XT_OSC", "ZERO EQU Z ; ZERO-Flag",
                        "CARRY  EQU C ; CARRY-Flag", " ERRORLEVEL -302 ; disable warning (Bankswitching)",
                        " ORG 0", "; Subroutines", "SYS_INIT", "MAIN", " GOTO MAIN", " END"})
    EXPECT_TRUE(Has(lines, l)) << l;
  const Strings code = Code(f.writer.Text());
  // Reset code, then padding up to the interrupt vector, where a single RETURN stands.
  const Strings start(code.begin() + static_cast<long>(IndexOf(code, "ORG 0")), code.end());
  ASSERT_GE(start.size(), 6u);
  EXPECT_EQ(Strings(start.begin() + 1, start.begin() + 6),
            (Strings{"CLRF STATUS", "GOTO SYS_INIT", "NOP", "NOP", "RETURN"}));
  EXPECT_EQ(f.last.Passes, 1);
  EXPECT_FALSE(f.last.OutOfRom);
}

TEST(Frame, HeaderAndIdentificationCarryTheProjectVersion) {
  test::WriterFixture f(3);
  f.project().Info.MajorVersion = 10;
  f.project().Info.MinorVersion = 255;
  f.project().Info.BuildNumber = 7;
  const Strings lines = Lines(f.Generate());
  EXPECT_TRUE(Has(lines, " __IDLOCS H'0AFF'"));
  EXPECT_TRUE(Has(lines, "; Project Version : 10.255.7"));
  EXPECT_EQ(lines[0], "; Source created with Tolmek Version 3.x");
}

TEST(Frame, WordCountIsTheNumberOfInstructionLines) {
  test::WriterFixture f(23);
  Supply(f, TObjGnd::kVcc, "RB.1");
  Supply(f, TObjGnd::kGnd, "TRISB.2");
  const std::string& text = f.Generate();
  int instructions = 0;
  for (const std::string& line : Lines(text)) {
    if (line.empty() || line[0] != ' ') continue;
    const std::string m = line.substr(1, line.find(' ', 1) - 1);
    static const Strings directives = {"PROCESSOR", "INCLUDE", "RADIX", "__IDLOCS", "__CONFIG", "ERRORLEVEL",
                                       "ORG", "DE", "END", "ERROR"};
    if (!Has(directives, m)) ++instructions;
  }
  EXPECT_EQ(instructions, f.last.RomUsed);
  EXPECT_EQ(f.analysis.RomUsed, f.last.RomUsed);
}

TEST(Frame, SettingsChangeTheInitialisation) {
  test::WriterFixture f(3);
  f.project().Mcu.Watchdog = true;
  f.project().Mcu.PullUps = false;
  const Strings code = Code(f.Generate());
  EXPECT_EQ(code[IndexOf(code, "MAIN") + 1], "CLRWDT");
  EXPECT_TRUE(Has(code, "MOVLW 143"));

  test::WriterFixture c12(38);  // 16C54C
  c12.project().Mcu.PullUps = false;
  const Strings code12 = Code(c12.Generate());
  EXPECT_TRUE(Has(code12, "MOVLW 79"));
  EXPECT_TRUE(Has(code12, "OPTION"));
  EXPECT_TRUE(Has(Lines(c12.writer.Text()), "#DEFINE RETURN RETLW 0"));
  EXPECT_EQ(code12[code12.size() - 2], "GOTO 0") << "reset vector at the top of program memory";

  test::WriterFixture icd(23);
  icd.project().Mcu.IcdMode = true;
  const Strings codeIcd = Code(icd.Generate());
  EXPECT_EQ(codeIcd[IndexOf(codeIcd, "ORG 0") + 1], "NOP");
}

TEST(Frame, CalibrationWordsAtTheTopOfProgramMemory) {
  test::WriterFixture gpio(30);  // 12C508A
  gpio.project().Mcu.CalibrationValue = 0x5C;
  const Strings lines = Lines(gpio.Generate());
  const size_t top = IndexOf(lines, " ORG 511");
  ASSERT_LT(top, lines.size());
  EXPECT_EQ(lines[top + 2], " MOVLW H'5C' ; OSCCAL");
  const Strings code = Code(gpio.writer.Text());
  EXPECT_EQ(Strings(code.begin() + static_cast<long>(IndexOf(code, "ORG 0")) + 1,
                    code.begin() + static_cast<long>(IndexOf(code, "ORG 0")) + 3),
            (Strings{"CLRF FSR", "MOVWF OSCCAL"}));

  test::WriterFixture c67x(35);  // 12C672
  c67x.project().Mcu.CalibrationValue = 0x80;
  const Strings code67 = Code(c67x.Generate());
  EXPECT_EQ(code67[code67.size() - 2], "RETLW H'80'");
  const size_t init = IndexOf(code67, "SYS_INIT");
  EXPECT_EQ(Strings(code67.begin() + static_cast<long>(init) + 1, code67.begin() + static_cast<long>(init) + 4),
            (Strings{"BSF STATUS,RP0", "CALL 2047", "MOVWF OSCCAL"}));
}

TEST(Frame, PortImageFollowsTheOutputPins) {
  test::WriterFixture f(3);
  Supply(f, TObjGnd::kVcc, "RA.1");
  Supply(f, TObjGnd::kGnd, "RB.7");
  const Strings code = Code(f.Generate());
  const size_t values = IndexOf(code, "MOVWF PORTA");
  ASSERT_LT(values, code.size());
  EXPECT_EQ(code[values - 1], "MOVLW B'00000010'");
  EXPECT_EQ(code[IndexOf(code, "MOVWF TRISA") - 1], "MOVLW B'11111101'");
  EXPECT_EQ(code[IndexOf(code, "MOVWF TRISB") - 1], "MOVLW B'01111111'");
  // The main loop holds the nets at their levels.
  EXPECT_TRUE(Has(code, "BSF PORTA,1"));
  EXPECT_TRUE(Has(code, "BCF PORTB,7"));
}

TEST(Frame, GpioMessagesAndMissingConverter) {
  test::WriterFixture f(30);  // 12C508A: no EEPROM, GP3 is input only
  Supply(f, TObjGnd::kGnd, "GP.3");
  Supply(f, TObjGnd::kGnd, "GP.6");
  f.analysis.AfterDeclarations = [](Analysis& a) { a.RegisterVariable("ADC2"); };
  const Strings code = Code(f.Generate());
  EXPECT_EQ(f.tp.sink.Numbers(), (std::vector<int>{36, 37, 38}));
  EXPECT_TRUE(Has(code, "BCF GPIO,3"));
  EXPECT_TRUE(Has(code, "CALL READ_AN2")) << "the call stays; the assembler reports the missing routine";

  test::WriterFixture withEeprom(32);  // 12CE518: GP6 and GP7 exist
  Supply(withEeprom, TObjGnd::kGnd, "GP.6");
  withEeprom.Generate();
  EXPECT_TRUE(withEeprom.tp.sink.Numbers().empty());
}

TEST(Frame, BitInitialValuesAndEquates) {
  test::WriterFixture f(10);  // 16C73: banked RAM
  Supply(f, TObjGnd::kVcc, "FLAGS.2");
  Supply(f, TObjGnd::kVcc, "FLAGS.5");
  Supply(f, TObjGnd::kGnd, "FLAGS.0");
  const Strings lines = Lines(f.Generate());
  const Strings code = Code(f.writer.Text());
  const size_t load = IndexOf(code, "MOVLW B'00100100'");
  ASSERT_LT(load, code.size());
  EXPECT_EQ(code[load + 1], "BCF STATUS,RP0");
  EXPECT_EQ(code[load + 2], "MOVWF FLAGS");
  EXPECT_TRUE(Has(lines, "FLAGS = 43 ; located in Bank 0")) << "after SYS_WSAV and the ten SYS_ cells";
  EXPECT_TRUE(Has(lines, "SYS_WSAV2 = 160 ; located in Bank 1"));
}

TEST(Frame, EepromDataLines) {
  test::WriterFixture f(3);
  f.analysis.AfterDeclarations = [](Analysis& a) { a.NeedsEepromData = true; };
  const Strings lines = Lines(f.Generate());
  const size_t org = IndexOf(lines, " ORG H'2100'");
  ASSERT_LT(org, lines.size());
  EXPECT_EQ(std::count(lines.begin(), lines.end(), " DE 0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0"), 4);
}

TEST(Frame, RamClearOfTheFourBankPartsReachesEveryBank) {
  // 16C76: banks 2 and 3 start at 0x110 and 0x190.
  test::WriterFixture f(16);
  const Strings code = Code(f.Generate());
  const Strings clear = test::Between(code, "BCF STATUS,IRP", "MAIN");
  EXPECT_TRUE(Has(clear, "MOVLW 16"));
  EXPECT_TRUE(Has(clear, "MOVLW 144"));
  test::WriterFixture icd(22);
  icd.project().Mcu.IcdMode = true;
  const Strings icdClear = Code(icd.Generate());
  EXPECT_TRUE(Has(icdClear, "MOVLW H'EB'")) << "the debugger's cells stay untouched";
}

TEST(Frame, PolledTimerIsCalledAfterEveryBlockThatWritesCode) {
  test::WriterFixture f(38);  // 16C54C: 12-bit, no interrupt
  f.analysis.AfterDeclarations = [](Analysis& a) {
    a.NeedsTimerInterrupt = true;
    a.RegisterVariable("SYS_OLDTMR0");
  };
  auto& gate = f.tp.Add<TObjGatter>(kind::Gatter);
  gate.Input(0).Name = "RB.0";
  gate.Input(1).Name = "RB.1";
  gate.Output().Name = "RB.2";
  Supply(f, TObjGnd::kVcc, "RB.3");
  const Strings code = Code(f.Generate());
  EXPECT_EQ(std::count(code.begin(), code.end(), "CALL SYS_INTERRUPT"), 1) << "after the gate, not after VCC";
  EXPECT_TRUE(Has(code, "SYS_INTERRUPT"));
  EXPECT_TRUE(Has(code, "CLRF TMR0"));
}

}  // namespace
}  // namespace tolmek

namespace tolmek {
namespace {

TEST(Preview, BlankSeparatorsTheTemporaryFileAndNoOperandComplaints) {
  test::WriterFixture f(3);
  auto& g = f.tp.Add<TObjGnd>(kind::Gnd);
  g.Pin().Name = "NOBIT";
  test::ScratchDir dir("preview");
  const GenerationResult r = f.writer.GeneratePreview(dir.path().string());
  EXPECT_TRUE(r.FileWritten);
  EXPECT_TRUE(f.tp.sink.Numbers().empty());
  EXPECT_NE(f.writer.Text().find(std::string(15, ' ') + "BCF ??????????" + std::string(15, ' ') + "; immer Low"),
            std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "TMN1992_.ASM"));
  EXPECT_EQ(f.writer.Separator(), "\t") << "the separator is restored";
  EXPECT_EQ(f.project().GeneratingFile, "");

  f.Generate();
  EXPECT_EQ(f.tp.sink.Numbers(), std::vector<int>{1}) << "a real generation names the pin without a bit";
}

TEST(Analysis, DoesNothingWhileTheSimulationRuns) {
  test::WriterFixture f(3);
  f.analysis.AfterDeclarations = [](Analysis& a) { a.RegisterVariable("X"); };
  f.analysis.RunAnalysis(true);
  const uint32_t generation = f.analysis.Generation();
  f.project().SimActive = true;
  f.analysis.AfterDeclarations = [](Analysis& a) { a.RegisterVariable("Y"); };
  f.analysis.RunAnalysis(true);
  EXPECT_EQ(f.analysis.Generation(), generation);
  EXPECT_EQ(f.analysis.VariableNames(), (std::vector<std::string>{"X"}));
  EXPECT_EQ(f.analysis.RamUsed(), 1);
  EXPECT_TRUE(f.analysis.CellExists("RAM"));
}

}  // namespace
}  // namespace tolmek

namespace tolmek {
namespace {

TEST(Messages, EachComplaintOnceEvenOverSeveralPasses) {
  test::WriterFixture f(23);
  for (int i = 0; i < 180; ++i) {
    auto& g = f.tp.Add<TObjGatter>(kind::Gatter);
    g.ApplySettings(TObjGatter::And, 16);
    for (int in = 0; in < 16; ++in) g.Input(in).Name = "RB." + std::to_string(in % 6);
    g.Output().Name = i == 0 ? "NOBIT" : "RB.7";
  }
  f.Generate();
  EXPECT_GE(f.last.Passes, 3);
  EXPECT_EQ(f.tp.sink.Numbers(), std::vector<int>{1});
}

}  // namespace
}  // namespace tolmek
