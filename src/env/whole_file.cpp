#include "env/whole_file.h"

#include <fstream>
#include <system_error>

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path, std::uintmax_t maxBytes) {
  // A folder opens as a file on some systems and then reads as empty.
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in.is_open()) return std::nullopt;
  std::string bytes;
  char chunk[16384];
  while (true) {
    in.read(chunk, sizeof chunk);
    const std::streamsize got = in.gcount();
    if (got > 0) {
      if (bytes.size() + static_cast<std::size_t>(got) > maxBytes) return std::nullopt;
      bytes.append(chunk, static_cast<std::size_t>(got));
    }
    if (in.bad()) return std::nullopt;
    if (in.eof()) return bytes;
    if (in.fail()) return std::nullopt;
  }
}
