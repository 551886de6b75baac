#pragma once

// The named shared block the game client reads its login values from.
constexpr const char kClientLaunchBlockName[] = "A4965LOV";
constexpr unsigned kClientLaunchBlockSize = 1004;

// View of the whole block (created, or opened when it exists); null on failure.
unsigned char* MapClientLaunchBlock();
void UnmapClientLaunchBlock(unsigned char* view);
