// The bundled sample data folder, read through the real catalogue and strip
// generator: every list is usable, every strip of every template generates
// with any seed, and everything it names loads and fits.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "base/log_file.h"
#include "core/picture/pcx_decode.h"
#include "core/random/random_source.h"
#include "core/show/comic_catalog.h"
#include "core/show/settings.h"
#include "core/strip/strip_randomizer.h"
#include "support/test_files.h"

namespace {

constexpr int kStripHeight = 339;
// The screen of the end-to-end runs; the smallest the sample is made for.
constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;

// The folder in the form the saver uses: ZORBEL_SAMPLE_DIR from the
// environment as it is, else the source tree's data/sample (on Windows
// through Wine's drive for the root).
std::string sampleDir() {
  if (const char* env = std::getenv("ZORBEL_SAMPLE_DIR")) return env;
  return saverPath(ZORBEL_SAMPLE_DIR);
}

struct Picture {
  bool loaded = false;
  int32_t width = 0;
  int32_t height = 0;
};

bool endsWith(const std::string& s, const char* tail) {
  size_t n = std::strlen(tail);
  return s.size() >= n && s.compare(s.size() - n, n, tail) == 0;
}

uint32_t le32(const std::string& b, size_t at) {
  return uint32_t(uint8_t(b[at])) | uint32_t(uint8_t(b[at + 1])) << 8 |
         uint32_t(uint8_t(b[at + 2])) << 16 | uint32_t(uint8_t(b[at + 3])) << 24;
}

// Decodes a PCX file whole, or checks a BMP file's headers and size.
Picture loadPicture(const std::string& path) {
  Picture p;
  std::string bytes = readFileBytes(path);
  if (endsWith(path, ".bmp")) {
    if (bytes.size() < 54 || bytes.compare(0, 2, "BM") != 0) return p;
    int32_t w = int32_t(le32(bytes, 18));
    int32_t h = int32_t(le32(bytes, 22));
    uint16_t bits = uint16_t(uint8_t(bytes[28]) | uint8_t(bytes[29]) << 8);
    size_t stride = (size_t(w) * 3 + 3) & ~size_t(3);
    if (bits != 24 || w <= 0 || h <= 0 || bytes.size() < le32(bytes, 10) + stride * size_t(h)) {
      return p;
    }
    return {true, w, h};
  }
  if (bytes.size() < pcx::kHeaderSize) return p;
  const uint8_t* data = reinterpret_cast<const uint8_t*>(bytes.data());
  pcx::Layout layout;
  if (!pcx::formatAccepted(data) || pcx::layoutOf(data, &layout) != pcx::LayoutResult::ok) {
    return p;
  }
  std::vector<uint8_t> line(layout.lineBytes), picture(layout.pictureBytes);
  // The data must hold every row: a short file is a broken picture here.
  if (!pcx::decode(data + pcx::kHeaderSize, bytes.size() - pcx::kHeaderSize, layout, line.data(),
                   picture.data())) {
    return p;
  }
  return {true, layout.width, layout.height};
}

std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> lines(1);
  for (char c : text) {
    if (c == '\\') {
      lines.emplace_back();
    } else {
      lines.back() += c;
    }
  }
  return lines;
}

class SampleData : public testing::Test {
 protected:
  void SetUp() override {
    own_.setDefaults();
    dir_ = sampleDir();
    ASSERT_LT(dir_.size(), sizeof own_.directory);
    std::strcpy(own_.directory, dir_.c_str());
    // The log goes to a folder of the test's own, not into the sample.
    logFile().open(logDir_.file("error.log").c_str(), "");
  }
  void TearDown() override { logFile().close(); }
  std::string path(const std::string& name) const { return dir_ + "\\" + name; }
  std::string log() {
    logFile().close();
    std::string bytes = readFileBytes(logDir_.file("error.log"));
    logFile().open(logDir_.file("error.log").c_str(), "");
    return bytes;
  }
  std::vector<std::string> templates(const ComicCatalog& c) const {
    std::vector<std::string> out;
    for (int list = 0; list < kComicLists; ++list) {
      if (list % 3 == TypeOfficial) continue;
      for (ComicEntry* e = c.listHead[list]; e != nullptr; e = e->next) out.push_back(e->fileName);
    }
    return out;
  }

  // A generated strip: status 0, three panel pictures that load at the
  // strip height, and text boxes whose lines stay inside their panel.
  void expectStripFits(StripRandomizer& r, const std::string& where) {
    ASSERT_EQ(r.statusCode(), Ready) << where << ": " << r.statusMessage();
    int32_t total = 20;
    for (int i = 0; i < 3; ++i) {
      const StripPanel& panel = r.panel(i);
      Picture pic = loadPicture(path(panel.imageFile));
      ASSERT_TRUE(pic.loaded) << where << ": panel " << i << " " << panel.imageFile;
      EXPECT_EQ(pic.height, kStripHeight) << panel.imageFile;
      EXPECT_GE(pic.width, 200) << panel.imageFile;
      EXPECT_LE(pic.width, 300) << panel.imageFile;
      total += pic.width;
      for (StripTextbox* box = panel.textboxes; box != nullptr; box = box->nextBox) {
        std::string text = box->text;
        ASSERT_FALSE(text.empty()) << where;
        if (text == ".") continue;
        std::vector<std::string> lines = splitLines(text);
        // The double-size font is 2 x size + 8 high; lines stand 16 apart.
        int32_t bottom = box->textY + 16 * int32_t(lines.size() - 1) + 2 * box->textSize + 8;
        EXPECT_LT(bottom, kStripHeight) << where << ": " << text;
        EXPECT_GE(box->textSize, 8) << where << ": " << text;
        EXPECT_LE(box->textSize, 10) << where << ": " << text;
        for (const std::string& line : lines) {
          EXPECT_FALSE(line.empty()) << where << ": " << text;
          // Bold rounded lettering, generously: 0.75 x (size + 4) a letter.
          int32_t width = int32_t(line.size()) * (box->textSize + 4) * 3 / 4;
          EXPECT_LE(width, pic.width - 10) << where << ": " << line;
        }
        // The tail points at a speaker inside the panel, or is left out.
        if (box->tailY < kStripHeight) {
          EXPECT_LT(box->tailX, pic.width - 3) << where;
        }
      }
    }
    // Room on the screen for the strip to be placed.
    EXPECT_LT(total, kScreenWidth) << where;
  }

