#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Key-and-value lines as the embedded settings text and the version table use them.
// Text is bytes in the ANSI code page 936 (GBK).
using TextLines = std::vector<std::string>;

// Appends the lines of a text: CR, LF and NUL end a line; empty lines are dropped.
void AppendTextLines(const char* data, std::size_t size, TextLines& lines);

// Splits at the first "=" into a trimmed key and value; false without "=" or with "=" first.
bool SplitKeyValue(const std::string& line, std::string& key, std::string& value);

// First line whose key equals `key` without regard to case wins; a miss leaves `value` alone.
bool FindKeyValue(const TextLines& lines, const std::string& key, std::string& value);

// Case-insensitive comparison that steps over double-byte characters whole, so a trail
// byte that happens to be a letter is never folded.
bool EqualsIgnoreCaseMultiByte(const std::string& a, const std::string& b);

// Lead byte of a double-byte character in code page 936.
bool IsLeadByte936(unsigned char c);

// Decimal value of a text the way atoi reads it: leading blanks, optional sign, digits
// up to the first non-digit; no digits gives 0. Saturates instead of overflowing.
int ParseDecimalPrefix(const char* text);
