#include "launcher/archive/ArchiveReader_win.h"

#include <windows.h>

#include "7zCrc.h"

namespace {

constexpr size_t kLookBufferBytes = 1 << 18;

void* HeapAllocate(ISzAllocPtr, size_t size) {
  if (size == 0) return nullptr;
  return ::HeapAlloc(::GetProcessHeap(), 0, size);
}

void HeapRelease(ISzAllocPtr, void* address) {
  if (address != nullptr) ::HeapFree(::GetProcessHeap(), 0, address);
}

// Long-lived tables and temporary buffers both live on the process heap.
const ISzAlloc kHeap = {HeapAllocate, HeapRelease};

}  // namespace

ArchiveReader::ArchiveReader() {
  FileInStream_CreateVTable(&file_);
  File_Construct(&file_.file);
  file_.wres = 0;
  // Exact reads: the reader never asks the file for more than it needs.
  LookToRead2_CreateVTable(&look_, False);
  look_.realStream = &file_.vt;
  look_.buf = nullptr;
  look_.bufSize = 0;
  LookToRead2_INIT(&look_);
  SzArEx_Init(&archive_);
}

ArchiveReader::~ArchiveReader() {
  HeapRelease(&kHeap, cache_);
  SzArEx_Free(&archive_, &kHeap);
  HeapRelease(&kHeap, look_.buf);
  File_Close(&file_.file);
}

bool ArchiveReader::Open(const char* path) {
  if (archiveOpen_ || InFile_Open(&file_.file, path) != 0) return false;
  look_.buf = static_cast<Byte*>(HeapAllocate(&kHeap, kLookBufferBytes));
  if (look_.buf == nullptr) return false;
  look_.bufSize = kLookBufferBytes;
  CrcGenerateTable();
  if (SzArEx_Open(&archive_, &look_.vt, &kHeap, &kHeap) != SZ_OK) return false;
  archiveOpen_ = true;
  return true;
}

bool ArchiveReader::ItemName(std::uint32_t index, wchar_t* name, std::size_t capacity) const {
  static_assert(sizeof(wchar_t) == sizeof(UInt16), "stored names are UTF-16");
  // An archive may leave out the names altogether; the reader would then read through null.
  if (archive_.FileNameOffsets == nullptr) return false;
  if (SzArEx_GetFileNameUtf16(&archive_, index, nullptr) > capacity) return false;
  SzArEx_GetFileNameUtf16(&archive_, index, reinterpret_cast<UInt16*>(name));
  return true;
}

bool ArchiveReader::ItemData(std::uint32_t index, const unsigned char*& data, std::size_t& size) {
  data = nullptr;
  size = 0;
  UInt32 block = archive_.FileToFolder[index];
  // The reader drops its cache for an item without data; an empty file between two items
  // of one block would make it decode that block twice.
  if (block == 0xFFFFFFFF) return true;
  // A block is held whole in memory; one beyond 32 bits cannot be, whatever the build.
  if (SzAr_GetFolderUnpackSize(&archive_.db, block) > 0xFFFFFFFFu) return false;
  size_t offset = 0;
  size_t length = 0;
  if (SzArEx_Extract(&archive_, &look_.vt, index, &cachedBlock_, &cache_, &cacheSize_, &offset, &length, &kHeap,
                     &kHeap) != SZ_OK) {
    return false;
  }
  if (length != 0) data = cache_ + offset;
  size = length;
  return true;
}
