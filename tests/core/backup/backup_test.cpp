#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "accounts/vault.h"
#include "backup/backup_archive.h"
#include "backup/backup_files.h"
#include "env/whole_file.h"
#include "env/zip_archive.h"
#include "model/database_manager.h"
#include "support/temp_dir.h"

namespace {

// A db.dat with one record for 1 March 2026.
std::string SmallDatabase(uint8_t flags = 1) {
  std::string db(DatabaseManager::kIndexSize, '\0');
  const uint32_t offset = DatabaseManager::kIndexSize;
  const uint8_t slot[14] = {0, 0, static_cast<uint8_t>(offset), static_cast<uint8_t>(offset >> 8), 0, 0, 13, 0, 0, 0,
                            1, 3, 0xEA, 0x07};
  db.replace(0, 14, reinterpret_cast<const char*>(slot), 14);
  db.push_back(static_cast<char>(flags));
  db.append(12, '\0');
  return db;
}

const std::string kUsers = "1\tanna\t0123456789abcdef0123456789abcdef0123456789abcdef\r\n";

BackupContents Contents(bool users = true) { return {SmallDatabase(), users ? std::optional(kUsers) : std::nullopt, PackedDate(9, 12, 2026)}; }

std::string FileLine(const std::string& name, const std::string& data) {
  char crc[16];
  std::snprintf(crc, sizeof crc, "%08x", static_cast<unsigned>(Crc32(data)));
  return "file: " + name + " " + std::to_string(data.size()) + " " + crc + "\r\n";
}

std::string Manifest(const std::string& extra = "") {
  return "Tamarel backup\r\nformat: 1\r\ndate: 2026-12-09\r\n" + extra;
}

TEST(BackupArchive, RoundTripsWithAndWithoutAUserList) {
  for (bool users : {true, false}) {
    const CheckedBackup read = CheckBackupArchive(MakeBackupArchive(Contents(users)));
    ASSERT_EQ(read.check, BackupCheck::kOk);
    EXPECT_EQ(read.contents.db, SmallDatabase());
    EXPECT_EQ(read.contents.users, Contents(users).users);
    EXPECT_EQ(read.contents.made, PackedDate(9, 12, 2026));
  }
  // An emptied user list is a list too.
  BackupContents emptyList = Contents();
  emptyList.users = std::string();
  EXPECT_EQ(CheckBackupArchive(MakeBackupArchive(emptyList)).check, BackupCheck::kOk);
  EXPECT_EQ(DefaultBackupName(PackedDate(5, 1, 2027)), u"Tamarel-backup-2027-01-05.zip");
}

TEST(BackupArchive, RefusesWhatIsNotOursOrIsDamaged) {
  const std::string good = MakeBackupArchive(Contents());
  const std::string db = SmallDatabase();
  std::string badCrc = good;
  badCrc[good.find(db) + DatabaseManager::kIndexSize] ^= 0x10;  // the record's flags
  const PackedDate day(9, 12, 2026);
  struct Case {
    const char* what;
    std::string bytes;
    BackupCheck expected;
  };
  const Case cases[] = {
      {"not a zip", "Tamarel backup\r\n", BackupCheck::kNotABackup},
      {"empty file", "", BackupCheck::kNotABackup},
      {"bad CRC", badCrc, BackupCheck::kDamaged},
      {"truncated", good.substr(0, good.size() / 2), BackupCheck::kDamaged},
      {"missing manifest", WriteZip({{"db.dat", db}}, day), BackupCheck::kNotABackup},
      {"foreign manifest", WriteZip({{"tamarel-backup.txt", "Other program\r\n"}, {"db.dat", db}}, day),
       BackupCheck::kNotABackup},
      {"other format", WriteZip({{"tamarel-backup.txt", "Tamarel backup\r\nformat: 2\r\ndate: 2026-12-09\r\n" +
                                                            FileLine("db.dat", db)},
                                 {"db.dat", db}},
                                day),
       BackupCheck::kNotABackup},
      {"manifest lists another size",
       WriteZip({{"tamarel-backup.txt", Manifest(FileLine("db.dat", db + "x"))}, {"db.dat", db}}, day),
       BackupCheck::kDamaged},
      {"file the manifest does not list",
       WriteZip({{"tamarel-backup.txt", Manifest(FileLine("db.dat", db))}, {"db.dat", db}, {"user.dat", kUsers}}, day),
       BackupCheck::kDamaged},
      {"listed file missing",
       WriteZip({{"tamarel-backup.txt", Manifest(FileLine("db.dat", db) + FileLine("user.dat", kUsers))},
                 {"db.dat", db}},
                day),
       BackupCheck::kDamaged},
      {"one file twice in place of another",
       WriteZip({{"tamarel-backup.txt", Manifest(FileLine("db.dat", db) + FileLine("user.dat", kUsers))},
                 {"db.dat", db},
                 {"db.dat", db}},
                day),
       BackupCheck::kDamaged},
      {"no db.dat", WriteZip({{"tamarel-backup.txt", Manifest(FileLine("user.dat", kUsers))}, {"user.dat", kUsers}}, day),
       BackupCheck::kDamaged},
      {"db.dat shorter than its index",
       WriteZip({{"tamarel-backup.txt", Manifest(FileLine("db.dat", "short"))}, {"db.dat", "short"}}, day),
       BackupCheck::kDamaged},
      {"db.dat slot pointing outside the file",
       WriteZip({{"tamarel-backup.txt", Manifest(FileLine("db.dat", db.substr(0, db.size() - 10)))},
                 {"db.dat", db.substr(0, db.size() - 10)}},
                day),
       BackupCheck::kDamaged},
      {"user.dat cut in a line",
       WriteZip({{"tamarel-backup.txt", Manifest(FileLine("db.dat", db) + FileLine("user.dat", "1\tanna"))},
                 {"db.dat", db},
                 {"user.dat", "1\tanna"}},
                day),
       BackupCheck::kDamaged},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const CheckedBackup read = CheckBackupArchive(c.bytes);
    EXPECT_EQ(read.check, c.expected);
    EXPECT_TRUE(read.contents.db.empty());
  }
}

// Fails (or, as a crash would, stops everything) at its n-th step.
class StepReplacer final : public IFileReplacer {
 public:
  struct Crash {};
  StepReplacer(int failAt, bool crash) : failAt_(failAt), crash_(crash) {}
  bool WriteDurably(const std::filesystem::path& path, std::string_view bytes) override {
    if (Step()) return false;
    return real_.WriteDurably(path, bytes);
  }
  bool Replace(const std::filesystem::path& from, const std::filesystem::path& to) override {
    if (Step()) return false;
    return real_.Replace(from, to);
  }
  [[nodiscard]] int Steps() const { return steps_; }

