#pragma once

// MD5 message digest (RFC 1321). The password hash of the users file is the
// only thing the program hashes; the algorithm is ours so that the portable
// core needs no platform crypto library.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

using Md5Digest = std::array<uint8_t, 16>;

// Incremental form: Update any number of times, then Final once.
class Md5Context {
 public:
  Md5Context();
  void Update(const void* data, std::size_t size);
  void Update(std::string_view bytes) { Update(bytes.data(), bytes.size()); }
  [[nodiscard]] Md5Digest Final();

 private:
  void Transform(const uint8_t block[64]);

  std::array<uint32_t, 4> state_;
  uint64_t bitCount_ = 0;
  std::array<uint8_t, 64> buffer_{};
  std::size_t buffered_ = 0;
};

// The digest of bytes in one call.
[[nodiscard]] Md5Digest Md5(std::string_view bytes);
