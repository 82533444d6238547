#include "FileIo.h"

#include "Error.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace drawmentor {
namespace {

TFileFault& Fault() {
    static TFileFault fault;
    return fault;
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

} // namespace

void SetFileFault(TFileFault fault) {
    Fault() = std::move(fault);
}

int InjectedFileFault(TFileStep step, const std::string& path) {
    return Fault() ? Fault()(step, path) : 0;
}

void RaiseFileError(const std::string& what, const std::string& path, int error) {
    throw EDrawMentor(what + ' ' + path + ": " + std::strerror(error));
}

TFileHandle& TFileHandle::operator=(TFileHandle&& other) noexcept {
    if (this != &other) {
        if (FFd >= 0) ::close(FFd);
        FFd = other.Release();
    }
    return *this;
}

TFileHandle::~TFileHandle() {
    if (FFd >= 0) ::close(FFd);
}

int TFileHandle::Release() {
    const int fd = FFd;
    FFd = -1;
    return fd;
}

TFileHandle OpenRegularFile(const std::string& path, int flags, bool missingIsNone) {
    if (const int error = InjectedFileFault(TFileStep::Open, path))
        RaiseFileError("Cannot open", path, error);
    // Without O_NONBLOCK the open of a FIFO waits for a writer that never comes.
    // A write through a link would change a file that is not ours.
    if ((flags & O_ACCMODE) != O_RDONLY) flags |= O_NOFOLLOW;
    int fd;
    do fd = ::open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC, 0644);
    while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        if (errno == ENOENT && missingIsNone) return {};
        if (errno == ELOOP && (flags & O_NOFOLLOW) != 0)
            throw EDrawMentor(path + " is a symbolic link; it is left as it is");
        RaiseFileError("Cannot open", path, errno);
    }
    TFileHandle handle(fd);
    struct stat info {};
    if (::fstat(fd, &info) != 0) RaiseFileError("Cannot examine", path, errno);
    if (!S_ISREG(info.st_mode)) throw EDrawMentor(path + " is not a regular file");
    return handle;
}

std::string ReadToEnd(int fd, const std::string& path, size_t limit) {
    // A file that is too large is refused before anything of it is read.
    struct stat info {};
    std::string data;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        const off_t at = ::lseek(fd, 0, SEEK_CUR);
        if (at >= 0 && info.st_size > at && static_cast<uint64_t>(info.st_size - at) > limit)
            throw EDrawMentor(path + " is larger than " + std::to_string(limit) + " bytes");
        // Grown by appending, a large file would cost up to twice its size
        // while the string doubles.
        if (at >= 0 && info.st_size > at) data.reserve(static_cast<size_t>(info.st_size - at));
    }
    char chunk[64 * 1024];
    while (true) {
        if (const int error = InjectedFileFault(TFileStep::Read, path))
            RaiseFileError("Cannot read", path, error);
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got < 0) {
            if (errno == EINTR) continue;
            RaiseFileError("Cannot read", path, errno);
        }
        if (got == 0) return data;
        if (data.size() + static_cast<size_t>(got) > limit)
            throw EDrawMentor(path + " is larger than " + std::to_string(limit) + " bytes");
        data.append(chunk, static_cast<size_t>(got));
    }
}

void WriteAllAt(int fd, const std::string& path, std::string_view data, off_t offset) {
    while (!data.empty()) {
        if (const int error = InjectedFileFault(TFileStep::Write, path))
            RaiseFileError("Cannot write", path, error);
        const ssize_t done = ::pwrite(fd, data.data(), data.size(), offset);
        if (done < 0) {
            if (errno == EINTR) continue;
            RaiseFileError("Cannot write", path, errno);
        }
        if (done == 0) RaiseFileError("Cannot write", path, ENOSPC);
        data.remove_prefix(static_cast<size_t>(done));
        offset += done;
    }
}

TFolderLock::TFolderLock(const std::string& path) {
    const size_t slash = path.rfind('/');
    const std::string folder =
        slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
    FFolder = TFileHandle(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!FFolder.IsOpen()) RaiseFileError("Cannot open the folder of", path, errno);
    while (::flock(FFolder.Fd(), LOCK_EX) != 0)
        if (errno != EINTR) RaiseFileError("Cannot lock the folder of", path, errno);
}

std::optional<std::string> ReadFileIfExists(const std::string& path, size_t limit) {
    const TFileHandle file = OpenRegularFile(path, O_RDONLY, true);
    if (!file.IsOpen()) return std::nullopt;
    return ReadToEnd(file.Fd(), path, limit);
}

std::string ReadWholeFile(const std::string& path, size_t limit) {
    const TFileHandle file = OpenRegularFile(path, O_RDONLY);
    return ReadToEnd(file.Fd(), path, limit);
}

void WriteFileAtomically(const std::string& path, std::string_view data) {
    // A rename over a device or a FIFO would put a file in its place.
    struct stat target {};
    if (::lstat(path.c_str(), &target) == 0 && !S_ISREG(target.st_mode) && !S_ISLNK(target.st_mode))
        throw EDrawMentor("Cannot save " + path + ": it is not a regular file");
    // The suffix tells a temporary file of ours from a file the user named.
    std::string temporary = path + ".XXXXXX" + kTemporarySuffix;
    if (const int error = InjectedFileFault(TFileStep::Open, temporary))
        RaiseFileError("Cannot create", temporary, error);
    TFileHandle file(
        ::mkostemps(temporary.data(), static_cast<int>(std::strlen(kTemporarySuffix)), O_CLOEXEC));
    if (!file.IsOpen()) RaiseFileError("Cannot create", temporary, errno);
    try {
        // The replacement keeps the permissions of the file it replaces.
        // The rename replaces a link by a file and never writes through it;
        // a link's own mode bits say nothing.
        struct stat old {};
        const mode_t mode =
            ::lstat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode) ? (old.st_mode & 07777) : 0644;
        if (::fchmod(file.Fd(), mode) != 0)
            RaiseFileError("Cannot set the permissions of", temporary, errno);
        WriteAllAt(file.Fd(), temporary, data, 0);
        // Written is not stored: a full disk or a failing medium may only
        // tell at the sync or the close.
        if (const int error = InjectedFileFault(TFileStep::Sync, temporary))
            RaiseFileError("Cannot sync", temporary, error);
        if (::fsync(file.Fd()) != 0) RaiseFileError("Cannot sync", temporary, errno);
        if (::close(file.Release()) != 0) RaiseFileError("Cannot close", temporary, errno);
        if (const int error = InjectedFileFault(TFileStep::Rename, path))
            RaiseFileError("Cannot replace", path, error);
        if (::rename(temporary.c_str(), path.c_str()) != 0)
            RaiseFileError("Cannot replace", path, errno);
    } catch (...) {
        ::unlink(temporary.c_str());
        AddErrorContext("Cannot save " + path);
    }
    // The rename itself reaches the disk with the folder.
    const TFileHandle folder(::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.IsOpen()) ::fsync(folder.Fd());
}

} // namespace drawmentor
