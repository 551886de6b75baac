#pragma once

#include <cstddef>
#include <string>

// Fixed limits of extraction. Name buffers count their terminator; a destination (and the
// temporary file written beside it) holds at most kDestinationMaxBytes bytes before it.
constexpr std::size_t kItemNameUnits = 260;
constexpr std::size_t kItemNameBytes = 260;
constexpr std::size_t kDestinationMaxBytes = 260;

// Whether a byte opens a double-byte character in the ANSI code page. In code page 936 a
// trail byte can be 0x5C or 0x7C, so byte-wise tests for "\" or "|" would split characters.
using LeadByteTest = bool (*)(unsigned char);

// Stored names use "/" between parts; "/" is never a trail byte in any ANSI code page.
void ReplaceForwardSlashes(std::string& name);

// True when an item name (ANSI, backslash-separated) can only name something inside the
// folder it is placed in and is a plain file-system name: not empty, not absolute, no ":"
// (drive letters, streams), no characters Windows refuses in names (among them the code
// page's default character "?"), every part a real name (not empty, not made of dots and
// spaces only such as ".."), and no part that opens a device (CON, NUL, COM1...).
bool IsSafeItemName(const std::string& name, LeadByteTest isLeadByte);

// targetDirectory + "\" (unless it already ends with one) + name, plus "\" for a directory
// item; ".\" + name without a target. False when the result exceeds kDestinationMaxBytes.
bool BuildItemDestination(const char* targetDirectory, const std::string& name, bool isDirectory,
                          LeadByteTest isLeadByte, std::string& destination);

// A file name in the destination's own folder ("~" + eight hex digits of serial + ".tmp"),
// so that moving it over the destination is a rename. False when it exceeds the limit.
bool TemporaryPathBeside(const std::string& destination, unsigned serial, LeadByteTest isLeadByte,
                         std::string& temporary);
