#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <vector>

#include "launcher/ui/KeyColourRuns.h"
#include "launcher/ui/ProgressFill.h"
#include "launcher/ui/SkinGeometry.h"

namespace {

constexpr std::uint32_t kMagenta = 0x00FF00FF;  // 0x00BBGGRR
constexpr std::uint16_t kMagenta555 = 0x7C1F;
constexpr std::uint16_t kGold555 = (28 << 10) | (21 << 5) | 8;

using Runs = std::vector<RunRect>;

// A 16 bpp image from rows of pixel values, each row padded to 4 bytes.
struct Image16 {
  std::vector<unsigned char> bytes;
  PixelRows rows;
  Image16(const std::vector<std::vector<std::uint16_t>>& pixels) {
    int width = pixels.empty() ? 0 : static_cast<int>(pixels[0].size());
    size_t stride = AlignedStride(static_cast<size_t>(width) * 2);
    bytes.assign(stride * pixels.size() + 4, 0xEE);  // padding of a different colour
    for (size_t y = 0; y < pixels.size(); ++y)
      for (int x = 0; x < width; ++x) {
        bytes[y * stride + 2 * x] = static_cast<unsigned char>(pixels[y][x]);
        bytes[y * stride + 2 * x + 1] = static_cast<unsigned char>(pixels[y][x] >> 8);
      }
    rows = {bytes.data(), static_cast<std::ptrdiff_t>(stride), width, static_cast<int>(pixels.size()), 16, nullptr};
  }
};

Runs Scan(const PixelRows& rows, std::uint32_t key = kMagenta) {
  Runs runs;
  EXPECT_TRUE(ScanOpaqueRuns(rows, key, runs));
  return runs;
}

TEST(KeyColourRuns, KeyColourInEachPixelForm) {
  const std::uint32_t colour = 0x00563412;  // red 0x12, green 0x34, blue 0x56
  EXPECT_EQ(KeyInPixelForm(colour, 16), (0x12u >> 3) << 10 | (0x34u >> 3) << 5 | (0x56u >> 3));
  EXPECT_EQ(KeyInPixelForm(colour, 24), 0x00123456u);
  EXPECT_EQ(KeyInPixelForm(colour, 32), 0x00123456u);
  EXPECT_EQ(KeyInPixelForm(colour, 8), 0x00123456u);
  EXPECT_EQ(KeyInPixelForm(kMagenta, 16), kMagenta555);
  EXPECT_EQ(KeyInPixelForm(0x00F8F8F8 | 0x070707, 16), 0x7FFFu);  // low bits dropped
}

TEST(KeyColourRuns, RowsOfSixteenBitPixels) {
  const std::uint16_t K = kMagenta555, A = kGold555;
  const std::uint16_t nearKey = kMagenta555 ^ 1;  // one step off magenta: stays
  struct Case {
    const char* name;
    std::vector<std::vector<std::uint16_t>> pixels;
    Runs expected;
  } cases[] = {
      {"key A A key A", {{K, A, A, K, A}}, {{1, 0, 3, 1}, {4, 0, 5, 1}}},
      {"all key", {{K, K, K}, {K, K, K}}, {}},
      {"all opaque", {{A, A, A}}, {{0, 0, 3, 1}}},
      {"run closed at the right edge", {{K, K, A}}, {{2, 0, 3, 1}}},
      {"near key stays", {{K, nearKey, K}}, {{1, 0, 2, 1}}},
      {"top bit set is not the key", {{static_cast<std::uint16_t>(K | 0x8000), K}}, {{0, 0, 1, 1}}},
      {"key rows give nothing, rows count from the top",
       {{K, K}, {A, K}, {K, K}, {K, A}},
       {{0, 1, 1, 2}, {1, 3, 2, 4}}},
      {"hole inside the figure", {{A, A, K, A, A}}, {{0, 0, 2, 1}, {3, 0, 5, 1}}},
  };
  for (const Case& c : cases) {
    Image16 image(c.pixels);
    EXPECT_EQ(Scan(image.rows), c.expected) << c.name;
  }
}

TEST(KeyColourRuns, ManyRunsInOneRowOutgrowTheFirstRoom) {
  std::vector<std::uint16_t> row;
  for (int x = 0; x < 301; ++x) row.push_back(x % 2 ? kMagenta555 : kGold555);
  Image16 image({row, row});
  Runs runs = Scan(image.rows);
  ASSERT_EQ(runs.size(), 302u);
  EXPECT_EQ(runs[150], (RunRect{300, 0, 301, 1}));
  EXPECT_EQ(runs[151], (RunRect{0, 1, 1, 2}));
}

TEST(KeyColourRuns, TwentyFourAndThirtyTwoBitPixels) {
  // 24 bpp: blue, green, red bytes. Key blue 0x56 green 0x34 red 0x12.
  const std::uint32_t key = 0x00563412;
  unsigned char row24[12] = {0x56, 0x34, 0x12, 0x00, 0x00, 0x00, 0x56, 0x34, 0x12, 0x12, 0x34, 0x56};
  PixelRows r24 = {row24, 12, 4, 1, 24, nullptr};
  EXPECT_EQ(Scan(r24, key), (Runs{{1, 0, 2, 1}, {3, 0, 4, 1}}));

  // 32 bpp compares the whole pixel: the same colour with a non-zero top byte stays.
  unsigned char row32[12] = {0x56, 0x34, 0x12, 0x00, 0x56, 0x34, 0x12, 0xFF, 0x56, 0x34, 0x12, 0x00};
  PixelRows r32 = {row32, 12, 3, 1, 32, nullptr};
  EXPECT_EQ(Scan(r32, key), (Runs{{1, 0, 2, 1}}));
}

TEST(KeyColourRuns, EightBitPixelsCompareTheirColourTableEntry) {
  std::uint32_t table[256] = {};
  table[3] = 0x00FF00FF;  // magenta
  table[7] = 0xAAFF00FF;  // magenta with a reserved byte: still the key colour
  table[9] = 0x00FF00FE;  // almost
  unsigned char row[8] = {3, 9, 7, 1, 3, 0, 0, 0};
  PixelRows rows = {row, 8, 5, 1, 8, table};
  EXPECT_EQ(Scan(rows), (Runs{{1, 0, 2, 1}, {3, 0, 4, 1}}));
  rows.colourTable = nullptr;
  Runs runs;
  EXPECT_FALSE(ScanOpaqueRuns(rows, kMagenta, runs));
  rows.bitsPerPixel = 4;
  rows.colourTable = table;
  EXPECT_FALSE(ScanOpaqueRuns(rows, kMagenta, runs));
}

// ---------------------------------------------------------------------------------------

TEST(ProgressFill, PiecesAndPercentWithTheLauncherImages) {
  const FillArea fill = {2, 2, 777, 19};
  struct Case {
    int position, lower, upper;
    bool drawFill;
    int width, rightX, middleX, middleWidth;
    int percent;
  } cases[] = {
      {0, 0, 100, false, 0, 0, 0, 0, 0},
      {1, 0, 100, true, 7, 8, 3, 5, 1},  // left end at 2, middle 3..7, right end at 8
      {50, 0, 100, true, 387, 388, 3, 385, 50},
      {29, 0, 100, true, 224, 225, 3, 222, 29},  // 29% in binary floating point would be 28.99..
      {100, 0, 100, true, 775, 776, 3, 773, 100},
      {250, 0, 100, true, 775, 776, 3, 773, 100},
      {-5, 0, 100, true, 2, 3, 0, 0, 0},  // raised to the two ends together
      {2, 0, 3, true, 516, 517, 3, 514, 66},
      {INT_MAX, 0, INT_MAX, true, 775, 776, 3, 773, 100},
      {INT_MAX, INT_MIN, INT_MAX, true, 387, 388, 3, 385, 49},  // position over range, not from lower
  };
  for (const Case& c : cases) {
    FillPieces p = ComputeFillPieces(c.position, c.lower, c.upper, fill, 1, 1);
    SCOPED_TRACE(testing::Message() << c.position << " of " << c.lower << ".." << c.upper);
    EXPECT_EQ(p.drawFill, c.drawFill);
    EXPECT_EQ(ProgressPercent(c.position, c.lower, c.upper), c.percent);
    if (!c.drawFill) continue;
    EXPECT_EQ(p.width, c.width);
    EXPECT_EQ(p.leftX, 2);
    EXPECT_EQ(p.top, 2);
    EXPECT_EQ(p.rightX, c.rightX);
    EXPECT_EQ(p.middleX, c.middleX);
    EXPECT_EQ(p.middleWidth, c.middleWidth);
  }
}

TEST(ProgressFill, EmptyRangeShowsTrackOnly) {
  const FillArea fill = {2, 2, 777, 19};
  for (int upper : {0, -1, INT_MIN}) {
    EXPECT_FALSE(ComputeFillPieces(5, 0, upper, fill, 1, 1).drawFill) << upper;
    EXPECT_EQ(ProgressPercent(5, 0, upper), -1) << upper;
  }
}

TEST(ProgressFill, WiderEndsAndMissingEnds) {
  const FillArea fill = {2, 2, 777, 19};
  FillPieces wide = ComputeFillPieces(1, 0, 100, fill, 6, 4);  // 7 is below 6 + 4
  EXPECT_EQ(wide.width, 10);
  EXPECT_EQ(wide.rightX, 8);
  EXPECT_EQ(wide.middleWidth, 0);
  // Ends whose image failed to load count as zero wide: the middle covers the fill.
  FillPieces none = ComputeFillPieces(1, 0, 100, fill, 0, 0);
  EXPECT_EQ(none.width, 7);
  EXPECT_EQ(none.middleX, 2);
  EXPECT_EQ(none.middleWidth, 7);
}

// ---------------------------------------------------------------------------------------

TEST(SkinGeometry, SplashAndBarsOnAFullHdScreen) {
  Spot origin = CentredOrigin(1920, 1080, 1024, 768);
  EXPECT_EQ(origin, (Spot{448, 156}));
  EXPECT_EQ(BarPosition(origin, kFileBarOffset), (Spot{584, 826}));
  EXPECT_EQ(BarPosition(origin, kTotalBarOffset), (Spot{584, 866}));
  // No picture: origin (0, 0), the bars at their offsets.
  EXPECT_EQ(BarPosition({0, 0}, kTotalBarOffset), (Spot{136, 710}));
  // A picture larger than the screen gives a negative origin, halved toward zero.
  EXPECT_EQ(CentredOrigin(800, 600, 1024, 768), (Spot{-112, -84}));
  EXPECT_EQ(CentredOrigin(801, 601, 1024, 768), (Spot{-111, -83}));
}

TEST(SkinGeometry, HimetricToPixels) {
  // A 1024 x 768 picture at 96 pixels per inch is stored as 27093 x 20320 HIMETRIC.
  EXPECT_EQ(HimetricToPixels(27093, 96), 1024);
  EXPECT_EQ(HimetricToPixels(20320, 96), 768);
  EXPECT_EQ(HimetricToPixels(27093, 120), 1280);
  EXPECT_EQ(HimetricToPixels(0, 96), 0);
  EXPECT_EQ(HimetricToPixels(13, 96), 0);  // 0.49 pixels
  EXPECT_EQ(HimetricToPixels(14, 96), 1);  // 0.53 pixels
}

TEST(SkinGeometry, WindowCentredThenHeldInTheWorkArea) {
  const Box work = {0, 0, 1920, 1040};
  struct Case {
    const char* name;
    Box reference;
    Box workArea;
    int width, height;
    Spot expected;
  } cases[] = {
      {"hidden window: centred in the work area", work, work, 1031, 524, {445, 258}},
      {"visible window at the origin stays", {0, 0, 1031, 524}, work, 1031, 524, {0, 0}},
      {"visible window below a top task bar", {0, 0, 1031, 524}, {0, 40, 1920, 1080}, 1031, 524, {0, 40}},
      {"full-screen window back to the skin size", {0, 0, 1920, 1080}, work, 1031, 524, {445, 278}},
      {"off the right and bottom edges", {1800, 1000, 2831, 1524}, work, 1031, 524, {889, 516}},
      {"wider than the work area: the right edge wins", work, {0, 0, 1000, 500}, 1031, 524, {-31, -24}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PlaceInWorkArea(c.reference, c.workArea, c.width, c.height), c.expected) << c.name;
}

}  // namespace
