#pragma once
// Scaling a frame up for capture: whole factors with nearest neighbour, so
// every frame pixel stays a sharp block, then (for frames that are not 4:3,
// such as 320x200) a vertical stretch with linear filtering to the 4:3
// picture that the monitors of the time showed, pixels 1.2 times taller.
#include <cstdint>

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
