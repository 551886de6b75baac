#pragma once

#include "launcher/core/KeyValueLines.h"
#include "launcher/core/LauncherSettings.h"

// Resource of the embedded default settings text.
constexpr const char kDataResourceType[] = "DATA";
constexpr int kDefaultSettingsResource = 224;

// Appends the lines of a resource of the launcher's own module; false (no lines) when it
// is missing, empty or cannot be loaded.
bool LoadResourceLines(const char* type, int id, TextLines& lines);

// Embedded defaults first, then the three distribution values from the settings file
// (settings.SettingsFilePath must be set). Never fails: missing data stays empty or 0.
void LoadLauncherSettings(LauncherSettings& settings);

// "App"/"Run" = "1" in the settings file; the profile function creates a missing file.
bool WriteRunMarker(const std::string& settingsFilePath);
