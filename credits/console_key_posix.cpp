// Console key on POSIX terminals: one byte in non-canonical, no-echo mode,
// with the terminal's settings restored on every way out.
#include "console_key.h"

#include <csignal>
#include <initializer_list>
#include <cerrno>
#include <termios.h>
#include <unistd.h>

namespace {

termios saved_settings;
volatile std::sig_atomic_t settings_changed = 0;

void restore_terminal() {
    if (settings_changed) tcsetattr(STDIN_FILENO, TCSANOW, &saved_settings);
}

// Restores the terminal, then lets the signal end the process as it would have.
void on_fatal_signal(int signal_number) {
    restore_terminal();
    std::signal(signal_number, SIG_DFL);
    std::raise(signal_number);
}

// One byte from standard input; false at end of input or on a read error.
bool read_one_byte() {
    unsigned char byte;
    for (;;) {
        ssize_t got = read(STDIN_FILENO, &byte, 1);
        if (got == 1) return true;
        if (got < 0 && errno == EINTR) continue;
        return false;
    }
}

}  // namespace

void wait_for_key() {
    if (!isatty(STDIN_FILENO) || tcgetattr(STDIN_FILENO, &saved_settings) != 0) {
        read_one_byte();
        return;
    }
    for (int signal_number : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) std::signal(signal_number, on_fatal_signal);

    termios raw = saved_settings;
    raw.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
    raw.c_cc[VMIN] = 1;
    raw.c_cc[VTIME] = 0;
    settings_changed = 1;
    if (tcsetattr(STDIN_FILENO, TCSANOW, &raw) != 0) {
        settings_changed = 0;
        return;
    }
    read_one_byte();
    restore_terminal();
    settings_changed = 0;
}
