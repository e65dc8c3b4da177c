#include "display_adapter.h"

#include "ptc.h"

// Before each library object is made, the library's last error is cleared,
// so that ptc_error_text afterwards speaks of that object.

PixelFormat::PixelFormat(int bits, std::uint32_t red_mask, std::uint32_t green_mask, std::uint32_t blue_mask,
                         std::uint32_t alpha_mask)
    : handle_((ptc_clear_error(), ptc_format_create(bits, red_mask, green_mask, blue_mask, alpha_mask))) {}

PixelFormat::~PixelFormat() { ptc_format_destroy(handle_); }

ColorValue::ColorValue(float red, float green, float blue, float alpha)
    : handle_((ptc_clear_error(), ptc_color_create(red, green, blue, alpha))) {}

ColorValue::~ColorValue() { ptc_color_destroy(handle_); }

std::uint32_t ColorValue::rgb() const { return ptc_color_pixel(handle_, nullptr); }

LibraryTarget::~LibraryTarget() { ptc_target_destroy(handle_); }

// The library copies between its own objects only; to any other target the
// copy fails, as the library fails it for a null destination.
int LibraryTarget::copy(DrawTarget& destination) {
    const LibraryTarget* library_object = destination.library_object();
    return ptc_target_copy(handle_, library_object ? library_object->handle_ : nullptr);
}
std::uint32_t* LibraryTarget::lock() { return ptc_target_lock(handle_); }
int LibraryTarget::unlock() { return ptc_target_unlock(handle_); }
int LibraryTarget::clear(const ColorValue& color) { return ptc_target_clear(handle_, color.handle()); }
int LibraryTarget::width() { return ptc_target_width(handle_); }
int LibraryTarget::height() { return ptc_target_height(handle_); }

DisplayWindow::DisplayWindow() : LibraryTarget((ptc_clear_error(), ptc_window_create())) {}

int DisplayWindow::open(const char* title, int width, int height, const PixelFormat& format, int pages) {
    return ptc_window_open(handle_, title, width, height, format.handle(), pages);
}

int DisplayWindow::update() { return ptc_window_update(handle_); }
int DisplayWindow::rest(int ms) { return ptc_window_rest(handle_, ms); }
void DisplayWindow::watch_keys(ptc_key_function on_key, void* context) { ptc_window_keys(handle_, on_key, context); }

OffscreenSurface::OffscreenSurface(int width, int height, const PixelFormat& format)
    : LibraryTarget((ptc_clear_error(), ptc_surface_create(width, height, format.handle()))) {}
