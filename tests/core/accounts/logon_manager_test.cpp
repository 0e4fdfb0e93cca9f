// The users file, the password hash and the account operations.

#include "accounts/logon_manager.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using testsupport::TempDir;

std::string ReadText(const fs::path& path) {
  const auto bytes = testsupport::ReadBytes(path);
  return std::string(bytes.begin(), bytes.end());
}

void WriteText(const fs::path& path, std::string_view text) {
  testsupport::WriteBytes(path, std::vector<uint8_t>(text.begin(), text.end()));
}

std::string Line(int id, const std::string& name, const std::string& password) {
  return std::to_string(id) + "\t" + name + "\t" + LogonManager::HashPassword(password) + "\r\n";
}

// --- Password hash ---

TEST(HashPassword, IsFortyEightLowercaseHexDigits) {
  for (const char* password : {"", "a", "secret", "0123456789abcdef", "with\ttab and \xe9"}) {
    const std::string hash = LogonManager::HashPassword(password);
    EXPECT_EQ(hash.size(), 48u) << password;
    EXPECT_EQ(hash.find_first_not_of("0123456789abcdef"), std::string::npos) << hash;
  }
}

TEST(HashPassword, OnlyTheFirstSixteenBytesCountAndShortOnesArePaddedWithCarets) {
  EXPECT_EQ(LogonManager::HashPassword(""), LogonManager::HashPassword(std::string(16, '^')));
  EXPECT_EQ(LogonManager::HashPassword("ab"), LogonManager::HashPassword("ab" + std::string(14, '^')));
  EXPECT_EQ(LogonManager::HashPassword("0123456789abcdefX"), LogonManager::HashPassword("0123456789abcdef"));
  EXPECT_EQ(LogonManager::HashPassword("0123456789abcdef and much more"),
            LogonManager::HashPassword("0123456789abcdef"));
  // Bytes that are not text count like any other.
  EXPECT_NE(LogonManager::HashPassword(std::string("a\0b", 3)), LogonManager::HashPassword("a"));
}

TEST(HashPassword, DiffersForDifferentPasswords) {
  const std::vector<std::string> passwords = {"", "a", "b", "A", "ab", "ba", "secret", "secret1", "0123456789abcde",
                                              "0123456789abcdef"};
  for (size_t i = 0; i < passwords.size(); ++i) {
    for (size_t j = i + 1; j < passwords.size(); ++j) {
      EXPECT_NE(LogonManager::HashPassword(passwords[i]), LogonManager::HashPassword(passwords[j]))
          << '"' << passwords[i] << "\" and \"" << passwords[j] << '"';
    }
  }
}

// Every user.dat ever written holds hashes made with these salts: a change to
// the salts or to the way the digests are combined locks every user out.
// The values were worked out apart from this code (another MD5, same salts).
TEST(HashPassword, StaysTheSameAcrossVersions) {
  EXPECT_EQ(LogonManager::HashPassword("secret"), "99b3888658ce33c92903bb10f36503ab89d8ecc1146ab28b");
  EXPECT_EQ(LogonManager::HashPassword(""), "501d0900f242b6ffb04ee340c8bf302f3218a386f18948f5");
}

// --- Reading the file ---

struct ParseCase {
  const char* what;
  std::string text;
  std::vector<std::pair<int, std::string>> users;  // id, name
  int largestId;
};

