#include "launcher/ui/SkinRegion_win.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "launcher/ui/KeyColourRuns.h"

namespace {

struct BitmapInfo256 {
  BITMAPINFOHEADER header;
  RGBQUAD colours[256];
};

static_assert(sizeof(RGNDATAHEADER) == 32, "region data header is 32 bytes");
static_assert(sizeof(RECT) == 16, "region rectangles are four 32-bit values");

}  // namespace

winlib::UniqueRegion CreateRegionFromBitmap(HBITMAP bitmap, COLORREF key) {
  BITMAP bm{};
  if (bitmap == nullptr || ::GetObjectA(bitmap, sizeof bm, &bm) == 0) return {};
  winlib::UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
  if (!dc) return {};
  BitmapInfo256 info{};
  info.header.biSize = sizeof info.header;
  if (::GetDIBits(dc.Get(), bitmap, 0, 0, nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS) == 0)
    return {};
  int width = info.header.biWidth;
  int height = std::abs(info.header.biHeight);
  int bpp = info.header.biBitCount;
  // Depths the scan has no form for are read as 32-bit pixels.
  if (bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) bpp = 32;
  std::size_t stride = AlignedStride((static_cast<std::size_t>(width) * bpp + 7) / 8);

  // Top-down rows in plain RGB form (16 bits: 5-5-5), so row 0 is the window's top row.
  info.header.biBitCount = static_cast<WORD>(bpp);
  info.header.biCompression = BI_RGB;
  info.header.biHeight = -height;
  info.header.biSizeImage = static_cast<DWORD>(stride * height);
  std::vector<unsigned char> pixels(stride * height + 4);
  if (::GetDIBits(dc.Get(), bitmap, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS) !=
      height) {
    return {};
  }
  std::uint32_t table[256];
  std::memcpy(table, info.colours, sizeof table);
  PixelRows rows = {pixels.data(), static_cast<std::ptrdiff_t>(stride), width, height, bpp, table};
  std::vector<RunRect> runs;
  if (!ScanOpaqueRuns(rows, key, runs)) return {};

  std::vector<unsigned char> data(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT));
  RGNDATAHEADER header{};
  header.dwSize = sizeof header;
  header.iType = RDH_RECTANGLES;
  header.nCount = static_cast<DWORD>(runs.size());
  std::memcpy(data.data(), &header, sizeof header);
  if (!runs.empty()) std::memcpy(data.data() + sizeof header, runs.data(), runs.size() * sizeof(RECT));
  static_assert(sizeof(RunRect) == sizeof(RECT), "runs are laid out as rectangles");
  return winlib::UniqueRegion(
      ::ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), reinterpret_cast<const RGNDATA*>(data.data())));
}
