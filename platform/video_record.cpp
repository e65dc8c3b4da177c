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
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "picture_scale.h"
#include "rgb.h"
#include "safe_file.h"

extern char** environ;

namespace {

// The signal that interrupts a capture (SIGINT, SIGTERM, SIGHUP), 0 until then.
volatile std::sig_atomic_t interrupted_by = 0;

void on_interrupt(int signal_number) { interrupted_by = signal_number; }
bool not_interrupted() { return interrupted_by == 0; }

// For the length of a capture: the three signals (unless ignored when the
// program started) only set interrupted_by and break off blocking calls; a
// dead encoder's pipe shows up as a failed write instead of ending the process.
class CaptureSignals {
public:
    CaptureSignals() {
        struct sigaction action {};
        action.sa_handler = on_interrupt;
        sigemptyset(&action.sa_mask);
        for (int i = 0; i < 3; ++i) {
            sigaction(caught[i], &action, &saved_[i]);
            if (saved_[i].sa_handler == SIG_IGN) sigaction(caught[i], &saved_[i], nullptr);  // as under nohup
        }
        action.sa_handler = SIG_IGN;
        sigaction(SIGPIPE, &action, &saved_[3]);
    }
    ~CaptureSignals() {
        for (int i = 0; i < 3; ++i) sigaction(caught[i], &saved_[i], nullptr);
        sigaction(SIGPIPE, &saved_[3], nullptr);
    }
    CaptureSignals(const CaptureSignals&) = delete;
    CaptureSignals& operator=(const CaptureSignals&) = delete;

