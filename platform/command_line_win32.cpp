// The command line of the Win32 build. The programs are GUI programs, so
// text goes to whatever standard handle they were given (a pipe, a file, a
// console), else to the console of the program that started them (attached
// when the system has AttachConsole, which came with XP), else into a
// message box. --frame and --frames write 24-bit BMPs.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bmp_file.h"
#include "command_line.h"
#include "progress.h"
#include "still_frames.h"
#include "terminal_text.h"

#ifndef PACK_VERSION
#define PACK_VERSION "0"
#endif

namespace {

const CommandLineFeatures win32_features{
    "BMP", nullptr, true,
    "Without options the program runs on the screen; Escape ends it. In a\n"
    "window, Alt+Enter switches between the window and the whole screen.\n",
    false};

bool has_handle(DWORD which) {
    HANDLE handle = GetStdHandle(which);
    return handle && handle != INVALID_HANDLE_VALUE && GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

// True when `stream` (stdout or stderr) reaches somewhere a person or a
// program can read it.
bool console_for(std::FILE* stream, DWORD which) {
    if (has_handle(which)) return true;
    using AttachConsoleFunction = BOOL(WINAPI*)(DWORD);
    static const auto attach = reinterpret_cast<AttachConsoleFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "AttachConsole")));
    static const bool attached = attach && attach(static_cast<DWORD>(-1));  // ATTACH_PARENT_PROCESS
    return attached && std::freopen("CONOUT$", "w", stream) != nullptr;
}

// Text for a person: on the console when there is one, else in a box.
void tell(const ProgramInfo& info, const std::string& text, bool error) {
    std::FILE* stream = error ? stderr : stdout;
    if (console_for(stream, error ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE)) {
        std::fputs(text.c_str(), stream);
        std::fflush(stream);
        return;
    }
    MessageBoxA(nullptr, text.c_str(), info.name, MB_OK | (error ? MB_ICONERROR : MB_ICONINFORMATION));
}

std::string system_message(DWORD code) {
    char buffer[256] = "";
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, buffer,
                   sizeof buffer, nullptr);
    std::string text = buffer;
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == '.' || text.back() == ' '))
        text.pop_back();
    return text.empty() ? joined({"error ", std::to_string(code)}) : text;
}

std::string folder_of(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\:");
    if (slash == std::string::npos) return ".";
    return path.substr(0, path[slash] == ':' ? slash + 1 : slash);
}

// Writes `bytes` to a new file of a unique name beside `path`, flushes it to
// disk and moves it over `path` (with `keep_existing`, to `path` only while
// nothing is there), so that a failure never leaves a partial file under that
// name. On failure says why in `error`.
bool replace_file(const std::string& path, const std::vector<std::uint8_t>& bytes, bool keep_existing,
                  std::string& error) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        error = "it is a folder";
        return false;
    }
    char temp[MAX_PATH];
    if (!GetTempFileNameA(folder_of(path).c_str(), "vkr", 0, temp)) {
        error = system_message(GetLastError());
        return false;
    }
    HANDLE file = CreateFileA(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    bool ok = file != INVALID_HANDLE_VALUE &&
              WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
              written == bytes.size() && FlushFileBuffers(file);
    DWORD code = ok ? 0 : GetLastError();
    if (file != INVALID_HANDLE_VALUE && !CloseHandle(file) && ok) ok = false, code = GetLastError();
    const DWORD move = MOVEFILE_WRITE_THROUGH | (keep_existing ? 0 : MOVEFILE_REPLACE_EXISTING);
    if (ok && !MoveFileExA(temp, path.c_str(), move))
        ok = false, code = GetLastError();
    if (!ok) {
        DeleteFileA(temp);
        error = system_message(code);
    }
    return ok;
}

bool write_bmp_still(const std::string& path, const Still& still, bool keep_existing, std::string& error) {
    if (replace_file(path, encode_bmp24(still.pixels.data(), still.width, still.height), keep_existing, error))
        return true;
    error = joined({"cannot write ", path, ": ", error});
    return false;
}

bool name_taken(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

const StillFiles bmp_files{".bmp", write_bmp_still, name_taken};

int export_frame(const ProgramInfo& info, std::uint32_t ms, bool guides, const std::string& file) {
    std::string error;
    if (!write_bmp_still(file, render_still(info, ms, guides), false, error)) {
        tell(info, joined({message_line(info.name, error), "\n"}), true);
        return 2;
    }
    return 0;
}

// Progress goes where text for a person can (never into a message box).
int export_frames(const ProgramInfo& info, const FramesOptions& options) {
    const bool shown = console_for(stderr, STD_ERROR_HANDLE);
    Progress progress(static_cast<long long>(frames_count(options)),
                      shown && GetFileType(GetStdHandle(STD_ERROR_HANDLE)) == FILE_TYPE_CHAR, "wrote");
    std::uint64_t written = 0;
    const std::string error = write_frame_run(info, options, bmp_files, shown ? &progress : nullptr, nullptr, written);
    progress.break_line();
    if (error.empty()) return 0;
    tell(info, joined({message_line(info.name, error), "\n"}), true);
    return 2;
}

}  // namespace

int handle_command_line(int argc, char** argv, const ProgramInfo& info, RunOptions& run) {
    const CommandLine line = parse_command_line(argc, argv, win32_features);
    run = line.run_options;
    switch (line.action) {
        case CommandLine::run:
            return -1;
        case CommandLine::help:
            tell(info, help_text(info, win32_features), false);
            return 0;
        case CommandLine::version:
            tell(info, joined({info.name, " ", PACK_VERSION, "\n"}), false);
            return 0;
        case CommandLine::frame:
            return export_frame(info, line.ms, line.guides, line.file);
        case CommandLine::frames:
            return export_frames(info, line.frames_options);
        case CommandLine::record:  // not offered here: parse_command_line refuses it
        case CommandLine::bad:
            break;
    }
    tell(info, joined({usage_line(info, line.error), "\n"}), true);
    return 2;
}

SavedFrame save_shown_frame(const ProgramInfo& info, std::uint32_t ms, bool guides) {
    const SavedFrame saved = save_frame(info, ms, guides, bmp_files);
    if (!saved.saved || console_for(stdout, STD_OUTPUT_HANDLE)) tell(info, joined({saved.line, "\n"}), !saved.saved);
    return saved;
}
