#include <gtest/gtest.h>

#include <cstring>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "base/log_file.h"
#include "core/random/random_source.h"
#include "core/show/comic_catalog.h"
#include "core/show/settings.h"
#include "core/show/show.h"
#include "core/show/show_start.h"
#include "support/test_files.h"

namespace {

std::string strips(int count) {
  std::string out;
  for (int i = 0; i < count; ++i) out += "[cartoon S" + std::to_string(i) + "]\n";
  return out;
}

// A data folder in the settings, and the global log written into it.
class Catalog : public testing::Test {
 protected:
  void SetUp() override {
    own_.setDefaults();
    ASSERT_LT(dir.path().size(), sizeof own_.directory);
    std::strcpy(own_.directory, dir.path().c_str());
    logFile().open(dir.file("error.log").c_str(), "");
  }
  void TearDown() override { logFile().close(); }

  std::unique_ptr<ComicCatalog> load(const std::string& text, bool expected = true) {
    auto c = std::make_unique<ComicCatalog>();
    EXPECT_EQ(c->load(dir.write("comics.ini", text).c_str(), own_), expected);
    return c;
  }
  std::string log() {
    logFile().close();
    std::string bytes = readFileBytes(dir.file("error.log"));
    logFile().open(dir.file("error.log").c_str(), "");
    return bytes;
  }
  static std::vector<std::string> list(const ComicCatalog& c, int group, int type) {
    std::vector<std::string> out;
    for (ComicEntry* e = c.listHead[group * 3 + type]; e != nullptr; e = e->next) {
      out.push_back(e->fileName);
    }
    return out;
  }
  static std::string notRecognized(const std::string& line) {
    return "Error: \"" + line + "\" not recognized\r\n";
  }

  TempDir dir;
  SaverSettings own_;
};

using Names = std::vector<std::string>;

}  // namespace

TEST_F(Catalog, SectionsSetGroupAndTypeIndependently) {
  dir.write("c1.txt", strips(2));
  auto c = load(
      "zb.pcx\n"
      "   Pellow   \n"
      "OFFICIAL # the finished ones\n"
      "\tP1.PCX\n"
      "p2.pcx\n"
      "# only a comment\n"
      "\n"
      "zb\n"
      "o1.bmp\n"
      "  PELLOW\t\n"
      "custom\n"
      "c1.txt\n"
      "official\n"
      "p3.pcx\n");
  EXPECT_EQ(list(*c, GroupZB, TypeRandom), Names{"zb.pcx"});
  EXPECT_EQ(list(*c, GroupPellow, TypeOfficial), (Names{"p3.pcx", "p2.pcx", "p1.pcx"}));
  EXPECT_EQ(list(*c, GroupZB, TypeOfficial), Names{"o1.bmp"});
  EXPECT_EQ(list(*c, GroupPellow, TypeCustom), Names{"c1.txt"});
  // zb.pcx holds no strips, so its template list is unavailable.
  EXPECT_EQ(c->listCount[0], 0);
  EXPECT_EQ(c->listCount[2], 1);
  EXPECT_EQ(c->listCount[4], 1);
  EXPECT_EQ(c->weightAt(GroupPellow, TypeCustom, 0), 2);
  EXPECT_EQ(c->listCount[5], 3);
  EXPECT_EQ(c->popupCount, 0);
  EXPECT_EQ(log(), "");
}

