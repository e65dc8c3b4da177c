// The page's C API over the portable core: render a program's frame at a
// time, hand it over as canvas pixels 1:1 or as the scaled picture, and keep
// the shown time of the program showing (the core's ShowTime over the page's
// millisecond clock). The page reads the returned buffers straight from the
// module's memory; they stay valid until the next call of the same function.
#include <emscripten.h>

#include <cstdint>
#include <string>
#include <vector>

#include "credit_lines.h"
#include "overlay_line.h"
#include "picture_scale.h"
#include "program_list.h"
#include "rgba.h"
#include "show_time.h"

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

// The page's clock: performance.now() in whole milliseconds as a 32-bit count,
// wrapping as the system's does. It never goes back, so every reading that
// ShowTime is given is at or after the one before.
std::uint32_t clock_now() { return static_cast<std::uint32_t>(static_cast<std::uint64_t>(emscripten_get_now())); }

// The shown time of the program showing, from pack_show_start on.
ShowTime shown{ProgramClock::scene_start, 0};
const ProgramInfo* showing = pack_programs[0];

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
// Milliseconds from one step of program i's show to the next; 0 for none.
EMSCRIPTEN_KEEPALIVE std::uint32_t pack_program_step_ms(int i) { return program_at(i) ? program_at(i)->step_ms : 0; }

EMSCRIPTEN_KEEPALIVE int pack_credit_line_count() { return credit_line_count; }
EMSCRIPTEN_KEEPALIVE const char* pack_credit_line(int i) {
    return i >= 0 && i < credit_line_count ? credit_lines[i] : "";
}

// Draws program i's frame at `ms`, with its guides over it when `guides` is
// nonzero; 0 for an unknown program.
EMSCRIPTEN_KEEPALIVE int pack_render(int i, std::uint32_t ms, int guides) {
    const ProgramInfo* program = program_at(i);
    if (!program) return 0;
    current = program;
    draw_frame(*program, packed_canvas(frame, program->width, program->height), ms, guides != 0);
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

// Where the last pack_picture put the picture on its canvas: x, y, width and
// height in canvas pixels.
EMSCRIPTEN_KEEPALIVE const int* pack_picture_rect() {
    static int rect[4];
    rect[0] = screen.rect.x;
    rect[1] = screen.rect.y;
    rect[2] = screen.rect.w;
    rect[3] = screen.rect.h;
    return rect;
}

// The shown time of the program showing (pack_show_start), moved and paused
// by the viewer. A fullscreen program's time counts from its start and is
// never below 0; fennick's is the clock count and wraps.
EMSCRIPTEN_KEEPALIVE void pack_show_start(int i) {
    if (!program_at(i)) return;
    showing = program_at(i);
    shown = ShowTime(showing->clock, clock_now(), showing->step_ms);
}
EMSCRIPTEN_KEEPALIVE std::uint32_t pack_show_time() { return shown.at(clock_now()); }
EMSCRIPTEN_KEEPALIVE int pack_show_paused() { return shown.paused(); }
EMSCRIPTEN_KEEPALIVE int pack_show_speed_quarters() { return shown.speed_quarters(); }
EMSCRIPTEN_KEEPALIVE void pack_show_toggle_pause() { shown.toggle_pause(clock_now()); }
EMSCRIPTEN_KEEPALIVE void pack_show_step(int ticks) { shown.step(clock_now(), ticks); }
EMSCRIPTEN_KEEPALIVE void pack_show_move(int ms) { shown.move(clock_now(), ms); }
EMSCRIPTEN_KEEPALIVE void pack_show_restart() { shown.restart(clock_now()); }
EMSCRIPTEN_KEEPALIVE void pack_show_faster() { shown.faster(clock_now()); }
EMSCRIPTEN_KEEPALIVE void pack_show_slower() { shown.slower(clock_now()); }
// To shown time `ms` (an address's t=, the timeline); outside a repeating
// A-B stretch it ends the repeat.
EMSCRIPTEN_KEEPALIVE void pack_show_seek(std::uint32_t ms) { shown.seek(clock_now(), ms); }
// PageDown (`way` 1) and PageUp (-1): to a step's start, or 10 s.
EMSCRIPTEN_KEEPALIVE void pack_show_to_step(int way) { shown.to_step(clock_now(), way < 0 ? -1 : 1); }
// A and B: the repeat's marks.
EMSCRIPTEN_KEEPALIVE void pack_show_mark_a() { shown.mark_a(clock_now()); }
EMSCRIPTEN_KEEPALIVE void pack_show_mark_b() { shown.mark_b(clock_now()); }
// The marks for the timeline: whether A is set, A, whether B is set, B (as
// unsigned 32-bit counts).
EMSCRIPTEN_KEEPALIVE const std::uint32_t* pack_show_marks() {
    static std::uint32_t marks[4];
    const ShowTime::Marks m = shown.marks();
    marks[0] = m.a;
    marks[1] = m.a_ms;
    marks[2] = m.b;
    marks[3] = m.b_ms;
    return marks;
}
// The I key's line at shown time `ms` with `frames_per_second` presents, as
// the native players draw it; the page fits it to its picture by its size.
EMSCRIPTEN_KEEPALIVE const char* pack_show_overlay_line(std::uint32_t ms, int frames_per_second) {
    static std::string line;
    line = overlay_line(showing->name, ms, shown, frames_per_second);
    return line.c_str();
}

}  // extern "C"
