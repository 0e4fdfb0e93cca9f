#pragma once

// Putting a whole new file in place of an old one so that a crash at any
// moment leaves the old file or the new one, never neither and never a mix.

#include <filesystem>
#include <string_view>

class IFileReplacer {
 public:
  virtual ~IFileReplacer() = default;
  // Creates or empties the file, writes all bytes and pushes them to the disk.
  [[nodiscard]] virtual bool WriteDurably(const std::filesystem::path& path, std::string_view bytes) = 0;
  // Puts `from` in place of `to` (which may not exist) in one step that reaches the disk.
  [[nodiscard]] virtual bool Replace(const std::filesystem::path& from, const std::filesystem::path& to) = 0;
};

// The C runtime's files and rename, which replaces in one step on POSIX (tests
// and native tools). The program on Windows uses Win32FileReplacer.
class PortableFileReplacer final : public IFileReplacer {
 public:
  bool WriteDurably(const std::filesystem::path& path, std::string_view bytes) override;
  bool Replace(const std::filesystem::path& from, const std::filesystem::path& to) override;
};
