#pragma once

#include <cstdint>

// Where a progress bar's gold fill goes and what percentage it shows. The fill is a left end,
// a stretched middle and a right end, laid into the bar's fill rectangle.

struct FillArea {
  int left, top, right, bottom;
};

struct FillPieces {
  bool drawFill = false;  // false: track (and text) only
  int width = 0;          // the fill's width after the ends' minimum
  int leftX = 0;          // left end at (leftX, top)
  int rightX = 0;         // right end at (rightX, top)
  int middleX = 0;        // middle stretched over [middleX, middleX + middleWidth)
  int middleWidth = 0;    // 0: no middle piece
  int top = 0;
};

// Range below 1: no fill. Otherwise w = min(position, range) * fill width / range, at most
// the fill width; a non-zero w is raised to the two ends' widths together.
FillPieces ComputeFillPieces(int position, int lower, int upper, const FillArea& fill, int leftEndWidth,
                             int rightEndWidth);

// position / (upper - lower) * 100, fraction cut off, held to 0..100; -1 when the range is
// below 1 (the bar then shows no text).
int ProgressPercent(int position, int lower, int upper);
