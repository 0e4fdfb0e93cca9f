// The native build's cryptography: OpenSSL's libcrypto.

#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/rand.h>

#include <climits>
#include <memory>

#include "env/crypto.h"

namespace {

struct CipherContextFree {
  void operator()(EVP_CIPHER_CTX* context) const { EVP_CIPHER_CTX_free(context); }
};
using CipherContext = std::unique_ptr<EVP_CIPHER_CTX, CipherContextFree>;

bool FitsInt(size_t n) { return n <= static_cast<size_t>(INT_MAX); }

// The GCM context for this key and nonce, or none.
CipherContext Start(bool encrypt, std::span<const uint8_t> key, std::span<const uint8_t> nonce,
                    std::span<const uint8_t> aad) {
  if (key.size() != Crypto::kKeySize || nonce.size() != Crypto::kNonceSize || !FitsInt(aad.size())) return {};
  CipherContext context(EVP_CIPHER_CTX_new());
  if (!context) return {};
  if (EVP_CipherInit_ex(context.get(), EVP_aes_256_gcm(), nullptr, key.data(), nonce.data(), encrypt ? 1 : 0) != 1)
    return {};
  int ignored = 0;
  if (!aad.empty() && EVP_CipherUpdate(context.get(), nullptr, &ignored, aad.data(), static_cast<int>(aad.size())) != 1)
    return {};
  return context;
}

class OpenSslCrypto final : public Crypto {
 public:
  CryptoResult DeriveKey(std::string_view password, std::span<const uint8_t> salt, uint32_t iterations,
                         std::span<uint8_t> out) override {
    if (iterations == 0 || iterations > static_cast<uint32_t>(INT_MAX) || !FitsInt(password.size()) ||
        !FitsInt(salt.size()) || !FitsInt(out.size()))
      return CryptoResult::kFailed;
    return PKCS5_PBKDF2_HMAC(password.data(), static_cast<int>(password.size()), salt.data(),
                             static_cast<int>(salt.size()), static_cast<int>(iterations), EVP_sha256(),
                             static_cast<int>(out.size()), out.data()) == 1
               ? CryptoResult::kDone
               : CryptoResult::kFailed;
  }

  CryptoResult Random(std::span<uint8_t> out) override {
    if (!FitsInt(out.size())) return CryptoResult::kFailed;
    return RAND_bytes(out.data(), static_cast<int>(out.size())) == 1 ? CryptoResult::kDone : CryptoResult::kFailed;
  }

  CryptoResult Seal(std::span<const uint8_t> key, std::span<const uint8_t> nonce, std::span<const uint8_t> aad,
                    std::span<const uint8_t> plain, std::vector<uint8_t>* sealed) override {
    sealed->clear();
    if (!FitsInt(plain.size() + kTagSize)) return CryptoResult::kFailed;
    const CipherContext context = Start(true, key, nonce, aad);
    if (!context) return CryptoResult::kFailed;
    std::vector<uint8_t> out(plain.size() + kTagSize);
    int written = 0;
    if (!plain.empty() &&
        EVP_EncryptUpdate(context.get(), out.data(), &written, plain.data(), static_cast<int>(plain.size())) != 1)
      return CryptoResult::kFailed;
    int last = 0;
    if (EVP_EncryptFinal_ex(context.get(), out.data() + written, &last) != 1 ||
        static_cast<size_t>(written + last) != plain.size())
      return CryptoResult::kFailed;
    if (EVP_CIPHER_CTX_ctrl(context.get(), EVP_CTRL_GCM_GET_TAG, static_cast<int>(kTagSize),
                            out.data() + plain.size()) != 1)
      return CryptoResult::kFailed;
    *sealed = std::move(out);
    return CryptoResult::kDone;
  }

  CryptoResult Open(std::span<const uint8_t> key, std::span<const uint8_t> nonce, std::span<const uint8_t> aad,
                    std::span<const uint8_t> sealed, std::vector<uint8_t>* plain) override {
    plain->clear();
    if (sealed.size() < kTagSize || !FitsInt(sealed.size())) return CryptoResult::kRefused;
    const CipherContext context = Start(false, key, nonce, aad);
    if (!context) return CryptoResult::kFailed;
    const size_t textSize = sealed.size() - kTagSize;
    std::vector<uint8_t> out(textSize);
    int written = 0;
    if (textSize > 0 &&
        EVP_DecryptUpdate(context.get(), out.data(), &written, sealed.data(), static_cast<int>(textSize)) != 1)
      return CryptoResult::kFailed;
    std::vector<uint8_t> tag(sealed.begin() + static_cast<std::ptrdiff_t>(textSize), sealed.end());
    if (EVP_CIPHER_CTX_ctrl(context.get(), EVP_CTRL_GCM_SET_TAG, static_cast<int>(kTagSize), tag.data()) != 1)
      return CryptoResult::kFailed;
    int last = 0;
    if (EVP_DecryptFinal_ex(context.get(), out.data() + written, &last) != 1) {
      WipeSecret(out.data(), out.size());
      return CryptoResult::kRefused;
    }
    *plain = std::move(out);
    return CryptoResult::kDone;
  }
};

}  // namespace

void WipeSecret(void* data, size_t size) { OPENSSL_cleanse(data, size); }

Crypto& PlatformCrypto() {
  static OpenSslCrypto crypto;
  return crypto;
}
