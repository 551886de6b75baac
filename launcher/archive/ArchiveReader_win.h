#pragma once

#include <cstddef>
#include <cstdint>

#include "7z.h"
#include "7zFile.h"

// One 7z archive opened with the LZMA SDK's reader, and the decoded-block cache that serves
// consecutive items of one block without decoding it again. Everything it allocates comes
// from the process heap and is released by the destructor.
class ArchiveReader {
 public:
  ArchiveReader();
  ~ArchiveReader();
  ArchiveReader(const ArchiveReader&) = delete;
  ArchiveReader& operator=(const ArchiveReader&) = delete;

  // The file is opened for reading with read sharing only. False when it cannot be opened
  // or is not a 7z archive the reader understands (header damaged, unsupported coder...).
  bool Open(const char* path);

  std::uint32_t ItemCount() const { return archive_.NumFiles; }
  bool IsDirectory(std::uint32_t index) const { return SzArEx_IsDir(&archive_, index) != 0; }
  // The stored name, UTF-16, terminated; false when it needs more than `capacity` units.
  bool ItemName(std::uint32_t index, wchar_t* name, std::size_t capacity) const;
  // The item's bytes, valid until the next call; decodes (and checks the CRCs of) the block
  // that holds the item unless the cache holds it already. An item without data has size 0.
  bool ItemData(std::uint32_t index, const unsigned char*& data, std::size_t& size);

 private:
  CFileInStream file_;
  CLookToRead2 look_;
  CSzArEx archive_;
  bool archiveOpen_ = false;
  UInt32 cachedBlock_ = 0xFFFFFFFF;
  Byte* cache_ = nullptr;
  size_t cacheSize_ = 0;
};
