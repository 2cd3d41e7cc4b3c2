#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/random/random_source.h"
#include "core/strip/strip_randomizer.h"
#include "support/test_files.h"

namespace {

// The generator the strips draw from, as a show's own would be.
RandomSource generator;

std::string category(const std::string& name, const std::vector<std::string>& entries) {
  std::string out = "[" + name + "]\n";
  for (const std::string& e : entries) out += e + "\n";
  return out + "end\n";
}

// A panel block: picture category, then boxes of six lines each, then end.
std::string panel(const std::string& picture, const std::vector<std::string>& boxes = {}) {
  std::string out = picture + "\n";
  for (const std::string& b : boxes) out += b;
  return out + "end\n";
}

std::string box(const std::string& textCategory,
                const std::string& numbers = "10\n20\n30\n40\n8\n") {
  return numbers + textCategory + "\n";
}

std::string simpleStrip(const std::string& name) {
  return "[cartoon " + name + "]\n" + panel("pics", {box("words")}) + panel("pics") + panel("pics");
}

const std::string kSimpleCategories = category("pics", {"a.pcx"}) + category("words", {"hi"});

struct Template {
  TempDir dir;
  std::string path;
  explicit Template(const std::string& text) : path(dir.write("t.txt", text)) {}
};

std::vector<std::string> names(const StripRandomizer& r) {
  std::vector<std::string> out;
  for (const StripName* n = r.stripNames(); n != nullptr; n = n->nextName) out.push_back(n->name);
  return out;
}

std::vector<const StripTextbox*> boxes(const StripRandomizer& r, int panelIndex) {
  std::vector<const StripTextbox*> out;
  for (const StripTextbox* b = r.panel(panelIndex).textboxes; b != nullptr; b = b->nextBox) {
    out.push_back(b);
  }
  return out;
}

// Builds one strip of the file and returns the randomizer's final status.
int32_t makeStrip(const std::string& path, uint32_t seed, std::string* message = nullptr) {
  generator.seed(seed);
  StripRandomizer r(path.c_str());
  r.pickRandomStrip(generator);
  if (message != nullptr) *message = r.statusMessage();
  return r.statusCode();
}

}  // namespace

TEST(StripRandomizer, ConstructionAndLoadingStatuses) {
  StripRandomizer bare;
  EXPECT_EQ(bare.statusCode(), Working);
  EXPECT_STREQ(bare.statusMessage(), "We haven't yet leaded from a file.");

  bare.loadTemplateFile(nullptr);
  EXPECT_EQ(bare.statusCode(), BadPointer);
  EXPECT_STREQ(bare.statusMessage(), "Tried to load a non-file.");

  TempDir dir;
  std::string missing = dir.file("missing.txt");
  bare.loadTemplateFile(missing.c_str());
  EXPECT_EQ(bare.statusCode(), OpenFailed);
  EXPECT_EQ(std::string(bare.statusMessage()),
            "For some reason we couldn't open the file" + missing + ".");
  EXPECT_EQ(bare.stripCount(), 0);

  // A path too long for the message still ends the message with its stop.
  std::string longPath = dir.file(std::string(180, 'p'));
  bare.loadTemplateFile(longPath.c_str());
  EXPECT_EQ(bare.statusCode(), OpenFailed);
  EXPECT_EQ(std::strlen(bare.statusMessage()), 199u);
  EXPECT_EQ(bare.statusMessage()[198], '.');

  // With a path the constructor always ends on its own message.
  StripRandomizer fromMissing(missing.c_str());
  EXPECT_EQ(fromMissing.statusCode(), Working);
  EXPECT_STREQ(fromMissing.statusMessage(), "We haven't yet read in a strip.");
  EXPECT_EQ(fromMissing.stripCount(), 0);
  fromMissing.pickRandomStrip(generator);
  EXPECT_EQ(fromMissing.statusCode(), NoStrips);
  EXPECT_STREQ(fromMissing.statusMessage(), "We need strips to be able to pick one.");

  Template noStrips(kSimpleCategories);
  StripRandomizer counter;
  counter.loadTemplateFile(noStrips.path.c_str());
  EXPECT_EQ(counter.statusCode(), NoStrips);
  EXPECT_STREQ(counter.statusMessage(), "Couldn't find any strip templates in that file.");
  EXPECT_EQ(counter.stripCount(), 0);

  Template two(simpleStrip("One") + simpleStrip("Two") + kSimpleCategories);
  counter.loadTemplateFile(two.path.c_str());
  EXPECT_EQ(counter.statusCode(), Working);
  EXPECT_STREQ(counter.statusMessage(), "Done making the name list.");
  EXPECT_EQ(counter.stripCount(), 2);
  // Listing again neither doubles nor leaks the names.
  counter.makeNameList();
  EXPECT_EQ(names(counter), (std::vector<std::string>{"Two", "One"}));
  EXPECT_EQ(counter.buffer().position(), 0);

  counter.wipeMemory();
  EXPECT_EQ(counter.statusCode(), Working);
  EXPECT_STREQ(counter.statusMessage(), "Memory has been wiped.");
  EXPECT_EQ(counter.stripCount(), 0);
  EXPECT_EQ(counter.stripNames(), nullptr);
}

