#include "launcher/core/LauncherSettings.h"

void ApplyEmbeddedSettings(const TextLines& lines, LauncherSettings& s) {
  struct TextKey {
    const char* key;
    std::string LauncherSettings::*member;
  };
  static const TextKey kTextKeys[] = {
      {"LoginUrl", &LauncherSettings::LoginUrl},
      {"HomeUrl", &LauncherSettings::HomeUrl},
      {"UpdateListUrl", &LauncherSettings::UpdateListUrl},
      {"ForumUrl", &LauncherSettings::ForumUrl},
      {"ServiceUrl", &LauncherSettings::ServiceUrl},
      {"PayUrl0", &LauncherSettings::PayUrl0},
      {"PayUrl1", &LauncherSettings::PayUrl1},
      {"AntiAddictionUrl", &LauncherSettings::AntiAddictionUrl},
      {"RunDir", &LauncherSettings::RunDir},
      {"Shortcut", &LauncherSettings::Shortcut},
      {"MachineCodeParam", &LauncherSettings::MachineCodeParam},
  };
  for (const TextKey& k : kTextKeys) FindKeyValue(lines, k.key, s.*k.member);

  // The integer keys share one holder on purpose: an absent key takes the value of the
  // nearest present one read before it. That is how OpenStatistics becomes 1 with the
  // shipped text, which names only ForceUseIE.
  struct IntKey {
    const char* key;
    int LauncherSettings::*member;
  };
  static const IntKey kIntKeys[] = {
      {"RunAtCurrent", &LauncherSettings::RunAtCurrent},
      {"ForceUseIE", &LauncherSettings::ForceUseIE},
      {"OpenStatistics", &LauncherSettings::OpenStatistics},
  };
  std::string holder;
  for (const IntKey& k : kIntKeys) {
    FindKeyValue(lines, k.key, holder);
    s.*k.member = ParseDecimalPrefix(holder.c_str());
  }
}
