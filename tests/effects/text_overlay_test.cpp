#include "text_overlay.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "effects_test_support.h"
#include "font_7x14.h"

namespace {

constexpr std::uint32_t floral = 0x00FFFAF0;
constexpr std::uint32_t beige = 0x00F5F5DC;

// The glyphs the counter draws, as given: 14 rows, bit 0x40 = column 0.
struct ListedGlyph {
    char c;
    std::uint8_t rows[14];
};
const ListedGlyph listed[] = {
    {'S', {0x00, 0x3E, 0x66, 0x60, 0x7E, 0x06, 0x66, 0x66, 0x66, 0x66, 0x7C, 0x00, 0x00, 0x00}},
    {'p', {0x00, 0x00, 0x00, 0x00, 0x7C, 0x66, 0x66, 0x66, 0x66, 0x66, 0x7C, 0x60, 0x60, 0x60}},
    {'l', {0x00, 0x18, 0x18, 0x18, 0x18, 0x18, 0x18, 0x18, 0x18, 0x18, 0x18, 0x00, 0x00, 0x00}},
    {'i', {0x00, 0x00, 0x00, 0x00, 0x18, 0x00, 0x18, 0x18, 0x18, 0x18, 0x18, 0x00, 0x00, 0x00}},
    {'n', {0x00, 0x00, 0x00, 0x00, 0x7C, 0x66, 0x66, 0x66, 0x66, 0x66, 0x66, 0x00, 0x00, 0x00}},
    {'e', {0x00, 0x00, 0x00, 0x00, 0x3E, 0x66, 0x7E, 0x60, 0x66, 0x66, 0x3E, 0x00, 0x00, 0x00}},
    {'s', {0x00, 0x00, 0x00, 0x00, 0x3E, 0x66, 0x60, 0x7E, 0x06, 0x66, 0x7C, 0x00, 0x00, 0x00}},
    {':', {0x00, 0x00, 0x00, 0x06, 0x06, 0x00, 0x00, 0x06, 0x06, 0x00, 0x00, 0x00, 0x00, 0x00}},
    {' ', {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {'0', {0x00, 0x3C, 0x66, 0x66, 0x6E, 0x76, 0x66, 0x66, 0x66, 0x66, 0x3C, 0x00, 0x00, 0x00}},
    {'1', {0x00, 0x18, 0x38, 0x18, 0x18, 0x18, 0x18, 0x18, 0x18, 0x18, 0x18, 0x00, 0x00, 0x00}},
    {'2', {0x00, 0x3C, 0x66, 0x06, 0x3C, 0x60, 0x66, 0x66, 0x66, 0x66, 0x7E, 0x00, 0x00, 0x00}},
    {'3', {0x00, 0x3C, 0x66, 0x06, 0x3C, 0x06, 0x66, 0x66, 0x66, 0x66, 0x3C, 0x00, 0x00, 0x00}},
    {'4', {0x00, 0x66, 0x66, 0x66, 0x3E, 0x06, 0x06, 0x06, 0x06, 0x06, 0x06, 0x00, 0x00, 0x00}},
    {'5', {0x00, 0x7E, 0x66, 0x60, 0x7C, 0x06, 0x66, 0x66, 0x66, 0x66, 0x3C, 0x00, 0x00, 0x00}},
    {'6', {0x00, 0x3C, 0x66, 0x60, 0x7C, 0x66, 0x66, 0x66, 0x66, 0x66, 0x3C, 0x00, 0x00, 0x00}},
    {'7', {0x00, 0x7C, 0x66, 0x66, 0x06, 0x1E, 0x06, 0x06, 0x06, 0x06, 0x06, 0x00, 0x00, 0x00}},
    {'8', {0x00, 0x3C, 0x66, 0x66, 0x3C, 0x66, 0x66, 0x66, 0x66, 0x66, 0x3C, 0x00, 0x00, 0x00}},
    {'9', {0x00, 0x3C, 0x66, 0x66, 0x3E, 0x06, 0x66, 0x66, 0x66, 0x66, 0x3C, 0x00, 0x00, 0x00}},
};

bool ink(int code, int row, int col) { return font_byte(code, row, col) == font_ink; }

// Ink bounding box of a frame drawn over a blank (zero) frame.
Box ink_box(const GuardedFrame& f) {
    GuardedFrame blank;
    return changed_box(blank.pixels(), f.pixels());
}

TEST(Font, ListedGlyphsAreExact) {
    for (const ListedGlyph& g : listed)
        for (int r = 0; r < glyph_height; ++r)
            for (int k = 0; k < glyph_width; ++k)
                EXPECT_EQ(ink(g.c, r, k), (g.rows[r] & (0x40 >> k)) != 0)
                    << "glyph '" << g.c << "' row " << r << " column " << k;
}

TEST(Font, StripLayoutAndStyle) {
    EXPECT_EQ(font_7x14.size(), 14700u);
    for (std::uint8_t b : font_7x14) EXPECT_TRUE(b == 0 || b == font_ink);
    for (int code = 0; code < font_cells; ++code) {
        int inked = 0;
        for (int r = 0; r < glyph_height; ++r)
            for (int k = 0; k < glyph_width; ++k) inked += ink(code, r, k);
        const bool printable = code >= 33 && code <= 127;
        EXPECT_EQ(inked > 0, printable) << "code " << code;
        for (int k = 0; k < glyph_width; ++k) EXPECT_FALSE(ink(code, 0, k)) << "row 0 is blank, code " << code;
    }
    // Capitals and digits keep to rows 1 ... 10; only g j p q y descend (and a
    // few symbols).
    for (int code = 33; code <= 127; ++code) {
        const bool letter_or_digit = (code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z') ||
                                     (code >= 'a' && code <= 'z');
        if (!letter_or_digit) continue;
        const std::string descenders = "gjpqy";
        bool below = false;
        for (int r = 11; r < glyph_height; ++r)
            for (int k = 0; k < glyph_width; ++k) below |= ink(code, r, k);
        EXPECT_EQ(below, descenders.find(static_cast<char>(code)) != std::string::npos) << "code " << code;
    }
    // Lower-case bodies start at row 4: letters without ascenders have no ink above.
    for (char c : std::string("acegmnopqrsuvwxyz"))
        for (int r = 0; r < 4; ++r)
            for (int k = 0; k < glyph_width; ++k) EXPECT_FALSE(ink(c, r, k)) << c;
}

TEST(Glyph, HalfAlphaBlackHalvesEachChannel) {
    GuardedFrame f(floral);
    draw_glyph(f.canvas(), {0.5f, 0, 0, 0}, 20, 30, 'S');
    EXPECT_EQ(f.at(21, 31), 0x007F7D78u);  // ink: row 1, column 1 of 'S'
    EXPECT_EQ(f.at(20, 31), floral);       // paper
    GuardedFrame g(beige);
    draw_glyph(g.canvas(), {0.5f, 0, 0, 0}, 20, 30, 'S');
    EXPECT_EQ(g.at(21, 31), 0x007A7A6Eu);
}

TEST(Glyph, OpaqueTakesTheColourExactlyAndLeavesPaper) {
    GuardedFrame f(floral);
    draw_glyph(f.canvas(), {1.0f, 0x112, 0x234, 0x356}, 40, 50, 'H');
    for (int r = 0; r < glyph_height; ++r)
        for (int k = 0; k < glyph_width; ++k)
            EXPECT_EQ(f.at(40 + k, 50 + r), ink('H', r, k) ? 0x00123456u : floral) << r << "," << k;
}

TEST(Glyph, BlendTruncatesPerChannel) {
    GuardedFrame f(0x00102030);
    draw_glyph(f.canvas(), {0.25f, 0xF0, 0x80, 0x00}, 0, 0, 'l');
    // red 0.75*0x10 + 0.25*0xF0 = 72, green 0.75*0x20 + 0.25*0x80 = 56,
    // blue 0.75*0x30 = 36
    EXPECT_EQ(f.at(2, 1), 0x00483824u);
}

TEST(Glyph, RejectsCellsPastTheMarginsAndHighCodes) {
    GuardedFrame f;
    draw_glyph(f.canvas(), {1.0f, 255, 255, 255}, 313, 10, 'H');
    draw_glyph(f.canvas(), {1.0f, 255, 255, 255}, 10, 186, 'H');
    draw_glyph(f.canvas(), {1.0f, 255, 255, 255}, 10, 10, 128);
    draw_glyph(f.canvas(), {1.0f, 255, 255, 255}, 10, 10, -1);
    draw_glyph(f.canvas(), {1.0f, 255, 255, 255}, 10, 10, 31);
    EXPECT_TRUE(ink_box(f).empty());
    draw_glyph(f.canvas(), {1.0f, 255, 255, 255}, 312, 185, '|');  // last cell that fits
    EXPECT_FALSE(ink_box(f).empty());
    EXPECT_TRUE(f.guards_intact());
}

TEST(Glyph, NegativePositionsDrawOnlyTheVisiblePart) {
    GuardedFrame f;
    draw_glyph(f.canvas(), {1.0f, 255, 255, 255}, -3, -5, 'H');
    EXPECT_TRUE(f.guards_intact());
    for (int r = 5; r < glyph_height; ++r)
        for (int k = 3; k < glyph_width; ++k)
            EXPECT_EQ(f.at(k - 3, r - 5), ink('H', r, k) ? 0x00FFFFFFu : 0u) << r << "," << k;
    const Box box = ink_box(f);
    EXPECT_LE(box.x1, 3);
    EXPECT_LE(box.y1, 8);
    GuardedFrame g;
    draw_glyph(g.canvas(), {1.0f, 255, 255, 255}, -7, 10, 'H');
    draw_glyph(g.canvas(), {1.0f, 255, 255, 255}, 10, -14, 'H');
    draw_glyph(g.canvas(), {1.0f, 255, 255, 255}, -2147483647 - 1, -2147483647 - 1, 'H');
    EXPECT_TRUE(ink_box(g).empty());
    EXPECT_TRUE(g.guards_intact());
}

TEST(Text, CounterCellsStartAtColumnTwoSevenApart) {
    GuardedFrame f, expected;
    EXPECT_EQ(draw_text(f.canvas(), {1.0f, 255, 255, 255}, 2, 2, "Splines: %d", 6), 1);
    const std::string shown = "Splines: 6";
    for (std::size_t i = 0; i < shown.size(); ++i)
        draw_glyph(expected.canvas(), {1.0f, 255, 255, 255}, 2 + 7 * static_cast<int>(i), 2, shown[i]);
    EXPECT_EQ(frame_hash(f.pixels()), frame_hash(expected.pixels()));
    const Box box = ink_box(f);
    EXPECT_EQ(box.x0, 2);   // 'S' has ink from column 0 of its cell at 2
    EXPECT_EQ(box.y0, 3);   // and from row 1
    EXPECT_EQ(box.y1, 15);  // the descender of 'p' reaches row 13 of the cell
}

TEST(Text, AlphaZeroDrawsNothing) {
    GuardedFrame f;
    EXPECT_EQ(draw_text(f.canvas(), {0.0f, 255, 255, 255}, 2, 2, "Splines: %d", 6), 0);
    EXPECT_TRUE(ink_box(f).empty());
}

TEST(Text, FortyFiveCellsFitAndTheFortySixthStops) {
    const std::string h45(45, 'H');
    GuardedFrame f;
    EXPECT_EQ(draw_text(f.canvas(), {1.0f, 255, 255, 255}, 2, 2, "%s", h45.c_str()), 1);
    EXPECT_EQ(f.at(310, 3), 0x00FFFFFFu);  // column 0 of the 45th cell
    GuardedFrame g;
    EXPECT_EQ(draw_text(g.canvas(), {1.0f, 255, 255, 255}, 2, 2, "%sH", h45.c_str()), 0);
    EXPECT_EQ(frame_hash(f.pixels()), frame_hash(g.pixels()));
}

TEST(Text, CentredTextCoversItsWholeCells) {
    GuardedFrame f;
    EXPECT_EQ(draw_text(f.canvas(), {1.0f, 255, 255, 255, true}, 160, 100, "HHHHHHHHHH"), 1);
    // Cells over columns 125 ... 194 and rows 93 ... 106; 'H' inks columns
    // 0 ... 5 and rows 1 ... 10 of its cell.
    const Box box = ink_box(f);
    EXPECT_EQ(box.x0, 125);
    EXPECT_EQ(box.x1, 193);
    EXPECT_EQ(box.y0, 94);
    EXPECT_EQ(box.y1, 103);
}

TEST(Text, LineFeedRestartsAtColumnSevenFourteenRowsLower) {
    GuardedFrame f, expected;
    EXPECT_EQ(draw_text(f.canvas(), {1.0f, 255, 255, 255}, 50, 20, "A\nB"), 1);
    draw_glyph(expected.canvas(), {1.0f, 255, 255, 255}, 50, 20, 'A');
    draw_glyph(expected.canvas(), {1.0f, 255, 255, 255}, 7, 34, 'B');
    EXPECT_EQ(frame_hash(f.pixels()), frame_hash(expected.pixels()));
}

TEST(Text, LineFeedsStopAtRow186WhereNothingIsDrawn) {
    GuardedFrame f, expected;
    // From row 2, twelve line feeds reach row 170, thirteen 184, and every
    // further one stays at 186, below the last row a cell may start at.
    draw_text(f.canvas(), {1.0f, 255, 255, 255}, 2, 2, "%s", (std::string(12, '\n') + "X").c_str());
    draw_glyph(expected.canvas(), {1.0f, 255, 255, 255}, 7, 170, 'X');
    EXPECT_EQ(frame_hash(f.pixels()), frame_hash(expected.pixels()));
    GuardedFrame g;
    EXPECT_EQ(draw_text(g.canvas(), {1.0f, 255, 255, 255}, 2, 2, "%s", (std::string(40, '\n') + "XY").c_str()), 1);
    EXPECT_TRUE(ink_box(g).empty());
    EXPECT_TRUE(g.guards_intact());
}

TEST(Text, HighCodesAreSkippedButAdvanceThePen) {
    GuardedFrame f, expected;
    EXPECT_EQ(draw_text(f.canvas(), {1.0f, 255, 255, 255}, 2, 2, "\x80\xFF" "A"), 1);
    draw_glyph(expected.canvas(), {1.0f, 255, 255, 255}, 16, 2, 'A');
    EXPECT_EQ(frame_hash(f.pixels()), frame_hash(expected.pixels()));
}

TEST(Text, LongerThanTheBufferIsCutNotOverrun) {
    // 45 'H' then 9955 '.': cut to 5,095 characters, so centring on x = 17,832
    // puts the first cell at column 0 (17832 - 7 - floor(7 * 5095 / 2) + 7).
    // Uncut, the pen would start far left and show only dots.
    const std::string text = std::string(45, 'H') + std::string(9955, '.');
    GuardedFrame f, expected;
    EXPECT_EQ(draw_text(f.canvas(), {1.0f, 255, 255, 255, true}, 17832, 107, "%s", text.c_str()), 0);
    draw_text(expected.canvas(), {1.0f, 255, 255, 255}, 0, 100, "%s", std::string(45, 'H').c_str());
    EXPECT_EQ(frame_hash(f.pixels()), frame_hash(expected.pixels()));
    // A text that exactly fills the buffer is whole: every character processed.
    GuardedFrame g;
    EXPECT_EQ(draw_text(g.canvas(), {1.0f, 0, 0, 0}, 2, 2, "%s", std::string(5095, '\n').c_str()), 1);
    EXPECT_EQ(draw_text(g.canvas(), {1.0f, 0, 0, 0}, 2, 2, "%s", std::string(5096, '\n').c_str()), 0);
}

}  // namespace
