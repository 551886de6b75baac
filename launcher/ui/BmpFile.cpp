#include "launcher/ui/BmpFile.h"

namespace {

std::uint32_t U32(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::uint16_t U16(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

constexpr std::uint32_t kBitFields = 3;

}  // namespace

bool AcceptBmpFileHeader(const unsigned char* data, std::size_t size) {
  if (data == nullptr || size < kBmpFileHeaderSize) return false;
  bool typeIsBm = data[0] == 'B' && data[1] == 'M';
  return typeIsBm || U32(data + 2) == size;
}

bool ReadBmpLayout(const unsigned char* data, std::size_t size, BmpLayout& layout) {
  if (!AcceptBmpFileHeader(data, size)) return false;
  if (size < kBmpFileHeaderSize + kBmpInfoHeaderSize) return false;
  const unsigned char* info = data + kBmpFileHeaderSize;
  layout.storedFileSize = U32(data + 2);
  layout.pixelOffset = U32(data + 10);
  layout.infoSize = U32(info);
  layout.width = static_cast<std::int32_t>(U32(info + 4));
  layout.height = static_cast<std::int32_t>(U32(info + 8));
  layout.bitsPerPixel = U16(info + 14);
  layout.compression = U32(info + 16);
  layout.coloursUsed = U32(info + 32);
  if (layout.infoSize < kBmpInfoHeaderSize) return false;

  // The system reads the colour table (or the three masks) right after the information header.
  std::uint64_t tableBytes = 0;
  if (layout.bitsPerPixel <= 8) {
    std::uint64_t entries = layout.coloursUsed != 0 ? layout.coloursUsed : (1u << layout.bitsPerPixel);
    tableBytes = entries * 4;
  } else if (layout.compression == kBitFields && layout.infoSize == kBmpInfoHeaderSize) {
    tableBytes = 12;
  }
  std::uint64_t headerEnd = kBmpFileHeaderSize + static_cast<std::uint64_t>(layout.infoSize) + tableBytes;
  if (headerEnd > size) return false;
  layout.infoBytes = static_cast<std::uint32_t>(headerEnd - kBmpFileHeaderSize);
  return true;
}

std::uint64_t DibRowBytes(std::int32_t width, std::uint16_t bitsPerPixel) {
  std::uint64_t w =
      width < 0 ? 0 - static_cast<std::uint64_t>(static_cast<std::int64_t>(width)) : static_cast<std::uint64_t>(width);
  return (w * bitsPerPixel + 31) / 32 * 4;
}

bool PixelDataFits(const BmpLayout& layout, std::size_t size, std::uint64_t pixelBytes) {
  std::uint64_t end = static_cast<std::uint64_t>(layout.pixelOffset) + pixelBytes;
  return layout.pixelOffset <= size && end <= size;
}

std::uint64_t DibImageBytes(const BmpLayout& layout) {
  std::int64_t h = layout.height;
  std::uint64_t rows = static_cast<std::uint64_t>(h < 0 ? -h : h);
  return DibRowBytes(layout.width, layout.bitsPerPixel) * rows;
}
