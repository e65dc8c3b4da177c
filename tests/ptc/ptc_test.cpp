// The framebuffer library through its C interface, and the thin objects of
// the display adapter over it. Windows need a screen and are covered by the
// end-to-end tests.
#include "ptc.h"

#include <gtest/gtest.h>

#include <vector>

#include <cstring>
#include <string>

#include "display_adapter.h"

namespace {

struct Handles {
    ptc_format* rgb = ptc_format_create(32, 0xFF0000, 0xFF00, 0xFF, 0);
    ptc_format* bgr = ptc_format_create(32, 0xFF, 0xFF00, 0xFF0000, 0);
    ~Handles() {
        ptc_format_destroy(rgb);
        ptc_format_destroy(bgr);
    }
};

}  // namespace

TEST(PtcFormat, AcceptsWholeByteMasksOfThirtyTwoBitPixelsOnly) {
    Handles h;
    ASSERT_NE(h.rgb, nullptr);
    ASSERT_NE(h.bgr, nullptr);
    ptc_clear_error();
    EXPECT_EQ(ptc_format_create(16, 0xF800, 0x07E0, 0x001F, 0), nullptr);
    EXPECT_STRNE(ptc_error_text(), "");
    EXPECT_EQ(ptc_format_create(32, 0xFF0000, 0xFF0000, 0xFF, 0), nullptr);  // overlapping
    EXPECT_EQ(ptc_format_create(32, 0xFFF000, 0xFF, 0xF00, 0), nullptr);    // not one byte
    EXPECT_EQ(ptc_clear_error(), 1);
    EXPECT_EQ(ptc_clear_error(), 0);
    EXPECT_STREQ(ptc_error_text(), "");
}

TEST(PtcColor, BecomesAPixelOfEachFormatRoundedAndClamped) {
    Handles h;
    ptc_color* c = ptc_color_create(1.0f, 0.5f, 0.0f, 1.0f);
    EXPECT_EQ(ptc_color_pixel(c, h.rgb), 0x00FF8000u);  // 0.5*255 + 0.5 rounds to 128
    EXPECT_EQ(ptc_color_pixel(c, h.bgr), 0x000080FFu);
    EXPECT_EQ(ptc_color_pixel(c, nullptr), 0x00FF8000u);
    ptc_color_destroy(c);
    ptc_color* wild = ptc_color_create(2.0f, -1.0f, 0.2f, 0.0f);
    EXPECT_EQ(ptc_color_pixel(wild, h.rgb), 0x00FF0033u);
    ptc_color_destroy(wild);
}

TEST(PtcColor, ManyLiveColoursEachKeepTheirOwnValue) {
    // More colours at once than the library keeps slots for: the rest come
    // from the heap, and every one stays itself until it is released.
    std::vector<ptc_color*> colours;
    for (int i = 0; i < 40; ++i) colours.push_back(ptc_color_create(i / 255.0f, 0.0f, 1.0f, 1.0f));
    for (int i = 0; i < 40; ++i) {
        ASSERT_NE(colours[i], nullptr);
        EXPECT_EQ(ptc_color_pixel(colours[i], nullptr), (static_cast<std::uint32_t>(i) << 16) | 0xFFu) << i;
    }
    // Released in a scattered order, then taken again: still distinct.
    for (int i = 0; i < 40; i += 3) ptc_color_destroy(colours[i]);
    for (int i = 0; i < 40; i += 3) colours[i] = ptc_color_create(0.0f, i / 255.0f, 0.0f, 1.0f);
    for (int i = 0; i < 40; ++i) {
        const std::uint32_t expected = i % 3 == 0 ? static_cast<std::uint32_t>(i) << 8
                                                  : (static_cast<std::uint32_t>(i) << 16) | 0xFFu;
        EXPECT_EQ(ptc_color_pixel(colours[i], nullptr), expected) << i;
    }
    for (ptc_color* c : colours) ptc_color_destroy(c);
    ptc_color_destroy(nullptr);  // releasing nothing is harmless
}

TEST(PtcSurface, StartsBlackWithRowsOfExactlyItsWidth) {
    Handles h;
    ptc_target* s = ptc_surface_create(5, 3, h.rgb);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(ptc_target_width(s), 5);
    EXPECT_EQ(ptc_target_height(s), 3);
    std::uint32_t* p = ptc_target_lock(s);
    ASSERT_NE(p, nullptr);
    for (int i = 0; i < 15; ++i) EXPECT_EQ(p[i], 0u);
    p[2 * 5 + 4] = 0x123456;  // the last pixel of the last row
    EXPECT_EQ(ptc_target_unlock(s), 1);
    std::uint32_t* again = ptc_target_lock(s);
    EXPECT_EQ(again[14], 0x123456u);
    ptc_target_unlock(s);
    ptc_target_destroy(s);
}

