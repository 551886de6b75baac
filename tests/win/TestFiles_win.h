#pragma once

#include <windows.h>

#include <string>

// A fresh folder under the temporary folder, removed with everything in it at the end.
class ScratchFolder {
 public:
  explicit ScratchFolder(const char* tag);
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  // Path ending in "\".
  const std::string& Path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + name; }

 private:
  std::string path_;
};

bool WriteWholeFile(const std::string& path, const std::string& bytes);
bool ReadWholeFile(const std::string& path, std::string& bytes);
void RemoveTree(const std::string& folder);
// The folder of the running test program, ending in "\".
std::string TestProgramDirectory();
