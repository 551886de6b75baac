#pragma once

#include <ocidl.h>
#include <olectl.h>
#include <windows.h>

#include <string>

#include "winlib/ComPtr_win.h"

// A picture resource (JPEG, GIF or BMP bytes) as a picture object. COM must be initialised.
// `module` null: the launcher's own module.
bool LoadResourcePicture(int id, const char* type, winlib::ComPtr<IPicture>& picture, HMODULE module = nullptr);

// The picture's size in pixels at the context's pixels per inch.
bool PicturePixelSize(IPicture* picture, HDC dc, int& width, int& height);

// Draws the whole picture upright with its top-left corner at (x, y), at its pixel size.
void RenderPicture(IPicture* picture, HDC dc, int x, int y);

// Writes the splash picture resource to directory + "ExpData\Logo.jpg" (directory ends in
// "\"). False when any step fails; the launcher ignores the result.
bool WriteLogoFile(const std::string& directory, HMODULE module = nullptr);
