#include "accounts/calendar_session.h"

#include <algorithm>
#include <system_error>
#include <utility>

#include "model/database_manager.h"
#include "model/menstual_manager.h"

namespace fs = std::filesystem;

namespace {

bool ValidOwner(int userId) { return userId > 0 && userId <= LogonManager::kMaxUserId; }

bool RemoveVault(const fs::path& path) {
  std::error_code ec;
  fs::remove(path, ec);
  return !ec;
}

}  // namespace

CalendarSession::CalendarSession(MenstualManager& model, fs::path dbPath, VaultContext context)
    : model_(model), dbPath_(std::move(dbPath)), context_(context) {}

CalendarSession::~CalendarSession() { Close(); }

DatabaseManager& CalendarSession::Plain() { return plain_ ? *plain_ : model_.Database(); }

bool CalendarSession::HasVault(int userId) const {
  return !dbPath_.empty() && ValidOwner(userId) && VaultExists(dbPath_, userId);
}

VaultResult CalendarSession::OpenFor(int userId, std::string_view password) {
  Close();
  if (dbPath_.empty() || !ValidOwner(userId)) return VaultResult::kMissing;
  const auto owner = static_cast<uint16_t>(userId);
  std::unique_ptr<DatabaseManager> vault;
  const VaultResult opened = OpenVaultDatabase(context_, dbPath_, owner, password, &vault);
  if (opened != VaultResult::kDone) return opened;
  plain_ = model_.SwapDatabase(std::move(vault));
  owner_ = owner;
  return VaultResult::kDone;
}

void CalendarSession::Close() {
  if (!plain_) return;
  // The vault's database goes with its key and its image in the clear.
  std::unique_ptr<DatabaseManager> vault = model_.SwapDatabase(std::move(plain_));
  vault.reset();
  owner_ = 0;
}

VaultResult CalendarSession::Encrypt(int userId, std::string_view password) {
  // Without a data folder there is no calendar file to take her days from.
  if (dbPath_.empty()) return VaultResult::kCalendarNotSaved;
  if (!ValidOwner(userId)) return VaultResult::kMissing;
  if (VaultOpen()) return VaultResult::kExists;
  const auto owner = static_cast<uint16_t>(userId);
  std::unique_ptr<DatabaseManager> vault;
  const VaultResult moved = EncryptDays(context_, dbPath_, model_.Database(), owner, password, &vault);
  if (moved != VaultResult::kDone) return moved;
  plain_ = model_.SwapDatabase(std::move(vault));
  owner_ = owner;
  return VaultResult::kDone;
}

VaultResult CalendarSession::Decrypt() {
  if (!VaultOpen()) return VaultResult::kMissing;
  const std::vector<Day> days = model_.Database().DaysOf(owner_);
  if (!plain_->IsOpen() || plain_->IsReadOnly() || plain_->ReplaceDays(owner_, days) != SaveResult::kDone)
    return VaultResult::kCalendarNotSaved;
  if (!RemoveVault(VaultPath(dbPath_, owner_))) {
    // The vault stays the home of her days, so the copy in the clear goes
    // again; a vault beside db.dat would hide it at the next login anyway.
    (void)plain_->ReplaceDays(owner_, {});
    return VaultResult::kNotSaved;
  }
  Close();
  return VaultResult::kDone;
}

DaysRemoval CalendarSession::DeleteDaysOf(int userId) {
  if (!ValidOwner(userId)) return DaysRemoval::kDone;
  if (VaultOwner() == userId) Close();
  DatabaseManager& plain = Plain();
  const auto owner = static_cast<uint16_t>(userId);
  if (plain.CountDays(owner) > 0 && plain.ReplaceDays(owner, {}) != SaveResult::kDone)
    return DaysRemoval::kCalendarNotSaved;
  // Older versions of her records go too.
  if (plain.ScrubFreeSpace() != SaveResult::kDone) return DaysRemoval::kCalendarNotSaved;
  if (!RemoveVault(VaultPath(dbPath_, userId))) return DaysRemoval::kVaultNotRemoved;
  return DaysRemoval::kDone;
}

CalendarSession::Leftovers CalendarSession::FindLeftovers(const std::map<int, UserRecord>& users) {
  Leftovers found;
  if (users.empty()) return found;
  const auto listed = [&users](int id) { return users.count(id) > 0; };
  DatabaseManager& plain = Plain();
  for (const uint16_t owner : plain.Owners()) {
    if (owner == 0 || listed(owner)) continue;
    found.owners.push_back(owner);
    found.days += plain.CountDays(owner);
  }
  if (!dbPath_.empty()) {
    for (const int id : VaultIds(dbPath_)) {
      if (!listed(id)) found.vaults.push_back(id);
    }
  }
  return found;
}

DaysRemoval CalendarSession::DeleteLeftovers(const std::map<int, UserRecord>& users) {
  const Leftovers found = FindLeftovers(users);
  DaysRemoval result = DaysRemoval::kDone;
  for (const uint16_t owner : found.owners) {
    if (Plain().ReplaceDays(owner, {}) != SaveResult::kDone) result = DaysRemoval::kCalendarNotSaved;
  }
  if (!found.owners.empty() && Plain().ScrubFreeSpace() != SaveResult::kDone) result = DaysRemoval::kCalendarNotSaved;
  for (const int id : found.vaults) {
    if (VaultOwner() == id) continue;  // cannot happen: an open vault is a listed user's
    if (!RemoveVault(VaultPath(dbPath_, id)) && result == DaysRemoval::kDone) result = DaysRemoval::kVaultNotRemoved;
  }
  return result;
}

int CalendarSession::HighestOwnerInUse() {
  int highest = Plain().MaxOwnerId();
  const std::vector<int> vaults = dbPath_.empty() ? std::vector<int>{} : VaultIds(dbPath_);
  if (!vaults.empty()) highest = std::max(highest, vaults.back());
  return highest;
}
