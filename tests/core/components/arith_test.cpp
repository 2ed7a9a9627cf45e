// Comparator, arithmetic block and limiter: file records, the simulation rules with the value widths the
// program uses, the messages of a run that cannot start, and the forms of code that are decided early.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "block_bench.h"
#include "block_code_fixture.h"
#include "components/gatter.h"
#include "components/limit.h"
#include "components/mathe.h"
#include "components/vergl.h"
#include "core/model/file_fixture.h"
#include "model/plan_json.h"
#include "model/project_file.h"

namespace tolmek::test {
namespace {

// --- Records

// Every variant saved, read back and saved again gives the same bytes, also through the JSON form.
TEST(ArithRecord, EveryVariantRoundTripsThroughFileAndJson) {
  std::vector<std::function<void(TestProject&)>> variants;
  for (uint8_t op = 0; op < TObjVergl::kOpCount; ++op)
    for (bool wide : {false, true})
      variants.push_back([=](TestProject& t) {
        auto& v = t.Add<TObjVergl>(kind::Vergl, 100, 200);
        v.SetCompareOp(op);
        v.SetWidth16(wide);
        v.A().SetName(op % 2 ? "1000" : "X");
        v.B().SetName(op % 3 ? "RB" : "7");
        v.Output().SetName("RA.1");
        v.Output().Inverted = op == 4;
        v.Page = op;
      });
  for (uint8_t op = 0; op < TObjMathe::kOpCount; ++op)
    for (bool wide : {false, true})
      variants.push_back([=](TestProject& t) {
        auto& m = t.Add<TObjMathe>(kind::Mathe, 300, 100);
        m.SetOperation(op);
        m.SetWidth16(wide);
        m.A().SetName("12");
        m.B().SetName("Y");
        m.Result().SetName("SUM");
      });
  for (bool wide : {false, true})
    variants.push_back([=](TestProject& t) {
      auto& l = t.Add<TObjLimit>(kind::Limit, 500, 500);
      l.SetWidth16(wide);
      l.UpperLimit = wide ? "UPPER_VARIABLE_WITH_A_LONG_NAME1" : "200";
      l.LowerLimit = wide ? "300" : "LOW";
      l.In().SetName("X");
      l.Output().SetName("RC");
      l.UpperFlag().SetName("F.0");
      l.SetName("CLAMP");
    });
  for (size_t i = 0; i < variants.size(); ++i) {
    TestProject t;
    variants[i](t);
    const std::string file = ProjectToBytes(t.project);
    TestProject back;
    FixedPassword prompt;
    ASSERT_TRUE(ProjectFromBytes(back.project, file, prompt));
    EXPECT_EQ(ProjectToBytes(back.project), file) << "variant " << i;
    TestProject viaJson;
    PlanFromJson(viaJson.project, PlanToJson(t.project));
    EXPECT_EQ(ProjectToBytes(viaJson.project), file) << "variant " << i;
  }
}

TEST(ArithRecord, RecordLengths) {
  TObjVergl v(0, 0);
  TObjLimit l(0, 0);
  ByteWriter vo, lo;
  v.Save(vo);
  l.Save(lo);
  // Base record (name "IF"), two bytes, pins A, B ("") and the output ("."), page, 255 zeros.
  EXPECT_EQ(vo.Size(), size_t(14 + 2 + 14 + 14 + 15 + 1 + 255));
  // Base record ("LM"), width, "255", "0", pins in, out ("") and the two flags ("."), page, 256 zeros.
  EXPECT_EQ(lo.Size(), size_t(14 + 1 + 4 + 2 + 14 + 14 + 15 + 15 + 1 + 256));
}

// Plans of the older, lower layout: height 40 with pins at 0, 40 and 20.
TEST(ArithRecord, OlderLayoutIsConvertedOnLoading) {
  for (uint8_t code : {kind::Vergl, kind::Mathe}) {
    TestProject t;
    TBauteil& e = *t.project.CreateElement(code, 200, 200);
    e.Height = 40;
    e.Pins()[0]->Y = 0;
    e.Pins()[1]->Y = 40;
    e.Pins()[2]->Y = 20;
    TestProject back;
    FixedPassword prompt;
    ASSERT_TRUE(ProjectFromBytes(back.project, ProjectToBytes(t.project), prompt));
    const TBauteil& b = *back.project.Elements().front();
    EXPECT_EQ(b.Height, 60);
    EXPECT_EQ(b.Y, 190);
    EXPECT_EQ(b.Pins()[0]->Y, 10);
    EXPECT_EQ(b.Pins()[1]->Y, 50);
    EXPECT_EQ(b.Pins()[2]->Y, 30);
  }
}

TEST(ArithShape, DefaultsPinsAndLabels) {
  TObjVergl v(0, 0);
  EXPECT_EQ(v.Name, "IF");
  EXPECT_EQ(v.Width, 70);
  EXPECT_EQ(v.Output().PinLabel, "A>B");
  const char* relations[] = {"A>B", "A>=B", "A=B", "A<=B", "A<B", "A<>B"};
  for (uint8_t op = 0; op < 6; ++op) {
    v.SetCompareOp(op);
    EXPECT_EQ(v.Output().PinLabel, relations[op]);
  }
  TObjMathe m(0, 0);
  EXPECT_EQ(m.Name, "AF");
  const char* operations[] = {"A + B", "A - B", "A x B", "A DIV B"};
  for (uint8_t op = 0; op < 4; ++op) {
    m.SetOperation(op);
    EXPECT_EQ(m.Result().PinLabel, operations[op]);
  }
  m.SetWidth16(true);
  EXPECT_EQ(m.B().Bits, 16);
  EXPECT_TRUE(m.Result().HighByteUsed);
  TObjLimit l(0, 0);
  EXPECT_EQ(l.Name, "LM");
  EXPECT_EQ(l.UpperLimit, "255");
  EXPECT_EQ(l.LowerLimit, "0");
  EXPECT_EQ(l.Pins()[2]->Y, 10);
  EXPECT_FALSE(l.LowerLimitActs());
  l.LowerLimit = "256";  // 0 in a byte
  EXPECT_FALSE(l.LowerLimitActs());
  l.LowerLimit = "LOW";
  EXPECT_TRUE(l.LowerLimitActs());
}

// --- Simulation

TEST(ArithSimulation, ComparatorMasksToItsWidth) {
  struct Row {
    bool wide;
    long a, b;
    const char* holds;  // > >= = <= < <>
  };
  const Row rows[] = {{false, 5, 5, "011100"},    {false, 4, 5, "000111"},   {false, 6, 5, "110001"},
                      {false, 300, 44, "011100"}, {false, 256, 1, "000111"}, {true, 65536 + 7, 7, "011100"},
                      {true, 300, 44, "110001"},  {true, 255, 256, "000111"}};
  for (const Row& row : rows) {
    BlockBench bench;
    std::vector<TObjVergl*> blocks;
    for (uint8_t op = 0; op < 6; ++op) {
      auto& v = bench.Add<TObjVergl>(kind::Vergl);
      v.SetCompareOp(op);
      v.SetWidth16(row.wide);
      v.A().SetName("A");
      v.B().SetName("B");
      bench.Wire(v.Output(), "Q." + std::to_string(op));
    }
    bench.SetValue("A", int(row.a));
    bench.SetValue("B", int(row.b));
    bench.Start();
    bench.Step();
    for (int op = 0; op < 6; ++op)
      EXPECT_EQ(bench.Level("Q." + std::to_string(op)), row.holds[op] - '0')
          << row.a << " ? " << row.b << (row.wide ? " (16 bits)" : "") << ", relation " << op;
  }
}

TEST(ArithSimulation, ArithmeticWrapsAndDividesByZeroToAllOnes) {
  struct Row {
    uint8_t op;
    bool wide;
    long a, b, result;
  };
  const Row rows[] = {{TObjMathe::Add, false, 200, 100, 44},      {TObjMathe::Add, true, 65535, 1, 0},
                      {TObjMathe::Subtract, false, 5, 7, 254},    {TObjMathe::Subtract, true, 256, 257, 65535},
                      {TObjMathe::Multiply, false, 20, 13, 4},    {TObjMathe::Multiply, true, 300, 200, 60000},
                      {TObjMathe::Divide, false, 200, 7, 28},     {TObjMathe::Divide, false, 9, 0, 255},
                      {TObjMathe::Divide, true, 60000, 7, 8571},  {TObjMathe::Divide, true, 9, 0, 65535},
                      {TObjMathe::Add, false, 300, 0, 44},        {TObjMathe::Multiply, true, 70000, 1, 4464}};
  for (const Row& row : rows) {
    BlockBench bench;
    auto& m = bench.Add<TObjMathe>(kind::Mathe);
    m.SetOperation(row.op);
    m.SetWidth16(row.wide);
    m.A().SetName("A");
    m.B().SetName(std::to_string(row.b));
    m.Result().SetName("R");
    bench.SetValue("A", int(row.a));
    bench.SetValue("R", 0);
    bench.Start();
    bench.Step();
    EXPECT_EQ(bench.engine().Variables().Find("R")->Value, row.result) << int(row.op) << ": " << row.a << ", " << row.b;
    EXPECT_EQ(m.ShownValue(), row.result);
  }
}

TEST(ArithSimulation, LimiterTestsTheUpperLimitFirst) {
  struct Row {
    bool wide;
    const char* upper;
    const char* lower;
    long in, out;
    int upperFlag, lowerFlag;
  };
  const Row rows[] = {{false, "200", "50", 201, 200, 1, 0}, {false, "200", "50", 200, 200, 0, 0},
                      {false, "200", "50", 50, 50, 0, 0},   {false, "200", "50", 49, 50, 0, 1},
                      {false, "200", "0", 300, 44, 0, 0},   {false, "UV", "LV", 10, 20, 0, 1},
                      {false, "UV", "LV", 255, 150, 1, 0},  {true, "1000", "300", 65535, 1000, 1, 0},
                      {true, "1000", "300", 299, 300, 0, 1},
                      // Limits the wrong way round: the upper one acts and the lower one is not tried.
                      {false, "LV", "UV", 100, 20, 1, 0}};
  for (const Row& row : rows) {
    BlockBench bench;
    auto& l = bench.Add<TObjLimit>(kind::Limit);
    l.SetWidth16(row.wide);
    l.UpperLimit = row.upper;
    l.LowerLimit = row.lower;
    l.In().SetName("X");
    l.Output().SetName("Y");
    bench.Wire(l.UpperFlag(), "F.0");
    bench.Wire(l.LowerFlag(), "F.1");
    bench.SetValue("X", int(row.in));
    bench.SetValue("Y", 0);
    bench.SetValue("UV", 150);
    bench.SetValue("LV", 20);
    bench.Start();
    bench.Step();
    EXPECT_EQ(bench.engine().Variables().Find("Y")->Value, row.out) << row.in << " in " << row.lower << ".." << row.upper;
    EXPECT_EQ(bench.Level("F.0"), row.upperFlag) << row.in;
    EXPECT_EQ(bench.Level("F.1"), row.lowerFlag) << row.in;
  }
}

TEST(ArithSimulation, MissingNamesShowTheirMessages) {
  {  // a comparator input that names nothing: 18, then the run is stopped
    BlockBench bench;
    auto& v = bench.Add<TObjVergl>(kind::Vergl);
    v.A().SetName("NOWHERE");
    v.B().SetName("3");
    bench.Start();
    bench.Step();
    EXPECT_EQ(bench.engine().Tick(), SimEngine::TickOutcome::Aborted);
    EXPECT_EQ(bench.sink().Numbers(), (std::vector<int>{18, 41}));
    EXPECT_NE(bench.sink().entries.front().text.find("IF"), std::string::npos);
  }
  {  // an arithmetic result without a variable: 17
    BlockBench bench;
    auto& m = bench.Add<TObjMathe>(kind::Mathe);
    m.A().SetName("1");
    m.B().SetName("2");
    m.Result().SetName("");
    bench.Start();
    EXPECT_EQ(bench.sink().Numbers(), std::vector<int>{17});
  }
  {  // a limiter: input given as a number (18), unknown limits (23, 24); it stays idle, the run goes on
    BlockBench bench;
    auto& l = bench.Add<TObjLimit>(kind::Limit);
    l.In().SetName("12");
    l.Output().SetName("Y");
    l.UpperLimit = "UP";
    l.LowerLimit = "DOWN";
    bench.SetValue("Y", 0);
    bench.Start();
    bench.Step();
    bench.Step();
    EXPECT_EQ(bench.sink().Numbers(), (std::vector<int>{18, 23, 24}));
  }
}

// --- Code decided at generation

TEST(ArithCode, ConstantsAreDecidedAtGeneration) {
  WriterFixture f(3);
  auto& same = f.tp.Add<TObjVergl>(kind::Vergl);
  same.SetName("CMP");
  same.SetCompareOp(TObjVergl::GreaterEqual);
  same.A().SetName("5");
  same.B().SetName("5");
  same.Output().SetName("RA.0");
  auto& product = f.tp.Add<TObjMathe>(kind::Mathe);
  product.SetName("MUL");
  product.SetOperation(TObjMathe::Multiply);
  product.SetWidth16(true);
  product.A().SetName("300");
  product.B().SetName("200");
  product.Result().SetName("P");
  auto& quotient = f.tp.Add<TObjMathe>(kind::Mathe);
  quotient.SetName("DIV");
  quotient.SetOperation(TObjMathe::Divide);
  quotient.A().SetName("7");
  quotient.B().SetName("0");
  quotient.Result().SetName("Q");
  const std::string& text = f.Generate();
  EXPECT_EQ(BlockLines(text, "; Vergleich -> CMP"), (std::vector<std::string>{"BCF STATUS,RP0", "BSF PORTA,0"}));
  EXPECT_EQ(BlockLines(text, ";MUL"),
            (std::vector<std::string>{"MOVLW LOW 60000", "MOVWF P", "MOVLW HIGH 60000", "MOVWF P_HI"}));
  EXPECT_EQ(BlockLines(text, ";DIV"), (std::vector<std::string>{"MOVLW 255", "MOVWF Q"}));
  // Nothing is left to a routine.
  EXPECT_EQ(text.find("SYSMUL"), std::string::npos);
  EXPECT_EQ(text.find("SYSDIV"), std::string::npos);
}

TEST(ArithCode, LimiterWithoutLowerLimitAndWithANumberAsInput) {
  WriterFixture f(3);
  auto& l = f.tp.Add<TObjLimit>(kind::Limit);
  l.SetName("LIM");
  l.In().SetName("X");
  l.Output().SetName("Y");
  l.UpperLimit = "100";
  auto& bad = f.tp.Add<TObjLimit>(kind::Limit);
  bad.SetName("BAD");
  bad.In().SetName("300");
  bad.Output().SetName("Z");
  const std::string& text = f.Generate();
  const auto lines = BlockLines(text, "; Limiter -> LIM");
  EXPECT_FALSE(lines.empty());
  EXPECT_EQ(text.find("LABEL_LIM_BOTTOM"), std::string::npos);
  // The number is reported with the block's name, and the assembler is stopped instead of reading
  // register 300.
  ASSERT_EQ(f.tp.sink.Numbers(), std::vector<int>{18});
  EXPECT_NE(f.tp.sink.entries.front().text.find("BAD"), std::string::npos);
  EXPECT_NE(text.find("ERROR \"BAD: 300"), std::string::npos);
  EXPECT_EQ(text.find("MOVFW 300"), std::string::npos);
}

TEST(ArithCode, TwelveBitCoreWritesNoLiteralArithmetic) {
  WriterFixture f(30);
  for (bool wide : {false, true}) {
    for (uint8_t op : {TObjMathe::Add, TObjMathe::Subtract}) {
      for (const char* a : {"10", "A"}) {
        auto& m = f.tp.Add<TObjMathe>(kind::Mathe);
        m.SetWidth16(wide);
        m.SetOperation(op);
        m.A().SetName(a);
        m.B().SetName(a[0] == 'A' ? "20" : "B");
        m.Result().SetName("R");
      }
    }
    auto& v = f.tp.Add<TObjVergl>(kind::Vergl);
    v.SetWidth16(wide);
    v.A().SetName("100");
    v.B().SetName("B");
    v.Output().SetName("GP.0");
  }
  const std::string& text = f.Generate();
  EXPECT_EQ(text.find("ADDLW"), std::string::npos);
  EXPECT_EQ(text.find("SUBLW"), std::string::npos);
}

// --- Port bytes in the simulation

TEST(ArithSimulation, PortBytesAreMadeOfTheirPinsAndDriveThemWhenWritten) {
  BlockBench bench;
  auto& sum = bench.Add<TObjMathe>(kind::Mathe);  // RC := RB + 1
  sum.A().SetName("RB");
  sum.B().SetName("1");
  sum.Result().SetName("RC");
  // Gate inputs name the pins' nets: RB.0..2 and RC.0..2.
  for (const char* port : {"RB.", "RC."})
    for (int bit = 0; bit < 3; ++bit) {
      auto& gate = bench.Add<TObjGatter>(kind::Gatter);
      gate.ApplySettings(TObjGatter::Or, 1);
      bench.Wire(gate.Input(0), port + std::to_string(bit));
    }
  bench.Start();
  bench.Set("RB.0", 1);
  bench.Set("RB.2", 1);
  bench.Step();
  EXPECT_EQ(bench.engine().Variables().Find("RB")->Value, 5);
  EXPECT_EQ(bench.engine().Variables().Find("RC")->Value, 6);
  EXPECT_EQ(bench.Level("RC.0"), 0);
  EXPECT_EQ(bench.Level("RC.1"), 1);
  EXPECT_EQ(bench.Level("RC.2"), 1);
  // A value set from outside (the value window, tolmekc --setvar) reaches the pins too; bits without a
  // net keep what was written, as the port's latch does.
  bench.engine().Variables().Find("RB")->Value = 0xF2;
  bench.Step();
  EXPECT_EQ(bench.Level("RB.0"), 0);
  EXPECT_EQ(bench.Level("RB.1"), 1);
  EXPECT_EQ(bench.engine().Variables().Find("RC")->Value, 0xF3);
}

}  // namespace
}  // namespace tolmek::test
