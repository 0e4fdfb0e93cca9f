#pragma once

// The Windows implementations of the platform interfaces: the local date and
// time, the ANSI code page, and the program's and the user's folders.

#include <filesystem>
#include <string>

#include "env/platform.h"

// The local calendar date and the UTC seconds of the machine's clock.
class Win32Clock final : public IClock {
 public:
  PackedDate Today() const override;
  int64_t Now() const override;
};

// The ANSI code page of the system (CP_ACP).
class Win32AnsiCodec final : public IAnsiCodec {
 public:
  std::string ToAnsi(std::u16string_view text) const override;
  std::u16string FromAnsi(std::string_view bytes) const override;
};


// Full path of the running executable, whatever its name.
[[nodiscard]] std::wstring ExecutablePath();
// The folder that holds it: language files and help live beside the program.
[[nodiscard]] std::filesystem::path ExecutableFolder();
// The user's roaming application-data folder; empty when Windows has none.
[[nodiscard]] std::filesystem::path RoamingAppDataFolder();
// Her Documents folder, where her own files go; empty when Windows has none.
[[nodiscard]] std::filesystem::path DocumentsFolder();
