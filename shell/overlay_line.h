#pragma once
// The player's overlay line, written once for every display: the native
// players draw it on the presented picture, the page on its canvas.
#include <cstddef>
#include <cstdint>
#include <string>

#include "show_time.h"

// The line of `program` at shown time `shown`: the shown ms and its tick,
// "||" while paused, the speed, the A-B marks that are set, the frames per
// second and the ms per frame, e.g.
// "splines2 287999 t17999 ||1/4x A280000 B284000 60fps 16.7ms".
// Longer than `cells` characters, it loses the rate first, then the marks'
// times (their letters stay), then whole fields from its end.
std::string overlay_line(const char* program, std::uint32_t shown, const ShowTime& time, int frames_per_second,
                         std::size_t cells = std::string::npos);
