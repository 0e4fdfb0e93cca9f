#include "accounts/vault.h"

#include <algorithm>
#include <cstring>
#include <system_error>
#include <utility>

#include "env/whole_file.h"
#include "model/database_manager.h"
#include "model/memory_block_file.h"

namespace fs = std::filesystem;

namespace {

constexpr char kMagic[8] = {'T', 'M', 'R', 'L', 'V', 'L', 'T', '1'};
constexpr uint32_t kVersion = 1;
constexpr size_t kHeaderSize = 8 + 4 + 4 + VaultKey::kSaltSize + Crypto::kNonceSize;  // 44
constexpr uint32_t kMostIterations = 10'000'000;
// Far above any real calendar (db.dat holds at most 2000 days).
constexpr uintmax_t kMostVaultBytes = uintmax_t{64} << 20;

void Put32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

uint32_t Get32(const uint8_t* p) {
  return uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
}

std::vector<uint8_t> Header(const VaultKey& key, const std::array<uint8_t, Crypto::kNonceSize>& nonce) {
  std::vector<uint8_t> header(kHeaderSize);
  std::memcpy(header.data(), kMagic, sizeof kMagic);
  Put32(header.data() + 8, kVersion);
  Put32(header.data() + 12, key.iterations);
  std::copy(key.salt.begin(), key.salt.end(), header.begin() + 16);
  std::copy(nonce.begin(), nonce.end(), header.begin() + 16 + VaultKey::kSaltSize);
  return header;
}

PortableFileReplacer& DefaultFiles() {
  static PortableFileReplacer files;
  return files;
}

VaultResult DeriveInto(const VaultContext& context, std::string_view password, VaultKey* key) {
  key->key = SecretBytes(Crypto::kKeySize);
  if (context.Engine().DeriveKey(password, key->salt, key->iterations, key->key.Span()) != CryptoResult::kDone) {
    key->key.Wipe();
    return VaultResult::kCryptoFailed;
  }
  return VaultResult::kDone;
}

}  // namespace

Crypto& VaultContext::Engine() const { return crypto ? *crypto : PlatformCrypto(); }
IFileReplacer& VaultContext::Files() const { return files ? *files : DefaultFiles(); }

fs::path VaultPath(const fs::path& dbPath, int userId) {
  return dbPath.parent_path() / ("vault-" + std::to_string(userId) + ".dat");
}

bool VaultExists(const fs::path& dbPath, int userId) {
  std::error_code ec;
  return fs::exists(VaultPath(dbPath, userId), ec) || ec;
}

std::vector<uint8_t> EmptyDatabaseImage() { return std::vector<uint8_t>(DatabaseManager::kIndexSize + 1, 0); }

VaultResult MakeVaultKey(const VaultContext& context, std::string_view password, VaultKey* key) {
  if (context.iterations < 1 || context.iterations > kMostIterations) return VaultResult::kCryptoFailed;
  VaultKey made;
  made.iterations = context.iterations;
  if (context.Engine().Random(made.salt) != CryptoResult::kDone) return VaultResult::kCryptoFailed;
  const VaultResult derived = DeriveInto(context, password, &made);
  if (derived != VaultResult::kDone) return derived;
  *key = std::move(made);
  return VaultResult::kDone;
}

VaultResult OpenVault(const VaultContext& context, const fs::path& path, std::string_view password, VaultKey* key,
                      std::vector<uint8_t>* image) {
  std::error_code ec;
  if (!fs::exists(path, ec)) return ec ? VaultResult::kUnreadable : VaultResult::kMissing;
  const std::optional<std::string> bytes = ReadWholeFile(path, kMostVaultBytes);
  if (!bytes) return VaultResult::kUnreadable;
  if (bytes->size() < kHeaderSize + Crypto::kTagSize || std::memcmp(bytes->data(), kMagic, sizeof kMagic) != 0)
    return VaultResult::kDamaged;
  const auto* raw = reinterpret_cast<const uint8_t*>(bytes->data());
  if (Get32(raw + 8) != kVersion) return VaultResult::kDamaged;
  VaultKey opened;
  opened.iterations = Get32(raw + 12);
  if (opened.iterations < 1 || opened.iterations > kMostIterations) return VaultResult::kDamaged;
  std::copy(raw + 16, raw + 16 + VaultKey::kSaltSize, opened.salt.begin());
  const std::span<const uint8_t> all(raw, bytes->size());
  const std::span<const uint8_t> header = all.first(kHeaderSize);
  const std::span<const uint8_t> nonce = header.subspan(16 + VaultKey::kSaltSize, Crypto::kNonceSize);
  const VaultResult derived = DeriveInto(context, password, &opened);
  if (derived != VaultResult::kDone) return derived;
  std::vector<uint8_t> plain;
  switch (context.Engine().Open(opened.key.Span(), nonce, header, all.subspan(kHeaderSize), &plain)) {
    case CryptoResult::kDone:
      break;
    case CryptoResult::kRefused:
      return VaultResult::kRefused;
    case CryptoResult::kFailed:
      return VaultResult::kCryptoFailed;
  }
  if (!DatabaseManager::LooksLikeDatabase(plain)) {
    WipeSecret(plain.data(), plain.size());
    return VaultResult::kDamaged;
  }
  *key = std::move(opened);
  *image = std::move(plain);
  return VaultResult::kDone;
}

