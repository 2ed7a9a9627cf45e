// Generation speed of a 16F877 plan of 200 routing blocks: multiplexers, distributors, tables, table calls
// and data blocks (with two A/D channels), 40 of each.
#include <benchmark/benchmark.h>

#include <string>

#include "codegen/analysis.h"
#include "codegen/program_writer.h"
#include "components/bv.h"
#include "components/call.h"
#include "components/data8.h"
#include "components/mux.h"
#include "components/tabelle.h"
#include "model/project.h"

namespace tolmek {
namespace {

struct RoutePlan {
  RecordingSink sink;
  Messenger messages{&sink};
  Project project{messages};
  Analysis analysis{project};
  ProgramWriter writer{project, analysis};

  RoutePlan() {
    project.Mcu.ProcessorType = 23;  // 16F877
    for (int i = 0; i < 40; ++i) {
      const std::string n = std::to_string(i);
      auto& pack = Create<TObjBv>(kind::Bv, i);
      pack.Configure(TObjBv::kBitToByte, 4 + i % 13);
      for (int b = 0; b < pack.BitCount; ++b) pack.Bit(b).SetName("RB." + std::to_string(b % 8));
      pack.Byte().SetName("P" + n);
      auto& data = Create<TObjData8>(kind::Data8, i);
      data.SetWidth16(i % 2 == 1);
      data.SetName(i % 20 == 0 ? "ADC" + std::to_string(i / 20) : std::to_string(i * 7 % 256));
      auto& mux = Create<TObjMux>(kind::Mux, i);
      mux.Configure(i % 3 == 0 ? TObjMux::kOneToN : TObjMux::kNToOne, false, 2 + i % 7);
      mux.Select().SetName("P" + n);
      for (int c = 0; c < mux.InputCount; ++c) mux.Channel(c).SetName(mux.OneToN() ? "M" + n + "_" + std::to_string(c) : "P" + n);
      mux.Single().SetName(mux.OneToN() ? "P" + n : "M" + n);
      auto& table = Create<TObjTabelle>(kind::Tabelle, i);
      table.SetName("TAB" + n);
      table.Length = uint16_t(8 + i);
      auto& call = Create<TObjCall>(kind::Call, i);
      call.SetName("TAB" + n);
      call.In().SetName("P" + n);
      call.Out().SetName("V" + n);
    }
  }

  template <class T>
  T& Create(uint8_t kindCode, int i) {
    return static_cast<T&>(*project.CreateElement(kindCode, 100 + (i % 20) * 120, 100 + (i / 20) * 300));
  }
};

void BM_Generate200RoutingBlocks(benchmark::State& state) {
  RoutePlan plan;
  GenerationResult r;
  for (auto _ : state) {
    r = plan.writer.GenerateText();
    benchmark::DoNotOptimize(r);
  }
  state.counters["passes"] = r.Passes;
  state.counters["words"] = r.RomUsed;
  state.counters["messages"] = static_cast<double>(plan.sink.entries.size());
}
BENCHMARK(BM_Generate200RoutingBlocks)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tolmek
