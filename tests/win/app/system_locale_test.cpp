#include "env/platform_win32.h"
#include "settings/system_locale_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>

namespace {

TEST(SystemLocale, PillTimeDefaultIsTenOClockLocalOnNewYear2000) {
  const SystemLocaleInfo info = QuerySystemLocale();
  const std::time_t t = static_cast<std::time_t>(info.pillTimeDefault);
  const std::tm* local = std::localtime(&t);
  ASSERT_NE(local, nullptr);
  EXPECT_EQ(local->tm_year, 100);
  EXPECT_EQ(local->tm_mon, 0);
  EXPECT_EQ(local->tm_mday, 1);
  EXPECT_EQ(local->tm_hour, 10);
  EXPECT_EQ(local->tm_min, 0);
  // The country, when the system knows it, is a two-letter code.
  EXPECT_TRUE(info.country.empty() || info.country.size() == 2);
  EXPECT_EQ(info.userLanguageId, GetUserDefaultLangID());
}

TEST(SystemLocale, FoldersOfTheProgramAndTheUser) {
  const std::filesystem::path exe(ExecutablePath());
  EXPECT_EQ(exe.filename(), L"tamarel_win_tests.exe");
  EXPECT_EQ(ExecutableFolder(), exe.parent_path());
  EXPECT_TRUE(std::filesystem::is_directory(ExecutableFolder()));
  const std::filesystem::path appData = RoamingAppDataFolder();
  EXPECT_TRUE(appData.is_absolute());
  EXPECT_TRUE(std::filesystem::is_directory(appData));
}

TEST(SystemLocale, AnsiCodecRoundTripsWhatTheCodePageHolds) {
  const Win32AnsiCodec codec;
  EXPECT_EQ(codec.ToAnsi(u"user 1\tname"), "user 1\tname");
  EXPECT_EQ(codec.FromAnsi("abc"), u"abc");
  EXPECT_EQ(codec.ToAnsi(u""), "");
  if (GetACP() == 1252) {
    EXPECT_EQ(codec.ToAnsi(u"Grüße"), "Gr\xFC\xDF" "e");
    EXPECT_EQ(codec.FromAnsi("Gr\xFC\xDF" "e"), u"Grüße");
  }
}

TEST(SystemLocale, ClockTodayIsTheLocalDate) {
  const Win32Clock clock;
  SYSTEMTIME st;
  GetLocalTime(&st);
  const PackedDate today = clock.Today();
  EXPECT_EQ(today, PackedDate(st.wDay, st.wMonth, st.wYear));
  const std::time_t now = std::time(nullptr);
  EXPECT_LE(std::llabs(clock.Now() - static_cast<int64_t>(now)), 2);
}

}  // namespace
