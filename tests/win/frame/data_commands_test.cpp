// File > Back up..., Restore... and Export... through the frame, with the
// file dialogs and message boxes answered by the test.

#include <gtest/gtest.h>

#include <fstream>

#include "backup/backup_archive.h"
#include "accounts/logon_manager.h"
#include "env/platform_win32.h"
#include "env/whole_file.h"
#include "resources/resource.h"
#include "win/frame/frame_fixture.h"

namespace frametest {
namespace {

class DataCommandsTest : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    files_ = DataFiles{dir_ / "db.dat", dir_ / "user.dat"};
    adjustContext_ = [this](FrameContext& context) {
      context.dataFiles = files_;
      context.files = &replacer_;
      context.openDatabase = [this] { return std::make_unique<DatabaseManager>(files_.db, owner_); };
      if (logon_) {
        context.logon = logon_.get();
        context.codec = &codec_;
      }
      context.prompts.chooseFile = [this](HWND, const FileChoice& choice) -> std::optional<ChosenFile> {
        choices_.push_back(choice);
        return answer_;
      };
      context.prompts.messageBox = [this](HWND, const std::wstring& text, const std::wstring& caption, UINT type) {
        boxes_.push_back({text, caption, type});
        return (type & MB_YESNO) ? confirm_ : IDOK;
      };
    };
  }
  void Command(UINT id) { SendMessageW(frame_->Hwnd(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }
  void Store(const PackedDate& d, bool start) {
    ASSERT_EQ(model_->StoreDay(Day(d, start, false, !start, false, false, false, 0.0)), SaveResult::kDone);
  }
  std::wstring Path(const char* name) const { return (dir_ / name).wstring(); }

  DataFiles files_;
  PortableFileReplacer replacer_;
  std::vector<FileChoice> choices_;
  std::optional<ChosenFile> answer_;
  int confirm_ = IDYES;
  std::function<uint16_t()> owner_ = [] { return uint16_t{0}; };
  std::unique_ptr<LogonManager> logon_;
};

TEST_F(DataCommandsTest, BackUpThenRestoreGivesBackTheDaysAndKeepsTheReplacedFile) {
  Store(PackedDate(1, 6, 2024), true);
  OpenFrame();

  answer_ = ChosenFile{Path("backup.zip"), 0};
  Command(ID_FILE_BACKUP);
  ASSERT_EQ(choices_.size(), 1u);
  EXPECT_TRUE(choices_[0].save);
  EXPECT_EQ(choices_[0].defaultName, L"Tamarel-backup-2024-06-15.zip");
  // Her Documents, not the program folder the process happens to start in.
  EXPECT_FALSE(choices_[0].initialFolder.empty());
  EXPECT_EQ(choices_[0].initialFolder, DocumentsFolder().wstring());
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, L"The backup is saved in " + Path("backup.zip") + L".");
  const std::optional<std::string> zip = ReadWholeFile(dir_ / "backup.zip");
  ASSERT_TRUE(zip);
  EXPECT_EQ(CheckBackupArchive(*zip).check, BackupCheck::kOk);

  Store(PackedDate(3, 6, 2024), false);
  ASSERT_TRUE(Stored(PackedDate(3, 6, 2024)));

  // Answered No: nothing happens.
  confirm_ = IDNO;
  Command(ID_FILE_RESTORE);
  ASSERT_EQ(boxes_.size(), 2u);
  EXPECT_NE(boxes_[1].text.find(L"15.06.2024"), std::wstring::npos) << boxes_[1].text;
  EXPECT_TRUE(Stored(PackedDate(3, 6, 2024)));
  EXPECT_FALSE(std::filesystem::exists(dir_ / "db.dat.before-restore"));

  confirm_ = IDYES;
  Command(ID_FILE_RESTORE);
  ASSERT_EQ(boxes_.size(), 4u);
  EXPECT_EQ(boxes_[3].text, L"The calendar and the user list are restored from the backup.");
  EXPECT_FALSE(choices_.back().save);
  EXPECT_FALSE(Stored(PackedDate(3, 6, 2024)));
  EXPECT_TRUE(Stored(PackedDate(1, 6, 2024)));
  EXPECT_TRUE(std::filesystem::exists(dir_ / "db.dat.before-restore"));
  // The reopened calendar takes new days.
  Store(PackedDate(5, 6, 2024), false);
  EXPECT_TRUE(Stored(PackedDate(5, 6, 2024)));
}

TEST_F(DataCommandsTest, ADamagedBackupIsRefusedBeforeAnyQuestion) {
  Store(PackedDate(1, 6, 2024), true);
  OpenFrame();
  {
    std::ofstream bad(dir_ / "bad.zip", std::ios::binary);
    bad << "PK\x03\x04 but nothing after it";
  }
  answer_ = ChosenFile{Path("bad.zip"), 0};
  Command(ID_FILE_RESTORE);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, L"This backup is damaged and cannot be restored. Nothing was changed.");
  EXPECT_EQ(boxes_[0].caption, L"Error");
  EXPECT_TRUE(Stored(PackedDate(1, 6, 2024)));
  EXPECT_FALSE(std::filesystem::exists(dir_ / "db.dat.before-restore"));
}

