#pragma once
// Scaling a frame up for capture: whole factors with nearest neighbour, so
// every frame pixel stays a sharp block, then (for frames that are not 4:3,
// such as 320x200) a vertical stretch with linear filtering to the 4:3
// picture that the monitors of the time showed, pixels 1.2 times taller.
#include <cstdint>
#include <vector>

struct PictureSize {
    int width;
    int height;
};

// Output size for a width x height frame at whole factor `scale`.
// square_pixels: exactly (width*scale, height*scale); otherwise the height
// becomes width*scale*3/4 when the frame is not already 4:3.
PictureSize scaled_picture_size(int width, int height, int scale, bool square_pixels);

// Scales `source` (width x height, 0x00RRGGBB) into `target`, which holds
// scaled_picture_size(...) pixels. Rows of the stretched picture mix the two
// nearest rows of the block-scaled frame by their distance, in 16-bit fixed
// point rounded to nearest: the same bytes on every machine.
void scale_picture(const std::uint32_t* source, int width, int height, int scale, bool square_pixels,
                   std::uint32_t* target);

// Where a frame goes on a screen or window of out_width x out_height:
// the largest picture of the frame's 4:3 shape (or, with square pixels, of the
// frame's own shape at a whole factor) that fits, centred, the rest left as
// bars. `scale` is the whole factor applied with nearest neighbour first
// (at least 1); the picture then stretches the block-scaled frame to w x h
// with linear filtering, a factor below 2 on either axis.
struct PictureRect {
    int x, y, w, h;
    int scale;
};
PictureRect fit_picture(int out_width, int out_height, int frame_width, int frame_height, bool square_pixels);

// Draws `source` (frame_width x frame_height) as the picture `rect` of
// fit_picture: every frame pixel becomes a rect.scale x rect.scale block, and
// the block-scaled frame is then stretched to rect.w x rect.h with linear
// filtering in 16.16 fixed point (each output pixel's centre mapped into the
// block picture, mixing its two nearest block columns, then rows, rounded to
// nearest). Writes rect.w x rect.h pixels into `target`, `target_stride`
// pixels apart; bars are not touched.
struct PictureScratch {  // kept by the caller between frames: no allocation once sized
    std::vector<int> columns;          // per output column: frame columns and weight
    std::vector<std::uint32_t> rows;   // two frame rows filtered across
};
void draw_picture(const std::uint32_t* source, int frame_width, int frame_height, const PictureRect& rect,
                  std::uint32_t* target, int target_stride, PictureScratch& scratch);
