#include "terminal_text.h"

#include <cstdio>

namespace {

std::string hex_escape(const char* form, unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, form, value);
    return text;
}

// The length of the well-formed UTF-8 sequence at `p` (of `left` bytes) and
// its code point; 0 when the bytes there are not one.
std::size_t utf8_sequence(const unsigned char* p, std::size_t left, unsigned& code) {
    std::size_t length = p[0] >= 0xF0 ? 4 : p[0] >= 0xE0 ? 3 : 2;
    if (p[0] < 0xC2 || p[0] > 0xF4 || left < length) return 0;
    code = p[0] & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((p[i] & 0xC0) != 0x80) return 0;
        code = code << 6 | (p[i] & 0x3F);
    }
    const unsigned least[5] = {0, 0, 0x80, 0x800, 0x10000};  // shortest forms only
    if (code < least[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return length;
}

}  // namespace

std::string escape_controls(const std::string& text) {
    std::string shown;
    shown.reserve(text.size());
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char c = bytes[i];
        if (c >= 0x20 && c < 0x7F) {
            shown += static_cast<char>(c);
            ++i;
        } else if (c == '\n' || c == '\r' || c == '\t') {
            shown += c == '\n' ? "\\n" : c == '\r' ? "\\r" : "\\t";
            ++i;
        } else if (c < 0x80) {
            shown += hex_escape("\\x%02x", c);
            ++i;
        } else {
            unsigned code = 0;
            const std::size_t length = utf8_sequence(bytes + i, text.size() - i, code);
            if (length == 0) {
                shown += hex_escape("\\x%02x", c);
                ++i;
            } else {
                shown += code <= 0x9F ? hex_escape("\\u%04x", code) : text.substr(i, length);
                i += length;
            }
        }
    }
    return shown;
}

std::string joined(std::initializer_list<std::string_view> parts) {
    std::size_t size = 0;
    for (std::string_view part : parts) size += part.size();
    std::string text;
    text.reserve(size);
    for (std::string_view part : parts) text.append(part.data(), part.size());
    return text;
}
