// Generation speed: large gate plans on a 16F877 (several page passes), against the cost of writing the bytes.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "codegen/analysis.h"
#include "codegen/program_writer.h"
#include "components/gatter.h"
#include "model/project.h"

namespace tolmek {
namespace {

struct Plan {
  RecordingSink sink;
  Messenger messages{&sink};
  Project project{messages};
  Analysis analysis{project};
  ProgramWriter writer{project, analysis};

  explicit Plan(int gates) {
    project.Mcu.ProcessorType = 23;  // 16F877
    for (int i = 0; i < gates; ++i) {
      auto& g = static_cast<TObjGatter&>(*project.CreateElement(kind::Gatter, 100 + (i % 20) * 60, 100));
      g.Input(0).Name = "S" + std::to_string(i % 97) + "." + std::to_string(i % 8);
      g.Input(1).Name = "RB." + std::to_string(i % 6);
      g.Output().Name = "S" + std::to_string(i % 89 + 100) + "." + std::to_string(i % 8);
    }
  }
};

std::filesystem::path TempFile(const char* name) { return std::filesystem::temp_directory_path() / name; }

// 2,000 two-input gates need about 15,000 words: the run passes every page boundary of the 16F877 and ends
// with message 39 after the last one.
void BM_Generate2000Gates(benchmark::State& state) {
  Plan plan(2000);
  const std::string path = TempFile("tolmek_bench_2000.ASM").string();
  GenerationResult r;
  for (auto _ : state) {
    plan.sink.entries.clear();
    r = plan.writer.GenerateSource(path);
    benchmark::DoNotOptimize(r);
  }
  state.counters["passes"] = r.Passes;
  state.counters["bytes"] = static_cast<double>(plan.writer.Text().size());
  std::filesystem::remove(path);
}
BENCHMARK(BM_Generate2000Gates)->Unit(benchmark::kMillisecond);

// 600 gates reach the fourth page without overflowing.
void BM_Generate600GatesFitting(benchmark::State& state) {
  Plan plan(600);
  GenerationResult r;
  for (auto _ : state) {
    r = plan.writer.GenerateText();
    benchmark::DoNotOptimize(r);
  }
  state.counters["passes"] = r.Passes;
  state.counters["words"] = r.RomUsed;
  state.counters["out_of_rom"] = r.OutOfRom;
}
BENCHMARK(BM_Generate600GatesFitting)->Unit(benchmark::kMillisecond);

// The floor: writing the same bytes to a file, once plainly and once through temporary file and rename.
void BM_WriteSameBytes(benchmark::State& state) {
  Plan plan(2000);
  plan.writer.GenerateText();
  const std::string text = plan.writer.Text();
  const auto path = TempFile("tolmek_bench_floor.ASM");
  const bool atomic = state.range(0) != 0;
  for (auto _ : state) {
    if (atomic) {
      benchmark::DoNotOptimize(WriteFileAtomically(path.string(), text));
    } else {
      std::ofstream out(path, std::ios::binary | std::ios::trunc);
      out.write(text.data(), static_cast<std::streamsize>(text.size()));
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
  std::filesystem::remove(path);
}
BENCHMARK(BM_WriteSameBytes)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tolmek
