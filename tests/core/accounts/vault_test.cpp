// Her days encrypted at rest: moving them into and out of her vault, opening
// it, saving through it, and what a wrong password, a changed byte or a crash
// in the middle of a save leave behind.

#include "accounts/vault.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "model/database_manager.h"
#include "support/temp_dir.h"

// Two records of one day say the same (the model's Day has no comparison of its own).
bool operator==(const Day& a, const Day& b) {
  return a.date == b.date && a.menstruationStart == b.menstruationStart && a.menstruationEnd == b.menstruationEnd &&
         a.sex == b.sex && a.pill == b.pill && a.goodMood == b.goodMood && a.badMood == b.badMood &&
         a.temperature == b.temperature && a.note == b.note;
}

namespace vault_test {

namespace fs = std::filesystem;
using testsupport::ReadBytes;
using testsupport::TempDir;
using testsupport::WriteBytes;

constexpr uint16_t kAnn = 1;
constexpr uint16_t kBea = 2;
const std::u16string kNote = u"Spotting, Dr. Vogel at 9";

Day MarkedDay(PackedDate date, bool start, std::optional<std::u16string> note = std::nullopt) {
  return Day(date, start, false, !start, false, true, false, start ? 0 : 36.65, std::move(note));
}

bool Contains(const std::vector<uint8_t>& haystack, const std::vector<uint8_t>& needle) {
  return std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end()) != haystack.end();
}

// The note's text and her dates in every form they could take in a file.
std::vector<std::vector<uint8_t>> SecretForms(const std::vector<PackedDate>& dates) {
  std::vector<std::vector<uint8_t>> forms;
  std::vector<uint8_t> utf16;
  for (char16_t c : kNote) {
    utf16.push_back(static_cast<uint8_t>(c));
    utf16.push_back(static_cast<uint8_t>(c >> 8));
  }
  forms.push_back(utf16);
  forms.emplace_back(kNote.begin(), kNote.end());  // ASCII = UTF-8 here
  for (const PackedDate& d : dates) {
    forms.push_back({d.day, d.month, static_cast<uint8_t>(d.year), static_cast<uint8_t>(d.year >> 8)});
    const std::string text = FormatDate(d);
    forms.emplace_back(text.begin(), text.end());
  }
  return forms;
}

// Fails or stops at one step of putting the new vault in place.
class FaultyFiles final : public IFileReplacer {
 public:
  enum class Step { kNone, kCreate, kHalfWritten, kFlush, kReplace };
  bool WriteDurably(const fs::path& path, std::string_view bytes) override {
    if (failAt == Step::kCreate) return false;
    if (failAt == Step::kHalfWritten) {
      (void)real_.WriteDurably(path, bytes.substr(0, bytes.size() / 2));
      return false;
    }
    if (failAt == Step::kFlush) {
      (void)real_.WriteDurably(path, bytes);
      return false;
    }
    return real_.WriteDurably(path, bytes);
  }
  bool Replace(const fs::path& from, const fs::path& to) override {
    return failAt != Step::kReplace && real_.Replace(from, to);
  }
  Step failAt = Step::kNone;

 private:
  PortableFileReplacer real_;
};

class VaultTest : public ::testing::Test {
 protected:
  VaultTest() {
    context_.files = &files_;
    context_.iterations = 1000;  // the rounds are not what these tests measure
  }

  fs::path Db() const { return dir_ / "db.dat"; }
  fs::path Vault() const { return VaultPath(Db(), kAnn); }

  // db.dat with three days of Ann's (one with the note) and one of Bea's.
  void MakeCalendar() {
    uint16_t owner = kAnn;
    DatabaseManager db(Db(), [&] { return owner; });
    ASSERT_EQ(db.SaveDay(MarkedDay(annDates_[0], true)), SaveResult::kDone);
    ASSERT_EQ(db.SaveDay(MarkedDay(annDates_[1], false, kNote)), SaveResult::kDone);
    ASSERT_EQ(db.SaveDay(MarkedDay(annDates_[2], false)), SaveResult::kDone);
    owner = kBea;
    ASSERT_EQ(db.SaveDay(MarkedDay(PackedDate(3, 2, 2026), true)), SaveResult::kDone);
  }

