#include "launcher/core/KeyValueLines.h"

#include <climits>

namespace {

bool IsBlank(unsigned char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

unsigned char FoldAscii(unsigned char c) { return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + 32) : c; }

// Trims blanks at both ends, stepping over double-byte characters whole.
std::string TrimBlanks(const std::string& s) {
  std::size_t begin = 0;
  while (begin < s.size() && IsBlank(static_cast<unsigned char>(s[begin]))) ++begin;
  std::size_t end = begin;  // one past the last non-blank character
  for (std::size_t i = begin; i < s.size();) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    std::size_t width = (IsLeadByte936(c) && i + 1 < s.size()) ? 2 : 1;
    if (width == 2 || !IsBlank(c)) end = i + width;
    i += width;
  }
  return s.substr(begin, end - begin);
}

}  // namespace

bool IsLeadByte936(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

void AppendTextLines(const char* data, std::size_t size, TextLines& lines) {
  std::string current;
  for (std::size_t i = 0; i < size; ++i) {
    char c = data[i];
    if (c == '\r' || c == '\n' || c == '\0') {
      if (!current.empty()) lines.push_back(current);
      current.clear();
    } else {
      current.push_back(c);
    }
  }
  if (!current.empty()) lines.push_back(current);
}

bool SplitKeyValue(const std::string& line, std::string& key, std::string& value) {
  std::size_t eq = line.find('=');
  if (eq == std::string::npos || eq == 0) return false;
  key = TrimBlanks(line.substr(0, eq));
  value = TrimBlanks(line.substr(eq + 1));
  return true;
}

bool EqualsIgnoreCaseMultiByte(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size();) {
    unsigned char ca = static_cast<unsigned char>(a[i]);
    unsigned char cb = static_cast<unsigned char>(b[i]);
    if (IsLeadByte936(ca) && i + 1 < a.size()) {
      if (ca != cb || a[i + 1] != b[i + 1]) return false;
      i += 2;
      continue;
    }
    if (FoldAscii(ca) != FoldAscii(cb)) return false;
    ++i;
  }
  return true;
}

bool FindKeyValue(const TextLines& lines, const std::string& key, std::string& value) {
  for (const std::string& line : lines) {
    std::string k, v;
    if (SplitKeyValue(line, k, v) && EqualsIgnoreCaseMultiByte(k, key)) {
      value = v;
      return true;
    }
  }
  return false;
}

int ParseDecimalPrefix(const char* text) {
  if (text == nullptr) return 0;
  const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
  while (IsBlank(*p)) ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = (*p++ == '-');
  long long value = 0;
  while (*p >= '0' && *p <= '9') {
    value = value * 10 + (*p++ - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}
