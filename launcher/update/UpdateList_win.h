#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "launcher/update/DownloadItem.h"
#include "launcher/update/UpdateListRules.h"

class DownloadQueue;

// The update list and the local record, read and written only through the profile-file
// functions, so their rules for sections, keys, comments and blanks apply.

// The temporary folder + "tarnUpdateList.ini"; the launcher's folder + "ExpData\Updata.ini".
bool GetUpdateListPath(std::string& path);
bool GetLocalRecordPath(std::string& path);

// One value (at most 1023 bytes); empty when the key is missing.
std::string ReadListValue(const std::string& file, const char* section, const std::string& key);
// Values of a numbered section "0", "1", ...: the list ends at the first missing or
// empty key, so entries after a gap are never seen.
std::vector<std::string> ReadNumberedValues(const std::string& file, const std::string& section);
// The group of the server in the list's `Versions` section; "All" when none is named.
std::string SelectVersionGroup(const std::string& updateListPath, const std::string& serverId);

// The tag recorded for entry `number` of a record section; empty when none is.
std::string ReadRecordedTag(const std::string& recordPath, const char* section, int number);
bool WriteRecordedTag(const std::string& recordPath, const char* section, int number, const std::string& tag);

// The window side of the update-list fetch, the body of LauncherWindow's
// DownloadUpdateList: traces, phase 1, then the list alone in a new batch (any earlier
// batch is discarded).
constexpr int kPhaseUpdateList = 1;
void StartUpdateListDownload(DownloadQueue& queue, const std::string& updateListUrl, const std::string& updateListPath,
                             int& updatePhase);
// UM_ITEM_DONE for the list's item (the window first ignores every item while its queue
// IsStopping()): a fetched list makes the launcher check its own
// version (UM_RUN_UPDATE, wParam 0) and marks the list ready. A failed fetch changes
// nothing: an earlier list of this run stays in use. True when this item brought a list.
bool OnUpdateListDone(HWND window, const DownloadItem& item, bool& updateListReady);
