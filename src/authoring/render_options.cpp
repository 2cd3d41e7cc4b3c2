#include "authoring/render_options.h"

#include <cstring>
#include <vector>

#include "base/ascii_case.h"
#include "base/number_text.h"
#include "core/strip/strip_randomizer.h"

namespace {

constexpr int32_t kMostStrips = 100000;

}  // namespace

std::vector<std::string> stripNamesInOrder(const StripName* names) {
  std::vector<std::string> out;
  for (const StripName* n = names; n != nullptr; n = n->nextName) out.push_back(n->name);
  return std::vector<std::string>(out.rbegin(), out.rend());
}

bool parseRenderOptions(int argc, char** argv, RenderOptions& o, std::string& error) {
  error.clear();
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    bool hasValue = i + 1 < argc;
    uint64_t value = 0;
    if (arg == "--strip" && hasValue) {
      o.strip = argv[++i];
    } else if (arg == "--seed" && hasValue) {
      if (!parseDigits(argv[++i], 0xFFFFFFFFu, &value)) {
        error = std::string("--seed takes a number from 0 to 4294967295, not ") + argv[i];
        return false;
      }
      o.seed = static_cast<uint32_t>(value);
      o.seeded = true;
    } else if (arg == "--count" && hasValue) {
      if (!parseDigits(argv[++i], kMostStrips, &value) || value < 1) {
        error = std::string("--count takes a number from 1 to ") + std::to_string(kMostStrips) +
                ", not " + argv[i];
        return false;
      }
      o.count = static_cast<int32_t>(value);
    } else if (arg == "--out" && hasValue) {
      o.out = argv[++i];
    } else if (arg.compare(0, 2, "--") == 0) {
      return false;
    } else if (o.folder == nullptr) {
      o.folder = argv[i];
    } else if (o.item == nullptr) {
      o.item = argv[i];
    } else {
      return false;
    }
  }
  return o.folder != nullptr && o.item != nullptr;
}

uint32_t renderSeed(uint32_t first, int32_t k) { return first + 2u * static_cast<uint32_t>(k); }

std::string matchStrip(const StripName* names, const std::string& wanted) {
  std::string found;
  for (const std::string& name : stripNamesInOrder(names)) {
    if (name == wanted) return name;
    if (found.empty() && lowerAscii(name) == lowerAscii(wanted)) found = name;
  }
  return found;
}

std::string stripList(const StripName* names) {
  std::string out;
  for (const std::string& name : stripNamesInOrder(names))
    out += (out.empty() ? "\"" : ", \"") + name + "\"";
  return out;
}

bool isTemplateName(const std::string& item) {
  std::string end = lowerAscii(item.size() >= 4 ? item.substr(item.size() - 4) : item);
  return end != ".pcx" && end != ".bmp";
}

std::string stripChoices(const StripRandomizer& r) {
  std::string out;
  for (int i = 0; i < 3; ++i) {
    const StripPanel& panel = r.panel(i);
    out += " | panel " + std::to_string(i + 1) + ": " + panel.imageFile;
    // The boxes are listed last first.
    std::string texts;
    for (const StripTextbox* box = panel.textboxes; box != nullptr; box = box->nextBox)
      texts = std::string(" \"") + box->text + "\"" + texts;
    out += texts;
  }
  return out;
}
