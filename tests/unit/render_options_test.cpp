// The renderer's command line and choices: seeds in range or refused,
// strips two seeds apart, strip names found whatever their capitals.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "authoring/render_options.h"
#include "core/random/random_source.h"
#include "core/strip/strip_randomizer.h"
#include "support/test_files.h"

namespace {

bool parse(std::vector<const char*> args, RenderOptions& o, std::string& error) {
  args.insert(args.begin(), "zorbel-render");
  return parseRenderOptions(static_cast<int>(args.size()), const_cast<char**>(args.data()), o,
                            error);
}

}  // namespace

TEST(RenderOptions, SeedsAreWholeNumbersOfThirtyTwoBits) {
  RenderOptions o;
  std::string error;
  ASSERT_TRUE(parse({"f", "t.txt", "--seed", "4294967295", "--count", "3"}, o, error));
  EXPECT_EQ(o.seed, 4294967295u);
  EXPECT_EQ(o.count, 3);
  for (const char* bad : {"4294967296", "-1", "12x", ""}) {
    RenderOptions r;
    EXPECT_FALSE(parse({"f", "t.txt", "--seed", bad}, r, error)) << bad;
    EXPECT_NE(error.find("0 to 4294967295"), std::string::npos) << bad;
  }
  RenderOptions r;
  EXPECT_FALSE(parse({"f", "t.txt", "--count", "0"}, r, error));
  EXPECT_FALSE(parse({"f"}, r, error));
  EXPECT_TRUE(error.empty());
}

TEST(RenderOptions, StripsAreTwoSeedsApartAndEachDiffers) {
  EXPECT_EQ(renderSeed(42, 0), 42u);
  EXPECT_EQ(renderSeed(42, 2), 46u);
  EXPECT_EQ(renderSeed(4294967295u, 1), 1u);
  // The generator makes seeds odd: 42 and 43 are one seed, 42 and 44 two.
  RandomSource a, b, c;
  a.seed(42);
  b.seed(43);
  c.seed(renderSeed(42, 1));
  uint32_t first = a.next();
  EXPECT_EQ(first, b.next());
  EXPECT_NE(first, c.next());
}

TEST(RenderOptions, StripNamesMatchWhateverTheirCapitals) {
  TempDir dir;
  StripRandomizer r(
      dir.write("t.txt", "[cartoon Lab Day]\n[cartoon lab day]\n[cartoon Park]\n").c_str());
  EXPECT_EQ(matchStrip(r.stripNames(), "park"), "Park");
  EXPECT_EQ(matchStrip(r.stripNames(), "LAB DAY"), "Lab Day");
  EXPECT_EQ(matchStrip(r.stripNames(), "lab day"), "lab day");
  EXPECT_EQ(matchStrip(r.stripNames(), "Lab"), "");
  EXPECT_EQ(stripList(r.stripNames()), "\"Lab Day\", \"lab day\", \"Park\"");
  EXPECT_TRUE(isTemplateName("zb_daily.txt"));
  EXPECT_FALSE(isTemplateName("Comic.PCX"));
  EXPECT_FALSE(isTemplateName("popup.bmp"));
}
