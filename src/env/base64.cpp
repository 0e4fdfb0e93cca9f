#include "env/base64.h"

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int ValueOf(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  return -1;
}

}  // namespace

std::string EncodeBase64(std::span<const uint8_t> bytes) {
  std::string text;
  text.reserve((bytes.size() + 2) / 3 * 4);
  for (size_t i = 0; i < bytes.size(); i += 3) {
    const size_t left = bytes.size() - i;
    const uint32_t group = (uint32_t{bytes[i]} << 16) | (left > 1 ? uint32_t{bytes[i + 1]} << 8 : 0) |
                           (left > 2 ? uint32_t{bytes[i + 2]} : 0);
    text.push_back(kAlphabet[(group >> 18) & 63]);
    text.push_back(kAlphabet[(group >> 12) & 63]);
    text.push_back(left > 1 ? kAlphabet[(group >> 6) & 63] : '=');
    text.push_back(left > 2 ? kAlphabet[group & 63] : '=');
  }
  return text;
}

std::optional<std::vector<uint8_t>> DecodeBase64(std::string_view text) {
  if (text.size() % 4 != 0) return std::nullopt;
  std::vector<uint8_t> bytes;
  bytes.reserve(text.size() / 4 * 3);
  for (size_t i = 0; i < text.size(); i += 4) {
    const bool last = i + 4 == text.size();
    const int pad = (text[i + 3] == '=' ? 1 : 0) + (text[i + 2] == '=' ? 1 : 0);
    if (pad > 0 && !last) return std::nullopt;
    if (pad == 1 && text[i + 2] == '=') return std::nullopt;  // "x=" before a letter
    int v[4] = {ValueOf(text[i]), ValueOf(text[i + 1]), pad == 2 ? 0 : ValueOf(text[i + 2]),
                pad >= 1 ? 0 : ValueOf(text[i + 3])};
    for (const int x : v) {
      if (x < 0) return std::nullopt;
    }
    const uint32_t group = (uint32_t(v[0]) << 18) | (uint32_t(v[1]) << 12) | (uint32_t(v[2]) << 6) | uint32_t(v[3]);
    // Bits below the last byte must be zero, so each value has one spelling.
    if ((pad == 1 && (group & 0xff) != 0) || (pad == 2 && (group & 0xffff) != 0)) return std::nullopt;
    bytes.push_back(static_cast<uint8_t>(group >> 16));
    if (pad < 2) bytes.push_back(static_cast<uint8_t>(group >> 8));
    if (pad < 1) bytes.push_back(static_cast<uint8_t>(group));
  }
  return bytes;
}
