#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "TestFiles_win.h"
#include "launcher/ui/BmpFile.h"
#include "launcher/ui/Layouts_win.h"
#include "launcher/ui/PackedBitmap_win.h"
#include "launcher/ui/SkinRegion_win.h"
#include "launcher/ui/SplashPicture_win.h"
#include "winlib/BitmapButton_win.h"
#include "winlib/Module_win.h"

namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);

std::string ArtPath(const char* name) {
  // Wine's drive Z: is the root of the Linux tree.
  return std::string("Z:") + TESTS_SOURCE_DIR + "/../launcher/resources/" + name;
}

std::vector<unsigned char> ReadArt(const char* name) {
  std::string bytes;
  ReadWholeFile(ArtPath(name), bytes);
  return std::vector<unsigned char>(bytes.begin(), bytes.end());
}

// Pixels of whatever `paint` draws into a top-down 32-bit surface, as 0x00RRGGBB.
template <typename Paint>
std::vector<std::uint32_t> Capture(int width, int height, Paint paint) {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  winlib::UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
  winlib::UniqueBitmap surface(::CreateDIBSection(dc.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  std::vector<std::uint32_t> pixels(static_cast<size_t>(width) * height);
  if (!surface) return pixels;
  std::memset(bits, 0x5A, pixels.size() * 4);  // neither black nor any art colour
  {
    winlib::SelectScope select(dc.Get(), surface.Get());
    paint(dc.Get());
    ::GdiFlush();
  }
  std::memcpy(pixels.data(), bits, pixels.size() * 4);
  for (auto& p : pixels) p &= 0x00FFFFFF;
  return pixels;
}

std::vector<std::uint32_t> CaptureWindow(HWND hwnd, int width, int height) {
  return Capture(width, height, [&](HDC dc) { ::SendMessageA(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), 0); });
}

std::vector<std::uint32_t> CaptureBitmap(HBITMAP bitmap, int width, int height) {
  return Capture(width, height, [&](HDC dc) {
    winlib::UniqueMemoryDc source(::CreateCompatibleDC(dc));
    winlib::SelectScope select(source.Get(), bitmap);
    ::BitBlt(dc, 0, 0, width, height, source.Get(), 0, 0, SRCCOPY);
  });
}

Box ChildBox(HWND child) {
  RECT r{};
  ::GetWindowRect(child, &r);
  ::MapWindowPoints(nullptr, ::GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right, r.bottom};
}

bool SameBox(const Box& a, const Box& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// Inside-or-not of every pixel of a width x height area, from a region's rectangles.
std::vector<bool> RegionMask(HRGN region, int width, int height) {
  std::vector<bool> mask(static_cast<size_t>(width) * height, false);
  DWORD size = ::GetRegionData(region, 0, nullptr);
  std::vector<unsigned char> data(size);
  if (size == 0 || ::GetRegionData(region, size, reinterpret_cast<RGNDATA*>(data.data())) != size) return mask;
  const RGNDATA* rd = reinterpret_cast<const RGNDATA*>(data.data());
  const RECT* rects = reinterpret_cast<const RECT*>(rd->Buffer);
  for (DWORD i = 0; i < rd->rdh.nCount; ++i)
    for (LONG y = std::max(0L, rects[i].top); y < std::min<LONG>(height, rects[i].bottom); ++y)
      for (LONG x = std::max(0L, rects[i].left); x < std::min<LONG>(width, rects[i].right); ++x)
        mask[static_cast<size_t>(y) * width + x] = true;
  return mask;
}

class SkinTest : public ::testing::Test {
 protected:
  void SetUp() override {
    winlib::AppModule::Init(::GetModuleHandleA(nullptr));
    ::CoInitialize(nullptr);
  }
  void TearDown() override {
    ::CoUninitialize();
    winlib::AppModule::Term();
  }
};

// ---------------------------------------------------------------------------------------

TEST_F(SkinTest, PackedResourcesBecomeSections) {
  struct Case {
    int id;
    int width, height;
  } cases[] = {{215, 1031, 524}, {231, 779, 21}};
  for (const Case& c : cases) {
    winlib::UniqueBitmap bitmap = LoadPackedBitmap(c.id, "DATA");
    ASSERT_TRUE(bitmap) << c.id;
    DIBSECTION ds{};
    ASSERT_EQ(::GetObjectA(bitmap.Get(), sizeof ds, &ds), static_cast<int>(sizeof ds)) << c.id;
    EXPECT_EQ(ds.dsBm.bmWidth, c.width);
    EXPECT_EQ(ds.dsBm.bmHeight, c.height);
    EXPECT_EQ(ds.dsBm.bmBitsPixel, 16);
  }
  EXPECT_FALSE(LoadPackedBitmap(999, "DATA"));  // missing
  EXPECT_FALSE(LoadPackedBitmap(216, "DATA"));  // a JPEG, not a packed block
  EXPECT_FALSE(LoadPackedBitmap(215, "OTHER"));
}

TEST_F(SkinTest, BitmapWhosePixelsRunPastTheDataIsRejected) {
  std::vector<unsigned char> track = ReadArt("progress_track.bmp");
  ASSERT_EQ(track.size(), 32814u);
  EXPECT_TRUE(CreateBitmapFromBmpData(track.data(), track.size()));
  track.pop_back();
  EXPECT_FALSE(CreateBitmapFromBmpData(track.data(), track.size()));
  // Neither "BM" nor the stored size: rejected whatever follows.
  std::vector<unsigned char> renamed = ReadArt("progress_track.bmp");
  renamed[0] = 'X';
  renamed[2] ^= 1;
  EXPECT_FALSE(CreateBitmapFromBmpData(renamed.data(), renamed.size()));
}

TEST_F(SkinTest, SkinOutlineIsExactlyItsNonMagentaPixels) {
  winlib::UniqueBitmap skin = LoadPackedBitmap(215, "DATA");
  ASSERT_TRUE(skin);
  winlib::UniqueRegion outline = CreateRegionFromBitmap(skin.Get(), kMagenta);
  ASSERT_TRUE(outline);

  std::vector<unsigned char> bmp = ReadArt("skin.bmp");
  BmpLayout layout;
  ASSERT_TRUE(ReadBmpLayout(bmp.data(), bmp.size(), layout));
  const int width = layout.width, height = layout.height;
  const size_t stride = DibRowBytes(width, 16);
  std::vector<bool> mask = RegionMask(outline.Get(), width, height);
  int opaque = 0, mismatches = 0;
  for (int y = 0; y < height; ++y) {
    const unsigned char* row = bmp.data() + layout.pixelOffset + (height - 1 - y) * stride;  // bottom-up file
    for (int x = 0; x < width; ++x) {
      bool isArt = (row[2 * x] | row[2 * x + 1] << 8) != 0x7C1F;
      opaque += isArt;
      if (isArt != mask[static_cast<size_t>(y) * width + x]) ++mismatches;
    }
  }
  EXPECT_EQ(mismatches, 0);
  EXPECT_GT(opaque, width * height / 2);  // figure plus panel, not an empty outline
  EXPECT_FALSE(mask[0]);                  // the corner is the key colour
}

TEST_F(SkinTest, AllKeyImageGivesAnEmptyRegion) {
  winlib::UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), 5, 3, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  winlib::UniqueBitmap bitmap(::CreateDIBSection(dc.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  ASSERT_TRUE(bitmap);
  unsigned char* p = static_cast<unsigned char*>(bits);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) {
      unsigned char* px = p + y * 16 + 3 * x;  // rows of 15 bytes padded to 16
      px[0] = 0xFF, px[1] = 0x00, px[2] = 0xFF;
    }
  winlib::UniqueRegion region = CreateRegionFromBitmap(bitmap.Get(), kMagenta);
  ASSERT_TRUE(region);
  RECT box{};
  EXPECT_EQ(::GetRgnBox(region.Get(), &box), NULLREGION);
}

// ---------------------------------------------------------------------------------------

class HostWindow : public winlib::Window {
 public:
  std::vector<std::pair<WPARAM, LPARAM>> commands;
  bool CreateHost() {
    RegisterWindowClass("skin.test.host", CS_DBLCLKS, nullptr, nullptr, nullptr, nullptr);
    return Create("skin.test.host", nullptr, 0, 0, 300, 200, "host", WS_POPUP | WS_CLIPCHILDREN, 0, nullptr) != nullptr;
  }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == WM_COMMAND) {
      commands.emplace_back(wParam, lParam);
      return 0;
    }
    return DefaultHandling(msg, wParam, lParam);
  }
};

