#include "winlib/BitmapButton_win.h"

#include "winlib/Module_win.h"

namespace winlib {

namespace {

constexpr char kButtonClassName[] = "winlib:BitmapButton";

}  // namespace

UniqueImageList BitmapButton::LoadImageList(HINSTANCE instance, int bitmapId, int imageWidth) {
  return UniqueImageList(::ImageList_LoadImageA(instance, MAKEINTRESOURCEA(bitmapId), imageWidth, 1, CLR_NONE,
                                                IMAGE_BITMAP, LR_CREATEDIBSECTION));
}

HWND BitmapButton::CreateButton(HWND parent, int id) {
  if (!RegisterSuperclass("BUTTON", kButtonClassName)) return nullptr;
  return Create(kButtonClassName, parent, 0, 0, 0, 0, "", WS_CHILD | WS_TABSTOP | BS_OWNERDRAW, 0,
                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
}

void BitmapButton::SetImageList(UniqueImageList images) {
  images_ = std::move(images);
  int width = 0, height = 0;
  if (images_ && Hwnd() != nullptr && ::ImageList_GetIconSize(images_.Get(), &width, &height)) {
    ::SetWindowPos(Hwnd(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void BitmapButton::SetImages(int normal, int pressed, int hover, int disabled) {
  normal_ = normal;
  pressedImage_ = pressed;
  hover_ = hover;
  disabled_ = disabled;
}

int BitmapButton::CurrentImage() const {
  if (Hwnd() != nullptr && !::IsWindowEnabled(Hwnd())) return disabled_ != kNoImage ? disabled_ : normal_;
  if (pressed_ && pressedImage_ != kNoImage) return pressedImage_;
  if (hoverMode_ && mouseOver_ && hover_ != kNoImage) return hover_;
  return normal_;
}

void BitmapButton::Redraw() {
  ::InvalidateRect(Hwnd(), nullptr, FALSE);
  ::UpdateWindow(Hwnd());
}

void BitmapButton::Paint(HDC dc) {
  int image = CurrentImage();
  if (images_ && image != kNoImage) ::ImageList_Draw(images_.Get(), image, dc, 0, 0, ILD_NORMAL);
}

void BitmapButton::SetPressed(bool pressed) {
  if (pressed_ == pressed) return;
  pressed_ = pressed;
  Redraw();
}

LRESULT BitmapButton::OnMouseMove(LPARAM lParam) {
  if (HasCapture()) {
    POINT pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ::ClientToScreen(Hwnd(), &pt);
    RECT window{};
    ::GetWindowRect(Hwnd(), &window);
    SetPressed(::PtInRect(&window, pt) != FALSE);
  } else if (hoverMode_ && !mouseOver_) {
    mouseOver_ = true;
    Redraw();
    TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, Hwnd(), HOVER_DEFAULT};
    ::TrackMouseEvent(&track);
  }
  return 0;
}

LRESULT BitmapButton::OnButtonDown() {
  if (!HasCapture()) ::SetCapture(Hwnd());
  if (HasCapture()) SetPressed(true);
  return 0;
}

LRESULT BitmapButton::OnButtonUp() {
  if (!HasCapture()) return 0;
  if (pressed_) {
    int id = ::GetDlgCtrlID(Hwnd());
    ::SendMessageA(::GetParent(Hwnd()), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Hwnd()));
  }
  // The click may have destroyed the button; only release a capture it still holds.
  if (Hwnd() != nullptr && HasCapture()) ::ReleaseCapture();
  return 0;
}

LRESULT BitmapButton::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT:
      if (wParam != 0) {
        Paint(reinterpret_cast<HDC>(wParam));
      } else {
        PaintScope paint(Hwnd());
        Paint(paint.Dc());
      }
      return 0;
    case WM_PRINTCLIENT:
      Paint(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the image covers the whole button
    case WM_MOUSEMOVE:
      return OnMouseMove(lParam);
    case WM_MOUSELEAVE:
      mouseOver_ = false;
      Redraw();
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      return OnButtonDown();
    case WM_LBUTTONUP:
      return OnButtonUp();
    case WM_CAPTURECHANGED:
      if (pressed_) {
        pressed_ = false;
        Redraw();
      }
      return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
      if (hoverMode_ && wParam == VK_SPACE) return 0;
      return DefaultHandling(msg, wParam, lParam);
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      Redraw();
      return DefaultHandling(msg, wParam, lParam);
    default:
      return DefaultHandling(msg, wParam, lParam);
  }
}

}  // namespace winlib
