// The scenes of curves, splines and splines2 take no heap memory beyond
// their arc storage: per frame one block for the N ring points and one for
// the N arcs, obtained through the scene storage and given back within the
// call, and no operator new at all.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "counting_new.h"
#include "frame.h"
#include "ring_geometry.h"
#include "curves_scene.h"
#include "scene_frames.h"
#include "splines2_scene.h"
#include "splines_scene.h"
#include "scene_storage_double.h"

namespace {

std::vector<std::size_t> storage_blocks;  // sizes asked for, in order

void* counting_storage(std::size_t bytes) {
    storage_blocks.push_back(bytes);
    return std::malloc(bytes);
}

struct Case {
    const char* name;
    const SceneFrame* scene;
    std::uint32_t ms;
    int n;  // arcs at that time
};

TEST(SceneAllocation, EachFrameTakesOnlyItsPointAndArcStorage) {
    std::vector<std::uint32_t> buffer(frame_pixels);
    // Not at a flash tick: a flash frame draws no scene at all.
    const Case cases[] = {{"curves", &curves_frame, 287999, 37},
                          {"curves", &curves_frame, 16 * 1001, 4},
                          {"splines", &splines_frame, 123456, 6},
                          {"splines2", &splines2_frame, 287999, 122},
                          {"splines2", &splines2_frame, 16 * 4, 4}};
    storage_blocks.reserve(64);  // the test's own bookkeeping allocates before counting
    const StorageAllocator previous = set_scene_storage_allocator(counting_storage);
    for (const Case& c : cases) {
        storage_blocks.clear();
        const std::size_t news = counting_new::during([&] { draw_scene_frame_at(*c.scene, frame_canvas(buffer.data()), c.ms); });
        EXPECT_EQ(news, 0u) << c.name << " at " << c.ms;
        const std::vector<std::size_t> expected = {c.n * sizeof(Point2), c.n * sizeof(Arc)};
        EXPECT_EQ(storage_blocks, expected) << c.name << " at " << c.ms;
    }
    set_scene_storage_allocator(previous);
}

}  // namespace