VaultResult WriteVault(const VaultContext& context, const fs::path& path, const VaultKey& key,
                       const std::vector<uint8_t>& image) {
  // A fresh nonce for every save: one key never seals two images under one nonce.
  std::array<uint8_t, Crypto::kNonceSize> nonce{};
  if (key.key.Size() != Crypto::kKeySize || context.Engine().Random(nonce) != CryptoResult::kDone)
    return VaultResult::kCryptoFailed;
  std::vector<uint8_t> bytes = Header(key, nonce);
  std::vector<uint8_t> sealed;
  if (context.Engine().Seal(key.key.Span(), nonce, bytes, image, &sealed) != CryptoResult::kDone)
    return VaultResult::kCryptoFailed;
  bytes.insert(bytes.end(), sealed.begin(), sealed.end());
  fs::path written = path;
  written += ".new";
  IFileReplacer& files = context.Files();
  if (!files.WriteDurably(written, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size())) ||
      !files.Replace(written, path)) {
    std::error_code ec;
    fs::remove(written, ec);
    return VaultResult::kNotSaved;
  }
  return VaultResult::kDone;
}

// --- The vault as db.dat in memory ---

VaultBlockFile::VaultBlockFile(VaultContext context, fs::path path, VaultKey key, std::vector<uint8_t> image)
    : context_(context), path_(std::move(path)), key_(std::move(key)), working_(image), written_(std::move(image)) {}

VaultBlockFile::~VaultBlockFile() {
  // Her days in the clear go with the key.
  if (!working_.empty()) WipeSecret(working_.data(), working_.size());
  if (!written_.empty()) WipeSecret(written_.data(), written_.size());
}

void VaultBlockFile::Restore() {
  if (!working_.empty()) WipeSecret(working_.data(), working_.size());
  working_ = written_;
}

size_t VaultBlockFile::ReadAt(uint64_t offset, void* buffer, size_t n) {
  if (offset >= working_.size()) return 0;
  const size_t got = std::min<size_t>(n, working_.size() - static_cast<size_t>(offset));
  std::memcpy(buffer, working_.data() + offset, got);
  return got;
}

bool VaultBlockFile::WriteAt(uint64_t offset, const void* data, size_t n) {
  if (offset + n > kMostVaultBytes) {
    Restore();  // the save this write belongs to will not happen
    return false;
  }
  if (working_.size() < offset + n) working_.resize(static_cast<size_t>(offset + n), 0);
  if (n > 0) std::memcpy(working_.data() + offset, data, n);
  return true;
}

bool VaultBlockFile::Size(uint64_t* size) {
  *size = working_.size();
  return true;
}

bool VaultBlockFile::Flush() {
  if (working_ == written_) return true;
  if (WriteVault(context_, path_, key_, working_) != VaultResult::kDone) {
    Restore();
    return false;
  }
  if (!written_.empty()) WipeSecret(written_.data(), written_.size());
  written_ = working_;
  return true;
}

bool VaultBlockFile::Truncate(uint64_t size) {
  if (size > kMostVaultBytes) return false;
  working_.resize(static_cast<size_t>(size), 0);
  return true;
}

VaultResult VaultBlockFile::ChangeKey(VaultKey key) {
  const VaultResult written = WriteVault(context_, path_, key, written_);
  if (written == VaultResult::kDone) key_ = std::move(key);
  return written;
}

// --- Moving her days in and out ---

