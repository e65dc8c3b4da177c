// Win32 build: only the hash is reported.
#include <cstdlib>

#include "golden_output.h"

bool golden_update_requested() { return std::getenv("FENNICK_GOLDEN_UPDATE") != nullptr; }

std::string save_failed_frame(std::uint32_t, const std::vector<std::uint32_t>&, int, int) { return ""; }
