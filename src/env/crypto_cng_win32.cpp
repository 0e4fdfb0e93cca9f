// The program's cryptography: Windows CNG (bcrypt.dll), loaded on the first
// call, which is a login.

#include <windows.h>
// bcrypt.h needs the types of windows.h.
#include <bcrypt.h>

#include <climits>

#include "env/crypto.h"

namespace {

constexpr NTSTATUS kAuthTagMismatch = static_cast<NTSTATUS>(0xC000A002L);

bool Succeeded(NTSTATUS status) { return status >= 0; }

// Owners of the two CNG handle kinds: closed once, never copied.
class AlgorithmHandle {
 public:
  AlgorithmHandle() = default;
  ~AlgorithmHandle() {
    if (handle_) BCryptCloseAlgorithmProvider(handle_, 0);
  }
  AlgorithmHandle(const AlgorithmHandle&) = delete;
  AlgorithmHandle& operator=(const AlgorithmHandle&) = delete;
  [[nodiscard]] bool Open(const wchar_t* algorithm, ULONG flags) {
    return Succeeded(BCryptOpenAlgorithmProvider(&handle_, algorithm, nullptr, flags)) && handle_;
  }
  [[nodiscard]] BCRYPT_ALG_HANDLE Get() const { return handle_; }

 private:
  BCRYPT_ALG_HANDLE handle_ = nullptr;
};

class KeyHandle {
 public:
  KeyHandle() = default;
  ~KeyHandle() {
    if (handle_) BCryptDestroyKey(handle_);
  }
  KeyHandle(const KeyHandle&) = delete;
  KeyHandle& operator=(const KeyHandle&) = delete;
  [[nodiscard]] BCRYPT_KEY_HANDLE* Put() { return &handle_; }
  [[nodiscard]] BCRYPT_KEY_HANDLE Get() const { return handle_; }

 private:
  BCRYPT_KEY_HANDLE handle_ = nullptr;
};

bool FitsUlong(size_t n) { return n <= static_cast<size_t>(ULONG_MAX); }

// CNG takes non-const pointers for input it does not change, and refuses a
// null pointer even with a length of zero.
PUCHAR In(std::span<const uint8_t> bytes) {
  static UCHAR none = 0;
  return bytes.empty() ? &none : const_cast<PUCHAR>(bytes.data());
}

// An AES-256-GCM key object for these key bytes; alg must outlive it.
bool MakeGcmKey(AlgorithmHandle& alg, KeyHandle& key, std::span<const uint8_t> keyBytes) {
  if (keyBytes.size() != Crypto::kKeySize || !alg.Open(BCRYPT_AES_ALGORITHM, 0)) return false;
  static const wchar_t kGcm[] = BCRYPT_CHAIN_MODE_GCM;
  if (!Succeeded(BCryptSetProperty(alg.Get(), BCRYPT_CHAINING_MODE,
                                   reinterpret_cast<PUCHAR>(const_cast<wchar_t*>(kGcm)), sizeof(kGcm), 0)))
    return false;
  return Succeeded(BCryptGenerateSymmetricKey(alg.Get(), key.Put(), nullptr, 0, In(keyBytes),
                                              static_cast<ULONG>(keyBytes.size()), 0));
}

class CngCrypto final : public Crypto {
 public:
  CryptoResult DeriveKey(std::string_view password, std::span<const uint8_t> salt, uint32_t iterations,
                         std::span<uint8_t> out) override {
    if (iterations == 0 || !FitsUlong(password.size()) || !FitsUlong(salt.size()) || !FitsUlong(out.size()) ||
        out.empty())
      return CryptoResult::kFailed;
    AlgorithmHandle hmac;
    if (!hmac.Open(BCRYPT_SHA256_ALGORITHM, BCRYPT_ALG_HANDLE_HMAC_FLAG)) return CryptoResult::kFailed;
    const std::span<const uint8_t> passwordBytes(reinterpret_cast<const uint8_t*>(password.data()), password.size());
    return Succeeded(BCryptDeriveKeyPBKDF2(hmac.Get(), In(passwordBytes), static_cast<ULONG>(password.size()), In(salt),
                                           static_cast<ULONG>(salt.size()), iterations, out.data(),
                                           static_cast<ULONG>(out.size()), 0))
               ? CryptoResult::kDone
               : CryptoResult::kFailed;
  }

