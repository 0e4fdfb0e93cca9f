// Times what a login costs under CNG: one PBKDF2-HMAC-SHA256 of 600,000
// rounds (the password hash), and a whole login of a user with an encrypted
// calendar (her hash checked, her vault's key derived, the vault opened),
// each beside a yardstick measured in the same run: the same derive with one
// round, and opening a db.dat of the same days without a vault. Prints
// figures and judges nothing.

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "accounts/logon_manager.h"
#include "accounts/vault.h"
#include "env/crypto.h"
#include "model/database_manager.h"

namespace {

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

}  // namespace

int wmain() {
  namespace fs = std::filesystem;
  std::vector<uint8_t> salt(16, 7), key(32);
  for (int run = 0; run < 3; ++run) {
    const auto start = std::chrono::steady_clock::now();
    if (PlatformCrypto().DeriveKey("a password", salt, 1, key) != CryptoResult::kDone) {
      std::printf("PBKDF2 failed\n");
      return 1;
    }
    std::printf("yardstick: PBKDF2-HMAC-SHA256, 1 round: %.6f s\n", Seconds(start));
  }
  for (int run = 0; run < 3; ++run) {
    const auto start = std::chrono::steady_clock::now();
    if (PlatformCrypto().DeriveKey("a password", salt, PasswordHashing::kIterations, key) != CryptoResult::kDone) {
      std::printf("PBKDF2 failed\n");
      return 1;
    }
    std::printf("PBKDF2-HMAC-SHA256, %u rounds: %.3f s\n", PasswordHashing::kIterations, Seconds(start));
  }

  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const fs::path dir = fs::path(temp) / L"tamarel-login-timing";
  std::error_code ec;
  fs::remove_all(dir, ec);
  fs::create_directories(dir);
  const fs::path db = dir / L"db.dat";
  const fs::path plain = dir / L"plain.dat";
  {
    DatabaseManager days(plain, [] { return uint16_t{1}; });
    for (int i = 1; i <= 28; ++i) (void)days.SaveDay(Day(PackedDate(i, 2, 2026), i % 28 == 1, false, false, false, false,
                                                         false, 36.5, u"note"));
  }
  for (int run = 0; run < 3; ++run) {
    const auto start = std::chrono::steady_clock::now();
    DatabaseManager days(plain, [] { return uint16_t{1}; });
    const int count = days.CountDays(1);
    std::printf("yardstick: db.dat opened without a vault (%d days): %.6f s\n", count, Seconds(start));
  }
  {
    LogonManager logon(dir / L"user.dat");
    if (logon.AddUser("anna", "rose") != UsersResult::kDone) return 1;
    DatabaseManager days(db, [] { return uint16_t{1}; });
    for (int i = 1; i <= 28; ++i) (void)days.SaveDay(Day(PackedDate(i, 2, 2026), i % 28 == 1, false, false, false, false,
                                                         false, 36.5, u"note"));
    if (EncryptDays(VaultContext{}, db, days, 1, "rose") != VaultResult::kDone) return 1;
  }
  for (int run = 0; run < 3; ++run) {
    const auto start = std::chrono::steady_clock::now();
    LogonManager logon(dir / L"user.dat");
    const bool in = logon.Authenticate("anna", "rose", true);
    std::unique_ptr<DatabaseManager> calendar;
    const VaultResult opened = OpenVaultDatabase(VaultContext{}, db, 1, "rose", &calendar);
    std::printf("login with an encrypted calendar (%s, %d days): %.3f s\n",
                in && opened == VaultResult::kDone ? "opened" : "FAILED", calendar ? calendar->CountDays(1) : 0,
                Seconds(start));
  }
  fs::remove_all(dir, ec);
  return 0;
}