TEST(StripRandomizer, StripHeadersAsListedAndAsLookedUp) {
  Template odd("[cartoon Foo] extra\n[cartoon:Bar]\n[cartoons]\n" + kSimpleCategories);
  StripRandomizer r;
  r.loadTemplateFile(odd.path.c_str());
  EXPECT_EQ(names(r), (std::vector<std::string>{"", "Bar", "Foo"}));

  // Listed as Foo, but the exact line [cartoon Foo] is not in the file.
  r.readStrip("Foo", generator);
  EXPECT_EQ(r.statusCode(), NotFound);
  EXPECT_STREQ(r.statusMessage(), "Couldn't find the category cartoon Foo in seekTo().");

  // An unterminated header stops the list; what came before stays.
  for (const char* bad : {"[cartoon\n", "[cartoon]\n", "[cartoon Baz\n"}) {
    SCOPED_TRACE(bad);
    Template t(simpleStrip("Ok") + bad + simpleStrip("Later") + kSimpleCategories);
    StripRandomizer s(t.path.c_str());
    EXPECT_EQ(s.stripCount(), 1);
    EXPECT_EQ(names(s), (std::vector<std::string>{"Ok"}));
    // The constructor's message hides the load's; the strip is still usable.
    s.pickRandomStrip(generator);
    EXPECT_EQ(s.statusCode(), Ready);

    StripRandomizer direct;
    direct.loadTemplateFile(t.path.c_str());
    EXPECT_EQ(direct.statusCode(), EndOfData);
    EXPECT_STREQ(direct.statusMessage(), "No terminating ] in strip header");
  }

  // A category whose name starts with cartoon is also a strip header.
  Template both(simpleStrip("Real") + category("cartoonish", {"x"}) + kSimpleCategories);
  StripRandomizer b;
  b.loadTemplateFile(both.path.c_str());
  EXPECT_EQ(names(b), (std::vector<std::string>{"sh", "Real"}));
  b.readStrip("sh", generator);
  EXPECT_EQ(b.statusCode(), NotFound);
}

