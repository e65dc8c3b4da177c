#pragma once
// PNG files of frames (native build, libpng).
#include <cstdint>
#include <string>

#include "safe_file.h"

// Writes 0x00RRGGBB pixels as an 8-bit RGB PNG, safely (see safe_file.h:
// a regular file is replaced only when the new one is whole; a device or
// FIFO gets the bytes in place; with Existing::keep nothing already under
// `path` is replaced). On failure returns false and says why in `error`; no
// partial file is left under `path`.
bool write_png_rgb(const std::string& path, const std::uint32_t* pixels, int width, int height,
                   std::string& error, Existing existing = Existing::replace);
