#pragma once

// Base64 (RFC 4648, with padding) for binary values kept in text files.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

[[nodiscard]] std::string EncodeBase64(std::span<const uint8_t> bytes);
// The bytes, or none when the text is not canonical padded base64.
[[nodiscard]] std::optional<std::vector<uint8_t>> DecodeBase64(std::string_view text);