TEST(StripRandomizer, ReadsAStripAndReportsEachStep) {
  Template t("[cartoon Lunch]\n" +
             panel("kitchen", {box("first"), box("second", "1\n2\n3\n4\n5\n")}) + panel("kitchen") +
             panel("kitchen", {box("dot")}) + category("kitchen", {"k1.pcx", "k2.pcx"}) +
             category("first", {"one"}) + category("second", {"two"}) + category("dot", {"."}));
  generator.seed(7);
  StripRandomizer r(t.path.c_str());
  r.pickRandomStrip(generator);
  ASSERT_EQ(r.statusCode(), Ready) << r.statusMessage();
  EXPECT_STREQ(r.statusMessage(), "Initialized and ready!");

  // Boxes are held last-in-file first.
  std::vector<const StripTextbox*> p0 = boxes(r, 0);
  ASSERT_EQ(p0.size(), 2u);
  EXPECT_STREQ(p0[0]->category, "second");
  EXPECT_STREQ(p0[0]->text, "two");
  EXPECT_EQ(p0[0]->textX, 1);
  EXPECT_EQ(p0[0]->tailY, 4);
  EXPECT_EQ(p0[0]->textSize, 5);
  EXPECT_STREQ(p0[1]->text, "one");
  EXPECT_EQ(p0[1]->textX, 10);
  EXPECT_EQ(p0[1]->textY, 20);
  EXPECT_EQ(p0[1]->tailX, 30);
  EXPECT_EQ(p0[1]->tailY, 40);
  EXPECT_EQ(p0[1]->textSize, 8);
  EXPECT_TRUE(boxes(r, 1).empty());
  EXPECT_STREQ(boxes(r, 2)[0]->text, ".");
  for (int i = 0; i < 3; ++i) {
    EXPECT_STREQ(r.panel(i).category, "kitchen");
    EXPECT_TRUE(std::strcmp(r.panel(i).imageFile, "k1.pcx") == 0 ||
                std::strcmp(r.panel(i).imageFile, "k2.pcx") == 0);
  }

  // Panel index checks come before everything, even a recorded error.
  r.loadPanel(3);
  EXPECT_EQ(r.statusCode(), BadPanel);
  EXPECT_STREQ(r.statusMessage(), "Tried to read into a non-panel.");
  r.loadPanel(-1);
  EXPECT_EQ(r.statusCode(), BadPanel);

  // Once an error stands, reading steps leave it alone.
  r.pickRandomStrip(generator);
  r.readStrip("Lunch", generator);
  r.randomizeStrip(generator);
  r.makeNameList();
  EXPECT_EQ(r.statusCode(), BadPanel);
  EXPECT_STREQ(r.statusMessage(), "Tried to read into a non-panel.");

  StripRandomizer fresh(t.path.c_str());
  fresh.loadTextbox(nullptr);
  EXPECT_EQ(fresh.statusCode(), BadPointer);
  EXPECT_STREQ(fresh.statusMessage(), "Can't write to null pointer, thanks though");
}

