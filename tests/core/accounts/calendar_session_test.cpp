// The model over her vault while she is logged in: what login, logout,
// turning encryption on and off, deleting a user and clearing the days of
// deleted users do to the files and to what the model shows.

#include "accounts/calendar_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "env/locale_manager.h"
#include "model/database_manager.h"
#include "model/menstual_manager.h"
#include "settings/memory_settings_store.h"
#include "settings/options_manager.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using testsupport::ReadBytes;
using testsupport::TempDir;
using testsupport::WriteBytes;

constexpr int kAnn = 1;
constexpr int kBea = 2;
const std::u16string kNote = u"Appointment with Dr. Lindqvist";
constexpr PackedDate kStart(2, 3, 2026);
constexpr PackedDate kNoteDay(9, 3, 2026);

bool Contains(const std::vector<uint8_t>& haystack, std::u16string_view text) {
  std::vector<uint8_t> utf16;
  for (char16_t c : text) {
    utf16.push_back(static_cast<uint8_t>(c));
    utf16.push_back(static_cast<uint8_t>(c >> 8));
  }
  const std::vector<uint8_t> ascii(text.begin(), text.end());
  const auto has = [&haystack](const std::vector<uint8_t>& needle) {
    return std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end()) != haystack.end();
  };
  return has(utf16) || has(ascii);
}

class CalendarSessionTest : public ::testing::Test {
 protected:
  CalendarSessionTest()
      : options_(store_, SystemLocaleInfo{}, nullptr, u""),
        locale_(dir_.path(), codec_),
        clock_(PackedDate(10, 3, 2026)),
        model_(std::make_unique<DatabaseManager>(Db(), [this] { return current_; }), options_, locale_, clock_),
        session_(model_, Db(), Context()) {}

  static VaultContext Context() {
    VaultContext context;
    context.iterations = 1000;  // the rounds are not what these tests measure
    return context;
  }
  fs::path Db() const { return dir_ / "db.dat"; }
  fs::path Vault(int id) const { return VaultPath(Db(), id); }

  // Marks days as the windows do: through the model, for the user logged in.
  void Mark(uint16_t owner) {
    current_ = owner;
    Day start(kStart, true, false, false, false, false, false, 0.0);
    Day noted(kNoteDay, false, false, true, false, true, false, 36.7, kNote);
    ASSERT_EQ(model_.StoreDay(start), SaveResult::kDone);
    ASSERT_EQ(model_.StoreDay(noted), SaveResult::kDone);
  }
  // What the model shows her on the day with the note.
  std::optional<std::u16string> NoteShown() {
    const Day* day = model_.GetCachedDay(kNoteDay);
    return day ? day->note : std::nullopt;
  }

  TempDir dir_;
  MemorySettingsStore store_;
  OptionsManager options_;
  Latin1Codec codec_;
  LocaleManager locale_;
  FixedClock clock_;
  uint16_t current_ = 0;
  MenstualManager model_;
  CalendarSession session_;
};

TEST_F(CalendarSessionTest, HerDaysLiveInTheVaultWhileSheIsLoggedInAndOnlyThere) {
  // A note written over and a day removed leave their old records behind in
  // db.dat; encrypting must not leave them readable there.
  current_ = kAnn;
  Day draft(kNoteDay, false, false, false, false, false, false, 0.0, std::u16string(u"First draft of her note"));
  ASSERT_EQ(model_.StoreDay(draft), SaveResult::kDone);
  Day gone(PackedDate(20, 2, 2026), false, false, true, false, false, false, 0.0, std::u16string(u"A day she removed"));
  ASSERT_EQ(model_.StoreDay(gone), SaveResult::kDone);
  ASSERT_EQ(model_.StoreDay(Day(PackedDate(20, 2, 2026), false, false, false, false, false, false, 0.0)),
            SaveResult::kDone);
  Mark(kAnn);
  ASSERT_EQ(session_.Encrypt(kAnn, "rose"), VaultResult::kDone);
  EXPECT_TRUE(session_.VaultOpen());
  EXPECT_EQ(NoteShown(), kNote) << "the model shows her days from the vault at once";
  EXPECT_EQ(session_.Plain().CountDays(kAnn), 0);

  // A day marked now goes into the vault, not into db.dat.
  Day later(PackedDate(30, 3, 2026), true, false, false, false, false, false, 0.0);
  later.note = u"Second note of hers";
  ASSERT_EQ(model_.StoreDay(later), SaveResult::kDone);
  EXPECT_EQ(session_.Plain().CountDays(kAnn), 0);

  // Logout: the model is back on db.dat and shows none of her days.
  session_.Close();
  EXPECT_FALSE(session_.VaultOpen());
  EXPECT_EQ(NoteShown(), std::nullopt);
  // Neither file holds her words (db.dat's old records were zeroed, the
  // journal of that save is gone), and db.dat has no day of hers.
  for (const fs::path& file : {Db(), Vault(kAnn), DatabaseManager::JournalPath(Db())}) {
    const std::vector<uint8_t> bytes = fs::exists(file) ? ReadBytes(file) : std::vector<uint8_t>{};
    EXPECT_FALSE(Contains(bytes, kNote)) << file;
    EXPECT_FALSE(Contains(bytes, u"Second note of hers")) << file;
    EXPECT_FALSE(Contains(bytes, u"First draft of her note")) << file;
    EXPECT_FALSE(Contains(bytes, u"A day she removed")) << file;
  }
  {
    DatabaseManager reader(Db(), [] { return uint16_t{kAnn}; });
    EXPECT_EQ(reader.CountDays(kAnn), 0);
  }

  // Login again: everything is there.
  ASSERT_EQ(session_.OpenFor(kAnn, "rose"), VaultResult::kDone);
  EXPECT_EQ(NoteShown(), kNote);
  EXPECT_EQ(model_.Database().CountDays(kAnn), 3);
}

