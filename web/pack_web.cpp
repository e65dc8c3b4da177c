// The page's C API over the portable core: render a program's frame at a
// time, hand it over as canvas pixels 1:1 or as the scaled picture. The page
// reads the returned buffers straight from the module's memory; they stay
// valid until the next call of the same function.
#include <emscripten.h>

#include <cstdint>
#include <vector>

#include "credit_lines.h"
#include "picture_scale.h"
#include "program_list.h"
#include "rgba.h"

namespace {

constexpr int largest_frame_pixels = 320 * 240;

std::uint32_t frame[largest_frame_pixels];        // the last frame, 0x00RRGGBB
std::uint32_t frame_rgba[largest_frame_pixels];   // the same as canvas pixels
const ProgramInfo* current = pack_programs[0];    // whose frame `frame` holds

// The picture for the page's canvas, and what it was last laid out for.
struct Screen {
    std::vector<std::uint32_t> pixels;
    int width = 0, height = 0;
    PictureRect rect{};
    PictureScratch scratch;
};
Screen screen;

// Program i of the page, in the pack's order.
const ProgramInfo* program_at(int i) { return i >= 0 && i < pack_graphics_program_count ? pack_programs[i] : nullptr; }

bool same_rect(const PictureRect& a, const PictureRect& b) {
    return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h && a.scale == b.scale;
}

// Sizes the screen and, when the layout changed, clears it to black: the bars
// stay so, since the picture never draws on them.
void lay_out_screen(int width, int height, const PictureRect& rect) {
    if (width == screen.width && height == screen.height && same_rect(rect, screen.rect)) return;
    screen.pixels.assign(static_cast<std::size_t>(width) * height, rgba_pixel(0));  // opaque black
    screen.width = width;
    screen.height = height;
    screen.rect = rect;
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE int pack_program_count() { return pack_graphics_program_count; }
EMSCRIPTEN_KEEPALIVE const char* pack_program_name(int i) { return program_at(i) ? program_at(i)->name : ""; }
EMSCRIPTEN_KEEPALIVE int pack_program_width(int i) { return program_at(i) ? program_at(i)->width : 0; }
EMSCRIPTEN_KEEPALIVE int pack_program_height(int i) { return program_at(i) ? program_at(i)->height : 0; }
EMSCRIPTEN_KEEPALIVE std::uint32_t pack_program_ends_after(int i) {
    return program_at(i) ? program_at(i)->show_ms : 0;
}

EMSCRIPTEN_KEEPALIVE int pack_credit_line_count() { return credit_line_count; }
EMSCRIPTEN_KEEPALIVE const char* pack_credit_line(int i) {
    return i >= 0 && i < credit_line_count ? credit_lines[i] : "";
}

// Draws program i's frame at `ms`; 0 for an unknown program.
EMSCRIPTEN_KEEPALIVE int pack_render(int i, std::uint32_t ms) {
    const ProgramInfo* program = program_at(i);
    if (!program) return 0;
    current = program;
    program->draw(packed_canvas(frame, program->width, program->height), ms);
    return 1;
}

// The last frame 1:1 as canvas pixels (width x height of its program).
EMSCRIPTEN_KEEPALIVE const std::uint32_t* pack_frame_rgba() {
    to_rgba(frame, frame_rgba, static_cast<std::size_t>(current->width) * current->height);
    return frame_rgba;
}

// The last frame as the picture on a width x height canvas: the 4:3 picture
// (or whole-factor square pixels) of fit_picture, centred, black bars.
EMSCRIPTEN_KEEPALIVE const std::uint32_t* pack_picture(int width, int height, int square_pixels) {
    if (width < 1 || height < 1) return nullptr;
    const PictureRect rect = fit_picture(width, height, current->width, current->height, square_pixels != 0);
    lay_out_screen(width, height, rect);
    std::uint32_t* origin = screen.pixels.data() + static_cast<std::size_t>(rect.y) * width + rect.x;
    draw_picture(frame, current->width, current->height, rect, origin, width, screen.scratch);
    for (int y = rect.y; y < rect.y + rect.h; ++y) {
        std::uint32_t* row = screen.pixels.data() + static_cast<std::size_t>(y) * width + rect.x;
        to_rgba(row, row, static_cast<std::size_t>(rect.w));
    }
    return screen.pixels.data();
}

}  // extern "C"
