#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Cuts a window outline out of an image: every pixel of exactly the key colour is left out,
// everything else becomes a rectangle one row high.

struct RunRect {
  std::int32_t left, top, right, bottom;  // right and bottom exclusive
  bool operator==(const RunRect& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
};

// The key colour (0x00BBGGRR) in the form pixels of this depth are compared with:
// 16 bpp 5-5-5 packed; 24, 32 and 8 bpp (colour-table entries) 0x00RRGGBB.
std::uint32_t KeyInPixelForm(std::uint32_t colour, int bitsPerPixel);

struct PixelRows {
  const unsigned char* top = nullptr;  // first byte of row 0, the top row
  std::ptrdiff_t stride = 0;           // bytes from one row to the next one down
  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;                        // 8, 16, 24 or 32
  const std::uint32_t* colourTable = nullptr;  // 256 entries as stored (blue, green, red, reserved); 8 bpp only
};

// Appends the opaque runs, row by row from the top. Room starts at one rectangle per row
// and grows by 40 at a time. False for an unsupported depth or missing colour table.
bool ScanOpaqueRuns(const PixelRows& rows, std::uint32_t keyColour, std::vector<RunRect>& runs);

// Smallest multiple of 4 not below the given bytes per row.
std::size_t AlignedStride(std::size_t bytesPerRow);
