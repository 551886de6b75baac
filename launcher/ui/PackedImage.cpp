#include "launcher/ui/PackedImage.h"

#include <cstdlib>

extern "C" {
#include "Bra.h"
#include "LzmaDec.h"
}

namespace {

constexpr unsigned kMaxPropertiesByte = 224;  // lc + 9 lp + 45 pb with lc < 9, lp < 5, pb < 5

void* SdkAlloc(ISzAllocPtr, size_t size) { return std::malloc(size); }
void SdkFree(ISzAllocPtr, void* address) { std::free(address); }
const ISzAlloc kSdkAlloc = {SdkAlloc, SdkFree};

}  // namespace

bool ReadLzma86UnpackedSize(const unsigned char* data, std::size_t size, std::uint64_t& unpackedSize) {
  if (data == nullptr || size < kLzma86HeaderSize) return false;
  unpackedSize = 0;
  for (int i = 0; i < 8; ++i) unpackedSize |= static_cast<std::uint64_t>(data[6 + i]) << (8 * i);
  return true;
}

Lzma86Result DecodeLzma86(const unsigned char* data, std::size_t size, std::vector<unsigned char>& out) {
  out.clear();
  std::uint64_t unpackedSize = 0;
  if (!ReadLzma86UnpackedSize(data, size, unpackedSize)) return Lzma86Result::TooShort;
  const unsigned char filter = data[0];
  if (filter > kLzma86X86Filter) return Lzma86Result::UnsupportedFilter;
  if (data[1] > kMaxPropertiesByte) return Lzma86Result::BadProperties;
  if (unpackedSize > kMaxUnpackedSize) return Lzma86Result::TooLarge;

  out.resize(static_cast<std::size_t>(unpackedSize));
  SizeT outLen = out.size();
  SizeT inLen = size - kLzma86HeaderSize;
  ELzmaStatus status = LZMA_STATUS_NOT_SPECIFIED;
  SRes res = LzmaDecode(out.data(), &outLen, data + kLzma86HeaderSize, &inLen, data + 1, LZMA_PROPS_SIZE,
                        LZMA_FINISH_ANY, &status, &kSdkAlloc);
  if (res == SZ_ERROR_INPUT_EOF || (res == SZ_OK && status == LZMA_STATUS_NEEDS_MORE_INPUT)) {
    out.clear();
    return Lzma86Result::Truncated;
  }
  // An end marker before the declared size would leave the tail of the buffer undefined:
  // the header promises the exact length, so a shorter stream is corrupt.
  if (res != SZ_OK || outLen != out.size()) {
    out.clear();
    return res == SZ_ERROR_UNSUPPORTED ? Lzma86Result::BadProperties : Lzma86Result::Corrupt;
  }
  if (filter == kLzma86X86Filter && !out.empty()) {
    UInt32 state = Z7_BRANCH_CONV_ST_X86_STATE_INIT_VAL;
    z7_BranchConvSt_X86_Dec(out.data(), out.size(), 0, &state);
  }
  return Lzma86Result::Ok;
}
