#pragma once
// Progress of a long run of frames on stderr (a capture, a run of still
// frames): on a terminal one bar redrawn in place, otherwise a plain line
// about every ten per cent, "VERB 12 of 120 frames (...)".
#include <cstdint>

#include "clock.h"

class Progress {
public:
    // `terminal`: stderr is one, so the bar may be redrawn in place.
    Progress(long long total, bool terminal, const char* verb)
        : total_(total), terminal_(terminal), verb_(verb), start_ms_(clock_ms()) {}

    // `done` of the total frames are done.
    void update(long long done);

    // Ends a bar left half drawn, so that a message starts on a line of its own.
    void break_line();

private:
    long long total_;
    bool terminal_;
    const char* verb_;
    bool line_open_ = false;
    std::uint32_t start_ms_;  // the program's clock (clock.h) at the start
};
