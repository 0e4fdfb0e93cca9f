// The users file, the password hash and the account operations.

#include "accounts/logon_manager.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "env/crypto.h"
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

// New hashes with few rounds: these tests are about the list, not the hash's cost.
constexpr PasswordHashing kFast{nullptr, 1000};

// The ids and names of a users file.
std::vector<std::pair<int, std::string>> IdsAndNames(const fs::path& file) {
  std::vector<std::pair<int, std::string>> out;
  for (const auto& [id, user] : LogonManager::ParseUsers(ReadText(file)).users) out.emplace_back(id, user.name);
  return out;
}

// An old-form line, as lists written before the current hash hold them.
std::string Line(int id, const std::string& name, const std::string& password) {
  return std::to_string(id) + "\t" + name + "\t" + OldPasswordHash(password) + "\r\n";
}

// --- Password hash ---

TEST(OldPasswordHash, IsFortyEightLowercaseHexDigits) {
  for (const char* password : {"", "a", "secret", "0123456789abcdef", "with\ttab and \xe9"}) {
    const std::string hash = OldPasswordHash(password);
    EXPECT_EQ(hash.size(), 48u) << password;
    EXPECT_EQ(hash.find_first_not_of("0123456789abcdef"), std::string::npos) << hash;
  }
}

TEST(OldPasswordHash, OnlyTheFirstSixteenBytesCountAndShortOnesArePaddedWithCarets) {
  EXPECT_EQ(OldPasswordHash(""), OldPasswordHash(std::string(16, '^')));
  EXPECT_EQ(OldPasswordHash("ab"), OldPasswordHash("ab" + std::string(14, '^')));
  EXPECT_EQ(OldPasswordHash("0123456789abcdefX"), OldPasswordHash("0123456789abcdef"));
  EXPECT_EQ(OldPasswordHash("0123456789abcdef and much more"),
            OldPasswordHash("0123456789abcdef"));
  // Bytes that are not text count like any other.
  EXPECT_NE(OldPasswordHash(std::string("a\0b", 3)), OldPasswordHash("a"));
}

TEST(OldPasswordHash, DiffersForDifferentPasswords) {
  const std::vector<std::string> passwords = {"", "a", "b", "A", "ab", "ba", "secret", "secret1", "0123456789abcde",
                                              "0123456789abcdef"};
  for (size_t i = 0; i < passwords.size(); ++i) {
    for (size_t j = i + 1; j < passwords.size(); ++j) {
      EXPECT_NE(OldPasswordHash(passwords[i]), OldPasswordHash(passwords[j]))
          << '"' << passwords[i] << "\" and \"" << passwords[j] << '"';
    }
  }
}

// Every user.dat ever written holds hashes made with these salts: a change to
// the salts or to the way the digests are combined locks every user out.
// The values were worked out apart from this code (another MD5, same salts).
TEST(OldPasswordHash, StaysTheSameAcrossVersions) {
  EXPECT_EQ(OldPasswordHash("secret"), "99b3888658ce33c92903bb10f36503ab89d8ecc1146ab28b");
  EXPECT_EQ(OldPasswordHash(""), "501d0900f242b6ffb04ee340c8bf302f3218a386f18948f5");
}

// --- Reading the file ---

struct ParseCase {
  const char* what;
  std::string text;
  std::vector<std::pair<int, std::string>> users;  // id, name
  int largestId;
};

