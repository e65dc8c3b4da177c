#pragma once
// Helpers shared by the effects tests: frames with guard regions, pixel
// access, frame hashes and ink bounding boxes.
#include <cstdint>
#include <string>
#include <vector>

#include "frame.h"

// A 320x200 frame with a guard region of canary pixels on each side; no
// primitive ever writes a pixel with a nonzero top byte, so a changed guard
// pixel means a write outside the frame.
class GuardedFrame {
public:
    static constexpr std::size_t guard_pixels = 4096;
    static constexpr std::uint32_t canary = 0xA5C3E1F0u;

    explicit GuardedFrame(std::uint32_t fill = 0)
        : storage_(guard_pixels + frame_pixels + guard_pixels, canary) {
        std::fill(pixels(), pixels() + frame_pixels, fill);
    }
    std::uint32_t* pixels() { return storage_.data() + guard_pixels; }
    const std::uint32_t* pixels() const { return storage_.data() + guard_pixels; }
    Canvas canvas() { return frame_canvas(pixels()); }
    std::uint32_t at(int x, int y) const { return pixels()[y * frame_width + x]; }
    bool guards_intact() const;

private:
    std::vector<std::uint32_t> storage_;
};

inline std::uint32_t pixel_at(const std::uint32_t* frame, int x, int y) { return frame[y * frame_width + x]; }

// FNV-1a over the pixel values, four bytes each, low byte first: the same on
// every build whatever its byte order.
std::uint64_t frame_hash(const std::uint32_t* frame);

// The smallest rectangle holding every pixel that differs between two frames;
// empty (x0 > x1) when they are equal.
struct Box {
    int x0, y0, x1, y1;
    bool empty() const { return x0 > x1; }
};
Box changed_box(const std::uint32_t* before, const std::uint32_t* after);
