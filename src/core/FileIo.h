#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>

// Every stored file passes through here, so that one set of rules holds for
// all of them: a reader opens only regular files (a FIFO would block the
// open, a device such as /dev/zero never ends) and reads at most a limit it
// names; a save goes to a temporary file beside the target and replaces it
// only when every write and the sync succeeded. POSIX, as the program is.
namespace drawmentor {

inline constexpr size_t kMaxTextFileBytes = 16 * 1024 * 1024;

// The steps a test may make fail, with the errno a real failure would give
// (ENOSPC for a full disk, EIO for a failing medium).
enum class TFileStep { Open, Read, Write, Sync, Rename };
// Returns 0 to let the step run, or the errno to fail it with.
using TFileFault = std::function<int(TFileStep step, const std::string& path)>;
// Test seam; an empty function removes the fault.
void SetFileFault(TFileFault fault);

// An open file descriptor, closed with its owner.
class TFileHandle {
  public:
    TFileHandle() = default;
    explicit TFileHandle(int fd) : FFd(fd) {}
    TFileHandle(TFileHandle&& other) noexcept : FFd(other.Release()) {}
    TFileHandle& operator=(TFileHandle&& other) noexcept;
    ~TFileHandle();
    int Fd() const { return FFd; }
    bool IsOpen() const { return FFd >= 0; }
    int Release();

  private:
    int FFd = -1;
};

// Opens `path` (flags as for open(2); O_NONBLOCK and O_CLOEXEC are added, and
// O_NOFOLLOW when it is opened for writing) and refuses anything but a regular
// file. A missing file gives a closed handle
// when `missingIsNone`, an error otherwise.
TFileHandle OpenRegularFile(const std::string& path, int flags, bool missingIsNone = false);
// The rest of the open file from its current position, at most `limit` bytes;
// a regular file whose size passes the limit is refused before any read.
std::string ReadToEnd(int fd, const std::string& path, size_t limit);
// Writes all of `data` at `offset` (pwrite), or throws with the path and reason.
void WriteAllAt(int fd, const std::string& path, std::string_view data, off_t offset);

// The whole regular file, at most `limit` bytes, or nothing when it does not exist.
std::optional<std::string> ReadFileIfExists(const std::string& path, size_t limit);
// The same, a missing file being an error.
std::string ReadWholeFile(const std::string& path, size_t limit);

// An exclusive advisory lock on the folder of `path`, for files that are
// replaced whole (written to a temporary file and renamed): a lock on the
// replaced file would guard nothing. Released when the object goes.
class TFolderLock {
  public:
    explicit TFolderLock(const std::string& path);

  private:
    TFileHandle FFolder;
};

// The temporary file of a save is "<path>.XXXXXX" followed by this.
inline constexpr const char* kTemporarySuffix = ".new";

// Replaces `path` with `data` through a temporary file in the same folder:
// the old file stays as it was unless every write, the sync and the rename
// succeeded. The folder must exist.
void WriteFileAtomically(const std::string& path, std::string_view data);

// Throws EDrawMentor "<what> <path>: <strerror(error)>".
[[noreturn]] void RaiseFileError(const std::string& what, const std::string& path, int error);
// The injected errno for a step, 0 when none.
int InjectedFileFault(TFileStep step, const std::string& path);

} // namespace drawmentor
