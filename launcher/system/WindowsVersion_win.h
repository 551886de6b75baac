#pragma once

// false: Vista or later; true: Windows 7 or later.
bool IsWindowsVersionAtLeast(bool windows7);
