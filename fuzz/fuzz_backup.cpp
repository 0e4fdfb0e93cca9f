// Feeds arbitrary bytes to the backup reading (the zip reader and the backup
// check): it must never read outside the input, and what it accepts must be
// whole: every entry matches its CRC, and an accepted backup written again
// reads back as the same contents.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "backup/backup_archive.h"
#include "env/zip_archive.h"

int TamarelFuzzBackup(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const ZipReadResult zip = ReadZip(bytes);
  if (zip.error != ZipError::kNone && !zip.entries.empty()) __builtin_trap();
  const CheckedBackup backup = CheckBackupArchive(bytes);
  if (backup.check == BackupCheck::kOk) {
    if (zip.error != ZipError::kNone) __builtin_trap();
    const CheckedBackup again = CheckBackupArchive(MakeBackupArchive(backup.contents));
    if (again.check != BackupCheck::kOk || again.contents.db != backup.contents.db ||
        again.contents.users != backup.contents.users || !(again.contents.made == backup.contents.made))
      __builtin_trap();
  } else if (!backup.contents.db.empty() || backup.contents.users) {
    __builtin_trap();
  }
  return 0;
}

#ifndef TAMAREL_FUZZ_REPLAY
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) { return TamarelFuzzBackup(data, size); }
#endif