TEST(PtcSurface, RefusesBadSizesAndDoubleLocks) {
    Handles h;
    EXPECT_EQ(ptc_surface_create(0, 10, h.rgb), nullptr);
    EXPECT_EQ(ptc_surface_create(10, 40000, h.rgb), nullptr);
    EXPECT_EQ(ptc_surface_create(10, 10, nullptr), nullptr);
    ptc_target* s = ptc_surface_create(4, 4, h.rgb);
    ASSERT_NE(ptc_target_lock(s), nullptr);
    EXPECT_EQ(ptc_target_lock(s), nullptr);
    ptc_color* black = ptc_color_create(0, 0, 0, 1);
    EXPECT_EQ(ptc_target_clear(s, black), 0) << "a locked surface is not cleared";
    EXPECT_EQ(ptc_target_unlock(s), 1);
    EXPECT_EQ(ptc_target_unlock(s), 0);
    ptc_color_destroy(black);
    ptc_target_destroy(s);
}

TEST(PtcSurface, ClearAndCopyNeedMatchingTargets) {
    Handles h;
    ptc_target* a = ptc_surface_create(4, 2, h.rgb);
    ptc_target* b = ptc_surface_create(4, 2, h.rgb);
    ptc_target* other_size = ptc_surface_create(2, 4, h.rgb);
    ptc_target* other_format = ptc_surface_create(4, 2, h.bgr);
    ptc_color* orange = ptc_color_create(1.0f, 0.5f, 0.0f, 1.0f);
    EXPECT_EQ(ptc_target_clear(a, orange), 1);
    EXPECT_EQ(ptc_target_copy(a, b), 1);
    const std::uint32_t* p = ptc_target_lock(b);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(p[i], 0x00FF8000u);
    ptc_target_unlock(b);
    EXPECT_EQ(ptc_target_copy(a, other_size), 0);
    EXPECT_EQ(ptc_target_copy(a, other_format), 0);
    EXPECT_EQ(ptc_target_copy(a, nullptr), 0);
    ptc_target_clear(other_format, orange);
    p = ptc_target_lock(other_format);
    EXPECT_EQ(p[0], 0x000080FFu);
    ptc_target_unlock(other_format);
    ptc_color_destroy(orange);
    for (ptc_target* t : {a, b, other_size, other_format}) ptc_target_destroy(t);
}

TEST(PtcWindow, UnopenedWindowIsEmptyAndReportsClosed) {
    Handles h;
    ptc_target* w = ptc_window_create();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(ptc_target_width(w), 0);
    EXPECT_EQ(ptc_window_update(w), 0);
    EXPECT_EQ(ptc_target_lock(w), nullptr);
    ptc_target* s = ptc_surface_create(4, 4, h.rgb);
    EXPECT_EQ(ptc_window_open(s, "x", 4, 4, h.rgb, 0), 0) << "a surface is not a window";
    EXPECT_EQ(ptc_window_open(w, "x", 0, 4, h.rgb, 0), 0) << "bad size refused before any display is asked";
    ptc_target_destroy(s);
    ptc_target_destroy(w);
}

// ---- the adapter objects ------------------------------------------------

TEST(DisplayAdapter, SurfaceObjectsForwardToTheLibrary) {
    PixelFormat format(32, 0xFF0000, 0xFF00, 0xFF, 0);
    OffscreenSurface a(6, 4, format), b(6, 4, format);
    EXPECT_EQ(a.width(), 6);
    EXPECT_EQ(a.height(), 4);
    {
        ColorValue teal(0.0f, 0.5f, 0.5f, 1.0f);
        EXPECT_EQ(teal.rgb(), 0x00008080u);
        EXPECT_EQ(a.clear(teal), 1);
    }
    EXPECT_EQ(a.copy(b), 1);
    std::uint32_t* p = b.lock();
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p[23], 0x00008080u);
    EXPECT_EQ(b.unlock(), 1);
}

TEST(DisplayAdapter, CopyToATargetOutsideTheLibraryFails) {
    struct Foreign : DrawTarget {
        int copy(DrawTarget&) override { return 0; }
        std::uint32_t* lock() override { return nullptr; }
        int unlock() override { return 0; }
        int clear(const ColorValue&) override { return 0; }
        int width() override { return 6; }
        int height() override { return 4; }
    } foreign;
    PixelFormat format(32, 0xFF0000, 0xFF00, 0xFF, 0);
    OffscreenSurface a(6, 4, format);
    EXPECT_EQ(a.copy(foreign), 0);
}

TEST(DisplayAdapter, MakingAnObjectClearsAnEarlierError) {
    ptc_format_create(8, 0, 0, 0, 0);
    ASSERT_STRNE(ptc_error_text(), "");
    PixelFormat format(32, 0xFF0000, 0xFF00, 0xFF, 0);
    EXPECT_STREQ(ptc_error_text(), "");
    PixelFormat bad(24, 0xFF0000, 0xFF00, 0xFF, 0);
    EXPECT_EQ(bad.handle(), nullptr);
    EXPECT_STRNE(ptc_error_text(), "");
}
