#include "UpdateTestSupport_win.h"

#include "TestFiles_win.h"
#include "launcher/system/CommandLine.h"
#include "launcher/system/Paths_win.h"

std::string OperatorSitePath(const std::string& relative) {
  std::string path = std::string("Z:") + OPERATOR_SITE_DIR + "/" + relative;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

bool WriteSiteUpdateList(const std::string& text) {
  return WriteWholeFile(OperatorSitePath("downloads/UpdataAll/Updata_Brannock/list.txt"), text);
}

AccessLogTail::AccessLogTail(const std::string& logName) : path_(OperatorSitePath("logs/" + logName)) {
  std::string bytes;
  ReadWholeFile(path_, bytes);
  start_ = bytes.size();
}

std::vector<std::string> AccessLogTail::Lines() const {
  std::string bytes;
  std::vector<std::string> lines;
  if (!ReadWholeFile(path_, bytes) || bytes.size() <= start_) return lines;
  std::size_t begin = start_;
  for (std::size_t end; (end = bytes.find('\n', begin)) != std::string::npos; begin = end + 1) {
    lines.push_back(bytes.substr(begin, end - begin));
  }
  return lines;
}

std::vector<std::string> AccessLogTail::WaitForLines(std::size_t count, DWORD timeoutMs) const {
  const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
  std::vector<std::string> lines = Lines();
  while (lines.size() < count && ::GetTickCount64() < deadline) {
    ::Sleep(20);
    lines = Lines();
  }
  return lines;
}

StartedProcess::StartedProcess(const std::string& path, const std::vector<std::string>& arguments) {
  std::string line = BuildProcessCommandLine(path, arguments);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!::CreateProcessA(path.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return;
  process_.Reset(pi.hProcess);
  winlib::UniqueKernelHandle thread(pi.hThread);
}

StartedProcess::~StartedProcess() {
  if (Running()) ::TerminateProcess(process_.Get(), 1);
  if (process_) ::WaitForSingleObject(process_.Get(), 5000);
}

bool StartedProcess::Running() const { return process_ && ::WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT; }

DWORD StartedProcess::WaitForExit(DWORD timeoutMs) const {
  if (!process_ || ::WaitForSingleObject(process_.Get(), timeoutMs) != WAIT_OBJECT_0) return STILL_ACTIVE;
  DWORD code = STILL_ACTIVE;
  ::GetExitCodeProcess(process_.Get(), &code);
  return code;
}

bool SameBytes(const std::string& a, const std::string& b) {
  std::string x, y;
  return ReadWholeFile(a, x) && ReadWholeFile(b, y) && x == y;
}

std::vector<std::string> FilesMatching(const std::string& folder, const char* pattern) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA data{};
  winlib::UniqueFindHandle find(::FindFirstFileA((folder + pattern).c_str(), &data));
  if (!find) return names;
  do {
    names.push_back(data.cFileName);
  } while (::FindNextFileA(find.Get(), &data));
  return names;
}
