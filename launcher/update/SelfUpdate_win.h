#pragma once

// Second stage of a self-update: ends the old launcher and copies this build over it.
// True when the old launcher was replaced and this process is to start it and end.
bool CompleteSelfUpdate();
