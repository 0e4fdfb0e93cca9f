#include "env/file_replace.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#include <share.h>
#else
#include <unistd.h>
#endif

bool PortableFileReplacer::WriteDurably(const std::filesystem::path& path, std::string_view bytes) {
#ifdef _WIN32
  int fd = -1;
  if (_wsopen_s(&fd, path.c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY | _O_NOINHERIT, _SH_DENYRW,
                _S_IREAD | _S_IWRITE) != 0)
    return false;
  size_t done = 0;
  bool ok = true;
  while (ok && done < bytes.size()) {
    const int put = _write(fd, bytes.data() + done, static_cast<unsigned>(std::min<size_t>(bytes.size() - done, 1u << 30)));
    if (put <= 0) ok = false;
    else done += static_cast<size_t>(put);
  }
  ok = ok && _commit(fd) == 0;
  return _close(fd) == 0 && ok;
#else
  int fd;
  do {
    fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return false;
  size_t done = 0;
  bool ok = true;
  while (ok && done < bytes.size()) {
    const ssize_t put = write(fd, bytes.data() + done, bytes.size() - done);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) ok = false;
    else done += static_cast<size_t>(put);
  }
  ok = ok && fsync(fd) == 0;
  return close(fd) == 0 && ok;
#endif
}

bool PortableFileReplacer::Replace(const std::filesystem::path& from, const std::filesystem::path& to) {
  std::error_code ec;
  std::filesystem::rename(from, to, ec);
  if (ec) return false;
#ifndef _WIN32
  // The rename itself reaches the disk with its folder.
  const int dir = open(to.parent_path().empty() ? "." : to.parent_path().c_str(), O_RDONLY | O_CLOEXEC);
  if (dir >= 0) {
    (void)fsync(dir);
    close(dir);
  }
#endif
  return true;
}
