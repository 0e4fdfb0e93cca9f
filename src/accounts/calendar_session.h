#pragma once

// Which day file the model works on: db.dat, or the vault of the user logged
// in. Her key is derived once, at login, lives in the vault file under the
// model while she is logged in, and is wiped when the vault is closed (at
// logout, at the lock, at exit): db.dat waits aside meanwhile, still open.

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string_view>
#include <vector>

#include "accounts/logon_manager.h"
#include "accounts/vault.h"

class DatabaseManager;
class MenstualManager;

// What became of deleting the days of users who are no longer listed (or of
// one user being deleted).
enum class [[nodiscard]] DaysRemoval{
    kDone,
    kCalendarNotSaved,  // db.dat could not be written: her days there are as
                        // they were
    kVaultNotRemoved,   // her days left db.dat, but a vault file could not be
                        // deleted
};

class CalendarSession {
 public:
  // dbPath: where db.dat is (vaults lie beside it).
  CalendarSession(MenstualManager& model, std::filesystem::path dbPath, VaultContext context = {});
  // The model goes back to db.dat: no key outlives the session.
  ~CalendarSession();
  CalendarSession(const CalendarSession&) = delete;
  CalendarSession& operator=(const CalendarSession&) = delete;

  // db.dat, whether the model works on it now or it waits aside.
  [[nodiscard]] DatabaseManager& Plain();
  [[nodiscard]] bool VaultOpen() const { return plain_ != nullptr; }
  // The owner whose vault is open (0: none).
  [[nodiscard]] uint16_t VaultOwner() const { return VaultOpen() ? owner_ : 0; }
  [[nodiscard]] bool HasVault(int userId) const;
  [[nodiscard]] const std::filesystem::path& DatabasePath() const { return dbPath_; }

  // At her login: her vault, when she has one, becomes the model's file
  // (kDone); kMissing when she has none (the model stays on db.dat). Any
  // other result leaves the model on db.dat and the vault untouched.
  [[nodiscard]] VaultResult OpenFor(int userId, std::string_view password);
  // The model back on db.dat; the key and her days in the clear are wiped.
  void Close();
  // Her days from db.dat into a new vault, which the model then works on.
  [[nodiscard]] VaultResult Encrypt(int userId, std::string_view password);
  // The open vault's days back into db.dat in one journaled save; the vault
  // is then deleted and the model works on db.dat.
  [[nodiscard]] VaultResult Decrypt();

  // Deletes every day of one user: her records in db.dat (one journaled
  // save) and her vault. Her vault is closed first when it is open.
  DaysRemoval DeleteDaysOf(int userId);
  // Days in db.dat of ids that no listed user has (0, the days of no
  // account, is nobody's leftover) and vaults of such ids.
  struct Leftovers {
    int days = 0;
    std::vector<uint16_t> owners;
    std::vector<int> vaults;
    [[nodiscard]] bool Empty() const { return owners.empty() && vaults.empty(); }
  };
  // Nothing counts as left over while the list is empty: an unreadable or
  // missing user.dat must not make everybody's days look abandoned.
  [[nodiscard]] Leftovers FindLeftovers(const std::map<int, UserRecord>& users);
  DaysRemoval DeleteLeftovers(const std::map<int, UserRecord>& users);
  // The largest id with days: in db.dat or as a vault. A new user's id lies
  // above it, so nobody meets a deleted user's vault.
  [[nodiscard]] int HighestOwnerInUse();

 private:
  MenstualManager& model_;
  std::filesystem::path dbPath_;
  VaultContext context_;
  // db.dat while her vault is in the model; none while the model has db.dat.
  std::unique_ptr<DatabaseManager> plain_;
  uint16_t owner_ = 0;
};
