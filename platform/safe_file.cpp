#include "safe_file.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int max_link_hops = 40;     // as the kernel's own limit on a path's links
constexpr std::size_t name_max = 255;  // bytes in one name on the usual file systems

std::string folder_of(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string name_of(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// `path` with every symbolic link of its last part followed (a link to a
// name that does not exist yet gives that name); false with errno set.
bool follow_links(std::string& path) {
    for (int hop = 0; hop < max_link_hops; ++hop) {
        char link[PATH_MAX];
        const ssize_t size = readlink(path.c_str(), link, sizeof link - 1);
        if (size < 0) return errno == EINVAL || errno == ENOENT;  // not a link, or nothing there
        link[size] = '\0';
        path = link[0] == '/' ? std::string(link) : folder_of(path) + "/" + link;
    }
    errno = ELOOP;
    return false;
}

// The folder made absolute with its own links resolved, and the name kept.
bool absolute_path(const std::string& path, std::string& absolute) {
    char* folder = realpath(folder_of(path).c_str(), nullptr);
    if (!folder) return false;
    const std::string base = folder;
    std::free(folder);
    absolute = (base == "/" ? "" : base) + "/" + name_of(path);
    return true;
}

// ".NAME.XXXXXX.EXT" beside `target`, the name shortened so that the whole
// stays a valid name; the extension is kept so that tools that choose a
// format from it choose the same one.
std::string temporary_template(const std::string& target, std::size_t& suffix_length) {
    std::string name = name_of(target), extension;
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0 && name.size() - dot <= 16) {
        extension = name.substr(dot);
        name.resize(dot);
    }
    const std::size_t room = name_max - 1 - 7 - extension.size();  // '.', ".XXXXXX"
    if (name.size() > room) name.resize(room);
    suffix_length = extension.size();
    return folder_of(target) + "/." + name + ".XXXXXX" + extension;
}

// Gives `from` the name `to` only while nothing is under it.
bool rename_to_free_name(const char* from, const char* to) {
    if (renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0) return true;
    if (errno != EINVAL && errno != ENOSYS) return false;
    // A file system without that rename: a new link is just as exclusive.
    if (link(from, to) != 0) return false;
    unlink(from);
    return true;
}

}  // namespace

std::string SafeOutput::failure(int error_number) const {
    return "cannot write " + path_ + ": " + std::strerror(error_number);
}

bool SafeOutput::open(const std::string& path, const std::string& stream_refusal, std::string& error,
                      Existing existing) {
    discard();
    path_ = path;
    keep_ = existing == Existing::keep;
    if (path.empty()) return error = failure(ENOENT), false;
    struct stat info;
    if (keep_ && lstat(path.c_str(), &info) == 0) return error = failure(EEXIST), false;
    const bool exists = stat(path.c_str(), &info) == 0;
    if (exists && S_ISDIR(info.st_mode)) return error = failure(EISDIR), false;
    if (exists && !S_ISREG(info.st_mode)) {
        if (!stream_refusal.empty()) return error = "cannot write " + path + ": " + stream_refusal, false;
        fd_ = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);  // a FIFO waits here for its reader
        if (fd_ < 0) return error = failure(errno), false;
        return true;
    }
    target_ = path;
    if (!follow_links(target_) || !absolute_path(target_, target_)) return error = failure(errno), false;
    mode_ = exists ? static_cast<int>(info.st_mode & 07777) : -1;
    std::size_t suffix_length = 0;
    std::string name = temporary_template(target_, suffix_length);
    fd_ = mkostemps(&name[0], static_cast<int>(suffix_length), O_CLOEXEC);
    if (fd_ < 0) return error = failure(errno), false;
    temporary_ = name;
    return true;
}

bool SafeOutput::commit(std::string& error) {
    if (fd_ < 0) return error = failure(EBADF), false;
    int failed = 0;
    if (in_place()) {
        // Devices and FIFOs have nothing to sync; a real failure still shows.
        if (fsync(fd_) != 0 && errno != EINVAL && errno != EROFS) failed = errno;
    } else {
        mode_t mode = static_cast<mode_t>(mode_);
        if (mode_ < 0) {  // a new file gets what the umask allows, as with open(2)
            const mode_t mask = umask(0);
            umask(mask);
            mode = 0666 & ~mask;
        }
        if (fchmod(fd_, mode) != 0 || fsync(fd_) != 0) failed = errno;
    }
    if (close(fd_) != 0 && !failed) failed = errno;
    fd_ = -1;
    if (!failed && !in_place() &&
        !(keep_ ? rename_to_free_name(temporary_.c_str(), target_.c_str())
                : rename(temporary_.c_str(), target_.c_str()) == 0))
        failed = errno;
    if (failed) {
        discard();
        return error = failure(failed), false;
    }
    temporary_.clear();
    // The rename itself reaches the disk with the folder.
    const int folder = ::open(folder_of(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        fsync(folder);
        close(folder);
    }
    return true;
}

void SafeOutput::discard() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
    if (!temporary_.empty()) unlink(temporary_.c_str());
    temporary_.clear();
}

bool write_all(int fd, const void* data, std::size_t size, bool (*keep_going)()) {
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = write(fd, p, size);
        if (n < 0 && errno == EINTR && (!keep_going || keep_going())) continue;
        if (n < 0) return false;
        if (n == 0) return errno = EIO, false;
        p += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

void keep_standard_descriptors_open() {
    for (int fd = 0; fd <= 2; ++fd)
        if (fcntl(fd, F_GETFD) < 0 && errno == EBADF && ::open("/dev/null", O_RDWR) != fd) return;
}
