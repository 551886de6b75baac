#pragma once

#include <string>

// Given when the adapter list exists but cannot be read.
constexpr const char kMachineCodeFallback[] = "000000000000";

// The first six bytes of a hardware address as twelve upper-case hexadecimal digits.
std::string FormatMachineCode(const unsigned char (&address)[6]);
