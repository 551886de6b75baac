#include "launcher/core/LauncherSettings_win.h"

#include <windows.h>

#include "winlib/Module_win.h"
#include "winlib/Resource_win.h"

bool LoadResourceLines(const char* type, int id, TextLines& lines) {
  winlib::ResourceBytes resource;
  if (!winlib::FindResourceBytes(winlib::AppModule::Instance(), id, type, resource)) return false;
  AppendTextLines(reinterpret_cast<const char*>(resource.data), resource.size, lines);
  return true;
}

namespace {

std::string ReadSettingsFileValue(const std::string& path, const char* key) {
  char buffer[256] = {};
  ::GetPrivateProfileStringA(kSettingsSection, key, "", buffer, kSettingsFileValueLimit + 1, path.c_str());
  return buffer;
}

}  // namespace

void LoadLauncherSettings(LauncherSettings& settings) {
  TextLines lines;
  LoadResourceLines(kDataResourceType, kDefaultSettingsResource, lines);
  ApplyEmbeddedSettings(lines, settings);
  settings.Channel = ReadSettingsFileValue(settings.SettingsFilePath, "Channel");
  settings.PartnerQuery = ReadSettingsFileValue(settings.SettingsFilePath, "78zen");
  settings.pos = ReadSettingsFileValue(settings.SettingsFilePath, "pos");
}

bool WriteRunMarker(const std::string& settingsFilePath) {
  return ::WritePrivateProfileStringA(kSettingsSection, "Run", "1", settingsFilePath.c_str()) != FALSE;
}
