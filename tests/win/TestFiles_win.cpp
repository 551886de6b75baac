#include "TestFiles_win.h"

#include <cstdio>

#include "winlib/Handles_win.h"

std::string TestProgramDirectory() {
  char path[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string s = path;
  return s.substr(0, s.rfind('\\') + 1);
}

ScratchFolder::ScratchFolder(const char* tag) {
  char temp[MAX_PATH] = {};
  ::GetTempPathA(MAX_PATH, temp);
  static unsigned counter = 0;
  char name[MAX_PATH];
  std::snprintf(name, sizeof name, "%slt_%s_%lu_%u\\", temp, tag, ::GetCurrentProcessId(), ++counter);
  path_ = name;
  RemoveTree(path_);
  ::CreateDirectoryA(path_.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder() { RemoveTree(path_); }

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
  winlib::UniqueFileHandle file(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  if (!file) return false;
  DWORD written = 0;
  return ::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
  winlib::UniqueFileHandle file(
      ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!file) return false;
  DWORD size = ::GetFileSize(file.Get(), nullptr);
  bytes.assign(size, '\0');
  DWORD read = 0;
  return size == 0 || (::ReadFile(file.Get(), &bytes[0], size, &read, nullptr) && read == size);
}

void RemoveTree(const std::string& folder) {
  std::string base = folder;
  if (!base.empty() && base.back() != '\\') base += '\\';
  WIN32_FIND_DATAA data;
  HANDLE find = ::FindFirstFileA((base + "*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      std::string name = data.cFileName;
      if (name == "." || name == "..") continue;
      std::string full = base + name;
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(full);
      } else {
        ::SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileA(full.c_str());
      }
    } while (::FindNextFileA(find, &data));
    ::FindClose(find);
  }
  ::RemoveDirectoryA(base.c_str());
}
