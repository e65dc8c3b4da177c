// brisklet: a congratulation, the credits and the greetings, then one key.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

#include "console_key.h"

namespace {

const char* const credit_lines[] = {
    "Ehh, Grattis Vobben!!!",
    "",
    "Made at Fennick 2001",
    "Coding by Brask",
    "GFX by Brask",
    "SFX by Brask",
    "Inspiration and pizza-ordering by mirelda_37",
    "Greetz to Tovrik",
    "Greetz to Halvo",
    "",
    "774. Kapa internet med en ABC80",
};

}  // namespace

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
