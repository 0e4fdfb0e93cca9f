#include "backup/backup_files.h"

#include <algorithm>
#include <map>
#include <optional>
#include <system_error>
#include <vector>

#include "accounts/vault.h"
#include "env/locale_manager.h"
#include "env/text_format.h"
#include "env/whole_file.h"
#include "model/database_manager.h"

namespace {

// Far beyond any real calendar (2000 days with long notes stay under a few MB).
constexpr std::uintmax_t kMaxBackupBytes = 256u * 1024 * 1024;
constexpr std::string_view kMarkerStart = "Tamarel restore\r\n";
constexpr std::string_view kMarkerEnd = "end\r\n";
constexpr std::string_view kMarkerVaults = "vaults:";

std::filesystem::path WithSuffix(const std::filesystem::path& file, const char* suffix) {
  std::filesystem::path p = file;
  p += suffix;
  return p;
}

bool Exists(const std::filesystem::path& p) {
  std::error_code ec;
  return std::filesystem::exists(p, ec);
}

void RemoveQuietly(const std::filesystem::path& p) {
  std::error_code ec;
  std::filesystem::remove(p, ec);
}

// A file that may be missing: its bytes, none when missing, or failure.
struct OptionalFile {
  bool ok = true;
  std::optional<std::string> bytes;
};

OptionalFile ReadIfThere(const std::filesystem::path& p) {
  if (!Exists(p)) return {};
  std::optional<std::string> bytes = ReadWholeFile(p);
  return bytes ? OptionalFile{true, std::move(bytes)} : OptionalFile{false, std::nullopt};
}

// db.dat as the program's last complete save left it.
OptionalFile ReadCalendar(const std::filesystem::path& db) {
  if (!Exists(db)) return {};
  std::optional<std::vector<uint8_t>> image = DatabaseManager::ReadImage(db);
  if (!image) return {false, std::nullopt};
  return {true, std::string(image->begin(), image->end())};
}

std::filesystem::path VaultFile(const DataFiles& files, int id) { return VaultPath(files.db, id); }

void ClearStage(const DataFiles& files) {
  RemoveQuietly(RestoreStagePath(files.db));
  RemoveQuietly(RestoreStagePath(files.users));
  // Staged vaults of any id: their names end in ".dat.restore".
  std::error_code ec;
  for (std::filesystem::directory_iterator it(files.db.parent_path(), ec), end; !ec && it != end; it.increment(ec)) {
    const std::u16string name = it->path().filename().u16string();
    if (name.starts_with(u"vault-") && name.ends_with(u".dat.restore")) RemoveQuietly(it->path());
  }
}

// The marker: decided, and which vaults the restored set holds. None when it
// is not a whole marker (cut off while it was written).
std::optional<std::vector<int>> ParseMarker(std::string_view text) {
  if (!text.starts_with(kMarkerStart) || !text.ends_with(kMarkerEnd)) return std::nullopt;
  text = text.substr(kMarkerStart.size(), text.size() - kMarkerStart.size() - kMarkerEnd.size());
  std::vector<int> ids;
  if (text.empty()) return ids;
  if (!text.starts_with(kMarkerVaults) || !text.ends_with("\r\n")) return std::nullopt;
  text = text.substr(kMarkerVaults.size(), text.size() - kMarkerVaults.size() - 2);
  while (!text.empty()) {
    if (text.front() != ' ') return std::nullopt;
    text.remove_prefix(1);
    const size_t space = text.find(' ');
    std::string name("vault-");
    name.append(text.substr(0, space));
    name.append(".dat");
    const std::optional<int> id = VaultIdOfName(name);
    if (!id) return std::nullopt;
    ids.push_back(*id);
    text.remove_prefix(space == std::string_view::npos ? text.size() : space);
  }
  return ids;
}

std::string MarkerText(const std::map<int, std::string>& vaults) {
  std::string text(kMarkerStart);
  if (!vaults.empty()) {
    text += kMarkerVaults;
    for (const auto& [id, bytes] : vaults) {
      text += ' ';
      text += std::to_string(id);
    }
    text += "\r\n";
  }
  text += kMarkerEnd;
  return text;
}

}  // namespace

