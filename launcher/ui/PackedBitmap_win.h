#pragma once

#include <windows.h>

#include <cstddef>

#include "winlib/Handles_win.h"

// A packed image resource (LZMA86 holding a BMP file) as a device-independent section.
// Null when the resource is missing, does not decode, or is not an acceptable bitmap.
// `module` null: the launcher's own module.
winlib::UniqueBitmap LoadPackedBitmap(int id, const char* type, HMODULE module = nullptr);

// The same from the bytes of a whole BMP file.
winlib::UniqueBitmap CreateBitmapFromBmpData(const unsigned char* data, std::size_t size);
