// Strip generation from template files of a realistic size (20 strips, 30
// categories of 50 entries) and of 10 and 100 times that. Every strip loads
// the file, lists its strips and rescans it from the top for each panel and
// text box, so the cost should grow linearly with the file.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "core/random/random_source.h"
#include "core/strip/strip_randomizer.h"

namespace {

// The generator the strips draw from, as a show's own would be.
RandomSource generator;

// scale 1: 20 strips, 10 picture and 20 text categories of 50 entries.
std::string makeTemplate(int scale) {
  const int strips = 20 * scale;
  const int pictures = 10 * scale;
  const int texts = 20 * scale;
  std::string out;
  for (int s = 0; s < strips; ++s) {
    out += "[cartoon strip" + std::to_string(s) + "]\n";
    for (int p = 0; p < 3; ++p) {
      out += "pictures" + std::to_string((s * 3 + p) % pictures) + "\n";
      for (int b = 0; b < (s + p) % 3; ++b) {
        out += "  40\n  20\n  60\n  150\n  8\n";
        out += "  words" + std::to_string((s * 7 + p * 3 + b) % texts) + "  # speech\n";
      }
      out += "end\n";
    }
  }
  for (int c = 0; c < pictures; ++c) {
    out += "[pictures" + std::to_string(c) + "]\n";
    for (int e = 0; e < 50; ++e)
      out += "panel_" + std::to_string(c) + "_" + std::to_string(e) + ".pcx\n";
    out += "end\n";
  }
  for (int c = 0; c < texts; ++c) {
    out += "[words" + std::to_string(c) + "]\n";
    for (int e = 0; e < 50; ++e) {
      out += "Line " + std::to_string(e) + " of the words, long enough to look like speech.\n";
    }
    out += "end\n";
  }
  return out;
}

struct TemplateFile {
  std::string path;
  size_t bytes = 0;
  explicit TemplateFile(int scale) {
    char dir[] = "/tmp/zorbel_strip_bench_XXXXXX";
    if (mkdtemp(dir) == nullptr) std::abort();
    path = std::string(dir) + "/template" + std::to_string(scale) + ".txt";
    std::string text = makeTemplate(scale);
    bytes = text.size();
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr || std::fwrite(text.data(), 1, text.size(), f) != text.size()) std::abort();
    std::fclose(f);
    dir_ = dir;
  }
  ~TemplateFile() {
    std::remove(path.c_str());
    rmdir(dir_.c_str());
  }

 private:
  std::string dir_;
};

const TemplateFile& templateOf(int scale) {
  static const TemplateFile one(1), ten(10), hundred(100);
  return scale == 1 ? one : scale == 10 ? ten : hundred;
}

// One strip as the show makes it: load, list, pick, read, randomize.
void BM_GenerateStrip(benchmark::State& state) {
  const TemplateFile& file = templateOf(static_cast<int>(state.range(0)));
  generator.seed(4357);
  for (auto _ : state) {
    StripRandomizer r(file.path.c_str());
    r.pickRandomStrip(generator);
    if (r.statusCode() != Ready) state.SkipWithError(r.statusMessage());
    benchmark::DoNotOptimize(r.panel(2).imageFile[0]);
  }
  state.SetItemsProcessed(state.iterations());
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(file.bytes));
  state.counters["file_kB"] = static_cast<double>(file.bytes) / 1024.0;
}
BENCHMARK(BM_GenerateStrip)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMicrosecond);

// Counting the strips of a file, as the catalogue does at start-up.
void BM_CountStrips(benchmark::State& state) {
  const TemplateFile& file = templateOf(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    StripRandomizer r;
    r.loadTemplateFile(file.path.c_str());
    benchmark::DoNotOptimize(r.stripCount());
  }
  state.SetItemsProcessed(state.iterations());
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(file.bytes));
  state.counters["file_kB"] = static_cast<double>(file.bytes) / 1024.0;
}
BENCHMARK(BM_CountStrips)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
