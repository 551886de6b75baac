#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "launcher/ui/BmpFile.h"
#include "launcher/ui/PackedImage.h"

extern "C" {
#include "Lzma86.h"
#include "LzmaEnc.h"
}

namespace {

using Bytes = std::vector<unsigned char>;

// Looks like machine code: plenty of CALL (E8) instructions with small relative targets,
// so the x86 filter really changes the bytes.
Bytes CodeLikeSample() {
  Bytes b;
  for (int i = 0; i < 4000; ++i) {
    b.push_back(static_cast<unsigned char>(0x55 + i % 7));
    if (i % 5 == 0) {
      b.push_back(0xE8);
      b.push_back(static_cast<unsigned char>(i * 13));
      b.push_back(static_cast<unsigned char>(i % 3));
      b.push_back(0);
      b.push_back(0);
    }
  }
  return b;
}

Bytes Pack(const Bytes& plain, int filterMode) {
  Bytes out(plain.size() * 2 + 1024);
  size_t size = out.size();
  EXPECT_EQ(Lzma86_Encode(out.data(), &size, plain.data(), plain.size(), 5, 1u << 24, filterMode), SZ_OK);
  out.resize(size);
  return out;
}

void* TestAlloc(ISzAllocPtr, size_t size) { return std::malloc(size); }
void TestFree(ISzAllocPtr, void* p) { std::free(p); }

// A packed block whose stream ends with the end marker; `declaredSize` goes into the header.
Bytes PackWithEndMarker(const Bytes& plain, std::uint64_t declaredSize) {
  ISzAlloc alloc = {TestAlloc, TestFree};
  CLzmaEncProps props;
  LzmaEncProps_Init(&props);
  props.dictSize = 1u << 24;
  Bytes out(kLzma86HeaderSize + plain.size() * 2 + 1024);
  SizeT streamSize = out.size() - kLzma86HeaderSize;
  SizeT propsSize = 5;
  EXPECT_EQ(LzmaEncode(out.data() + kLzma86HeaderSize, &streamSize, plain.data(), plain.size(), &props, out.data() + 1,
                       &propsSize, 1, nullptr, &alloc, &alloc),
            SZ_OK);
  out[0] = 0;
  for (int i = 0; i < 8; ++i) out[6 + i] = static_cast<unsigned char>(declaredSize >> (8 * i));
  out.resize(kLzma86HeaderSize + streamSize);
  return out;
}

TEST(PackedImage, PlainAndFilteredBlocksDecode) {
  Bytes plain = CodeLikeSample();
  Bytes packed = Pack(plain, SZ_FILTER_NO);
  ASSERT_EQ(packed[0], kLzma86NoFilter);
  EXPECT_EQ(packed[1], 0x5D);
  Bytes out;
  EXPECT_EQ(DecodeLzma86(packed.data(), packed.size(), out), Lzma86Result::Ok);
  EXPECT_EQ(out, plain);

  Bytes filtered = Pack(plain, SZ_FILTER_YES);
  ASSERT_EQ(filtered[0], kLzma86X86Filter);
  EXPECT_EQ(DecodeLzma86(filtered.data(), filtered.size(), out), Lzma86Result::Ok);
  EXPECT_EQ(out, plain);
  // The same stream taken as unfiltered gives the filtered bytes: the filter did the work.
  filtered[0] = kLzma86NoFilter;
  EXPECT_EQ(DecodeLzma86(filtered.data(), filtered.size(), out), Lzma86Result::Ok);
  EXPECT_NE(out, plain);
}

TEST(PackedImage, EndMarkerAcceptedOnlyAtTheDeclaredLength) {
  Bytes plain = CodeLikeSample();
  Bytes out;
  Bytes exact = PackWithEndMarker(plain, plain.size());
  EXPECT_EQ(DecodeLzma86(exact.data(), exact.size(), out), Lzma86Result::Ok);
  EXPECT_EQ(out, plain);
  // The marker before the declared length would leave the rest of the buffer undefined.
  Bytes early = PackWithEndMarker(plain, plain.size() + 100);
  EXPECT_EQ(DecodeLzma86(early.data(), early.size(), out), Lzma86Result::Corrupt);
  EXPECT_TRUE(out.empty());
}

TEST(PackedImage, BadBlocksAreRejected) {
  const Bytes good = Pack(CodeLikeSample(), SZ_FILTER_NO);
  struct Case {
    const char* name;
    std::function<void(Bytes&)> spoil;
    Lzma86Result expected;
  } cases[] = {
      {"empty", [](Bytes& b) { b.clear(); }, Lzma86Result::TooShort},
      {"13 bytes", [](Bytes& b) { b.resize(13); }, Lzma86Result::TooShort},
      {"filter 2", [](Bytes& b) { b[0] = 2; }, Lzma86Result::UnsupportedFilter},
      {"filter 255", [](Bytes& b) { b[0] = 255; }, Lzma86Result::UnsupportedFilter},
      {"properties 225", [](Bytes& b) { b[1] = 225; }, Lzma86Result::BadProperties},
      {"stream cut in half", [](Bytes& b) { b.resize(kLzma86HeaderSize + (b.size() - kLzma86HeaderSize) / 2); },
       Lzma86Result::Truncated},
      {"header only", [](Bytes& b) { b.resize(kLzma86HeaderSize); }, Lzma86Result::Truncated},
      {"declared size beyond the stream",
       [](Bytes& b) {
         b[6] = static_cast<unsigned char>(b[6] + 50);
         b[7] += 1;
       },
       Lzma86Result::Truncated},
      {"first stream byte not zero", [](Bytes& b) { b[kLzma86HeaderSize] = 0x80; }, Lzma86Result::Corrupt},
      {"absurd unpacked size", [](Bytes& b) { b[13] = 0x7F; }, Lzma86Result::TooLarge},
  };
  for (const Case& c : cases) {
    Bytes b = good;
    c.spoil(b);
    Bytes out = {1, 2, 3};
    EXPECT_EQ(DecodeLzma86(b.data(), b.size(), out), c.expected) << c.name;
    EXPECT_TRUE(out.empty()) << c.name;
  }
}

TEST(PackedImage, SmallDictionaryAndHighestPropertiesStillDecode) {
  Bytes plain(3000, 0x41);
  Bytes packed = Pack(plain, SZ_FILTER_NO);
  // Dictionary sizes below 4096 count as 4096; the data fits either way.
  packed[2] = 16, packed[3] = packed[4] = packed[5] = 0;
  Bytes out;
  EXPECT_EQ(DecodeLzma86(packed.data(), packed.size(), out), Lzma86Result::Ok);
  EXPECT_EQ(out, plain);
}

// ---------------------------------------------------------------------------------------

Bytes BmpHeaders(const char type[2], std::uint32_t storedSize, std::uint32_t offset, std::int32_t width,
                 std::int32_t height, std::uint16_t bpp) {
  Bytes b(54, 0);
  auto put32 = [&](size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<unsigned char>(v >> (8 * i));
  };
  b[0] = static_cast<unsigned char>(type[0]);
  b[1] = static_cast<unsigned char>(type[1]);
  put32(2, storedSize);
  put32(10, offset);
  put32(14, 40);
  put32(18, static_cast<std::uint32_t>(width));
  put32(22, static_cast<std::uint32_t>(height));
  b[26] = 1;
  b[28] = static_cast<unsigned char>(bpp);
  return b;
}

TEST(BmpFile, FileHeaderNeedsTypeOrExactSize) {
  struct Case {
    const char* type;
    std::int64_t storedSizeDelta;  // against the data's real length
    bool accepted;
  } cases[] = {
      {"BM", 0, true},   {"BM", 2, true},  // a "BM" image whose stored size differs
      {"XY", 0, true},                     // not "BM", but its stored size equals its length
      {"XY", -1, false},                   // neither
      {"bm", 0, true},   {"bm", 7, false},
  };
  for (const Case& c : cases) {
    Bytes b = BmpHeaders(c.type, 0, 54, 2, 2, 16);
    b.resize(54 + 16);
    Bytes withSize = BmpHeaders(c.type, static_cast<std::uint32_t>(b.size() + c.storedSizeDelta), 54, 2, 2, 16);
    std::copy(withSize.begin(), withSize.end(), b.begin());
    EXPECT_EQ(AcceptBmpFileHeader(b.data(), b.size()), c.accepted) << c.type << " " << c.storedSizeDelta;
  }
  Bytes shortData = {'B', 'M', 0, 0};
  EXPECT_FALSE(AcceptBmpFileHeader(shortData.data(), shortData.size()));
}

TEST(BmpFile, HeadersMustLieInsideTheData) {
  BmpLayout layout;
  Bytes b = BmpHeaders("BM", 0, 54, 4, 3, 16);
  EXPECT_TRUE(ReadBmpLayout(b.data(), b.size(), layout));
  EXPECT_EQ(layout.width, 4);
  EXPECT_EQ(layout.height, 3);
  EXPECT_EQ(layout.bitsPerPixel, 16);
  EXPECT_FALSE(ReadBmpLayout(b.data(), 53, layout));  // information header cut short

  Bytes paletted = BmpHeaders("BM", 0, 54 + 1024, 4, 3, 8);
  EXPECT_FALSE(ReadBmpLayout(paletted.data(), paletted.size(), layout));  // colour table missing
  paletted.resize(54 + 1024);
  EXPECT_TRUE(ReadBmpLayout(paletted.data(), paletted.size(), layout));
}

TEST(BmpFile, PixelDataMustNotRunPastTheDecodedData) {
  EXPECT_EQ(DibRowBytes(1031, 16), 2064u);
  EXPECT_EQ(DibRowBytes(779, 16), 1560u);
  EXPECT_EQ(DibRowBytes(1, 16), 4u);
  EXPECT_EQ(DibRowBytes(351, 8), 352u);
  EXPECT_EQ(DibRowBytes(3, 24), 12u);
  EXPECT_EQ(DibRowBytes(-3, 24), 12u);

  BmpLayout layout;
  Bytes b = BmpHeaders("BM", 0, 54, 3, -2, 16);  // top-down rows count the same
  ASSERT_TRUE(ReadBmpLayout(b.data(), b.size(), layout));
  std::uint64_t need = DibImageBytes(layout);
  EXPECT_EQ(need, 16u);
  EXPECT_TRUE(PixelDataFits(layout, 54 + 16, need));
  EXPECT_FALSE(PixelDataFits(layout, 54 + 15, need));
  layout.pixelOffset = 0xFFFFFFF0u;
  EXPECT_FALSE(PixelDataFits(layout, 54 + 16, need));
  // A huge image declared in a small file cannot wrap the arithmetic around.
  Bytes huge = BmpHeaders("BM", 0, 54, 0x7FFFFFFF, 0x7FFFFFFF, 32);
  ASSERT_TRUE(ReadBmpLayout(huge.data(), huge.size(), layout));
  EXPECT_FALSE(PixelDataFits(layout, huge.size(), DibImageBytes(layout)));
}

// ---------------------------------------------------------------------------------------
// The committed art: packed forms must stay the packing of the committed bitmaps.

Bytes ReadResource(const std::string& name) {
  std::string path = std::string(TESTS_SOURCE_DIR) + "/../launcher/resources/" + name;
  Bytes bytes;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) return bytes;
  unsigned char buffer[65536];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.insert(bytes.end(), buffer, buffer + n);
  std::fclose(f);
  return bytes;
}

