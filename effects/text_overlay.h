#pragma once
// Formatted text drawn straight onto a canvas with the 7x14 font, opaque or
// blended.
#include <cstdarg>
#include <cstddef>
#include <cstdint>

#include "canvas.h"

// The formatted text is held in a buffer of this size, so at most 5,095
// characters of it are drawn; a longer text is cut there.
constexpr std::size_t text_buffer_bytes = 5096;

// How text looks: its colour (the low 8 bits of each channel count), how
// opaque it is (1.0 exactly: the colour replaces the pixel), and whether a
// whole text is centred on its position rather than starting there.
struct TextStyle {
    float alpha;
    int red, green, blue;
    bool centred = false;
};

// The last pen column a cell may start at in a line (313 on the 320x200
// frame), and the lowest row a line feed moves to (186): cells starting at
// or beyond them are not drawn.
int text_right_margin(const Canvas& canvas);
int text_bottom_row(const Canvas& canvas);

// Formats like printf and draws the text with the pen starting at (x, y),
// one cell every 7 columns; a line feed starts a new line 14 rows lower at
// column 7. A centred text has all its cells centred on (x, y). Returns 1
// when every character was processed, 0 when nothing was drawn because alpha
// is 0, when drawing stopped at the right margin, or when the text was cut to
// fit the buffer.
int draw_text(const Canvas& canvas, const TextStyle& style, int x, int y, const char* format, ...)
    __attribute__((format(printf, 5, 6)));
int draw_text_v(const Canvas& canvas, const TextStyle& style, int x, int y, const char* format, std::va_list args);

// Draws the cell of `character` with its top-left corner at (x, y) (the
// style's centring plays no part). Ink pixels take the colour at alpha
// exactly 1.0, otherwise each channel becomes (1 - alpha) * old + alpha * new,
// truncated. Nothing is drawn at or beyond the margins or for a code outside
// 0 ... 127; ink that would fall left of column 0 or above row 0 is skipped.
void draw_glyph(const Canvas& canvas, const TextStyle& style, int x, int y, int character);
