#pragma once
// Golden frames, one harness for every test of whole frames. A frame is
// checked by the 64-bit FNV-1a hash of its pixels' bytes, low byte first,
// which is the same on every build whatever its byte order. Its picture is
// kept in tests/golden/NAME.png for people to look at.
//
//   PACK_GOLDEN_UPDATE=1  prints each frame's hash line instead of checking,
//                         and (natively) writes its picture into tests/golden/
//   a hash that differs   writes the frame as golden-failures/NAME-actual and,
//                         where the build reads PNG, NAME-diff.png: the kept
//                         picture dimmed, every differing pixel red
#include <cstddef>
#include <cstdint>
#include <string>

std::uint64_t pixels_hash(const std::uint32_t* pixels, std::size_t count);

// Checks (or, in update mode, records) the width x height frame `pixels`
// named `name` against `expected`; a mismatch is a GoogleTest failure that
// says where the pictures went. `what` tells a person what the frame shows.
void check_golden(const std::string& name, const std::uint32_t* pixels, int width, int height,
                  std::uint64_t expected, const std::string& what);

// Per build (golden_pictures_*.cpp): writes the frame where a person can
// look at it; reads a kept picture back (false where the build cannot).
// Each returns an empty string when done, else why not.
std::string save_picture(const std::string& path_without_extension, const std::uint32_t* pixels, int width,
                         int height, std::string& written_path);
bool read_picture(const std::string& path, std::uint32_t* pixels, int width, int height);