TEST_F(Catalog, UnrecognisedLinesStopTheReading) {
  struct Case {
    const char* text;
    const char* logged;
    Names official;
  };
  const Case cases[] = {
      {"official\na.pcx\npellow comics\nb.pcx\n", "pellow comics", {"a.pcx"}},
      {"official\n.pcx\nb.pcx\n", ".pcx", {}},
      {"official\nc.pcx\nphoto.jpeg\nd.pcx\n", "photo.jpeg", {"c.pcx"}},
      // Quotes keep the case and also stay in the name, which then has no
      // extension where it should.
      {"official\n\"Quoted.PCX\"\n", "\"Quoted.PCX\"", {}},
      // An odd quote keeps the next lines as written: Pellow is no keyword.
      {"official\nx\"Y.pcx\nPellow\nz.pcx\n", "Pellow", {"x\"Y.pcx"}},
      {"official\n  BIG name.PCX  # trailing\nX Y\n", "x y", {"big name.pcx"}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.text);
    auto c = load(k.text);
    EXPECT_EQ(list(*c, GroupZB, TypeOfficial), k.official);
    EXPECT_EQ(c->listCount[2], static_cast<int32_t>(k.official.size()));
    EXPECT_EQ(log(), notRecognized(k.logged));
  }

  // The quote state lasts until the next quote, wherever it is.
  auto c = load("official\nA\"B.PCX\nC.PCX\n\"D.PCX\n");
  EXPECT_EQ(list(*c, GroupZB, TypeOfficial), (Names{"\"d.pcx", "C.PCX", "a\"B.PCX"}));
  EXPECT_EQ(log(), "");
}

TEST_F(Catalog, ByteOrderMarkSkippedAndEveryLineReported) {
  struct Heard {
    bool mark = false;
    std::vector<std::string> lines;
  } heard;
  CatalogListener listener;
  listener.context = &heard;
  listener.opened = [](void* h, bool mark) { static_cast<Heard*>(h)->mark = mark; };
  listener.line = [](void* h, const CatalogLineReport& r) {
    static const char* const kinds[] = {"section", "comic", "popup", "stop"};
    static_cast<Heard*>(h)->lines.push_back(
        std::to_string(r.line) + " " + kinds[static_cast<int>(r.kind)] + " " + r.text +
        (r.commentInQuotes ? " #" : "") + (r.quotesOpen ? " open" : "") +
        (r.popup != nullptr ? std::string(" =") + r.popup->caption : ""));
  };
  ComicCatalog c;
  std::string path = dir.write("comics.ini",
                               "\xEF\xBB\xBFOfficial\r\n\n# note\na.pcx\npopup\n"
                               "p.pcx s.wav \"We're #1\"\nofficial\nb.jpeg\nc.pcx\n");
  ASSERT_TRUE(c.load(path.c_str(), own_, &listener));
  EXPECT_TRUE(heard.mark);
  EXPECT_EQ(heard.lines, (Names{"1 section official", "4 comic a.pcx", "5 section popup",
                                "6 popup p.pcx s.wav \"We're # open =We're",
                                "7 section official open", "8 stop b.jpeg open"}));
  EXPECT_EQ(list(c, GroupZB, TypeOfficial), (Names{"a.pcx"}));
}

TEST_F(Catalog, PopupForms) {
  auto c = load(
      "popup\n"
      "one.pcx\n"
      "two.pcx   \"A caption here\"\n"
      "three.pcx\tboom.wav  \"Big Caption\"\n"
      "four.pcx boom.wav Unquoted\n"
      "five.pcx boom.wav\n"
      "six.pcx \"\"\n"
      "pellow comics\n"
      "zb\n"
      "official\n"
      "z.pcx\n");
  struct Want {
    const char* file;
    const char* sound;
    const char* caption;
  };
  const Want want[] = {
      {"pellow", "comics", ""},  // an unquoted second field is the sound
      {"six.pcx", "", ""},
      {"five.pcx", "boom.wav", ""},
      {"four.pcx", "boom.wav", "nquoted"},
      {"three.pcx", "boom.wav", "Big Caption"},
      {"two.pcx", "", "A caption here"},
      {"one.pcx", "", ""},
  };
  ASSERT_EQ(c->popupCount, 7);
  for (int i = 0; i < 7; ++i) {
    SCOPED_TRACE(i);
    PopupEntry* p = c->popupAt(i);
    ASSERT_NE(p, nullptr);
    EXPECT_STREQ(p->fileName, want[i].file);
    EXPECT_STREQ(p->soundName, want[i].sound);
    EXPECT_STREQ(p->caption, want[i].caption);
  }
  EXPECT_EQ(c->popupAt(7), nullptr);
  EXPECT_EQ(c->popupAt(-1), c->popupHead);
  // A keyword ends popup mode.
  EXPECT_EQ(list(*c, GroupZB, TypeOfficial), Names{"z.pcx"});

  // A number sign ends the caption and leaves the quote open, so the next
  // line keeps its capitals.
  auto h = load("popup\npic.pcx snd.wav \"Hello # there\"\nNext.PCX\n");
  ASSERT_EQ(h->popupCount, 2);
  EXPECT_STREQ(h->popupAt(1)->caption, "Hello");
  EXPECT_STREQ(h->popupAt(0)->fileName, "Next.PCX");
}

