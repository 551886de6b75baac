#pragma once

#include <string>
#include <vector>

// File name under which a freshly unpacked launcher build runs its second update stage.
constexpr const char kSelfUpdateFileName[] = "RidaVadoz.new";

// ASCII case-insensitive equality, as the launcher compares names and switches.
bool EqualsIgnoreAsciiCase(const std::string& a, const std::string& b);

// True when the process is the second stage of a self-update: exactly one argument and
// the program's own file name (with extension) is the self-update name.
bool IsSelfUpdateStage(const std::vector<std::string>& arguments, const std::string& ownFileName);

// True for exactly the two arguments "-url" (any case) and an address.
bool HasUrlOverride(const std::vector<std::string>& arguments);