    static constexpr int caught[3] = {SIGINT, SIGTERM, SIGHUP};

private:
    struct sigaction saved_[4];
};

int record_error(const ProgramInfo& info, const std::string& what) {
    std::fprintf(stderr, "%s: %s\n", info.name, what.c_str());
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

std::string extension_of(const std::string& file) {
    std::size_t slash = file.rfind('/');
    std::size_t dot = file.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
    std::string ext = file.substr(dot);
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext;
}

// The container to name for a video written as a stream into a device or
// FIFO (ffmpeg cannot take it from a name there); empty for formats that
// must seek back, such as .mp4's index at the end.
std::string stream_container(const std::string& file) {
    const std::string ext = extension_of(file);
    if (ext == ".mkv") return "matroska";
    if (ext == ".webm") return "webm";
    if (ext == ".nut") return "nut";
    return "";
}

std::string clock_text(double seconds) {
    long s = static_cast<long>(seconds + 0.5);
    char text[32];
    std::snprintf(text, sizeof text, "%ld:%02ld", s / 60, s % 60);
    return text;
}

// Progress on stderr: a bar redrawn in place on a terminal, a plain line
// about every ten per cent otherwise.
class Progress {
public:
    Progress(long total) : total_(total), tty_(isatty(STDERR_FILENO)), start_(std::chrono::steady_clock::now()) {}

    void update(long done) {
        double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
        double rate = elapsed > 0 ? done / elapsed : 0;
        double left = rate > 0 ? (total_ - done) / rate : 0;
        if (tty_) {
            const int width = 30;
            int filled = static_cast<int>(width * done / total_);
            std::fprintf(stderr, "\r[%s%s] %ld/%ld frames  %.1f fps  %s left ", std::string(filled, '#').c_str(),
                         std::string(width - filled, '.').c_str(), done, total_, rate, clock_text(left).c_str());
            line_open_ = done != total_;
            if (!line_open_) std::fputc('\n', stderr);
        } else {
            long step = total_ / 10 > 0 ? total_ / 10 : 1;
            if (done % step == 0 || done == total_)
                std::fprintf(stderr, "recorded %ld of %ld frames (%.1f fps, %s left)\n", done, total_, rate,
                             clock_text(left).c_str());
        }
    }

    // Ends a bar left half drawn, so that a message starts on a line of its own.
    void break_line() {
        if (line_open_) std::fputc('\n', stderr);
        line_open_ = false;
    }

private:
    long total_;
    bool tty_;
    bool line_open_ = false;
    std::chrono::steady_clock::time_point start_;
};

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

std::vector<std::string> ffmpeg_arguments(const RecordOptions& options, const PictureSize& size,
                                          const std::string& output, const std::string& container) {
    std::vector<std::string> args = {"ffmpeg", "-hide_banner", "-nostdin", "-nostats", "-loglevel",
                                     options.verbose ? "level+info" : "level+error", "-xerror", "-y",
                                     "-f", "rawvideo", "-pix_fmt", "bgr0",
                                     "-s", std::to_string(size.width) + "x" + std::to_string(size.height),
                                     "-r", std::to_string(options.fps), "-i", "pipe:0"};
    append_words(args, codec_arguments(options.file));
    if (!container.empty()) args.insert(args.end(), {"-f", container});
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

// Renders, scales and writes every frame; false when the encoder stopped
// reading or a signal interrupted the capture.
bool feed_frames(const ProgramInfo& info, const RecordOptions& options, const PictureSize& size, int fd,
                 Progress& progress) {
    std::vector<std::uint32_t> frame(static_cast<std::size_t>(info.width) * info.height);
    std::vector<std::uint32_t> picture(static_cast<std::size_t>(size.width) * size.height);
    std::vector<std::uint8_t> bytes(picture.size() * 4);
    const long frames = record_frame_count(options);
    for (long i = 0; i < frames && not_interrupted(); ++i) {
        std::uint32_t ms = static_cast<std::uint32_t>(static_cast<std::uint64_t>(i) * 1000u / options.fps);
        info.draw(packed_canvas(frame.data(), info.width, info.height), ms);
        scale_picture(frame.data(), info.width, info.height, options.scale, options.square_pixels, picture.data());
        for (std::size_t k = 0; k < picture.size(); ++k) {  // bgr0: blue byte first, whatever the host
            bytes[k * 4 + 0] = static_cast<std::uint8_t>(blue(picture[k]));
            bytes[k * 4 + 1] = static_cast<std::uint8_t>(green(picture[k]));
            bytes[k * 4 + 2] = static_cast<std::uint8_t>(red(picture[k]));
            bytes[k * 4 + 3] = 0;
        }
        if (!write_all(fd, bytes.data(), bytes.size(), not_interrupted)) return false;
        progress.update(i + 1);
    }
    return not_interrupted();
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
    return 128 + interrupted_by;
}

// Waits for ffmpeg to end, stopping it at once when the capture is
// interrupted; true when it exited with status 0.
bool wait_encoder(const Encoder& encoder) {
    bool stopped = false;
    int status = 0;
    for (;;) {
        if (!not_interrupted() && !stopped) {
            kill(encoder.pid, SIGKILL);  // what it made is thrown away anyway
            stopped = true;
        }
        if (waitpid(encoder.pid, &status, 0) >= 0) break;
        if (errno != EINTR) return false;
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// ffmpeg ends with status 0 after some failures (such as a failed last
// write of an .mp4): any line it logged at error level or worse counts.
// Its messages are passed on to stderr with --verbose.
bool encoder_reported_error(int log, bool verbose) {
    std::string text;
    char buffer[4096];
    ssize_t got;
    lseek(log, 0, SEEK_SET);
    while ((got = read(log, buffer, sizeof buffer)) > 0) text.append(buffer, static_cast<std::size_t>(got));
    if (verbose) std::fputs(text.c_str(), stderr);
    for (const char* level : {"[error] ", "[fatal] ", "[panic] "})
        if (text.find(level) != std::string::npos) return true;
    return false;
}

}  // namespace

long record_frame_count(const RecordOptions& options) { return std::lround(options.seconds * options.fps); }

std::string codec_arguments(const std::string& file) {
    std::string ext = extension_of(file);
    if (ext == ".mkv") return "-c:v ffv1 -pix_fmt bgr0";
    if (ext == ".mp4" || ext == ".mov" || ext == ".m4v") return "-c:v libx264 -pix_fmt yuv420p -crf 18";
    return "";
}

int record_video(const ProgramInfo& info, const RecordOptions& options) {
    if (!executable_on_path("ffmpeg"))
        return record_error(info, "--record needs ffmpeg, which is not on PATH (Debian package: ffmpeg)");
    const long frames = record_frame_count(options);
    if (frames < 1) return record_error(info, "--seconds gives no frame at this --fps");
    const std::string container = stream_container(options.file);
    CaptureSignals signals;
    SafeOutput output;
    std::string error;
    // A file that cannot be written fails now, not after the frames.
    const char* refusal = "not a regular file; only .mkv, .webm and .nut videos can be streamed into one";
    if (!output.open(options.file, container.empty() ? refusal : "", error))
        return not_interrupted() ? record_error(info, error) : interrupted(info, output);

    const PictureSize size = scaled_picture_size(info.width, info.height, options.scale, options.square_pixels);
    const std::string url = output.in_place() ? "pipe:3" : "file:" + output.temporary_path();
    Encoder encoder;
    const bool started = start_encoder(ffmpeg_arguments(options, size, url, output.in_place() ? container : ""),
                                       output.in_place() ? output.fd() : -1, encoder, error);
    if (!started) {
        close_all(encoder);
        return record_error(info, "cannot start ffmpeg: " + error);
    }
    Progress progress(frames);
    const bool fed = feed_frames(info, options, size, encoder.input, progress);
    close(encoder.input);
    encoder.input = -1;
    const bool exited_well = wait_encoder(encoder);
    progress.break_line();
    const bool encoded = fed && exited_well && !encoder_reported_error(encoder.log, options.verbose);
    close_all(encoder);
    if (!not_interrupted()) return interrupted(info, output);
    if (!encoded) {
        const char* hint = options.verbose ? "" : " (--verbose shows its messages)";
        return record_error(info, "cannot write " + options.file + ": ffmpeg failed" + hint);
    }
    if (!output.commit(error)) return record_error(info, error);
    return 0;
}
