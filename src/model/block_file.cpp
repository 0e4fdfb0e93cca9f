#include "model/block_file.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>

#ifdef _WIN32
#include <io.h>
#include <share.h>
#else
#include <unistd.h>
#endif

namespace {

// A file descriptor of the C runtime; the same code serves Windows (wide
// paths, writers denied) and POSIX.
class FdFile final : public BlockFile {
 public:
  explicit FdFile(int fd) : fd_(fd) {}
  ~FdFile() override {
#ifdef _WIN32
    _close(fd_);
#else
    close(fd_);
#endif
  }
  FdFile(const FdFile&) = delete;
  FdFile& operator=(const FdFile&) = delete;

  size_t ReadAt(uint64_t offset, void* buffer, size_t n) override {
    auto* out = static_cast<unsigned char*>(buffer);
    size_t done = 0;
#ifdef _WIN32
    if (_lseeki64(fd_, static_cast<__int64>(offset), SEEK_SET) != static_cast<__int64>(offset)) return 0;
    while (done < n) {
      const int chunk = static_cast<int>(std::min<size_t>(n - done, 1u << 30));
      const int got = _read(fd_, out + done, static_cast<unsigned>(chunk));
      if (got <= 0) break;
      done += static_cast<size_t>(got);
    }
#else
    while (done < n) {
      const ssize_t got = pread(fd_, out + done, n - done, static_cast<off_t>(offset + done));
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) break;
      done += static_cast<size_t>(got);
    }
#endif
    return done;
  }

  bool WriteAt(uint64_t offset, const void* data, size_t n) override {
    const auto* in = static_cast<const unsigned char*>(data);
    size_t done = 0;
#ifdef _WIN32
    if (_lseeki64(fd_, static_cast<__int64>(offset), SEEK_SET) != static_cast<__int64>(offset)) return false;
    while (done < n) {
      const int chunk = static_cast<int>(std::min<size_t>(n - done, 1u << 30));
      const int put = _write(fd_, in + done, static_cast<unsigned>(chunk));
      if (put <= 0) return false;
      done += static_cast<size_t>(put);
    }
#else
    while (done < n) {
      const ssize_t put = pwrite(fd_, in + done, n - done, static_cast<off_t>(offset + done));
      if (put < 0 && errno == EINTR) continue;
      if (put <= 0) return false;
      done += static_cast<size_t>(put);
    }
#endif
    return true;
  }

  bool Size(uint64_t* size) override {
#ifdef _WIN32
    const __int64 end = _lseeki64(fd_, 0, SEEK_END);
    if (end < 0) return false;
#else
    struct stat st {};
    if (fstat(fd_, &st) != 0) return false;
    const off_t end = st.st_size;
#endif
    *size = static_cast<uint64_t>(end);
    return true;
  }

  bool Flush() override {
#ifdef _WIN32
    return _commit(fd_) == 0;
#else
    return fsync(fd_) == 0;
#endif
  }

 private:
  int fd_;
};

int OpenFd(const std::filesystem::path& path, bool create) {
#ifdef _WIN32
  int fd = -1;
  int flags = _O_RDWR | _O_BINARY | _O_NOINHERIT;
  if (create) flags |= _O_CREAT | _O_EXCL;
  // Other programs may read the file while we run, but never write it.
  if (_wsopen_s(&fd, path.c_str(), flags, _SH_DENYWR, _S_IREAD | _S_IWRITE) != 0) return -1;
  return fd;
#else
  int flags = O_RDWR | O_CLOEXEC;
  if (create) flags |= O_CREAT | O_EXCL;
  int fd;
  do {
    fd = open(path.c_str(), flags, 0600);
  } while (fd < 0 && errno == EINTR);
  return fd;
#endif
}

}  // namespace

std::unique_ptr<BlockFile> BlockFile::OpenExisting(const std::filesystem::path& path, OpenResult* result) {
  const int fd = OpenFd(path, false);
  if (fd < 0) {
    *result = errno == ENOENT ? OpenResult::kMissing : OpenResult::kFailed;
    return nullptr;
  }
  *result = OpenResult::kOpened;
  return std::make_unique<FdFile>(fd);
}

std::unique_ptr<BlockFile> BlockFile::CreateNew(const std::filesystem::path& path, OpenResult* result) {
  const int fd = OpenFd(path, true);
  if (fd < 0) {
    *result = OpenResult::kFailed;
    return nullptr;
  }
  *result = OpenResult::kCreated;
  return std::make_unique<FdFile>(fd);
}
