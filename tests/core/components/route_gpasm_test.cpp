// Every supported part: a plan with every routing kind and variant builds without error or warning and its
// word count is what the assembler placed; A/D channels build on the parts with a converter and give
// message 38 on the others.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "block_code_fixture.h"
#include "codegen/build.h"
#include "components/bv.h"
#include "components/call.h"
#include "components/data8.h"
#include "components/mux.h"
#include "components/tabelle.h"
#include "support/gputils_runner.h"

namespace tolmek::test {
namespace {

int ListedWords(const std::string& listingPath) {
  std::ifstream in(listingPath);
  std::string line;
  const std::string key = "Program Memory Words Used:";
  while (std::getline(in, line))
    if (auto at = line.find(key); at != std::string::npos) return std::stoi(line.substr(at + key.size()));
  return -1;
}

size_t CountOf(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

// The kinds in each form; `small` keeps the program and RAM within the smallest 12-bit parts (a table must
// lie in the first 256 words of a page there).
void RoutePlan(TestProject& tp, bool gpio, bool small) {
  const std::string in0 = gpio ? "GP.0" : "RB.0", in1 = gpio ? "GP.3" : "RB.1";
  const std::string out0 = gpio ? "GP.2" : "RA.0";
  auto pack = [&](int bits, const std::string& byte) {
    auto& b = tp.Add<TObjBv>(kind::Bv);
    b.Configure(TObjBv::kBitToByte, bits);
    for (int i = 0; i < bits; ++i) b.Bit(i).SetName(i % 2 ? in1 : in0);
    b.Bit(0).Inverted = true;
    b.Byte().SetName(byte);
  };
  auto unpack = [&](int bits, const std::string& byte) {
    auto& b = tp.Add<TObjBv>(kind::Bv);
    b.Configure(TObjBv::kByteToBit, bits);
    for (int i = 0; i < bits; ++i) b.Bit(i).SetName(i == 0 ? out0 : "FLAGS." + std::to_string(i % 8));
    b.Bit(bits - 1).Inverted = true;
    b.Byte().SetName(byte);
  };
  pack(2, "SEL");
  pack(small ? 9 : 16, "WIDE");
  auto& c6 = tp.Add<TObjData8>(kind::Data8);
  c6.SetName("6");
  auto& c1000 = tp.Add<TObjData8>(kind::Data8);
  c1000.SetWidth16(true);
  c1000.SetName("1000");
  for (bool wide : {false, true})
    for (uint8_t dir : {TObjMux::kNToOne, TObjMux::kOneToN}) {
      auto& m = tp.Add<TObjMux>(kind::Mux);
      const int count = small ? 2 : 8;
      m.Configure(dir, wide, count);
      m.Select().SetName("SEL");
      const std::string tag = std::string(wide ? "W" : "B") + (dir ? "D" : "M");
      for (int i = 0; i < count; ++i)
        m.Channel(i).SetName(dir ? tag + std::to_string(i) : i == 0 ? (wide ? "1000" : "6") : wide ? "WIDE" : "SEL");
      m.Single().SetName(dir ? (wide ? "1000" : "SEL") : tag + "Q");
    }
  unpack(small ? 9 : 16, "WIDE");
  unpack(1, "BMQ");
  auto& t8 = tp.Add<TObjTabelle>(kind::Tabelle);
  t8.SetName("T8");
  t8.Length = small ? 4 : 256;
  auto& t16 = tp.Add<TObjTabelle>(kind::Tabelle);
  t16.SetName("T16");
  t16.Width16 = 1;
  t16.Length = small ? 4 : 128;
  t16.Values[3] = 65535;
  for (bool wide : {false, true}) {
    auto& c = tp.Add<TObjCall>(kind::Call);
    c.SetName(wide ? "T16" : "T8");
    c.SetWidth16(wide);
    c.In().SetName("SEL");
    c.Out().SetName(wide ? "E16" : "E8");
  }
}

BuildResult BuildPlan(WriterFixture& f, const ScratchDir& dir) {
  BuildOptions options;
  options.SourcePath = (dir.path() / "ROUTE.ASM").string();
  return Build(f.writer, options);
}

TEST(RouteGpasm, EveryTypeBuildsEveryRoutingKindCleanly) {
  if (!HaveGpasm()) GTEST_SKIP() << "gpasm not installed";
  ScratchDir dir("route_gpasm");
  for (int type = 0; type < ProcessorCount; ++type) {
    for (bool optimise : {true, false}) {
      SCOPED_TRACE(std::string(ProcessorName(type)) + (optimise ? "" : " without optimisation"));
      WriterFixture f(type);
      f.project().Options.Optimise = optimise;
      f.project().Info.AutoIncrement = false;
      const ProcessorProps props = ProcessorPropertiesOf(type);
      RoutePlan(f.tp, type >= 30 && type <= 37, props.Core12 || props.RamSize < 40 || props.RomSize <= 1024);
      if (props.HasAdc) {
        auto& a8 = f.tp.Add<TObjData8>(kind::Data8);
        a8.SetName("ADC0");
        auto& a16 = f.tp.Add<TObjData8>(kind::Data8);
        a16.SetWidth16(true);
        a16.SetName("ADC" + std::to_string(props.AdcChannels - 1));
        auto& m = f.tp.Add<TObjMux>(kind::Mux);
        m.Select().SetName("ADC0");
        m.Channel(0).SetName(a16.Name);
        m.Channel(1).SetName("ADC0");
        m.Single().SetName("LEVEL");
      }
      const BuildResult r = BuildPlan(f, dir);
      ASSERT_TRUE(r.SourceWritten);
      // On the 12-bit parts of four pages the main loop outgrows the first 256 words, where a table
      // must lie: the reach check refuses the program instead of letting the call jump elsewhere.
      const size_t reach = CountOf(r.ErrorText, "Computed jump table");
      if (props.Core12 && props.PageCount == 4) {
        EXPECT_EQ(reach, 2u) << r.ErrorText;
        EXPECT_EQ(r.ErrorCount, 2) << r.ErrorText;
        continue;
      }
      EXPECT_TRUE(r.Succeeded()) << r.ErrorText;
      EXPECT_EQ(r.WarningCount, 0) << r.ErrorText;
      EXPECT_EQ(ListedWords(r.ListingPath), r.RomUsed);
      EXPECT_TRUE(f.tp.sink.entries.empty()) << f.tp.sink.entries.front().text;
      const auto misplaced = SelectionsInSkippedSlots(f.writer.Text());
      EXPECT_TRUE(misplaced.empty()) << misplaced.front();
    }
  }
}

TEST(RouteGpasm, AnAnalogueValueOnAPartWithoutConverterIsMessage38) {
  for (int type = 0; type < ProcessorCount; ++type) {
    if (ProcessorPropertiesOf(type).HasAdc) continue;
    SCOPED_TRACE(ProcessorName(type));
    WriterFixture f(type);
    f.tp.Add<TObjData8>(kind::Data8).SetName("ADC2");
    f.Generate();
    EXPECT_EQ(f.tp.sink.Numbers(), std::vector<int>{38});
  }
}

}  // namespace
}  // namespace tolmek::test
