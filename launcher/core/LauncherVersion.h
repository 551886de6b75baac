#pragma once

// Shown in the version label, compared with the update list, sent with statistics
// and written into the client's launch block. Compared as text, never as a number.
constexpr const char kLauncherVersion[] = "2.6";