VaultResult EncryptDays(const VaultContext& context, const fs::path& dbPath, DatabaseManager& db, uint16_t ownerId,
                        std::string_view password, std::unique_ptr<DatabaseManager>* opened,
                        VaultBlockFile** openedFile) {
  const fs::path path = VaultPath(dbPath, ownerId);
  std::error_code ec;
  if (fs::exists(path, ec) || ec) return VaultResult::kExists;
  if (!db.IsOpen() || db.IsReadOnly()) return VaultResult::kCalendarNotSaved;
  const std::vector<Day> days = db.DaysOf(ownerId);

  // Her days alone, as a db.dat in memory written by the same code as db.dat.
  auto memory = std::make_unique<MemoryBlockFile>(EmptyDatabaseImage());
  MemoryBlockFile* image = memory.get();
  VaultKey key;
  std::vector<uint8_t> bytes;
  {
    DatabaseManager alone(std::move(memory), [ownerId] { return ownerId; });
    if (alone.ReplaceDays(ownerId, days) != SaveResult::kDone) return VaultResult::kCryptoFailed;
    memory.reset();
    VaultResult made = MakeVaultKey(context, password, &key);
    if (made != VaultResult::kDone) return made;
    bytes = image->Bytes();
    made = WriteVault(context, path, key, bytes);
    if (made != VaultResult::kDone) {
      WipeSecret(bytes.data(), bytes.size());
      return made;
    }
  }
  if (db.ReplaceDays(ownerId, {}) != SaveResult::kDone) {
    // Her days stay in db.dat; the vault that would have doubled them goes.
    WipeSecret(bytes.data(), bytes.size());
    fs::remove(path, ec);
    return VaultResult::kCalendarNotSaved;
  }
  // Older versions of her records (a note written over, a day removed) lie
  // unreferenced in db.dat: they go too. When that save fails her days are
  // in the vault all the same; the bytes go with the next deletion.
  static_cast<void>(db.ScrubFreeSpace());
  if (opened) {
    auto file = std::make_unique<VaultBlockFile>(context, path, std::move(key), std::move(bytes));
    if (openedFile) *openedFile = file.get();
    *opened = std::make_unique<DatabaseManager>(std::move(file), [ownerId] { return ownerId; });
  } else {
    WipeSecret(bytes.data(), bytes.size());
  }
  return VaultResult::kDone;
}

VaultResult DecryptDays(const VaultContext& context, const fs::path& dbPath, DatabaseManager& db, uint16_t ownerId,
                        std::string_view password) {
  const fs::path path = VaultPath(dbPath, ownerId);
  VaultKey key;
  std::vector<uint8_t> image;
  const VaultResult opened = OpenVault(context, path, password, &key, &image);
  if (opened != VaultResult::kDone) return opened;
  std::vector<Day> days;
  {
    DatabaseManager alone(std::make_unique<MemoryBlockFile>(std::move(image)), [ownerId] { return ownerId; });
    days = alone.DaysOf(ownerId);
  }
  if (!db.IsOpen() || db.ReplaceDays(ownerId, days) != SaveResult::kDone) return VaultResult::kCalendarNotSaved;
  // Her days are in db.dat now; a vault left by a failed removal would hide
  // them, so it is removed or reported.
  std::error_code ec;
  if (!fs::remove(path, ec) || ec) return VaultResult::kNotSaved;
  return VaultResult::kDone;
}

VaultResult OpenVaultDatabase(const VaultContext& context, const fs::path& dbPath, uint16_t ownerId,
                              std::string_view password, std::unique_ptr<DatabaseManager>* db,
                              VaultBlockFile** vaultFile) {
  const fs::path path = VaultPath(dbPath, ownerId);
  VaultKey key;
  std::vector<uint8_t> image;
  const VaultResult opened = OpenVault(context, path, password, &key, &image);
  if (opened != VaultResult::kDone) return opened;
  auto file = std::make_unique<VaultBlockFile>(context, path, std::move(key), std::move(image));
  if (vaultFile) *vaultFile = file.get();
  *db = std::make_unique<DatabaseManager>(std::move(file), [ownerId] { return ownerId; });
  return VaultResult::kDone;
}

std::vector<int> VaultIds(const fs::path& dbPath) {
  std::vector<int> ids;
  std::error_code ec;
  for (fs::directory_iterator it(dbPath.parent_path(), ec), end; !ec && it != end; it.increment(ec)) {
    // Compared as UTF-16: a file of another name must not stop the walk.
    const std::u16string name = it->path().filename().u16string();
    constexpr std::u16string_view kPrefix = u"vault-", kSuffix = u".dat";
    if (name.size() <= kPrefix.size() + kSuffix.size() || !name.starts_with(kPrefix) || !name.ends_with(kSuffix))
      continue;
    const std::u16string digits = name.substr(kPrefix.size(), name.size() - kPrefix.size() - kSuffix.size());
    if (digits.size() > 5 || digits.front() == u'0' ||
        !std::all_of(digits.begin(), digits.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; }))
      continue;
    int id = 0;
    for (const char16_t c : digits) id = id * 10 + (c - u'0');
    if (id <= 65535) ids.push_back(id);
  }
  std::sort(ids.begin(), ids.end());
  return ids;
}
