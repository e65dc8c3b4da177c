#pragma once
// What a golden-frame test does beyond comparing hashes, per build.
#include <cstdint>
#include <string>
#include <vector>

// True when FENNICK_GOLDEN_UPDATE is set: print the hashes instead of
// checking them.
bool golden_update_requested();

// Keeps a frame that failed its hash so that it can be looked at; returns a note on where
// it went (empty when the build cannot write images).
std::string save_failed_frame(std::uint32_t clock_ms, const std::vector<std::uint32_t>& pixels, int width,
                              int height);
