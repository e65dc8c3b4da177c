#pragma once
// A DrawTarget of our own for the tests: pixels on the heap with canary
// pixels before and after them, and a count of every lock and unlock.
#include <cstdint>
#include <cstring>
#include <vector>

#include "display_adapter.h"
#include "draw_target.h"

class MemoryTarget : public DrawTarget {
public:
    static constexpr std::uint32_t canary = 0xA5C3E10Fu;

    // guard: canary pixels on each side; 0 gives an allocation of exactly
    // width*height pixels, so that AddressSanitizer sees any stray access.
    MemoryTarget(int width, int height, std::uint32_t background = 0, int guard = 1024)
        : width_(width), height_(height), guard_(guard),
          storage_(static_cast<std::size_t>(width) * height + 2 * guard, canary) {
        for (int i = 0; i < width * height; ++i) storage_[guard_ + i] = background;
    }

    int copy(DrawTarget& destination) override {
        if (destination.width() != width_ || destination.height() != height_) return 0;
        std::uint32_t* to = destination.lock();
        if (to) std::memcpy(to, pixels(), sizeof(std::uint32_t) * width_ * height_);
        destination.unlock();
        return to ? 1 : 0;
    }
    std::uint32_t* lock() override {
        ++locks;
        return pixels();
    }
    int unlock() override {
        ++unlocks;
        return 1;
    }
    int clear(const ColorValue& color) override {
        const std::uint32_t rgb = color.rgb();
        for (int i = 0; i < width_ * height_; ++i) pixels()[i] = rgb;
        return 1;
    }
    int width() override { return width_; }
    int height() override { return height_; }

    std::uint32_t* pixels() { return storage_.data() + guard_; }
    std::uint32_t& at(int column, int row) { return pixels()[row * width_ + column]; }
    std::vector<std::uint32_t> snapshot() { return {pixels(), pixels() + width_ * height_}; }

    bool guards_intact() const {
        for (int i = 0; i < guard_; ++i)
            if (storage_[i] != canary || storage_[storage_.size() - 1 - i] != canary) return false;
        return true;
    }

    int locks = 0;
    int unlocks = 0;

private:
    int width_, height_, guard_;
    std::vector<std::uint32_t> storage_;
};