std::filesystem::path BeforeRestorePath(const std::filesystem::path& file) { return WithSuffix(file, ".before-restore"); }
std::filesystem::path RestoreStagePath(const std::filesystem::path& file) { return WithSuffix(file, ".restore"); }
std::filesystem::path RestoreMarkerPath(const DataFiles& files) { return WithSuffix(files.db, ".restore-pending"); }

BackupStatus WriteBackup(const DataFiles& files, const std::filesystem::path& target, const PackedDate& today,
                         IFileReplacer& replacer) {
  const OptionalFile db = ReadCalendar(files.db);
  const OptionalFile users = ReadIfThere(files.users);
  if (!db.ok || !users.ok) return BackupStatus::kCalendarUnreadable;
  BackupContents contents;
  // Nothing stored yet: the empty calendar the program would make.
  contents.db = db.bytes ? *db.bytes : std::string(DatabaseManager::kIndexSize + 1, '\0');
  contents.users = users.bytes;
  // Her vault as it is on the disk: a save replaces it in one step, so a
  // read sees the old vault or the new one.
  for (const int id : VaultIds(files.db)) {
    const std::optional<std::string> vault = ReadWholeFile(VaultFile(files, id));
    if (!vault) return BackupStatus::kCalendarUnreadable;
    contents.vaults[id] = *vault;
  }
  contents.made = today;
  // A backup that could not be restored is no backup.
  if (!DatabaseManager::LooksLikeDatabase(std::vector<uint8_t>(contents.db.begin(), contents.db.end())))
    return BackupStatus::kCalendarUnreadable;
  const std::string archive = MakeBackupArchive(contents);
  const std::filesystem::path part = WithSuffix(target, ".part");
  if (!replacer.WriteDurably(part, archive) || !replacer.Replace(part, target)) {
    RemoveQuietly(part);
    return BackupStatus::kWriteFailed;
  }
  return BackupStatus::kDone;
}

ReadBackupResult ReadBackupFile(const std::filesystem::path& source) {
  ReadBackupResult out;
  const std::optional<std::string> bytes = ReadWholeFile(source, kMaxBackupBytes);
  if (!bytes) return out;
  CheckedBackup checked = CheckBackupArchive(*bytes);
  switch (checked.check) {
    case BackupCheck::kOk:
      out.status = BackupStatus::kDone;
      out.contents = std::move(checked.contents);
      break;
    case BackupCheck::kNotABackup: out.status = BackupStatus::kNotABackup; break;
    case BackupCheck::kDamaged: out.status = BackupStatus::kDamaged; break;
  }
  return out;
}

BackupStatus RestoreBackup(const DataFiles& files, const std::filesystem::path& source, IFileReplacer& replacer) {
  // 1. The whole backup, checked, before anything is touched.
  const ReadBackupResult backup = ReadBackupFile(source);
  if (backup.status != BackupStatus::kDone) return backup.status;
  // A restore left over from before is finished (or cleared) first.
  if (FinishPendingRestore(files, replacer) != BackupStatus::kDone) return BackupStatus::kRestoreFailed;

  const OptionalFile db = ReadCalendar(files.db);
  const OptionalFile users = ReadIfThere(files.users);
  if (!db.ok || !users.ok) return BackupStatus::kCalendarUnreadable;

  // 2. What is replaced stays beside it.
  if ((db.bytes && !replacer.WriteDurably(BeforeRestorePath(files.db), *db.bytes)) ||
      (users.bytes && !replacer.WriteDurably(BeforeRestorePath(files.users), *users.bytes)))
    return BackupStatus::kRestoreFailed;
  for (const int id : VaultIds(files.db)) {
    const std::optional<std::string> vault = ReadWholeFile(VaultFile(files, id));
    if (!vault || !replacer.WriteDurably(BeforeRestorePath(VaultFile(files, id)), *vault))
      return BackupStatus::kRestoreFailed;
  }

  // 3. The new files beside the old ones. A backup without a user list
  // restores an empty one, so no user of today stays behind.
  const bool replaceUsers = backup.contents.users || users.bytes;
  if (!replacer.WriteDurably(RestoreStagePath(files.db), backup.contents.db) ||
      (replaceUsers &&
       !replacer.WriteDurably(RestoreStagePath(files.users), backup.contents.users.value_or(std::string())))) {
    ClearStage(files);
    return BackupStatus::kRestoreFailed;
  }
  for (const auto& [id, bytes] : backup.contents.vaults) {
    if (!replacer.WriteDurably(RestoreStagePath(VaultFile(files, id)), bytes)) {
      ClearStage(files);
      return BackupStatus::kRestoreFailed;
    }
  }

  // 4. Decided.
  if (!replacer.WriteDurably(RestoreMarkerPath(files), MarkerText(backup.contents.vaults))) {
    RemoveQuietly(RestoreMarkerPath(files));
    ClearStage(files);
    return BackupStatus::kRestoreFailed;
  }
  // 5.
  return FinishPendingRestore(files, replacer);
}

