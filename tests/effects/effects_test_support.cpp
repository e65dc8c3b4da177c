#include "effects_test_support.h"

#include "golden.h"

#include <algorithm>

bool GuardedFrame::guards_intact() const {
    auto is_canary = [](std::uint32_t p) { return p == canary; };
    return std::all_of(storage_.begin(), storage_.begin() + guard_pixels, is_canary) &&
           std::all_of(storage_.end() - guard_pixels, storage_.end(), is_canary);
}

std::uint64_t frame_hash(const std::uint32_t* frame) { return pixels_hash(frame, frame_pixels); }

Box changed_box(const std::uint32_t* before, const std::uint32_t* after) {
    Box box{frame_width, frame_height, -1, -1};
    for (int y = 0; y < frame_height; ++y)
        for (int x = 0; x < frame_width; ++x)
            if (pixel_at(before, x, y) != pixel_at(after, x, y)) {
                box.x0 = std::min(box.x0, x);
                box.y0 = std::min(box.y0, y);
                box.x1 = std::max(box.x1, x);
                box.y1 = std::max(box.y1, y);
            }
    return box;
}
