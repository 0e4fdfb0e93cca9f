#include "model/database_manager.h"

#include <cstring>

#include <gtest/gtest.h>

#include "support/temp_dir.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#endif

namespace {

using testsupport::ReadBytes;
using testsupport::TempDir;
using testsupport::WriteBytes;

uint32_t U32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}
uint16_t U16(const std::vector<uint8_t>& b, size_t at) { return static_cast<uint16_t>(b[at] | (b[at + 1] << 8)); }

Day Marked(PackedDate d, bool start = false, bool end = false, bool sex = false) {
  return Day(d, start, end, sex, false, false, false, 0.0);
}

Day WithNote(PackedDate d, std::u16string note) { return Day(d, false, false, false, false, false, false, 0.0, note); }

// What a fresh start of the program would read: a copy of the file, opened
// anew (the running database keeps other writers out of the file itself).
std::optional<Day> ReadBack(const std::filesystem::path& path, PackedDate date, uint16_t owner = 0) {
  const auto copy = path.parent_path() / "readback.dat";
  WriteBytes(copy, ReadBytes(path));
  DatabaseManager db(copy, [owner] { return owner; });
  auto day = db.GetDay(date);
  return day ? std::optional<Day>(*day) : std::nullopt;
}

struct Owner {
  uint16_t id = 0;
  DatabaseManager::OwnerFn Fn() {
    return [this] { return id; };
  }
};

TEST(DatabaseFile, NewFileIsZeroIndexAndFirstRecordFollowsItByteForByte) {
  TempDir dir;
  const auto path = dir / "db.dat";
  Owner owner;
  owner.id = 7;
  {
    DatabaseManager db(path, owner.Fn());
    ASSERT_TRUE(db.IsOpen());
    EXPECT_EQ(ReadBytes(path), std::vector<uint8_t>(28001, 0));
    Day day(PackedDate(1, 3, 2026), true, false, true, false, false, true, 36.6, u"Hi\u00e9");
    ASSERT_EQ(db.SaveDay(day), SaveResult::kDone);
  }
  const auto b = ReadBytes(path);
  ASSERT_EQ(b.size(), 28001u + 13 + 6);
  EXPECT_EQ(U16(b, 0), 7);            // owner
  EXPECT_EQ(U32(b, 2), 28001u);       // offset
  EXPECT_EQ(U32(b, 6), 13u + 6);      // length
  EXPECT_EQ(b[10], 1);                // day
  EXPECT_EQ(b[11], 3);                // month
  EXPECT_EQ(U16(b, 12), 2026);        // year
  EXPECT_EQ(std::vector<uint8_t>(b.begin() + 14, b.begin() + 28001), std::vector<uint8_t>(28001 - 14, 0));
  EXPECT_EQ(b[28001], 0x01 | 0x04 | 0x20);
  double t = 0;
  std::memcpy(&t, &b[28002], 8);
  EXPECT_EQ(t, 36.6);
  EXPECT_EQ(U32(b, 28010), 6u);
  EXPECT_EQ(std::vector<uint8_t>(b.begin() + 28014, b.end()), (std::vector<uint8_t>{'H', 0, 'i', 0, 0xE9, 0}));

  DatabaseManager again(path, owner.Fn());
  auto read = again.GetDay(PackedDate(1, 3, 2026));
  ASSERT_TRUE(read);
  EXPECT_TRUE(read->menstruationStart && read->sex && read->badMood);
  EXPECT_FALSE(read->menstruationEnd || read->pill || read->goodMood);
  EXPECT_EQ(read->temperature, 36.6);
  EXPECT_EQ(read->note, u"Hi\u00e9");
  EXPECT_FALSE(again.GetDay(PackedDate(1, 3, 2026 + 1)));
}

TEST(DatabaseFile, EmptyDayRemovesTheSlotAndNeverShrinksTheFile) {
  TempDir dir;
  const auto path = dir / "db.dat";
  Owner owner;
  DatabaseManager db(path, owner.Fn());
  const PackedDate d(5, 4, 2026);
  ASSERT_EQ(db.SaveDay(Marked(d, false, false, true)), SaveResult::kDone);
  const auto before = ReadBytes(path);

  // Nothing stored for a date without a record.
  ASSERT_EQ(db.SaveDay(WithNote(PackedDate(6, 4, 2026), u"")), SaveResult::kDone);
  EXPECT_EQ(ReadBytes(path), before);

  ASSERT_EQ(db.SaveDay(WithNote(d, u"")), SaveResult::kDone);
  const auto after = ReadBytes(path);
  EXPECT_EQ(after.size(), before.size());
  EXPECT_EQ(std::vector<uint8_t>(after.begin(), after.begin() + 14), std::vector<uint8_t>(14, 0));
  EXPECT_EQ(std::vector<uint8_t>(after.begin() + 28001, after.end()),
            std::vector<uint8_t>(before.begin() + 28001, before.end()));  // dead space stays
  EXPECT_FALSE(db.GetDay(d));
  EXPECT_FALSE(ReadBack(path, d));
}