BackupStatus FinishPendingRestore(const DataFiles& files, IFileReplacer& replacer) {
  const std::filesystem::path marker = RestoreMarkerPath(files);
  const std::filesystem::path dbStage = RestoreStagePath(files.db);
  const std::filesystem::path usersStage = RestoreStagePath(files.users);
  const OptionalFile decided = ReadIfThere(marker);
  if (!decided.ok) return BackupStatus::kPending;  // cannot tell: touch nothing
  const std::optional<std::vector<int>> vaults = decided.bytes ? ParseMarker(*decided.bytes) : std::nullopt;
  if (!vaults) {
    // Not decided (or the marker was cut off while it was written): the old pair stays.
    if (decided.bytes) RemoveQuietly(marker);
    ClearStage(files);
    return BackupStatus::kDone;
  }

  if (Exists(dbStage)) {
    // The journal speaks of the old db.dat; applied to the new one it would damage it.
    std::error_code ec;
    std::filesystem::remove(DatabaseManager::JournalPath(files.db), ec);
    if (ec || !replacer.Replace(dbStage, files.db)) {
      // Nothing is replaced yet: give the restore up whole.
      RemoveQuietly(marker);
      ClearStage(files);
      return BackupStatus::kRestoreFailed;
    }
  }
  if (Exists(usersStage) && !replacer.Replace(usersStage, files.users)) return BackupStatus::kPending;
  // The backup's vaults, then no other: a vault it did not hold would hide
  // the restored days of her id.
  for (const int id : *vaults) {
    const std::filesystem::path stage = RestoreStagePath(VaultFile(files, id));
    if (Exists(stage) && !replacer.Replace(stage, VaultFile(files, id))) return BackupStatus::kPending;
  }
  for (const int id : VaultIds(files.db)) {
    if (std::find(vaults->begin(), vaults->end(), id) != vaults->end()) continue;
    std::error_code gone;
    std::filesystem::remove(VaultFile(files, id), gone);
    if (gone) return BackupStatus::kPending;
  }
  std::error_code ec;
  std::filesystem::remove(marker, ec);
  return ec ? BackupStatus::kPending : BackupStatus::kDone;
}

std::u16string BackupStatusMessage(BackupStatus status, const LocaleManager& locale, std::u16string_view file) {
  switch (status) {
    case BackupStatus::kDone: return {};
    case BackupStatus::kCalendarUnreadable: return locale.Translate(u"BACKUP_CALENDAR_UNREADABLE");
    case BackupStatus::kWriteFailed: return FormatText(locale.Translate(u"BACKUP_WRITE_FAILED"), {file});
    case BackupStatus::kUnreadable: return FormatText(locale.Translate(u"BACKUP_UNREADABLE"), {file});
    case BackupStatus::kNotABackup: return locale.Translate(u"BACKUP_NOT_OURS");
    case BackupStatus::kDamaged: return locale.Translate(u"BACKUP_DAMAGED");
    case BackupStatus::kRestoreFailed: return locale.Translate(u"RESTORE_FAILED");
    case BackupStatus::kPending: return locale.Translate(u"RESTORE_PENDING");
  }
  return {};
}
