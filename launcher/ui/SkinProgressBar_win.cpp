#include "launcher/ui/SkinProgressBar_win.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr char kBarClassName[] = "Zv:SkinProgressBar";
constexpr COLORREF kTextColour = RGB(255, 255, 255);

struct ImageSize {
  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;
};

ImageSize SizeOf(HBITMAP image) {
  BITMAP bm{};
  if (image == nullptr || ::GetObjectA(image, sizeof bm, &bm) == 0) return {};
  return {bm.bmWidth, bm.bmHeight, bm.bmBitsPixel};
}

// Copies (or stretches) one image into the rectangle; images with 32 bits per pixel are
// blended through their own alpha instead.
void DrawImage(HDC dc, HDC source, HBITMAP image, const ImageSize& size, int x, int y, int width, int height,
               bool stretch) {
  if (image == nullptr || width <= 0 || height <= 0) return;
  winlib::SelectScope select(source, image);
  if (size.bitsPerPixel == 32) {
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ::AlphaBlend(dc, x, y, width, height, source, 0, 0, size.width, size.height, blend);
  } else if (stretch) {
    ::StretchBlt(dc, x, y, width, height, source, 0, 0, size.width, size.height, SRCCOPY);
  } else {
    ::BitBlt(dc, x, y, width, height, source, 0, 0, SRCCOPY);
  }
}

}  // namespace

HWND SkinProgressBar::CreateBar(HWND parent, int id) {
  if (!RegisterSuperclass("STATIC", kBarClassName)) return nullptr;
  return Create(kBarClassName, parent, 0, 0, 0, 0, "", WS_CHILD, 0, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
}

void SkinProgressBar::SetImages(int trackId, int leftId, int middleId, int rightId, winlib::UniqueBitmap track,
                                winlib::UniqueBitmap left, winlib::UniqueBitmap middle, winlib::UniqueBitmap right) {
  trackId_ = trackId;
  leftId_ = leftId;
  middleId_ = middleId;
  rightId_ = rightId;
  track_ = std::move(track);
  left_ = std::move(left);
  middle_ = std::move(middle);
  right_ = std::move(right);
}

void SkinProgressBar::SetRange(int lower, int upper) {
  lower_ = lower;
  upper_ = upper;
  Invalidate();
}

void SkinProgressBar::SetFillRect(int left, int top, int right, int bottom) { fill_ = {left, top, right, bottom}; }

void SkinProgressBar::SetPosition(int position) {
  position_ = position;
  Invalidate();
}

void SkinProgressBar::Invalidate() {
  if (Hwnd() != nullptr) ::InvalidateRect(Hwnd(), nullptr, TRUE);
}

LRESULT SkinProgressBar::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT:
      if (wParam != 0) {
        Paint(reinterpret_cast<HDC>(wParam));
      } else {
        winlib::PaintScope paint(Hwnd());
        Paint(paint.Dc());
      }
      return 0;
    case WM_PRINTCLIENT:
      Paint(reinterpret_cast<HDC>(wParam));
      return 0;
    default:
      return DefaultHandling(msg, wParam, lParam);
  }
}

void SkinProgressBar::Paint(HDC target) {
  RECT client{};
  ::GetClientRect(Hwnd(), &client);
  int width = client.right - client.left;
  int height = client.bottom - client.top;
  if (width <= 0 || height <= 0) return;
  // One off-screen picture and one copy: frequent position changes do not flicker.
  winlib::UniqueMemoryDc buffer(::CreateCompatibleDC(target));
  winlib::UniqueBitmap canvas(::CreateCompatibleBitmap(target, width, height));
  if (!buffer || !canvas) return;
  {
    winlib::SelectScope select(buffer.Get(), canvas.Get());
    POINT previousOrigin{};
    ::SetViewportOrgEx(buffer.Get(), -client.left, -client.top, &previousOrigin);
    Draw(buffer.Get(), client);
    ::SetViewportOrgEx(buffer.Get(), previousOrigin.x, previousOrigin.y, nullptr);
    ::BitBlt(target, client.left, client.top, width, height, buffer.Get(), 0, 0, SRCCOPY);
  }
}

void SkinProgressBar::Draw(HDC dc, const RECT& rect) {
  if (trackId_ < 0 || leftId_ < 0 || middleId_ < 0 || rightId_ < 0) return;
  winlib::UniqueMemoryDc source(::CreateCompatibleDC(dc));
  if (!source) return;

  int rectWidth = rect.right - rect.left;
  int rectHeight = rect.bottom - rect.top;
  ImageSize track = SizeOf(track_.Get());
  if (track.bitsPerPixel == 32) {
    DrawImage(dc, source.Get(), track_.Get(), track, rect.left, rect.top, rectWidth, rectHeight, true);
  } else {
    DrawImage(dc, source.Get(), track_.Get(), track, rect.left, rect.top, std::min(track.width, rectWidth),
              std::min(track.height, rectHeight), false);
  }

  int percent = ProgressPercent(position_, lower_, upper_);
  if (percent < 0) return;
  ImageSize left = SizeOf(left_.Get());
  ImageSize right = SizeOf(right_.Get());
  ImageSize middle = SizeOf(middle_.Get());
  FillPieces pieces = ComputeFillPieces(position_, lower_, upper_, fill_, left.width, right.width);
  if (pieces.drawFill) {
    DrawImage(dc, source.Get(), left_.Get(), left, pieces.leftX, pieces.top, left.width, left.height, false);
    DrawImage(dc, source.Get(), right_.Get(), right, pieces.rightX, pieces.top, right.width, right.height, false);
    DrawImage(dc, source.Get(), middle_.Get(), middle, pieces.middleX, pieces.top, pieces.middleWidth, middle.height,
              true);
  }

  char text[8] = {};
  std::snprintf(text, sizeof text, "%d%%", percent);
  RECT textRect = rect;
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, kTextColour);
  ::DrawTextA(dc, text, -1, &textRect, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
}