TEST(DatabaseFile, LongerNoteMovesToTheEndShorterNoteRewritesInPlace) {
  TempDir dir;
  const auto path = dir / "db.dat";
  Owner owner;
  DatabaseManager db(path, owner.Fn());
  const PackedDate a(1, 1, 2026), b(2, 1, 2026);
  ASSERT_EQ(db.SaveDay(WithNote(a, u"aa")), SaveResult::kDone);  // slot 0 at 28001
  ASSERT_EQ(db.SaveDay(WithNote(b, u"bbbb")), SaveResult::kDone);  // slot 1 at 28018
  ASSERT_EQ(db.SaveDay(WithNote(a, u"")), SaveResult::kDone);  // frees slot 0

  // b grows: its record moves to the end and the first free slot (0) takes it.
  const auto beforeGrow = ReadBytes(path);
  ASSERT_EQ(db.SaveDay(WithNote(b, u"bbbbbb")), SaveResult::kDone);
  auto bytes = ReadBytes(path);
  ASSERT_EQ(bytes.size(), beforeGrow.size() + 13 + 12);
  EXPECT_EQ(bytes[10], 2);
  EXPECT_EQ(U32(bytes, 2), beforeGrow.size());
  EXPECT_EQ(U32(bytes, 6), 13u + 12);
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 14, bytes.begin() + 28), std::vector<uint8_t>(14, 0));
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 28001, bytes.begin() + static_cast<long>(beforeGrow.size())),
            std::vector<uint8_t>(beforeGrow.begin() + 28001, beforeGrow.end()));

  // b shrinks: rewritten in place with a lower length, the file does not grow.
  ASSERT_EQ(db.SaveDay(WithNote(b, u"b")), SaveResult::kDone);
  const auto shrunk = ReadBytes(path);
  EXPECT_EQ(shrunk.size(), bytes.size());
  EXPECT_EQ(U32(shrunk, 2), U32(bytes, 2));
  EXPECT_EQ(U32(shrunk, 6), 13u + 2);
  ASSERT_TRUE(ReadBack(path, b));
  EXPECT_EQ(ReadBack(path, b)->note, u"b");
}

TEST(DatabaseFile, NotesOfAnyLengthComeBackWhole) {
  TempDir dir;
  const auto path = dir / "db.dat";
  Owner owner;
  for (size_t units : {499u, 500u, 4000u}) {
    const PackedDate d(1, 1, static_cast<int>(2000 + units % 100));
    std::u16string note(units, u'x');
    note[units - 1] = u'\u044f';
    {
      DatabaseManager db(path, owner.Fn());
      ASSERT_EQ(db.SaveDay(WithNote(d, note)), SaveResult::kDone);
    }
    DatabaseManager db(path, owner.Fn());
    auto day = db.GetDay(d);
    ASSERT_TRUE(day);
    EXPECT_EQ(day->note, note) << units;
    // The next mark keeps the note.
    day->sex = true;
    ASSERT_EQ(db.SaveDay(*day), SaveResult::kDone);
    ASSERT_TRUE(ReadBack(path, d));
    EXPECT_EQ(ReadBack(path, d)->note, note);
  }
}

TEST(DatabaseFile, OwnersSeeOnlyTheirOwnDays) {
  TempDir dir;
  Owner owner;
  DatabaseManager db(dir / "db.dat", owner.Fn());
  const PackedDate d(10, 2, 2026);
  owner.id = 1;
  ASSERT_EQ(db.SaveDay(Marked(d, true)), SaveResult::kDone);
  owner.id = 2;
  EXPECT_FALSE(db.GetDay(d));
  EXPECT_TRUE(db.GetStartBefore(d).IsEmpty());
  ASSERT_EQ(db.SaveDay(Marked(d, false, false, true)), SaveResult::kDone);
  EXPECT_FALSE(db.GetDay(d)->menstruationStart);
  owner.id = 1;
  EXPECT_TRUE(db.GetDay(d)->menstruationStart);
  EXPECT_EQ(db.GetStartBefore(d), d);
  owner.id = 0;
  EXPECT_FALSE(db.GetFirstDay());
  EXPECT_EQ(db.MaxOwnerId(), 2);
}

