#pragma once
// brisklet's eleven lines: the congratulation, the credits and the greetings,
// shared by the console program and the browser page.

inline constexpr const char* const credit_lines[] = {
    "Ehh, Grattis Vobben!!!",
    "",
    "Made at Fennick 2001",
    "Coding by Brask",
    "GFX by Brask",
    "SFX by Brask",
    "Inspiration and pizza-ordering by mirelda_37",
    "Greetz to Tovrik",
    "Greetz to Halvo",
    "",
    "774. Kapa internet med en ABC80",
};
inline constexpr int credit_line_count = sizeof credit_lines / sizeof credit_lines[0];
