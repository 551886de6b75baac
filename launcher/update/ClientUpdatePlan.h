#pragma once

#include <string>
#include <vector>

// What one client update check does, decided from the list's `Delete_<group>` and
// `Stage0_<group>` values (read in order "0", "1", ...) and the tags the local record holds
// for the same numbers. Tags are compared byte-wise and case-sensitively: any difference
// means the entry has not been applied.

struct PlannedDeletion {
  int number;        // the entry's key, also its key in the record's `Delete` section
  std::string tag;   // written to the record once the file is deleted
  std::string path;  // relative to the launcher's folder, never leaving it
};

struct PlannedPackage {
  int number;
  std::string url;
  std::string fileName;  // the package's local name, in the launcher's folder
  int size;              // as the list declares it
  std::string note;      // "n=version": what the record gets once the package is unpacked
};

struct ClientUpdatePlan {
  std::vector<PlannedDeletion> deletions;
  std::vector<PlannedPackage> packages;
};

// `recordedDeleteTags[n]` and `recordedStage0Tags[n]` are the record's tags for entry n
// (empty when missing; shorter vectors mean missing). Entries the launcher cannot apply
// safely are left out: a deletion path that would leave the launcher's folder (absolute,
// with a drive, a ".." part), a package whose URL names no local file.
ClientUpdatePlan PlanClientUpdate(const std::vector<std::string>& deleteValues,
                                  const std::vector<std::string>& recordedDeleteTags,
                                  const std::vector<std::string>& stage0Values,
                                  const std::vector<std::string>& recordedStage0Tags);

// True when a relative path from the list can only name a file inside the launcher's folder.
bool StaysInsideFolder(const std::string& relativePath);

// The local name of a package: `UrlFileName`'s, when it names a file inside the launcher's
// folder. False for a URL that does not begin with "http://" or "ftp://", that ends with
// "/", or whose last part is no plain file name.
bool PackageFileName(const std::string& url, std::string& fileName);

// "n=version" of a queued package.
std::string PackageNote(int number, const std::string& version);
// Splits a note at its first "="; false when there is none or it comes first.
bool SplitPackageNote(const std::string& note, std::string& key, std::string& value);
