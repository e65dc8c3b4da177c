/*
 * ptc: a small framebuffer library.
 *
 * Plain C interface over opaque handles:
 *
 *   ptc_format  a pixel format (only 32-bit pixels with byte-wide masks)
 *   ptc_color   a colour of four floats 0 ... 1
 *   ptc_target  a drawing target: either an off-screen surface or a window
 *
 * Pixel layout: a target's pixels are rows of exactly `width` 32-bit pixels,
 * one after another without a gap; pixel (column c, row r) is element
 * r * width + c of what ptc_target_lock returns. With the masks 0xFF0000,
 * 0xFF00, 0xFF a pixel reads 0x00RRGGBB.
 *
 * A window is shown on the screen: ptc_window_open makes it visible with the
 * given size (on a desktop that has room, as its largest whole multiple,
 * each pixel a square block), ptc_window_update puts its pixels on the
 * screen and answers the window system's events. Destroying a window
 * closes it.
 *
 * Functions that can fail return 1 for success and 0 for failure, or a null
 * pointer; ptc_error_text then says why. Nothing here is thread-safe: use the
 * library from one thread.
 */
#ifndef PTC_H
#define PTC_H

#include <stdint.h>

#if defined(_WIN32) && defined(PTC_BUILDING_DLL)
#define PTC_API __attribute__((dllexport))
#elif defined(_WIN32)
#define PTC_API __attribute__((dllimport))
#else
#define PTC_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef struct ptc_format ptc_format;
typedef struct ptc_color ptc_color;
typedef struct ptc_target ptc_target;

/* Errors. ptc_clear_error forgets the last error and returns whether there
 * was one (1) or not (0); ptc_error_text describes the last error, "" when
 * there is none. */
PTC_API int ptc_clear_error(void);
PTC_API const char* ptc_error_text(void);

/* Pixel formats: bits must be 32 and each non-zero mask one whole byte. */
PTC_API ptc_format* ptc_format_create(int bits, uint32_t red_mask, uint32_t green_mask, uint32_t blue_mask,
                                      uint32_t alpha_mask);
PTC_API void ptc_format_destroy(ptc_format* format);

/* Colours: each component is clamped to 0 ... 1. */
PTC_API ptc_color* ptc_color_create(float red, float green, float blue, float alpha);
PTC_API void ptc_color_destroy(ptc_color* color);
/* The colour as a pixel of the format: each component scaled to its mask's
 * byte and rounded to nearest (0.5 up). A null format means 0x00RRGGBB. */
PTC_API uint32_t ptc_color_pixel(const ptc_color* color, const ptc_format* format);

/* Off-screen surfaces: width x height pixels (both 1 ... 32767), all zero. */
PTC_API ptc_target* ptc_surface_create(int width, int height, const ptc_format* format);

/* Windows: created closed; ptc_window_open shows it with a client area of
 * width x height pixels. Pages is a hint for the number of buffers; 0 lets
 * the library choose. ptc_window_update returns 1 while the window is open
 * and 0 once the user has asked to close it (or it was never opened). */
PTC_API ptc_target* ptc_window_create(void);
PTC_API int ptc_window_open(ptc_target* window, const char* title, int width, int height,
                            const ptc_format* format, int pages);
PTC_API int ptc_window_update(ptc_target* window);
/* For a caller with nothing new to show: answers the window system's events
 * for up to ms milliseconds without taking new pixels; where the window must
 * be painted again (exposed, resized) it shows the pixels last updated.
 * Returns as ptc_window_update. A backend that cannot wait for events shows
 * the window's pixels again, as ptc_window_update does. */
PTC_API int ptc_window_rest(ptc_target* window, int ms);
/* Keys pressed in a window: from now on, while ptc_window_update or
 * ptc_window_rest answers the window's events, on_key(context, key, repeat)
 * is called for each key pressed, in order, as the press is handled, with
 * the window system's code of the key (Win32: the virtual key of
 * WM_KEYDOWN) and whether it repeats a held key. A press and release
 * between two updates is seen as well. A null on_key ends the calls. The
 * SDL backend calls nothing: a program there watches SDL's events itself. */
typedef void (*ptc_key_function)(void* context, unsigned key, int repeat);
PTC_API void ptc_window_keys(ptc_target* window, ptc_key_function on_key, void* context);

/* Every target. */
PTC_API void ptc_target_destroy(ptc_target* target);
PTC_API uint32_t* ptc_target_lock(ptc_target* target);
PTC_API int ptc_target_unlock(ptc_target* target);
PTC_API int ptc_target_clear(ptc_target* target, const ptc_color* color);
/* Copies all pixels of source to destination; both must have the same size
 * and format and neither may be locked. */
PTC_API int ptc_target_copy(ptc_target* source, ptc_target* destination);
PTC_API int ptc_target_width(const ptc_target* target);
PTC_API int ptc_target_height(const ptc_target* target);

#ifdef __cplusplus
}
#endif

#endif