  std::vector<Day> DaysInVault(std::string_view password) {
    std::unique_ptr<DatabaseManager> db;
    EXPECT_EQ(OpenVaultDatabase(context_, Db(), kAnn, password, &db), VaultResult::kDone);
    return db ? db->DaysOf(kAnn) : std::vector<Day>{};
  }

  void Encrypt() {
    DatabaseManager db(Db(), [] { return kAnn; });
    ASSERT_EQ(EncryptDays(context_, Db(), db, kAnn, "rose"), VaultResult::kDone);
  }

  TempDir dir_;
  FaultyFiles files_;
  VaultContext context_;
  const std::vector<PackedDate> annDates_ = {PackedDate(11, 3, 2026), PackedDate(14, 3, 2026), PackedDate(20, 3, 2026)};
};

TEST_F(VaultTest, EncryptingMovesHerDaysIntoTheVaultAndLeavesNothingReadable) {
  MakeCalendar();
  std::vector<Day> before;
  {
    DatabaseManager db(Db(), [] { return kAnn; });
    before = db.DaysOf(kAnn);
    ASSERT_EQ(before.size(), 3u);
  }
  Encrypt();

  DatabaseManager db(Db(), [] { return kAnn; });
  EXPECT_EQ(db.CountDays(kAnn), 0);
  EXPECT_EQ(db.CountDays(kBea), 1);  // the others keep theirs
  EXPECT_EQ(DaysInVault("rose"), before);

  const std::vector<uint8_t> dbBytes = ReadBytes(Db());
  const std::vector<uint8_t> vaultBytes = ReadBytes(Vault());
  for (const std::vector<uint8_t>& form : SecretForms(annDates_)) {
    EXPECT_FALSE(Contains(vaultBytes, form)) << std::string(form.begin(), form.end());
    // db.dat keeps the bytes of records no slot points to any more; a new
    // save may write over them, but none of them is hers to read.
    EXPECT_EQ(db.GetDay(annDates_[1]), nullptr);
  }
  EXPECT_TRUE(std::equal(vaultBytes.begin(), vaultBytes.begin() + 8, "TMRLVLT1"));
  // A second vault is never written over the first.
  EXPECT_EQ(EncryptDays(context_, Db(), db, kAnn, "other"), VaultResult::kExists);
  EXPECT_EQ(ReadBytes(Vault()), vaultBytes);
}

TEST_F(VaultTest, EverySaveReEncryptsWithAFreshNonceAndTheDaysAreThereNextTime) {
  MakeCalendar();
  Encrypt();
  const std::vector<uint8_t> first = ReadBytes(Vault());
  {
    std::unique_ptr<DatabaseManager> db;
    ASSERT_EQ(OpenVaultDatabase(context_, Db(), kAnn, "rose", &db), VaultResult::kDone);
    ASSERT_EQ(db->SaveDay(MarkedDay(PackedDate(1, 4, 2026), true, u"new")), SaveResult::kDone);
  }
  const std::vector<uint8_t> second = ReadBytes(Vault());
  // Same salt and rounds, another nonce.
  EXPECT_TRUE(std::equal(first.begin(), first.begin() + 32, second.begin()));
  EXPECT_FALSE(std::equal(first.begin() + 32, first.begin() + 44, second.begin() + 32));
  const std::vector<Day> days = DaysInVault("rose");
  ASSERT_EQ(days.size(), 4u);
  EXPECT_TRUE(std::any_of(days.begin(), days.end(), [](const Day& d) { return d.note == u"new"; }));
  // db.dat did not get the day.
  DatabaseManager db(Db(), [] { return kAnn; });
  EXPECT_EQ(db.CountDays(kAnn), 0);
}

