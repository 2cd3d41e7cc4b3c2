// The authoring checker inside one process, as the studio runs it while the
// author types: checkFolder on each data folder named on the command line
// (bench/check_bench.sh makes them), with the platform's speech measure.
// The process's own start-up (the font library's) is left out.
#include <benchmark/benchmark.h>

#include <string>

#include "authoring/folder_check.h"

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  for (int i = 1; i < argc; ++i) {
    std::string folder = argv[i];
    benchmark::RegisterBenchmark(("checkFolder/" + folder).c_str(), [folder](
                                                                        benchmark::State& state) {
      for (auto _ : state) {
        Findings findings;
        benchmark::DoNotOptimize(checkFolder(folder.c_str(), findings, platformSpeechMeasure()));
        if (findings.errors() + findings.warnings() > 0) state.SkipWithError("findings");
      }
    })->Unit(benchmark::kMillisecond);
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
