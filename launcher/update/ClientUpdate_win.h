#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "launcher/update/ClientUpdatePlan.h"
#include "launcher/update/DownloadItem.h"

class DownloadQueue;

// The window side of a client update check and of each finished client package. The
// window keeps the order: plan, deletions, packages, the question, the layout, the start.

constexpr int kPhaseClientPackages = 3;

// The section name handed to the game client for a version group: "Stage1_<group>".
std::string Stage1SectionOf(const std::string& group);

// Reads the group's `Delete_` and `Stage0_` entries of the list and the record's tags for
// them, and decides what to do.
ClientUpdatePlan ReadClientUpdatePlan(const std::string& updateListPath, const std::string& localRecordPath,
                                      const std::string& group);

// Deletes each planned file under the launcher's folder and records its tag, whether or
// not the file was there to delete.
void ApplyDeletions(const ClientUpdatePlan& plan, const std::string& launcherDirectory,
                    const std::string& localRecordPath);

// Adds the planned packages to the (stopped) queue as client-package items; the indices the
// queue gave, in queue order. Packages the queue refuses (beyond its 80 items) are left for
// a later check.
std::vector<int> QueueClientPackages(DownloadQueue& queue, const ClientUpdatePlan& plan,
                                     const std::string& launcherDirectory);

// The multi-client question: true when no other game client runs, or when the player
// answered OK (the other clients are then ended); false when the update is to be skipped.
bool AgreeToCloseOtherClients();

// A finished client package: unpack it into the launcher's folder, delete it and record
// its entry. False when it could not be unpacked (the archive stays, nothing is recorded).
bool FinishClientPackage(const DownloadItem& item, const std::string& launcherDirectory,
                         const std::string& localRecordPath);
