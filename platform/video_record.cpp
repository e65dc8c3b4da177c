#include "video_record.h"

#include <cerrno>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <cstdint>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "picture_scale.h"

extern char** environ;

namespace {

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

// "name.mp4" -> "name.partial.mp4": beside the target, same extension so that
// ffmpeg still picks the container from it.
std::string temporary_name(const std::string& file) {
    std::string ext = extension_of(file);
    return file.substr(0, file.size() - ext.size()) + ".partial" + ext;
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
            if (done == total_) std::fputc('\n', stderr);
        } else {
            long step = total_ / 10 > 0 ? total_ / 10 : 1;
            if (done % step == 0 || done == total_)
                std::fprintf(stderr, "recorded %ld of %ld frames (%.1f fps, %s left)\n", done, total_, rate,
                             clock_text(left).c_str());
        }
    }

private:
    long total_;
    bool tty_;
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

bool write_all(int fd, const void* data, std::size_t size) {
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        ssize_t n = write(fd, p, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        p += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
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
    // A folder that cannot take the file fails now, not after the frames.
    const std::size_t slash = options.file.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : options.file.substr(0, slash + (slash == 0));
    if (access(folder.c_str(), W_OK) != 0)
        return record_error(info, "cannot write " + options.file + ": " + std::strerror(errno));
    const long frames = record_frame_count(options);
    if (frames < 1) return record_error(info, "--seconds gives no frame at this --fps");

    const PictureSize size = scaled_picture_size(info.width, info.height, options.scale, options.square_pixels);
    const std::string temp = temporary_name(options.file);
    char geometry[32], rate[16];
    std::snprintf(geometry, sizeof geometry, "%dx%d", size.width, size.height);
    std::snprintf(rate, sizeof rate, "%d", options.fps);
    std::vector<std::string> args = {"ffmpeg", "-hide_banner", "-loglevel", "error", "-nostdin", "-y",
                                     "-f", "rawvideo", "-pix_fmt", "bgr0", "-s", geometry, "-r", rate, "-i", "pipe:0"};
    append_words(args, codec_arguments(options.file));
    args.push_back(temp);
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(&a[0]);
    argv.push_back(nullptr);

    int pipe_fds[2];
    if (pipe(pipe_fds) != 0) return record_error(info, std::string("cannot start ffmpeg: ") + std::strerror(errno));
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipe_fds[0], STDIN_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipe_fds[1]);
    posix_spawn_file_actions_addclose(&actions, pipe_fds[0]);
    pid_t pid;
    int spawned = posix_spawnp(&pid, "ffmpeg", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipe_fds[0]);
    if (spawned != 0) {
        close(pipe_fds[1]);
        return record_error(info, std::string("cannot start ffmpeg: ") + std::strerror(spawned));
    }

    // A dead encoder must show up as a failed write, not end this process.
    void (*old_pipe_handler)(int) = std::signal(SIGPIPE, SIG_IGN);
    std::vector<std::uint32_t> frame(static_cast<std::size_t>(info.width) * info.height);
    std::vector<std::uint32_t> picture(static_cast<std::size_t>(size.width) * size.height);
    std::vector<std::uint8_t> bytes(picture.size() * 4);
    Progress progress(frames);
    bool written = true;
    for (long i = 0; i < frames && written; ++i) {
        std::uint32_t ms = static_cast<std::uint32_t>(static_cast<std::uint64_t>(i) * 1000u / options.fps);
        info.render(ms, frame.data());
        scale_picture(frame.data(), info.width, info.height, options.scale, options.square_pixels, picture.data());
        for (std::size_t k = 0; k < picture.size(); ++k) {  // bgr0: blue byte first, whatever the host
            bytes[k * 4 + 0] = static_cast<std::uint8_t>(picture[k]);
            bytes[k * 4 + 1] = static_cast<std::uint8_t>(picture[k] >> 8);
            bytes[k * 4 + 2] = static_cast<std::uint8_t>(picture[k] >> 16);
            bytes[k * 4 + 3] = 0;
        }
        written = write_all(pipe_fds[1], bytes.data(), bytes.size());
        if (written) progress.update(i + 1);
    }
    close(pipe_fds[1]);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    std::signal(SIGPIPE, old_pipe_handler);

    const bool encoded = written && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (!encoded || std::rename(temp.c_str(), options.file.c_str()) != 0) {
        std::remove(temp.c_str());
        return record_error(info, encoded ? "cannot write " + options.file + ": " + std::strerror(errno)
                                          : "ffmpeg failed to write " + options.file);
    }
    return 0;
}