  SaverSettings own_{};
  std::string dir_;
  TempDir logDir_;
};

TEST_F(SampleData, CatalogueUsesEveryListAndPopupForm) {
  ComicCatalog c;
  ASSERT_TRUE(c.load(path("comics.ini").c_str(), own_));
  EXPECT_EQ(log(), "") << "comics.ini has a line the catalogue does not take";
  for (int list = 0; list < kComicLists; ++list) {
    EXPECT_GT(c.listCount[list], 0) << "list " << list;
    if (list % 3 != TypeOfficial) {
      EXPECT_GE(c.totalWeight(list / 3, list % 3), 5) << "list " << list;
    }
  }
  ASSERT_GE(c.popupCount, 3);
  bool withSound = false, captionOnly = false, bare = false;
  for (PopupEntry* p = c.popupHead; p != nullptr; p = p->next) {
    Picture pic = loadPicture(path(p->fileName));
    EXPECT_TRUE(pic.loaded) << p->fileName;
    // The caption stands 30 rows above the picture, inside the screen.
    EXPECT_LT(pic.height + 30 + 25, kScreenHeight) << p->fileName;
    if (p->soundName[0] != '\0') {
      withSound = true;
      EXPECT_NE(p->caption[0], '\0') << p->fileName;
      std::string wav = readFileBytes(path(p->soundName));
      ASSERT_GT(wav.size(), 44u) << p->soundName;
      EXPECT_EQ(wav.substr(0, 4), "RIFF");
      EXPECT_EQ(wav.substr(8, 4), "WAVE");
    } else if (p->caption[0] != '\0') {
      captionOnly = true;
    } else {
      bare = true;
    }
    EXPECT_EQ(std::strchr(p->caption, '"'), nullptr) << p->caption;
  }
  EXPECT_TRUE(withSound && captionOnly && bare);
}

TEST_F(SampleData, FinishedComicsLogoAndErrorPictureLoad) {
  ComicCatalog c;
  ASSERT_TRUE(c.load(path("comics.ini").c_str(), own_));
  std::set<std::string> kinds;
  for (int group = 0; group < 2; ++group) {
    for (ComicEntry* e = c.listHead[group * 3 + TypeOfficial]; e != nullptr; e = e->next) {
      std::string name = e->fileName;
      Picture pic = loadPicture(path(name));
      ASSERT_TRUE(pic.loaded) << name;
      // Smaller than the screen, so it has a place to go.
      EXPECT_LT(pic.width, kScreenWidth) << name;
      EXPECT_LT(pic.height, kScreenHeight) << name;
      kinds.insert(name.substr(name.size() - 3));
    }
  }
  EXPECT_EQ(kinds, (std::set<std::string>{"bmp", "pcx"}));

  Picture logo = loadPicture(path("ZBLogo.pcx"));
  ASSERT_TRUE(logo.loaded);
  EXPECT_EQ(logo.width, 278);
  EXPECT_EQ(logo.height, 180);
  Picture error = loadPicture(path("error.pcx"));
  ASSERT_TRUE(error.loaded);
  // The message goes 3 rows below the picture, centred on the screen.
  EXPECT_LT(error.height + 20 + 40, kScreenHeight);
}

TEST_F(SampleData, EveryStripOfEveryTemplateGeneratesWithManySeeds) {
  ComicCatalog c;
  ASSERT_TRUE(c.load(path("comics.ini").c_str(), own_));
  std::vector<std::string> files = templates(c);
  ASSERT_GE(files.size(), 3u);
  int strips = 0;
  for (const std::string& file : files) {
    EXPECT_GE(templateWeight(own_.directory, file.c_str()), 5) << file;
    std::vector<std::string> names;
    {
      StripRandomizer lister(path(file).c_str());
      for (const StripName* n = lister.stripNames(); n != nullptr; n = n->nextName) {
        names.push_back(n->name);
      }
    }
    ASSERT_GE(names.size(), 5u) << file;
    for (const std::string& name : names) {
      for (uint32_t seed : {1u, 2u, 7u, 42u, 1000u, 65535u}) {
        RandomSource random;
        random.seed(seed);
        StripRandomizer r(path(file).c_str());
        r.readStrip(name.c_str(), random);
        expectStripFits(r, file + " [" + name + "] seed " + std::to_string(seed));
        ++strips;
      }
    }
  }
  EXPECT_GE(strips, 3 * 5 * 6);
  EXPECT_EQ(log(), "");
}

TEST_F(SampleData, RandomPicksFromEveryTemplateSucceed) {
  ComicCatalog c;
  ASSERT_TRUE(c.load(path("comics.ini").c_str(), own_));
  for (const std::string& file : templates(c)) {
    RandomSource random;
    random.seed(20261207);
    for (int i = 0; i < 40; ++i) {
      StripRandomizer r(path(file).c_str());
      r.pickRandomStrip(random);
      expectStripFits(r, file + " pick " + std::to_string(i));
    }
  }
}

}  // namespace
