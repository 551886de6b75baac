#pragma once

#include <string>

#include "launcher/core/KeyValueLines.h"

// Rules of the update list that need no platform: which version group a server belongs
// to, how the numbered entries split, and how a package URL names its local file.

// True when a `Versions` key selects the server: an exact name ("s15", any case) or a
// range ("s10..s20" or "10..20"). Server ids that do not begin with a lowercase "s" match
// nothing.
bool ServerIdMatchesKey(const std::string& key, const std::string& serverId);

// The group of the first `Versions` line whose key matches; "All" when none does or the
// section is empty. An empty value is an empty group name.
std::string SelectVersionGroup(const TextLines& versionsLines, const std::string& serverId);

// A `Stage0_<group>` value "<version>|<url>|<size>": the first "|" ends the tag, the last
// starts the size, and the URL in between may itself hold "|". False with fewer than two.
struct Stage0Entry {
  std::string version;
  std::string url;
  int size = 0;
};
bool SplitStage0Entry(const std::string& value, Stage0Entry& entry);

// A `Delete_<group>` value "<tag>|<path>", split at the first "|". False without one.
struct DeleteEntry {
  std::string tag;
  std::string path;
};
bool SplitDeleteEntry(const std::string& value, DeleteEntry& entry);

// The local name of a package: everything after the last "/" of a URL that begins with
// "http://" or "ftp://" (exact case). Any other URL gives false and leaves `name` alone.
bool UrlFileName(const std::string& url, std::string& name);

// Where the list and the local record live.
constexpr char kUpdateListFileName[] = "tarnUpdateList.ini";        // in the temporary folder
constexpr char kLocalRecordRelativePath[] = "ExpData\\Updata.ini";  // in the launcher's folder

// Section names of the list and the record.
std::string Stage0SectionName(const std::string& group);
std::string DeleteSectionName(const std::string& group);
constexpr char kLauncherSection[] = "LoginUp";
constexpr char kVersionsSection[] = "Versions";
constexpr char kStage0RecordSection[] = "Stage0";
constexpr char kDeleteRecordSection[] = "Delete";
