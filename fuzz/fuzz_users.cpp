// Feeds arbitrary bytes to the users-file parser: it must never read outside
// the input, every user it keeps has an id a day record can carry and a name
// a line can carry, and writing the users and reading them back changes nothing.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "accounts/logon_manager.h"

int TamarelFuzzUsers(const uint8_t* data, size_t size) {
  const auto parsed = LogonManager::ParseUsers(std::string_view(reinterpret_cast<const char*>(data), size));
  int largest = 0;
  for (const auto& [id, user] : parsed.users) {
    if (id < 1 || id > LogonManager::kMaxUserId || user.id != id) __builtin_trap();
    if (user.name.find_first_of(std::string_view("\t\r\n\0", 4)) != std::string::npos) __builtin_trap();
    if (user.passwordHash.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos) __builtin_trap();
    largest = id;
  }
  if (parsed.largestId != largest) __builtin_trap();
  const auto again = LogonManager::ParseUsers(LogonManager::FormatUsers(parsed.users));
  if (again.users != parsed.users || again.largestId != parsed.largestId) __builtin_trap();
  return 0;
}

#ifndef TAMAREL_FUZZ_REPLAY
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) { return TamarelFuzzUsers(data, size); }
#endif
