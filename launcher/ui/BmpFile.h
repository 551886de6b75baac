#pragma once

#include <cstddef>
#include <cstdint>

// The fields of a BMP file (14-byte file header, then a bitmap information header) that
// turning decoded bytes into a drawable image depends on.
constexpr std::size_t kBmpFileHeaderSize = 14;
constexpr std::size_t kBmpInfoHeaderSize = 40;

struct BmpLayout {
  std::uint32_t storedFileSize = 0;
  std::uint32_t pixelOffset = 0;
  std::uint32_t infoSize = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;  // positive: bottom-up rows
  std::uint16_t bitsPerPixel = 0;
  std::uint32_t compression = 0;
  std::uint32_t coloursUsed = 0;
  std::uint32_t infoBytes = 0;  // information header plus colour table or masks
};

// The file header test: type "BM", or a stored file size equal to the data's length.
// Either one is enough; data shorter than the file header fails.
bool AcceptBmpFileHeader(const unsigned char* data, std::size_t size);

// Reads both headers. False when the file header test fails or the information header and
// its colour table do not lie wholly inside the data.
bool ReadBmpLayout(const unsigned char* data, std::size_t size, BmpLayout& layout);

// Bytes of one row as a device-independent section stores it: rounded up to 4 bytes.
std::uint64_t DibRowBytes(std::int32_t width, std::uint16_t bitsPerPixel);

// True when `pixelBytes` bytes from the layout's pixel offset lie inside the data.
bool PixelDataFits(const BmpLayout& layout, std::size_t size, std::uint64_t pixelBytes);

// Row bytes times the number of rows (whichever the direction of the rows).
std::uint64_t DibImageBytes(const BmpLayout& layout);
