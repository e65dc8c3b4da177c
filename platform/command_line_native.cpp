// The command line of the native build: help and version on stdout, bad
// options as one line on stderr, --frame and --frames as PNG files, --record
// through ffmpeg.
#include <csignal>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

#include "command_line.h"
#include "png_file.h"
#include "progress.h"
#include "safe_file.h"
#include "stop_signals.h"
#include "still_frames.h"
#include "video_record.h"

#ifndef PACK_VERSION
#define PACK_VERSION "0"
#endif

namespace {

const CommandLineFeatures native_features{
    "PNG", true, false,
    "Without options the program runs on the screen; Escape ends it and\n"
    "Alt+Enter switches between fullscreen and a window.\n",
    true};

bool write_png_still(const std::string& path, const Still& still, bool keep_existing, std::string& error) {
    return write_png_rgb(path, still.pixels.data(), still.width, still.height, error,
                         keep_existing ? Existing::keep : Existing::replace);
}

bool name_taken(const std::string& path) {
    struct stat info;
    return lstat(path.c_str(), &info) == 0;
}

const StillFiles png_files{".png", write_png_still, name_taken};

int export_frame(const ProgramInfo& info, std::uint32_t ms, bool guides, const std::string& file) {
    std::string error;
    if (!write_png_still(file, render_still(info, ms, guides), false, error)) {
        std::fprintf(stderr, "%s\n", message_line(info.name, error).c_str());
        return 2;
    }
    return 0;
}

int export_frames(const ProgramInfo& info, const FramesOptions& options) {
    StopSignals signals;
    const std::uint64_t count = frames_count(options);
    Progress progress(static_cast<long long>(count), isatty(STDERR_FILENO), "wrote");
    std::uint64_t written = 0;
    const std::string error = write_frame_run(info, options, png_files, &progress, not_stopped, written);
    progress.break_line();
    if (!error.empty()) {
        std::fprintf(stderr, "%s\n", message_line(info.name, error).c_str());
        return 2;
    }
    if (!not_stopped()) {
        std::fprintf(stderr, "%s\n", message_line(info.name, "interrupted after " + std::to_string(written) + " of " +
                                                                  std::to_string(count) + " frames").c_str());
        return 128 + stop_signal();
    }
    return 0;
}

}  // namespace

int handle_command_line(int argc, char** argv, const ProgramInfo& info, RunOptions& run) {
    // Files and pipes opened later never take the number of a closed
    // standard descriptor (a pipe on 0 would be closed by its own dup2).
    keep_standard_descriptors_open();
    const CommandLine line = parse_command_line(argc, argv, native_features);
    // Past a file-size limit a write fails (and is reported) instead of
    // ending the program, here and in ffmpeg, which inherits this.
    if (line.action == CommandLine::frame || line.action == CommandLine::frames || line.action == CommandLine::record)
        std::signal(SIGXFSZ, SIG_IGN);
    run = line.run_options;
    switch (line.action) {
        case CommandLine::run:
            return -1;
        case CommandLine::help:
            std::fputs(help_text(info, native_features).c_str(), stdout);
            return 0;
        case CommandLine::version:
            std::printf("%s %s\n", info.name, PACK_VERSION);
            return 0;
        case CommandLine::frame:
            return export_frame(info, line.ms, line.guides, line.file);
        case CommandLine::frames:
            return export_frames(info, line.frames_options);
        case CommandLine::record:
            return record_video(info, line.record_options);
        case CommandLine::bad:
            break;
    }
    std::fprintf(stderr, "%s\n", usage_line(info, line.error).c_str());
    return 2;
}

int handle_frame_options(int argc, char** argv, const ProgramInfo& info) {
    RunOptions run;
    const int status = handle_command_line(argc, argv, info, run);
    if (status < 0 && (run.window || run.square_pixels)) {
        const char* option = run.window ? "--window" : "--square-pixels";
        std::fprintf(stderr, "%s\n", usage_line(info, std::string("this program has no ") + option).c_str());
        return 2;
    }
    return status;
}

SavedFrame save_shown_frame(const ProgramInfo& info, std::uint32_t ms, bool guides) {
    const SavedFrame saved = save_frame(info, ms, guides, png_files);
    std::FILE* stream = saved.saved ? stdout : stderr;
    std::fprintf(stream, "%s\n", saved.line.c_str());
    std::fflush(stream);
    return saved;
}
