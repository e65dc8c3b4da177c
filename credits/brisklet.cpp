// brisklet: a congratulation, the credits and the greetings, then one key.
#include <iostream>

#include "console_key.h"
#include "credit_lines.h"

int main() {
    // std::endl flushes each line, so all of them are on screen while we wait.
    for (const char* line : credit_lines) std::cout << line << std::endl;
    wait_for_key();
    return 0;
}
