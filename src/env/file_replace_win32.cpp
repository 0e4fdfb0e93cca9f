#include "env/file_replace_win32.h"

#include <windows.h>

#include <algorithm>

#include "env/handle_win32.h"

bool Win32FileReplacer::WriteDurably(const std::filesystem::path& path, std::string_view bytes) {
  UniqueFileHandle owner(
      CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!owner) return false;
  const HANDLE file = owner.Get();
  bool ok = true;
  size_t done = 0;
  while (ok && done < bytes.size()) {
    DWORD put = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
    if (!WriteFile(file, bytes.data() + done, chunk, &put, nullptr) || put == 0) ok = false;
    done += put;
  }
  ok = ok && FlushFileBuffers(file);
  return ok;
}

bool Win32FileReplacer::Replace(const std::filesystem::path& from, const std::filesystem::path& to) {
  return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}