TEST_F(CalendarSessionTest, AWrongPasswordOrAChangedVaultShowsNothingAndWritesNothing) {
  Mark(kAnn);
  ASSERT_EQ(session_.Encrypt(kAnn, "rose"), VaultResult::kDone);
  session_.Close();
  const std::vector<uint8_t> vault = ReadBytes(Vault(kAnn));

  EXPECT_EQ(session_.OpenFor(kAnn, "tulip"), VaultResult::kRefused);
  EXPECT_FALSE(session_.VaultOpen());
  EXPECT_EQ(NoteShown(), std::nullopt);

  std::vector<uint8_t> changed = vault;
  changed[changed.size() / 2] ^= 0x01;
  WriteBytes(Vault(kAnn), changed);
  EXPECT_EQ(session_.OpenFor(kAnn, "rose"), VaultResult::kRefused);
  EXPECT_FALSE(session_.VaultOpen());
  EXPECT_EQ(ReadBytes(Vault(kAnn)), changed) << "a refused vault is never written over";

  // A user without a vault works on db.dat as before.
  EXPECT_EQ(session_.OpenFor(kBea, "anything"), VaultResult::kMissing);
  EXPECT_FALSE(session_.VaultOpen());
}

TEST_F(CalendarSessionTest, TurningEncryptionOffPutsHerDaysBackIntoDbDat) {
  Mark(kAnn);
  ASSERT_EQ(session_.Encrypt(kAnn, "rose"), VaultResult::kDone);
  ASSERT_EQ(session_.Decrypt(), VaultResult::kDone);
  EXPECT_FALSE(session_.VaultOpen());
  EXPECT_FALSE(fs::exists(Vault(kAnn)));
  EXPECT_EQ(NoteShown(), kNote);
  EXPECT_EQ(session_.Plain().CountDays(kAnn), 2);
  EXPECT_EQ(session_.Decrypt(), VaultResult::kMissing) << "nothing open, nothing to turn off";
}

TEST_F(CalendarSessionTest, DeletingAUserTakesHerDaysAndHerVaultAndNobodyElses) {
  Mark(kBea);
  Mark(kAnn);
  ASSERT_EQ(session_.Encrypt(kAnn, "rose"), VaultResult::kDone);
  // Ann is deleted while her vault is open (from the login dialog of Logout).
  EXPECT_EQ(session_.DeleteDaysOf(kAnn), DaysRemoval::kDone);
  EXPECT_FALSE(session_.VaultOpen());
  EXPECT_FALSE(fs::exists(Vault(kAnn)));
  EXPECT_EQ(session_.Plain().CountDays(kBea), 2);

  EXPECT_EQ(session_.DeleteDaysOf(kBea), DaysRemoval::kDone);
  EXPECT_EQ(session_.Plain().CountDays(kBea), 0);
}

TEST_F(CalendarSessionTest, LeftoversAreTheDaysAndVaultsOfIdsNoListedUserHas) {
  Mark(0);  // days of no account: nobody's leftovers
  Mark(kAnn);
  Mark(3);
  Mark(4);
  WriteBytes(Vault(5), {1, 2, 3});
  WriteBytes(dir_ / "vault-07.dat", {1});     // not a name the program writes
  WriteBytes(dir_ / "vault-6.dat.new", {1});  // a save cut off, not a vault
  const std::map<int, UserRecord> users = {{kAnn, UserRecord{"ann", kAnn, "h"}}, {4, UserRecord{"dee", 4, "h"}}};

  CalendarSession::Leftovers found = session_.FindLeftovers(users);
  EXPECT_EQ(found.owners, std::vector<uint16_t>{3});
  EXPECT_EQ(found.days, 2);
  EXPECT_EQ(found.vaults, std::vector<int>{5});
  EXPECT_EQ(session_.HighestOwnerInUse(), 5) << "a new user must not get the id of a vault left behind";

  // With no list at all (user.dat unreadable or gone), nothing looks abandoned.
  EXPECT_TRUE(session_.FindLeftovers({}).Empty());

  EXPECT_EQ(session_.DeleteLeftovers(users), DaysRemoval::kDone);
  EXPECT_TRUE(session_.FindLeftovers(users).Empty());
  EXPECT_FALSE(fs::exists(Vault(5)));
  EXPECT_TRUE(fs::exists(dir_ / "vault-07.dat"));
  for (uint16_t kept : {uint16_t{0}, uint16_t{kAnn}, uint16_t{4}}) EXPECT_EQ(session_.Plain().CountDays(kept), 2);
}

}  // namespace
