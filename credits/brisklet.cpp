// brisklet: a congratulation, the credits and the greetings, then one key.
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "console_key.h"
#include "credit_lines.h"

namespace {

// One line and its end, flushed, so that all of them are on screen while we
// wait; false once the output cannot take them.
bool write_line(const char* line) {
    return std::fputs(line, stdout) >= 0 && std::fputc('\n', stdout) != EOF && std::fflush(stdout) == 0;
}

}  // namespace

int main() {
    for (const char* line : credit_lines) {
        if (write_line(line)) continue;
        // e.g. redirected to a full disk: nothing to wait for
        const char* why = std::strerror(errno);
        std::fputs("brisklet: cannot write to standard output: ", stderr);
        std::fputs(why, stderr);
        std::fputs("\n", stderr);
        return 1;
    }
    wait_for_key();
    return 0;
}
