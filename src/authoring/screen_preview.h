// A finished comic or a popup as the show puts it on a screen of the
// smallest size the saver is made for: the show's own step, with a
// catalogue that holds only that picture.
#pragma once

#include <cstdint>
#include <string>

#include "core/show/comic_catalog.h"
#include "core/show/show.h"

constexpr int32_t kPreviewScreenWidth = 1024;
constexpr int32_t kPreviewScreenHeight = 768;

struct ScreenPreview {
  // What the error display showed instead; empty when the picture was shown.
  std::string error;
  // As the renderer prints it: "comic a.pcx at 0, 0 (640 x 480) on a 1024
  // x 768 screen", "popup b.pcx at ..., on the left, caption "Hi"".
  std::string description;
};

// The show's painter draws on its screen, of the preview's size; the item
// is a name in the show's data folder, the popup its entry of comics.ini
// or null for a finished comic. The show's catalogue is replaced.
ScreenPreview previewScreen(Show& show, const std::string& item, const PopupEntry* popup,
                            uint32_t seed);

// The popup entry of comics.ini (in the show's data folder) for the
// picture, capitals aside; false when it is no popup there.
bool findPopup(const Show& show, const std::string& item, PopupEntry& popup);