TEST_F(Catalog, ListsAreReversedAndWalkedByIndex) {
  auto c = load("official\na.pcx\nb.pcx\nc.pcx\n");
  EXPECT_STREQ(c->entryAt(GroupZB, TypeOfficial, 0)->fileName, "c.pcx");
  EXPECT_STREQ(c->entryAt(GroupZB, TypeOfficial, -3)->fileName, "c.pcx");
  EXPECT_STREQ(c->entryAt(GroupZB, TypeOfficial, 2)->fileName, "a.pcx");
  EXPECT_EQ(c->entryAt(GroupZB, TypeOfficial, 3), nullptr);
  EXPECT_EQ(c->entryAt(GroupPellow, TypeOfficial, 0), nullptr);
  EXPECT_EQ(c->weightAt(GroupZB, TypeOfficial, 1), 0);
  EXPECT_EQ(c->weightAt(GroupZB, TypeOfficial, 9), 0);
  EXPECT_EQ(c->totalWeight(GroupPellow, TypeRandom), 0);
  // Out-of-range lists are simply empty.
  EXPECT_EQ(c->entryAt(2, 0, 0), nullptr);
  EXPECT_EQ(c->entryAt(0, -1, 0), nullptr);
  EXPECT_EQ(c->totalWeight(0, 3), 0);
}

TEST_F(Catalog, TemplateListsAreWeighedAndSwitchedOff) {
  dir.write("t1.txt", strips(2));
  dir.write("t2.txt", "# three\n" + strips(3));
  dir.write("empty.txt", "");
  const std::string ini =
      "random\nt1.txt\nt2.txt\nt1.txt\n"
      "custom\nempty.txt\nmissing.txt\n"
      "pellow\nrandom\nt2.txt\n"
      "official\np.pcx\n";
  EXPECT_EQ(templateWeight(own_.directory, "t2.txt"), 3);
  EXPECT_EQ(templateWeight(own_.directory, "missing.txt"), 0);

  auto c = load(ini);
  EXPECT_EQ(list(*c, GroupZB, TypeRandom), (Names{"t1.txt", "t2.txt", "t1.txt"}));
  EXPECT_EQ(c->listCount[0], 3);
  EXPECT_EQ(c->totalWeight(GroupZB, TypeRandom), 7);  // listed twice, counted twice
  EXPECT_EQ(c->weightAt(GroupZB, TypeRandom, 1), 3);
  EXPECT_EQ(c->listCount[1], 0);  // every weight 0
  EXPECT_EQ(list(*c, GroupZB, TypeCustom).size(), 2u);
  EXPECT_EQ(c->listCount[3], 1);
  EXPECT_EQ(c->listCount[5], 1);

  struct Switch {
    uint32_t SaverSettings::*field;
    std::vector<int32_t> counts;
  };
  const Switch switches[] = {
      {&SaverSettings::useRandom, {0, 0, 0, 0, 0, 1}},
      {&SaverSettings::useZB, {0, 0, 0, 1, 0, 1}},
      {&SaverSettings::usePellow, {3, 0, 0, 0, 0, 0}},
      {&SaverSettings::useOfficial, {3, 0, 0, 1, 0, 0}},
      {&SaverSettings::useOriginal, {3, 0, 0, 1, 0, 1}},
  };
  for (const Switch& s : switches) {
    own_.setDefaults();
    own_.*s.field = 0;
    auto off = load(ini);
    std::vector<int32_t> counts(off->listCount, off->listCount + kComicLists);
    EXPECT_EQ(counts, s.counts);
    // Switched-off lists keep their entries but are never weighed.
    if (s.field == &SaverSettings::useRandom) {
      EXPECT_NE(off->entryAt(GroupZB, TypeRandom, 0), nullptr);
      EXPECT_EQ(off->totalWeight(GroupZB, TypeRandom), 0);
    }
  }
}

