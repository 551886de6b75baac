#include "launcher/ui/SkinGeometry.h"

#include <cstdint>

namespace {

constexpr int kHimetricPerInch = 2540;

}  // namespace

Spot CentredOrigin(int screenWidth, int screenHeight, int pictureWidth, int pictureHeight) {
  return {(screenWidth - pictureWidth) / 2, (screenHeight - pictureHeight) / 2};
}

Spot BarPosition(const Spot& splashOrigin, const Spot& barOffset) {
  return {splashOrigin.x + barOffset.x, splashOrigin.y + barOffset.y};
}

int HimetricToPixels(int himetric, int pixelsPerInch) {
  std::int64_t product = static_cast<std::int64_t>(himetric) * pixelsPerInch;
  std::int64_t half = kHimetricPerInch / 2;
  return static_cast<int>(product >= 0 ? (product + half) / kHimetricPerInch : (product - half) / kHimetricPerInch);
}

Spot PlaceInWorkArea(const Box& reference, const Box& workArea, int width, int height) {
  Spot at = {(reference.left + reference.right) / 2 - width / 2, (reference.top + reference.bottom) / 2 - height / 2};
  if (at.x < workArea.left) {
    at.x = workArea.left;
  } else if (at.x + width > workArea.right) {
    at.x = workArea.right - width;
  }
  if (at.y < workArea.top) {
    at.y = workArea.top;
  } else if (at.y + height > workArea.bottom) {
    at.y = workArea.bottom - height;
  }
  return at;
}