TEST(StripRandomizer, TextBoxNumbersFollowTheAtoiRuleAndBounds) {
  struct Case {
    const char* line;
    int16_t position;
    int16_t size;
  };
  const Case cases[] = {
      {"0", 1, 0},
      {"-5", 1, 0},
      {"abc", 1, 0},
      {"30", 30, 25},
      {"-3", 1, 0},
      {"25", 25, 25},
      {"1", 1, 1},
      {"70000", 4464, 25},
      {"40000", 1, 0},
      {"+12", 12, 12},
      {"7x9", 7, 7},
      {"1234567890123456789012345678901234567890", 2770, 25},
      {"9999999999999999999999999999999999999999", 1, 0},
      {"-1234567890123456789012345678901234567890", 1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    std::string n = std::string(c.line) + "\n";
    Template t("[cartoon N]\n" + panel("pics", {box("words", n + n + n + n + n)}) + panel("pics") +
               panel("pics") + kSimpleCategories);
    StripRandomizer r(t.path.c_str());
    r.pickRandomStrip(generator);
    ASSERT_EQ(r.statusCode(), Ready) << r.statusMessage();
    const StripTextbox* b = r.panel(0).textboxes;
    EXPECT_EQ(b->textX, c.position);
    EXPECT_EQ(b->textY, c.position);
    EXPECT_EQ(b->tailX, c.position);
    EXPECT_EQ(b->tailY, c.position);
    EXPECT_EQ(b->textSize, c.size);
  }
}

TEST(StripRandomizer, BrokenTemplatesEndInAStatus) {
  const std::string head = "[cartoon S]\n";
  struct Case {
    const char* what;
    std::string text;
    int32_t code;
    const char* message;
  };
  const Case cases[] = {
      {"empty category",
       head + panel("none") + panel("pics") + panel("pics") + category("none", {}) +
           kSimpleCategories,
       NotFound, "No data in the category none for getRandomString()."},
      {"category missing",
       head + panel("nowhere") + panel("pics") + panel("pics") + kSimpleCategories, NotFound,
       "Couldn't find the category nowhere in seekTo()."},
      {"category without end",
       head + panel("pics") + panel("pics") + panel("pics") + "[pics]\na.pcx\nb.pcx\n", EndOfData,
       "Tried to read past the end of the file."},
      {"category ending in comments",
       head + panel("pics") + panel("pics") + panel("pics") + "[pics]\na.pcx\n# no end\n",
       EndOfData, "Didn't find any usable data in the file."},
      {"last panel without end",
       kSimpleCategories + head + panel("pics") + panel("pics") + "pics\n", EndOfData,
       "Tried to read past the end of the file."},
      {"box cut short", kSimpleCategories + head + "pics\n10\n20\n", EndOfData,
       "Tried to read past the end of the file."},
      {"trailing comments only", kSimpleCategories + head + "pics\n# nothing\n  \n", EndOfData,
       "Didn't find any usable data in the file."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Template t(c.text);
    std::string message;
    EXPECT_EQ(makeStrip(t.path, 1, &message), c.code);
    EXPECT_EQ(message, c.message);
  }
}

TEST(StripRandomizer, HostileFilesNeverCrashOrHang) {
  std::vector<std::string> files;
  std::string garbage;
  uint32_t x = 12345;
  for (int i = 0; i < 20000; ++i) {
    x = x * 1103515245u + 12345u;
    garbage.push_back(static_cast<char>(x >> 24));
  }
  files.push_back(garbage);
  files.push_back(simpleStrip("G") + garbage + kSimpleCategories);
  // Lines of 100 000 characters come back as many 199-character lines.
  std::string huge(100000, 'w');
  files.push_back(simpleStrip("L") + "[pics]\n" + huge + "\nend\n[words]\n" + huge + "\nend\n");
  files.push_back("[cartoon " + huge + "]\n" + kSimpleCategories);
  files.push_back(std::string(100000, '#') + "\n" + std::string(100000, ' '));
  // A header inside another category is still a header.
  files.push_back(simpleStrip("H") + "[pics]\n[words]\na.pcx\nend\n");
  files.push_back("");
  files.push_back("\n\n\r\r\r\n");
  std::string withNul = "[cartoon Z]\npics\n";
  withNul.push_back('\0');
  files.push_back(withNul + "\nend\n" + kSimpleCategories);
  for (size_t i = 0; i < files.size(); ++i) {
    SCOPED_TRACE(i);
    Template t(files[i]);
    for (uint32_t seed = 0; seed < 4; ++seed) {
      int32_t code = makeStrip(t.path, seed);
      EXPECT_GE(code, Ready);
      EXPECT_LE(code, BadPanel);
    }
  }

  // The header inside the picture category is found and read from there.
  Template nested(simpleStrip("H") + "[pics]\n[words]\na.pcx\nend\n");
  generator.seed(3);
  StripRandomizer r(nested.path.c_str());
  r.pickRandomStrip(generator);
  ASSERT_EQ(r.statusCode(), Ready) << r.statusMessage();
  // Two entries: the header line and a.pcx.
  std::string picked = r.panel(0).imageFile;
  EXPECT_TRUE(picked == "[words]" || picked == "a.pcx") << picked;
  EXPECT_STREQ(r.panel(0).textboxes->text, "a.pcx");

  // A file that is gone by the time it is read counts as no strips.
  std::string path;
  {
    Template gone(simpleStrip("X") + kSimpleCategories);
    path = gone.path;
  }
  StripRandomizer late(path.c_str());
  EXPECT_EQ(late.stripCount(), 0);
  late.pickRandomStrip(generator);
  EXPECT_EQ(late.statusCode(), NoStrips);
}

namespace {

// Three strips over picture categories of different sizes and text
// categories; every entry is unique, so each result names its draw.
struct ReplayTemplate {
  static constexpr int kStrips = 3;
  std::vector<int> pictureSizes = {2, 3, 4, 5, 6, 7, 2, 3, 5};  // per strip x panel
  std::vector<int> textSizes = {3, 5, 7, 11};
  std::vector<std::vector<int>> boxCategories[kStrips];  // per panel, in file order
  std::string text;

  ReplayTemplate() {
    for (int s = 0; s < kStrips; ++s) {
      text += "[cartoon S" + std::to_string(s) + "]\n";
      for (int p = 0; p < 3; ++p) {
        std::vector<int> cats;
        std::vector<std::string> blocks;
        for (int b = 0; b < (s + p) % 3 + 1; ++b) {
          int c = (s * 3 + p + b) % 4;
          cats.push_back(c);
          blocks.push_back(box("txt" + std::to_string(c)));
        }
        boxCategories[s].push_back(cats);
        text += panel("pic" + std::to_string(s * 3 + p), blocks);
      }
    }
    for (size_t i = 0; i < pictureSizes.size(); ++i) {
      std::vector<std::string> e;
      for (int k = 0; k < pictureSizes[i]; ++k) e.push_back(picture(i, k));
      text += category("pic" + std::to_string(i), e);
    }
    for (size_t c = 0; c < textSizes.size(); ++c) {
      std::vector<std::string> e;
      for (int k = 0; k < textSizes[c]; ++k) e.push_back(words(c, k));
      text += category("txt" + std::to_string(c), e);
    }
  }
  static std::string picture(size_t category, int k) {
    return "p" + std::to_string(category) + "_" + std::to_string(k) + ".pcx";
  }
  static std::string words(size_t category, int k) {
    return "line " + std::to_string(k) + " of " + std::to_string(category);
  }
};

}  // namespace

TEST(StripRandomizer, DrawsFollowTheFixedOrderAndAreUniform) {
  ReplayTemplate shape;
  Template t(shape.text);
  const uint32_t seed = 20240607;
  generator.seed(seed);
  RandomSource replay;
  replay.seed(seed);

  const int kRuns = 3000;
  std::vector<int> stripHits(ReplayTemplate::kStrips, 0);
  std::vector<int> pictureHits(7, 0);  // strip 1 panel 2: category 5 of 7 entries
  for (int run = 0; run < kRuns; ++run) {
    StripRandomizer r(t.path.c_str());
    r.pickRandomStrip(generator);
    ASSERT_EQ(r.statusCode(), Ready) << r.statusMessage();
    // The last header of the file is at the front of the list.
    int strip =
        ReplayTemplate::kStrips - 1 - static_cast<int>(replay.next() % ReplayTemplate::kStrips);
    ++stripHits[static_cast<size_t>(strip)];
    for (int p = 0; p < 3; ++p) {
      size_t cat = static_cast<size_t>(strip * 3 + p);
      uint32_t k = replay.next() % static_cast<uint32_t>(shape.pictureSizes[cat]);
      ASSERT_EQ(r.panel(p).imageFile, ReplayTemplate::picture(cat, static_cast<int>(k)))
          << "run " << run << " panel " << p;
      if (strip == 1 && p == 2) ++pictureHits[k];
      const std::vector<int>& cats = shape.boxCategories[strip][static_cast<size_t>(p)];
      std::vector<const StripTextbox*> held = boxes(r, p);
      ASSERT_EQ(held.size(), cats.size());
      // Boxes draw from the front of the list: last in the file first.
      for (size_t b = 0; b < held.size(); ++b) {
        size_t c = static_cast<size_t>(cats[cats.size() - 1 - b]);
        uint32_t w = replay.next() % static_cast<uint32_t>(shape.textSizes[c]);
        ASSERT_EQ(held[b]->text, ReplayTemplate::words(c, static_cast<int>(w)))
            << "run " << run << " panel " << p << " box " << b;
      }
    }
  }
  // Nothing else drew: the shared generator and the replay are in step.
  EXPECT_EQ(generator.next(), replay.next());

  auto chiSquare = [](const std::vector<int>& hits) {
    double total = 0;
    for (int h : hits) total += h;
    double expected = total / static_cast<double>(hits.size());
    double chi = 0;
    for (int h : hits) chi += (h - expected) * (h - expected) / expected;
    return chi;
  };
  // 99.9 % points: 13.8 for 2 degrees of freedom, 22.5 for 6.
  EXPECT_LT(chiSquare(stripHits), 13.8);
  EXPECT_LT(chiSquare(pictureHits), 22.5);
  for (int h : pictureHits) EXPECT_GT(h, 0);
}