TEST(ParseUsers, ReadsUpToTheFirstLineThatDoesNotFit) {
  const std::string h = LogonManager::HashPassword("x");
  const std::vector<ParseCase> cases = {
      {"empty file", "", {}, 0},
      {"two users", "1\tann\t" + h + "\r\n2\tbea\t" + h + "\r\n", {{1, "ann"}, {2, "bea"}}, 2},
      {"the last line without CR is dropped", "1\tann\t" + h + "\r\n2\tbea\t" + h, {{1, "ann"}}, 1},
      {"LF alone does not end the file's last line", "1\tann\t" + h + "\r\n2\tbea\t" + h + "\n", {{1, "ann"}}, 1},
      {"LF alone ends a line when a CR follows later",
       "1\tann\t" + h + "\n2\tbea\t" + h + "\r\n",
       {{1, "ann"}, {2, "bea"}},
       2},
      {"blank lines and spaces between lines", "\r\n 3\tcid\t" + h + "\r\n\r\n\t 7\tdot\t" + h + "\r\n",
       {{3, "cid"}, {7, "dot"}}, 7},
      {"ids out of order are kept in id order", "9\tnia\t" + h + "\r\n4\tfay\t" + h + "\r\n",
       {{4, "fay"}, {9, "nia"}}, 9},
      {"a repeated id replaces the earlier line", "2\told\t" + h + "\r\n2\tnew\t" + h + "\r\n", {{2, "new"}}, 2},
      {"no TAB ends the reading", "1\tann\t" + h + "\r\ngarbage\r\n2\tbea\t" + h + "\r\n", {{1, "ann"}}, 1},
      {"a line without its second TAB ends the reading", "1\tann\r\n2\tbea\t" + h + "\r\n", {}, 0},
      {"an id that is not a number ends the reading", "1\tann\t" + h + "\r\nx\tbea\t" + h + "\r\n", {{1, "ann"}}, 1},
      {"a negative id ends the reading", "-5\tann\t" + h + "\r\n", {}, 0},
      {"id 0 ends the reading", "0\tann\t" + h + "\r\n", {}, 0},
      {"a signed id ends the reading", "+5\tann\t" + h + "\r\n", {}, 0},
      {"the largest id a day record can carry", "65535\tann\t" + h + "\r\n", {{65535, "ann"}}, 65535},
      {"an id beyond the day records' owners ends the reading", "1\tann\t" + h + "\r\n65536\tbea\t" + h + "\r\n",
       {{1, "ann"}}, 1},
      {"an id that overflows int ends the reading", "99999999999999999999\tann\t" + h + "\r\n", {}, 0},
      {"leading zeros", "007\tann\t" + h + "\r\n", {{7, "ann"}}, 7},
      {"a NUL byte ends the text", std::string("1\tann\t") + h + "\r\n2\tb" + std::string(1, '\0') + "a\t" + h + "\r\n",
       {{1, "ann"}}, 1},
      {"an empty name and an empty hash are kept", "1\t\t\r\n", {{1, ""}}, 1},
      {"a long name is kept", "1\t" + std::string(300, 'n') + "\t" + h + "\r\n", {{1, std::string(300, 'n')}}, 1},
  };
  for (const ParseCase& c : cases) {
    const auto parsed = LogonManager::ParseUsers(c.text);
    std::vector<std::pair<int, std::string>> got;
    for (const auto& [id, user] : parsed.users) {
      EXPECT_EQ(user.id, id) << c.what;
      got.emplace_back(id, user.name);
    }
    EXPECT_EQ(got, c.users) << c.what;
    EXPECT_EQ(parsed.largestId, c.largestId) << c.what;
  }
}

TEST(ParseUsers, TheHashRunsToTheLineEndWhateverItHolds) {
  const auto parsed = LogonManager::ParseUsers("1\tann\tnot a hash\tat all \r\n2\tbea\t\r\n");
  ASSERT_EQ(parsed.users.size(), 2u);
  EXPECT_EQ(parsed.users.at(1).passwordHash, "not a hash\tat all ");
  EXPECT_EQ(parsed.users.at(2).passwordHash, "");
}

// --- The manager on a real file ---

class LogonManagerTest : public ::testing::Test {
 protected:
  fs::path File() const { return dir_ / "user.dat"; }
  TempDir dir_;
};

TEST_F(LogonManagerTest, TheFirstUserOfANewInstallationIsWrittenAsOneLine) {
  LogonManager logon(File());
  EXPECT_TRUE(logon.Users().empty());
  EXPECT_EQ(logon.LoadUsers(), -1);  // no file yet
  EXPECT_EQ(logon.AddUser("Ann", "pw"), 0);
  EXPECT_EQ(ReadText(File()), "1\tAnn\t" + LogonManager::HashPassword("pw") + "\r\n");
  EXPECT_EQ(logon.AddUser("Bea", ""), 0);
  EXPECT_EQ(ReadText(File()), Line(1, "Ann", "pw") + Line(2, "Bea", ""));
  // Nothing is left beside the file.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_.path()), fs::directory_iterator()), 1);

  LogonManager again(File());
  EXPECT_EQ(again.LoadUsers(), 0);
  EXPECT_EQ(again.UserNames(), (std::vector<std::string>{"Ann", "Bea"}));
  EXPECT_TRUE(again.Authenticate("Bea", "", false));
}

