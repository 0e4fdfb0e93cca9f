#pragma once

// The backup file: one zip holding db.dat, user.dat (when there is one), the
// vaults of the users who encrypted their days (as they are, encrypted) and a
// short manifest that marks the archive as ours and lists each file's size
// and CRC-32. Built and checked in memory, so a damaged backup is refused
// before any file is touched.

#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "env/packed_date.h"

struct BackupContents {
  std::string db;                    // db.dat's bytes
  std::optional<std::string> users;  // user.dat's bytes; none when there was no user list
  PackedDate made;                   // the day the backup was taken
  std::map<int, std::string> vaults;  // vault-<id>.dat's bytes by user id, encrypted as they were
};

enum class BackupCheck {
  kOk,
  kNotABackup,  // not a zip, or a zip without our manifest (or with someone else's)
  kDamaged,     // ours, but cut short, failing a CRC, or holding files that do not read
};

struct CheckedBackup {
  BackupCheck check = BackupCheck::kNotABackup;
  BackupContents contents;  // filled only when check is kOk
};

// The manifest's name inside the archive.
inline constexpr std::string_view kBackupManifestName = "tamarel-backup.txt";
// The manifest's first line and the one format this program writes.
inline constexpr std::string_view kBackupMagic = "Tamarel backup";
inline constexpr int kBackupFormat = 1;

[[nodiscard]] std::string MakeBackupArchive(const BackupContents& contents);
// Accepts only what MakeBackupArchive could have written: our manifest, each
// listed file with its size and CRC, nothing else, a db.dat whose index is
// whole and a user list that reads to its last line.
[[nodiscard]] CheckedBackup CheckBackupArchive(std::string_view bytes);

// A vault's name in the archive and beside db.dat, and the id a name
// stands for (none for any other name).
[[nodiscard]] std::string VaultFileName(int userId);
[[nodiscard]] std::optional<int> VaultIdOfName(std::string_view name);

// The name the save dialog offers: "Tamarel-backup-YYYY-MM-DD.zip".
[[nodiscard]] std::u16string DefaultBackupName(const PackedDate& today);