TEST(CommittedArt, PackedImagesDecodeToTheCommittedBitmaps) {
  struct Case {
    const char* packed;
    const char* bitmap;
    int width, height;
  } cases[] = {
      {"skin.lzma86", "skin.bmp", 1031, 524},
      {"progress_track.lzma86", "progress_track.bmp", 779, 21},
  };
  for (const Case& c : cases) {
    Bytes packed = ReadResource(c.packed);
    Bytes bitmap = ReadResource(c.bitmap);
    ASSERT_FALSE(packed.empty()) << c.packed;
    EXPECT_EQ(packed[0], kLzma86NoFilter);
    EXPECT_EQ(packed[1], 0x5D);
    EXPECT_EQ(packed[2] | packed[3] << 8 | packed[4] << 16 | packed[5] << 24, 16 << 20);
    Bytes decoded;
    ASSERT_EQ(DecodeLzma86(packed.data(), packed.size(), decoded), Lzma86Result::Ok) << c.packed;
    EXPECT_TRUE(decoded == bitmap) << c.packed << " is stale: rerun tools/pack_lzma86 on " << c.bitmap;

    BmpLayout layout;
    ASSERT_TRUE(ReadBmpLayout(decoded.data(), decoded.size(), layout));
    EXPECT_EQ(layout.width, c.width);
    EXPECT_EQ(layout.height, c.height);
    EXPECT_EQ(layout.bitsPerPixel, 16);
    EXPECT_EQ(layout.compression, 0u);
    EXPECT_EQ(layout.pixelOffset, 54u);
    EXPECT_EQ(layout.storedFileSize, decoded.size());
    EXPECT_TRUE(PixelDataFits(layout, decoded.size(), DibImageBytes(layout)));
  }
}

