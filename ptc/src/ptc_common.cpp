// The platform-independent part of ptc: formats, colours, off-screen
// surfaces and the pixel operations shared by every target.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

#include "ptc_internal.h"

namespace {

char last_error[256] = "";

constexpr int largest_side = 32767;

bool is_byte_mask(std::uint32_t mask) {
    return mask == 0 || mask == 0xFFu || mask == 0xFF00u || mask == 0xFF0000u || mask == 0xFF000000u;
}

int mask_shift(std::uint32_t mask) {
    int shift = 0;
    while (mask != 0 && (mask & 1u) == 0) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

bool same_format(const ptc_format& a, const ptc_format& b) {
    return std::memcmp(a.masks, b.masks, sizeof a.masks) == 0;
}

// Allocates the zeroed pixels of a width x height target.
bool allocate_pixels(ptc_target* target, int width, int height) {
    if (width < 1 || height < 1 || width > largest_side || height > largest_side)
        return ptc_fail("size out of range (1 to 32767 pixels per side)");
    auto* pixels = static_cast<std::uint32_t*>(std::calloc(static_cast<std::size_t>(width) * height, 4));
    if (!pixels) return ptc_fail("out of memory");
    target->pixels = pixels;
    target->width = width;
    target->height = height;
    return 1;
}

// A target that may be drawn on: it has pixels and is not locked.
bool ready(const ptc_target* target) { return target && target->pixels && !target->locked; }

}  // namespace

int ptc_fail(const char* reason) {
    std::strncpy(last_error, reason, sizeof last_error - 1);  // the last byte stays the end
    return 0;
}

extern "C" {

int ptc_clear_error(void) {
    const int had_error = last_error[0] != '\0';
    last_error[0] = '\0';
    return had_error;
}

const char* ptc_error_text(void) { return last_error; }

ptc_format* ptc_format_create(int bits, uint32_t red_mask, uint32_t green_mask, uint32_t blue_mask,
                              uint32_t alpha_mask) {
    const std::uint32_t masks[4] = {red_mask, green_mask, blue_mask, alpha_mask};
    if (bits != 32) {
        ptc_fail("only 32-bit pixel formats are supported");
        return nullptr;
    }
    std::uint32_t seen = 0;
    for (std::uint32_t mask : masks) {
        if (!is_byte_mask(mask) || (seen & mask) != 0) {
            ptc_fail("each mask must be one whole byte of its own");
            return nullptr;
        }
        seen |= mask;
    }
    auto* format = new (std::nothrow) ptc_format;
    if (!format) {
        ptc_fail("out of memory");
        return nullptr;
    }
    std::memcpy(format->masks, masks, sizeof masks);
    return format;
}

void ptc_format_destroy(ptc_format* format) { delete format; }

namespace {
// A colour usually lives for one clear: a few slots serve such colours
// without the heap, so a frame that makes and releases one allocates
// nothing. Past the slots, colours come from the heap. The library is used
// from one thread.
constexpr int color_slots = 16;
ptc_color slot_colors[color_slots];
bool slot_in_use[color_slots];

ptc_color* take_color() {
    for (int i = 0; i < color_slots; ++i)
        if (!slot_in_use[i]) {
            slot_in_use[i] = true;
            return &slot_colors[i];
        }
    return new (std::nothrow) ptc_color;
}

// The slot of a colour, or -1 for one from the heap.
int slot_of(const ptc_color* color) {
    const auto at = reinterpret_cast<std::uintptr_t>(color), first = reinterpret_cast<std::uintptr_t>(slot_colors);
    if (at < first || at >= first + sizeof slot_colors) return -1;
    return static_cast<int>((at - first) / sizeof(ptc_color));
}
}  // namespace

ptc_color* ptc_color_create(float red, float green, float blue, float alpha) {
    auto* color = take_color();
    if (!color) {
        ptc_fail("out of memory");
        return nullptr;
    }
    const float components[4] = {red, green, blue, alpha};
    for (int i = 0; i < 4; ++i) {
        const float c = components[i];
        color->components[i] = c > 1.0f ? 1.0f : (c >= 0.0f ? c : 0.0f);  // NaN becomes 0
    }
    return color;
}

void ptc_color_destroy(ptc_color* color) {
    const int slot = slot_of(color);
    if (slot >= 0)
        slot_in_use[slot] = false;
    else
        delete color;
}

uint32_t ptc_color_pixel(const ptc_color* color, const ptc_format* format) {
    static const ptc_format rgb = {{0xFF0000u, 0xFF00u, 0xFFu, 0u}};
    if (!color) return 0;
    if (!format) format = &rgb;
    std::uint32_t pixel = 0;
    for (int i = 0; i < 4; ++i) {
        const std::uint32_t byte = static_cast<std::uint32_t>(color->components[i] * 255.0f + 0.5f);
        pixel |= (byte << mask_shift(format->masks[i])) & format->masks[i];
    }
    return pixel;
}

ptc_target* ptc_surface_create(int width, int height, const ptc_format* format) {
    if (!format) {
        ptc_fail("no pixel format");
        return nullptr;
    }
    auto* surface = new (std::nothrow) ptc_target;
    if (!surface) {
        ptc_fail("out of memory");
        return nullptr;
    }
    surface->format = *format;
    if (!allocate_pixels(surface, width, height)) {
        delete surface;
        return nullptr;
    }
    return surface;
}

ptc_target* ptc_window_create(void) {
    auto* window = new (std::nothrow) ptc_target;
    if (!window) {
        ptc_fail("out of memory");
        return nullptr;
    }
    window->is_window = true;
    return window;
}

int ptc_window_open(ptc_target* window, const char* title, int width, int height, const ptc_format* format,
                    int pages) {
    if (!window || !window->is_window) return ptc_fail("not a window");
    if (window->backend) return ptc_fail("the window is already open");
    if (!format) return ptc_fail("no pixel format");
    if (!allocate_pixels(window, width, height)) return 0;
    window->format = *format;
    window->backend = ptc_backend_open(window, title ? title : "", pages);
    if (!window->backend) {
        std::free(window->pixels);
        window->pixels = nullptr;
        window->width = window->height = 0;
        return 0;
    }
    return 1;
}

int ptc_window_update(ptc_target* window) {
    if (!window || !window->backend) return 0;
    return ptc_backend_update(window->backend, window);
}

int ptc_window_rest(ptc_target* window, int ms) {
    if (!window || !window->backend) return 0;
    return ptc_backend_rest(window->backend, window, ms < 0 ? 0 : ms);
}

void ptc_window_keys(ptc_target* window, ptc_key_function on_key, void* context) {
    if (!window || !window->is_window) return;
    window->on_key = on_key;
    window->key_context = context;
}

void ptc_target_destroy(ptc_target* target) {
    if (!target) return;
    if (target->backend) ptc_backend_close(target->backend);
    std::free(target->pixels);
    delete target;
}

uint32_t* ptc_target_lock(ptc_target* target) {
    if (!ready(target)) {
        ptc_fail(target && target->locked ? "already locked" : "nothing to lock");
        return nullptr;
    }
    target->locked = true;
    return target->pixels;
}

int ptc_target_unlock(ptc_target* target) {
    if (!target || !target->locked) return ptc_fail("not locked");
    target->locked = false;
    return 1;
}

int ptc_target_clear(ptc_target* target, const ptc_color* color) {
    if (!ready(target)) return ptc_fail("target not ready to clear");
    if (!color) return ptc_fail("no colour");
    const std::uint32_t pixel = ptc_color_pixel(color, &target->format);
    const std::size_t count = static_cast<std::size_t>(target->width) * target->height;
    for (std::size_t i = 0; i < count; ++i) target->pixels[i] = pixel;
    return 1;
}

int ptc_target_copy(ptc_target* source, ptc_target* destination) {
    if (!ready(source) || !ready(destination)) return ptc_fail("copy needs two unlocked targets");
    if (source->width != destination->width || source->height != destination->height)
        return ptc_fail("copy needs targets of the same size");
    if (!same_format(source->format, destination->format)) return ptc_fail("copy needs targets of the same format");
    if (source != destination)
        std::memcpy(destination->pixels, source->pixels, static_cast<std::size_t>(source->width) * source->height * 4);
    return 1;
}

int ptc_target_width(const ptc_target* target) { return target ? target->width : 0; }
int ptc_target_height(const ptc_target* target) { return target ? target->height : 0; }

}  // extern "C"
