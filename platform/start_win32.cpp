// Where the Windows programs start: the little that they need before main,
// instead of mingw-w64's start-up code (its thread-local storage support,
// pseudo-relocation, exception-to-signal mapping and their messages, some
// 9 KB in each exe). The system's C runtime, msvcrt.dll, sets itself up
// when it is loaded; what is left is:
//   - the x87 at 53-bit precision, rounding to nearest, every exception
//     masked (the C runtime's default control word), so that doubles round
//     as IEEE doubles;
//   - the runtime told whether the program is a console or a GUI one (how it
//     reports its own fatal errors);
//   - the arguments, split by the runtime as for any program of its time,
//     without wildcard expansion;
//   - our static constructors (__main; the compiler calls it from main too,
//     and it runs them once), and exit, which runs the destructors that they
//     registered and flushes the streams.
// Nothing of ours uses thread-local storage or the C runtime's initialiser
// tables (the era check refuses .tls and .CRT sections in the shipped
// files), and the programs are linked with --disable-auto-import, so no
// reference to a DLL's data waits for a fix-up at run time.
#include <cstdlib>

extern "C" {
// msvcrt.dll's own entries.
int __getmainargs(int* argc, char*** argv, char*** environment, int expand_wildcards, int* start_info);
void __set_app_type(int type);
// mingw-w64's: runs the static constructors once.
void __main();
}

int main(int argc, char** argv);

namespace {

enum AppType { console_app = 1, gui_app = 2 };

[[noreturn]] void start(AppType type) {
    // Precision 53 bits, round to nearest, all exceptions masked.
    const unsigned short control = 0x027F;
    __asm__ volatile("fninit\n\tfldcw %0" : : "m"(control));
    __set_app_type(type);
    int argc = 0, new_mode = 0;
    char** argv = nullptr;
    char** environment = nullptr;
    if (__getmainargs(&argc, &argv, &environment, 0, &new_mode) < 0) std::abort();
    __main();
    std::exit(main(argc, argv));
}

}  // namespace

extern "C" {

// The linker's default entries for the two subsystems. The system calls them
// with a stack aligned to 4 bytes; the compiler's code wants 16.
__attribute__((force_align_arg_pointer)) void WinMainCRTStartup() { start(gui_app); }
__attribute__((force_align_arg_pointer)) void mainCRTStartup() { start(console_app); }

// The static constructors register their destructors here, and the C++
// library its own; msvcrt.dll's exit runs them in reverse order.
int atexit(void (*function)()) {
    return _onexit(reinterpret_cast<_onexit_t>(reinterpret_cast<void*>(function))) ? 0 : -1;
}

}  // extern "C"
