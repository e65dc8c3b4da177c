#pragma once
// The frame buffer the fullscreen scenes draw into: 320x200 pixels of
// 0x00RRGGBB, row-major, 320 pixels per row with no gap.
#include <cstdint>

#include "canvas.h"
#include "rgb.h"

constexpr int frame_width = 320;
constexpr int frame_height = 200;
constexpr int frame_pixels = frame_width * frame_height;

// The canvas of a frame buffer.
inline Canvas frame_canvas(std::uint32_t* frame) { return packed_canvas(frame, frame_width, frame_height); }
