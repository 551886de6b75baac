#pragma once

#include <string>

#include "launcher/core/KeyValueLines.h"

// The launcher's configuration. Addresses, folder names and switches come only from the
// embedded default text; the settings file beside the program supplies only the three
// distribution values. Text is ANSI (code page 936).
struct LauncherSettings {
  std::string UpdateListUrl;
  std::string LoginUrl;
  std::string ForumUrl;
  std::string ServiceUrl;
  std::string PayUrl0;
  std::string PayUrl1;
  std::string HomeUrl;
  std::string AntiAddictionUrl;
  std::string RunDir;
  std::string Shortcut;
  std::string SettingsFilePath;
  std::string Channel;
  std::string pos;
  std::string PartnerQuery;
  std::string MachineCodeParam;
  int RunAtCurrent = 0;
  int OpenStatistics = 0;
  int ForceUseIE = 0;
  // Each usage event is reported at most once per run.
  bool UpdateStatSent = false;
  bool ClientStartStatSent = false;
};

// Longest distribution value kept from the settings file.
constexpr int kSettingsFileValueLimit = 254;
constexpr const char kSettingsSection[] = "App";

// Fills the members that the embedded default text supplies.
void ApplyEmbeddedSettings(const TextLines& lines, LauncherSettings& settings);
