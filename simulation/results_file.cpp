#include "results_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "number_text.h"

namespace ostrane {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// Closes fd keeping the errno of the failure that made us give it up.
void CloseQuietly(int fd) {
    const int saved = errno;
    ::close(fd);
    errno = saved;
}

}  // namespace

EInOutError::EInOutError(int code, const std::string& message)
    : std::runtime_error(message), code_(code) {}

EInOutError EInOutError::FromErrno(int error) {
    switch (error) {
        case ENOENT:
            return {2, "File not found"};
        case ENOTDIR:
        case ENAMETOOLONG:
        case ELOOP:
            return {3, "Invalid filename"};
        case EMFILE:
        case ENFILE:
            return {4, "Too many open files"};
        case EACCES:
        case EPERM:
        case EISDIR:
        case EROFS:
            return {5, "File access denied"};
        default:
            return {error, "I/O error " + std::to_string(error)};
    }
}

ResultsFile::ResultsFile(std::string path) : path_(std::move(path)) {}

ResultsFile::~ResultsFile() {
    if (IsOpen()) {
        ::close(fd_);
    }
}

void ResultsFile::OpenResults() {
    AbandonResults();  // a writer left open by anything unforeseen is let go first
    fill_ = 0;
    // Not O_TRUNC: the old content must survive until we hold the file. The exclusive lock is the
    // closest POSIX has to keeping other writers off while a run writes.
    const int fd = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NOCTTY, 0666);
    if (fd < 0) {
        throw EInOutError::FromErrno(errno);
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
        CloseQuietly(fd);
        throw EInOutError::FromErrno(EWOULDBLOCK);
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || (S_ISREG(status.st_mode) && ::ftruncate(fd, 0) != 0)) {
        CloseQuietly(fd);
        throw EInOutError::FromErrno(errno);
    }
    fd_ = fd;
    Append(kHeader);
    Append(kLineEnd);
}

void ResultsFile::WriteCell(const CellResult& cell) {
    std::string line = IntToText(cell.Algo);
    line += ',';
    line += IntToText(cell.SwimCount);
    line += ',';
    line += RealToText(cell.SoakHrs);
    line += ',';
    line += IntToText(cell.TurnRange);
    line += ',';
    line += RealToText(cell.DMG);
    line += kLineEnd;
    Append(line);
}

void ResultsFile::CloseResults() {
    if (fill_ > 0) {
        WriteOut(fill_);
    }
    const int fd = fd_;
    fd_ = -1;
    // Nothing keeps other programs from deleting the file while we write: a file without a name
    // is gone with the run's results, and the run must not pass for a success.
    struct stat status {};
    const bool deleted = ::fstat(fd, &status) == 0 && status.st_nlink == 0;
    if (::close(fd) != 0) {
        throw EInOutError::FromErrno(errno);
    }
    if (deleted) {
        throw EInOutError::FromErrno(ENOENT);
    }
}

void ResultsFile::AbandonResults() noexcept {
    if (!IsOpen()) {
        return;
    }
    try {
        if (fill_ > 0) {
            WriteOut(fill_);
        }
    } catch (const EInOutError&) {
        // The run's own failure is the one the user sees; what could not be written is lost.
    }
    ::close(fd_);
    fd_ = -1;
}

void ResultsFile::Append(std::string_view bytes) {
    while (!bytes.empty()) {
        const std::size_t room = kBufferSize - fill_;
        const std::size_t count = std::min(room, bytes.size());
        std::memcpy(buffer_.data() + fill_, bytes.data(), count);
        fill_ += count;
        bytes.remove_prefix(count);
        if (fill_ == kBufferSize) {
            WriteOut(kBufferSize);
        }
    }
}

void ResultsFile::WriteOut(std::size_t count) {
    // The buffer counts as written either way: a block that fails is lost, not retried later.
    fill_ = 0;
    std::size_t done = 0;
    while (done < count) {
        const ssize_t written = ::write(fd_, buffer_.data() + done, count - done);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw EInOutError::FromErrno(errno);
        }
        done += static_cast<std::size_t>(written);
    }
}

}  // namespace ostrane