struct LauncherLikeWindow {
  HostWindow host;
  HWND pageHost = nullptr;
  winlib::BitmapButton buttons[kSkinButtonCount];
  SkinProgressBar fileBar, totalBar;
  SkinLayout layout;
  LayoutChildren children;

  bool Create() {
    if (!host.CreateHost()) return false;
    pageHost = ::CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 0, 0, host.Hwnd(), nullptr, nullptr, nullptr);
    children.pageHost = pageHost;
    for (int i = 0; i < kSkinButtonCount; ++i) {
      if (!CreateSkinButton(buttons[i], host.Hwnd(), kSkinButtons[i])) return false;
      children.buttons[i] = buttons[i].Hwnd();
    }
    if (!fileBar.CreateBar(host.Hwnd(), 147) || !totalBar.CreateBar(host.Hwnd(), 150)) return false;
    children.fileBar = &fileBar;
    children.totalBar = &totalBar;
    return layout.CreateDrawingContext();
  }
};

TEST_F(SkinTest, LoginLayoutShapesPlacesAndCentres) {
  LauncherLikeWindow w;
  ASSERT_TRUE(w.Create());
  EXPECT_TRUE(w.layout.LoadSplash(w.host.Hwnd()));
  w.layout.SetLayoutMode(w.host.Hwnd(), SkinLayout::kLogin, w.children);

  RECT rect{};
  ::GetWindowRect(w.host.Hwnd(), &rect);
  EXPECT_EQ(rect.right - rect.left, 1031);
  EXPECT_EQ(rect.bottom - rect.top, 524);
  RECT work{};
  ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  Spot centred = PlaceInWorkArea({work.left, work.top, work.right, work.bottom},
                                 {work.left, work.top, work.right, work.bottom}, 1031, 524);
  EXPECT_EQ(rect.left, centred.x);
  EXPECT_EQ(rect.top, centred.y);

  winlib::UniqueRegion shape(::CreateRectRgn(0, 0, 0, 0));
  ASSERT_NE(::GetWindowRgn(w.host.Hwnd(), shape.Get()), ERROR);
  winlib::UniqueRegion expected = CreateRegionFromBitmap(w.layout.SkinBitmap(), kMagenta);
  EXPECT_TRUE(::EqualRgn(shape.Get(), expected.Get()));
  EXPECT_EQ(::GetPixel(w.layout.SkinDc(), 0, 0) & 0xF8F8F8, kMagenta & 0xF8F8F8);

  const Box boxes[kSkinButtonCount] = {kMinimiseButtonBox, kCloseButtonBox,   kHomeButtonBox,
                                       kPayButtonBox,      kServiceButtonBox, kForumButtonBox};
  EXPECT_TRUE(SameBox(ChildBox(w.pageHost), kPageHostBox));
  EXPECT_TRUE(::IsWindowVisible(w.pageHost) || !::IsWindowVisible(w.host.Hwnd()));
  for (int i = 0; i < kSkinButtonCount; ++i) {
    EXPECT_TRUE(SameBox(ChildBox(w.buttons[i].Hwnd()), boxes[i])) << kSkinButtons[i].id;
    EXPECT_TRUE(::GetWindowLongA(w.buttons[i].Hwnd(), GWL_STYLE) & WS_VISIBLE) << kSkinButtons[i].id;
  }
  EXPECT_FALSE(::GetWindowLongA(w.fileBar.Hwnd(), GWL_STYLE) & WS_VISIBLE);
  EXPECT_FALSE(::GetWindowLongA(w.totalBar.Hwnd(), GWL_STYLE) & WS_VISIBLE);
  EXPECT_TRUE(w.layout.AllowsWindowMove());

  // The painted login layout is the skin itself.
  std::vector<std::uint32_t> painted = Capture(1031, 524, [&](HDC dc) { w.layout.Paint(dc); });
  // A second copy: the layout's own is selected into its context and cannot be selected again.
  winlib::UniqueBitmap copy = LoadPackedBitmap(215, "DATA");
  std::vector<std::uint32_t> skin = CaptureBitmap(copy.Get(), 1031, 524);
  EXPECT_TRUE(painted == skin);
}

