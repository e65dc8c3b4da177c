#include "progress.h"

#include <cstdio>
#include <string>

#include "terminal_text.h"

namespace {

// Whole seconds as M:SS.
std::string clock_text(double seconds) {
    const long long s = static_cast<long long>(seconds + 0.5);
    const long long sec = s % 60;
    return joined({std::to_string(s / 60), sec < 10 ? ":0" : ":", std::to_string(sec)});
}

// A rate with one decimal, rounded to the nearest tenth. Written without
// printf's floating-point conversion, which the Windows programs do without.
std::string tenths_text(double value) {
    const long long tenths = static_cast<long long>(value * 10 + 0.5);
    return joined({std::to_string(tenths / 10), ".", std::to_string(tenths % 10)});
}

}  // namespace

void Progress::update(long long done) {
    const long long step = total_ / 10 > 0 ? total_ / 10 : 1;
    if (!terminal_ && done % step != 0 && done != total_) return;  // a plain line about every tenth only
    // The clock wraps after 2^32 ms; the difference of two readings does not.
    const double elapsed = static_cast<std::uint32_t>(clock_ms() - start_ms_) / 1000.0;
    const double rate = elapsed > 0 ? done / elapsed : 0;
    const double left = rate > 0 ? (total_ - done) / rate : 0;
    const std::string counts =
        joined({std::to_string(done), terminal_ ? "/" : " of ", std::to_string(total_), " frames"});
    std::string line;
    if (terminal_) {
        const int width = 30;
        const int filled = static_cast<int>(width * done / total_);
        line = joined({"\r[", std::string(filled, '#'), std::string(width - filled, '.'), "] ", counts, "  ",
                       tenths_text(rate), " fps  ", clock_text(left), " left "});
        line_open_ = done != total_;
        if (!line_open_) line += '\n';
    } else {
        line = joined({verb_, " ", counts, " (", tenths_text(rate), " fps, ", clock_text(left), " left)\n"});
    }
    std::fputs(line.c_str(), stderr);
    std::fflush(stderr);
}

void Progress::break_line() {
    if (line_open_) std::fputc('\n', stderr);
    line_open_ = false;
}
