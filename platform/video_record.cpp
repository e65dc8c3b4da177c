#include "video_record.h"

#include <cerrno>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <cstdint>
#include <fcntl.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "picture_scale.h"
#include "progress.h"
#include "rgb.h"
#include "safe_file.h"
#include "stop_signals.h"
#include "terminal_text.h"
#include "video_formats.h"

extern char** environ;

namespace {

int record_error(const ProgramInfo& info, const std::string& what) {
    std::fprintf(stderr, "%s\n", message_line(info.name, what).c_str());
    return 2;
}

bool executable_on_path(const char* name) {
    const char* path = std::getenv("PATH");
    if (!path) return false;
    std::string dirs = path;
    std::size_t start = 0;
    while (start <= dirs.size()) {
        std::size_t end = dirs.find(':', start);
        if (end == std::string::npos) end = dirs.size();
        std::string dir = dirs.substr(start, end - start);
        std::string candidate = (dir.empty() ? "." : dir) + "/" + name;
        if (access(candidate.c_str(), X_OK) == 0) return true;
        start = end + 1;
    }
    return false;
}

// Split on single spaces (our own fixed argument strings only).
void append_words(std::vector<std::string>& args, const std::string& words) {
    std::size_t start = 0;
    while (start < words.size()) {
        std::size_t end = words.find(' ', start);
        if (end == std::string::npos) end = words.size();
        if (end > start) args.push_back(words.substr(start, end - start));
        start = end + 1;
    }
}

struct Encoder {
    pid_t pid = -1;
    int input = -1;  // our end of the pipe that carries the frames
    int log = -1;    // what ffmpeg printed (a file in memory)
};

std::vector<std::string> ffmpeg_arguments(const RecordOptions& options, const VideoFormat& format,
                                          const PictureSize& size, const std::string& output, bool stream) {
    std::vector<std::string> args = {"ffmpeg", "-hide_banner", "-nostdin", "-nostats", "-loglevel",
                                     options.verbose ? "level+info" : "level+error", "-xerror", "-y",
                                     "-f", "rawvideo", "-pix_fmt", "bgr0",
                                     "-s", std::to_string(size.width) + "x" + std::to_string(size.height),
                                     "-r", std::to_string(options.fps), "-i", "pipe:0"};
    append_words(args, format.codec);
    if (stream) args.insert(args.end(), {"-f", format.container});
    args.push_back(output);
    return args;
}

// Starts ffmpeg in a process group of its own (a Ctrl-C at the terminal is
// ours to handle), frames on its standard input, its messages into a file in
// memory, and `out_fd` (when not -1) as its descriptor 3.
bool start_encoder(std::vector<std::string> args, int out_fd, Encoder& encoder, std::string& error) {
    int pipe_fds[2];
    if (pipe2(pipe_fds, O_CLOEXEC) != 0) return error = std::strerror(errno), false;
    encoder.input = pipe_fds[1];
    encoder.log = memfd_create("ffmpeg-messages", MFD_CLOEXEC);
    if (encoder.log < 0) {
        close(pipe_fds[0]);
        return error = std::strerror(errno), false;
    }
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(&a[0]);
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipe_fds[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, encoder.log, STDERR_FILENO);
    if (out_fd >= 0) posix_spawn_file_actions_adddup2(&actions, out_fd, 3);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults;
    sigemptyset(&defaults);
    for (int signal_number : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) sigaddset(&defaults, signal_number);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setpgroup(&attributes, 0);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETPGROUP);
    const int spawned = posix_spawnp(&encoder.pid, "ffmpeg", &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    close(pipe_fds[0]);
    if (spawned != 0) return error = std::strerror(spawned), false;
    return true;
}

// Frame i of the capture: drawn (with the guides when asked), scaled and packed as ffmpeg's bgr0
// (blue byte first, whatever the host).
class FramePacker {
public:
    FramePacker(const ProgramInfo& info, const RecordOptions& options, const PictureSize& size)
        : info_(info), options_(options), frame_(static_cast<std::size_t>(info.width) * info.height),
          picture_(static_cast<std::size_t>(size.width) * size.height), bytes_(picture_.size() * 4) {}

