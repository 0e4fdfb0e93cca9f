#pragma once

// The password hash kept in user.dat's third field:
//   pbkdf2-sha256$<iterations>$<salt, base64>$<hash, base64>
// with a random 16-byte salt and a 32-byte PBKDF2-HMAC-SHA256 hash. Lists
// written by older copies of the program hold 48 hex digits of two salted
// MD5 digests instead; those still verify, and a login replaces them.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class Crypto;

// How passwords are hashed: the platform's cryptography and the rounds of
// new hashes (fewer only where a test does not measure the hash's cost).
struct PasswordHashing {
  static constexpr uint32_t kIterations = 600000;
  Crypto* crypto = nullptr;  // none: the platform's
  uint32_t iterations = kIterations;

  [[nodiscard]] Crypto& Engine() const;
};

enum class [[nodiscard]] PasswordCheck{
    kMatch,         // the password has this hash
    kMatchOldForm,  // it matches an old MD5-based hash, which is to be replaced
    kNoMatch,       // another password, a malformed field, or the hash could not be computed
};

// A new hash of the password with a fresh salt; none when the system gave no
// random bytes or could not hash.
[[nodiscard]] std::optional<std::string> MakePasswordHash(const PasswordHashing& hashing, std::string_view password);
[[nodiscard]] PasswordCheck CheckPassword(const PasswordHashing& hashing, std::string_view stored,
                                          std::string_view password);
// Whether the field is in the current form (and needs no replacing).
[[nodiscard]] bool IsCurrentHashForm(std::string_view stored);
// The old form: 48 lowercase hexadecimal digits; only the first 16 bytes of
// the password count. Kept to verify lists written before the current form.
[[nodiscard]] std::string OldPasswordHash(std::string_view password);
