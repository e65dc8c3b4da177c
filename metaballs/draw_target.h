#pragma once
// What the demo draws on: the window and the off-screen surface of the
// display adapter, and any target of our own (tests, headless export).
#include <cstdint>

class ColorValue;
class LibraryTarget;

class DrawTarget {
public:
    virtual ~DrawTarget() = default;
    // Copies every pixel to `destination` (same size and format); 1 on success.
    virtual int copy(DrawTarget& destination) = 0;
    // The first 32-bit pixel; rows of exactly width() pixels follow one
    // another without a gap. Null when the target cannot be locked.
    virtual std::uint32_t* lock() = 0;
    virtual int unlock() = 0;
    virtual int clear(const ColorValue& color) = 0;
    virtual int width() = 0;
    virtual int height() = 0;
    // The target as one of the framebuffer library's objects; null for any
    // other target.
    virtual const LibraryTarget* library_object() const { return nullptr; }
};
