#include "launcher/ui/Layouts_win.h"

#include "launcher/ui/PackedBitmap_win.h"
#include "launcher/ui/SkinRegion_win.h"
#include "launcher/ui/SplashPicture_win.h"
#include "winlib/Module_win.h"

namespace {

constexpr int kPressedImage = 1;
constexpr int kHoverImage = 2;

// Login-layout places of the buttons, in the order of kSkinButtons.
constexpr Box kSkinButtonBoxes[kSkinButtonCount] = {kMinimiseButtonBox, kCloseButtonBox,   kHomeButtonBox,
                                                    kPayButtonBox,      kServiceButtonBox, kForumButtonBox};

void PlaceAndShow(HWND child, const Box& box) {
  if (child == nullptr) return;
  ::SetWindowPos(child, nullptr, box.left, box.top, box.Width(), box.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  ::ShowWindow(child, SW_SHOW);
}

void Hide(HWND child) {
  if (child != nullptr) ::ShowWindow(child, SW_HIDE);
}

Box WorkArea() {
  RECT work{};
  if (!::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0)) {
    work = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  }
  return {work.left, work.top, work.right, work.bottom};
}

winlib::UniqueBitmap LoadSection(HMODULE module, int id) {
  return winlib::UniqueBitmap(
      static_cast<HBITMAP>(::LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

}  // namespace

bool CreateSkinButton(winlib::BitmapButton& button, HWND parent, const SkinButtonSpec& entry) {
  winlib::UniqueImageList images =
      winlib::BitmapButton::LoadImageList(winlib::AppModule::Instance(), entry.bitmap, entry.imageWidth);
  if (button.CreateButton(parent, entry.id) == nullptr) return false;
  button.SetImageList(std::move(images));
  button.SetHoverMode(true);
  button.SetImages(0, kPressedImage, kHoverImage);
  return true;
}

SkinLayout::~SkinLayout() {
  // The skin bitmap cannot be deleted while the context still holds it.
  if (skinDc_ && originalDcBitmap_ != nullptr) ::SelectObject(skinDc_.Get(), originalDcBitmap_);
}

bool SkinLayout::CreateDrawingContext() {
  skinDc_.Reset(::CreateCompatibleDC(nullptr));
  return static_cast<bool>(skinDc_);
}

bool SkinLayout::LoadSplash(HWND window) {
  splashOrigin_ = {0, 0};
  if (!LoadResourcePicture(kSplashResource, kPackedResourceType, splash_, module_)) return false;
  winlib::WindowDc dc(window);
  int width = 0, height = 0;
  if (dc.Dc() == nullptr || !PicturePixelSize(splash_.Get(), dc.Dc(), width, height)) return false;
  splashOrigin_ = CentredOrigin(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN), width, height);
  return true;
}

void SkinLayout::SetLayoutMode(HWND window, int mode, const LayoutChildren& children) {
  if (mode == kUpdate) {
    ApplyUpdateLayout(window, children);
  } else {
    ApplyLoginLayout(window, children);
  }
}

void SkinLayout::ApplyLoginLayout(HWND window, const LayoutChildren& children) {
  mode_ = kLogin;
  winlib::UniqueBitmap skin = LoadPackedBitmap(kSkinResource, kPackedResourceType, module_);
  BITMAP bm{};
  if (skin && skinDc_ && ::GetObjectA(skin.Get(), sizeof bm, &bm) != 0) {
    HGDIOBJ previous = ::SelectObject(skinDc_.Get(), skin.Get());
    if (originalDcBitmap_ == nullptr) originalDcBitmap_ = previous;
    skin_ = std::move(skin);  // releases the skin of the previous application
    width_ = bm.bmWidth;
    height_ = bm.bmHeight;
    COLORREF key = ::GetPixel(skinDc_.Get(), 0, 0);
    winlib::UniqueRegion outline = CreateRegionFromBitmap(skin_.Get(), key);
    if (outline) {
      ::SetWindowPos(window, nullptr, 0, 0, width_, height_, SWP_NOZORDER | SWP_NOACTIVATE);
      if (::SetWindowRgn(window, outline.Get(), FALSE)) outline.Release();  // the system owns it now
    }
  }

  PlaceAndShow(children.pageHost, kPageHostBox);
  for (int i = 0; i < kSkinButtonCount; ++i) PlaceAndShow(children.buttons[i], kSkinButtonBoxes[i]);
  if (children.fileBar != nullptr) Hide(children.fileBar->Hwnd());
  if (children.totalBar != nullptr) Hide(children.totalBar->Hwnd());

  RECT own{};
  ::GetWindowRect(window, &own);
  Box work = WorkArea();
  bool hidden = !::IsWindowVisible(window) || ::IsIconic(window);
  Box reference = hidden ? work : Box{own.left, own.top, own.right, own.bottom};
  Spot at = PlaceInWorkArea(reference, work, width_, height_);
  ::SetWindowPos(window, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SkinLayout::ApplyUpdateLayout(HWND window, const LayoutChildren& children) {
  mode_ = kUpdate;
  width_ = ::GetSystemMetrics(SM_CXSCREEN);
  height_ = ::GetSystemMetrics(SM_CYSCREEN);
  winlib::UniqueRegion whole(::CreateRectRgn(0, 0, width_, height_));
  if (whole) {
    ::SetWindowPos(window, nullptr, 0, 0, width_, height_, SWP_NOZORDER | SWP_NOACTIVATE);
    if (::SetWindowRgn(window, whole.Get(), FALSE)) whole.Release();
  }
  Hide(children.pageHost);
  for (HWND button : children.buttons) Hide(button);
  SetUpBar(children.fileBar, kFileBarOffset);
  SetUpBar(children.totalBar, kTotalBarOffset);
  ::InvalidateRect(window, nullptr, TRUE);
}

void SkinLayout::SetUpBar(SkinProgressBar* bar, const Spot& offset) {
  if (bar == nullptr) return;
  HMODULE module = module_ != nullptr ? module_ : winlib::AppModule::Instance();
  bar->SetImages(kTrackResource, kFillLeftResource, kFillMiddleResource, kFillRightResource,
                 LoadPackedBitmap(kTrackResource, kPackedResourceType, module_), LoadSection(module, kFillLeftResource),
                 LoadSection(module, kFillMiddleResource), LoadSection(module, kFillRightResource));
  bar->SetRange(kBarLower, kBarUpper);
  bar->SetFillRect(kBarFillBox.left, kBarFillBox.top, kBarFillBox.right, kBarFillBox.bottom);
  bar->SetPosition(0);
  Spot at = BarPosition(splashOrigin_, offset);
  PlaceAndShow(bar->Hwnd(), {at.x, at.y, at.x + kBarWidth, at.y + kBarHeight});
}

void SkinLayout::Paint(HDC dc) const {
  if (mode_ == kLogin) {
    if (skinDc_) ::BitBlt(dc, 0, 0, width_, height_, skinDc_.Get(), 0, 0, SRCCOPY);
    return;
  }
  RECT all = {0, 0, width_, height_};
  ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
  if (splash_) RenderPicture(splash_.Get(), dc, splashOrigin_.x, splashOrigin_.y);
}
