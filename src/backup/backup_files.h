#pragma once

// Back up and restore db.dat, user.dat and the vaults beside db.dat as one
// file. Vaults travel as they are: encrypted.
//
// A restore never leaves a half-restored pair:
//  1. the backup is read and checked whole in memory (nothing is touched when
//     it is not ours or is damaged);
//  2. the files it replaces are copied beside them as *.before-restore;
//  3. the new files are written beside the old ones as db.dat.restore and
//     user.dat.restore and pushed to the disk;
//  4. the marker db.dat.restore-pending is written: from this moment the
//     restore is decided;
//  5. the journal db.dat-journal goes (it speaks of the old file), db.dat and
//     then user.dat are put in place, each in one step; the marker goes.
// Vaults are staged with the pair (vault-<id>.dat.restore) and the marker
// names the backup's vaults; they are put in place after user.dat, and
// every other vault goes, so no vault of today's users survives a restore
// that did not hold it.
// A crash before step 4 leaves the old pair (the stray *.restore files are
// removed at the next start); a crash after it is finished at the next start
// by FinishPendingRestore, which the program and tamarel-cli run before
// they open either file.

#include <filesystem>
#include <string>

#include "backup/backup_archive.h"
#include "env/file_replace.h"

class LocaleManager;

struct DataFiles {
  std::filesystem::path db;     // db.dat
  std::filesystem::path users;  // user.dat
};

enum class BackupStatus {
  kDone,
  kCalendarUnreadable,  // db.dat (or user.dat) exists but cannot be read; nothing changed
  kWriteFailed,         // the backup file could not be written
  kRestoreFailed,       // a file of the restore could not be written or put in place; nothing changed
  kUnreadable,          // the chosen backup file cannot be read; nothing changed
  kNotABackup,          // nothing changed
  kDamaged,             // nothing changed
  kPending,             // db.dat is restored, user.dat could not be put in place yet: the next start finishes it
};

// The files' names beside db.dat / user.dat.
[[nodiscard]] std::filesystem::path BeforeRestorePath(const std::filesystem::path& file);
[[nodiscard]] std::filesystem::path RestoreStagePath(const std::filesystem::path& file);
[[nodiscard]] std::filesystem::path RestoreMarkerPath(const DataFiles& files);

// Writes the backup of both files as they are now (a save in progress is
// taken as the file before it) to `target`, through `target`.part put in place.
[[nodiscard]] BackupStatus WriteBackup(const DataFiles& files, const std::filesystem::path& target,
                                       const PackedDate& today, IFileReplacer& replacer);

// Reads and checks a backup file; contents are filled when it is kDone.
struct ReadBackupResult {
  BackupStatus status = BackupStatus::kUnreadable;
  BackupContents contents;
};
[[nodiscard]] ReadBackupResult ReadBackupFile(const std::filesystem::path& source);

// Restores a backup over both files in the order described above. Neither
// file may be open for writing meanwhile: the program closes its calendar
// first and opens it again afterwards.
[[nodiscard]] BackupStatus RestoreBackup(const DataFiles& files, const std::filesystem::path& source,
                                         IFileReplacer& replacer);

// Finishes a restore that was decided but cut off, or clears away one that
// was not decided. kDone when nothing is left to do (or it was finished),
// kPending when a file still could not be put in place, kRestoreFailed when the
// decided restore had to be given up before any file was replaced.
BackupStatus FinishPendingRestore(const DataFiles& files, IFileReplacer& replacer);

// What to tell her; `file` fills the texts that name the file.
[[nodiscard]] std::u16string BackupStatusMessage(BackupStatus status, const LocaleManager& locale,
                                                 std::u16string_view file = {});