TEST(ParseUsers, ReadsUpToTheFirstLineThatDoesNotFit) {
  const std::string h = OldPasswordHash("x");
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
  LogonManager logon(File(), {}, nullptr, kFast);
  EXPECT_TRUE(logon.Users().empty());
  EXPECT_EQ(logon.LoadUsers(), UsersResult::kMissing);  // no file yet
  EXPECT_EQ(logon.AddUser("Ann", "pw"), UsersResult::kDone);
  const std::string first = ReadText(File());
  ASSERT_TRUE(first.starts_with("1\tAnn\tpbkdf2-sha256$1000$")) << first;
  EXPECT_TRUE(first.ends_with("\r\n"));
  EXPECT_EQ(logon.AddUser("Bea", ""), UsersResult::kDone);
  EXPECT_EQ(IdsAndNames(File()), (std::vector<std::pair<int, std::string>>{{1, "Ann"}, {2, "Bea"}}));
  EXPECT_TRUE(ReadText(File()).starts_with(first));
  // Nothing is left beside the file.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_.path()), fs::directory_iterator()), 1);

  LogonManager again(File(), {}, nullptr, kFast);
  EXPECT_EQ(again.LoadUsers(), UsersResult::kDone);
  EXPECT_EQ(again.UserNames(), (std::vector<std::string>{"Ann", "Bea"}));
  EXPECT_TRUE(again.Authenticate("Bea", "", false));
  EXPECT_TRUE(again.Authenticate("Ann", "pw", false));
  EXPECT_FALSE(again.Authenticate("Ann", "", false));
}

TEST_F(LogonManagerTest, LoginChecksNameAndPasswordExactlyAndMakesCurrentOnlyWhenAsked) {
  WriteText(File(), Line(1, "ann", "pw1") + Line(2, "Bob", "pw2"));
  LogonManager logon(File(), {}, nullptr, kFast);
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
  EXPECT_EQ(logon.CurrentUser().id, 2);
  EXPECT_EQ(logon.CurrentUser().name, "Bob");
  // A failed login keeps the user logged in before.
  EXPECT_FALSE(logon.Authenticate("ann", "wrong", true));
  EXPECT_EQ(logon.CurrentUser().id, 2);
  EXPECT_TRUE(logon.Authenticate("ann", "pw1", true));
  EXPECT_EQ(logon.CurrentUser().name, "ann");
}

TEST_F(LogonManagerTest, TwoUsersOfOneNameLogInWithEitherPasswordAndDeleteGoesByIdOrder) {
  WriteText(File(), Line(5, "same", "second") + Line(3, "same", "first") + Line(4, "other", "o"));
  LogonManager logon(File(), {}, nullptr, kFast);
  EXPECT_TRUE(logon.Authenticate("same", "second", true));
  EXPECT_EQ(logon.CurrentUser().id, 5);
  EXPECT_TRUE(logon.Authenticate("same", "first", true));
  EXPECT_EQ(logon.CurrentUser().id, 3);

  // Deleting removes the user the password proves, whoever is logged in.
  int removed = 0;
  EXPECT_EQ(logon.DeleteUser("same", "first", &removed), UsersResult::kDone);
  EXPECT_EQ(removed, 3);
  EXPECT_EQ(IdsAndNames(File()), (std::vector<std::pair<int, std::string>>{{4, "other"}, {5, "same"}}));
  EXPECT_EQ(logon.CurrentUser().id, 3);
  EXPECT_FALSE(logon.Authenticate("same", "first", false));
  EXPECT_TRUE(logon.Authenticate("same", "second", false));

  // An unknown name or a wrong password removes nothing and writes nothing.
  fs::remove(File());
  EXPECT_EQ(logon.DeleteUser("nobody", "o"), UsersResult::kWrongPassword);
  EXPECT_EQ(logon.DeleteUser("other", "x"), UsersResult::kWrongPassword);
  EXPECT_FALSE(fs::exists(File()));
  EXPECT_EQ(logon.Users().size(), 2u);
}

TEST_F(LogonManagerTest, DeletingWithAPasswordRemovesTheUserItProvesEvenWhenNamesRepeat) {
  WriteText(File(), Line(3, "same", "first") + Line(5, "same", "second") + Line(6, "same", "second"));
  LogonManager logon(File(), {}, nullptr, kFast);
  EXPECT_EQ(logon.DeleteUser("same", "second"), UsersResult::kDone);
  EXPECT_EQ(ReadText(File()), Line(3, "same", "first") + Line(6, "same", "second"));
  // A password that proves nobody removes nobody.
  EXPECT_EQ(logon.DeleteUser("same", "wrong"), UsersResult::kWrongPassword);
  EXPECT_EQ(logon.Users().size(), 2u);
  EXPECT_EQ(logon.DeleteUser("same", "first"), UsersResult::kDone);
  EXPECT_EQ(ReadText(File()), Line(6, "same", "second"));
}