TEST_F(LogonManagerTest, LoginChecksNameAndPasswordExactlyAndMakesCurrentOnlyWhenAsked) {
  WriteText(File(), Line(1, "ann", "pw1") + Line(2, "Bob", "pw2"));
  LogonManager logon(File());
  EXPECT_TRUE(logon.UserExists("ann"));
  EXPECT_FALSE(logon.UserExists("Ann"));
  EXPECT_FALSE(logon.UserExists(""));

  EXPECT_FALSE(logon.Authenticate("ann", "pw2", true));
  EXPECT_FALSE(logon.Authenticate("Ann", "pw1", true));
  EXPECT_FALSE(logon.Authenticate("nobody", "pw1", true));
  EXPECT_EQ(logon.CurrentUser().id, 0);

  EXPECT_TRUE(logon.Authenticate("Bob", "pw2", false));
  EXPECT_EQ(logon.CurrentUser().id, 0);
  EXPECT_TRUE(logon.Authenticate("Bob", "pw2", true));
  EXPECT_EQ(logon.CurrentUser(), (UserRecord{"Bob", 2, LogonManager::HashPassword("pw2")}));
  // A failed login keeps the user logged in before.
  EXPECT_FALSE(logon.Authenticate("ann", "wrong", true));
  EXPECT_EQ(logon.CurrentUser().id, 2);
  EXPECT_TRUE(logon.Authenticate("ann", "pw1", true));
  EXPECT_EQ(logon.CurrentUser().name, "ann");
}

TEST_F(LogonManagerTest, TwoUsersOfOneNameLogInWithEitherPasswordAndDeleteGoesByIdOrder) {
  WriteText(File(), Line(5, "same", "second") + Line(3, "same", "first") + Line(4, "other", "o"));
  LogonManager logon(File());
  EXPECT_TRUE(logon.Authenticate("same", "second", true));
  EXPECT_EQ(logon.CurrentUser().id, 5);
  EXPECT_TRUE(logon.Authenticate("same", "first", true));
  EXPECT_EQ(logon.CurrentUser().id, 3);

  // Deleting removes the lower id, whoever is logged in, and keeps the rest.
  EXPECT_EQ(logon.DeleteUser("same"), 0);
  EXPECT_EQ(ReadText(File()), Line(4, "other", "o") + Line(5, "same", "second"));
  EXPECT_EQ(logon.CurrentUser().id, 3);
  EXPECT_FALSE(logon.Authenticate("same", "first", false));
  EXPECT_TRUE(logon.Authenticate("same", "second", false));

  // An unknown name removes nothing but still writes the file.
  fs::remove(File());
  EXPECT_EQ(logon.DeleteUser("nobody"), 0);
  EXPECT_EQ(ReadText(File()), Line(4, "other", "o") + Line(5, "same", "second"));
}

TEST_F(LogonManagerTest, DeletingWithAPasswordRemovesTheUserItProvesEvenWhenNamesRepeat) {
  WriteText(File(), Line(3, "same", "first") + Line(5, "same", "second") + Line(6, "same", "second"));
  LogonManager logon(File());
  EXPECT_EQ(logon.DeleteUser("same", "second"), 0);
  EXPECT_EQ(ReadText(File()), Line(3, "same", "first") + Line(6, "same", "second"));
  // A password that proves nobody removes nobody.
  EXPECT_EQ(logon.DeleteUser("same", "wrong"), 0);
  EXPECT_EQ(logon.Users().size(), 2u);
  EXPECT_EQ(logon.DeleteUser("same", "first"), 0);
  EXPECT_EQ(ReadText(File()), Line(6, "same", "second"));
}

TEST_F(LogonManagerTest, ANewUserNeverGetsTheIdOfADeletedUserOrOfDaysInUse) {
  WriteText(File(), Line(1, "a", "") + Line(2, "b", "") + Line(3, "c", ""));
  int highestOwner = 3;  // c has days in db.dat
  {
    LogonManager logon(File(), [&] { return highestOwner; });
    EXPECT_EQ(logon.DeleteUser("c"), 0);
  }
  LogonManager restarted(File(), [&] { return highestOwner; });
  EXPECT_EQ(restarted.AddUser("d", ""), 0);
  EXPECT_EQ(restarted.Users().rbegin()->first, 4);

  // Days of owners far above every user (a user deleted long ago).
  highestOwner = 40;
  EXPECT_EQ(restarted.AddUser("e", ""), 0);
  EXPECT_EQ(restarted.Users().rbegin()->first, 41);

  // Without day records the ids continue from the users, also after deletions in this run.
  LogonManager noDays(File());
  EXPECT_EQ(noDays.DeleteUser("e"), 0);
  EXPECT_EQ(noDays.AddUser("f", ""), 0);
  EXPECT_EQ(noDays.Users().rbegin()->first, 42);
}

