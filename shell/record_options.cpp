// The capture options' values, read apart from the rest of the command line:
// only a build that offers --record links them (and the C library's
// decimal conversion that --seconds needs).
#include <cstdlib>

#include "command_line.h"
#include "video_formats.h"

namespace {

// A decimal number above 0 up to `high`: digits with an optional fraction
// (".5", "5.", "1e3", "+5", "0x10" and "inf" are refused).
bool parse_decimal(const char* text, double high, double& value) {
    if (!text) return false;
    const char* p = text;
    std::uint64_t digits = 0;
    if (!read_digits(p, 0, digits) || (*p == '.' && !read_digits(++p, 0, digits)) || *p != '\0') return false;
    const double parsed = std::strtod(text, nullptr);  // the form is checked: nearest double
    if (!(parsed > 0) || parsed > high) return false;
    value = parsed;
    return true;
}

}  // namespace

std::string read_record_option(const std::string& option, const char* value, RecordOptions& record) {
    std::uint64_t whole = 0;
    if (option == "--record") {
        if (!*value) return "--record needs a file name";
        if (is_option(value)) return std::string("--record needs a file name, not the option ") + value;
        if (!video_format_for(value))
            return bad_value(option, value, "a file name ending in " + video_extensions());
        record.file = value;
    } else if (option == "--seconds") {
        if (!parse_decimal(value, 86400, record.seconds))
            return bad_value(option, value, "above 0 up to 86400 (seconds, decimal digits, a fraction as in 2.5)");
    } else if (option == "--start") {
        if (!parse_milliseconds(value, record.start)) return bad_value(option, value, milliseconds_expected);
    } else if (option == "--fps") {
        if (!parse_whole(value, 1, 240, whole))
            return bad_value(option, value, "1 to 240 (frames per second, decimal digits only)");
        record.fps = static_cast<int>(whole);
    } else {
        return parse_scale(value, record.scale);
    }
    return "";
}