TEST_F(SkinTest, UpdateLayoutFillsTheScreenWithBarsOnTheSplash) {
  LauncherLikeWindow w;
  ASSERT_TRUE(w.Create());
  ASSERT_TRUE(w.layout.LoadSplash(w.host.Hwnd()));
  const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN), screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
  Spot origin = w.layout.SplashOrigin();
  EXPECT_EQ(origin, CentredOrigin(screenWidth, screenHeight, 1024, 768));
  if (screenWidth == 1920 && screenHeight == 1080) {
    EXPECT_EQ(origin, (Spot{448, 156}));
  }

  w.layout.SetLayoutMode(w.host.Hwnd(), SkinLayout::kLogin, w.children);
  w.layout.SetLayoutMode(w.host.Hwnd(), SkinLayout::kUpdate, w.children);
  RECT rect{};
  ::GetWindowRect(w.host.Hwnd(), &rect);
  EXPECT_EQ(rect.left, 0);
  EXPECT_EQ(rect.top, 0);
  EXPECT_EQ(rect.right, screenWidth);
  EXPECT_EQ(rect.bottom, screenHeight);
  EXPECT_FALSE(w.layout.AllowsWindowMove());
  EXPECT_FALSE(::GetWindowLongA(w.pageHost, GWL_STYLE) & WS_VISIBLE);
  for (auto& button : w.buttons) EXPECT_FALSE(::GetWindowLongA(button.Hwnd(), GWL_STYLE) & WS_VISIBLE);
  Spot file = BarPosition(origin, kFileBarOffset), total = BarPosition(origin, kTotalBarOffset);
  EXPECT_TRUE(SameBox(ChildBox(w.fileBar.Hwnd()), {file.x, file.y, file.x + 779, file.y + 21}));
  EXPECT_TRUE(SameBox(ChildBox(w.totalBar.Hwnd()), {total.x, total.y, total.x + 779, total.y + 21}));
  EXPECT_TRUE(::GetWindowLongA(w.fileBar.Hwnd(), GWL_STYLE) & WS_VISIBLE);
  EXPECT_EQ(w.fileBar.Upper(), 100);
  EXPECT_EQ(w.totalBar.Position(), 0);

  // Black around the picture, the picture at its origin.
  std::vector<std::uint32_t> painted = Capture(screenWidth, screenHeight, [&](HDC dc) { w.layout.Paint(dc); });
  EXPECT_EQ(painted[0], 0u);
  EXPECT_EQ(painted[static_cast<size_t>(screenHeight - 1) * screenWidth + screenWidth - 1], 0u);
  EXPECT_NE(painted[static_cast<size_t>(origin.y + 100) * screenWidth + origin.x + 512], 0u);

  // Back to the login layout on a hidden window: centred in the work area again.
  w.layout.SetLayoutMode(w.host.Hwnd(), SkinLayout::kLogin, w.children);
  ::GetWindowRect(w.host.Hwnd(), &rect);
  EXPECT_EQ(rect.right - rect.left, 1031);
  RECT work{};
  ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_EQ(rect.left, (work.left + work.right) / 2 - 1031 / 2);
  EXPECT_FALSE(::GetWindowLongA(w.fileBar.Hwnd(), GWL_STYLE) & WS_VISIBLE);
}

