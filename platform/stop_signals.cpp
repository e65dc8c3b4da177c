#include "stop_signals.h"

namespace {

constexpr int caught[3] = {SIGINT, SIGTERM, SIGHUP};

volatile std::sig_atomic_t stopped_by = 0;

void on_stop(int signal_number) { stopped_by = signal_number; }

}  // namespace

StopSignals::StopSignals() {
    struct sigaction action {};
    action.sa_handler = on_stop;
    sigemptyset(&action.sa_mask);
    for (int i = 0; i < 3; ++i) {
        sigaction(caught[i], &action, &saved_[i]);
        if (saved_[i].sa_handler == SIG_IGN) sigaction(caught[i], &saved_[i], nullptr);
    }
    action.sa_handler = SIG_IGN;
    sigaction(SIGPIPE, &action, &saved_[3]);
}

StopSignals::~StopSignals() {
    for (int i = 0; i < 3; ++i) sigaction(caught[i], &saved_[i], nullptr);
    sigaction(SIGPIPE, &saved_[3], nullptr);
}

int stop_signal() { return stopped_by; }

bool not_stopped() { return stopped_by == 0; }
