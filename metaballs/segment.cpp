#include "segment.h"

void SegmentPainter::draw_segment(const Vector& p1, const Vector& p2, std::uint32_t color) {
    const ScreenPoint s1 = project(frame_transform.transform_point(p1));
    const ScreenPoint s2 = project(frame_transform.transform_point(p2));
    line.x0 = s1.x;
    line.x1 = s2.x;
    line.y0 = s1.y;
    line.y1 = s2.y;
    line.color = color;
    line.draw(frame_surface);
}