TEST_F(SkinTest, MissingSkinKeepsThePreviousSizeAndShape) {
  LauncherLikeWindow w;
  ASSERT_TRUE(w.Create());
  ::SetWindowRgn(w.host.Hwnd(), ::CreateEllipticRgn(0, 0, 300, 200), FALSE);
  winlib::UniqueRegion before(::CreateRectRgn(0, 0, 0, 0));
  ::GetWindowRgn(w.host.Hwnd(), before.Get());

  w.layout.SetResourceModule(::GetModuleHandleA("kernel32.dll"));  // has none of the images
  w.layout.SetLayoutMode(w.host.Hwnd(), SkinLayout::kLogin, w.children);
  RECT rect{};
  ::GetWindowRect(w.host.Hwnd(), &rect);
  EXPECT_EQ(rect.right - rect.left, 300);
  EXPECT_EQ(rect.bottom - rect.top, 200);
  winlib::UniqueRegion after(::CreateRectRgn(0, 0, 0, 0));
  ::GetWindowRgn(w.host.Hwnd(), after.Get());
  EXPECT_TRUE(::EqualRgn(before.Get(), after.Get()));
  EXPECT_TRUE(SameBox(ChildBox(w.buttons[0].Hwnd()), kMinimiseButtonBox));  // children placed all the same

  // The update layout without images: the bars skip the missing pieces and still count.
  w.layout.SetLayoutMode(w.host.Hwnd(), SkinLayout::kUpdate, w.children);
  w.fileBar.SetPosition(50);
  std::vector<std::uint32_t> bar = CaptureWindow(w.fileBar.Hwnd(), 779, 21);
  int white = 0;
  for (std::uint32_t p : bar) white += p == 0xFFFFFF;
  EXPECT_GT(white, 0);
}

