// The renderer's command line and the rules it applies to its choices,
// kept apart from its drawing so that they are tested natively.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class StripRandomizer;
struct StripName;

struct RenderOptions {
  const char* folder = nullptr;
  const char* item = nullptr;  // a template file, or a picture: a comic or a popup
  const char* strip = nullptr;
  bool seeded = false;
  uint32_t seed = 0;
  int32_t count = 1;
  std::string out = ".";
};

// False with the reason in error (empty: print the usage).
bool parseRenderOptions(int argc, char** argv, RenderOptions& o, std::string& error);

// The seed of the k-th strip from the first: two apart, as the generator
// makes every seed odd, so that a seed and the one after it make the same
// strip.
uint32_t renderSeed(uint32_t first, int32_t k);

// The listed strip whose name is wanted, capitals aside (an exact match
// first); empty when there is none.
std::string matchStrip(const StripName* names, const std::string& wanted);
// The listed strip names in file order, quoted and separated by commas.
std::string stripList(const StripName* names);

// A generated strip's panels with their pictures and texts, the boxes in
// the order the file gives them: " | panel 1: a.pcx "Hi" | panel 2: ...".
std::string stripChoices(const StripRandomizer& randomizer);
// The strip names in file order.
std::vector<std::string> stripNamesInOrder(const StripName* names);

// Whether the item names a strip template rather than a picture.
bool isTemplateName(const std::string& item);
