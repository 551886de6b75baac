#include "DownloadRecorder_win.h"

#include <cstdlib>
#include <cstring>

#include "TestFiles_win.h"
#include "launcher/core/Messages.h"
#include "winlib/Handles_win.h"

namespace {

const char kRecorderClass[] = "Zv:TestRecorder";
constexpr DWORD kDebugPrintException = 0x40010006;  // DBG_PRINTEXCEPTION_C

winlib::CriticalSection& CaptureLock() {
  static winlib::CriticalSection lock;
  return lock;
}
std::vector<std::string>& CapturedTexts() {
  static std::vector<std::string> texts;
  return texts;
}

LONG CALLBACK CaptureDebugOutput(EXCEPTION_POINTERS* info) {
  const EXCEPTION_RECORD* r = info->ExceptionRecord;
  if (r->ExceptionCode == kDebugPrintException && r->NumberParameters >= 2) {
    const char* text = reinterpret_cast<const char*>(r->ExceptionInformation[1]);
    std::size_t length = static_cast<std::size_t>(r->ExceptionInformation[0]);
    winlib::Lock hold(CaptureLock());
    std::string t(text, length);
    while (!t.empty() && t.back() == '\0') t.pop_back();
    CapturedTexts().push_back(t);
  }
  return EXCEPTION_CONTINUE_SEARCH;
}

}  // namespace

RecorderWindow::RecorderWindow() {
  RegisterWindowClass(kRecorderClass, 0, nullptr, nullptr, nullptr, nullptr);
  Create(kRecorderClass, HWND_MESSAGE, 0, 0, 0, 0, "", 0, 0, nullptr);
}

RecorderWindow::~RecorderWindow() {
  if (Hwnd() != nullptr) ::DestroyWindow(Hwnd());
}

std::vector<ReceivedMessage> RecorderWindow::Of(UINT msg) const {
  std::vector<ReceivedMessage> out;
  for (const ReceivedMessage& m : messages) {
    if (m.msg == msg) out.push_back(m);
  }
  return out;
}

LRESULT RecorderWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg < kWmUser) return DefaultHandling(msg, wParam, lParam);
  ReceivedMessage m{msg, wParam, lParam, ::GetTickCount64(), {}};
  if (msg == UM_ITEM_DONE && lParam != 0) {
    auto* item = reinterpret_cast<DownloadItem*>(lParam);
    std::memcpy(&m.item, item, sizeof m.item);
    messages.push_back(m);
    if (onItemDone) onItemDone(*item);
    return 0;
  }
  messages.push_back(m);
  return 0;
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
  while (!done()) {
    ULONGLONG now = ::GetTickCount64();
    if (now >= deadline) return done();
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now < 50 ? deadline - now : 50),
                                QS_ALLINPUT);
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
  }
  return true;
}

void PumpFor(DWORD ms) {
  PumpUntil([] { return false; }, ms);
}

DebugOutputCapture::DebugOutputCapture() : handler_(::AddVectoredExceptionHandler(1, &CaptureDebugOutput)) {
  winlib::Lock hold(CaptureLock());
  CapturedTexts().clear();
}

DebugOutputCapture::~DebugOutputCapture() {
  if (handler_ != nullptr) ::RemoveVectoredExceptionHandler(handler_);
}

std::vector<std::string> DebugOutputCapture::Texts() const {
  winlib::Lock hold(CaptureLock());
  return CapturedTexts();
}

TestServer::TestServer() {
#ifdef HTTP_TEST_SERVER_DIR
  // Wine shows the whole Linux tree as drive Z:.
  folder_ = std::string("Z:") + HTTP_TEST_SERVER_DIR;
  for (char& c : folder_) {
    if (c == '/') c = '\\';
  }
  folder_ += '\\';
  std::string text;
  if (ReadWholeFile(folder_ + "port", text)) port_ = std::atoi(text.c_str());
  std::string unused;
  hasPort21_ = ReadWholeFile(folder_ + "port21", unused);
#endif
}

std::string TestServer::Url(const std::string& path) const {
  return "http://127.0.0.1:" + std::to_string(port_) + path;
}

std::vector<std::string> TestServer::Requests(const std::string& token) const {
  std::vector<std::string> found;
  std::string log;
  if (!ReadWholeFile(folder_ + "requests.log", log)) return found;
  std::size_t start = 0;
  while (start < log.size()) {
    std::size_t end = log.find("\n\n", start);
    if (end == std::string::npos) end = log.size();
    // Each header line keeps its "\n", the last one included.
    std::string block = log.substr(start, end - start + 1);
    std::size_t lineEnd = block.find('\n');
    if (block.substr(0, lineEnd).find(token) != std::string::npos) found.push_back(block);
    start = end + 2;
  }
  return found;
}

bool TestServer::PutStatic(const std::string& name, const std::string& bytes) const {
  return WriteWholeFile(folder_ + "static\\" + name, bytes);
}

std::string PatternBytes(std::size_t count) {
  std::string bytes(count, '\0');
  for (std::size_t i = 0; i < count; ++i) bytes[i] = static_cast<char>(i % 251);
  return bytes;
}
