#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

#include "launcher/update/BackgroundThread_win.h"
#include "launcher/update/StatisticsReports.h"
#include "winlib/Handles_win.h"
#include "winlib/InternetHandle_win.h"

// Sends the launcher's usage reports one at a time on its own thread, so the window never
// waits for the statistics service. The window appends; the thread takes and sends.
class StatisticsSender : public BackgroundThread {
 public:
  // How long closing the launcher waits for a report in flight before ending the thread.
  static constexpr DWORD kStopWaitMs = 400;

  StatisticsSender() = default;
  ~StatisticsSender() override;

  // Starts the thread (created suspended, then resumed).
  bool Start() { return Begin(); }
  // Appends a report address; false when it had to be dropped.
  bool Enqueue(std::string url);
  // Sets the stop flag, gives the thread kStopWaitMs, then ends it by force. Reports
  // still queued are dropped. True when the thread ended by itself.
  bool Stop();
  std::size_t Pending() const;

  int run() override;

 private:
  void Send(const std::string& url);
  // Hands the session to Stop's reach; false when stopping already.
  bool Publish(HINTERNET session);
  void CloseSession();

  mutable winlib::CriticalSection lock_;
  StatisticsQueue queue_;
  winlib::CriticalSection sessionLock_;
  winlib::UniqueInternet session_;
  bool stopped_ = false;
};

// Builds the report address of an event for this build and queues it.
void ReportStatistics(StatisticsSender& sender, int type, const std::string& serverId);

// Each event is reported at most once per launcher run, and only when the settings allow
// it: queues the report unless `sent` is set or `openStatistics` is 0, then sets `sent`.
void ReportStatisticsOnce(StatisticsSender* sender, int openStatistics, bool& sent, int type,
                          const std::string& serverId);
