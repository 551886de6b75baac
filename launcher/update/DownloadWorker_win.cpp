#include "launcher/update/DownloadWorker_win.h"

#include <wininet.h>

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "launcher/update/DownloadProgress.h"
#include "launcher/update/DownloadQueue_win.h"
#include "winlib/InternetHandle_win.h"

namespace {

constexpr DWORD kPollMs = 25;
constexpr DWORD kTimeoutMs = 90000;
constexpr DWORD kChunkSize = 65536;
constexpr DWORD kHeaderTextSize = 512;
constexpr char kAgent[] = "Mozilla/4.0 (compatible; MSIE 7.0; Windows NT 6.0)";

struct UrlParts {
  char scheme[32];
  char host[256];
  char user[128];
  char password[128];
  char path[2048];
  char extra[2048];
  INTERNET_PORT port;
};

bool SplitUrl(const char* url, UrlParts& parts) {
  URL_COMPONENTSA c = {};
  c.dwStructSize = sizeof c;
  c.lpszScheme = parts.scheme;
  c.dwSchemeLength = sizeof parts.scheme;
  c.lpszHostName = parts.host;
  c.dwHostNameLength = sizeof parts.host;
  c.lpszUserName = parts.user;
  c.dwUserNameLength = sizeof parts.user;
  c.lpszPassword = parts.password;
  c.dwPasswordLength = sizeof parts.password;
  c.lpszUrlPath = parts.path;
  c.dwUrlPathLength = sizeof parts.path;
  c.lpszExtraInfo = parts.extra;
  c.dwExtraInfoLength = sizeof parts.extra;
  if (!::InternetCrackUrlA(url, 0, ICU_ESCAPE, &c)) return false;
  parts.port = c.nPort;
  // No host means nothing to connect to, whatever the splitter thought of the text.
  return parts.host[0] != '\0';
}

// A numeric header as text, the way the server wrote it; -1 when absent.
std::int64_t QueryNumber(HINTERNET request, DWORD query) {
  char text[kHeaderTextSize] = {};
  DWORD size = sizeof text;
  if (!::HttpQueryInfoA(request, query, text, &size, nullptr)) return -1;
  return std::strtoll(text, nullptr, 10);
}

void TraceFailure(std::int32_t code, std::int64_t contentLength, std::int64_t onDisk, std::int64_t thisAttempt) {
  char text[160];
  std::snprintf(text, sizeof text,
                "ErrorCode=%d, FileSize=%" PRId64 ", RealFileSize=%" PRId64 ", DownloadedSize=%" PRId64,
                static_cast<int>(code), contentLength, onDisk, thisAttempt);
  ::OutputDebugStringA(text);
}

}  // namespace

DownloadWorker::~DownloadWorker() { CloseRequest(); }

int DownloadWorker::run() {
  while (!StopRequested() && queue_ != nullptr) {
    if (DownloadItem* item = queue_->TakeNextItem()) {
      current_ = item;
      std::int32_t code = Transfer(*item);
      queue_->FinishAttempt(*item, code);
      // Nobody acts on the items of a queue that is being stopped.
      if (!StopRequested()) queue_->SendItemDone(*item);
      if (StopRequested()) break;
      // A failed update list ends its batch: it is not fetched again until asked anew.
      if (code != kDownloadOk && item->kind == kUpdateListItem) queue_->DiscardBatch();
      current_ = nullptr;
      queue_->CheckBatchFinished();
    }
    queue_->Pause(kPollMs);
  }
  current_ = nullptr;
  return 0;
}

std::int32_t DownloadWorker::Transfer(DownloadItem& item) {
  std::int64_t contentLength = 0, onDisk = 0, thisAttempt = 0;
  std::int32_t code = kDownloadFailed;
  std::unique_ptr<UrlParts> parts(new UrlParts());  // 4.5 KiB: kept off the worker's stack
  if (SplitUrl(item.url, *parts)) {
    winlib::UniqueInternet session(::InternetOpenA(kAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (session) {
      DWORD timeout = kTimeoutMs;
      ::InternetSetOptionA(session.Get(), INTERNET_OPTION_CONNECT_TIMEOUT, &timeout, sizeof timeout);
      ::InternetSetOptionA(session.Get(), INTERNET_OPTION_SEND_TIMEOUT, &timeout, sizeof timeout);
      ::InternetSetOptionA(session.Get(), INTERNET_OPTION_RECEIVE_TIMEOUT, &timeout, sizeof timeout);
      // The scheme is not looked at: every download speaks HTTP to the URL's host and port.
      winlib::UniqueInternet connection(::InternetConnectA(session.Get(), parts->host, parts->port, parts->user,
                                                           parts->password, INTERNET_SERVICE_HTTP, 0, 0));
      const char* accept[] = {"*/*", nullptr};
      HINTERNET request = connection ? ::HttpOpenRequestA(connection.Get(), "GET", parts->path, nullptr, nullptr,
                                                          accept, INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_UI, 0)
                                     : nullptr;
      if (request != nullptr && Publish(request)) {
        if (::HttpSendRequestA(request, nullptr, 0, nullptr, 0) &&
            QueryNumber(request, HTTP_QUERY_STATUS_CODE) == 200) {
          std::int64_t length = QueryNumber(request, HTTP_QUERY_CONTENT_LENGTH);
          if (length > 0) {
            contentLength = length;
            item.size = length;
            item.received = 0;
            code = ReceiveBody(request, item, onDisk, thisAttempt);
          }
        }
        CloseRequest();
      }
    }
  }
  if (code != kDownloadOk) TraceFailure(code, contentLength, onDisk, thisAttempt);
  return code;
}

std::int32_t DownloadWorker::ReceiveBody(HINTERNET request, DownloadItem& item, std::int64_t& onDisk,
                                         std::int64_t& thisAttempt) {
  // Only after a 200 answer with a length: a refused download leaves no file behind.
  winlib::UniqueFileHandle file(::CreateFileA(item.targetPath, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return kDownloadFailed;
  std::unique_ptr<char[]> buffer(new char[kChunkSize]);
  std::int32_t code = kDownloadFailed;
  int percent = 0;
  for (;;) {
    DWORD got = 0;
    if (!::InternetReadFile(request, buffer.get(), kChunkSize, &got) || got == 0 || StopRequested()) break;
    thisAttempt += got;
    DWORD written = 0;
    if (!::WriteFile(file.Get(), buffer.get(), got, &written, nullptr) || written != got) return kDownloadWriteFailed;
    item.received += got;
    queue_->AddReceived(got);
    percent = ItemPercent(item.received, item.size, percent);
    queue_->PostProgress(item, percent);
    code = kDownloadOk;
  }
  if (code == kDownloadFailed) return code;
  LARGE_INTEGER size = {};
  if (::GetFileSizeEx(file.Get(), &size)) onDisk = size.QuadPart;
  return onDisk == item.size ? kDownloadOk : kDownloadShortBody;
}

bool DownloadWorker::Publish(HINTERNET request) {
  winlib::Lock hold(requestLock_);
  activeRequest_.Reset(request);
  if (!StopRequested()) return true;
  activeRequest_.Reset();
  return false;
}

void DownloadWorker::CloseRequest() {
  winlib::Lock hold(requestLock_);
  activeRequest_.Reset();
}