TEST(DatabaseFile, StartQueriesIncludeTheDateItselfAndKeepSlotOrderDuplicates) {
  TempDir dir;
  Owner owner;
  DatabaseManager db(dir / "db.dat", owner.Fn());
  const PackedDate s1(1, 3, 2026), s2(29, 3, 2026), s3(30, 4, 2026);
  for (PackedDate d : {s3, s1, s2}) ASSERT_EQ(db.SaveDay(Marked(d, true)), SaveResult::kDone);
  ASSERT_EQ(db.SaveDay(Marked(PackedDate(4, 3, 2026), false, true)), SaveResult::kDone);
  ASSERT_EQ(db.SaveDay(Marked(PackedDate(1, 4, 2026), false, true)), SaveResult::kDone);

  EXPECT_EQ(db.GetStartBefore(s2), s2);
  EXPECT_EQ(db.GetStartAfter(s2), s2);
  EXPECT_EQ(db.GetStartBefore(PackedDate(28, 3, 2026)), s1);
  EXPECT_EQ(db.GetStartAfter(PackedDate(2, 3, 2026)), s2);
  EXPECT_TRUE(db.GetStartBefore(PackedDate(28, 2, 2026)).IsEmpty());
  EXPECT_TRUE(db.GetStartAfter(PackedDate(1, 5, 2026)).IsEmpty());
  EXPECT_EQ(db.GetStartList(), (std::vector<PackedDate>{s1, s2, s3}));
  EXPECT_EQ(db.GetLastStart()->date, s3);
  EXPECT_EQ(db.GetLastEnd()->date, PackedDate(1, 4, 2026));

  std::vector<PackedDate> order;
  for (auto d = db.GetFirstDay(); d; d = db.GetNextDay()) order.push_back(d->date);
  EXPECT_EQ(order, (std::vector<PackedDate>{s3, s1, s2, PackedDate(4, 3, 2026), PackedDate(1, 4, 2026)}));
}

// Builds a file by hand: the index, then records at the given places.
struct HandMade {
  std::vector<uint8_t> bytes = std::vector<uint8_t>(28001, 0);
  void Slot(int i, uint16_t owner, uint32_t offset, uint32_t length, PackedDate d) {
    uint8_t* p = bytes.data() + i * 14;
    p[0] = static_cast<uint8_t>(owner);
    p[1] = static_cast<uint8_t>(owner >> 8);
    for (int b = 0; b < 4; ++b) {
      p[2 + b] = static_cast<uint8_t>(offset >> (8 * b));
      p[6 + b] = static_cast<uint8_t>(length >> (8 * b));
    }
    p[10] = d.day;
    p[11] = d.month;
    p[12] = static_cast<uint8_t>(d.year);
    p[13] = static_cast<uint8_t>(d.year >> 8);
  }
  uint32_t Record(uint8_t flags, uint32_t noteLength = 0, std::vector<uint8_t> note = {}) {
    const auto at = static_cast<uint32_t>(bytes.size());
    bytes.push_back(flags);
    bytes.insert(bytes.end(), 8, 0);
    for (int b = 0; b < 4; ++b) bytes.push_back(static_cast<uint8_t>(noteLength >> (8 * b)));
    bytes.insert(bytes.end(), note.begin(), note.end());
    return at;
  }
};

