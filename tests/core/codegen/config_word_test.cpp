// Tests of the configuration expression and of the oscillators each part offers.
#include "codegen/config_word.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include <unistd.h>

#include "core/codegen/gputils_headers.h"
#include "codegen/processors.h"

namespace tolmek {
namespace {

ConfigChoices WithOscillator(int oscillator) {
  ConfigChoices c;
  c.Oscillator = oscillator;
  return c;
}

// Every distinct expression a part can get from the choices it offers.
std::set<std::string> AllExpressions(int type) {
  std::set<std::string> out;
  for (int osc = 0; osc < kOscillatorCount; ++osc) {
    if (!OscillatorOffered(type, osc)) continue;
    for (int bits = 0; bits < 64; ++bits) {
      ConfigChoices c;
      c.Oscillator = osc;
      c.Watchdog = (bits & 1) != 0;
      c.PowerUpTimer = (bits & 2) != 0;
      c.BrownOut = (bits & 4) != 0;
      c.CodeProtect = (bits & 8) != 0;
      c.Mclre = (bits & 16) != 0 ? 1 : 0;
      out.insert(ConfigExpression(type, c));
    }
  }
  return out;
}

std::vector<std::string> Terms(const std::string& expression) {
  std::vector<std::string> terms;
  std::size_t start = 0;
  for (;;) {
    const std::size_t pos = expression.find(" & ", start);
    terms.push_back(expression.substr(start, pos - start));
    if (pos == std::string::npos) return terms;
    start = pos + 3;
  }
}

TEST(ConfigWordTest, DefaultsOfA16F84) {
  EXPECT_EQ(ConfigExpression(3, ConfigChoices{}), "_CP_OFF & _PWRTE_ON & _WDT_OFF & _XT_OSC");
}

TEST(ConfigWordTest, TermsFollowTheFixedOrder) {
  ConfigChoices c;
  c.CodeProtect = true;
  c.PowerUpTimer = false;
  c.Watchdog = true;
  c.BrownOut = true;
  c.Oscillator = kOscHs;
  c.Mclre = 1;
  EXPECT_EQ(ConfigExpression(3, c), "_CP_ON & _PWRTE_OFF & _WDT_ON & _HS_OSC");
  EXPECT_EQ(ConfigExpression(23, c),
            "_CP_ALL & _PWRTE_OFF & _WDT_ON & _BODEN_ON & _HS_OSC & _LVP_OFF & _CPD_OFF & _DEBUG_OFF");
  EXPECT_EQ(ConfigExpression(19, c), "_CP_ALL & _PWRTE_OFF & _WDT_ON & _BODEN_ON & _HS_OSC & _LVP_OFF & _MCLRE_OFF");
  EXPECT_EQ(ConfigExpression(6, c), "_CP_ALL & _PWRTE_OFF & _WDT_ON & _BODEN_ON & _HS_OSC & _MPEEN_OFF");
  EXPECT_EQ(ConfigExpression(35, c), "_CP_ALL & _PWRTE_OFF & _WDT_ON & _HS_OSC & _MCLRE_OFF");
  c.Oscillator = kOscXt;
  EXPECT_EQ(ConfigExpression(30, c), "_CP_ON & _WDT_ON & _XT_OSC & _MCLRE_OFF");
  EXPECT_EQ(ConfigExpression(41, c), "_CP_ON & _WDT_ON & _XT_OSC");
}

TEST(ConfigWordTest, CodeProtectionSymbolDependsOnThePart) {
  ConfigChoices c;
  c.CodeProtect = true;
  for (int type = 0; type < ProcessorCount; ++type) {
    const bool cpOn = type <= 4 || type == 24 || type == 27 || (type >= 30 && type <= 33) || (type >= 38 && type <= 43);
    EXPECT_TRUE(ConfigExpression(type, c).starts_with(cpOn ? "_CP_ON &" : "_CP_ALL &")) << type;
  }
}

TEST(ConfigWordTest, PowerUpAndBrownOutTermsOnlyWhereThePartHasThem) {
  for (int type = 0; type < ProcessorCount; ++type) {
    const std::string e = ConfigExpression(type, ConfigChoices{});
    const bool noPwrte = type == 26 || type == 29 || (type >= 30 && type <= 33) || (type >= 38 && type <= 42);
    EXPECT_EQ(e.find("_PWRTE") == std::string::npos, noPwrte) << type;
    EXPECT_EQ(e.find("_BODEN") != std::string::npos, ProcessorPropertiesOf(type).HasBoden) << type;
  }
}

TEST(ConfigWordTest, RcOscillatorUsesEachHeadersSpelling) {
  EXPECT_EQ(OscillatorSymbol(3, kOscRcExternal), "_RC_OSC");
  EXPECT_EQ(OscillatorSymbol(19, kOscRcExternal), "_ER_OSC_NOCLKOUT");
  EXPECT_EQ(OscillatorSymbol(19, kOscRcInternal), "_INTRC_OSC_NOCLKOUT");
  EXPECT_EQ(OscillatorSymbol(30, kOscRcExternal), "_ExtRC_OSC");
  EXPECT_EQ(OscillatorSymbol(33, kOscRcInternal), "_IntRC_OSC");
  for (int type = 34; type <= 37; ++type) {
    EXPECT_EQ(OscillatorSymbol(type, kOscRcExternal), "_EXTRC_OSC");
    EXPECT_EQ(OscillatorSymbol(type, kOscRcInternal), "_INTRC_OSC");
  }
  for (int type = 38; type <= 42; ++type) {
    EXPECT_TRUE(ConfigExpression(type, WithOscillator(kOscRcExternal)).ends_with(" & _RC_OSC")) << type;
  }
  EXPECT_TRUE(ConfigExpression(19, WithOscillator(kOscRcExternal)).find("& _ER_OSC_NOCLKOUT &") != std::string::npos);
}

TEST(ConfigWordTest, OfferedOscillatorsAreThoseTheHeaderDefines) {
  for (int type = 0; type < ProcessorCount; ++type) {
    const bool internal = type == 18 || type == 19 || (type >= 30 && type <= 37);
    const bool hs = !(type >= 30 && type <= 33);
    EXPECT_TRUE(OscillatorOffered(type, kOscRcExternal)) << type;
    EXPECT_TRUE(OscillatorOffered(type, kOscLp)) << type;
    EXPECT_TRUE(OscillatorOffered(type, kOscXt)) << type;
    EXPECT_EQ(OscillatorOffered(type, kOscHs), hs) << type;
    EXPECT_EQ(OscillatorOffered(type, kOscRcInternal), internal) << type;
  }
  EXPECT_FALSE(OscillatorOffered(3, 5));
  EXPECT_FALSE(OscillatorOffered(3, -1));
  EXPECT_FALSE(OscillatorOffered(ProcessorCount, kOscXt));
  EXPECT_EQ(OfferedOscillator(3, kOscRcInternal), kOscXt);
  EXPECT_EQ(OfferedOscillator(30, kOscHs), kOscXt);
  EXPECT_EQ(OfferedOscillator(30, kOscRcInternal), kOscRcInternal);
  // A choice the part lacks keeps a visible name instead of quietly selecting another clock.
  EXPECT_TRUE(ConfigExpression(3, WithOscillator(kOscRcInternal)).ends_with("& _INTRC_OSC"));
}

TEST(ConfigWordTest, EverySymbolExistsInThePartsIncludeFiles) {
  if (!test::HaveGputilsHeaders()) GTEST_SKIP() << "gputils headers not installed";
  for (int type = 0; type < ProcessorCount; ++type) {
    SCOPED_TRACE(ProcessorName(type));
    const auto own = test::ReadHeaderSymbols("p" + std::string(ProcessorName(type)) + ".inc");
    const auto included = test::ReadHeaderSymbols(std::string(ProcessorInclude(type)));
    ASSERT_TRUE(own && included);
    for (const std::string& e : AllExpressions(type)) {
      for (const std::string& term : Terms(e)) {
        EXPECT_TRUE(own->contains(term)) << term << " in " << e;
        EXPECT_TRUE(included->contains(term)) << term << " in " << e;
      }
    }
  }
}

// The assembler itself, with the same PROCESSOR and INCLUDE lines the program writer emits.
TEST(ConfigWordTest, AssemblerAcceptsEveryExpression) {
  if (std::system("gpasm --version > /dev/null 2>&1") != 0) GTEST_SKIP() << "gpasm not installed";
  const auto dir = std::filesystem::temp_directory_path() / ("tolmek_config_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  for (int type = 0; type < ProcessorCount; ++type) {
    const auto source = dir / ("t" + std::to_string(type) + ".asm");
    {
      std::ofstream out(source);
      out << "\tPROCESSOR " << ProcessorName(type) << "\n\tINCLUDE " << ProcessorInclude(type) << "\n";
      int n = 0;
      for (const std::string& e : AllExpressions(type)) out << "C" << n++ << "\tEQU " << e << "\n";
      out << "\tEND\n";
    }
    const std::string command = "cd '" + dir.string() + "' && gpasm -q '" + source.filename().string() + "' > '" +
                                source.filename().string() + ".out' 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << ProcessorName(type);
  }
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace tolmek