TEST(CommittedArt, BitmapsHaveTheSizesTheWindowUses) {
  struct Case {
    const char* name;
    int width, height, bpp;
  } cases[] = {
      {"btn_close.bmp", 60, 20, 8}, {"btn_minimise.bmp", 60, 20, 8}, {"btn_home.bmp", 351, 51, 8},
      {"btn_pay.bmp", 351, 51, 8},  {"btn_service.bmp", 351, 51, 8}, {"btn_forum.bmp", 351, 51, 8},
      {"fill_left.bmp", 1, 17, 16}, {"fill_right.bmp", 1, 17, 16},   {"fill_middle.bmp", 1, 17, 16},
  };
  for (const Case& c : cases) {
    Bytes b = ReadResource(c.name);
    BmpLayout layout;
    ASSERT_TRUE(ReadBmpLayout(b.data(), b.size(), layout)) << c.name;
    EXPECT_EQ(layout.width, c.width) << c.name;
    EXPECT_EQ(layout.height, c.height) << c.name;
    EXPECT_EQ(layout.bitsPerPixel, c.bpp) << c.name;
  }
  Bytes splash = ReadResource("splash.jpg");
  ASSERT_GT(splash.size(), 4u);
  EXPECT_EQ(splash[0], 0xFF);
  EXPECT_EQ(splash[1], 0xD8);
}

}  // namespace