TEST(DatabaseFile, DamagedRecordsReadAsAbsentDaysAndHideNoOther) {
  TempDir dir;
  const auto path = dir / "db.dat";
  HandMade f;
  f.Slot(0, 0, 900000, 13, PackedDate(1, 1, 2026));                 // past the end
  f.Slot(1, 0, 100, 13, PackedDate(2, 1, 2026));                    // inside the index
  const uint32_t bad = f.Record(1, 0x7FFFFFFF);                      // note runs past the end
  f.Slot(2, 0, bad, 13, PackedDate(3, 1, 2026));
  const uint32_t good = f.Record(1);
  f.Slot(3, 0, good, 13, PackedDate(1, 2, 2026));
  WriteBytes(path, f.bytes);

  Owner owner;
  DatabaseManager db(path, owner.Fn());
  EXPECT_FALSE(db.GetDay(PackedDate(1, 1, 2026)));
  EXPECT_FALSE(db.GetDay(PackedDate(2, 1, 2026)));
  EXPECT_FALSE(db.GetDay(PackedDate(3, 1, 2026)));
  ASSERT_TRUE(db.GetFirstDay());
  EXPECT_EQ(db.GetFirstDay()->date, PackedDate(1, 2, 2026));
  EXPECT_EQ(db.GetStartList(), std::vector<PackedDate>{PackedDate(1, 2, 2026)});

  // Marking a damaged day writes a fresh record at the end; nothing lands
  // inside the index. The slots whose records the file lost (past its end)
  // are cleared, so the file growing under them cannot bring them back.
  const auto before = ReadBytes(path);
  ASSERT_EQ(db.SaveDay(Marked(PackedDate(2, 1, 2026), false, false, true)), SaveResult::kDone);
  const auto after = ReadBytes(path);
  EXPECT_EQ(U32(after, 14 + 2), before.size());  // slot 1 now points past the old end
  EXPECT_EQ(std::vector<uint8_t>(after.begin(), after.begin() + 14), std::vector<uint8_t>(14, 0));
  EXPECT_EQ(std::vector<uint8_t>(after.begin() + 28, after.begin() + 42), std::vector<uint8_t>(14, 0));
  EXPECT_EQ(std::vector<uint8_t>(after.begin() + 42, after.begin() + 28001),
            std::vector<uint8_t>(before.begin() + 42, before.begin() + 28001));
  EXPECT_EQ(std::vector<uint8_t>(after.begin() + 28001, after.begin() + static_cast<long>(before.size())),
            std::vector<uint8_t>(before.begin() + 28001, before.end()));
  EXPECT_TRUE(db.GetDay(PackedDate(2, 1, 2026))->sex);
  EXPECT_EQ(db.GetStartList(), std::vector<PackedDate>{PackedDate(1, 2, 2026)});
}

TEST(DatabaseFile, ShortFileReadsAsEmptyAndRecordsGoPastTheIndex) {
  TempDir dir;
  const auto path = dir / "db.dat";
  for (size_t size : {0u, 13u, 14000u, 28000u}) {
    std::vector<uint8_t> bytes(size, 0);
    WriteBytes(path, bytes);
    Owner owner;
    DatabaseManager db(path, owner.Fn());
    ASSERT_TRUE(db.IsOpen());
    EXPECT_FALSE(db.GetFirstDay());
    ASSERT_EQ(db.SaveDay(Marked(PackedDate(1, 1, 2026), true)), SaveResult::kDone);
    EXPECT_EQ(db.SlotAt(0).offset, 28001u) << size;
    EXPECT_TRUE(ReadBack(path, PackedDate(1, 1, 2026))) << size;
  }
}

TEST(DatabaseFile, DuplicateDatesReadTheFirstSlot) {
  TempDir dir;
  const auto path = dir / "db.dat";
  HandMade f;
  const uint32_t first = f.Record(1);
  const uint32_t second = f.Record(4);
  f.Slot(5, 0, first, 13, PackedDate(1, 1, 2026));
  f.Slot(9, 0, second, 13, PackedDate(1, 1, 2026));
  WriteBytes(path, f.bytes);
  Owner owner;
  DatabaseManager db(path, owner.Fn());
  auto day = db.GetDay(PackedDate(1, 1, 2026));
  EXPECT_TRUE(day->menstruationStart);
  EXPECT_FALSE(day->sex);
  EXPECT_EQ(db.GetStartList().size(), 2u);
}

TEST(DatabaseFile, FullIndexRefusesNewDatesAndLosesNothing) {
  TempDir dir;
  const auto path = dir / "db.dat";
  HandMade f;
  for (int i = 0; i < 2000; ++i) {
    const uint32_t at = f.Record(4);
    f.Slot(i, static_cast<uint16_t>(i % 2), at, 13, AddDays(PackedDate(1, 1, 2020), i));
  }
  WriteBytes(path, f.bytes);
  Owner owner;
  DatabaseManager db(path, owner.Fn());
  const auto before = ReadBytes(path);
  EXPECT_EQ(db.SaveDay(Marked(PackedDate(1, 1, 2030), true)), SaveResult::kFull);
  EXPECT_EQ(ReadBytes(path), before);
  EXPECT_FALSE(db.GetDay(PackedDate(1, 1, 2030)));
  // Days already stored can still change.
  const PackedDate last = AddDays(PackedDate(1, 1, 2020), 1998);
  EXPECT_EQ(db.SaveDay(Marked(last, true)), SaveResult::kDone);
  EXPECT_TRUE(db.GetDay(last)->menstruationStart);
}

