#include "accounts/password_hash.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <vector>

#include "accounts/md5.h"
#include "env/base64.h"
#include "env/crypto.h"

namespace {

constexpr std::string_view kPrefix = "pbkdf2-sha256$";
constexpr size_t kSaltSize = 16;
constexpr size_t kHashSize = 32;
// A hand-made list may not make a login take hours.
constexpr uint32_t kMostIterations = 10'000'000;

using Salt = std::array<uint8_t, 12>;

// The old salts are put together when needed rather than stored as text.
Salt MakeSalt(uint32_t a, uint32_t b, uint32_t c) {
  Salt salt{};
  const uint32_t pieces[3] = {a, b, c};
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 4; ++j) salt[i * 4 + j] = static_cast<uint8_t>(pieces[i] >> (8 * j));
  }
  return salt;
}

Md5Digest SaltedDigest(const std::array<char, 16>& block, const Salt& salt) {
  Md5Context context;
  context.Update(block.data(), block.size());
  context.Update(salt.data(), salt.size());
  return context.Final();
}

struct ParsedHash {
  uint32_t iterations = 0;
  std::vector<uint8_t> salt;
  std::vector<uint8_t> hash;
};

std::optional<ParsedHash> Parse(std::string_view stored) {
  if (!stored.starts_with(kPrefix)) return std::nullopt;
  stored.remove_prefix(kPrefix.size());
  const size_t first = stored.find('$');
  if (first == std::string_view::npos) return std::nullopt;
  const size_t second = stored.find('$', first + 1);
  if (second == std::string_view::npos) return std::nullopt;
  ParsedHash parsed;
  const std::string_view count = stored.substr(0, first);
  const auto [end, ec] = std::from_chars(count.data(), count.data() + count.size(), parsed.iterations);
  if (ec != std::errc() || end != count.data() + count.size() || parsed.iterations < 1 ||
      parsed.iterations > kMostIterations)
    return std::nullopt;
  std::optional<std::vector<uint8_t>> salt = DecodeBase64(stored.substr(first + 1, second - first - 1));
  std::optional<std::vector<uint8_t>> hash = DecodeBase64(stored.substr(second + 1));
  if (!salt || !hash || salt->empty() || hash->size() != kHashSize) return std::nullopt;
  parsed.salt = std::move(*salt);
  parsed.hash = std::move(*hash);
  return parsed;
}

// Compares without stopping at the first difference.
bool SameBytes(const std::vector<uint8_t>& a, std::span<const uint8_t> b) {
  if (a.size() != b.size()) return false;
  uint8_t diff = 0;
  for (size_t i = 0; i < a.size(); ++i) diff |= static_cast<uint8_t>(a[i] ^ b[i]);
  return diff == 0;
}

}  // namespace

Crypto& PasswordHashing::Engine() const { return crypto ? *crypto : PlatformCrypto(); }

std::optional<std::string> MakePasswordHash(const PasswordHashing& hashing, std::string_view password) {
  std::array<uint8_t, kSaltSize> salt{};
  if (hashing.iterations < 1 || hashing.iterations > kMostIterations) return std::nullopt;
  if (hashing.Engine().Random(salt) != CryptoResult::kDone) return std::nullopt;
  SecretBytes hash(kHashSize);
  if (hashing.Engine().DeriveKey(password, salt, hashing.iterations, hash.Span()) != CryptoResult::kDone)
    return std::nullopt;
  return std::string(kPrefix) + std::to_string(hashing.iterations) + "$" + EncodeBase64(salt) + "$" +
         EncodeBase64(hash.Span());
}

bool IsCurrentHashForm(std::string_view stored) { return Parse(stored).has_value(); }

PasswordCheck CheckPassword(const PasswordHashing& hashing, std::string_view stored, std::string_view password) {
  if (const std::optional<ParsedHash> parsed = Parse(stored)) {
    SecretBytes hash(kHashSize);
    if (hashing.Engine().DeriveKey(password, parsed->salt, parsed->iterations, hash.Span()) != CryptoResult::kDone)
      return PasswordCheck::kNoMatch;
    return SameBytes(parsed->hash, hash.Span()) ? PasswordCheck::kMatch : PasswordCheck::kNoMatch;
  }
  if (stored.size() == 48 && stored == OldPasswordHash(password)) return PasswordCheck::kMatchOldForm;
  return PasswordCheck::kNoMatch;
}

std::string OldPasswordHash(std::string_view password) {
  std::array<char, 16> block;
  block.fill('^');
  std::copy_n(password.begin(), std::min<size_t>(password.size(), block.size()), block.begin());

  const Md5Digest d1 = SaltedDigest(block, MakeSalt(0x3b9d27c4u, 0x8e1f6a52u, 0x5a8c3f17u));
  const Md5Digest d2 = SaltedDigest(block, MakeSalt(0x735a696eu, 0x0b1d9e42u, 0x7c33a5e1u));
  std::array<uint8_t, 24> bytes{};
  for (int i = 0; i < 4; ++i) {
    bytes[i] = d1[i] ^ d1[4 + i];
    bytes[4 + i] = d1[12 + i] ^ d1[8 + i];
  }
  std::copy(d2.begin(), d2.end(), bytes.begin() + 8);

  static constexpr char kHex[] = "0123456789abcdef";
  std::string text;
  text.reserve(bytes.size() * 2);
  for (const uint8_t b : bytes) {
    text.push_back(kHex[b >> 4]);
    text.push_back(kHex[b & 0x0f]);
  }
  return text;
}
