// PCX decoding of a 4000 x 3000 24-bit picture, photographic and flat, next
// to another library's PCX loader, a whole pcxtoppm process and a plain
// memcpy of the decoded bytes. Throughput is in bytes of decoded pixels.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "core/picture/pcx_decode.h"

#ifdef ZORBEL_HAVE_SDL_IMAGE
#include <SDL.h>
#include <SDL_image.h>
#endif

namespace {

using Bytes = std::vector<uint8_t>;

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;

void encodeRun(Bytes& out, uint8_t value, int count) {
  while (count > 0) {
    int n = count > 63 ? 63 : count;
    if (n == 1 && value < 0xC0) {
      out.push_back(value);
    } else {
      out.push_back(static_cast<uint8_t>(0xC0 | n));
      out.push_back(value);
    }
    count -= n;
  }
}

// rgb: top-down rows of red, green, blue.
Bytes encodePcx(const Bytes& rgb, int width, int height) {
  Bytes f(pcx::kHeaderSize, 0);
  f[0] = 10, f[1] = 5, f[2] = 1, f[3] = 8, f[65] = 3;
  f[8] = static_cast<uint8_t>((width - 1) & 0xFF), f[9] = static_cast<uint8_t>((width - 1) >> 8);
  f[10] = static_cast<uint8_t>((height - 1) & 0xFF),
  f[11] = static_cast<uint8_t>((height - 1) >> 8);
  int plane = width + (width & 1);
  f[66] = static_cast<uint8_t>(plane & 0xFF), f[67] = static_cast<uint8_t>(plane >> 8);
  f[68] = 1;
  Bytes line(3 * plane);
  for (int y = 0; y < height; ++y) {
    for (int c = 0; c < 3; ++c)
      for (int x = 0; x < plane; ++x)
        line[c * plane + x] = x < width ? rgb[3 * (size_t(y) * width + x) + c] : 0;
    // Runs stay within each plane, as common writers make them.
    for (int c = 0; c < 3; ++c) {
      const uint8_t* p = line.data() + c * plane;
      for (int x = 0; x < plane;) {
        int n = 1;
        while (x + n < plane && p[x + n] == p[x]) ++n;
        encodeRun(f, p[x], n);
        x += n;
      }
    }
  }
  return f;
}

Bytes makePicture(bool photographic) {
  Bytes rgb(size_t(kWidth) * kHeight * 3);
  unsigned state = 12345;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      uint8_t* p = &rgb[3 * (size_t(y) * kWidth + x)];
      if (photographic) {
        state = state * 1664525u + 1013904223u;
        int noise = static_cast<int>(state >> 27) - 16;
        auto clamp = [](int v) { return static_cast<uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v); };
        p[0] = clamp(x * 255 / kWidth + noise);
        p[1] = clamp(y * 255 / kHeight + noise / 2);
        p[2] = clamp(128 + ((x ^ y) & 63) + noise);
      } else {
        // Comic-like: large flat areas with black outlines.
        bool outline = x % 200 < 3 || y % 150 < 3;
        uint8_t shade = static_cast<uint8_t>(((x / 200) * 37 + (y / 150) * 91) & 0xFF);
        p[0] = outline ? 0 : shade;
        p[1] = outline ? 0 : static_cast<uint8_t>(255 - shade);
        p[2] = outline ? 0 : 230;
      }
    }
  return rgb;
}

const Bytes& file(bool photographic) {
  static Bytes photo = encodePcx(makePicture(true), kWidth, kHeight);
  static Bytes flat = encodePcx(makePicture(false), kWidth, kHeight);
  return photographic ? photo : flat;
}

const std::string& filePath(bool photographic) {
  static std::string paths[2];
  std::string& p = paths[photographic ? 1 : 0];
  if (p.empty()) {
    p = std::string("/tmp/zorbel-pcx-bench-") + (photographic ? "photo" : "flat") + ".pcx";
    FILE* out = std::fopen(p.c_str(), "wb");
    const Bytes& f = file(photographic);
    std::fwrite(f.data(), 1, f.size(), out);
    std::fclose(out);
  }
  return p;
}

constexpr int64_t kPixelBytes = int64_t{kWidth} * kHeight * 3;

void BM_OurDecoder(benchmark::State& state) {
  const Bytes& f = file(state.range(0) != 0);
  pcx::Layout layout;
  pcx::layoutOf(f.data(), &layout);
  Bytes picture(layout.pictureBytes), line(layout.lineBytes);
  for (auto _ : state) {
    bool ok = pcx::decode(f.data() + pcx::kHeaderSize, f.size() - pcx::kHeaderSize, layout,
                          line.data(), picture.data());
    benchmark::DoNotOptimize(ok);
    benchmark::DoNotOptimize(picture.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * kPixelBytes);
  state.counters["file_MB"] = static_cast<double>(f.size()) / 1e6;
}
BENCHMARK(BM_OurDecoder)->ArgName("photo")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

#ifdef ZORBEL_HAVE_SDL_IMAGE
void BM_SdlImagePcx(benchmark::State& state) {
  const Bytes& f = file(state.range(0) != 0);
  for (auto _ : state) {
    SDL_RWops* rw = SDL_RWFromConstMem(f.data(), static_cast<int>(f.size()));
    SDL_Surface* s = IMG_LoadPCX_RW(rw);
    if (s == nullptr) {
      state.SkipWithError(IMG_GetError());
      SDL_RWclose(rw);
      break;
    }
    benchmark::DoNotOptimize(s->pixels);
    SDL_FreeSurface(s);
    SDL_RWclose(rw);
  }
  state.SetBytesProcessed(state.iterations() * kPixelBytes);
}
BENCHMARK(BM_SdlImagePcx)->ArgName("photo")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);
#endif

void BM_PcxtoppmProcess(benchmark::State& state) {
  std::string command = "pcxtoppm " + filePath(state.range(0) != 0) + " >/dev/null 2>&1";
  if (std::system("command -v pcxtoppm >/dev/null") != 0) {
    state.SkipWithError("pcxtoppm not installed");
    return;
  }
  for (auto _ : state) {
    int rc = std::system(command.c_str());
    benchmark::DoNotOptimize(rc);
  }
  state.SetBytesProcessed(state.iterations() * kPixelBytes);
}
BENCHMARK(BM_PcxtoppmProcess)
    ->ArgName("photo")
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_Memcpy(benchmark::State& state) {
  Bytes from(kPixelBytes, 1), to(kPixelBytes);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), from.size());
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * kPixelBytes);
}
BENCHMARK(BM_Memcpy)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