TEST_F(DataCommandsTest, ExportWritesTheTypeChosenAndAddsItsEnding) {
  Store(PackedDate(1, 6, 2024), true);
  OpenFrame();
  answer_ = ChosenFile{Path("days"), 0};
  Command(ID_FILE_EXPORT);
  ASSERT_EQ(choices_.size(), 1u);
  ASSERT_EQ(choices_[0].types.size(), 2u);
  EXPECT_EQ(choices_[0].types[0].second, L"*.csv");
  EXPECT_EQ(choices_[0].types[1].second, L"*.ics");
  const std::optional<std::string> csv = ReadWholeFile(dir_ / "days.csv");
  ASSERT_TRUE(csv);
  EXPECT_NE(csv->find("\r\n2024-06-01,yes,"), std::string::npos);

  answer_ = ChosenFile{Path("days.ics"), 1};
  Command(ID_FILE_EXPORT);
  const std::optional<std::string> ics = ReadWholeFile(dir_ / "days.ics");
  ASSERT_TRUE(ics);
  EXPECT_EQ(ics->rfind("BEGIN:VCALENDAR\r\n", 0), 0u);
  EXPECT_NE(ics->find("DTSTART;VALUE=DATE:20240601\r\n"), std::string::npos);

  // The ending typed wins over the type left in the dialog.
  answer_ = ChosenFile{Path("typed.CSV"), 1};
  Command(ID_FILE_EXPORT);
  const std::optional<std::string> typed = ReadWholeFile(dir_ / "typed.CSV");
  ASSERT_TRUE(typed);
  EXPECT_EQ(typed->rfind("\xEF\xBB\xBF" "date,", 0), 0u);

  // Cancelled: nothing is written, nothing is said.
  answer_.reset();
  const size_t boxes = boxes_.size();
  Command(ID_FILE_EXPORT);
  EXPECT_EQ(boxes_.size(), boxes);
}

TEST_F(DataCommandsTest, SheStaysLoggedInOnlyAsAUserTheRestoredListKnows) {
  {
    LogonManager setup(files_.users, {}, nullptr, PasswordHashing{nullptr, 1000});
    ASSERT_EQ(setup.AddUser("anna", "rose"), UsersResult::kDone);
    ASSERT_EQ(setup.AddUser("bea", "tulip"), UsersResult::kDone);
  }
  logon_ = std::make_unique<LogonManager>(files_.users);
  ASSERT_TRUE(logon_->Authenticate("anna", "rose", true));
  options_.userLogins = true;
  owner_ = [this] { return static_cast<uint16_t>(logon_->CurrentUser().id); };
  MakeModel(files_.db, owner_);
  Store(PackedDate(1, 6, 2024), true);
  OpenFrame();
  answer_ = ChosenFile{Path("both.zip"), 0};
  Command(ID_FILE_BACKUP);
  Store(PackedDate(3, 6, 2024), false);

  // Her own backup: she stays, with the days it holds.
  Command(ID_FILE_RESTORE);
  EXPECT_EQ(logon_->CurrentUser().name, "anna");
  EXPECT_FALSE(frame_->Lock().Locked());
  EXPECT_TRUE(Stored(PackedDate(1, 6, 2024)));
  EXPECT_FALSE(Stored(PackedDate(3, 6, 2024)));

  // A backup whose list has another user under her id: nobody is logged in,
  // and nobody's days are on screen.
  BackupContents other;
  other.db = std::string(DatabaseManager::kIndexSize + 1, '\0');
  other.users = "1\tcora\t" + OldPasswordHash("iris") + "\r\n";
  other.made = PackedDate(1, 1, 2024);
  {
    const std::string bytes = MakeBackupArchive(other);
    std::ofstream out(dir_ / "other.zip", std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  answer_ = ChosenFile{Path("other.zip"), 0};
  Command(ID_FILE_RESTORE);
  EXPECT_EQ(logon_->CurrentUser().id, 0);
  EXPECT_TRUE(frame_->Lock().Locked());
  EXPECT_EQ(logon_->UserNames(), std::vector<std::string>{"cora"});
}

}  // namespace
}  // namespace frametest
