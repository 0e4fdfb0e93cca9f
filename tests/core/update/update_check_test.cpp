// The version file, the comparison of versions, the addresses that may be
// opened and the timing of the automatic check.

#include "update/update_check.h"

#include <gtest/gtest.h>

#include <string>

#include "env/platform.h"

namespace {

using update::VersionFile;

TEST(VersionFile, ParsesTheTagsAsWritten) {
  struct Case {
    const char16_t* text;
    VersionFile expected;
  };
  const Case cases[] = {
      {u"<version>0.0.0.4</version><distr_path>https://x.example/d</distr_path>", {u"0.0.0.4", u"https://x.example/d"}},
      {u"  \r\n<v><version>0.0.0.3</version></v>\n", {u"0.0.0.3", u""}},
      // The closing tag before the opening one: no version.
      {u"</version>1.0<version>", {u"", u""}},
      {u"<version>1.0", {u"", u""}},
      // Only the first occurrences count; nothing is trimmed or decoded.
      {u"<version> 0.0.0.3</version><version>9</version>", {u" 0.0.0.3", u""}},
      {u"<distr_path>a&amp;b</distr_path><version></version>", {u"", u"a&amp;b"}},
      {u"<VERSION>1</VERSION>", {u"", u""}},
      {u"", {u"", u""}},
      // Caps: 19 characters of version and 999 of address are the most.
      {u"<version>1234567890123456789</version>", {u"1234567890123456789", u""}},
      {u"<version>12345678901234567890</version>", {u"", u""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(ToUtf8(c.text));
    EXPECT_EQ(update::ParseVersionFile(c.text), c.expected);
  }
  const std::u16string longest(999, u'a');
  EXPECT_EQ(update::ParseVersionFile(u"<distr_path>" + longest + u"</distr_path>").address, longest);
  EXPECT_EQ(update::ParseVersionFile(u"<distr_path>" + longest + u"a</distr_path>").address, u"");
}

TEST(VersionFile, FetchedTextIsCappedSplitIntoLinesAndTrimmed) {
  Latin1Codec codec;
  EXPECT_EQ(update::FetchedText("  <version>1</version>\r\n<distr_path>x</distr_path>\r\n\r\n", codec),
            u"<version>1</version>\n<distr_path>x</distr_path>");
  EXPECT_EQ(update::FetchedText("", codec), u"");
  // The ANSI code page: byte 0xE9 is e acute.
  EXPECT_EQ(update::FetchedText("caf\xE9", codec), u"caf\u00E9");

  // A line over 1279 characters is read in pieces, each ending a line.
  const std::string longLine = std::string(1279, 'a') + "<version>2</version>";
  EXPECT_EQ(update::FetchedText(longLine, codec), std::u16string(1279, u'a') + u"\n<version>2</version>");

  // Only the first 64 KB are read: a version behind them is not seen.
  std::string big(update::kMaxFetchedBytes, 'x');
  big.replace(0, 4, "ab\nc");
  const std::u16string read = update::FetchedText(big + "<version>9</version>", codec);
  EXPECT_LE(read.size(), update::kMaxFetchedBytes + update::kMaxFetchedBytes / update::kMaxLineChars + 1);
  EXPECT_EQ(update::ParseVersionFile(read).version, u"");
  EXPECT_EQ(update::ParseVersionFile(update::FetchedText("<version>9</version>" + big, codec)).version, u"9");
}

TEST(VersionCompare, OnlyANewerDottedNumberIsNewer) {
  struct Case {
    const char16_t* offered;
    const char16_t* own;
    int compare;
    bool newer;
  };
  const Case cases[] = {
      {u"0.0.0.4", u"0.0.0.3", 1, true},
      {u"0.0.0.3", u"0.0.0.3", 0, false},
      {u"0.0.0.2", u"0.0.0.3", -1, false},
      {u"1.2.10", u"1.2.9", 1, true},
      {u"1.2.9", u"1.2.10", -1, false},
      {u"1.2", u"1.2.0.0", 0, false},
      {u"1.2.0.1", u"1.2", 1, true},
      {u"0.0.1", u"0.0.0.3", 1, true},
      {u"007", u"7", 0, false},
      {u"10", u"9", 1, true},
      // Surrounding blanks do not make a version different.
      {u" 0.0.0.3", u"0.0.0.3", 0, false},
      {u"\t0.0.0.4 ", u"0.0.0.3", 1, true},
      // Not dotted numbers: never offered.
      {u"0.0.0.4b", u"0.0.0.3", 0, false},
      {u"0..4", u"0.0.0.3", 0, false},
      {u".4", u"0.0.0.3", 0, false},
      {u"4.", u"0.0.0.3", 0, false},
      {u"", u"0.0.0.3", 0, false},
      {u"0.0 .4", u"0.0.0.3", 0, false},
      {u"-1", u"0.0.0.3", 0, false},
      {u"9.9", u"", 0, false},
      // Digits far beyond any integer type still compare.
      {u"99999999999999999999", u"99999999999999999998", 1, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(ToUtf8(c.offered) + " vs " + ToUtf8(c.own));
    EXPECT_EQ(update::CompareVersions(c.offered, c.own), c.compare);
    EXPECT_EQ(update::IsNewerVersion(c.offered, c.own), c.newer);
  }
}

TEST(DownloadAddress, OnlyWebPagesAreOpenedAndEverythingElseFallsBack) {
  const std::u16string fallback = u"https://tamarel.example/";
  struct Case {
    const char16_t* address;
    const char16_t* opened;
  };
  const Case cases[] = {
      {u"https://tamarel.example/setup.html", u"https://tamarel.example/setup.html"},
      {u"http://127.0.0.1:8080/d", u"http://127.0.0.1:8080/d"},
      {u"HTTPS://Tamarel.example/", u"HTTPS://Tamarel.example/"},
      {u"  https://tamarel.example/x \r\n", u"https://tamarel.example/x"},
      {u"", fallback.c_str()},
      {u"file:///C:/Windows/system32/calc.exe", fallback.c_str()},
      {u"file://server/share/x.exe", fallback.c_str()},
      {u"C:\\Users\\Public\\x.exe", fallback.c_str()},
      {u"\\\\server\\share\\x.exe", fallback.c_str()},
      {u"javascript:alert(1)", fallback.c_str()},
      {u"ftp://tamarel.example/x", fallback.c_str()},
      {u"https://", fallback.c_str()},
      {u"https:///C:/x.exe", fallback.c_str()},
      {u"http:\\\\server\\x", fallback.c_str()},
      {u"https://tamarel.example/a b", fallback.c_str()},
      {u"https://tamarel.example/\"x.exe\" -run", fallback.c_str()},
      {u"httpx://tamarel.example/", fallback.c_str()},
      {u"x https://tamarel.example/", fallback.c_str()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(ToUtf8(c.address));
    EXPECT_EQ(update::AddressToOpen(c.address, fallback), c.opened);
  }
  EXPECT_FALSE(update::IsWebAddress(u"https://tamarel.example/\x01"));
}

TEST(UpdateSchedule, DueADayAfterTheLastCheckEvenWithStoredValuesAtTheLimits) {
  const int64_t now = 1'800'000'000;
  struct Case {
    int64_t lastUpdate;
    bool due;
  };
  const Case cases[] = {
      {0, true},
      {now, false},
      {now - 23 * 3600, false},
      {now - 86399, false},
      {now - 86400, true},
      {now + 3600, false},  // a clock set back a little waits
      {now + 86400, false},
      {now + 86401, true},  // stored far ahead: a wrong clock then
      {INT64_MAX, true},
      {INT64_MIN, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lastUpdate);
    EXPECT_EQ(update::CheckIsDue(now, c.lastUpdate), c.due);
  }
  EXPECT_TRUE(update::CheckIsDue(INT64_MIN, INT64_MAX));
  EXPECT_TRUE(update::CheckIsDue(INT64_MAX, INT64_MIN));
}

TEST(CheckResult, AnAnswerWithoutAVersionIsAFailureAndEveryShownFailureHasAReason) {
  EXPECT_EQ(update::ResultOfText(u"<version>0.0.0.4</version>").failure, update::CheckFailure::kNone);
  EXPECT_EQ(update::ResultOfText(u"<html>Not here</html>").failure, update::CheckFailure::kNotVersionFile);
  EXPECT_EQ(update::ResultOfText(u"<version>01234567890123456789</version>").failure,
            update::CheckFailure::kNotVersionFile);
  const struct {
    update::CheckFailure failure;
    std::u16string_view key;
  } cases[] = {
      {update::CheckFailure::kNone, u""},
      {update::CheckFailure::kCancelled, u""},
      {update::CheckFailure::kNoConnection, u"UPDATE_NO_CONNECTION"},
      {update::CheckFailure::kNoAnswer, u"UPDATE_NO_ANSWER"},
      {update::CheckFailure::kServerError, u"UPDATE_SERVER_ERROR"},
      {update::CheckFailure::kNotVersionFile, u"UPDATE_NOT_VERSION_FILE"},
  };
  for (const auto& c : cases) EXPECT_EQ(update::FailureReasonKey(c.failure), c.key);
}

}  // namespace