TEST_F(LogonManagerTest, ANewUserNeverGetsTheIdOfADeletedUserOrOfDaysInUse) {
  WriteText(File(), Line(1, "a", "") + Line(2, "b", "") + Line(3, "c", ""));
  int highestOwner = 3;  // c has days in db.dat
  {
    LogonManager logon(File(), [&] { return highestOwner; }, nullptr, kFast);
    EXPECT_EQ(logon.DeleteUser("c", ""), UsersResult::kDone);
  }
  LogonManager restarted(File(), [&] { return highestOwner; }, nullptr, kFast);
  EXPECT_EQ(restarted.AddUser("d", ""), UsersResult::kDone);
  EXPECT_EQ(restarted.Users().rbegin()->first, 4);

  // Days of owners far above every user (a user deleted long ago).
  highestOwner = 40;
  EXPECT_EQ(restarted.AddUser("e", ""), UsersResult::kDone);
  EXPECT_EQ(restarted.Users().rbegin()->first, 41);

  // Without day records the ids continue from the users, also after deletions in this run.
  LogonManager noDays(File(), {}, nullptr, kFast);
  EXPECT_EQ(noDays.DeleteUser("e", ""), UsersResult::kDone);
  EXPECT_EQ(noDays.AddUser("f", ""), UsersResult::kDone);
  EXPECT_EQ(noDays.Users().rbegin()->first, 42);
}

TEST_F(LogonManagerTest, NoUserIsAddedWhenTheIdsAreUsedUp) {
  const std::string text = Line(65535, "last", "");
  WriteText(File(), text);
  LogonManager logon(File(), {}, nullptr, kFast);
  EXPECT_EQ(logon.AddUser("more", ""), UsersResult::kNoIdLeft);
  EXPECT_FALSE(logon.UserExists("more"));
  EXPECT_EQ(ReadText(File()), text);

  LogonManager byDays(dir_ / "other.dat", [] { return 65535; }, nullptr, kFast);
  EXPECT_EQ(byDays.AddUser("more", ""), UsersResult::kNoIdLeft);
  EXPECT_TRUE(byDays.Users().empty());
  EXPECT_FALSE(fs::exists(dir_ / "other.dat"));

  LogonManager lastOne(dir_ / "third.dat", [] { return 65534; }, nullptr, kFast);
  EXPECT_EQ(lastOne.AddUser("fits", ""), UsersResult::kDone);
  EXPECT_EQ(lastOne.Users().begin()->first, 65535);
}

TEST_F(LogonManagerTest, ANameTheFileCannotCarryIsRefused) {
  LogonManager logon(File(), {}, nullptr, kFast);
  for (const std::string& name : std::vector<std::string>{"", "a\tb", "a\rb", "a\nb", std::string("a\0b", 3)}) {
    EXPECT_EQ(logon.AddUser(name, "pw"), UsersResult::kNameNotStorable);
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
    LogonManager logon(file, {}, nullptr, kFast);
    EXPECT_EQ(logon.AddUser("ann", "pw"), UsersResult::kNotSaved) << c.what;
    EXPECT_TRUE(logon.UserExists("ann")) << c.what;
    EXPECT_TRUE(logon.Authenticate("ann", "pw", true)) << c.what;
    EXPECT_EQ(logon.CurrentUser().id, 1) << c.what;
    EXPECT_EQ(logon.DeleteUser("ann", "pw"), UsersResult::kNotSaved) << c.what;
    EXPECT_FALSE(logon.UserExists("ann")) << c.what;
  }
}

