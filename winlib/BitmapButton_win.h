#pragma once

#include <windows.h>
#include <commctrl.h>

#include "winlib/Handles_win.h"
#include "winlib/Window_win.h"

namespace winlib {

struct ImageListTraits {
  using Type = HIMAGELIST;
  static Type Invalid() { return nullptr; }
  static bool IsValid(Type h) { return h != nullptr; }
  static void Close(Type h) { ::ImageList_Destroy(h); }
};
using UniqueImageList = UniqueHandle<ImageListTraits>;

// A push button drawn entirely from an image list: one image each for normal, pressed,
// hover and (optionally) disabled. It paints itself; the system button procedure behind it
// never sees the left button, so the click is this class's decision.
class BitmapButton : public Window {
 public:
  static constexpr int kNoImage = -1;

  // Cuts a bitmap resource into images `imageWidth` wide (the bitmap's height is the
  // image height), as device-independent sections, no mask: images are drawn opaque.
  static UniqueImageList LoadImageList(HINSTANCE instance, int bitmapId, int imageWidth);

  // Child, tab stop, owner-drawn, no text, empty rectangle, hidden.
  HWND CreateButton(HWND parent, int id);

  // Takes the list and sizes the window to one image.
  void SetImageList(UniqueImageList images);
  void SetImages(int normal, int pressed, int hover, int disabled = kNoImage);
  // Hover mode: the hover image while the pointer is over the button, and the space bar
  // does not click.
  void SetHoverMode(bool hover) { hoverMode_ = hover; }

  bool IsPressed() const { return pressed_; }
  bool IsMouseOver() const { return mouseOver_; }
  // The image the next paint draws (kNoImage: nothing).
  int CurrentImage() const;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void Paint(HDC dc);
  void Redraw();
  LRESULT OnMouseMove(LPARAM lParam);
  LRESULT OnButtonDown();
  LRESULT OnButtonUp();
  void SetPressed(bool pressed);
  bool HasCapture() const { return ::GetCapture() == Hwnd(); }

  UniqueImageList images_;
  int normal_ = 0;
  int pressedImage_ = kNoImage;
  int hover_ = kNoImage;
  int disabled_ = kNoImage;
  bool hoverMode_ = false;
  bool mouseOver_ = false;
  bool pressed_ = false;
};

}  // namespace winlib
