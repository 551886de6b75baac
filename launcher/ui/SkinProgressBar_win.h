#pragma once

#include <windows.h>

#include "launcher/ui/ProgressFill.h"
#include "winlib/Handles_win.h"
#include "winlib/Window_win.h"

// The launcher's drawn progress bar: a track image, a gold fill made of a left end, a
// stretched middle and a right end, and the percentage in white. Its window class is the
// system's static control with this bar's procedure in front; only creation and painting
// are its own.
class SkinProgressBar : public winlib::Window {
 public:
  static constexpr int kUnset = -1;

  SkinProgressBar() = default;

  // A hidden child with an empty rectangle and no text.
  HWND CreateBar(HWND parent, int id);

  // Ids as the resources name them; images replace (and release) the ones held. A missing
  // image leaves its piece out of the drawing.
  void SetImages(int trackId, int leftId, int middleId, int rightId, winlib::UniqueBitmap track,
                 winlib::UniqueBitmap left, winlib::UniqueBitmap middle, winlib::UniqueBitmap right);
  void SetRange(int lower, int upper);
  void SetFillRect(int left, int top, int right, int bottom);
  void SetPosition(int position);

  int Position() const { return position_; }
  int Lower() const { return lower_; }
  int Upper() const { return upper_; }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void Paint(HDC target);
  void Draw(HDC dc, const RECT& rect);
  void Invalidate();

  int trackId_ = kUnset;
  int leftId_ = kUnset;
  int middleId_ = kUnset;
  int rightId_ = kUnset;
  int position_ = 0;
  int upper_ = 0;
  int lower_ = 0;
  FillArea fill_ = {0, 0, 0, 0};
  winlib::UniqueBitmap track_;
  winlib::UniqueBitmap left_;
  winlib::UniqueBitmap middle_;
  winlib::UniqueBitmap right_;
};