 private:
  bool Step() {
    if (++steps_ != failAt_) return false;
    if (crash_) throw Crash{};
    return true;
  }
  int failAt_;
  bool crash_;
  int steps_ = 0;
  PortableFileReplacer real_;
};

class BackupFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    files_ = {dir_ / "data" / "db.dat", dir_ / "program" / "user.dat"};
    std::filesystem::create_directories(files_.db.parent_path());
    std::filesystem::create_directories(files_.users.parent_path());
    Put(files_.db, SmallDatabase(1));
    Put(files_.users, kUsers);
  }
  static void Put(const std::filesystem::path& p, const std::string& bytes) {
    testsupport::WriteBytes(p, std::vector<uint8_t>(bytes.begin(), bytes.end()));
  }
  static std::optional<std::string> Get(const std::filesystem::path& p) {
    if (!std::filesystem::exists(p)) return std::nullopt;
    return ReadWholeFile(p);
  }
  // The pair as it is on disk.
  std::pair<std::optional<std::string>, std::optional<std::string>> Pair() const {
    return {Get(files_.db), Get(files_.users)};
  }
  // Today's files become the backup; then both change.
  std::filesystem::path BackUpAndChange() {
    const std::filesystem::path zip = dir_ / "b.zip";
    EXPECT_EQ(WriteBackup(files_, zip, PackedDate(9, 12, 2026), good_), BackupStatus::kDone);
    Put(files_.db, SmallDatabase(4));
    Put(files_.users, kUsers + "2\tbea\t0123456789abcdef0123456789abcdef0123456789abcdef\r\n");
    return zip;
  }

  testsupport::TempDir dir_;
  DataFiles files_;
  PortableFileReplacer good_;
};