// A wrong password and a changed byte anywhere (header, text, tag) are
// refused with the same answer, and nothing is written.
TEST_F(VaultTest, AWrongPasswordOrAnyChangedByteIsRefusedAndNothingIsWritten) {
  MakeCalendar();
  Encrypt();
  const std::vector<uint8_t> sound = ReadBytes(Vault());
  std::unique_ptr<DatabaseManager> db;
  for (const char* wrong : {"Rose", "rose ", "", "tulip"}) {
    EXPECT_EQ(OpenVaultDatabase(context_, Db(), kAnn, wrong, &db), VaultResult::kRefused) << wrong;
    EXPECT_EQ(db, nullptr);
  }
  std::vector<size_t> positions;
  for (size_t i = 0; i < 64; ++i) positions.push_back(i);  // header and the first text bytes
  for (size_t i = 64; i < sound.size(); i += 997) positions.push_back(i);
  for (size_t i = sound.size() - 16; i < sound.size(); ++i) positions.push_back(i);  // the tag
  for (const size_t i : positions) {
    std::vector<uint8_t> changed = sound;
    changed[i] ^= 0x04;
    WriteBytes(Vault(), changed);
    const VaultResult result = OpenVaultDatabase(context_, Db(), kAnn, "rose", &db);
    // The magic, the version and the rounds are checked before the key is
    // made; every other byte is caught by the tag.
    EXPECT_TRUE(result == VaultResult::kRefused || (i < 16 && result == VaultResult::kDamaged)) << i;
    EXPECT_EQ(db, nullptr) << i;
    EXPECT_EQ(ReadBytes(Vault()), changed) << i;
  }
  WriteBytes(Vault(), std::vector<uint8_t>(sound.begin(), sound.end() - 1));
  EXPECT_EQ(OpenVaultDatabase(context_, Db(), kAnn, "rose", &db), VaultResult::kRefused);
  WriteBytes(Vault(), std::vector<uint8_t>(sound.begin(), sound.begin() + 40));
  EXPECT_EQ(OpenVaultDatabase(context_, Db(), kAnn, "rose", &db), VaultResult::kDamaged);
  EXPECT_FALSE(fs::exists(dir_ / "vault-1.dat.new"));
}

// A crash or a failure at every step of a vault save leaves the vault of
// the save before or the vault of this one, and memory holds what the disk holds.
TEST_F(VaultTest, AFailureAtEveryStepOfASaveLeavesTheOldVaultOrTheNew) {
  using Step = FaultyFiles::Step;
  MakeCalendar();
  Encrypt();
  const std::vector<Day> old = DaysInVault("rose");
  const Day added = MarkedDay(PackedDate(2, 4, 2026), false, u"after");
  for (Step step : {Step::kCreate, Step::kHalfWritten, Step::kFlush, Step::kReplace}) {
    SCOPED_TRACE(static_cast<int>(step));
    const std::vector<uint8_t> before = ReadBytes(Vault());
    std::unique_ptr<DatabaseManager> db;
    ASSERT_EQ(OpenVaultDatabase(context_, Db(), kAnn, "rose", &db), VaultResult::kDone);
    files_.failAt = step;
    EXPECT_EQ(db->SaveDay(added), SaveResult::kWriteFailed);
    files_.failAt = Step::kNone;
    EXPECT_EQ(db->GetDay(added.date), nullptr);  // memory did not keep what the disk did not get
    EXPECT_EQ(ReadBytes(Vault()), before);
    EXPECT_FALSE(fs::exists(dir_ / "vault-1.dat.new"));
    EXPECT_EQ(DaysInVault("rose"), old);
    // The next save writes only what the calendar shows.
    ASSERT_EQ(db->SaveDay(MarkedDay(PackedDate(5, 4, 2026), true)), SaveResult::kDone);
    EXPECT_EQ(DaysInVault("rose").size(), old.size() + 1);
    ASSERT_EQ(db->SaveDay(Day(PackedDate(5, 4, 2026), false, false, false, false, false, false, 0.0)), SaveResult::kDone);  // taken back
  }
  // A crash after the new vault reached the disk beside the old one, before
  // it took the old one's place: the old one opens, whole.
  WriteBytes(dir_ / "vault-1.dat.new", std::vector<uint8_t>(100, 0x5a));
  EXPECT_EQ(DaysInVault("rose"), old);
}

