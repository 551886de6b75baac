#include "launcher/ui/KeyColourRuns.h"

namespace {

constexpr std::size_t kRoomStep = 40;

std::uint32_t PixelAt(const unsigned char* row, int x, int bitsPerPixel, const std::uint32_t* table) {
  switch (bitsPerPixel) {
    case 8:
      return table[row[x]] & 0x00FFFFFFu;
    case 16:
      return static_cast<std::uint32_t>(row[2 * x] | row[2 * x + 1] << 8);
    case 24:
      return static_cast<std::uint32_t>(row[3 * x] | row[3 * x + 1] << 8 | row[3 * x + 2] << 16);
    default: {
      const unsigned char* p = row + 4 * x;
      return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
             static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
    }
  }
}

void Append(std::vector<RunRect>& runs, const RunRect& r) {
  runs.push_back(r);
  if (runs.size() == runs.capacity()) runs.reserve(runs.capacity() + kRoomStep);
}

}  // namespace

std::uint32_t KeyInPixelForm(std::uint32_t colour, int bitsPerPixel) {
  std::uint32_t red = colour & 0xFF, green = (colour >> 8) & 0xFF, blue = (colour >> 16) & 0xFF;
  if (bitsPerPixel == 16) return (red >> 3) << 10 | (green >> 3) << 5 | (blue >> 3);
  return red << 16 | green << 8 | blue;
}

std::size_t AlignedStride(std::size_t bytesPerRow) { return (bytesPerRow + 3) / 4 * 4; }

bool ScanOpaqueRuns(const PixelRows& rows, std::uint32_t keyColour, std::vector<RunRect>& runs) {
  int bpp = rows.bitsPerPixel;
  if (bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return false;
  if (bpp == 8 && rows.colourTable == nullptr) return false;
  if (rows.top == nullptr || rows.width < 0 || rows.height < 0) return false;
  std::uint32_t key = KeyInPixelForm(keyColour, bpp);
  runs.reserve(runs.size() + static_cast<std::size_t>(rows.height) + 1);
  for (int y = 0; y < rows.height; ++y) {
    const unsigned char* row = rows.top + y * rows.stride;
    int start = -1;
    for (int x = 0; x < rows.width; ++x) {
      bool opaque = PixelAt(row, x, bpp, rows.colourTable) != key;
      if (opaque && start < 0) {
        start = x;
      } else if (!opaque && start >= 0) {
        Append(runs, {start, y, x, y + 1});
        start = -1;
      }
    }
    if (start >= 0) Append(runs, {start, y, rows.width, y + 1});
  }
  return true;
}
