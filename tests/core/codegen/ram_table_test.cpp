// Tests of RAM allocation and of the variable and bit registries.
#include "codegen/ram_table.h"

#include <gtest/gtest.h>

#include <string>

#include "codegen/processors.h"

namespace tolmek {
namespace {

struct Analysis {
  RamTable ram;
  ProcessorProps props;
  Registries reg;
  explicit Analysis(int type, bool icd = false) { DefineProcessor(type, icd, ram, props); }
  void Var(std::string_view name) { reg.RegisterVariable(name, props, ram); }
  [[nodiscard]] int At(std::string_view name) const { return ram.CellAddress(name).value_or(-1); }
};

TEST(RamTableTest, ResetStateHasNoAllocatableCell) {
  RamTable ram;
  ram.Reset();
  EXPECT_EQ(ram.Cell(0).BankMask, 255);
  EXPECT_EQ(ram.Cell(511).NotRam, 1);
  EXPECT_EQ(ram.FreeCellCount(), 0);
  EXPECT_FALSE(ram.AllocateCell("X"));
  EXPECT_FALSE(ram.CellExists("X"));
  EXPECT_EQ(ram.CellBankMask("X"), 0);
}

TEST(RamTableTest, NameRegisteredTwiceOccupiesOneCellAndIsListedOnce) {
  Analysis a(3);
  a.Var("X.3");
  a.Var("X");
  a.Var("Y");
  EXPECT_EQ(a.reg.Variables(), (std::vector<std::string>{"X", "Y"}));
  EXPECT_EQ(a.reg.RamUsed(), 2);
  EXPECT_EQ(a.At("X"), 0x0C);
  EXPECT_EQ(a.At("Y"), 0x0D);
  EXPECT_EQ(a.ram.FreeCellCount(), 66);
  EXPECT_EQ(a.ram.CellBankMask("Y"), 3);
  a.Var("");
  a.Var(".");
  EXPECT_EQ(a.reg.RamUsed(), 2);
}

TEST(RamTableTest, LongNamesAreCutTo32Characters) {
  Analysis a(3);
  const std::string longName(40, 'Q');
  a.Var(longName);
  EXPECT_EQ(a.reg.Variables().at(0), std::string(32, 'Q'));
  EXPECT_TRUE(a.ram.CellExists(longName));
  EXPECT_EQ(a.ram.Cell(0x0C).CellName.size(), 32u);
}

TEST(RamTableTest, AdcNamesSetChannelFlags) {
  Analysis a(0);
  a.Var("ADC3");
  EXPECT_TRUE(a.reg.Adc().UsesAdc);
  EXPECT_TRUE(a.reg.Adc().ChannelUsed[3]);
  EXPECT_FALSE(a.reg.Adc().Result16Bit[3]);

  a.Var("ADC5_HI");
  EXPECT_TRUE(a.reg.Adc().ChannelUsed[5]);
  EXPECT_TRUE(a.reg.Adc().Result16Bit[5]);

  for (const char* other : {"ADC8", "ADC1X", "ADC", "ADC2_LO", "XADC4"}) a.Var(other);
  for (int ch : {0, 1, 2, 4, 6, 7}) EXPECT_FALSE(a.reg.Adc().ChannelUsed[static_cast<std::size_t>(ch)]) << ch;

  a.reg.Clear();
  EXPECT_FALSE(a.reg.Adc().UsesAdc);
  EXPECT_TRUE(a.reg.Variables().empty());
}

TEST(RamTableTest, PortNamesAreNotVariables) {
  Analysis f84(3);
  for (const char* port : {"RA", "RB", "RE"}) f84.Var(port);
  f84.Var("RX");
  f84.Var("GP");
  EXPECT_EQ(f84.reg.Variables(), (std::vector<std::string>{"RX", "GP"}));

  for (int type = 30; type <= 37; ++type) {
    Analysis gpio(type);
    gpio.Var("GP.3");
    EXPECT_TRUE(gpio.reg.Variables().empty()) << type;
    EXPECT_FALSE(gpio.ram.CellExists("GP")) << type;
  }
}

TEST(RamTableTest, ContextSaveNamesAreIgnoredWithoutInterrupts) {
  Analysis c508(30);
  for (const char* name : {"SYS_WSAV", "SYS_SSAV", "SYS_PSAV"}) c508.Var(name);
  c508.Var("SYS_TMP1");
  EXPECT_EQ(c508.reg.Variables(), std::vector<std::string>{"SYS_TMP1"});
  EXPECT_EQ(c508.At("SYS_TMP1"), 0x07);

  Analysis f84(3);
  f84.Var("SYS_WSAV");
  EXPECT_TRUE(f84.reg.HasVariable("SYS_WSAV"));
  EXPECT_EQ(f84.ram.CellBankMask("SYS_WSAV"), 3);
}

TEST(RamTableTest, SysNamesGoToPlaceholdersAndOthersToTheFirstFreeCell) {
  Analysis f873(20);
  f873.Var("A");
  f873.Var("SYS_TMP1");
  f873.Var("SYS_WSAV");
  EXPECT_EQ(f873.At("A"), 0x2D);
  EXPECT_EQ(f873.At("SYS_WSAV"), 0x20);
  // 0x21 and 0x22 are held for the status and PCLATH save cells.
  EXPECT_EQ(f873.At("SYS_TMP1"), 0x23);
  EXPECT_EQ(f873.ram.CellBankMask("SYS_TMP1"), 5);

  Analysis f877(23);
  f877.Var("SYS_WSAV");
  EXPECT_EQ(f877.At("SYS_WSAV"), 0x73);
  EXPECT_EQ(f877.ram.CellBankMask("SYS_WSAV"), 15);
}

TEST(RamTableTest, SysNamesFallBackToFreeCellsWhenPlaceholdersRunOut) {
  Analysis f628(19);  // placeholders 0x70..0x7B, three held for the context cells
  for (int i = 1; i <= 10; ++i) f628.Var("SYS_T" + std::to_string(i));
  EXPECT_EQ(f628.At("SYS_T1"), 0x73);
  EXPECT_EQ(f628.At("SYS_T9"), 0x7B);
  EXPECT_EQ(f628.At("SYS_T10"), 0x20);
}

// Whatever was registered before them, the interrupt save cells end up where the entry code can reach them.
TEST(RamTableTest, ContextSaveCellsAreFixedOnEveryPartWithInterrupts) {
  for (int type = 0; type < ProcessorCount; ++type) {
    Analysis a(type);
    if (!a.props.HasInterrupts) continue;
    SCOPED_TRACE(ProcessorName(type));
    for (int i = 0; i < 8; ++i) a.Var("SYS_TMP" + std::to_string(i));
    for (int i = 0; i < 8; ++i) a.Var("V" + std::to_string(i));
    for (const char* name : {"SYS_PSAV", "SYS_SSAV", "SYS_WSAV"}) a.Var(name);
    const auto allBanks = static_cast<std::uint8_t>((1u << a.props.BankCount) - 1);
    const int wsav = a.At("SYS_WSAV");
    ASSERT_GE(wsav, 0);
    ASSERT_GE(a.At("SYS_SSAV"), 0);
    ASSERT_GE(a.At("SYS_PSAV"), 0);
    if (a.ram.CellExists("SYS_WSAV2")) {
      // No RAM is common to all banks: W goes to the same offset in bank 0 or bank 1.
      EXPECT_EQ(a.At("SYS_WSAV2") - wsav, 0x80);
      EXPECT_NE(a.ram.CellBankMask("SYS_SSAV") & 1, 0);
      EXPECT_NE(a.ram.CellBankMask("SYS_PSAV") & 1, 0);
    } else {
      EXPECT_EQ(a.ram.CellBankMask("SYS_WSAV"), allBanks);
      EXPECT_EQ(a.ram.CellBankMask("SYS_SSAV"), allBanks);
      EXPECT_EQ(a.ram.CellBankMask("SYS_PSAV"), allBanks);
    }
  }
}

TEST(RamTableTest, ExhaustedRamLeavesNamesWithoutCells) {
  Analysis a(3);
  for (int i = 0; i < 70; ++i) a.Var("V" + std::to_string(i));
  EXPECT_EQ(a.reg.RamUsed(), 70);
  EXPECT_EQ(a.ram.FreeCellCount(), 0);
  EXPECT_EQ(a.At("V67"), 0x4F);
  EXPECT_FALSE(a.ram.CellExists("V68"));
  EXPECT_FALSE(a.ram.CellExists("V69"));
  EXPECT_EQ(a.ram.CellBankMask("V69"), 0);
  EXPECT_FALSE(a.ram.AllocateCell("MORE"));
}

TEST(RamTableTest, BlocksTakeConsecutiveFreeCells) {
  Analysis a(3);
  a.Var("X");
  EXPECT_TRUE(a.ram.AllocateBlock("TAB", 3));
  EXPECT_EQ(a.At("TAB"), 0x0D);
  EXPECT_EQ(a.At("TAB1"), 0x0E);
  EXPECT_EQ(a.At("TAB2"), 0x0F);
  EXPECT_FALSE(a.ram.AllocateBlock("TAB", 1));
  EXPECT_FALSE(a.ram.AllocateBlock("BIG", 65));
  EXPECT_TRUE(a.ram.AllocateBlock("ALL", 64));
  EXPECT_FALSE(a.ram.AllocateBlock("NONE", 0));

  // A run does not continue across the registers at the start of bank 1.
  Analysis c73(10);
  c73.Var("Y");  // 0x2B, after the placeholders
  EXPECT_TRUE(c73.ram.AllocateBlock("B", 90));
  EXPECT_EQ(c73.At("B"), 0xA1);  // 0xA0 is SYS_WSAV2
}

TEST(RamTableTest, BitsAreKeptOncePerNameAndBitInOrder) {
  Registries reg;
  reg.RegisterBit("X.3", 0, 1);
  reg.RegisterBit("RB.0", 2, 0);
  reg.RegisterBit("X.3", 2, 0);
  reg.RegisterBit("X.5", 0, 1);
  reg.RegisterBit("FLAG", 0, 1);
  reg.RegisterBit("X.8", 0, 1);
  reg.RegisterBit("A.B.7", 0, 1);
  reg.RegisterBit(".", 0, 1);
  ASSERT_EQ(reg.Bits().size(), 6u);
  EXPECT_EQ(reg.Bits()[0].ByteName, "X");
  EXPECT_EQ(reg.Bits()[0].Bit, 3);
  EXPECT_EQ(reg.Bits()[0].Initial, 1);
  EXPECT_EQ(reg.Bits()[1].ByteName, "RB");
  EXPECT_EQ(reg.Bits()[1].Kind, 2);
  EXPECT_EQ(reg.Bits()[2].Bit, 5);
  EXPECT_EQ(reg.Bits()[3].ByteName, "FLAG");
  EXPECT_EQ(reg.Bits()[3].Bit, 8);
  EXPECT_EQ(reg.Bits()[4].Bit, 8);
  EXPECT_EQ(reg.Bits()[5].ByteName, "A.B");
  EXPECT_EQ(reg.Bits()[5].Bit, 7);
}

}  // namespace
}  // namespace tolmek
