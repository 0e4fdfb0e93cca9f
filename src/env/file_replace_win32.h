#pragma once

#include "env/file_replace.h"

// CreateFileW + FlushFileBuffers, and MoveFileExW with replace and
// write-through: the new file takes the old one's place in one step.
class Win32FileReplacer final : public IFileReplacer {
 public:
  bool WriteDurably(const std::filesystem::path& path, std::string_view bytes) override;
  bool Replace(const std::filesystem::path& from, const std::filesystem::path& to) override;
};
