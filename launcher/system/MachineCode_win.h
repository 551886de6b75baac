#pragma once

#include <string>

// The first network adapter's hardware address as twelve hexadecimal digits; the
// fallback when the list cannot be read; `text` unchanged when there is no list at all.
void GetMachineCode(std::string& text);
