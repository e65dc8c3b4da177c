// post_message.exe CLASS WHAT: posts one message to the top-level window of
// that class, from outside the program, as the system would: WHAT is
// inactive or active (WM_ACTIVATEAPP with wParam 0 or 1) or escape (the
// Escape key); or, for WHAT client, prints the size of its client area as
// WxH. Exit status 0 when it was posted (or printed), 1 when there is no
// such window, 2 for a bad command line.
#include <windows.h>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    HWND window = FindWindowA(argv[1], nullptr);
    if (!window) return 1;
    const char* what = argv[2];
    BOOL posted = FALSE;
    if (std::strcmp(what, "inactive") == 0) posted = PostMessageA(window, WM_ACTIVATEAPP, 0, 0);
    else if (std::strcmp(what, "active") == 0) posted = PostMessageA(window, WM_ACTIVATEAPP, 1, 0);
    else if (std::strcmp(what, "escape") == 0) posted = PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    else if (std::strcmp(what, "client") == 0) {
        RECT client;
        posted = GetClientRect(window, &client);
        if (posted) std::printf("%ldx%ld\n", client.right, client.bottom);
    } else return 2;
    return posted ? 0 : 1;
}
