#include "launcher/ui/SplashPicture_win.h"

#include <cstring>

#include "launcher/ui/SkinGeometry.h"
#include "winlib/Handles_win.h"
#include "winlib/Module_win.h"
#include "winlib/Resource_win.h"

namespace {

constexpr char kLogoFileName[] = "ExpData\\Logo.jpg";

HMODULE OrOwnModule(HMODULE module) { return module != nullptr ? module : winlib::AppModule::Instance(); }

}  // namespace

bool LoadResourcePicture(int id, const char* type, winlib::ComPtr<IPicture>& picture, HMODULE module) {
  picture.Reset();
  winlib::ResourceBytes resource;
  if (!winlib::FindResourceBytes(OrOwnModule(module), id, type, resource)) return false;
  winlib::UniqueGlobal block(::GlobalAlloc(GMEM_MOVEABLE, resource.size));
  if (!block) return false;
  void* target = ::GlobalLock(block.Get());
  if (target == nullptr) return false;
  std::memcpy(target, resource.data, resource.size);
  ::GlobalUnlock(block.Get());
  winlib::ComPtr<IStream> stream;
  // The stream does not own the block: `block` frees it after the picture has been read.
  if (FAILED(::CreateStreamOnHGlobal(block.Get(), FALSE, stream.Put()))) return false;
  HRESULT hr = ::OleLoadPicture(stream.Get(), static_cast<LONG>(resource.size), FALSE, IID_IPicture, picture.PutVoid());
  return SUCCEEDED(hr) && picture;
}

bool PicturePixelSize(IPicture* picture, HDC dc, int& width, int& height) {
  OLE_XSIZE_HIMETRIC himetricWidth = 0;
  OLE_YSIZE_HIMETRIC himetricHeight = 0;
  if (picture == nullptr || FAILED(picture->get_Width(&himetricWidth)) ||
      FAILED(picture->get_Height(&himetricHeight))) {
    return false;
  }
  width = HimetricToPixels(himetricWidth, ::GetDeviceCaps(dc, LOGPIXELSX));
  height = HimetricToPixels(himetricHeight, ::GetDeviceCaps(dc, LOGPIXELSY));
  return true;
}

void RenderPicture(IPicture* picture, HDC dc, int x, int y) {
  OLE_XSIZE_HIMETRIC himetricWidth = 0;
  OLE_YSIZE_HIMETRIC himetricHeight = 0;
  int width = 0, height = 0;
  if (!PicturePixelSize(picture, dc, width, height)) return;
  picture->get_Width(&himetricWidth);
  picture->get_Height(&himetricHeight);
  // HIMETRIC runs bottom-up: start at the bottom edge with a negative height to draw upright.
  picture->Render(dc, x, y, width, height, 0, himetricHeight, himetricWidth, -himetricHeight, nullptr);
}

bool WriteLogoFile(const std::string& directory, HMODULE module) {
  winlib::ResourceBytes resource;
  if (!winlib::FindResourceBytes(OrOwnModule(module), kSplashResource, kPackedResourceType, resource)) return false;
  std::string path = directory + kLogoFileName;
  winlib::UniqueFileHandle file(::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD written = 0;
  return ::WriteFile(file.Get(), resource.data, resource.size, &written, nullptr) && written == resource.size;
}
