#pragma once

#include "launcher/update/BackgroundThread_win.h"

// Runs once at a normal start: from Vista on, turns off the system's TCP receive-window
// auto-tuning with a hidden network command, without waiting for it.
class NetworkTuningThread : public BackgroundThread {
 public:
  int run() override;
};

// The command and its arguments, as the thread starts them.
constexpr const char kNetworkTuningProgram[] = "netsh";
constexpr const char kNetworkTuningArguments[] = "interface tcp set global autotuninglevel=disabled";
