#pragma once
// Output files that never harm what is already there (native build, POSIX).
//
// A regular file, or a name that does not exist yet, is written under a
// unique temporary name in the same folder (".NAME.XXXXXX.EXT"), flushed to
// disk and renamed over the target only when whole; a symbolic link is
// followed, so its target is what gets replaced. A device, FIFO or socket is
// written in place, never replaced. A folder is refused. Every message names
// the file as the user gave it.
//
// Asked to keep what is there (Existing::keep), the name must be free: the
// file is written the same way and given the name only if nothing took it
// meanwhile, so that no file, link, device or folder is ever replaced.
#include <string>

enum class Existing { replace, keep };

class SafeOutput {
public:
    SafeOutput() = default;
    SafeOutput(const SafeOutput&) = delete;
    SafeOutput& operator=(const SafeOutput&) = delete;
    ~SafeOutput() { discard(); }

    // Opens `path` for writing. `stream_refusal`: when not empty, the format
    // cannot be written as a stream, and a target that is not a regular file
    // is refused with this reason. On failure says why in `error`
    // ("cannot write PATH: ..."; "File exists" for a name taken with
    // Existing::keep).
    bool open(const std::string& path, const std::string& stream_refusal, std::string& error,
              Existing existing = Existing::replace);

    // Where the bytes go: the descriptor, and the absolute path of the
    // temporary file (empty when writing in place).
    int fd() const { return fd_; }
    const std::string& temporary_path() const { return temporary_; }
    bool in_place() const { return temporary_.empty(); }

    // fsync, close, then rename over the target (with Existing::keep, to the
    // target only while it is free); false with the reason in `error` when
    // any of them fails (the temporary file is then removed).
    bool commit(std::string& error);
    // Closes and removes the temporary file; the target stays as it was.
    void discard();

    // "cannot write PATH: strerror(errno)".
    std::string failure(int error_number) const;

private:
    std::string path_;       // as the user gave it
    std::string target_;     // absolute, symbolic links followed
    std::string temporary_;  // absolute, beside target_
    int fd_ = -1;
    int mode_ = -1;          // permissions of the file being replaced, -1 for a new file
    bool keep_ = false;      // never over anything under the target's name
};

// Writes all of `data` to `fd`, retrying after signals; false on failure
// with errno set. `keep_going` (when given) is asked after an interrupted
// write: false stops with errno EINTR.
bool write_all(int fd, const void* data, std::size_t size, bool (*keep_going)() = nullptr);

// Opens /dev/null on any of descriptors 0, 1 and 2 that is closed, so that
// no file or pipe opened later takes a standard descriptor's number.
void keep_standard_descriptors_open();
