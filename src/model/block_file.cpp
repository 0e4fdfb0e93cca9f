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
#include <sys/file.h>
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

  bool Truncate(uint64_t size) override {
#ifdef _WIN32
    return _chsize_s(fd_, static_cast<__int64>(size)) == 0;
#else
    int rc;
    do {
      rc = ftruncate(fd_, static_cast<off_t>(size));
    } while (rc != 0 && errno == EINTR);
    return rc == 0;
#endif
  }

 private:
  int fd_;
};

enum class Access { kCreateNew, kExisting, kOpenOrCreate, kReadOnly };

int OpenFd(const std::filesystem::path& path, Access access) {
#ifdef _WIN32
  int fd = -1;
  int flags = (access == Access::kReadOnly ? _O_RDONLY : _O_RDWR) | _O_BINARY | _O_NOINHERIT;
  if (access == Access::kCreateNew) flags |= _O_CREAT | _O_EXCL;
  if (access == Access::kOpenOrCreate) flags |= _O_CREAT;
  // Other programs may read the file while we run, but never write it; a
  // reader lets the program that holds the file go on writing.
  const int share = access == Access::kReadOnly ? _SH_DENYNO : _SH_DENYWR;
  if (_wsopen_s(&fd, path.c_str(), flags, share, _S_IREAD | _S_IWRITE) != 0) return -1;
  return fd;
#else
  int flags = (access == Access::kReadOnly ? O_RDONLY : O_RDWR) | O_CLOEXEC;
  if (access == Access::kCreateNew) flags |= O_CREAT | O_EXCL;
  if (access == Access::kOpenOrCreate) flags |= O_CREAT;
  int fd;
  do {
    fd = open(path.c_str(), flags, 0600);
  } while (fd < 0 && errno == EINTR);
  // One writer at a time, as the share mode gives on Windows.
  if (fd >= 0 && access != Access::kReadOnly && flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    close(fd);
    errno = error;
    return -1;
  }
  return fd;
#endif
}

std::unique_ptr<BlockFile> Open(const std::filesystem::path& path, Access access, BlockFile::OpenResult* result) {
  const int fd = OpenFd(path, access);
  if (fd < 0) {
    *result = errno == ENOENT ? BlockFile::OpenResult::kMissing : BlockFile::OpenResult::kFailed;
    return nullptr;
  }
  *result = access == Access::kCreateNew ? BlockFile::OpenResult::kCreated : BlockFile::OpenResult::kOpened;
  return std::make_unique<FdFile>(fd);
}

}  // namespace

std::unique_ptr<BlockFile> BlockFile::OpenExisting(const std::filesystem::path& path, OpenResult* result) {
  return Open(path, Access::kExisting, result);
}

std::unique_ptr<BlockFile> BlockFile::CreateNew(const std::filesystem::path& path, OpenResult* result) {
  auto file = Open(path, Access::kCreateNew, result);
  if (!file) *result = OpenResult::kFailed;
  return file;
}

std::unique_ptr<BlockFile> BlockFile::OpenOrCreate(const std::filesystem::path& path, OpenResult* result) {
  return Open(path, Access::kOpenOrCreate, result);
}

std::unique_ptr<BlockFile> BlockFile::OpenForReading(const std::filesystem::path& path, OpenResult* result) {
  return Open(path, Access::kReadOnly, result);
}

std::optional<std::vector<uint8_t>> BlockFile::ReadAll() {
  uint64_t size = 0;
  if (!Size(&size) || size > (uint64_t{1} << 31)) return std::nullopt;
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  if (ReadAt(0, bytes.data(), bytes.size()) != bytes.size()) return std::nullopt;
  return bytes;
}
