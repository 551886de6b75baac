#include "launcher/update/UpdateListRules.h"

namespace {

constexpr char kDefaultGroup[] = "All";

int NumberOf(const std::string& text) { return ParseDecimalPrefix(text.c_str()); }

}  // namespace

bool ServerIdMatchesKey(const std::string& key, const std::string& serverId) {
  if (key.empty() || serverId.empty() || serverId[0] != 's') return false;
  std::size_t dots = key.find("..");
  if (dots == std::string::npos || dots == 0) return EqualsIgnoreCaseMultiByte(key, serverId);

  std::string low, high;
  if (key[0] == 's' && dots + 2 < key.size() && key[dots + 2] == 's') {
    low = key.substr(1, dots - 1);
    high = key.substr(dots + 3);
  } else {
    low = key.substr(0, dots);
    high = key.substr(dots + 2);
  }
  int lowNumber = NumberOf(low);
  int highNumber = NumberOf(high);
  int server = NumberOf(serverId.substr(1));
  return lowNumber > 0 && highNumber > 0 && server > 0 && lowNumber <= server && server <= highNumber;
}

std::string SelectVersionGroup(const TextLines& versionsLines, const std::string& serverId) {
  for (const std::string& line : versionsLines) {
    std::string key, value;
    if (line.empty() || !SplitKeyValue(line, key, value)) continue;
    if (ServerIdMatchesKey(key, serverId)) return value;
  }
  return kDefaultGroup;
}

bool SplitStage0Entry(const std::string& value, Stage0Entry& entry) {
  std::size_t first = value.find('|');
  std::size_t last = value.rfind('|');
  if (first == std::string::npos || first == last) return false;
  entry.version = value.substr(0, first);
  entry.url = value.substr(first + 1, last - first - 1);
  entry.size = NumberOf(value.substr(last + 1));
  return true;
}

bool SplitDeleteEntry(const std::string& value, DeleteEntry& entry) {
  std::size_t bar = value.find('|');
  if (bar == std::string::npos) return false;
  entry.tag = value.substr(0, bar);
  entry.path = value.substr(bar + 1);
  return true;
}

bool UrlFileName(const std::string& url, std::string& name) {
  if (url.find("http://") != 0 && url.find("ftp://") != 0) return false;
  name = url.substr(url.rfind('/') + 1);
  return true;
}

std::string Stage0SectionName(const std::string& group) { return "Stage0_" + group; }

std::string DeleteSectionName(const std::string& group) { return "Delete_" + group; }
