#include "env/base64.h"

#include <gtest/gtest.h>

namespace {

std::vector<uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

// RFC 4648, section 10.
TEST(Base64, EncodesAndDecodesTheRfc4648Vectors) {
  const std::pair<const char*, const char*> cases[] = {{"", ""},
                                                       {"f", "Zg=="},
                                                       {"fo", "Zm8="},
                                                       {"foo", "Zm9v"},
                                                       {"foob", "Zm9vYg=="},
                                                       {"fooba", "Zm9vYmE="},
                                                       {"foobar", "Zm9vYmFy"}};
  for (const auto& [plain, encoded] : cases) {
    EXPECT_EQ(EncodeBase64(Bytes(plain)), encoded);
    EXPECT_EQ(DecodeBase64(encoded), Bytes(plain)) << encoded;
  }
  const std::vector<uint8_t> all = [] {
    std::vector<uint8_t> v;
    for (int i = 0; i < 256; ++i) v.push_back(static_cast<uint8_t>(i));
    return v;
  }();
  EXPECT_EQ(DecodeBase64(EncodeBase64(all)), all);
}

TEST(Base64, RefusesWhatIsNotCanonicalPaddedBase64) {
  for (const char* text : {"Zg", "Zg=", "Z===", "Zg==Zg==", "Zh==", "Zm9=", "Zm 9v", "Zm9v\n", "Zm-v", "=Zm9"}) {
    EXPECT_FALSE(DecodeBase64(text)) << text;
  }
}

}  // namespace
