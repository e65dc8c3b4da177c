// brisklet: a congratulation, the credits and the greetings, then one key.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

#include "console_key.h"
#include "credit_lines.h"

int main() {
    // std::endl flushes each line, so all of them are on screen while we wait.
    for (const char* line : credit_lines) std::cout << line << std::endl;
    if (!std::cout) {  // e.g. redirected to a full disk: nothing to wait for
        std::fprintf(stderr, "brisklet: cannot write to standard output: %s\n", std::strerror(errno));
        return 1;
    }
    wait_for_key();
    return 0;
}
