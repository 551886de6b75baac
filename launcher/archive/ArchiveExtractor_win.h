#pragma once

// Unpacks the 7z archive at archivePath below targetDirectory (created as needed; with or
// without a trailing "\"; absent means the current folder). Items go in archive order; the
// first failure ends the run with false and leaves the items extracted before it. A file is
// written under a temporary name beside its destination and only then moved over it; an item
// whose name would lead outside the target fails the run before anything is written for it.
bool ExtractArchive(const char* archivePath, const char* targetDirectory);
