#pragma once

#include <cstdint>

// The two questions the launcher asks of the system version, answered from the value
// GetVersion returns (major in the low byte, minor in the next).
// windows7 false: Vista or later (major >= 6); true: Windows 7 or later (6.x with x != 0).
bool VersionAtLeast(std::uint32_t getVersionResult, bool windows7);
