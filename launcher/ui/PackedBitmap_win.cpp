#include "launcher/ui/PackedBitmap_win.h"

#include <cstring>
#include <vector>

#include "launcher/ui/BmpFile.h"
#include "launcher/ui/PackedImage.h"
#include "winlib/Module_win.h"
#include "winlib/Resource_win.h"

winlib::UniqueBitmap CreateBitmapFromBmpData(const unsigned char* data, std::size_t size) {
  BmpLayout layout;
  if (!ReadBmpLayout(data, size, layout)) return {};
  // Checked before the section exists, so a bogus size never reaches the allocator...
  if (!PixelDataFits(layout, size, DibImageBytes(layout))) return {};

  // The information header sits at offset 14 of the file: copy it to aligned memory.
  std::vector<DWORD> info((layout.infoBytes + sizeof(DWORD) - 1) / sizeof(DWORD));
  std::memcpy(info.data(), data + kBmpFileHeaderSize, layout.infoBytes);
  winlib::UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
  if (!dc) return {};
  void* bits = nullptr;
  winlib::UniqueBitmap section(::CreateDIBSection(dc.Get(), reinterpret_cast<const BITMAPINFO*>(info.data()),
                                                  DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!section || bits == nullptr) return {};
  DIBSECTION ds{};
  if (::GetObjectA(section.Get(), sizeof ds, &ds) != sizeof ds) return {};
  // ...and again with the row size and row count the system chose for the section.
  std::uint64_t bytes = static_cast<std::uint64_t>(ds.dsBm.bmWidthBytes) * static_cast<std::uint64_t>(ds.dsBm.bmHeight);
  if (!PixelDataFits(layout, size, bytes)) return {};
  std::memcpy(bits, data + layout.pixelOffset, static_cast<std::size_t>(bytes));
  return section;
}

winlib::UniqueBitmap LoadPackedBitmap(int id, const char* type, HMODULE module) {
  winlib::ResourceBytes resource;
  if (!winlib::FindResourceBytes(module != nullptr ? module : winlib::AppModule::Instance(), id, type, resource)) {
    return {};
  }
  std::vector<unsigned char> decoded;
  if (DecodeLzma86(resource.data, resource.size, decoded) != Lzma86Result::Ok) return {};
  return CreateBitmapFromBmpData(decoded.data(), decoded.size());
}
