#pragma once
// Formatted text drawn straight into the 320x200 frame with the 7x14 font,
// opaque or blended.
#include <cstdarg>
#include <cstddef>
#include <cstdint>

// The formatted text is held in a buffer of this size, so at most 5,095
// characters of it are drawn; a longer text is cut there.
constexpr std::size_t text_buffer_bytes = 5096;
// Last pen column a cell may start at in a line, and the lowest row a line
// feed moves to (cells starting at or below it are not drawn).
constexpr int text_right_margin = 313;
constexpr int text_bottom_row = 186;

// Formats like printf and draws the text with the pen starting at (x, y),
// one cell every 7 columns; a line feed starts a new line 14 rows lower at
// column 7. When `centred` is nonzero the whole text (all its cells) is
// centred on (x, y). Returns 1 when every character was processed, 0 when
// nothing was drawn because alpha is 0, when drawing stopped at the right
// margin, or when the text was cut to fit the buffer.
int draw_text(float alpha, int centred, int red, int green, int blue, int x, int y, std::uint32_t* buffer,
              const char* format, ...) __attribute__((format(printf, 9, 10)));
int draw_text_v(float alpha, int centred, int red, int green, int blue, int x, int y, std::uint32_t* buffer,
                const char* format, std::va_list args);

// Draws the cell of `character` with its top-left corner at (x, y). Ink
// pixels take the colour (low 8 bits of each channel) at alpha exactly 1.0,
// otherwise each channel becomes (1 - alpha) * old + alpha * new, truncated.
// Nothing is drawn when x >= 313, y >= 186 or the code is outside 0 ... 127;
// ink that would fall left of column 0 or above row 0 is skipped.
void draw_glyph(float alpha, int red, int green, int blue, int x, int y, std::uint32_t* buffer, int character);
