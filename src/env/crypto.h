#pragma once

// The few cryptographic operations the program needs, done by the platform's
// own library: Windows CNG (bcrypt.dll) in the program, OpenSSL's libcrypto in
// the native build. Nothing here is computed by our own code.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

enum class [[nodiscard]] CryptoResult{
    kDone,
    kRefused,  // opening: the tag does not match (wrong key, or a changed byte)
    kFailed,   // the library could not do it (missing, out of memory, bad sizes)
};

// Bytes that hold a secret (a key): wiped when they go.
class SecretBytes {
 public:
  SecretBytes() = default;
  explicit SecretBytes(size_t size) : bytes_(size, 0) {}
  ~SecretBytes() { Wipe(); }
  SecretBytes(const SecretBytes&) = delete;
  SecretBytes& operator=(const SecretBytes&) = delete;
  SecretBytes(SecretBytes&& other) noexcept : bytes_(std::move(other.bytes_)) { other.bytes_.clear(); }
  SecretBytes& operator=(SecretBytes&& other) noexcept {
    if (this != &other) {
      Wipe();
      bytes_ = std::move(other.bytes_);
      other.bytes_.clear();
    }
    return *this;
  }

  [[nodiscard]] std::span<uint8_t> Span() { return bytes_; }
  [[nodiscard]] std::span<const uint8_t> Span() const { return bytes_; }
  [[nodiscard]] size_t Size() const { return bytes_.size(); }
  [[nodiscard]] bool Empty() const { return bytes_.empty(); }
  // Overwrites the bytes in a way the compiler may not drop, and forgets them.
  void Wipe();

 private:
  std::vector<uint8_t> bytes_;
};

// Overwrites memory that held a secret (SecureZeroMemory, OPENSSL_cleanse).
void WipeSecret(void* data, size_t size);

class Crypto {
 public:
  static constexpr size_t kKeySize = 32;    // AES-256
  static constexpr size_t kNonceSize = 12;  // the GCM nonce both libraries take
  static constexpr size_t kTagSize = 16;

  virtual ~Crypto() = default;

  // PBKDF2 with HMAC-SHA256: fills out with the key from the password and salt.
  [[nodiscard]] virtual CryptoResult DeriveKey(std::string_view password, std::span<const uint8_t> salt,
                                               uint32_t iterations, std::span<uint8_t> out) = 0;
  // Random bytes from the system's generator (salts, nonces).
  [[nodiscard]] virtual CryptoResult Random(std::span<uint8_t> out) = 0;
  // AES-256-GCM: *sealed = ciphertext followed by the 16-byte tag. aad is
  // authenticated but not encrypted (a file's header).
  [[nodiscard]] virtual CryptoResult Seal(std::span<const uint8_t> key, std::span<const uint8_t> nonce,
                                          std::span<const uint8_t> aad, std::span<const uint8_t> plain,
                                          std::vector<uint8_t>* sealed) = 0;
  // The reverse: kRefused, with *plain left empty, when the tag does not
  // verify; nothing of a changed text is ever given out.
  [[nodiscard]] virtual CryptoResult Open(std::span<const uint8_t> key, std::span<const uint8_t> nonce,
                                          std::span<const uint8_t> aad, std::span<const uint8_t> sealed,
                                          std::vector<uint8_t>* plain) = 0;
};

// The platform's implementation (CNG on Windows, libcrypto elsewhere); lives
// for the whole run.
[[nodiscard]] Crypto& PlatformCrypto();
