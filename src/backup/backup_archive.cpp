#include "backup/backup_archive.h"

#include <charconv>
#include <cstdio>
#include <map>
#include <vector>

#include "accounts/logon_manager.h"
#include "env/platform.h"
#include "env/zip_archive.h"
#include "model/database_manager.h"

namespace {

constexpr std::string_view kDbName = "db.dat";
constexpr std::string_view kUsersName = "user.dat";

struct ListedFile {
  uint64_t size = 0;
  uint32_t crc = 0;
};

struct Manifest {
  int format = 0;
  PackedDate made;
  std::map<std::string, ListedFile, std::less<>> files;
};

std::string FileLine(std::string_view name, const std::string& data) {
  char crc[16];
  std::snprintf(crc, sizeof crc, "%08x", static_cast<unsigned>(Crc32(data)));
  return "file: " + std::string(name) + " " + std::to_string(data.size()) + " " + crc + "\r\n";
}

template <typename T>
bool ParseNumber(std::string_view text, T* out, int base = 10) {
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, *out, base);
  return !text.empty() && ec == std::errc() && ptr == end;
}

// The manifest's lines, CR LF each; none when it is not ours or does not read.
std::optional<Manifest> ParseManifest(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const size_t eol = text.find("\r\n");
    if (eol == std::string_view::npos) return std::nullopt;
    lines.push_back(text.substr(0, eol));
    text.remove_prefix(eol + 2);
  }
  if (lines.empty() || lines[0] != kBackupMagic) return std::nullopt;
  Manifest m;
  bool dated = false;
  for (size_t i = 1; i < lines.size(); ++i) {
    std::string_view line = lines[i];
    if (line.rfind("format: ", 0) == 0) {
      if (!ParseNumber(line.substr(8), &m.format)) return std::nullopt;
    } else if (line.rfind("date: ", 0) == 0) {
      dated = ParseIsoDate(line.substr(6), &m.made);
      if (!dated) return std::nullopt;
    } else if (line.rfind("file: ", 0) == 0) {
      line.remove_prefix(6);
      const size_t a = line.find(' ');
      const size_t b = a == std::string_view::npos ? a : line.find(' ', a + 1);
      if (b == std::string_view::npos) return std::nullopt;
      ListedFile f;
      const std::string_view name = line.substr(0, a);
      const std::string_view crc = line.substr(b + 1);
      if (!ParseNumber(line.substr(a + 1, b - a - 1), &f.size) || crc.size() != 8 || !ParseNumber(crc, &f.crc, 16))
        return std::nullopt;
      if (!m.files.emplace(std::string(name), f).second) return std::nullopt;
    }
    // Other lines (the program that wrote it) are for people.
  }
  if (m.format != kBackupFormat || !dated) return std::nullopt;
  return m;
}

// The start every vault of this program has ("TMRLVLT1"); the rest only her
// password opens.
constexpr std::string_view kVaultMagic = "TMRLVLT1";

}  // namespace

std::string VaultFileName(int userId) { return "vault-" + std::to_string(userId) + ".dat"; }

std::optional<int> VaultIdOfName(std::string_view name) {
  constexpr std::string_view kPrefix = "vault-", kSuffix = ".dat";
  if (name.size() <= kPrefix.size() + kSuffix.size() || !name.starts_with(kPrefix) || !name.ends_with(kSuffix))
    return std::nullopt;
  const std::string_view digits = name.substr(kPrefix.size(), name.size() - kPrefix.size() - kSuffix.size());
  int id = 0;
  if (digits.front() == '0' || digits.size() > 5 || !ParseNumber(digits, &id) || id < 1 ||
      id > LogonManager::kMaxUserId)
    return std::nullopt;
  return id;
}

std::u16string DefaultBackupName(const PackedDate& today) {
  return FromUtf8("Tamarel-backup-" + IsoDate(today) + ".zip");
}

std::string MakeBackupArchive(const BackupContents& contents) {
  std::string manifest = std::string(kBackupMagic) + "\r\n";
  manifest += "format: " + std::to_string(kBackupFormat) + "\r\n";
  manifest += "program: Tamarel\r\n";
  manifest += "date: " + IsoDate(contents.made) + "\r\n";
  manifest += FileLine(kDbName, contents.db);
  if (contents.users) manifest += FileLine(kUsersName, *contents.users);
  for (const auto& [id, bytes] : contents.vaults) manifest += FileLine(VaultFileName(id), bytes);

  std::vector<ZipEntry> entries{{std::string(kBackupManifestName), manifest}, {std::string(kDbName), contents.db}};
  if (contents.users) entries.push_back({std::string(kUsersName), *contents.users});
  for (const auto& [id, bytes] : contents.vaults) entries.push_back({VaultFileName(id), bytes});
  return WriteZip(entries, contents.made);
}

CheckedBackup CheckBackupArchive(std::string_view bytes) {
  CheckedBackup out;
  const ZipReadResult zip = ReadZip(bytes);
  if (zip.error == ZipError::kNotAZip || zip.error == ZipError::kUnsupported) return out;
  if (zip.error == ZipError::kDamaged) {
    out.check = BackupCheck::kDamaged;
    return out;
  }
  const ZipEntry* manifestEntry = nullptr;
  for (const ZipEntry& e : zip.entries)
    if (!manifestEntry && e.name == kBackupManifestName) manifestEntry = &e;
  if (!manifestEntry) return out;  // some other zip
  const std::optional<Manifest> manifest = ParseManifest(manifestEntry->data);
  if (!manifest) return out;

  // From here on it is ours: anything that does not fit is damage.
  out.check = BackupCheck::kDamaged;
  if (zip.entries.size() != manifest->files.size() + 1 || !manifest->files.contains(kDbName)) return out;
  BackupContents contents;
  contents.made = manifest->made;
  std::map<std::string, int, std::less<>> seen;
  for (const ZipEntry& e : zip.entries) {
    if (&e == manifestEntry) continue;
    if (++seen[e.name] > 1) return out;  // one file twice, another listed one missing
    const auto listed = manifest->files.find(e.name);
    if (listed == manifest->files.end() || listed->second.size != e.data.size() || listed->second.crc != Crc32(e.data))
      return out;
    if (e.name == kDbName) contents.db = e.data;
    else if (e.name == kUsersName) contents.users = e.data;
    else if (const std::optional<int> id = VaultIdOfName(e.name); id && e.data.starts_with(kVaultMagic))
      contents.vaults[*id] = e.data;
    else return out;
  }
  if (!DatabaseManager::LooksLikeDatabase(std::vector<uint8_t>(contents.db.begin(), contents.db.end()))) return out;
  // An empty list (every user deleted) is a list; anything else must read to its last line.
  if (contents.users && !contents.users->empty() && !LogonManager::ParseUsers(*contents.users).complete) return out;
  out.check = BackupCheck::kOk;
  out.contents = std::move(contents);
  return out;
}
