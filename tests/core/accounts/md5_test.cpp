// MD5 against the test suite of RFC 1321, in one call and fed in pieces.

#include "accounts/md5.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Hex(const Md5Digest& digest) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string text;
  for (const uint8_t b : digest) {
    text.push_back(kHex[b >> 4]);
    text.push_back(kHex[b & 15]);
  }
  return text;
}

struct Rfc1321Case {
  const char* message;
  const char* digest;
};

constexpr Rfc1321Case kSuite[] = {
    {"", "d41d8cd98f00b204e9800998ecf8427e"},
    {"a", "0cc175b9c0f1b6a831c399e269772661"},
    {"abc", "900150983cd24fb0d6963f7d28e17f72"},
    {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
    {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
    {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "d174ab98d277d9f5a5611c2c9f419d9f"},
    {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
     "57edf4a22be3c955ac49da2e2107b67a"},
};

TEST(Md5, Rfc1321TestSuite) {
  for (const auto& c : kSuite) EXPECT_EQ(Hex(Md5(c.message)), c.digest) << '"' << c.message << '"';
}

// Pieces of every size cross the 64-byte block edges and the 56-byte padding
// edge in every way; the digest must not depend on how the bytes arrive.
TEST(Md5, PiecesGiveTheSameDigestAsOneCall) {
  std::string message;
  for (int i = 0; i < 300; ++i) message.push_back(static_cast<char>(i * 7 + 3));
  for (size_t length : {55u, 56u, 63u, 64u, 65u, 119u, 120u, 128u, 300u}) {
    const std::string_view whole(message.data(), length);
    const std::string expected = Hex(Md5(whole));
    for (size_t piece = 1; piece <= 70; piece += 3) {
      Md5Context context;
      for (size_t at = 0; at < length; at += piece) context.Update(whole.substr(at, piece));
      EXPECT_EQ(Hex(context.Final()), expected) << "length " << length << ", pieces of " << piece;
    }
  }
}

// A million 'a' (the long message of the usual MD5 test vectors): the bit
// count goes past 2^23.
TEST(Md5, MillionTimesA) { EXPECT_EQ(Hex(Md5(std::string(1000000, 'a'))), "7707d6ae4e027c70eea2a935c2296f21"); }

}  // namespace
