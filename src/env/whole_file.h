#pragma once

// Reading a small text file (a language file, the users file) in one go.

#include <cstdint>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>

// The file's bytes, or nothing when it is a folder, cannot be opened or read
// to its end, or holds more than maxBytes.
[[nodiscard]] std::optional<std::string> ReadWholeFile(
    const std::filesystem::path& path, std::uintmax_t maxBytes = std::numeric_limits<std::uintmax_t>::max());
