// Replays the kept fuzz inputs (seeds and every input that once failed) through
// the same code the fuzzers run, so a fixed fault stays fixed.
#define TAMAREL_FUZZ_REPLAY
#include "../../fuzz/fuzz_db.cpp"
#include "../../fuzz/fuzz_lan.cpp"
#include "../../fuzz/fuzz_users.cpp"
#include "../../fuzz/fuzz_text.cpp"
#include "../../fuzz/fuzz_version.cpp"
#include "../../fuzz/fuzz_backup.cpp"

#include <filesystem>
#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace {

std::vector<std::filesystem::path> Inputs(const char* target) {
  std::vector<std::filesystem::path> out;
  std::error_code ec;
  for (const auto& e : std::filesystem::directory_iterator(std::filesystem::path(TAMAREL_TEST_DATA) / "fuzz" / target, ec))
    if (e.is_regular_file()) out.push_back(e.path());
  return out;
}

TEST(FuzzReplay, KeptDatabaseInputsRunCleanly) {
  const auto inputs = Inputs("db");
  ASSERT_FALSE(inputs.empty());
  for (const auto& path : inputs) {
    const auto bytes = testsupport::ReadBytes(path);
    EXPECT_EQ(TamarelFuzzDb(bytes.data(), bytes.size()), 0) << path;
  }
}

TEST(FuzzReplay, KeptLanguageFileInputsRunCleanly) {
  const auto inputs = Inputs("lan");
  ASSERT_FALSE(inputs.empty());
  for (const auto& path : inputs) {
    const auto bytes = testsupport::ReadBytes(path);
    EXPECT_EQ(TamarelFuzzLan(bytes.data(), bytes.size()), 0) << path;
  }
}

TEST(FuzzReplay, KeptUsersFileInputsRunCleanly) {
  const auto inputs = Inputs("users");
  ASSERT_FALSE(inputs.empty());
  for (const auto& path : inputs) {
    const auto bytes = testsupport::ReadBytes(path);
    EXPECT_EQ(TamarelFuzzUsers(bytes.data(), bytes.size()), 0) << path;
  }
}

TEST(FuzzReplay, KeptLocalizedTextInputsRunCleanly) {
  const auto inputs = Inputs("text");
  ASSERT_FALSE(inputs.empty());
  for (const auto& path : inputs) {
    const auto bytes = testsupport::ReadBytes(path);
    EXPECT_EQ(TamarelFuzzText(bytes.data(), bytes.size()), 0) << path;
  }
}

TEST(FuzzReplay, KeptVersionFileInputsRunCleanly) {
  const auto inputs = Inputs("version");
  ASSERT_FALSE(inputs.empty());
  for (const auto& path : inputs) {
    const auto bytes = testsupport::ReadBytes(path);
    EXPECT_EQ(TamarelFuzzVersion(bytes.data(), bytes.size()), 0) << path;
  }
}

TEST(FuzzReplay, KeptBackupInputsRunCleanly) {
  const auto inputs = Inputs("backup");
  ASSERT_FALSE(inputs.empty());
  for (const auto& path : inputs) {
    const auto bytes = testsupport::ReadBytes(path);
    EXPECT_EQ(TamarelFuzzBackup(bytes.data(), bytes.size()), 0) << path;
  }
}

}  // namespace