// ---------------------------------------------------------------------------------------

struct BarFixture {
  HostWindow host;
  SkinProgressBar bar;
  bool Create(bool withImages) {
    if (!host.CreateHost() || !bar.CreateBar(host.Hwnd(), 147)) return false;
    ::SetWindowPos(bar.Hwnd(), nullptr, 0, 0, 779, 21, SWP_NOZORDER | SWP_NOACTIVATE);
    if (withImages) {
      auto section = [](int id) {
        return winlib::UniqueBitmap(static_cast<HBITMAP>(
            ::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
      };
      bar.SetImages(231, 205, 207, 206, LoadPackedBitmap(231, "DATA"), section(205), section(207), section(206));
    }
    bar.SetRange(0, 100);
    bar.SetFillRect(2, 2, 777, 19);
    return true;
  }
};

TEST_F(SkinTest, BarPixelsFollowThePosition) {
  BarFixture f;
  ASSERT_TRUE(f.Create(true));
  winlib::UniqueBitmap trackImage = LoadPackedBitmap(231, "DATA");
  std::vector<std::uint32_t> track = CaptureBitmap(trackImage.Get(), 779, 21);
  const int row = 4;
  const int textFrom = 330, textTo = 450;  // the centred percentage covers every fill row here
  auto at = [](const std::vector<std::uint32_t>& px, int x, int y) { return px[static_cast<size_t>(y) * 779 + x]; };
  const std::uint32_t gold = [&] {
    f.bar.SetPosition(100);
    return at(CaptureWindow(f.bar.Hwnd(), 779, 21), 200, row);
  }();
  ASSERT_NE(gold, at(track, 200, row));

  struct Case {
    int position;
    int goldFrom, goldTo;  // gold over [goldFrom, goldTo) on the row, track elsewhere
  } cases[] = {{0, 0, 0}, {1, 2, 9}, {-7, 2, 4}, {50, 2, 389}, {100, 2, 777}, {180, 2, 777}};
  for (const Case& c : cases) {
    f.bar.SetPosition(c.position);
    std::vector<std::uint32_t> px = CaptureWindow(f.bar.Hwnd(), 779, 21);
    for (int x = 0; x < 779; ++x) {
      if (x >= textFrom && x < textTo) continue;
      bool inFill = x >= c.goldFrom && x < c.goldTo;
      ASSERT_EQ(at(px, x, row), inFill ? gold : at(track, x, row)) << "position " << c.position << " x " << x;
    }
    EXPECT_EQ(at(px, 1, 1), at(track, 1, 1)) << c.position;  // the border stays
  }
}

TEST_F(SkinTest, BarWithoutIdsOrRangeDrawsLess) {
  BarFixture unset;
  ASSERT_TRUE(unset.Create(false));
  unset.bar.SetPosition(50);
  for (std::uint32_t p : CaptureWindow(unset.bar.Hwnd(), 779, 21)) ASSERT_EQ(p, 0u);  // an empty buffer

  BarFixture flat;
  ASSERT_TRUE(flat.Create(true));
  flat.bar.SetRange(5, 5);
  flat.bar.SetPosition(3);
  winlib::UniqueBitmap trackImage = LoadPackedBitmap(231, "DATA");
  EXPECT_TRUE(CaptureWindow(flat.bar.Hwnd(), 779, 21) == CaptureBitmap(trackImage.Get(), 779, 21));  // track only
}

// ---------------------------------------------------------------------------------------

struct ButtonFixture {
  HostWindow host;
  winlib::BitmapButton a, b;
  bool Create() {
    if (!host.CreateHost()) return false;
    if (!CreateSkinButton(a, host.Hwnd(), kSkinButtons[2]) || !CreateSkinButton(b, host.Hwnd(), kSkinButtons[3])) {
      return false;
    }
    ::SetWindowPos(a.Hwnd(), nullptr, 10, 10, 117, 51, SWP_NOZORDER | SWP_SHOWWINDOW);
    ::SetWindowPos(b.Hwnd(), nullptr, 127, 10, 117, 51, SWP_NOZORDER | SWP_SHOWWINDOW);
    return true;
  }
  static void Send(winlib::BitmapButton& button, UINT msg, int x = 5, int y = 5) {
    ::SendMessageA(button.Hwnd(), msg, msg == WM_MOUSEMOVE ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
  }
};

TEST_F(SkinTest, ButtonHoverPressAndClick) {
  ButtonFixture f;
  ASSERT_TRUE(f.Create());
  EXPECT_EQ(f.a.CurrentImage(), 0);
  ButtonFixture::Send(f.a, WM_MOUSEMOVE);
  EXPECT_TRUE(f.a.IsMouseOver());
  EXPECT_EQ(f.a.CurrentImage(), 2);
  ::SendMessageA(f.a.Hwnd(), WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(f.a.CurrentImage(), 0);

  ButtonFixture::Send(f.a, WM_MOUSEMOVE);
  ButtonFixture::Send(f.a, WM_LBUTTONDOWN);
  EXPECT_EQ(::GetCapture(), f.a.Hwnd());
  EXPECT_EQ(f.a.CurrentImage(), 1);
  ButtonFixture::Send(f.a, WM_LBUTTONUP);
  ASSERT_EQ(f.host.commands.size(), 1u);
  EXPECT_EQ(f.host.commands[0].first, MAKEWPARAM(153, BN_CLICKED));
  EXPECT_EQ(f.host.commands[0].second, reinterpret_cast<LPARAM>(f.a.Hwnd()));
  EXPECT_EQ(::GetCapture(), nullptr);
  EXPECT_FALSE(f.a.IsPressed());

  // A double click counts as a press.
  ButtonFixture::Send(f.a, WM_LBUTTONDBLCLK);
  EXPECT_TRUE(f.a.IsPressed());
  ButtonFixture::Send(f.a, WM_LBUTTONUP);
  EXPECT_EQ(f.host.commands.size(), 2u);

  // The space bar does nothing in hover mode; an up without a press does nothing either.
  ::SendMessageA(f.a.Hwnd(), WM_KEYDOWN, VK_SPACE, 0);
  ::SendMessageA(f.a.Hwnd(), WM_KEYUP, VK_SPACE, 0);
  ButtonFixture::Send(f.a, WM_LBUTTONUP);
  EXPECT_EQ(f.host.commands.size(), 2u);
}

TEST_F(SkinTest, ButtonReleaseOutsideSendsNothing) {
  ButtonFixture f;
  ASSERT_TRUE(f.Create());
  ButtonFixture::Send(f.a, WM_MOUSEMOVE);
  ButtonFixture::Send(f.a, WM_LBUTTONDOWN);
  ButtonFixture::Send(f.a, WM_MOUSEMOVE, 130, 20);  // over button b, still captured by a
  EXPECT_FALSE(f.a.IsPressed());
  EXPECT_NE(f.a.CurrentImage(), 1);
  ButtonFixture::Send(f.a, WM_LBUTTONUP, 130, 20);
  ButtonFixture::Send(f.b, WM_LBUTTONUP);
  EXPECT_TRUE(f.host.commands.empty());

  // Out and back in before the release: the click goes through.
  ButtonFixture::Send(f.a, WM_LBUTTONDOWN);
  ButtonFixture::Send(f.a, WM_MOUSEMOVE, -3, 60);
  EXPECT_FALSE(f.a.IsPressed());
  ButtonFixture::Send(f.a, WM_MOUSEMOVE, 116, 50);
  EXPECT_TRUE(f.a.IsPressed());
  ButtonFixture::Send(f.a, WM_LBUTTONUP, 116, 50);
  ASSERT_EQ(f.host.commands.size(), 1u);
  EXPECT_EQ(LOWORD(f.host.commands[0].first), 153);

  // Capture taken away mid-press: no longer pressed, the release sends nothing.
  ButtonFixture::Send(f.a, WM_LBUTTONDOWN);
  ::ReleaseCapture();
  EXPECT_FALSE(f.a.IsPressed());
  ButtonFixture::Send(f.a, WM_LBUTTONUP);
  EXPECT_EQ(f.host.commands.size(), 1u);
}

TEST_F(SkinTest, ButtonDrawsTheImageOfItsState) {
  ButtonFixture f;
  ASSERT_TRUE(f.Create());
  winlib::UniqueImageList images = winlib::BitmapButton::LoadImageList(::GetModuleHandleA(nullptr), 219, 117);
  ASSERT_TRUE(images);
  auto cell = [&](int i) {
    return Capture(117, 51, [&](HDC dc) { ::ImageList_Draw(images.Get(), i, dc, 0, 0, ILD_NORMAL); });
  };
  EXPECT_TRUE(cell(0) != cell(2));
  EXPECT_TRUE(CaptureWindow(f.a.Hwnd(), 117, 51) == cell(0));
  ButtonFixture::Send(f.a, WM_MOUSEMOVE);
  EXPECT_TRUE(CaptureWindow(f.a.Hwnd(), 117, 51) == cell(2));
  ButtonFixture::Send(f.a, WM_LBUTTONDOWN);
  EXPECT_TRUE(CaptureWindow(f.a.Hwnd(), 117, 51) == cell(1));
  ButtonFixture::Send(f.a, WM_LBUTTONUP);
  ::EnableWindow(f.a.Hwnd(), FALSE);  // no disabled image: the normal one
  EXPECT_TRUE(CaptureWindow(f.a.Hwnd(), 117, 51) == cell(0));

  RECT rect{};
  ::GetClientRect(f.a.Hwnd(), &rect);
  EXPECT_EQ(rect.right, 117);
  EXPECT_EQ(rect.bottom, 51);
}

TEST_F(SkinTest, ButtonWithoutItsBitmapStillClicks) {
  HostWindow host;
  ASSERT_TRUE(host.CreateHost());
  winlib::BitmapButton button;
  ASSERT_TRUE(CreateSkinButton(button, host.Hwnd(), {160, 9999, 20}));
  ::SetWindowPos(button.Hwnd(), nullptr, 0, 0, 20, 20, SWP_NOZORDER | SWP_SHOWWINDOW);
  ButtonFixture::Send(button, WM_LBUTTONDOWN);
  ButtonFixture::Send(button, WM_LBUTTONUP);
  ASSERT_EQ(host.commands.size(), 1u);
  EXPECT_EQ(LOWORD(host.commands[0].first), 160);
}

// ---------------------------------------------------------------------------------------

TEST_F(SkinTest, SplashPictureAndLogoFile) {
  winlib::ComPtr<IPicture> picture;
  ASSERT_TRUE(LoadResourcePicture(216, "DATA", picture));
  winlib::WindowDc screen(nullptr);
  int width = 0, height = 0;
  ASSERT_TRUE(PicturePixelSize(picture.Get(), screen.Dc(), width, height));
  EXPECT_EQ(width, 1024);
  EXPECT_EQ(height, 768);
  EXPECT_FALSE(LoadResourcePicture(999, "DATA", picture));
  EXPECT_FALSE(picture);
  EXPECT_FALSE(LoadResourcePicture(231, "DATA", picture));  // packed bytes are no picture

  ScratchFolder folder("logo");
  EXPECT_FALSE(WriteLogoFile(folder.Path()));  // no ExpData folder yet
  EXPECT_EQ(::GetFileAttributesA((folder / "ExpData\\Logo.jpg").c_str()), INVALID_FILE_ATTRIBUTES);
  ASSERT_TRUE(::CreateDirectoryA((folder / "ExpData").c_str(), nullptr));
  ASSERT_TRUE(WriteWholeFile(folder / "ExpData\\Logo.jpg", std::string(200000, 'x')));  // replaced, not kept
  EXPECT_TRUE(WriteLogoFile(folder.Path()));
  std::string written, committed;
  ASSERT_TRUE(ReadWholeFile(folder / "ExpData\\Logo.jpg", written));
  ASSERT_TRUE(ReadWholeFile(ArtPath("splash.jpg"), committed));
  EXPECT_TRUE(written == committed);
}

}  // namespace
