#include "overlay_line.h"

#include <cstdio>
#include <vector>

#include "ticks.h"

namespace {

const char* speed_text(int quarters) {
    switch (quarters) {
        case 1: return "1/4x";
        case 2: return "1/2x";
        case 8: return "2x";
        case 16: return "4x";
        default: return "1x";
    }
}

// One space-separated field of the line, and the least of it that may stay
// when the line is too long ("" to drop it).
struct Field {
    std::string text, least;
};

std::string printed(const char* format, unsigned value) {
    char text[16];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// The time per frame at `fps` frames a second in tenths of a millisecond,
// 10000 / fps rounded to the nearest, a half to even (0 for no rate): the
// digits that %.1f gives for 1000.0 / fps, without floating point, so that
// no C runtime's rounding of halves (31.25 ms at 32 fps) decides them.
int tenths_of_ms_per_frame(int fps) {
    if (fps <= 0) return 0;
    const int whole = 10000 / fps, twice_rest = 10000 % fps * 2;
    return whole + (twice_rest > fps || (twice_rest == fps && whole % 2 == 1));
}

std::string spaced_fields(const std::vector<Field>& fields) {
    std::string line;
    for (const Field& field : fields)
        if (!field.text.empty()) line += (line.empty() ? "" : " ") + field.text;
    return line;
}

}  // namespace

std::string overlay_line(const char* program, std::uint32_t shown, const ShowTime& time, int frames_per_second,
                         std::size_t cells) {
    const ShowTime::Marks marks = time.marks();
    const int tenths = tenths_of_ms_per_frame(frames_per_second);
    char rate[32];
    std::snprintf(rate, sizeof rate, "%d.%dms", tenths / 10, tenths % 10);
    std::vector<Field> fields;
    for (std::string kept : {std::string(program), printed("%u", shown), printed("t%u", tick_of(shown)),
                             std::string(time.paused() ? "||" : "") + speed_text(time.speed_quarters())})
        fields.push_back({kept, kept});
    if (marks.a) fields.push_back({printed("A%u", marks.a_ms), "A"});
    if (marks.b) fields.push_back({printed("B%u", marks.b_ms), "B"});
    fields.push_back({printed("%ufps", static_cast<unsigned>(frames_per_second)), ""});
    fields.push_back({rate, ""});
    // Each field from the end gives up what it may, until the line fits.
    for (std::size_t i = fields.size(); i-- > 0 && spaced_fields(fields).size() > cells;) fields[i].text = fields[i].least;
    // Then whole fields go from the end; a last one too wide is cut.
    while (fields.size() > 1 && spaced_fields(fields).size() > cells) fields.pop_back();
    std::string line = spaced_fields(fields);
    if (line.size() > cells) line.resize(cells);
    return line;
}
