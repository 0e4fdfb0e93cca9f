#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "env/packed_date.h"

// What the command line cannot say itself: the platform's defaults.
struct CliEnvironment {
  std::optional<std::filesystem::path> defaultDb;  // the program's own db.dat, where there is one
  std::optional<std::filesystem::path> defaultUsers;  // the program's own user.dat, where there is one
  std::filesystem::path programFolder;              // for the language files
  PackedDate today;                                 // the local date
  int64_t now = 0;                                  // seconds since 1970 UTC (the export's time stamp)
};

// Runs tamarel-cli with its arguments (UTF-8, without the program name).
// Returns 0 when done, 1 when refused or failed, 2 for a usage error, 3 when
// her calendar is encrypted and no --password was given.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, const CliEnvironment& env);
