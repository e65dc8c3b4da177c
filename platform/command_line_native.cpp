// The command line of the native build: help and version on stdout, bad
// options as one line on stderr, --frame as a PNG, --record through ffmpeg.
#include <csignal>
#include <cstdio>
#include <vector>

#include "command_line.h"
#include "png_file.h"
#include "safe_file.h"
#include "video_record.h"

#ifndef PACK_VERSION
#define PACK_VERSION "0"
#endif

namespace {

const CommandLineFeatures native_features{
    "PNG", read_record_option, false,
    "Without options the program runs on the screen; Escape ends it and\n"
    "Alt+Enter switches between fullscreen and a window.\n",
    true};

int export_frame(const ProgramInfo& info, std::uint32_t ms, const std::string& file) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(info.width) * info.height, 0u);
    info.draw(packed_canvas(pixels.data(), info.width, info.height), ms);
    std::string error;
    if (!write_png_rgb(file, pixels.data(), info.width, info.height, error)) {
        std::fprintf(stderr, "%s\n", message_line(info.name, error).c_str());
        return 2;
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
    if (line.action == CommandLine::frame || line.action == CommandLine::record) std::signal(SIGXFSZ, SIG_IGN);
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
            return export_frame(info, line.ms, line.file);
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
