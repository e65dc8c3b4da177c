#pragma once
// Presents paced to the display's refresh where the display does not wait
// for it itself (a bare X server, a GDI window): frames nobody can see are
// not drawn. The pacer keeps a grid of refresh times, one period apart.
#include <cstdint>

class RefreshPacer {
public:
    // Called after each present with the time now and the refresh period
    // (any one unit); returns how long to wait before drawing the next frame.
    // A present that waited for the display comes back at about the refresh
    // the grid expects and waits no more; one that did not comes back early
    // and waits for it. On the first present, when far behind (a slow frame,
    // a stopped process) or when the clock went back, the grid starts afresh
    // one period from now.
    std::uint64_t wait_after_present(std::uint64_t now, std::uint64_t period) {
        if (next_ == 0 || now >= next_ + period || (now < next_ && next_ - now > period)) {
            next_ = now + period;
            return 0;
        }
        const std::uint64_t wait = now < next_ ? next_ - now : 0;
        next_ += period;
        return wait;
    }

private:
    std::uint64_t next_ = 0;  // the next refresh of the grid
};
