#include "launcher/archive/ArchiveExtractor_win.h"

#include <windows.h>

#include <string>
#include <utility>

#include "launcher/archive/ArchiveReader_win.h"
#include "launcher/archive/ItemPaths.h"
#include "launcher/system/Directories_win.h"
#include "winlib/Handles_win.h"

namespace {

constexpr DWORD kWritePieceBytes = 4 * 1024 * 1024;
constexpr int kTemporaryNameTries = 16;

bool IsAnsiLeadByte(unsigned char c) { return ::IsDBCSLeadByte(c) != FALSE; }

// The stored name in the ANSI code page (the code page's default character standing in for
// what it cannot represent), with "\" between its parts.
bool AnsiItemName(const ArchiveReader& reader, std::uint32_t index, std::string& name) {
  wchar_t wide[kItemNameUnits] = {};
  char ansi[kItemNameBytes] = {};
  if (!reader.ItemName(index, wide, kItemNameUnits)) return false;
  if (::WideCharToMultiByte(CP_ACP, 0, wide, -1, ansi, sizeof ansi, nullptr, nullptr) == 0) return false;
  name = ansi;
  ReplaceForwardSlashes(name);
  return true;
}

// Refuses what creating the destination in place would refuse: a read-only, hidden or system
// file, a folder, or a file another program holds open against writers.
bool DestinationReplaceable(const std::string& destination) {
  DWORD attributes = ::GetFileAttributesA(destination.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return true;
  const DWORD refused =
      FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  if (attributes & refused) return false;
  winlib::UniqueFileHandle probe(::CreateFileA(destination.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return probe.Valid();
}

// Deletes the file it names unless Keep() was called.
class FileRemover {
 public:
  explicit FileRemover(std::string path) : path_(std::move(path)) {}
  ~FileRemover() {
    if (!path_.empty()) ::DeleteFileA(path_.c_str());
  }
  FileRemover(const FileRemover&) = delete;
  FileRemover& operator=(const FileRemover&) = delete;
  void Keep() { path_.clear(); }

 private:
  std::string path_;
};

winlib::UniqueFileHandle CreateTemporaryBeside(const std::string& destination, std::string& temporary) {
  unsigned serial = ::GetTickCount() ^ (::GetCurrentProcessId() << 16);
  for (int attempt = 0; attempt < kTemporaryNameTries; ++attempt, ++serial) {
    if (!TemporaryPathBeside(destination, serial, IsAnsiLeadByte, temporary)) {
      temporary.clear();  // no room for a temporary name: the caller writes in place
      break;
    }
    // CREATE_NEW: a file of that name that the archive does not own is never touched.
    winlib::UniqueFileHandle file(::CreateFileA(temporary.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file || ::GetLastError() != ERROR_FILE_EXISTS) return file;
  }
  return winlib::UniqueFileHandle();
}

bool WriteAll(HANDLE file, const unsigned char* data, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    DWORD piece = size - done < kWritePieceBytes ? static_cast<DWORD>(size - done) : kWritePieceBytes;
    DWORD written = 0;
    if (!::WriteFile(file, data + done, piece, &written, nullptr)) return false;
    if (written == 0) break;
    done += written;
  }
  return done == size;
}

bool Close(winlib::UniqueFileHandle& file) { return ::CloseHandle(file.Release()) != FALSE; }

// The item's bytes go to a temporary file beside the destination, which replaces the
// destination only once complete, so the game never finds a half-written file. A destination
// whose temporary name would not fit the path limit is written in place and removed when the
// write fails.
bool WriteItemFile(const std::string& destination, const unsigned char* data, std::size_t size) {
  if (!DestinationReplaceable(destination)) return false;
  std::string temporary;
  winlib::UniqueFileHandle file = CreateTemporaryBeside(destination, temporary);
  if (!file && !temporary.empty()) return false;
  bool inPlace = !file;
  if (inPlace) {
    file.Reset(::CreateFileA(destination.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
  }
  FileRemover remover(inPlace ? destination : temporary);
  if (!WriteAll(file.Get(), data, size) || !Close(file)) return false;
  if (!inPlace && !::MoveFileExA(temporary.c_str(), destination.c_str(), MOVEFILE_REPLACE_EXISTING)) return false;
  remover.Keep();
  return true;
}

}  // namespace

bool ExtractArchive(const char* archivePath, const char* targetDirectory) {
  if (archivePath == nullptr) return false;
  ArchiveReader reader;
  if (!reader.Open(archivePath)) return false;
  for (std::uint32_t index = 0; index < reader.ItemCount(); ++index) {
    std::string name;
    if (!AnsiItemName(reader, index, name) || !IsSafeItemName(name, IsAnsiLeadByte)) return false;
    bool isDirectory = reader.IsDirectory(index);
    std::string destination;
    if (!BuildItemDestination(targetDirectory, name, isDirectory, IsAnsiLeadByte, destination)) return false;
    if (!CreateDirectoryPath(destination)) return false;
    if (isDirectory) continue;
    const unsigned char* data = nullptr;
    std::size_t size = 0;
    if (!reader.ItemData(index, data, size)) return false;
    if (!WriteItemFile(destination, data, size)) return false;
  }
  return true;
}