TEST_F(LogonManagerTest, NoUserIsAddedWhenTheIdsAreUsedUp) {
  const std::string text = Line(65535, "last", "");
  WriteText(File(), text);
  LogonManager logon(File());
  EXPECT_EQ(logon.AddUser("more", ""), -1);
  EXPECT_FALSE(logon.UserExists("more"));
  EXPECT_EQ(ReadText(File()), text);

  LogonManager byDays(dir_ / "other.dat", [] { return 65535; });
  EXPECT_EQ(byDays.AddUser("more", ""), -1);
  EXPECT_TRUE(byDays.Users().empty());
  EXPECT_FALSE(fs::exists(dir_ / "other.dat"));

  LogonManager lastOne(dir_ / "third.dat", [] { return 65534; });
  EXPECT_EQ(lastOne.AddUser("fits", ""), 0);
  EXPECT_EQ(lastOne.Users().begin()->first, 65535);
}

TEST_F(LogonManagerTest, ANameTheFileCannotCarryIsRefused) {
  LogonManager logon(File());
  for (const std::string& name : std::vector<std::string>{"a\tb", "a\rb", "a\nb", std::string("a\0b", 3)}) {
    EXPECT_EQ(logon.AddUser(name, "pw"), -1);
    EXPECT_TRUE(logon.Users().empty());
  }
  EXPECT_FALSE(fs::exists(File()));
}

// A failed save is reported, the change holds for the run, and the previous
// file stays whole.
TEST_F(LogonManagerTest, AFailedSaveIsReportedAndKeepsTheUserInMemory) {
  struct Case {
    const char* what;
    std::function<fs::path(const TempDir&)> prepare;  // returns the user.dat path
  };
  const std::vector<Case> cases = {
      {"the folder does not exist", [](const TempDir& d) { return d / "missing" / "user.dat"; }},
      {"user.dat is a folder",
       [](const TempDir& d) {
         fs::create_directories(d / "user.dat" / "inside");
         return d / "user.dat";
       }},
  };
  for (const Case& c : cases) {
    TempDir dir;
    const fs::path file = c.prepare(dir);
    LogonManager logon(file);
    EXPECT_EQ(logon.AddUser("ann", "pw"), -1) << c.what;
    EXPECT_TRUE(logon.UserExists("ann")) << c.what;
    EXPECT_TRUE(logon.Authenticate("ann", "pw", true)) << c.what;
    EXPECT_EQ(logon.CurrentUser().id, 1) << c.what;
    EXPECT_EQ(logon.DeleteUser("ann"), -1) << c.what;
    EXPECT_FALSE(logon.UserExists("ann")) << c.what;
  }
}

TEST_F(LogonManagerTest, AFailedWriteLeavesThePreviousFileWhole) {
  const std::string before = Line(1, "ann", "pw") + Line(2, "bea", "pw");
  WriteText(File(), before);
  LogonManager logon(File());
  // The new list is written beside the old one first; make that impossible.
  fs::create_directories(dir_ / "user.dat.new" / "inside");
  EXPECT_EQ(logon.AddUser("cid", "pw"), -1);
  EXPECT_EQ(logon.DeleteUser("ann"), -1);
  EXPECT_EQ(ReadText(File()), before);
  EXPECT_TRUE(fs::is_directory(dir_ / "user.dat.new" / "inside"));

  // Once writing works again, everything done in memory reaches the file.
  fs::remove_all(dir_ / "user.dat.new");
  EXPECT_EQ(logon.SaveUsers(), 0);
  EXPECT_EQ(ReadText(File()), Line(2, "bea", "pw") + Line(3, "cid", "pw"));
}

TEST_F(LogonManagerTest, AFileThatCannotBeReadKeepsTheUsersInMemory) {
  WriteText(File(), Line(1, "ann", "pw"));
  LogonManager logon(File());
  fs::remove(File());
  EXPECT_EQ(logon.LoadUsers(), -1);
  EXPECT_TRUE(logon.UserExists("ann"));
  fs::create_directories(File());
  EXPECT_EQ(logon.LoadUsers(), -1);
  EXPECT_TRUE(logon.UserExists("ann"));
}

