#pragma once
// Ctrl-C, SIGTERM and SIGHUP during a long run of frames (a capture, a run
// of still frames), natively: they stop the run where it is, so that what
// it writes is either whole or removed, instead of ending the process.
#include <csignal>

// For the object's lifetime the three signals (unless ignored when the
// program started, as under nohup) only note themselves and break off
// blocking calls; SIGPIPE is ignored, so that a dead reader's pipe shows up
// as a failed write.
class StopSignals {
public:
    StopSignals();
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

private:
    struct sigaction saved_[4];
};

// The signal that stopped the run, 0 until one came.
int stop_signal();
// No signal has come: the run goes on.
bool not_stopped();