TEST_F(LogonManagerTest, AFailedWriteLeavesThePreviousFileWhole) {
  const std::string before = Line(1, "ann", "pw") + Line(2, "bea", "pw");
  WriteText(File(), before);
  LogonManager logon(File(), {}, nullptr, kFast);
  // The new list is written beside the old one first; make that impossible.
  fs::create_directories(dir_ / "user.dat.new" / "inside");
  EXPECT_EQ(logon.AddUser("cid", "pw"), UsersResult::kNotSaved);
  EXPECT_EQ(logon.DeleteUser("ann", "pw"), UsersResult::kNotSaved);
  EXPECT_EQ(ReadText(File()), before);
  EXPECT_TRUE(fs::is_directory(dir_ / "user.dat.new" / "inside"));

  // Once writing works again, everything done in memory reaches the file.
  fs::remove_all(dir_ / "user.dat.new");
  EXPECT_EQ(logon.SaveUsers(), UsersResult::kDone);
  EXPECT_EQ(IdsAndNames(File()), (std::vector<std::pair<int, std::string>>{{2, "bea"}, {3, "cid"}}));
}

TEST_F(LogonManagerTest, AFileThatCannotBeReadKeepsTheUsersInMemory) {
  WriteText(File(), Line(1, "ann", "pw"));
  LogonManager logon(File(), {}, nullptr, kFast);
  fs::remove(File());
  fs::create_directories(File());
  EXPECT_EQ(logon.LoadUsers(), UsersResult::kUnreadable);
  EXPECT_TRUE(logon.UserExists("ann"));
}

TEST_F(LogonManagerTest, ReloadingReplacesTheUsersWithTheFile) {
  WriteText(File(), Line(1, "ann", "pw") + Line(2, "bea", "pw"));
  LogonManager logon(File(), {}, nullptr, kFast);
  WriteText(File(), Line(7, "cid", "pw"));
  EXPECT_EQ(logon.LoadUsers(), UsersResult::kDone);
  EXPECT_EQ(logon.UserNames(), std::vector<std::string>{"cid"});
  WriteText(File(), "");
  EXPECT_EQ(logon.LoadUsers(), UsersResult::kDone);
  EXPECT_TRUE(logon.Users().empty());
  // The largest id read last counts, not the one read before.
  EXPECT_EQ(logon.AddUser("dot", ""), UsersResult::kDone);
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
    LogonManager logon(file, {}, &files, kFast);
    EXPECT_EQ(logon.AddUser("cid", "pw"), UsersResult::kNotSaved) << static_cast<int>(step);
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
    LogonManager logon(File(), {}, nullptr, kFast);
    EXPECT_EQ(logon.UserNames(), (std::vector<std::string>{"ann", "bea", "cid"}));
    EXPECT_EQ(ReadText(File()), written);  // it takes the old one's place at once
    EXPECT_FALSE(fs::exists(dir_ / "user.dat.new"));
  }

  const LogonManager::ParsedUsers whole = LogonManager::ParseUsers(written);
  for (size_t cut = 0; cut < written.size(); ++cut) {
    fs::remove(File());
    WriteText(dir_ / "user.dat.new", written.substr(0, cut));
    LogonManager logon(File(), {}, nullptr, kFast);
    for (const auto& [id, user] : logon.Users()) EXPECT_EQ(user, whole.users.at(id)) << cut;
    if (!logon.Users().empty()) {
      EXPECT_EQ(written.substr(0, cut).back(), '\n') << cut;
    }
  }
}

}  // namespace

