// Console key on POSIX terminals: one key in non-canonical, no-echo mode,
// with the terminal's settings restored on every way out, given back while
// the program is stopped (Ctrl-Z) and taken again when it continues.
#include "console_key.h"

#include <cerrno>
#include <csignal>
#include <initializer_list>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

termios saved_settings;
termios key_settings;
volatile std::sig_atomic_t settings_changed = 0;

// The rest of a key's byte sequence (an arrow sends ESC [ A) arrives at once;
// 20 ms is far below any two presses and above a slow remote terminal's gap.
constexpr int sequence_gap_ms = 20;

void restore_terminal() {
    if (settings_changed) tcsetattr(STDIN_FILENO, TCSANOW, &saved_settings);
}

// Restores the terminal, then lets the signal end the process as it would have.
void on_fatal_signal(int signal_number) {
    restore_terminal();
    std::signal(signal_number, SIG_DFL);
    std::raise(signal_number);
}

// Ctrl-Z: the shell gets its terminal back as it was, then the process stops.
void on_stop_signal(int) {
    const int saved_errno = errno;
    restore_terminal();
    std::signal(SIGTSTP, SIG_DFL);
    sigset_t stop;
    sigemptyset(&stop);
    sigaddset(&stop, SIGTSTP);
    std::raise(SIGTSTP);                       // pending while this handler runs
    sigprocmask(SIG_UNBLOCK, &stop, nullptr);  // stops here
    std::signal(SIGTSTP, on_stop_signal);  // continued (on_continue has run)
    errno = saved_errno;
}

// Continued (fg): the single-key mode again.
void on_continue(int) {
    const int saved_errno = errno;
    if (settings_changed) tcsetattr(STDIN_FILENO, TCSANOW, &key_settings);
    errno = saved_errno;
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

// Drops the bytes that follow a key's first within the sequence gap, so that
// none of them reaches the shell after the program ends.
void drop_rest_of_key() {
    pollfd input{STDIN_FILENO, POLLIN, 0};
    unsigned char bytes[64];
    while (poll(&input, 1, sequence_gap_ms) > 0 && (input.revents & POLLIN))
        if (read(STDIN_FILENO, bytes, sizeof bytes) <= 0) break;
}

}  // namespace

void wait_for_key() {
    if (!isatty(STDIN_FILENO) || tcgetattr(STDIN_FILENO, &saved_settings) != 0) {
        read_one_byte();
        return;
    }
    for (int signal_number : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) std::signal(signal_number, on_fatal_signal);

    key_settings = saved_settings;
    key_settings.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
    key_settings.c_cc[VMIN] = 1;
    key_settings.c_cc[VTIME] = 0;
    settings_changed = 1;
    std::signal(SIGCONT, on_continue);
    std::signal(SIGTSTP, on_stop_signal);
    if (tcsetattr(STDIN_FILENO, TCSANOW, &key_settings) != 0) {
        settings_changed = 0;
        return;
    }
    if (read_one_byte()) drop_rest_of_key();
    restore_terminal();
    settings_changed = 0;
}
