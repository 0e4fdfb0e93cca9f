#include "env/zip_archive.h"

#include <gtest/gtest.h>

namespace {

std::vector<ZipEntry> Sample() {
  std::string binary;
  for (int i = 0; i < 600; ++i) binary.push_back(static_cast<char>(i * 7));
  return {{"a.txt", "hello\r\n"}, {"empty", ""}, {"db.dat", binary}};
}

bool Same(const std::vector<ZipEntry>& a, const std::vector<ZipEntry>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i].name != b[i].name || a[i].data != b[i].data) return false;
  return true;
}

TEST(Crc32, MatchesTheCheckValueOfTheStandard) {
  EXPECT_EQ(Crc32("123456789"), 0xCBF43926u);
  EXPECT_EQ(Crc32(""), 0u);
}

TEST(Zip, WhatIsWrittenReadsBackEntryForEntry) {
  const std::string zip = WriteZip(Sample(), PackedDate(10, 12, 2026));
  const ZipReadResult read = ReadZip(zip);
  ASSERT_EQ(read.error, ZipError::kNone);
  EXPECT_TRUE(Same(read.entries, Sample()));
  // A comment after the end record does not hide it.
  std::string commented = zip;
  commented[commented.size() - 2] = 3;
  commented += "abc";
  EXPECT_TRUE(Same(ReadZip(commented).entries, Sample()));
}

TEST(Zip, NoCutAndNoChangedByteEverReadsAsOtherContents) {
  const std::string zip = WriteZip(Sample(), PackedDate(10, 12, 2026));
  for (size_t n = 0; n < zip.size(); ++n) {
    const ZipReadResult cut = ReadZip(std::string_view(zip).substr(0, n));
    EXPECT_NE(cut.error, ZipError::kNone) << "cut at " << n;
    EXPECT_TRUE(cut.entries.empty());
  }
  for (size_t at = 0; at < zip.size(); ++at) {
    std::string changed = zip;
    changed[at] = static_cast<char>(changed[at] ^ 0x21);
    const ZipReadResult read = ReadZip(changed);
    // Some header bytes (the time, the version) do not matter; what is read is never different.
    if (read.error == ZipError::kNone) EXPECT_TRUE(Same(read.entries, Sample())) << "byte " << at;
  }
}

TEST(Zip, TellsNoZipFromADamagedOneAndRefusesCompressedEntries) {
  EXPECT_EQ(ReadZip("").error, ZipError::kNotAZip);
  EXPECT_EQ(ReadZip("date,start,end\r\n2026-03-01,yes,,\r\n").error, ZipError::kNotAZip);
  const std::string zip = WriteZip(Sample(), PackedDate(10, 12, 2026));
  EXPECT_EQ(ReadZip(zip.substr(0, zip.size() - 30)).error, ZipError::kDamaged);
  std::string badCrc = zip;
  badCrc[30 + 5 + 2] ^= 1;  // inside "hello"
  EXPECT_EQ(ReadZip(badCrc).error, ZipError::kDamaged);
  std::string deflated = zip;
  const size_t central = zip.find("PK\x01\x02");
  ASSERT_NE(central, std::string::npos);
  deflated[central + 10] = 8;
  EXPECT_EQ(ReadZip(deflated).error, ZipError::kUnsupported);
}

}  // namespace
