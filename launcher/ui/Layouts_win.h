#pragma once

#include <ocidl.h>
#include <windows.h>

#include "launcher/ui/SkinGeometry.h"
#include "launcher/ui/SkinProgressBar_win.h"
#include "winlib/BitmapButton_win.h"
#include "winlib/ComPtr_win.h"
#include "winlib/Handles_win.h"

// The launcher's buttons in creation order: command id, bitmap resource, image width.
struct SkinButtonSpec {
  int id;
  int bitmap;
  int imageWidth;
};
constexpr SkinButtonSpec kSkinButtons[] = {
    {145, 204, 20},   // minimise
    {144, 203, 20},   // close
    {153, 219, 117},  // official site
    {152, 218, 117},  // top-up centre
    {151, 217, 117},  // customer service
    {154, 220, 117},  // game forum
};
constexpr int kSkinButtonCount = sizeof kSkinButtons / sizeof kSkinButtons[0];

// Creates one button hidden, with its image list (normal 0, pressed 1, hover 2) in hover
// mode. A bitmap that fails to load leaves a button that draws nothing but still clicks.
bool CreateSkinButton(winlib::BitmapButton& button, HWND parent, const SkinButtonSpec& entry);

// The windows a layout places; any may be null.
struct LayoutChildren {
  HWND pageHost = nullptr;
  HWND buttons[kSkinButtonCount] = {};  // in the order of kSkinButtons
  SkinProgressBar* fileBar = nullptr;   // 147
  SkinProgressBar* totalBar = nullptr;  // 150
};

// The two looks of the launcher window: the login layout (skin-shaped, the page and six
// buttons) and the update layout (full screen, the splash picture and two bars). Holds the
// skin bitmap, its drawing context, the window size and the splash picture.
class SkinLayout {
 public:
  static constexpr int kLogin = 0;
  static constexpr int kUpdate = 1;

  SkinLayout() = default;
  ~SkinLayout();
  SkinLayout(const SkinLayout&) = delete;
  SkinLayout& operator=(const SkinLayout&) = delete;

  // Where the images come from (null, the default: the launcher's own module).
  void SetResourceModule(HMODULE module) { module_ = module; }

  // The skin drawing context, compatible with the screen. Call once, before any layout.
  bool CreateDrawingContext();
  // Loads the splash picture and centres it on the screen; without a picture the origin
  // stays (0, 0). COM must be initialised.
  bool LoadSplash(HWND window);

  // 0: login layout, 1: update layout. When the skin cannot be loaded the window keeps its
  // previous size and shape; the children are placed all the same.
  void SetLayoutMode(HWND window, int mode, const LayoutChildren& children);

  // What the window shows under its own text (the version label comes on top in the login
  // layout).
  void Paint(HDC dc) const;

  // The window moves with the mouse only in the login layout.
  bool AllowsWindowMove() const { return mode_ == kLogin; }

  int Mode() const { return mode_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  Spot SplashOrigin() const { return splashOrigin_; }
  HBITMAP SkinBitmap() const { return skin_.Get(); }
  HDC SkinDc() const { return skinDc_.Get(); }

 private:
  void ApplyLoginLayout(HWND window, const LayoutChildren& children);
  void ApplyUpdateLayout(HWND window, const LayoutChildren& children);
  void SetUpBar(SkinProgressBar* bar, const Spot& offset);

  HMODULE module_ = nullptr;
  int mode_ = kLogin;
  int width_ = 0;
  int height_ = 0;
  winlib::UniqueMemoryDc skinDc_;
  HGDIOBJ originalDcBitmap_ = nullptr;
  winlib::UniqueBitmap skin_;
  winlib::ComPtr<IPicture> splash_;
  Spot splashOrigin_ = {0, 0};
};
