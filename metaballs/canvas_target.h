#pragma once
// A DrawTarget over a Canvas of our own (still frames, captures, the page,
// tests): the demo's frame drawn without the framebuffer library's surfaces.
// Locking hands out the canvas's pixels, which the target does not own.
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "canvas.h"
#include "display_adapter.h"
#include "draw_target.h"

class CanvasTarget : public DrawTarget {
public:
    explicit CanvasTarget(const Canvas& canvas) : canvas_(canvas) {}

    // Row by row, into a target of the same size.
    int copy(DrawTarget& destination) override {
        if (destination.width() != canvas_.width || destination.height() != canvas_.height) return 0;
        std::uint32_t* to = destination.lock();
        if (to)
            for (int y = 0; y < canvas_.height; ++y)
                std::memcpy(to + static_cast<std::size_t>(y) * canvas_.width, canvas_.row(y),
                            sizeof(std::uint32_t) * canvas_.width);
        destination.unlock();
        return to ? 1 : 0;
    }
    // Rows without a gap only: a canvas with a longer stride cannot be locked.
    std::uint32_t* lock() override { return canvas_.stride == canvas_.width ? canvas_.pixels : nullptr; }
    int unlock() override { return 1; }
    int clear(const ColorValue& color) override {
        const std::uint32_t rgb = color.rgb();
        for (int y = 0; y < canvas_.height; ++y) std::fill(canvas_.row(y), canvas_.row(y) + canvas_.width, rgb);
        return 1;
    }
    int width() override { return canvas_.width; }
    int height() override { return canvas_.height; }

private:
    Canvas canvas_;
};