  CryptoResult Random(std::span<uint8_t> out) override {
    if (out.empty()) return CryptoResult::kDone;
    if (!FitsUlong(out.size())) return CryptoResult::kFailed;
    return Succeeded(
               BCryptGenRandom(nullptr, out.data(), static_cast<ULONG>(out.size()), BCRYPT_USE_SYSTEM_PREFERRED_RNG))
               ? CryptoResult::kDone
               : CryptoResult::kFailed;
  }

  CryptoResult Seal(std::span<const uint8_t> key, std::span<const uint8_t> nonce, std::span<const uint8_t> aad,
                    std::span<const uint8_t> plain, std::vector<uint8_t>* sealed) override {
    sealed->clear();
    if (nonce.size() != kNonceSize || !FitsUlong(aad.size()) || !FitsUlong(plain.size() + kTagSize))
      return CryptoResult::kFailed;
    AlgorithmHandle alg;
    KeyHandle keyHandle;
    if (!MakeGcmKey(alg, keyHandle, key)) return CryptoResult::kFailed;
    std::vector<uint8_t> out(plain.size() + kTagSize);
    BCRYPT_AUTHENTICATED_CIPHER_MODE_INFO info;
    BCRYPT_INIT_AUTH_MODE_INFO(info);
    info.pbNonce = In(nonce);
    info.cbNonce = static_cast<ULONG>(nonce.size());
    info.pbAuthData = aad.empty() ? nullptr : In(aad);
    info.cbAuthData = static_cast<ULONG>(aad.size());
    info.pbTag = out.data() + plain.size();
    info.cbTag = static_cast<ULONG>(kTagSize);
    ULONG written = 0;
    if (!Succeeded(BCryptEncrypt(keyHandle.Get(), plain.empty() ? nullptr : In(plain), static_cast<ULONG>(plain.size()),
                                 &info, nullptr, 0, plain.empty() ? nullptr : out.data(),
                                 static_cast<ULONG>(plain.size()), &written, 0)) ||
        written != plain.size())
      return CryptoResult::kFailed;
    *sealed = std::move(out);
    return CryptoResult::kDone;
  }

  CryptoResult Open(std::span<const uint8_t> key, std::span<const uint8_t> nonce, std::span<const uint8_t> aad,
                    std::span<const uint8_t> sealed, std::vector<uint8_t>* plain) override {
    plain->clear();
    if (sealed.size() < kTagSize) return CryptoResult::kRefused;
    if (nonce.size() != kNonceSize || !FitsUlong(aad.size()) || !FitsUlong(sealed.size())) return CryptoResult::kFailed;
    AlgorithmHandle alg;
    KeyHandle keyHandle;
    if (!MakeGcmKey(alg, keyHandle, key)) return CryptoResult::kFailed;
    const size_t textSize = sealed.size() - kTagSize;
    std::vector<uint8_t> tag(sealed.begin() + static_cast<std::ptrdiff_t>(textSize), sealed.end());
    std::vector<uint8_t> out(textSize);
    BCRYPT_AUTHENTICATED_CIPHER_MODE_INFO info;
    BCRYPT_INIT_AUTH_MODE_INFO(info);
    info.pbNonce = In(nonce);
    info.cbNonce = static_cast<ULONG>(nonce.size());
    info.pbAuthData = aad.empty() ? nullptr : In(aad);
    info.cbAuthData = static_cast<ULONG>(aad.size());
    info.pbTag = tag.data();
    info.cbTag = static_cast<ULONG>(kTagSize);
    ULONG written = 0;
    const NTSTATUS status = BCryptDecrypt(
        keyHandle.Get(), textSize == 0 ? nullptr : In(sealed.first(textSize)), static_cast<ULONG>(textSize), &info,
        nullptr, 0, textSize == 0 ? nullptr : out.data(), static_cast<ULONG>(textSize), &written, 0);
    if (status == kAuthTagMismatch) {
      SecureZeroMemory(out.data(), out.size());
      return CryptoResult::kRefused;
    }
    if (!Succeeded(status) || written != textSize) {
      SecureZeroMemory(out.data(), out.size());
      return CryptoResult::kFailed;
    }
    *plain = std::move(out);
    return CryptoResult::kDone;
  }
};

}  // namespace

void WipeSecret(void* data, size_t size) { SecureZeroMemory(data, size); }

Crypto& PlatformCrypto() {
  static CngCrypto crypto;
  return crypto;
}
