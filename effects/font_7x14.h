#pragma once
// The 7x14 bitmap font of the text overlay, as one strip image 1050 bytes
// wide and 14 rows high: the cell of character code c (0 ... 149) starts at
// column 7c, so row r, column k of code c is byte r * 1050 + 7c + k. A byte
// of font_ink is ink; any other value is paper.
//
// Codes 32 ... 127 hold the printable glyphs (127 is a small house); all
// other cells are empty. Style: two-pixel vertical strokes, ink in columns
// 0 ... 5 with column 6 as spacing (wide glyphs such as M and w use it),
// capitals and digits in rows 1 ... 10, lower-case bodies in rows 4 ... 10,
// descenders in rows 11 ... 13.
#include <array>
#include <cstddef>
#include <cstdint>

constexpr int glyph_width = 7;
constexpr int glyph_height = 14;
constexpr int font_cells = 150;
constexpr int font_strip_width = glyph_width * font_cells;  // 1050
constexpr std::size_t font_strip_bytes = static_cast<std::size_t>(font_strip_width) * glyph_height;  // 14,700
constexpr std::uint8_t font_ink = 1;

extern const std::array<std::uint8_t, font_strip_bytes> font_7x14;

// The font byte for row `row`, column `col` of the cell of `code` (0 ... 149).
inline std::uint8_t font_byte(int code, int row, int col) {
    return font_7x14[static_cast<std::size_t>(row) * font_strip_width + glyph_width * code + col];
}