    const std::vector<std::uint8_t>& pack(long i) {
        const auto ms = record_frame_ms(options_, i);
        draw_frame(info_, packed_canvas(frame_.data(), info_.width, info_.height), ms, options_.guides);
        scale_picture(frame_.data(), info_.width, info_.height, options_.scale, options_.square_pixels,
                      picture_.data());
        for (std::size_t k = 0; k < picture_.size(); ++k) {
            bytes_[k * 4 + 0] = static_cast<std::uint8_t>(blue(picture_[k]));
            bytes_[k * 4 + 1] = static_cast<std::uint8_t>(green(picture_[k]));
            bytes_[k * 4 + 2] = static_cast<std::uint8_t>(red(picture_[k]));
            bytes_[k * 4 + 3] = 0;
        }
        return bytes_;
    }

private:
    const ProgramInfo& info_;
    const RecordOptions& options_;
    std::vector<std::uint32_t> frame_, picture_;
    std::vector<std::uint8_t> bytes_;
};

// Writes every frame; false when the encoder stopped reading or a signal
// interrupted the capture.
bool feed_frames(FramePacker& packer, long frames, int fd, Progress& progress) {
    for (long i = 0; i < frames && not_stopped(); ++i) {
        const std::vector<std::uint8_t>& bytes = packer.pack(i);
        if (!write_all(fd, bytes.data(), bytes.size(), not_stopped)) return false;
        progress.update(i + 1);
    }
    return not_stopped();
}

void close_all(Encoder& encoder) {
    for (int* fd : {&encoder.input, &encoder.log}) {
        if (*fd >= 0) close(*fd);
        *fd = -1;
    }
}

// SIGINT, SIGTERM or SIGHUP ended the capture: nothing is left behind, and
// the status is the shell's for a process ended by that signal.
int interrupted(const ProgramInfo& info, SafeOutput& output) {
    output.discard();
    std::fprintf(stderr, "%s: capture interrupted; nothing written\n", info.name);
    return 128 + stop_signal();
}

// Waits for ffmpeg to end, stopping it at once when the capture is
// interrupted; its wait status, or -1 when it could not be had.
int wait_encoder(const Encoder& encoder) {
    bool stopped = false;
    int status = 0;
    for (;;) {
        if (!not_stopped() && !stopped) {
            kill(encoder.pid, SIGKILL);  // what it made is thrown away anyway
            stopped = true;
        }
        if (waitpid(encoder.pid, &status, 0) >= 0) return status;
        if (errno != EINTR) return -1;
    }
}

// What ffmpeg printed, one line each, from its file in memory.
std::vector<std::string> encoder_messages(int log) {
    std::string text;
    char buffer[4096];
    ssize_t got;
    lseek(log, 0, SEEK_SET);
    while ((got = read(log, buffer, sizeof buffer)) > 0) text.append(buffer, static_cast<std::size_t>(got));
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// A line of ffmpeg's without its leading tags ("[libx264 @ 0x...] [error] ");
// empty unless it was logged at error level or worse (ffmpeg ends with
// status 0 after some failures, such as a failed last write of an .mp4: such
// a line counts as failure).
std::string error_text(const std::string& line) {
    for (const char* level : {"[error] ", "[fatal] ", "[panic] "}) {
        const std::size_t at = line.find(level);
        if (at != std::string::npos && (at == 0 || (at >= 2 && line.compare(at - 2, 2, "] ") == 0)))
            return line.substr(at + std::strlen(level));
    }
    return "";
}

// Errors of the system that mean the output itself could not be written.
bool output_error_in(const std::string& text, std::string& cause) {
    for (int error_number : {ENOSPC, EDQUOT, EFBIG, EIO, EROFS, EPIPE}) {
        const std::string system = std::string(": ") + std::strerror(error_number);
        if (text.size() >= system.size() && text.compare(text.size() - system.size(), system.size(), system) == 0)
            return cause = std::strerror(error_number), true;
    }
    return false;
}

// Why the encoder failed, for "cannot write FILE: WHY"; empty when it did
// not. The system's error for the output comes first (the words a PNG on
// the same disk gets), then ffmpeg's own last error, with the temporary
// file's name shown as the user's, then how it ended.
std::string encoder_failure(const std::vector<std::string>& messages, int status, bool fed,
                            const std::string& temporary, const std::string& file) {
    std::string last, cause;
    for (const std::string& line : messages) {
        const std::string text = error_text(line);
        if (text.empty()) continue;
        if (output_error_in(text, cause)) return cause;
        last = text;
    }
    if (status != -1 && WIFSIGNALED(status) && WTERMSIG(status) == SIGPIPE) return std::strerror(EPIPE);
    if (!last.empty()) {
        for (const std::string& name : {"file:" + temporary, temporary}) {
            if (name.size() <= 5) continue;
            for (std::size_t at; (at = last.find(name)) != std::string::npos;) last.replace(at, name.size(), file);
        }
        return "ffmpeg: " + last;
    }
    if (status == -1) return "ffmpeg's end could not be waited for";
    if (WIFSIGNALED(status)) return "ffmpeg was ended by signal " + std::to_string(WTERMSIG(status)) + " (" +
                                    strsignal(WTERMSIG(status)) + ")";
    if (WEXITSTATUS(status) != 0) return "ffmpeg ended with status " + std::to_string(WEXITSTATUS(status));
    if (!fed) return "ffmpeg stopped taking frames";
    return "";
}

// "12 GB", "340 MB": decimal units, two figures or more.
std::string size_text(double bytes) {
    const char* units[] = {"bytes", "kB", "MB", "GB", "TB", "PB"};
    int unit = 0;
    while (bytes >= 1000 && unit < 5) bytes /= 1000, ++unit;
    char text[32];
    std::snprintf(text, sizeof text, bytes < 10 && unit > 0 ? "%.1f %s" : "%.0f %s", bytes, units[unit]);
    return text;
}

// "40 s", "35 min", "61 h".
std::string duration_text(double seconds) {
    char text[32];
    if (seconds < 120) std::snprintf(text, sizeof text, "%.0f s", seconds);
    else if (seconds < 7200) std::snprintf(text, sizeof text, "%.0f min", seconds / 60);
    else std::snprintf(text, sizeof text, "%.0f h", seconds / 3600);
    return text;
}

// Bytes free to an ordinary user in the folder of `path`; -1 when unknown.
double free_bytes_beside(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    struct statvfs info;
    if (slash == std::string::npos || statvfs(path.substr(0, slash + 1).c_str(), &info) != 0) return -1;
    return static_cast<double>(info.f_bavail) * static_cast<double>(info.f_frsize);
}

// Seconds a frame takes to render, scale and pack: the middle one, whose
// drawing is more like the average than the first's.
double time_a_frame(FramePacker& packer, long frames) {
    const auto start = std::chrono::steady_clock::now();
    packer.pack(frames / 2);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Before the first frame of a long capture (an hour of video, or an hour to
// make), or of one that may not fit its folder: what it will take, on
// stderr whatever stderr is.
void announce_estimate(const ProgramInfo& info, const RecordOptions& options, const VideoFormat& format,
                       const PictureSize& size, double frame_seconds, const SafeOutput& output) {
    const long frames = record_frame_count(options);
    const double pixels = static_cast<double>(size.width) * size.height;
    const double bytes = frames * pixels * format.frame_bytes * std::pow(options.scale, format.scale_power - 2);
    const double encode = pixels / format.pixels_per_second;
    const double seconds = frames * (frame_seconds > encode ? frame_seconds : encode);
    const double free = output.in_place() ? -1 : free_bytes_beside(output.temporary_path());
    const bool too_big = free >= 0 && bytes > free;
    if (options.seconds <= 3600 && seconds <= 3600 && !too_big) return;
    std::string text = "this capture of " + std::to_string(frames) + " frames of " + std::to_string(size.width) +
                       "x" + std::to_string(size.height) +
                       (options.start ? " from " + std::to_string(options.start) + " ms" : "") + " takes about " + size_text(bytes) + " and " +
                       duration_text(seconds);
    if (free >= 0) text += too_big ? "; its folder has only " + size_text(free) + " free"
                                   : "; its folder has " + size_text(free) + " free";
    std::fprintf(stderr, "%s\n", message_line(info.name, text).c_str());
}

}  // namespace

long record_frame_count(const RecordOptions& options) { return std::lround(options.seconds * options.fps); }

std::uint32_t record_frame_ms(const RecordOptions& options, long i) {
    return static_cast<std::uint32_t>(options.start + static_cast<std::uint64_t>(i) * 1000u / options.fps);
}

std::string codec_arguments(const std::string& file) {
    const VideoFormat* format = video_format_for(file);
    return format ? format->codec : "";
}

int record_video(const ProgramInfo& info, const RecordOptions& options) {
    const VideoFormat* format = video_format_for(options.file);
    if (!format)
        return record_error(info, "cannot write " + options.file + ": a video's name ends in " + video_extensions());
    if (!executable_on_path("ffmpeg"))
        return record_error(info, "--record needs ffmpeg, which is not on PATH (Debian package: ffmpeg)");
    const long frames = record_frame_count(options);
    if (frames < 1) return record_error(info, "--seconds gives no frame at this --fps");
    StopSignals signals;
    SafeOutput output;
    std::string error;
    // A file that cannot be written fails now, not after the frames.
    const bool streams = *format->container != '\0';
    const char* refusal = "not a regular file; only .mkv, .webm and .nut videos can be streamed into one";
    if (!output.open(options.file, streams ? "" : refusal, error))
        return not_stopped() ? record_error(info, error) : interrupted(info, output);

    const PictureSize size = scaled_picture_size(info.width, info.height, options.scale, options.square_pixels);
    FramePacker packer(info, options, size);
    announce_estimate(info, options, *format, size, time_a_frame(packer, frames), output);
    const std::string url = output.in_place() ? "pipe:3" : "file:" + output.temporary_path();
    Encoder encoder;
    const bool started = start_encoder(ffmpeg_arguments(options, *format, size, url, output.in_place()),
                                       output.in_place() ? output.fd() : -1, encoder, error);
    if (!started) {
        close_all(encoder);
        return record_error(info, "cannot start ffmpeg: " + error);
    }
    Progress progress(frames, isatty(STDERR_FILENO), "recorded");
    const bool fed = feed_frames(packer, frames, encoder.input, progress);
    close(encoder.input);
    encoder.input = -1;
    const int status = wait_encoder(encoder);
    progress.break_line();
    const std::vector<std::string> messages = encoder_messages(encoder.log);
    close_all(encoder);
    if (options.verbose)
        for (const std::string& line : messages) std::fprintf(stderr, "%s\n", escape_controls(line).c_str());
    if (!not_stopped()) return interrupted(info, output);
    const std::string failure = encoder_failure(messages, status, fed, output.temporary_path(), options.file);
    if (!failure.empty()) return record_error(info, "cannot write " + options.file + ": " + failure);
    if (!output.commit(error)) return record_error(info, error);
    return 0;
}
