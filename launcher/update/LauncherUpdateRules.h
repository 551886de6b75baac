#pragma once

#include <string>

// Compares two texts the way the multibyte C runtime does in code page 936: byte by byte,
// case-sensitive, a double-byte character compared as one value; a lead byte with nothing
// after it counts as the end of the text. Negative, zero or positive like strcmp.
int CompareMultiByteText(const char* a, const char* b);

// True when the list's launcher version sorts after this build's version as text, not as
// a number: "2.7", "3", "2.6.1" and "2.60" are newer than "2.6"; "2.10" and "10" are not.
bool IsNewerLauncherVersion(const std::string& listVersion);

// Whether the `LoginUp` entry of the list asks for a launcher package, and the local name
// of that package. A newer version without a URL, or a URL that names no file, asks for
// nothing: such a transfer could never finish.
bool PlanLauncherUpdate(const std::string& listVersion, const std::string& packageUrl, std::string& packageFileName);
