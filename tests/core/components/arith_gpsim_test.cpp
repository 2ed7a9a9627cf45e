// Comparator, arithmetic block and limiter on simulated chips (16F84, 16F877, 12C508A) and in `tolmekc
// simulate`: the same value tables must come out of both. Inputs come from port pins where the part has a
// whole port free, else from RAM cells written from outside; results are read from RAM and output bits.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "block_code_fixture.h"
#include "components/limit.h"
#include "components/mathe.h"
#include "components/vergl.h"
#include "value_table.h"

namespace tolmek::test {
namespace {

constexpr int k16F84 = 3;
constexpr int k16F877 = 23;
constexpr int k12C508A = 30;
constexpr int kChips[] = {k16F84, k16F877, k12C508A};

bool HaveTools() { return HaveGpasm() && HaveGpsim(); }
bool Core12(int type) { return type == k12C508A; }

bool Relation(int op, long a, long b) {
  switch (op) {
    case 0: return a > b;
    case 1: return a >= b;
    case 2: return a == b;
    case 3: return a <= b;
    case 4: return a < b;
    default: return a != b;
  }
}

using Inputs = std::vector<std::pair<std::string, bool>>;  // variables set from outside, word or not

// Runs the rows on the chip and in the simulator. The input variables get their cells on the chip from
// the analysis directly (nothing in the program writes them, so a value written from outside stays); the
// simulator learns them from blocks that write each with its own value.
void ExpectBoth(WriterFixture& f, const std::vector<ValueRow>& rows, const std::string& name, const Inputs& inputs) {
  ScratchDir dir(name + "_" + std::to_string(f.project().Mcu.ProcessorType));
  f.analysis.AfterDeclarations = [&](Analysis& a) {
    for (const auto& [variable, wide] : inputs) {
      a.RegisterVariable(variable);
      if (wide) a.RegisterVariable(variable + "_HI");
    }
  };
  {
    SCOPED_TRACE("on the chip");
    ExpectOnChip(f, rows, dir);
  }
  for (const auto& [variable, wide] : inputs) KeepVariable(f.tp, variable, wide);
  SCOPED_TRACE("tolmekc simulate");
  ExpectSimulated(f.project(), rows, dir);
}

// Six relations in five groups: AV ? BV and WV ? V with variables, 100 ? BV and 1000 ? V (taken the other way
// round on the 12-bit core), AV ? 100; and two decided at generation.
TEST(ArithGpsim, ComparatorEveryRelationAtEqualBelowAndAbove) {
  if (!HaveTools()) GTEST_SKIP() << "gpasm/gpsim not installed";
  for (int type : kChips) {
    SCOPED_TRACE(type);
    WriterFixture f(type);
    const std::string a = Core12(type) ? "AV" : "RB";  // a port byte where the part has one
    struct Group {
      const char* out;
      const char* x;
      const char* y;
      bool wide;
    };
    const Group groups[] = {{"FB", nullptr, "BV", false},
                            {"G", "WV", "V", true},
                            {"H", "100", "BV", false},
                            {"K", "1000", "V", true},
                            {"L", nullptr, "100", false}};
    for (const Group& g : groups)
      for (uint8_t op = 0; op < 6; ++op) {
        auto& v = f.tp.Add<TObjVergl>(kind::Vergl);
        v.SetCompareOp(op);
        v.SetWidth16(g.wide);
        v.A().SetName(g.x ? g.x : a);
        v.B().SetName(g.y);
        v.Output().SetName(std::string(g.out) + "." + std::to_string(op));
      }
    auto& fixed = f.tp.Add<TObjVergl>(kind::Vergl);
    fixed.SetCompareOp(TObjVergl::GreaterEqual);
    fixed.A().SetName("5");
    fixed.B().SetName("5");
    fixed.Output().SetName("M.0");
    auto& masked = f.tp.Add<TObjVergl>(kind::Vergl);  // 300 is 44 in a byte
    masked.SetCompareOp(TObjVergl::Equal);
    masked.A().SetName("300");
    masked.B().SetName("44");
    masked.Output().SetName("M.1");

    const long as[] = {5, 4, 6, 0, 255, 100, 100};
    const long bs[] = {5, 5, 5, 255, 0, 100, 101};
    const long ws[] = {1000, 999, 1001, 256, 255, 0x1234, 65535};
    const long vs[] = {1000, 1000, 1000, 255, 256, 0x1334, 0};
    std::vector<ValueRow> rows;
    for (size_t r = 0; r < 7; ++r) {
      ValueRow row;
      row.in = {{a, as[r]}, {"BV", bs[r]}, {"WV", ws[r]}, {"V", vs[r]}};
      for (int op = 0; op < 6; ++op) {
        const std::string n = "." + std::to_string(op);
        row.out["FB" + n] = Relation(op, as[r], bs[r]);
        row.out["G" + n] = Relation(op, ws[r], vs[r]);
        row.out["H" + n] = Relation(op, 100, bs[r]);
        row.out["K" + n] = Relation(op, 1000, vs[r]);
        row.out["L" + n] = Relation(op, as[r], 100);
      }
      row.out["M.0"] = 1;
      row.out["M.1"] = 1;
      rows.push_back(row);
    }
    Inputs inputs;
    if (Core12(type)) inputs.push_back({"AV", false});
    inputs.push_back({"BV", false});
    inputs.push_back({"WV", true});
    inputs.push_back({"V", true});
    ExpectBoth(f, rows, "arith_vergl", inputs);
  }
}

long Apply8(uint8_t op, long a, long b) { return TObjMathe::Compute(op, a, b, false); }

TEST(ArithGpsim, EightBitArithmeticWithVariablesAndConstants) {
  if (!HaveTools()) GTEST_SKIP() << "gpasm/gpsim not installed";
  for (int type : kChips) {
    SCOPED_TRACE(type);
    WriterFixture f(type);
    const std::string a = Core12(type) ? "AV" : "RB";
    struct Form {
      const char* result;
      uint8_t op;
      const char* x;  // nullptr: the input A
      const char* y;
      bool wide = false;
    };
    const std::vector<Form> forms = {
        {"R1", TObjMathe::Add, nullptr, "BV"},       {"R2", TObjMathe::Subtract, nullptr, "BV"},
        {"R3", TObjMathe::Multiply, nullptr, "BV"},  {"R4", TObjMathe::Divide, nullptr, "BV"},
        {"R5", TObjMathe::Add, "200", "BV"},         {"R6", TObjMathe::Subtract, "10", "BV"},
        {"R7", TObjMathe::Add, nullptr, "100"},     {"R8", TObjMathe::Subtract, nullptr, "100"},
        {"R9", TObjMathe::Divide, "200", "BV"},      {"R10", TObjMathe::Multiply, nullptr, "3"},
        {"C1", TObjMathe::Multiply, "12", "11"},    {"C2", TObjMathe::Divide, "7", "0"},
        {"C3", TObjMathe::Multiply, "300", "200", true}, {"C4", TObjMathe::Add, "65535", "1", true}};
    for (const Form& form : forms) {
      auto& m = f.tp.Add<TObjMathe>(kind::Mathe);
      m.SetOperation(form.op);
      m.SetWidth16(form.wide);
      m.A().SetName(form.x ? form.x : a);
      m.B().SetName(form.y);
      m.Result().SetName(form.result);
    }
    const long as[] = {200, 5, 13, 0, 255, 100, 7};
    const long bs[] = {100, 0, 11, 1, 255, 7, 100};
    std::vector<ValueRow> rows;
    for (size_t r = 0; r < 7; ++r) {
      ValueRow row;
      row.in = {{a, as[r]}, {"BV", bs[r]}};
      row.out = {{"R1", Apply8(TObjMathe::Add, as[r], bs[r])},
                 {"R2", Apply8(TObjMathe::Subtract, as[r], bs[r])},
                 {"R3", Apply8(TObjMathe::Multiply, as[r], bs[r])},
                 {"R4", Apply8(TObjMathe::Divide, as[r], bs[r])},
                 {"R5", (200 + bs[r]) & 255},
                 {"R6", (10 - bs[r]) & 255},
                 {"R7", (as[r] + 100) & 255},
                 {"R8", (as[r] - 100) & 255},
                 {"R9", bs[r] ? 200 / bs[r] : 255},
                 {"R10", (as[r] * 3) & 255},
                 {"C1", 132},
                 {"C2", 255},
                 {"C3", 60000},
                 {"C4", 0}};
      rows.push_back(row);
    }
    Inputs inputs;
    if (Core12(type)) inputs.push_back({"AV", false});
    inputs.push_back({"BV", false});
    ExpectBoth(f, rows, "arith_mathe8", inputs);
  }
}

// Carries and borrows between the bytes, products and quotients of words, a division by zero.
TEST(ArithGpsim, SixteenBitArithmeticCarriesAndBorrows) {
  if (!HaveTools()) GTEST_SKIP() << "gpasm/gpsim not installed";
  for (int type : kChips) {
    SCOPED_TRACE(type);
    WriterFixture f(type);
    struct Form {
      const char* result;
      uint8_t op;
      const char* x;
      const char* y;
    };
    const Form forms[] = {{"S1", TObjMathe::Add, "WV", "V"},       {"S2", TObjMathe::Subtract, "WV", "V"},
                          {"S3", TObjMathe::Multiply, "WV", "V"},  {"S4", TObjMathe::Divide, "WV", "V"},
                          {"S5", TObjMathe::Subtract, "1000", "V"}, {"S6", TObjMathe::Add, "WV", "300"}};
    for (const Form& form : forms) {
      auto& m = f.tp.Add<TObjMathe>(kind::Mathe);
      m.SetOperation(form.op);
      m.SetWidth16(true);
      m.A().SetName(form.x);
      m.B().SetName(form.y);
      m.Result().SetName(form.result);
    }
    const long ws[] = {65535, 1000, 300, 60000, 1234, 256, 0x00FF};
    const long vs[] = {1, 1001, 200, 7, 0, 255, 0x0001};
    std::vector<ValueRow> rows;
    for (size_t r = 0; r < 7; ++r) {
      ValueRow row;
      row.in = {{"WV", ws[r]}, {"V", vs[r]}};
      row.out = {{"S1", (ws[r] + vs[r]) & 0xFFFF},
                 {"S2", (ws[r] - vs[r]) & 0xFFFF},
                 {"S3", (ws[r] * vs[r]) & 0xFFFF},
                 {"S4", vs[r] ? ws[r] / vs[r] : 65535},
                 {"S5", (1000 - vs[r]) & 0xFFFF},
                 {"S6", (ws[r] + 300) & 0xFFFF}};
      rows.push_back(row);
    }
    Inputs inputs;
    inputs.push_back({"WV", true});
    inputs.push_back({"V", true});
    ExpectBoth(f, rows, "arith_mathe16", inputs);
  }
}

TEST(ArithGpsim, LimiterAtBothLimits) {
  if (!HaveTools()) GTEST_SKIP() << "gpasm/gpsim not installed";
  for (int type : kChips) {
    SCOPED_TRACE(type);
    WriterFixture f(type);
    const std::string x = Core12(type) ? "X" : "RB";
    struct Form {
      const char* out;
      const char* in;
      const char* upper;
      const char* lower;
      const char* flags;  // upper flag, lower flag
      bool wide;
    };
    const Form forms[] = {{"Y1", nullptr, "200", "50", "PF.0 PF.1", false},
                          {"Y2", nullptr, "100", "0", "PF.2 PF.3", false},
                          {"Y3", nullptr, "UV", "LV", "PF.4 PF.5", false},
                          {"Y4", "XW", "1000", "300", "Q.0 Q.1", true},
                          {"Y5", "XW", "UW", "LW", "Q.2 Q.3", true}};
    for (const Form& form : forms) {
      auto& l = f.tp.Add<TObjLimit>(kind::Limit);
      l.SetWidth16(form.wide);
      l.In().SetName(form.in ? form.in : x);
      l.UpperLimit = form.upper;
      l.LowerLimit = form.lower;
      l.Output().SetName(form.out);
      const std::string flags = form.flags;
      const size_t space = flags.find(' ');
      l.UpperFlag().SetName(flags.substr(0, space));
      l.LowerFlag().SetName(flags.substr(space + 1));
    }
    const long xs[] = {0, 49, 50, 51, 199, 200, 201, 255};
    const long xws[] = {0, 255, 256, 300, 999, 1000, 1001, 65535};
    std::vector<ValueRow> rows;
    for (size_t r = 0; r < 8; ++r) {
      ValueRow row;
      row.in = {{x, xs[r]}, {"UV", 150}, {"LV", 20}, {"XW", xws[r]}, {"UW", 800}, {"LW", 256}};
      auto expect = [&](const char* out, const char* up, const char* low, long in, long u, long l) {
        const auto o = TObjLimit::Clamp(in, u, l);
        row.out[out] = o.value;
        row.out[up] = o.upper;
        row.out[low] = o.lower;
      };
      expect("Y1", "PF.0", "PF.1", xs[r], 200, 50);
      expect("Y2", "PF.2", "PF.3", xs[r], 100, 0);
      expect("Y3", "PF.4", "PF.5", xs[r], 150, 20);
      expect("Y4", "Q.0", "Q.1", xws[r], 1000, 300);
      expect("Y5", "Q.2", "Q.3", xws[r], 800, 256);
      rows.push_back(row);
    }
    Inputs inputs;
    if (Core12(type)) inputs.push_back({"X", false});
    inputs.push_back({"UV", false});
    inputs.push_back({"LV", false});
    inputs.push_back({"XW", true});
    inputs.push_back({"UW", true});
    inputs.push_back({"LW", true});
    ExpectBoth(f, rows, "arith_limit", inputs);
  }
}

}  // namespace
}  // namespace tolmek::test
