#pragma once

// Where the two layouts put things, and the arithmetic that places the window. Rectangles
// have exclusive right and bottom edges.

struct Box {
  int left, top, right, bottom;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
};

struct Spot {
  int x, y;
  bool operator==(const Spot& o) const { return x == o.x && y == o.y; }
};

// Resource ids of the images.
constexpr int kSkinResource = 215;
constexpr int kTrackResource = 231;
constexpr int kSplashResource = 216;
constexpr int kFillLeftResource = 205;
constexpr int kFillRightResource = 206;
constexpr int kFillMiddleResource = 207;
constexpr char kPackedResourceType[] = "DATA";

// Login layout: the children in client coordinates of the launcher window.
constexpr Box kPageHostBox = {336, 208, 1004, 504};
constexpr Box kCloseButtonBox = {956, 86, 976, 106};
constexpr Box kMinimiseButtonBox = {928, 86, 948, 106};
constexpr Box kHomeButtonBox = {342, 145, 459, 196};
constexpr Box kPayButtonBox = {459, 145, 576, 196};
constexpr Box kServiceButtonBox = {763, 145, 880, 196};
constexpr Box kForumButtonBox = {880, 145, 997, 196};

// Update layout: the bars sit on the splash picture's two slots.
constexpr int kBarWidth = 779;
constexpr int kBarHeight = 21;
constexpr Spot kFileBarOffset = {136, 670};
constexpr Spot kTotalBarOffset = {136, 710};
constexpr int kBarLower = 0;
constexpr int kBarUpper = 100;
constexpr Box kBarFillBox = {2, 2, 777, 19};

// Top-left corner that centres a picture on the screen (integer halves, toward zero).
Spot CentredOrigin(int screenWidth, int screenHeight, int pictureWidth, int pictureHeight);

// Where a bar goes for a splash origin.
Spot BarPosition(const Spot& splashOrigin, const Spot& barOffset);

// HIMETRIC (0.01 mm) to pixels at `pixelsPerInch`, to the nearest pixel.
int HimetricToPixels(int himetric, int pixelsPerInch);

// Centre of the reference rectangle, then held inside the work area.
Spot PlaceInWorkArea(const Box& reference, const Box& workArea, int width, int height);