namespace {

// --- The current password hash ---

TEST(PasswordHash, IsPbkdf2WithAFreshSaltThatVerifiesOnlyItsPassword) {
  const std::optional<std::string> a = MakePasswordHash(kFast, "secret");
  const std::optional<std::string> b = MakePasswordHash(kFast, "secret");
  ASSERT_TRUE(a && b);
  // pbkdf2-sha256$1000$<16 bytes: 24 base64 chars>$<32 bytes: 44 base64 chars>
  EXPECT_TRUE(a->starts_with("pbkdf2-sha256$1000$")) << *a;
  EXPECT_EQ(a->size(), std::string("pbkdf2-sha256$1000$").size() + 24 + 1 + 44) << *a;
  EXPECT_NE(*a, *b);  // one password, two users: two hashes
  EXPECT_TRUE(IsCurrentHashForm(*a));
  EXPECT_EQ(CheckPassword(kFast, *a, "secret"), PasswordCheck::kMatch);
  EXPECT_EQ(CheckPassword(kFast, *b, "secret"), PasswordCheck::kMatch);
  // Every byte counts, also past the 16th that the old hash stopped at.
  const std::optional<std::string> long1 = MakePasswordHash(kFast, "0123456789abcdefX");
  ASSERT_TRUE(long1);
  for (const char* other : {"Secret", "secret ", "", "0123456789abcdef", "0123456789abcdefY"}) {
    EXPECT_EQ(CheckPassword(kFast, *a, other), PasswordCheck::kNoMatch) << other;
    EXPECT_EQ(CheckPassword(kFast, *long1, other), PasswordCheck::kNoMatch) << other;
  }
  EXPECT_EQ(CheckPassword(kFast, *long1, "0123456789abcdefX"), PasswordCheck::kMatch);
}

TEST(PasswordHash, TheStoredRoundsCountNotTheOnesNewHashesUse) {
  const std::optional<std::string> stored = MakePasswordHash(PasswordHashing{nullptr, 3}, "pw");
  ASSERT_TRUE(stored);
  EXPECT_EQ(CheckPassword(kFast, *stored, "pw"), PasswordCheck::kMatch);
  // The shipped count.
  EXPECT_EQ(PasswordHashing{}.iterations, 600000u);
}

TEST(PasswordHash, OldEntriesVerifyAsOldAndMalformedFieldsNeverMatch) {
  EXPECT_EQ(CheckPassword(kFast, OldPasswordHash("pw"), "pw"), PasswordCheck::kMatchOldForm);
  EXPECT_EQ(CheckPassword(kFast, OldPasswordHash("pw"), "pW"), PasswordCheck::kNoMatch);
  EXPECT_FALSE(IsCurrentHashForm(OldPasswordHash("pw")));
  const std::string good = *MakePasswordHash(kFast, "pw");
  const size_t lastDollar = good.rfind('$');
  const std::vector<std::string> malformed = {
      "",
      "pbkdf2-sha256$",
      "pbkdf2-sha256$1000$$",
      "pbkdf2-sha256$0" + good.substr(good.find('$', 14)),         // no rounds
      "pbkdf2-sha256$-5" + good.substr(good.find('$', 14)),        // negative rounds
      "pbkdf2-sha256$99999999999" + good.substr(good.find('$', 14)),  // hours of rounds
      good.substr(0, lastDollar + 1) + "AAAA",                     // a hash of 3 bytes
      good.substr(0, good.size() - 1),                             // cut short
      "pbkdf2-sha1" + good.substr(13),                             // another function
      good + " ",
  };
  for (const std::string& field : malformed) {
    EXPECT_EQ(CheckPassword(kFast, field, "pw"), PasswordCheck::kNoMatch) << field;
    EXPECT_FALSE(IsCurrentHashForm(field)) << field;
  }
}

// A system without random bytes makes no hash rather than a weak one.
TEST(PasswordHash, NoRandomBytesMeansNoHashAndNoUser) {
  class NoRandom final : public Crypto {
   public:
    CryptoResult DeriveKey(std::string_view p, std::span<const uint8_t> s, uint32_t i, std::span<uint8_t> o) override {
      return PlatformCrypto().DeriveKey(p, s, i, o);
    }
    CryptoResult Random(std::span<uint8_t>) override { return CryptoResult::kFailed; }
    CryptoResult Seal(std::span<const uint8_t>, std::span<const uint8_t>, std::span<const uint8_t>,
                      std::span<const uint8_t>, std::vector<uint8_t>*) override {
      return CryptoResult::kFailed;
    }
    CryptoResult Open(std::span<const uint8_t>, std::span<const uint8_t>, std::span<const uint8_t>,
                      std::span<const uint8_t>, std::vector<uint8_t>*) override {
      return CryptoResult::kFailed;
    }
  } noRandom;
  const PasswordHashing broken{&noRandom, 1000};
  EXPECT_FALSE(MakePasswordHash(broken, "pw"));
  TempDir dir;
  LogonManager logon(dir / "user.dat", {}, nullptr, broken);
  EXPECT_EQ(logon.AddUser("ann", "pw"), UsersResult::kHashFailed);
  EXPECT_TRUE(logon.Users().empty());
  EXPECT_FALSE(fs::exists(dir / "user.dat"));
}

// An old MD5-based entry logs her in once more and is then replaced, in the
// file, by the current form, with which she logs in again; the other lines
// stay as they were.
TEST_F(LogonManagerTest, ALoginWithAnOldHashReplacesItAndTheNewOneLogsInAgain) {
  const std::string bea = Line(2, "bea", "tulip");
  WriteText(File(), Line(1, "ann", "rose") + bea);
  {
    LogonManager logon(File(), {}, nullptr, kFast);
    // Proving the password without logging in changes nothing.
    EXPECT_TRUE(logon.Authenticate("ann", "rose", false));
    EXPECT_EQ(ReadText(File()), Line(1, "ann", "rose") + bea);
    EXPECT_TRUE(logon.Authenticate("ann", "rose", true));
    EXPECT_TRUE(IsCurrentHashForm(logon.CurrentUser().passwordHash));
  }
  const std::string text = ReadText(File());
  EXPECT_TRUE(text.starts_with("1\tann\tpbkdf2-sha256$1000$")) << text;
  EXPECT_TRUE(text.ends_with("\r\n" + bea)) << text;
  EXPECT_EQ(text.find(OldPasswordHash("rose")), std::string::npos);

  LogonManager again(File(), {}, nullptr, kFast);
  EXPECT_FALSE(again.Authenticate("ann", "wrong", true));
  EXPECT_TRUE(again.Authenticate("ann", "rose", true));
  EXPECT_EQ(again.CurrentUser().id, 1);
  EXPECT_EQ(ReadText(File()), text);  // a current hash is not written again
}

// When the list cannot be written the login still succeeds, and the old
// hash stays in memory as on the disk, to be replaced at a later login.
TEST_F(LogonManagerTest, AnUpgradeThatCannotBeSavedStillLogsIn) {
  const std::string before = Line(1, "ann", "rose");
  WriteText(File(), before);
  LogonManager logon(File(), {}, nullptr, kFast);
  fs::create_directories(dir_ / "user.dat.new" / "inside");
  EXPECT_TRUE(logon.Authenticate("ann", "rose", true));
  EXPECT_EQ(ReadText(File()), before);
  EXPECT_EQ(logon.Users().at(1).passwordHash, OldPasswordHash("rose"));
  fs::remove_all(dir_ / "user.dat.new");
  EXPECT_TRUE(logon.Authenticate("ann", "rose", true));
  EXPECT_TRUE(IsCurrentHashForm(LogonManager::ParseUsers(ReadText(File())).users.at(1).passwordHash));
}

TEST_F(LogonManagerTest, NamesAreTakenOnceAndPasswordsChangeOnlyWithTheOldOne) {
  LogonManager logon(File(), {}, nullptr, kFast);
  ASSERT_EQ(logon.AddUser("ann", "old"), UsersResult::kDone);
  EXPECT_EQ(logon.AddUser("ann", "other"), UsersResult::kNameTaken);
  EXPECT_EQ(logon.Users().size(), 1u);

  EXPECT_EQ(logon.ChangePassword("ann", "wrong", "new"), UsersResult::kWrongPassword);
  ASSERT_TRUE(logon.Authenticate("ann", "old", true));
  EXPECT_EQ(logon.ChangePassword("ann", "old", "new"), UsersResult::kDone);
  EXPECT_EQ(logon.CurrentUser().passwordHash, logon.Users().at(1).passwordHash);
  LogonManager again(File(), {}, nullptr, kFast);
  EXPECT_FALSE(again.Authenticate("ann", "old", false));
  EXPECT_TRUE(again.Authenticate("ann", "new", false));
}

}  // namespace