TEST_F(Catalog, OddFilesLoadWithoutHarm) {
  auto empty = load("");
  for (int i = 0; i < kComicLists; ++i) EXPECT_EQ(empty->listCount[i], 0);
  EXPECT_EQ(empty->popupCount, 0);

  ComicCatalog missing;
  EXPECT_FALSE(missing.load(dir.file("nope.ini").c_str(), own_));
  EXPECT_FALSE(missing.load(nullptr, own_));
  EXPECT_EQ(log(), "");

  // Lines past 199 characters come back in pieces, one popup each.
  auto longLines = load("popup\n" + std::string(100000, 'q') + "\n");
  EXPECT_EQ(longLines->popupCount, 503);
  EXPECT_EQ(std::strlen(longLines->popupHead->fileName), 100000u % 199u);

  std::string garbage;
  uint32_t x = 99;
  for (int i = 0; i < 50000; ++i) {
    x = x * 1103515245u + 12345u;
    garbage.push_back(static_cast<char>(x >> 24));
  }
  auto noise = load(garbage);
  EXPECT_GE(noise->popupCount, 0);
  auto noisyPopups = load("popup\n" + garbage);
  EXPECT_GT(noisyPopups->popupCount, 0);
  for (PopupEntry* p = noisyPopups->popupHead; p != nullptr; p = p->next) {
    EXPECT_LT(std::strlen(p->fileName), 200u);
    EXPECT_LT(std::strlen(p->caption), 200u);
  }
}

TEST_F(Catalog, InitShowLoadsAndSeedsOrDropsTheCatalogue) {
  dir.write("comics.ini", "official\na.pcx\n");
  Show show;
  show.settings = &own_;
  show.comicsSinceLogo = 9;
  std::time_t before = std::time(nullptr);
  EXPECT_TRUE(initShow(show, 1024, 768));
  uint32_t drawn = show.random.next();
  std::time_t after = std::time(nullptr);
  EXPECT_EQ(show.screenWidth, 1024);
  EXPECT_EQ(show.screenHeight, 768);
  ASSERT_TRUE(show.catalogLoaded);
  EXPECT_EQ(show.catalog.listCount[2], 1);
  EXPECT_EQ(show.comicsSinceLogo, 0);
  bool seededWithTheTime = false;
  for (std::time_t t = before; t <= after; ++t) {
    RandomSource expected;
    expected.seed(static_cast<uint32_t>(t));
    seededWithTheTime = seededWithTheTime || expected.next() == drawn;
  }
  EXPECT_TRUE(seededWithTheTime);

  // Without comics.ini the show has no catalogue but still starts.
  TempDir empty;
  std::strcpy(own_.directory, empty.path().c_str());
  show.comicsSinceLogo = 9;
  EXPECT_TRUE(initShow(show, 640, 480));
  EXPECT_FALSE(show.catalogLoaded);
  EXPECT_EQ(show.catalog.listHead[2], nullptr);
  EXPECT_EQ(show.catalog.listCount[2], 0);
  EXPECT_EQ(show.comicsSinceLogo, 9);
  EXPECT_EQ(show.screenWidth, 640);
}