TEST(DatabaseFile, RecordsAreReadOnceAndWritesKeepMemoryTrue) {
  TempDir dir;
  const auto path = dir / "db.dat";
  Owner owner;
  {
    DatabaseManager db(path, owner.Fn());
    for (int i = 0; i < 50; ++i) ASSERT_EQ(db.SaveDay(Marked(AddDays(PackedDate(1, 1, 2026), i), i % 28 == 0, false, true)), SaveResult::kDone);
  }
  DatabaseManager db(path, owner.Fn());
  for (int round = 0; round < 3; ++round)
    for (int i = 0; i < 60; ++i) (void)db.GetDay(AddDays(PackedDate(1, 1, 2026), i));
  const uint64_t reads = db.RecordReads();
  EXPECT_EQ(reads, 50u);
  ASSERT_EQ(db.SaveDay(Marked(PackedDate(3, 1, 2026), false, true)), SaveResult::kDone);
  EXPECT_TRUE(db.GetDay(PackedDate(3, 1, 2026))->menstruationEnd);
  EXPECT_EQ(db.GetLastEnd()->date, PackedDate(3, 1, 2026));
  EXPECT_EQ(db.RecordReads(), reads);
}

TEST(DatabaseFile, ExistingFileThatCannotBeOpenedIsNeverReplaced) {
  TempDir dir;
  // A folder where the file should be cannot be opened as a file.
  const auto folderPath = dir / "db.dat";
  std::filesystem::create_directory(folderPath);
  Owner owner;
  DatabaseManager db(folderPath, owner.Fn());
  EXPECT_FALSE(db.IsOpen());
  EXPECT_FALSE(db.GetDay(PackedDate(1, 1, 2026)));
  EXPECT_EQ(db.SaveDay(Marked(PackedDate(1, 1, 2026), true)), SaveResult::kNoFile);
  EXPECT_TRUE(std::filesystem::is_directory(folderPath));

#ifdef _WIN32
  // Locked by another program: it runs without the file and leaves it as it was.
  const auto path = dir / "locked.dat";
  std::vector<uint8_t> bytes(28001, 0);
  bytes[10] = 1;
  WriteBytes(path, bytes);
  int fd = -1;
  ASSERT_EQ(_wsopen_s(&fd, path.c_str(), _O_RDONLY | _O_BINARY, _SH_DENYRW, _S_IREAD), 0);
  {
    DatabaseManager locked(path, owner.Fn());
    EXPECT_FALSE(locked.IsOpen());
    EXPECT_EQ(locked.SaveDay(Marked(PackedDate(1, 1, 2026), true)), SaveResult::kNoFile);
  }
  _close(fd);
  EXPECT_EQ(ReadBytes(path), bytes);
#endif
}

// A file that fails on request, to check every failure path of a save.
class FlakyFile final : public BlockFile {
 public:
  explicit FlakyFile(std::vector<uint8_t>* bytes) : bytes_(bytes) {}
  size_t ReadAt(uint64_t offset, void* buffer, size_t n) override {
    if (offset >= bytes_->size()) return 0;
    const size_t got = std::min<size_t>(n, bytes_->size() - offset);
    std::memcpy(buffer, bytes_->data() + offset, got);
    return got;
  }
  bool WriteAt(uint64_t offset, const void* data, size_t n) override {
    if (failWriteNumber == ++writes) {
      // A torn write: half of it lands.
      n /= 2;
      Put(offset, data, n);
      return false;
    }
    Put(offset, data, n);
    return true;
  }
  bool Size(uint64_t* size) override {
    *size = bytes_->size();
    return true;
  }
  bool Flush() override { return !failFlush; }
  bool Truncate(uint64_t size) override {
    bytes_->resize(size, 0);
    return true;
  }
  int writes = 0;
  int failWriteNumber = 0;
  bool failFlush = false;

 private:
  void Put(uint64_t offset, const void* data, size_t n) {
    if (bytes_->size() < offset + n) bytes_->resize(offset + n, 0);
    std::memcpy(bytes_->data() + offset, data, n);
  }
  std::vector<uint8_t>* bytes_;
};

