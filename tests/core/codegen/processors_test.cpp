// Tests of the processor table: sizes against the RAM map, names against the assembler's include files.
#include "codegen/processors.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/codegen/gputils_headers.h"

namespace tolmek {
namespace {

struct Defined {
  RamTable ram;
  ProcessorProps props;
  explicit Defined(int type, bool icd = false) { DefineProcessor(type, icd, ram, props); }
};

// The bank of an address: 128-byte banks on the 14-bit core, 32-byte banks selected through FSR on the 12-bit one.
int BankOf(const ProcessorProps& p, int address) { return p.Core12 ? address >> 5 : address >> 7; }

TEST(ProcessorsTest, SizesAndFlagsAgreeWithTheRegisterFileOnEveryType) {
  for (int type = 0; type < ProcessorCount; ++type) {
    SCOPED_TRACE(ProcessorName(type));
    const Defined d(type);
    const ProcessorProps& p = d.props;
    const auto bankSet = static_cast<std::uint8_t>((1u << p.BankCount) - 1);
    int gprCells = 0;
    int firstGpr = -1;
    bool banked = false;
    for (int a = 0; a < RamTable::kSize; ++a) {
      const RamCell& c = d.ram.Cell(a);
      if (c.NotRam != 0) continue;
      ++gprCells;
      if (firstGpr < 0) firstGpr = a;
      EXPECT_EQ(c.BankMask & ~bankSet, 0) << a;
      EXPECT_NE(c.BankMask & (1 << BankOf(p, a)), 0) << a;
      banked = banked || c.BankMask != bankSet;
    }
    EXPECT_EQ(gprCells, p.RamSize);
    EXPECT_EQ(firstGpr, p.FirstGpr);
    EXPECT_EQ(p.GprBanked, banked);
    EXPECT_EQ(p.PagingNeeded, p.PageCount > 1);
    EXPECT_LE(p.RomSize, p.PageCount * p.PageSize);
    EXPECT_GT(p.RomSize, (p.PageCount - 1) * p.PageSize);
    EXPECT_EQ(p.HasInterrupts, d.ram.CellExists("INTCON"));
    EXPECT_EQ(p.HasAdc, d.ram.CellExists("ADCON0"));
    EXPECT_EQ(p.HasUsart, d.ram.CellExists("TXSTA"));
    EXPECT_FALSE(p.Core12 && p.HasInterrupts);
    EXPECT_EQ(p.GpioPorts, type >= 30 && type <= 37);
    EXPECT_EQ(p.HasOscCal, type >= 30 && type <= 37);
    EXPECT_EQ(p.IcdCapable, type >= 20 && type <= 23);
    if (p.HasUsart) {
      ASSERT_EQ(p.UartTxPin.size(), 4u);
      EXPECT_TRUE(p.HasPort(p.UartTxPin[1]));
      EXPECT_TRUE(p.HasPort(p.UartRxPin[1]));
    } else {
      EXPECT_TRUE(p.UartTxPin.empty());
    }
  }
}

TEST(ProcessorsTest, TableRowsMatchTheListedParts) {
  const ProcessorProps f84 = ProcessorPropertiesOf(3);
  EXPECT_EQ(f84.Name, "16F84");
  EXPECT_EQ(f84.Include, "P16F84.INC");
  EXPECT_EQ(f84.RomSize, 1024);
  EXPECT_EQ(f84.RamSize, 68);
  EXPECT_EQ(f84.FirstGpr, 12);
  EXPECT_EQ(f84.EepromSize, 64);
  EXPECT_TRUE(f84.HasPwrte && f84.HasInterrupts && !f84.HasBoden && !f84.GprBanked);

  const ProcessorProps f877 = ProcessorPropertiesOf(23);
  EXPECT_EQ(f877.RomSize, 8192);
  EXPECT_EQ(f877.BankCount, 4);
  EXPECT_EQ(f877.PageCount, 4);
  EXPECT_EQ(f877.PageSize, 2048);
  EXPECT_EQ(f877.Ports, 0x1F);
  EXPECT_EQ(f877.UartTxPin, "RC.6");
  EXPECT_EQ(f877.UartRxPin, "RC.7");

  const ProcessorProps f628 = ProcessorPropertiesOf(19);
  EXPECT_EQ(f628.UartTxPin, "RB.2");
  EXPECT_EQ(f628.UartRxPin, "RB.1");
  EXPECT_TRUE(f628.HasMclreOption);

  const ProcessorProps c508 = ProcessorPropertiesOf(30);
  EXPECT_TRUE(c508.Core12);
  EXPECT_EQ(c508.RomSize, 511);
  EXPECT_FALSE(c508.HasPort('A'));

  EXPECT_EQ(ProcessorName(24), "16C620a");
  EXPECT_EQ(ProcessorInclude(24), "P16C620A.INC");
  EXPECT_EQ(ProcessorDisplayName(24), "PIC16C620A");
  EXPECT_EQ(ProcessorDisplayName(0), "PIC16C71");
  EXPECT_EQ(ProcessorInclude(40), "P16C5X.INC");
  EXPECT_EQ(ProcessorName(49), "16C67");
}

TEST(ProcessorsTest, C620FamilyWithoutBankOneRamNeedsBankSelection) {
  for (int type : {24, 25, 27, 28}) {
    const Defined d(type);
    EXPECT_TRUE(d.props.GprBanked) << type;
    EXPECT_EQ(d.ram.Cell(0x20).BankMask, 1);
    EXPECT_EQ(d.ram.Cell(0x70).BankMask, 3);
    EXPECT_EQ(d.ram.Cell(0xA0).NotRam, 1);
  }
}

TEST(ProcessorsTest, UnknownTypeLeavesTheResetState) {
  for (int type : {-1, ProcessorCount}) {
    const Defined d(type);
    EXPECT_EQ(d.props.Type, -1);
    EXPECT_EQ(d.props.BankCount, 1);
    EXPECT_EQ(d.props.RomSize, 0);
    EXPECT_EQ(d.ram.Cell(0x20).BankMask, 255);
    EXPECT_EQ(d.ram.Cell(0x20).NotRam, 1);
    EXPECT_TRUE(ProcessorName(type).empty());
  }
}

TEST(ProcessorsTest, RegisterMasksFollowTheBankLayout) {
  const Defined f877(23);
  EXPECT_EQ(f877.ram.CellBankMask("STATUS"), 15);
  EXPECT_EQ(f877.ram.CellBankMask("TMR0"), 5);
  EXPECT_EQ(f877.ram.CellBankMask("PORTB"), 5);
  EXPECT_EQ(f877.ram.CellBankMask("TRISB"), 10);
  EXPECT_EQ(f877.ram.CellBankMask("PORTA"), 1);
  EXPECT_EQ(f877.ram.CellBankMask("EEDATA"), 4);
  EXPECT_EQ(f877.ram.CellBankMask("EECON1"), 8);
  EXPECT_EQ(f877.ram.Cell(0x186).CellName, "TRISB");

  const Defined f84(3);
  EXPECT_EQ(f84.ram.CellBankMask("STATUS"), 3);
  EXPECT_EQ(f84.ram.CellBankMask("TMR0"), 1);
  EXPECT_EQ(f84.ram.CellBankMask("OPTION_REG"), 2);
  for (int a = 0x0C; a <= 0x4F; ++a) EXPECT_EQ(f84.ram.Cell(a).BankMask, 3) << a;

  EXPECT_EQ(Defined(31).ram.CellBankMask("GPIO"), 3);
  EXPECT_EQ(Defined(41).ram.CellBankMask("PORTC"), 15);
  EXPECT_EQ(Defined(38).ram.CellBankMask("PORTB"), 1);
  EXPECT_FALSE(Defined(42).ram.CellExists("PORTC"));
  EXPECT_EQ(Defined(0).ram.Cell(0x89).CellName, "ADRES");
}

TEST(ProcessorsTest, PreNamedAndPlaceholderCells) {
  const Defined f873(20);
  EXPECT_EQ(f873.ram.Cell(0x20).CellName, "SYS_WSAV");
  EXPECT_EQ(f873.ram.Cell(0xA0).CellName, "SYS_WSAV2");
  for (int a = 0x21; a <= 0x2C; ++a) EXPECT_EQ(f873.ram.Cell(a).CellName, "SYS_") << a;
  EXPECT_TRUE(f873.ram.Cell(0x2D).CellName.empty());

  const Defined f877(23);
  EXPECT_FALSE(f877.ram.CellExists("SYS_WSAV"));
  EXPECT_EQ(f877.ram.Cell(0x72).CellName, "");
  for (int a = 0x73; a <= 0x7F; ++a) EXPECT_EQ(f877.ram.Cell(a).CellName, "SYS_") << a;

  for (int type : {0, 3, 30, 38, 43}) {
    const Defined d(type);
    for (const RamCell& c : d.ram.Cells()) EXPECT_FALSE(c.CellName.starts_with("SYS_")) << type;
  }
}

TEST(ProcessorsTest, IcdModeReservesTheDebuggerCellsAndProgramWords) {
  const Defined plain(20);
  const Defined icd(20, true);
  EXPECT_EQ(plain.props.RomSize, 4096);
  EXPECT_EQ(icd.props.RomSize, 3808);
  EXPECT_TRUE(icd.props.IcdActive);
  for (int a : {0x70, 0xEB, 0xEE, 0xF0}) {
    EXPECT_EQ(plain.ram.Cell(a).NotRam, 0) << a;
    EXPECT_EQ(icd.ram.Cell(a).NotRam, 1) << a;
  }
  EXPECT_EQ(icd.ram.Cell(0xEA).NotRam, 0);
  EXPECT_EQ(icd.ram.Cell(0xF1).NotRam, 0);

  const Defined icd877(23, true);
  EXPECT_EQ(icd877.props.RomSize, 7936);
  for (int a : {0x70, 0x1EB, 0x1EF}) EXPECT_EQ(icd877.ram.Cell(a).NotRam, 1) << a;
  EXPECT_EQ(icd877.ram.Cell(0xEB).NotRam, 0);
  EXPECT_EQ(icd877.ram.Cell(0x1EA).NotRam, 0);

  // Parts without the debugger ignore the setting.
  const Defined f84(3, true);
  EXPECT_FALSE(f84.props.IcdActive);
  EXPECT_EQ(f84.props.RomSize, 1024);
}

TEST(ProcessorsTest, NamesAndRegistersExistInTheAssemblerIncludeFiles) {
  if (!test::HaveGputilsHeaders()) GTEST_SKIP() << "gputils headers not installed";
  for (int type = 0; type < ProcessorCount; ++type) {
    SCOPED_TRACE(ProcessorName(type));
    EXPECT_TRUE(std::filesystem::exists(test::kGputilsHeaderDir /
                                        test::Lower("p" + std::string(ProcessorName(type)) + ".inc")));
    const auto symbols = test::ReadHeaderSymbols(std::string(ProcessorInclude(type)));
    ASSERT_TRUE(symbols.has_value());
    const Defined d(type);
    std::set<std::string> checked;
    for (int a = 0; a < RamTable::kSize; ++a) {
      const RamCell& c = d.ram.Cell(a);
      if (c.NotRam == 0 || c.CellName.empty() || !checked.insert(c.CellName).second) continue;
      const auto [first, last] = symbols->equal_range(c.CellName);
      ASSERT_NE(first, last) << c.CellName;
      // The include file's address must be one of the addresses the register is entered at.
      bool addressKnown = false;
      for (auto it = first; it != last; ++it) {
        const int address = it->second;
        addressKnown = addressKnown ||
                       (address >= 0 && address < RamTable::kSize && d.ram.Cell(address).CellName == c.CellName);
      }
      EXPECT_TRUE(addressKnown) << c.CellName;
    }
  }
}

}  // namespace
}  // namespace tolmek
