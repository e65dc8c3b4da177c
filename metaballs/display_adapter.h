#pragma once
// Thin objects over the ptc framebuffer library: each operation is one
// library call with the object's handle; an object passed as an argument is
// passed as its handle. Results are handed back unchanged.
#include <cstdint>

#include "draw_target.h"

struct ptc_format;
struct ptc_target;
struct ptc_color;

class PixelFormat {
public:
    PixelFormat(int bits, std::uint32_t red_mask, std::uint32_t green_mask, std::uint32_t blue_mask,
                std::uint32_t alpha_mask);
    ~PixelFormat();
    PixelFormat(const PixelFormat&) = delete;
    PixelFormat& operator=(const PixelFormat&) = delete;
    const ptc_format* handle() const { return handle_; }

private:
    ptc_format* handle_;
};

class ColorValue {
public:
    ColorValue(float red, float green, float blue, float alpha);
    ~ColorValue();
    ColorValue(const ColorValue&) = delete;
    ColorValue& operator=(const ColorValue&) = delete;
    const ptc_color* handle() const { return handle_; }
    // The colour as a 0x00RRGGBB pixel, for targets of our own.
    std::uint32_t rgb() const;

private:
    ptc_color* handle_;
};

// The DrawTarget operations of every library object.
class LibraryTarget : public DrawTarget {
public:
    ~LibraryTarget() override;
    LibraryTarget(const LibraryTarget&) = delete;
    LibraryTarget& operator=(const LibraryTarget&) = delete;

    int copy(DrawTarget& destination) override;
    std::uint32_t* lock() override;
    int unlock() override;
    int clear(const ColorValue& color) override;
    int width() override;
    int height() override;
    const LibraryTarget* library_object() const override { return this; }

protected:
    explicit LibraryTarget(ptc_target* handle) : handle_(handle) {}
    ptc_target* handle_;
};

// A window; releasing the object closes it.
class DisplayWindow : public LibraryTarget {
public:
    DisplayWindow();
    int open(const char* title, int width, int height, const PixelFormat& format, int pages);
    // Shows the pixels; 1 while the window is open, 0 once the user has
    // asked to close it.
    int update();
    // Answers the window's events for up to `ms` without new pixels (see
    // ptc_window_rest); as update returns.
    int rest(int ms);
    // Hands each key press the window takes in to `on_key` (see
    // ptc_window_keys).
    void watch_keys(void (*on_key)(void* context, unsigned key, int repeat), void* context);
};

class OffscreenSurface : public LibraryTarget {
public:
    OffscreenSurface(int width, int height, const PixelFormat& format);
};
