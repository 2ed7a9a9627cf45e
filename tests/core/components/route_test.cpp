// The routing kinds (multiplexer, distributor, table, table call, data block): records of every variant
// through the file and the JSON form, their simulation rules, and what generation refuses.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "block_bench.h"
#include "block_code_fixture.h"
#include "components/bv.h"
#include "components/call.h"
#include "components/data8.h"
#include "components/mux.h"
#include "components/tabelle.h"
#include "model/plan_json.h"
#include "model/project_file.h"

namespace tolmek::test {
namespace {

// ---- records

// One of each variant: multiplexers of 2..8 channels both ways in 8 and 16 bits, distributors of 1..16
// bits both ways, tables of length 1, 8 and 256 and a 16-bit one of 128, calls and data blocks.
void AllVariants(TestProject& t) {
  int y = 10;
  for (int count = 2; count <= 8; ++count)
    for (uint8_t dir : {TObjMux::kNToOne, TObjMux::kOneToN})
      for (bool wide : {false, true}) {
        auto& m = t.Add<TObjMux>(kind::Mux, 10, y += 10);
        m.Configure(dir, wide, count);
        m.Channel(0).SetName("A" + std::to_string(count));
        m.Select().SetName("SEL");
      }
  for (int count = 1; count <= 16; ++count)
    for (uint8_t dir : {TObjBv::kBitToByte, TObjBv::kByteToBit}) {
      auto& b = t.Add<TObjBv>(kind::Bv, 300, y += 10);
      b.Configure(dir, count);
      b.Bit(count - 1).SetName("F.1");
      b.Bit(0).Inverted = true;
    }
  for (int length : {1, 8, 256}) {
    auto& tab = t.Add<TObjTabelle>(kind::Tabelle, 600, y += 10);
    tab.Length = uint16_t(length);
    tab.Values[0] = 200;
  }
  auto& wide = t.Add<TObjTabelle>(kind::Tabelle, 600, y += 10);
  wide.Width16 = 1;
  wide.Length = 128;
  wide.Values[127] = 4660;
  for (bool w : {false, true}) {
    auto& c = t.Add<TObjCall>(kind::Call, 800, y += 10);
    c.SetName("TAB");
    c.SetWidth16(w);
    c.In().SetName("IDX");
    c.Out().SetName("VAL");
  }
  for (const char* name : {"100", "VALUE", "ADC3"})
    for (bool w : {false, true}) {
      auto& d = t.Add<TObjData8>(kind::Data8, 1000, y += 10);
      d.SetWidth16(w);
      d.SetName(name);
      d.SimValue = 77;
    }
}

TEST(RouteRecord, EveryVariantRoundTripsThroughTheFileAndJson) {
  TestProject t;
  AllVariants(t);
  const std::string file = ProjectToBytes(t.project);

  TestProject loaded;
  FixedPassword none;
  ASSERT_TRUE(ProjectFromBytes(loaded.project, file, none));
  EXPECT_EQ(ProjectToBytes(loaded.project), file);

  TestProject viaJson;
  PlanFromJson(viaJson.project, PlanToJson(t.project));
  EXPECT_EQ(ProjectToBytes(viaJson.project), file);

  // Derived state comes back with the stored fields.
  const auto& elements = loaded.project.Elements();
  auto& mux = static_cast<TObjMux&>(*elements[7]);  // 3 channels, 1 to n, 16 bits
  EXPECT_TRUE(mux.OneToN());
  EXPECT_EQ(mux.Channel(2).PinLabel, "OUT2");
  EXPECT_EQ(mux.Single().PinLabel, "IN");
  EXPECT_EQ(mux.Channel(0).Bits, 16);
  EXPECT_EQ(mux.Height, 100);
  EXPECT_EQ(mux.Select().Y, 90);
  const TObjTabelle* wideTable = nullptr;
  for (const auto& e : elements)
    if (e->Kind == kind::Tabelle && static_cast<TObjTabelle&>(*e).Is16Bit()) wideTable = &static_cast<TObjTabelle&>(*e);
  ASSERT_NE(wideTable, nullptr);
  EXPECT_EQ(wideTable->Values[127], 4660);
  EXPECT_EQ(wideTable->Length, 128);
}

TEST(RouteRecord, FieldsStandWhereTheFileKeepsThem) {
  TObjMux mux(0, 0);
  mux.Configure(TObjMux::kOneToN, true, 5);
  mux.Page = 4;
  ByteWriter out;
  mux.Save(out);
  // Base (name "MX"), count, 8 channels (label-less byte pins), SELECT, single, direction, page, width16.
  const size_t base = 12 + 2, pin = 12 + 0 + 2;
  ASSERT_EQ(out.Size(), base + 1 + 10 * pin + 3 + 253);
  const size_t tail = base + 1 + 10 * pin;
  EXPECT_EQ(uint8_t(out.Data()[base]), 5);
  EXPECT_EQ(uint8_t(out.Data()[tail]), 1);      // direction
  EXPECT_EQ(uint8_t(out.Data()[tail + 1]), 4);  // page
  EXPECT_EQ(uint8_t(out.Data()[tail + 2]), 1);  // width16 after the page

  TObjTabelle table(0, 0);
  table.Width16 = 1;
  table.Values[1] = 0x1234;
  ByteWriter tableOut;
  table.Save(tableOut);
  const size_t tableBase = 12 + 3;
  ASSERT_EQ(tableOut.Size(), tableBase + 2 + 256 + 2 + 254 + 512);
  EXPECT_EQ(uint8_t(tableOut.Data()[tableBase + 2 + 1]), 0x34);  // low bytes first
  EXPECT_EQ(uint8_t(tableOut.Data()[tableBase + 2 + 256 + 2 + 254 + 3]), 0x12);
}

// ---- simulation

struct MuxRow {
  int select;
  std::vector<int> out;  // n to 1: the output; 1 to n: each channel
};

TEST(RouteSimulation, MultiplexerTakesTheSelectedChannelAndNothingPastTheLast) {
  BlockBench b;
  auto& mux = b.Add<TObjMux>(kind::Mux);
  mux.Configure(TObjMux::kNToOne, false, 3);
  mux.Channel(0).SetName("A");
  mux.Channel(1).SetName("42");
  mux.Channel(2).SetName("C");
  mux.Select().SetName("SEL");
  mux.Single().SetName("Q");
  for (const char* v : {"A", "C", "SEL", "Q"}) b.SetValue(v, 0);
  b.SetValue("A", 300);  // a byte channel reads its low byte
  b.SetValue("C", 7);
  b.Start();
  for (const MuxRow& row : std::vector<MuxRow>{{0, {44}}, {1, {42}}, {2, {7}}, {3, {7}}, {256, {44}}}) {
    b.SetValue("SEL", row.select);
    b.Step();
    EXPECT_EQ(b.engine().Variables().Find("Q")->Value, row.out[0]) << "SELECT " << row.select;
  }

  BlockBench w;
  auto& demux = w.Add<TObjMux>(kind::Mux);
  demux.Configure(TObjMux::kOneToN, true, 2);
  demux.Single().SetName("1000");
  demux.Channel(0).SetName("Y0");
  demux.Channel(1).SetName("Y1");
  demux.Select().SetName("SEL");
  for (const char* v : {"Y0", "Y1", "SEL"}) w.SetValue(v, 5);
  w.Start();
  for (const MuxRow& row : std::vector<MuxRow>{{2, {0, 0}}, {1, {0, 1000}}, {0, {1000, 1000}}}) {
    w.SetValue("SEL", row.select);
    w.Step();
    EXPECT_EQ(w.engine().Variables().Find("Y0")->Value, row.out[0]);
    EXPECT_EQ(w.engine().Variables().Find("Y1")->Value, row.out[1]);
  }
  EXPECT_TRUE(w.sink().entries.empty());
}

TEST(RouteSimulation, MultiplexerWithoutItsVariablesAborts) {
  BlockBench b;
  auto& mux = b.Add<TObjMux>(kind::Mux);
  mux.Select().SetName("3");
  mux.Channel(0).SetName("NOWHERE");
  mux.Single().SetName("Q");
  b.Start();
  EXPECT_EQ(b.sink().Numbers(), (std::vector<int>{27, 18, 18, 17}));
  EXPECT_EQ(b.engine().Tick(), SimEngine::TickOutcome::Aborted);
}

TEST(RouteSimulation, DistributorPacksTwelveBitsAndUnpacksThem) {
  BlockBench b;
  auto& pack = b.Add<TObjBv>(kind::Bv);
  pack.Configure(TObjBv::kBitToByte, 12);
  auto& unpack = b.Add<TObjBv>(kind::Bv);
  unpack.Configure(TObjBv::kByteToBit, 12);
  auto in = [](int i) { return (i < 8 ? "I." : "J.") + std::to_string(i % 8); };
  auto out = [](int i) { return (i < 8 ? "O." : "P.") + std::to_string(i % 8); };
  for (int i = 0; i < 12; ++i) {
    b.Wire(pack.Bit(i), in(i));
    b.Wire(unpack.Bit(i), out(i));
  }
  pack.Byte().SetName("W");
  unpack.Byte().SetName("W");
  pack.Bit(11).Inverted = true;
  b.SetValue("W", 0);
  b.Start();
  for (int value : {0, 0x05A, 0xCA5, 0x7FF}) {
    for (int i = 0; i < 12; ++i) b.Set(in(i), (value >> i) & 1);
    b.Step();
    const int expected = value ^ (1 << 11);  // input 11 is inverted
    EXPECT_EQ(b.engine().Variables().Find("W")->Value, expected) << value;
    for (int i = 0; i < 12; ++i) EXPECT_EQ(b.Level(out(i)), (expected >> i) & 1) << i;
  }
}

TEST(RouteSimulation, TableCallLooksUpFirstAndLastAndStopsPastTheEnd) {
  BlockBench b;
  auto& tab = b.Add<TObjTabelle>(kind::Tabelle);
  tab.SetName("SQUARES");
  tab.Length = 16;
  for (int i = 0; i < 16; ++i) tab.Values[size_t(i)] = uint16_t(i * i);
  auto& wide = b.Add<TObjTabelle>(kind::Tabelle);
  wide.SetName("WIDE");
  wide.Width16 = 1;
  wide.Length = 128;
  wide.Values[127] = 4660;
  auto& call = b.Add<TObjCall>(kind::Call);
  call.SetName("SQUARES");
  call.In().SetName("IDX");
  call.Out().SetName("SQ");
  auto& call16 = b.Add<TObjCall>(kind::Call);
  call16.SetName("WIDE");
  call16.SetWidth16(true);
  call16.In().SetName("127");
  call16.Out().SetName("W16");
  for (const char* v : {"IDX", "SQ", "W16"}) b.SetValue(v, 0);
  b.Start();
  for (int index : {0, 15}) {
    b.SetValue("IDX", index);
    b.Step();
    EXPECT_EQ(b.engine().Variables().Find("SQ")->Value, index * index);
  }
  EXPECT_EQ(b.engine().Variables().Find("W16")->Value, 4660);
  b.SetValue("IDX", 16);
  EXPECT_EQ(b.engine().Tick(), SimEngine::TickOutcome::Stepped);
  EXPECT_EQ(b.sink().Numbers(), std::vector<int>{45});
  EXPECT_EQ(b.engine().Variables().Find("IDX")->Value, 0);
  EXPECT_EQ(b.engine().Tick(), SimEngine::TickOutcome::Aborted);
}

TEST(RouteSimulation, TableCallWithoutItsTableReportsMessage46) {
  BlockBench b;
  auto& call = b.Add<TObjCall>(kind::Call);
  call.SetName("NONE");
  call.In().SetName("0");
  call.Out().SetName("Q");
  b.SetValue("Q", 0);
  b.Start();
  EXPECT_EQ(b.sink().Numbers(), std::vector<int>{46});
  EXPECT_EQ(b.engine().Tick(), SimEngine::TickOutcome::Aborted);
}

TEST(RouteSimulation, DataBlockStartsItsVariableClampsEightBitsAndKeepsTheValue) {
  BlockBench b;
  auto& d = b.Add<TObjData8>(kind::Data8);
  d.SetName("LEVEL");
  d.SimValue = 40;
  EXPECT_EQ(d.Output().Name, "LEVEL");
  b.Start();
  EXPECT_EQ(b.engine().Variables().Find("LEVEL")->Value, 40);
  b.SetValue("LEVEL", 300);
  b.Step();
  EXPECT_EQ(b.engine().Variables().Find("LEVEL")->Value, 255);
  b.SetValue("LEVEL", 99);
  b.engine().StopSimulation();
  EXPECT_EQ(d.SimValue, 99);
}

// ---- generation

struct Refusal {
  const char* what;
  std::function<void(TestProject&)> build;
  int message;
};

TEST(RouteCode, NumbersWhereRegistersAreReadAndConstantsTooWideAreRefused) {
  const std::vector<Refusal> cases = {
      {"8-bit data block above 255",
       [](TestProject& t) { t.Add<TObjData8>(kind::Data8).SetName("300"); }, 20},
      {"multiplexer SELECT",
       [](TestProject& t) {
         auto& m = t.Add<TObjMux>(kind::Mux);
         m.Select().SetName("1");
         m.Single().SetName("Q");
       },
       27},
      {"constant channel too wide",
       [](TestProject& t) {
         auto& m = t.Add<TObjMux>(kind::Mux);
         m.Select().SetName("S");
         m.Channel(0).SetName("256");
         m.Channel(1).SetName("S");
         m.Single().SetName("Q");
       },
       20},
      {"distributor byte",
       [](TestProject& t) {
         auto& b = t.Add<TObjBv>(kind::Bv);
         b.Configure(TObjBv::kByteToBit, 2);
         b.Byte().SetName("5");
       },
       18},
      {"table call index",
       [](TestProject& t) {
         auto& c = t.Add<TObjCall>(kind::Call);
         c.SetName("TAB");
         c.In().SetName("3");
         c.Out().SetName("Q");
         t.Add<TObjTabelle>(kind::Tabelle);
       },
       18},
  };
  for (const Refusal& c : cases) {
    SCOPED_TRACE(c.what);
    WriterFixture f(23);
    c.build(f.tp);
    const std::string& text = f.Generate();
    ASSERT_EQ(f.tp.sink.Numbers(), std::vector<int>{c.message});
    EXPECT_NE(text.find("ERROR \""), std::string::npos);
  }
  // 16 bits take what 8 refuse; a 16-bit distributor byte without its high byte only informs.
  WriterFixture ok(23);
  auto& d = ok.tp.Add<TObjData8>(kind::Data8);
  d.SetWidth16(true);
  d.SetName("65535");
  auto& b = ok.tp.Add<TObjBv>(kind::Bv);
  b.Configure(TObjBv::kByteToBit, 12);
  b.Byte().SetName("LOWONLY");
  b.Bit(0).SetName("RB.0");
  AddSupply(ok.tp, true, "LOWONLY.0");
  const std::string& text = ok.Generate();
  EXPECT_EQ(ok.tp.sink.Numbers(), std::vector<int>{19});
  EXPECT_EQ(text.find("ERROR \""), std::string::npos);
}

TEST(RouteCode, SixteenBitTableWritesTwoReturnsPerEntry) {
  WriterFixture f(3);
  auto& tab = f.tp.Add<TObjTabelle>(kind::Tabelle);
  tab.Width16 = 1;
  tab.Length = 128;
  tab.Values[0] = 4660;
  const auto lines = BlockLines(f.Generate(), "; Table -> TAB");
  ASSERT_EQ(std::count_if(lines.begin(), lines.end(), [](const std::string& l) { return l.starts_with("RETLW "); }),
            256);
  EXPECT_EQ(lines[0], "TAB");
  EXPECT_EQ(lines[1], "RETLW 52");
  EXPECT_EQ(lines[2], "RETLW 18");
  EXPECT_NE(f.Generate().find("SYSTABJMP"), std::string::npos);
}

TEST(RouteCode, TwelveBitTableBeyondTheFirstHalfPageIsAnError) {
  WriterFixture f(30);
  auto& tab = f.tp.Add<TObjTabelle>(kind::Tabelle);
  tab.Length = 256;  // after the frame it cannot lie within the first 256 words
  auto& call = f.tp.Add<TObjCall>(kind::Call);
  call.SetName("TAB");
  call.In().SetName("IDX");
  call.Out().SetName("VAL");
  AddSupply(f.tp, true, "IDX.0");
  f.Generate();
  ASSERT_EQ(f.last.ReachErrors.size(), 1u);
  EXPECT_NE(f.last.ReachErrors[0].find("TAB"), std::string::npos);

  tab.Length = 16;
  f.Generate();
  EXPECT_TRUE(f.last.ReachErrors.empty());
}

TEST(RouteCode, AdcRoutinesPerChannel) {
  WriterFixture f(23);
  f.project().Mcu.ClockHz = 4e6;
  auto& a = f.tp.Add<TObjData8>(kind::Data8);
  a.SetName("ADC2");
  auto& b = f.tp.Add<TObjData8>(kind::Data8);
  b.SetWidth16(true);
  b.SetName("ADC5");
  const std::string& text = f.Generate();
  const auto code = Code(text);
  auto has = [&](const std::string& line) { return std::find(code.begin(), code.end(), line) != code.end(); };
  EXPECT_TRUE(has("CALL READ_AN2"));
  EXPECT_TRUE(has("READ_AN5"));
  EXPECT_TRUE(has("SYS_ADC_LABEL_3"));
  EXPECT_FALSE(has("SYS_ADC_LABEL_4"));
  EXPECT_TRUE(has("MOVLW 5"));  // 15 µs at 4 MHz
  EXPECT_TRUE(has("BCF ADCON1,ADFM"));
  EXPECT_TRUE(has("BSF ADCON1,ADFM"));
  EXPECT_TRUE(has("MOVLW B'11101001'"));
  EXPECT_TRUE(has("MOVWF ADC5_HI"));
  EXPECT_TRUE(has("MOVWF TRISE"));

  WriterFixture slow(0);
  slow.project().Mcu.ClockHz = 100e3;
  slow.tp.Add<TObjData8>(kind::Data8).SetName("ADC0");
  const auto slowCode = Code(slow.Generate());
  EXPECT_NE(std::find(slowCode.begin(), slowCode.end(), "NOP"), slowCode.end());
  EXPECT_EQ(std::find(slowCode.begin(), slowCode.end(), "SYS_ADC_LABEL_1"), slowCode.end());

  WriterFixture none(3);
  none.tp.Add<TObjData8>(kind::Data8).SetName("ADC0");
  none.Generate();
  EXPECT_EQ(none.tp.sink.Numbers(), std::vector<int>{38});
}

TEST(RouteValues, TableValuesAndFiles) {
  EXPECT_EQ(ParseTableValue("$1F", 255), 31);
  EXPECT_EQ(ParseTableValue("%101", 255), 5);
  EXPECT_EQ(ParseTableValue("'A", 255), 65);
  EXPECT_EQ(ParseTableValue("65535", 65535), 65535);
  EXPECT_FALSE(ParseTableValue("256", 255));
  EXPECT_FALSE(ParseTableValue("-1", 255));
  EXPECT_FALSE(ParseTableValue("$G", 255));
  EXPECT_EQ(FormatTableValue(31, 1, false), "$1F");
  EXPECT_EQ(FormatTableValue(5, 2, false), "%00000101");
  EXPECT_EQ(FormatTableValue(4660, 1, true), "$1234");
  EXPECT_EQ(FormatTableValue(65, 3, false), "'A");

  auto values = ParseTableFile("10\r\n\r\n$1F\r\n", 256, 255);
  ASSERT_TRUE(values);
  EXPECT_EQ(*values, (std::vector<uint16_t>{10, 31}));
  EXPECT_FALSE(ParseTableFile("10\nabc\n", 256, 255));
  EXPECT_EQ(ParseTableFile("1\n2\n3\n", 2, 255)->size(), 2u);
  EXPECT_EQ(TableFileText({10, 31}), "10\r\n31\r\n");
}

}  // namespace
}  // namespace tolmek::test
