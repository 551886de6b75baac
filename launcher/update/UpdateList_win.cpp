#include "launcher/update/UpdateList_win.h"

#include <cstdio>
#include <memory>

#include "launcher/core/Messages.h"
#include "launcher/system/Paths_win.h"
#include "launcher/update/DownloadQueue_win.h"

namespace {

constexpr DWORD kValueBufferSize = 1024;
constexpr DWORD kSectionBufferSize = 32768;

std::string NumberText(int number) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", number);
  return text;
}

}  // namespace

bool GetUpdateListPath(std::string& path) {
  if (!GetTempDirectory(path)) return false;
  path += kUpdateListFileName;
  return true;
}

bool GetLocalRecordPath(std::string& path) {
  if (!GetModuleDirectory(path, nullptr, false)) return false;
  path += kLocalRecordRelativePath;
  return true;
}

std::string ReadListValue(const std::string& file, const char* section, const std::string& key) {
  char value[kValueBufferSize] = {};
  ::GetPrivateProfileStringA(section, key.c_str(), "", value, sizeof value, file.c_str());
  return value;
}

std::vector<std::string> ReadNumberedValues(const std::string& file, const std::string& section) {
  std::vector<std::string> values;
  for (int number = 0;; ++number) {
    std::string value = ReadListValue(file, section.c_str(), NumberText(number));
    if (value.empty()) break;
    values.push_back(value);
  }
  return values;
}

std::string SelectVersionGroup(const std::string& updateListPath, const std::string& serverId) {
  std::unique_ptr<char[]> section(new char[kSectionBufferSize]());
  DWORD length =
      ::GetPrivateProfileSectionA(kVersionsSection, section.get(), kSectionBufferSize, updateListPath.c_str());
  // The section comes as NUL-separated lines; AppendTextLines ends lines at NUL too.
  TextLines lines;
  AppendTextLines(section.get(), length, lines);
  return SelectVersionGroup(lines, serverId);
}

std::string ReadRecordedTag(const std::string& recordPath, const char* section, int number) {
  return ReadListValue(recordPath, section, NumberText(number));
}

bool WriteRecordedTag(const std::string& recordPath, const char* section, int number, const std::string& tag) {
  return ::WritePrivateProfileStringA(section, NumberText(number).c_str(), tag.c_str(), recordPath.c_str()) != FALSE;
}

void StartUpdateListDownload(DownloadQueue& queue, const std::string& updateListUrl, const std::string& updateListPath,
                             int& updatePhase) {
  ::OutputDebugStringA("DownloadUpdateList...");
  ::OutputDebugStringA(updateListUrl.c_str());
  ::OutputDebugStringA(updateListPath.c_str());
  updatePhase = kPhaseUpdateList;
  queue.Stop();
  queue.Add(updateListUrl.c_str(), updateListPath.c_str(), 0, nullptr, kUpdateListItem);
  queue.Start();
}

bool OnUpdateListDone(HWND window, const DownloadItem& item, bool& updateListReady) {
  if (item.state != DownloadState::Done) return false;
  ::PostMessageA(window, UM_RUN_UPDATE, 0, 0);
  updateListReady = true;
  return true;
}