TEST_F(LogonManagerTest, ReloadingReplacesTheUsersWithTheFile) {
  WriteText(File(), Line(1, "ann", "pw") + Line(2, "bea", "pw"));
  LogonManager logon(File());
  WriteText(File(), Line(7, "cid", "pw"));
  EXPECT_EQ(logon.LoadUsers(), 0);
  EXPECT_EQ(logon.UserNames(), std::vector<std::string>{"cid"});
  WriteText(File(), "");
  EXPECT_EQ(logon.LoadUsers(), 0);
  EXPECT_TRUE(logon.Users().empty());
  // The largest id read last counts, not the one read before.
  EXPECT_EQ(logon.AddUser("dot", ""), 0);
  EXPECT_EQ(logon.Users().begin()->first, 1);
}

}  // namespace

namespace {

// Fails or stops at one step of putting the new list in place, the way a full
// disk, a denied rename or a crash would.
class FaultyFiles final : public IFileReplacer {
 public:
  enum class Step { kNone, kCreate, kHalfWritten, kFlush, kReplace };
  explicit FaultyFiles(Step failAt) : failAt_(failAt) {}
  bool WriteDurably(const fs::path& path, std::string_view bytes) override {
    if (failAt_ == Step::kCreate) return false;
    if (failAt_ == Step::kHalfWritten) {
      WriteText(path, bytes.substr(0, bytes.size() / 2));
      return false;
    }
    if (failAt_ == Step::kFlush) {
      (void)real_.WriteDurably(path, bytes);
      return false;
    }
    return real_.WriteDurably(path, bytes);
  }
  bool Replace(const fs::path& from, const fs::path& to) override {
    ++replaces;
    return failAt_ != Step::kReplace && real_.Replace(from, to);
  }
  int replaces = 0;

 private:
  Step failAt_;
  PortableFileReplacer real_;
};

TEST_F(LogonManagerTest, AFailureAtAnyStepOfSavingLeavesAListThatOpensWithEveryUser) {
  using Step = FaultyFiles::Step;
  const std::string before = Line(1, "ann", "pw") + Line(2, "bea", "pw");
  for (Step step : {Step::kCreate, Step::kHalfWritten, Step::kFlush, Step::kReplace}) {
    TempDir dir;
    const fs::path file = dir / "user.dat";
    WriteText(file, before);
    FaultyFiles files(step);
    LogonManager logon(file, {}, &files);
    EXPECT_EQ(logon.AddUser("cid", "pw"), -1) << static_cast<int>(step);
    EXPECT_EQ(ReadText(file), before) << static_cast<int>(step);
    EXPECT_FALSE(fs::exists(dir / "user.dat.new")) << static_cast<int>(step);
    LogonManager next(file);
    EXPECT_EQ(next.UserNames(), (std::vector<std::string>{"ann", "bea"})) << static_cast<int>(step);
  }
}

// A crash after the new list reached the disk but before it took the old
// one's place: the old list is still whole and wins; with no old list (the
// first user ever), the new one is taken when it is complete, and a torn one
// never gives a user that was not written.
TEST_F(LogonManagerTest, AStartAfterACrashInTheMiddleOfASaveFindsAWholeList) {
  const std::string old = Line(1, "ann", "pw");
  const std::string written = Line(1, "ann", "pw") + Line(2, "bea", "pw") + Line(3, "cid", "pw");
  WriteText(File(), old);
  WriteText(dir_ / "user.dat.new", written);
  EXPECT_EQ(LogonManager(File()).UserNames(), std::vector<std::string>{"ann"});

  fs::remove(File());
  {
    LogonManager logon(File());
    EXPECT_EQ(logon.UserNames(), (std::vector<std::string>{"ann", "bea", "cid"}));
    EXPECT_EQ(ReadText(File()), written);  // it takes the old one's place at once
    EXPECT_FALSE(fs::exists(dir_ / "user.dat.new"));
  }

  const LogonManager::ParsedUsers whole = LogonManager::ParseUsers(written);
  for (size_t cut = 0; cut < written.size(); ++cut) {
    fs::remove(File());
    WriteText(dir_ / "user.dat.new", written.substr(0, cut));
    LogonManager logon(File());
    for (const auto& [id, user] : logon.Users()) EXPECT_EQ(user, whole.users.at(id)) << cut;
    if (!logon.Users().empty()) {
      EXPECT_EQ(written.substr(0, cut).back(), '\n') << cut;
    }
  }
}

}  // namespace
