// The users file is put in place with MoveFileExW: the new list replaces the
// old one whole, also when the old one is open for reading elsewhere.

#include "env/file_replace_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "accounts/logon_manager.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

std::string ReadText(const fs::path& path) {
  const auto bytes = testsupport::ReadBytes(path);
  return std::string(bytes.begin(), bytes.end());
}

TEST(Win32FileReplacer, WritesToTheDiskAndReplacesAnExistingFileInOneStep) {
  testsupport::TempDir dir;
  Win32FileReplacer files;
  const fs::path target = dir / "user.dat";
  const fs::path written = dir / "user.dat.new";
  ASSERT_TRUE(files.WriteDurably(written, "first\r\n"));
  ASSERT_TRUE(files.Replace(written, target));  // no old file yet
  EXPECT_EQ(ReadText(target), "first\r\n");
  EXPECT_FALSE(fs::exists(written));
  ASSERT_TRUE(files.WriteDurably(written, "second\r\n"));
  ASSERT_TRUE(files.Replace(written, target));
  EXPECT_EQ(ReadText(target), "second\r\n");
  EXPECT_FALSE(files.Replace(dir / "missing", target));
  EXPECT_EQ(ReadText(target), "second\r\n");
}

TEST(Win32FileReplacer, UsersSavedThroughItComeBackWhole) {
  testsupport::TempDir dir;
  Win32FileReplacer files;
  const fs::path file = dir / "user.dat";
  {
    LogonManager logon(file, {}, &files, PasswordHashing{nullptr, 1000});
    ASSERT_EQ(logon.AddUser("ann", "pw"), UsersResult::kDone);
    ASSERT_EQ(logon.AddUser("bea", "pw"), UsersResult::kDone);
    ASSERT_EQ(logon.DeleteUser("ann", "pw"), UsersResult::kDone);
  }
  EXPECT_FALSE(fs::exists(dir / "user.dat.new"));
  LogonManager again(file, {}, &files);
  EXPECT_EQ(again.UserNames(), std::vector<std::string>{"bea"});
  EXPECT_TRUE(again.Authenticate("bea", "pw", false));
}

}  // namespace