TEST(DatabaseFile, EveryFailedWriteReportsFailureAndCostsAtMostThatDay) {
  const PackedDate kept(1, 1, 2026), changed(2, 1, 2026);
  struct Case {
    const char* what;
    int failWrite;
    bool failFlush;
    bool grows;  // the change moves the record to the end
  };
  for (const Case& c : {Case{"append record", 1, false, false}, Case{"append slot", 2, false, false},
                        Case{"move record", 1, false, true}, Case{"move slot", 2, false, true},
                        Case{"flush", 0, true, false}}) {
    std::vector<uint8_t> bytes(28001, 0);
    auto file = std::make_unique<FlakyFile>(&bytes);
    FlakyFile* flaky = file.get();
    Owner owner;
    DatabaseManager db(std::move(file), owner.Fn());
    ASSERT_EQ(db.SaveDay(Marked(kept, true)), SaveResult::kDone);
    if (c.grows) {
      ASSERT_EQ(db.SaveDay(Marked(changed, false, false, true)), SaveResult::kDone);
    }
    flaky->writes = 0;
    flaky->failWriteNumber = c.failWrite;
    flaky->failFlush = c.failFlush;
    EXPECT_EQ(db.SaveDay(WithNote(changed, u"a longer note")), SaveResult::kWriteFailed) << c.what;

    flaky->failWriteNumber = 0;
    flaky->failFlush = false;
    std::vector<uint8_t> copy = bytes;
    DatabaseManager reread(std::make_unique<FlakyFile>(&copy), owner.Fn());
    ASSERT_TRUE(reread.GetDay(kept)) << c.what;
    EXPECT_TRUE(reread.GetDay(kept)->menstruationStart) << c.what;
    if (c.grows) {
      // The changed day is still there, as it was or as it was to become.
      auto day = reread.GetDay(changed);
      ASSERT_TRUE(day) << c.what;
      EXPECT_TRUE(day->sex || day->note == u"a longer note") << c.what;
    }
  }
}

}  // namespace

namespace {

TEST(DatabaseFile, TheDisturbedMarkIsBitSixAndADayWithoutItKeepsItsBytes) {
  TempDir dir;
  const auto path = dir / "db.dat";
  Owner owner;
  const PackedDate d(9, 3, 2026);
  Day day(d, false, false, true, false, true, false, 36.8, u"n");
  // The record as every copy of the program writes it: flags, temperature, note
  // length, note.
  std::vector<uint8_t> expected = {0x04 | 0x10};
  const double t = 36.8;
  expected.resize(9);
  std::memcpy(&expected[1], &t, 8);
  for (const int b : {2, 0, 0, 0, int{'n'}, 0})
    expected.push_back(static_cast<uint8_t>(b));
  DatabaseManager db(path, owner.Fn());
  ASSERT_EQ(db.SaveDay(day), SaveResult::kDone);
  const auto plain = ReadBytes(path);
  EXPECT_EQ(std::vector<uint8_t>(plain.begin() + 28001, plain.end()), expected);

  day.disturbed = true;
  ASSERT_EQ(db.SaveDay(day), SaveResult::kDone);
  auto marked = ReadBytes(path);
  ASSERT_EQ(marked.size(), plain.size()); // rewritten in place
  EXPECT_EQ(marked[28001], 0x04 | 0x10 | 0x40);
  marked[28001] = plain[28001];
  EXPECT_EQ(marked, plain); // nothing else moved
  const auto back = ReadBack(path, d);
  ASSERT_TRUE(back);
  EXPECT_TRUE(back->disturbed && back->sex && back->goodMood);
  EXPECT_EQ(back->temperature, 36.8);

  day.disturbed = false;
  ASSERT_EQ(db.SaveDay(day), SaveResult::kDone);
  EXPECT_EQ(ReadBytes(path), plain);
  EXPECT_FALSE(ReadBack(path, d)->disturbed);

  // The mark alone is a day of its own; bit 7, which no copy writes, is
  // ignored.
  Day onlyMark;
  onlyMark.date = PackedDate(10, 3, 2026);
  onlyMark.disturbed = true;
  ASSERT_EQ(db.SaveDay(onlyMark), SaveResult::kDone);
  auto bytes = ReadBytes(path);
  EXPECT_EQ(bytes[plain.size()], 0x40);
  bytes[plain.size()] = 0x80 | 0x40 | 0x01;
  WriteBytes(dir / "odd.dat", bytes);
  const auto odd = ReadBack(dir / "odd.dat", onlyMark.date);
  ASSERT_TRUE(odd);
  EXPECT_TRUE(odd->disturbed && odd->menstruationStart);
  EXPECT_FALSE(odd->menstruationEnd || odd->sex || odd->pill || odd->goodMood ||
               odd->badMood);
}

} // namespace