TEST_F(VaultTest, DecryptingPutsHerDaysBackInOneSaveAndRemovesTheVault) {
  MakeCalendar();
  Encrypt();
  const std::vector<Day> inVault = DaysInVault("rose");
  DatabaseManager db(Db(), [] { return kAnn; });
  EXPECT_EQ(DecryptDays(context_, Db(), db, kAnn, "wrong"), VaultResult::kRefused);
  EXPECT_EQ(db.CountDays(kAnn), 0);
  EXPECT_TRUE(fs::exists(Vault()));
  EXPECT_EQ(DecryptDays(context_, Db(), db, kAnn, "rose"), VaultResult::kDone);
  EXPECT_FALSE(fs::exists(Vault()));
  EXPECT_EQ(db.DaysOf(kAnn), inVault);
  // Read beside the writer, as another program would.
  const auto reopened = DatabaseManager::OpenForReading(Db(), [] { return kAnn; });
  ASSERT_NE(reopened, nullptr);
  EXPECT_EQ(reopened->DaysOf(kAnn), inVault);
  EXPECT_EQ(reopened->CountDays(kBea), 1);
  EXPECT_EQ(DecryptDays(context_, Db(), db, kAnn, "rose"), VaultResult::kMissing);
}

TEST_F(VaultTest, ANewPasswordReEncryptsUnderANewKey) {
  MakeCalendar();
  Encrypt();
  const std::vector<Day> days = DaysInVault("rose");
  {
    VaultKey key;
    ASSERT_EQ(MakeVaultKey(context_, "tulip", &key), VaultResult::kDone);
    VaultKey oldKey;
    std::vector<uint8_t> image;
    ASSERT_EQ(OpenVault(context_, Vault(), "rose", &oldKey, &image), VaultResult::kDone);
    VaultBlockFile open(context_, Vault(), std::move(oldKey), std::move(image));
    files_.failAt = FaultyFiles::Step::kReplace;
    VaultKey again;
    ASSERT_EQ(MakeVaultKey(context_, "tulip", &again), VaultResult::kDone);
    EXPECT_EQ(open.ChangeKey(std::move(again)), VaultResult::kNotSaved);
    files_.failAt = FaultyFiles::Step::kNone;
    EXPECT_EQ(DaysInVault("rose"), days);
    EXPECT_EQ(open.ChangeKey(std::move(key)), VaultResult::kDone);
  }
  EXPECT_EQ(DaysInVault("tulip"), days);
  std::unique_ptr<DatabaseManager> db;
  EXPECT_EQ(OpenVaultDatabase(context_, Db(), kAnn, "rose", &db), VaultResult::kRefused);
}

TEST(DatabaseReplaceDays, PutsExactlyTheGivenDaysAndDeletesWithNone) {
  TempDir dir;
  uint16_t owner = kAnn;
  DatabaseManager db(dir / "db.dat", [&] { return owner; });
  ASSERT_EQ(db.SaveDay(MarkedDay(PackedDate(1, 1, 2026), true)), SaveResult::kDone);
  owner = kBea;
  ASSERT_EQ(db.SaveDay(MarkedDay(PackedDate(1, 1, 2026), true, u"hers")), SaveResult::kDone);
  const std::vector<Day> days = {MarkedDay(PackedDate(2, 1, 2026), true),
                                 MarkedDay(PackedDate(9, 1, 2026), false, u"x")};
  EXPECT_EQ(db.ReplaceDays(kAnn, days), SaveResult::kDone);
  EXPECT_EQ(db.DaysOf(kAnn), days);
  EXPECT_EQ(db.Owners(), (std::vector<uint16_t>{kAnn, kBea}));
  EXPECT_EQ(db.ReplaceDays(kAnn, {}), SaveResult::kDone);
  EXPECT_EQ(db.Owners(), std::vector<uint16_t>{kBea});
  const auto reopened = DatabaseManager::OpenForReading(dir / "db.dat", [] { return kBea; });
  ASSERT_NE(reopened, nullptr);
  EXPECT_EQ(reopened->CountDays(kAnn), 0);
  ASSERT_EQ(reopened->DaysOf(kBea).size(), 1u);
  EXPECT_EQ(reopened->DaysOf(kBea)[0].note, u"hers");
}

}  // namespace vault_test
