#include "progress.h"

#include <cstdio>
#include <string>

namespace {

std::string clock_text(double seconds) {
    const long long s = static_cast<long long>(seconds + 0.5);
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld", s / 60, s % 60);
    return text;
}

}  // namespace

void Progress::update(long long done) {
    const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    const double rate = elapsed > 0 ? done / elapsed : 0;
    const double left = rate > 0 ? (total_ - done) / rate : 0;
    if (terminal_) {
        const int width = 30;
        const int filled = static_cast<int>(width * done / total_);
        std::fprintf(stderr, "\r[%s%s] %lld/%lld frames  %.1f fps  %s left ", std::string(filled, '#').c_str(),
                     std::string(width - filled, '.').c_str(), done, total_, rate, clock_text(left).c_str());
        line_open_ = done != total_;
        if (!line_open_) std::fputc('\n', stderr);
    } else {
        const long long step = total_ / 10 > 0 ? total_ / 10 : 1;
        if (done % step == 0 || done == total_)
            std::fprintf(stderr, "%s %lld of %lld frames (%.1f fps, %s left)\n", verb_, done, total_, rate,
                         clock_text(left).c_str());
    }
    std::fflush(stderr);
}

void Progress::break_line() {
    if (line_open_) std::fputc('\n', stderr);
    line_open_ = false;
}
