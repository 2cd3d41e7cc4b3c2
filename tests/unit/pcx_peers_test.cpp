// Our decoder against the PCX readers of other programs, on files that
// other programs wrote. Native only: it runs the image tools of the host.
#ifndef _WIN32

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/picture/pcx_decode.h"
#include "support/test_files.h"

namespace {

using Bytes = std::vector<uint8_t>;

struct Rgb {
  int width = 0;
  int height = 0;
  Bytes pixels;  // top-down, red green blue
};

bool haveTools() {
  return std::system(
             "command -v convert >/dev/null && command -v ppmtopcx >/dev/null && "
             "command -v pcxtoppm >/dev/null") == 0;
}

std::string unixPath(std::string p) {
  for (char& c : p)
    if (c == '\\') c = '/';
  return p;
}

Bytes slurp(const std::string& path) {
  std::ifstream in(unixPath(path), std::ios::binary);
  return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void writePpm(const std::string& path, const Rgb& picture) {
  std::ofstream out(unixPath(path), std::ios::binary);
  out << "P6\n" << picture.width << " " << picture.height << "\n255\n";
  out.write(reinterpret_cast<const char*>(picture.pixels.data()),
            static_cast<std::streamsize>(picture.pixels.size()));
}

// Binary PPM with maxval 255, as both peers write it.
Rgb readPpm(const std::string& path) {
  Bytes bytes = slurp(path);
  Rgb out;
  std::string text(bytes.begin(), bytes.end());
  std::istringstream in(text);
  std::string magic;
  int maxval = 0;
  in >> magic >> out.width >> out.height >> maxval;
  EXPECT_EQ(magic, "P6");
  EXPECT_EQ(maxval, 255);
  size_t start = static_cast<size_t>(in.tellg()) + 1;
  out.pixels.assign(bytes.begin() + static_cast<long>(start), bytes.end());
  EXPECT_EQ(out.pixels.size(), static_cast<size_t>(3 * out.width * out.height));
  return out;
}

bool ourDecode(const std::string& path, Rgb* out) {
  Bytes file = slurp(path);
  if (file.size() < pcx::kHeaderSize || !pcx::formatAccepted(file.data())) return false;
  pcx::Layout layout;
  if (pcx::layoutOf(file.data(), &layout) != pcx::LayoutResult::ok) return false;
  Bytes picture(layout.pictureBytes), line(layout.lineBytes);
  if (!pcx::decode(file.data() + pcx::kHeaderSize, file.size() - pcx::kHeaderSize, layout,
                   line.data(), picture.data()))
    return false;
  out->width = layout.width;
  out->height = layout.height;
  out->pixels.clear();
  for (int y = 0; y < layout.height; ++y) {
    const uint8_t* row =
        picture.data() + static_cast<size_t>(layout.height - 1 - y) * layout.stride;
    for (int x = 0; x < layout.width; ++x) {
      out->pixels.push_back(row[3 * x + 2]);
      out->pixels.push_back(row[3 * x + 1]);
      out->pixels.push_back(row[3 * x]);
    }
  }
  return true;
}

// Smooth colour ramps with noise (literal-heavy data, many bytes of 192 and
// more) next to flat blocks (long runs, runs across plane ends).
Rgb makePicture(int width, int height, unsigned seed) {
  Rgb p;
  p.width = width;
  p.height = height;
  unsigned state = seed;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      state = state * 1664525u + 1013904223u;
      bool flat = ((x / 16) + (y / 8)) % 3 == 0;
      int noise = flat ? 0 : static_cast<int>(state >> 28) - 8;
      auto clamp = [](int v) { return static_cast<uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v); };
      p.pixels.push_back(clamp(flat ? 200 : x * 255 / width + noise));
      p.pixels.push_back(clamp(flat ? 200 : y * 255 / height + noise));
      p.pixels.push_back(clamp(flat ? 17 : 128 + (x - y) + noise));
    }
  return p;
}

int run(const std::string& command) { return std::system(command.c_str()); }

}  // namespace

TEST(PcxPeers, SamepixelsAsOtherReadersOnFilesOfOtherWriters) {
  if (!haveTools()) GTEST_SKIP() << "ImageMagick or netpbm not installed";
  TempDir dir;
  std::string d = unixPath(dir.path());
  const std::pair<int, int> sizes[] = {{1, 1},   {2, 3},  {7, 5},   {8, 4},
                                       {33, 17}, {64, 9}, {301, 40}};
  unsigned seed = 1;
  for (auto [w, h] : sizes) {
    Rgb source = makePicture(w, h, seed++);
    writePpm(d + "/src.ppm", source);
    const std::string writers[] = {
        "convert " + d + "/src.ppm -type TrueColor " + d + "/im.pcx",
        "ppmtopcx -24bit " + d + "/src.ppm > " + d + "/np.pcx 2>/dev/null"};
    const std::string files[] = {d + "/im.pcx", d + "/np.pcx"};
    for (int i = 0; i < 2; ++i) {
      SCOPED_TRACE(writers[i]);
      ASSERT_EQ(run(writers[i]), 0);
      Rgb ours;
      ASSERT_TRUE(ourDecode(files[i], &ours));
      ASSERT_EQ(run("pcxtoppm " + files[i] + " > " + d + "/p1.ppm 2>/dev/null"), 0);
      ASSERT_EQ(run("convert " + files[i] + " -depth 8 " + d + "/p2.ppm"), 0);
      for (const char* peer : {"/p1.ppm", "/p2.ppm"}) {
        Rgb theirs = readPpm(d + peer);
        EXPECT_EQ(ours.width, theirs.width) << peer << " " << w << "x" << h;
        EXPECT_EQ(ours.height, theirs.height) << peer;
        EXPECT_TRUE(ours.pixels == theirs.pixels) << peer << " " << w << "x" << h;
      }
      // And the picture that went in.
      EXPECT_TRUE(ours.pixels == source.pixels) << w << "x" << h;
    }
  }
}

#endif
