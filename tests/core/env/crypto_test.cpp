// The platform's cryptography against published vectors. This file runs
// natively against OpenSSL's libcrypto and, in the Windows build under Wine,
// against CNG: one set of vectors for both.

#include "env/crypto.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace crypto_test {

std::vector<uint8_t> Hex(std::string_view text) {
  std::vector<uint8_t> bytes;
  for (size_t i = 0; i + 1 < text.size(); i += 2)
    bytes.push_back(static_cast<uint8_t>(std::stoi(std::string(text.substr(i, 2)), nullptr, 16)));
  return bytes;
}

std::vector<uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

struct Pbkdf2Vector {
  const char* password;
  const char* salt;
  uint32_t iterations;
  const char* key;
};

// RFC 7914, section 11 (the two PBKDF2-HMAC-SHA256 vectors), and an empty
// password (a user may have none), checked against Python's hashlib.
const Pbkdf2Vector kPbkdf2[] = {
    {"passwd", "salt", 1,
     "55ac046e56e3089fec1691c22544b605f94185216dde0465e68b9d57c20dacbc49ca9cccf179b645991664b39d77ef317c71b845b1e30bd5"
     "09112041d3a19783"},
    {"Password", "NaCl", 80000,
     "4ddcd8f60b98be21830cee5ef22701f9641a4418d04c0414aeff08876b34ab56a1d425a1225833549adb841b51c9b3176a272bdebba1d078"
     "478f62b397f33c8d"},
    {"", "salt", 2, "62384466264daadc4144018c6bd864648272b34da8980d31521ffcce92ae003b"},
};

TEST(Crypto, DerivesTheRfc7914Pbkdf2HmacSha256Keys) {
  for (const Pbkdf2Vector& v : kPbkdf2) {
    const std::vector<uint8_t> expected = Hex(v.key);
    std::vector<uint8_t> key(expected.size());
    const std::vector<uint8_t> salt = Bytes(v.salt);
    ASSERT_EQ(PlatformCrypto().DeriveKey(v.password, salt, v.iterations, key), CryptoResult::kDone) << v.password;
    EXPECT_EQ(key, expected) << v.password << " " << v.iterations;
  }
}

struct GcmVector {
  const char* name;
  const char* key;
  const char* nonce;
  const char* aad;
  const char* plain;
  const char* cipher;
  const char* tag;
};

// NIST's published AES-GCM test cases with 256-bit keys and 96-bit nonces
// (13 to 16); 17 and 18 use nonces of other lengths, which neither library's
// interface here takes.
constexpr char kKey15[] = "feffe9928665731c6d6a8f9467308308feffe9928665731c6d6a8f9467308308";
constexpr char kPlain15[] =
    "d9313225f88406e5a55909c5aff5269a86a7a9531534f7da2e4c303d8a318a721c3c0c95956809532fcf0e2449a6b525b16aedf5aa0de6"
    "57ba637b391aafd255";
constexpr char kCipher15[] =
    "522dc1f099567d07f47f37a32a84427d643a8cdcbfe5c0c97598a2bd2555d1aa8cb08e48590dbb3da7b08b1056828838c5f61e6393ba7a"
    "0abcc9f662898015ad";
const GcmVector kGcm[] = {
    {"13", "0000000000000000000000000000000000000000000000000000000000000000", "000000000000000000000000", "", "", "",
     "530f8afbc74536b9a963b4f1c4cb738b"},
    {"14", "0000000000000000000000000000000000000000000000000000000000000000", "000000000000000000000000", "",
     "00000000000000000000000000000000", "cea7403d4d606b6e074ec5d3baf39d18", "d0d1c8a799996bf0265b98b5d48ab919"},
    {"15", kKey15, "cafebabefacedbaddecaf888", "", kPlain15, kCipher15, "b094dac5d93471bdec1a502270e3cc6c"},
    {"16", kKey15, "cafebabefacedbaddecaf888", "feedfacedeadbeeffeedfacedeadbeefabaddad2",
     "d9313225f88406e5a55909c5aff5269a86a7a9531534f7da2e4c303d8a318a721c3c0c95956809532fcf0e2449a6b525b16aedf5aa0de6"
     "57ba637b39",
     "522dc1f099567d07f47f37a32a84427d643a8cdcbfe5c0c97598a2bd2555d1aa8cb08e48590dbb3da7b08b1056828838c5f61e6393ba7a"
     "0abcc9f662",
     "76fc6ece0f4e1768cddf8853bb2d551b"},
};

