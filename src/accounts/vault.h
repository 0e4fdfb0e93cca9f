#pragma once

// vault-<id>.dat beside db.dat: the days of one user who chose "Encrypt my
// calendar", as one AES-256-GCM image under a key from her password.
//
// Layout: a 44-byte header, then the sealed image (ciphertext and its 16-byte
// tag). The header is "TMRLVLT1", the version (u32 LE, 1), the PBKDF2 rounds
// (u32 LE), the 16-byte salt and the 12-byte nonce; the whole header is the
// cipher's associated data, so a changed byte anywhere is refused. The image
// is a db.dat holding her days alone, read and written by DatabaseManager
// over memory.

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string_view>
#include <vector>

#include "env/crypto.h"
#include "env/file_replace.h"
#include "model/block_file.h"
#include "model/save_result.h"

class DatabaseManager;

enum class [[nodiscard]] VaultResult{
    kDone,
    kMissing,           // there is no vault: her days are in db.dat
    kRefused,           // the password does not open it, or a byte of it was changed
    kDamaged,           // not a vault of this program (header, version, length)
    kUnreadable,        // the file could not be read
    kExists,            // encrypting: she has a vault already
    kNotSaved,          // the new vault could not be written; the old one (or none) is as it was
    kCalendarNotSaved,  // db.dat could not be written; nothing changed
    kCryptoFailed,      // the system's cryptography did not answer
};

// The key of one vault, held in memory only while she is logged in.
struct VaultKey {
  static constexpr size_t kSaltSize = 16;
  SecretBytes key;
  std::array<uint8_t, kSaltSize> salt{};
  uint32_t iterations = 0;
};

// What the vault code needs from outside: the cryptography, how files are
// put in place, and the rounds of a new key (fewer only in tests that do not
// measure the key's cost).
struct VaultContext {
  static constexpr uint32_t kIterations = 600000;
  Crypto* crypto = nullptr;        // none: the platform's
  IFileReplacer* files = nullptr;  // none: the C runtime's
  uint32_t iterations = kIterations;

  [[nodiscard]] Crypto& Engine() const;
  [[nodiscard]] IFileReplacer& Files() const;
};

[[nodiscard]] std::filesystem::path VaultPath(const std::filesystem::path& dbPath, int userId);
[[nodiscard]] bool VaultExists(const std::filesystem::path& dbPath, int userId);

// A key for a new vault: fresh salt, the context's rounds.
[[nodiscard]] VaultResult MakeVaultKey(const VaultContext& context, std::string_view password, VaultKey* key);
// Reads and opens a vault: *key and *image are filled only on kDone.
[[nodiscard]] VaultResult OpenVault(const VaultContext& context, const std::filesystem::path& path,
                                    std::string_view password, VaultKey* key, std::vector<uint8_t>* image);
// Seals the image with a fresh nonce and puts it in place of the vault in
// one step (written to "<vault>.new", flushed, then moved over the old one).
[[nodiscard]] VaultResult WriteVault(const VaultContext& context, const std::filesystem::path& path,
                                     const VaultKey& key, const std::vector<uint8_t>& image);
// An empty db.dat image: the zeroed index and one zero byte.
[[nodiscard]] std::vector<uint8_t> EmptyDatabaseImage();

// A db.dat in memory whose every flush re-encrypts it into the vault. When
// the vault cannot be written the image goes back to the last one written,
// so memory never holds a save the disk does not.
class VaultBlockFile final : public BlockFile {
 public:
  VaultBlockFile(VaultContext context, std::filesystem::path path, VaultKey key, std::vector<uint8_t> image);
  ~VaultBlockFile() override;

  size_t ReadAt(uint64_t offset, void* buffer, size_t n) override;
  bool WriteAt(uint64_t offset, const void* data, size_t n) override;
  bool Size(uint64_t* size) override;
  bool Flush() override;
  bool Truncate(uint64_t size) override;

  // A new password: the same days under a new key, written at once. The old
  // key stays when the vault cannot be written.
  [[nodiscard]] VaultResult ChangeKey(VaultKey key);
  [[nodiscard]] const std::filesystem::path& Path() const { return path_; }

 private:
  void Restore();

  VaultContext context_;
  std::filesystem::path path_;
  VaultKey key_;
  std::vector<uint8_t> working_;
  std::vector<uint8_t> written_;
};

// Her days move from db.dat into a new vault: the vault is written whole
// first, then her records leave db.dat in one journaled save (when that
// fails the new vault is removed again and she stays as she was). db's
// current owner must be ownerId.
// With opened, her new vault comes back ready for the model (as from
// OpenVaultDatabase), without deriving the key a second time.
[[nodiscard]] VaultResult EncryptDays(const VaultContext& context, const std::filesystem::path& dbPath,
                                      DatabaseManager& db, uint16_t ownerId, std::string_view password,
                                      std::unique_ptr<DatabaseManager>* opened = nullptr,
                                      VaultBlockFile** openedFile = nullptr);
// The reverse: her days go back into db.dat in one journaled save, then the
// vault is removed.
[[nodiscard]] VaultResult DecryptDays(const VaultContext& context, const std::filesystem::path& dbPath,
                                      DatabaseManager& db, uint16_t ownerId, std::string_view password);
// Her calendar from her vault, ready for the model: a DatabaseManager over a
// VaultBlockFile whose saves go to the vault.
// *file (when given) is the vault file under *db, for a change of her key.
[[nodiscard]] VaultResult OpenVaultDatabase(const VaultContext& context, const std::filesystem::path& dbPath,
                                            uint16_t ownerId, std::string_view password,
                                            std::unique_ptr<DatabaseManager>* db, VaultBlockFile** file = nullptr);
// The user ids of the vaults beside db.dat, ascending.
[[nodiscard]] std::vector<int> VaultIds(const std::filesystem::path& dbPath);
