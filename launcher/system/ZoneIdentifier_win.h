#pragma once

#include <string>

// Deletes the mark the system attaches to files from the internet. Errors are ignored.
void RemoveZoneIdentifier(const std::string& path);