TEST_F(BackupFilesTest, RestoreGivesBackBothFilesAndKeepsTheReplacedOnesBeside) {
  const auto original = Pair();
  const std::filesystem::path zip = BackUpAndChange();
  const auto changed = Pair();
  ASSERT_EQ(RestoreBackup(files_, zip, good_), BackupStatus::kDone);
  EXPECT_EQ(Pair(), original);
  EXPECT_EQ(Get(BeforeRestorePath(files_.db)), changed.first);
  EXPECT_EQ(Get(BeforeRestorePath(files_.users)), changed.second);
  for (const auto& leftover : {RestoreStagePath(files_.db), RestoreStagePath(files_.users), RestoreMarkerPath(files_),
                               DatabaseManager::JournalPath(files_.db)})
    EXPECT_FALSE(std::filesystem::exists(leftover)) << leftover;
}

TEST_F(BackupFilesTest, ABackupWithoutUsersLeavesAnEmptyListAndAMissingCalendarBacksUpEmpty) {
  std::filesystem::remove(files_.users);
  std::filesystem::remove(files_.db);
  const std::filesystem::path zip = dir_ / "b.zip";
  ASSERT_EQ(WriteBackup(files_, zip, PackedDate(9, 12, 2026), good_), BackupStatus::kDone);
  Put(files_.db, SmallDatabase(4));
  Put(files_.users, kUsers);
  ASSERT_EQ(RestoreBackup(files_, zip, good_), BackupStatus::kDone);
  EXPECT_EQ(Get(files_.users), std::string());
  EXPECT_EQ(Get(files_.db), std::string(DatabaseManager::kIndexSize + 1, '\0'));
}

TEST_F(BackupFilesTest, ARefusedBackupChangesNothing) {
  const std::filesystem::path zip = BackUpAndChange();
  std::string bytes = *Get(zip);
  const auto before = Pair();
  struct Case {
    const char* what;
    std::string bytes;
    BackupStatus expected;
  };
  std::string flipped = bytes;
  flipped[bytes.size() / 2] ^= 0x40;
  for (const Case& c : {Case{"damaged", flipped, BackupStatus::kDamaged},
                        Case{"cut", bytes.substr(0, 1000), BackupStatus::kDamaged},
                        Case{"not ours", "PK but no zip", BackupStatus::kNotABackup}}) {
    SCOPED_TRACE(c.what);
    Put(dir_ / "bad.zip", c.bytes);
    EXPECT_EQ(RestoreBackup(files_, dir_ / "bad.zip", good_), c.expected);
    EXPECT_EQ(Pair(), before);
    EXPECT_FALSE(std::filesystem::exists(BeforeRestorePath(files_.db)));
    EXPECT_FALSE(std::filesystem::exists(BeforeRestorePath(files_.users)));
  }
  EXPECT_EQ(RestoreBackup(files_, dir_ / "missing.zip", good_), BackupStatus::kUnreadable);
  EXPECT_EQ(Pair(), before);
}

// Whatever step fails, and whether the program goes on or the machine stops
// there, the next start leaves the old pair or the new pair, never a mix.
TEST_F(BackupFilesTest, AFailureOrACrashAtAnyStepNeverLeavesAHalfRestoredPair) {
  const auto backupPair = Pair();
  const std::filesystem::path zip = BackUpAndChange();
  const auto oldPair = Pair();
  StepReplacer counter(0, false);
  ASSERT_EQ(RestoreBackup(files_, zip, counter), BackupStatus::kDone);
  const int steps = counter.Steps();
  ASSERT_GE(steps, 6);
  for (bool crash : {false, true}) {
    for (int step = 1; step <= steps; ++step) {
      SCOPED_TRACE(std::string(crash ? "crash" : "failure") + " at step " + std::to_string(step));
      Put(files_.db, *oldPair.first);
      Put(files_.users, *oldPair.second);
      StepReplacer failing(step, crash);
      BackupStatus status = BackupStatus::kDone;
      bool crashed = false;
      try {
        status = RestoreBackup(files_, zip, failing);
      } catch (const StepReplacer::Crash&) {
        crashed = true;
      }
      // Which pair is on disk, in a word (the files are too long to print).
      auto which = [&] {
        const auto now = Pair();
        return now == oldPair ? "old" : now == backupPair ? "restored" : "a mix";
      };
      if (status == BackupStatus::kRestoreFailed) EXPECT_STREQ(which(), "old");
      // The next start.
      EXPECT_EQ(FinishPendingRestore(files_, good_), BackupStatus::kDone);
      EXPECT_STRNE(which(), "a mix");
      if (!crashed && status == BackupStatus::kPending) EXPECT_STREQ(which(), "restored");
      // The last two steps put the files in place: the marker is on disk by then,
      // so the next start finishes the restore; before it the old pair stays.
      if (crashed) EXPECT_STREQ(which(), step > steps - 2 ? "restored" : "old");
      EXPECT_FALSE(std::filesystem::exists(RestoreMarkerPath(files_)));
      EXPECT_FALSE(std::filesystem::exists(RestoreStagePath(files_.db)));
      EXPECT_FALSE(std::filesystem::exists(RestoreStagePath(files_.users)));
    }
  }
}

