#include "core/show/screen_layout.h"

#include <algorithm>

namespace {

constexpr int32_t kStepWidth = 1024;
constexpr int32_t kStepHeight = 768;

int32_t saturate(int64_t v) {
  return static_cast<int32_t>(std::max<int64_t>(INT32_MIN, std::min<int64_t>(INT32_MAX, v)));
}

}  // namespace

int32_t chooseScale(int32_t primaryWidth, int32_t primaryHeight, uint32_t setting) {
  // The largest at which a whole 1024 x 768 show fits: a larger one would
  // cut items off.
  int32_t fits = std::max(std::min(primaryWidth / kStepWidth, primaryHeight / kStepHeight), 1);
  int32_t scale = fits;
  if (setting >= 1 && setting <= static_cast<uint32_t>(kMaxScale)) {
    scale = std::min(static_cast<int32_t>(setting), fits);
  }
  scale = std::min({scale, primaryWidth, primaryHeight});
  return std::max(scale, 1);
}

ScreenLayout makeScreenLayout(const PixelRect& virtualScreen, int32_t primaryWidth,
                              int32_t primaryHeight, uint32_t scaleSetting) {
  ScreenLayout layout;
  layout.primaryWidth = std::max(primaryWidth, 0);
  layout.primaryHeight = std::max(primaryHeight, 0);
  int64_t left = std::min<int64_t>(virtualScreen.x, 0);
  int64_t top = std::min<int64_t>(virtualScreen.y, 0);
  int64_t right =
      std::max<int64_t>(int64_t{virtualScreen.x} + virtualScreen.width, layout.primaryWidth);
  int64_t bottom =
      std::max<int64_t>(int64_t{virtualScreen.y} + virtualScreen.height, layout.primaryHeight);
  layout.left = saturate(left);
  layout.top = saturate(top);
  layout.width = saturate(right - left);
  layout.height = saturate(bottom - top);
  layout.scale = chooseScale(layout.primaryWidth, layout.primaryHeight, scaleSetting);
  return layout;
}

int32_t showWidth(const ScreenLayout& layout) { return layout.primaryWidth / layout.scale; }

int32_t showHeight(const ScreenLayout& layout) { return layout.primaryHeight / layout.scale; }

PixelRect clipTo(const PixelRect& rect, int32_t width, int32_t height) {
  int64_t left = std::max<int64_t>(rect.x, 0);
  int64_t top = std::max<int64_t>(rect.y, 0);
  int64_t right = std::min<int64_t>(int64_t{rect.x} + rect.width, width);
  int64_t bottom = std::min<int64_t>(int64_t{rect.y} + rect.height, height);
  if (right <= left || bottom <= top) return PixelRect();
  return rectBetween(left, top, right, bottom);
}

PixelRect clipToShow(const ScreenLayout& layout, const PixelRect& rect) {
  return clipTo(rect, showWidth(layout), showHeight(layout));
}

PixelRect toPrimary(const ScreenLayout& layout, const PixelRect& rect) {
  PixelRect scaled;
  scaled.x = saturate(int64_t{rect.x} * layout.scale);
  scaled.y = saturate(int64_t{rect.y} * layout.scale);
  scaled.width = saturate(int64_t{rect.width} * layout.scale);
  scaled.height = saturate(int64_t{rect.height} * layout.scale);
  return scaled;
}

PixelRect unionOf(const PixelRect& a, const PixelRect& b) {
  bool aEmpty = a.width <= 0 || a.height <= 0;
  bool bEmpty = b.width <= 0 || b.height <= 0;
  if (aEmpty || bEmpty) return aEmpty ? (bEmpty ? PixelRect() : b) : a;
  int64_t left = std::min(a.x, b.x);
  int64_t top = std::min(a.y, b.y);
  int64_t right = std::max(int64_t{a.x} + a.width, int64_t{b.x} + b.width);
  int64_t bottom = std::max(int64_t{a.y} + a.height, int64_t{b.y} + b.height);
  PixelRect both;
  both.x = static_cast<int32_t>(left);
  both.y = static_cast<int32_t>(top);
  both.width = saturate(right - left);
  both.height = saturate(bottom - top);
  return both;
}

std::vector<ShowPlace> placeShows(int32_t windowWidth, int32_t windowHeight,
                                  const std::vector<PixelRect>& monitors, bool everyMonitor,
                                  uint32_t scaleSetting) {
  std::vector<ShowPlace> places;
  if (!everyMonitor) return places;
  for (const PixelRect& monitor : monitors) {
    ShowPlace place;
    place.area = clipTo(monitor, windowWidth, windowHeight);
    if (place.area.width == 0) continue;
    bool repeat = false;
    for (const ShowPlace& p : places) {
      const PixelRect& a = p.area;
      const PixelRect& b = place.area;
      repeat = repeat || (a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height);
    }
    if (repeat) continue;
    place.scale = chooseScale(place.area.width, place.area.height, scaleSetting);
    places.push_back(place);
  }
  if (places.size() < 2) places.clear();
  return places;
}

int32_t staggerTicks(int32_t delayTicks, int32_t index, int32_t count) {
  if (count <= 0 || index <= 0 || delayTicks <= 0) return 0;
  return static_cast<int32_t>(int64_t{delayTicks} * (index % count) / count);
}