TEST(Crypto, SealsAndOpensTheGcmSpecificationVectors) {
  for (const GcmVector& v : kGcm) {
    SCOPED_TRACE(std::string("test case ") + v.name);
    std::vector<uint8_t> expected = Hex(v.cipher);
    const std::vector<uint8_t> tag = Hex(v.tag);
    expected.insert(expected.end(), tag.begin(), tag.end());
    std::vector<uint8_t> sealed;
    ASSERT_EQ(PlatformCrypto().Seal(Hex(v.key), Hex(v.nonce), Hex(v.aad), Hex(v.plain), &sealed), CryptoResult::kDone);
    EXPECT_EQ(sealed, expected);
    std::vector<uint8_t> plain;
    ASSERT_EQ(PlatformCrypto().Open(Hex(v.key), Hex(v.nonce), Hex(v.aad), expected, &plain), CryptoResult::kDone);
    EXPECT_EQ(plain, Hex(v.plain));
  }
}

// A changed bit anywhere (text, tag, associated data, nonce or key) is refused
// and gives out nothing.
TEST(Crypto, RefusesEveryChangedByteOfAGcmVector) {
  const GcmVector& v = kGcm[3];
  std::vector<uint8_t> sealed = Hex(v.cipher);
  const std::vector<uint8_t> tag = Hex(v.tag);
  sealed.insert(sealed.end(), tag.begin(), tag.end());
  const std::vector<uint8_t> key = Hex(v.key), nonce = Hex(v.nonce), aad = Hex(v.aad);
  auto refused = [](std::vector<uint8_t> k, std::vector<uint8_t> n, std::vector<uint8_t> a, std::vector<uint8_t> s) {
    std::vector<uint8_t> plain{1, 2, 3};
    const CryptoResult result = PlatformCrypto().Open(k, n, a, s, &plain);
    return result == CryptoResult::kRefused && plain.empty();
  };
  for (size_t i = 0; i < sealed.size(); ++i) {
    std::vector<uint8_t> changed = sealed;
    changed[i] ^= 0x01;
    EXPECT_TRUE(refused(key, nonce, aad, changed)) << "byte " << i;
  }
  for (size_t i = 0; i < aad.size(); i += 7) {
    std::vector<uint8_t> changed = aad;
    changed[i] ^= 0x80;
    EXPECT_TRUE(refused(key, nonce, changed, sealed)) << "aad byte " << i;
  }
  std::vector<uint8_t> otherNonce = nonce;
  otherNonce[11] ^= 1;
  EXPECT_TRUE(refused(key, otherNonce, aad, sealed));
  std::vector<uint8_t> otherKey = key;
  otherKey[0] ^= 1;
  EXPECT_TRUE(refused(otherKey, nonce, aad, sealed));
  // Cut short: a missing tag byte or a missing text byte.
  EXPECT_TRUE(refused(key, nonce, aad, std::vector<uint8_t>(sealed.begin(), sealed.end() - 1)));
  EXPECT_TRUE(refused(key, nonce, aad, std::vector<uint8_t>(sealed.begin() + 1, sealed.end())));
  EXPECT_TRUE(refused(key, nonce, aad, std::vector<uint8_t>(sealed.begin(), sealed.begin() + 15)));
}

TEST(Crypto, RandomBytesDifferBetweenCallsAndWrongSizesFail) {
  std::vector<uint8_t> a(16), b(16);
  ASSERT_EQ(PlatformCrypto().Random(a), CryptoResult::kDone);
  ASSERT_EQ(PlatformCrypto().Random(b), CryptoResult::kDone);
  EXPECT_NE(a, b);
  EXPECT_NE(a, std::vector<uint8_t>(16, 0));

  std::vector<uint8_t> sealed;
  const std::vector<uint8_t> shortKey(16, 0), key(32, 0), nonce(12, 0), longNonce(16, 0);
  EXPECT_EQ(PlatformCrypto().Seal(shortKey, nonce, {}, key, &sealed), CryptoResult::kFailed);
  EXPECT_EQ(PlatformCrypto().Seal(key, longNonce, {}, key, &sealed), CryptoResult::kFailed);
  EXPECT_TRUE(sealed.empty());
  std::vector<uint8_t> out(32);
  EXPECT_EQ(PlatformCrypto().DeriveKey("pw", key, 0, out), CryptoResult::kFailed);
}

TEST(SecretBytes, WipesWhatItHeldWhenItGoesOrMoves) {
  SecretBytes secret(8);
  secret.Span()[0] = 0x42;
  SecretBytes moved(std::move(secret));
  EXPECT_TRUE(secret.Empty());
  EXPECT_EQ(moved.Span()[0], 0x42);
  moved.Wipe();
  EXPECT_TRUE(moved.Empty());
}

}  // namespace crypto_test