TEST_F(BackupFilesTest, AMarkerCutOffWhileWrittenIsNoDecision) {
  const auto before = Pair();
  Put(RestoreStagePath(files_.db), SmallDatabase(8));
  Put(RestoreStagePath(files_.users), "");
  Put(RestoreMarkerPath(files_), "Tamarel rest");
  EXPECT_EQ(FinishPendingRestore(files_, good_), BackupStatus::kDone);
  EXPECT_EQ(Pair(), before);
  EXPECT_FALSE(std::filesystem::exists(RestoreStagePath(files_.db)));
  EXPECT_FALSE(std::filesystem::exists(RestoreMarkerPath(files_)));
}

TEST_F(BackupFilesTest, AFailedBackupLeavesNoFileUnderItsName) {
  for (int step : {1, 2}) {
    StepReplacer failing(step, false);
    EXPECT_EQ(WriteBackup(files_, dir_ / "b.zip", PackedDate(9, 12, 2026), failing), BackupStatus::kWriteFailed);
    EXPECT_FALSE(std::filesystem::exists(dir_ / "b.zip"));
    EXPECT_FALSE(std::filesystem::exists(dir_ / "b.zip.part"));
  }
  Put(files_.db, "not a calendar");
  EXPECT_EQ(WriteBackup(files_, dir_ / "b.zip", PackedDate(9, 12, 2026), good_), BackupStatus::kCalendarUnreadable);
}

// Her vault goes into the backup as it is (encrypted) and comes back with
// the pair; a vault the backup did not hold is gone after the restore, and a
// crash at any step leaves the whole old set or the whole restored one.
TEST_F(BackupFilesTest, VaultsTravelEncryptedAndARestoreLeavesExactlyTheBackupsVaults) {
  const std::string annsVault = "TMRLVLT1" + std::string(60, '\x5a');
  Put(VaultPath(files_.db, 1), annsVault);
  const std::filesystem::path zip = dir_ / "b.zip";
  ASSERT_EQ(WriteBackup(files_, zip, PackedDate(9, 12, 2026), good_), BackupStatus::kDone);
  const ReadBackupResult read = ReadBackupFile(zip);
  ASSERT_EQ(read.status, BackupStatus::kDone);
  EXPECT_EQ(read.contents.vaults, (std::map<int, std::string>{{1, annsVault}}));

  const auto vaults = [this] { return std::make_pair(Get(VaultPath(files_.db, 1)), Get(VaultPath(files_.db, 3))); };
  const auto restoredSet = std::make_pair(Pair(), vaults());
  const auto changeAll = [this] {
    Put(files_.db, SmallDatabase(4));
    Put(files_.users, kUsers + "3\tcleo\t0123456789abcdef0123456789abcdef0123456789abcdef\r\n");
    Put(VaultPath(files_.db, 1), "TMRLVLT1 newer");
    Put(VaultPath(files_.db, 3), "TMRLVLT1 cleo's");
  };
  changeAll();
  const auto oldSet = std::make_pair(Pair(), vaults());
  StepReplacer counter(0, false);
  ASSERT_EQ(RestoreBackup(files_, zip, counter), BackupStatus::kDone);
  EXPECT_EQ(std::make_pair(Pair(), vaults()), restoredSet);
  EXPECT_EQ(Get(BeforeRestorePath(VaultPath(files_.db, 3))), oldSet.second.second) << "kept beside";
  const int steps = counter.Steps();
  for (int step = 1; step <= steps; ++step) {
    SCOPED_TRACE("crash at step " + std::to_string(step));
    changeAll();
    StepReplacer failing(step, true);
    try {
      (void)RestoreBackup(files_, zip, failing);
    } catch (const StepReplacer::Crash&) {
    }
    EXPECT_EQ(FinishPendingRestore(files_, good_), BackupStatus::kDone);  // the next start
    const auto now = std::make_pair(Pair(), vaults());
    EXPECT_TRUE(now == oldSet || now == restoredSet);
    EXPECT_FALSE(std::filesystem::exists(RestoreStagePath(VaultPath(files_.db, 1))));
  }
}

}  // namespace
