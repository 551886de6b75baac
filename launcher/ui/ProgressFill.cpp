#include "launcher/ui/ProgressFill.h"

#include <algorithm>

FillPieces ComputeFillPieces(int position, int lower, int upper, const FillArea& fill, int leftEndWidth,
                             int rightEndWidth) {
  FillPieces pieces;
  std::int64_t range = static_cast<std::int64_t>(upper) - lower;
  if (range < 1) return pieces;
  std::int64_t fillWidth = static_cast<std::int64_t>(fill.right) - fill.left;
  // 64-bit so a large range or position cannot overflow the product.
  std::int64_t w = std::min<std::int64_t>(position, range) * fillWidth / range;
  if (w > fillWidth) w = fillWidth;
  if (w == 0) return pieces;
  std::int64_t ends = static_cast<std::int64_t>(leftEndWidth) + rightEndWidth;
  if (w < ends) w = ends;
  pieces.drawFill = true;
  pieces.width = static_cast<int>(w);
  pieces.top = fill.top;
  pieces.leftX = fill.left;
  pieces.rightX = static_cast<int>(fill.left + w - rightEndWidth);
  std::int64_t middle = w - ends;
  if (middle > 0) {
    pieces.middleX = fill.left + leftEndWidth;
    pieces.middleWidth = static_cast<int>(middle);
  }
  return pieces;
}

int ProgressPercent(int position, int lower, int upper) {
  std::int64_t range = static_cast<std::int64_t>(upper) - lower;
  if (range < 1) return -1;
  // Exact integer quotient: in binary floating point 29 / 100 * 100 comes out as 28.999...
  // and would show 28%.
  std::int64_t p = static_cast<std::int64_t>(position) * 100 / range;
  return static_cast<int>(std::clamp<std::int64_t>(p, 0, 100));
}
