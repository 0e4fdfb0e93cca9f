// Pulling the plug at any moment of a save: the writes of each kind of save
// are recorded through the file seam, every file state a crash could leave is
// built from them, and each is opened as the next start of the program would
// open it. No state may change another day (of any user), and the saved day
// must read as it was or as it was to become; later saves must not build on
// what the crash left. A file cut short at any byte is checked the same way.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <set>
#include <tuple>

#include "model/database_manager.h"
#include "model/memory_block_file.h"

namespace {

enum class OpKind { kWrite, kTruncate, kFlush };

struct Op {
  int file = 0;  // 0 db.dat, 1 db.dat-journal
  OpKind kind = OpKind::kWrite;
  uint64_t offset = 0;  // write: where; truncate: the new size
  std::vector<uint8_t> bytes;
};

// A file in memory that logs every change and flush, in the order made.
class RecordingFile final : public BlockFile {
 public:
  RecordingFile(int id, std::vector<uint8_t> bytes, std::vector<Op>* log) : id_(id), file_(std::move(bytes)), log_(log) {}
  size_t ReadAt(uint64_t offset, void* buffer, size_t n) override { return file_.ReadAt(offset, buffer, n); }
  bool WriteAt(uint64_t offset, const void* data, size_t n) override {
    const auto* p = static_cast<const uint8_t*>(data);
    log_->push_back(Op{id_, OpKind::kWrite, offset, std::vector<uint8_t>(p, p + n)});
    return file_.WriteAt(offset, data, n);
  }
  bool Size(uint64_t* size) override { return file_.Size(size); }
  bool Flush() override {
    log_->push_back(Op{id_, OpKind::kFlush, 0, {}});
    return true;
  }
  bool Truncate(uint64_t size) override {
    log_->push_back(Op{id_, OpKind::kTruncate, size, {}});
    return file_.Truncate(size);
  }

 private:
  int id_;
  MemoryBlockFile file_;
  std::vector<Op>* log_;
};

void ApplyOp(std::vector<uint8_t>& bytes, const Op& op, size_t landed, bool zeroExtended) {
  if (op.kind == OpKind::kTruncate) {
    bytes.resize(op.offset, 0);
    return;
  }
  if (op.kind != OpKind::kWrite) return;
  const uint64_t end = op.offset + op.bytes.size();
  // The file's new length reached the disk before its data: the rest reads as zeros.
  if (zeroExtended && bytes.size() < end) bytes.resize(end, 0);
  if (landed == 0) return;
  if (bytes.size() < op.offset + landed) bytes.resize(op.offset + landed, 0);
  std::copy(op.bytes.begin(), op.bytes.begin() + static_cast<long>(landed), bytes.begin() + static_cast<long>(op.offset));
}

using Files = std::array<std::vector<uint8_t>, 2>;

// Every state a crash can leave: all ops before a point landed; and one
// unflushed op of that point (the last or an earlier one) missing or torn at
// every byte, with or without the file grown to its end, while the later
// ones landed.
std::vector<Files> CrashStates(const Files& start, const std::vector<Op>& log) {
  std::vector<Files> states;
  std::set<std::pair<std::vector<uint8_t>, std::vector<uint8_t>>> seen;
  auto add = [&](Files f) {
    if (seen.emplace(f[0], f[1]).second) states.push_back(std::move(f));
  };
  for (size_t point = 0; point <= log.size(); ++point) {
    // Unflushed ops of each file at this point.
    std::array<size_t, 2> since = {0, 0};
    for (size_t i = 0; i < point; ++i)
      if (log[i].kind == OpKind::kFlush) since[static_cast<size_t>(log[i].file)] = i + 1;
    auto build = [&](size_t varied, size_t landed, bool zeroExtended) {
      Files f = start;
      for (size_t i = 0; i < point; ++i) {
        const Op& op = log[i];
        if (i == varied)
          ApplyOp(f[static_cast<size_t>(op.file)], op, landed, zeroExtended);
        else
          ApplyOp(f[static_cast<size_t>(op.file)], op, op.bytes.size(), false);
      }
      return f;
    };
    add(build(SIZE_MAX, 0, false));
    for (size_t j = 0; j < point; ++j) {
      const Op& op = log[j];
      if (j < since[static_cast<size_t>(op.file)] || op.kind == OpKind::kFlush) continue;
      if (op.kind == OpKind::kTruncate) {
        Files f = start;
        for (size_t i = 0; i < point; ++i)
          if (i != j) ApplyOp(f[static_cast<size_t>(log[i].file)], log[i], log[i].bytes.size(), false);
        add(std::move(f));
        continue;
      }
      for (size_t landed = 0; landed < op.bytes.size(); ++landed) {
        add(build(j, landed, false));
        add(build(j, landed, true));
      }
    }
  }
  return states;
}

using Key = std::tuple<uint16_t, int64_t>;  // owner, date
using Snapshot = std::map<Key, Day>;

bool Same(const Day& a, const Day& b) {
  return a.date == b.date && a.menstruationStart == b.menstruationStart && a.menstruationEnd == b.menstruationEnd &&
         a.sex == b.sex && a.pill == b.pill && a.goodMood == b.goodMood && a.badMood == b.badMood &&
         a.temperature == b.temperature && a.note.value_or(u"") == b.note.value_or(u"");
}

constexpr uint16_t kOwners[] = {0, 1, 2};

Snapshot Read(DatabaseManager& db, uint16_t& owner) {
  Snapshot out;
  for (uint16_t o : kOwners) {
    owner = o;
    for (auto d = db.GetFirstDay(); d; d = db.GetNextDay()) out.emplace(Key{o, d->date.Key()}, *d);
  }
  return out;
}

// A history like hers: three users, 53 days over a year and a half, starts,
// ends, marks, temperatures and notes of several lengths, one removed day.
std::vector<uint8_t> History() {
  uint16_t owner = 0;
  auto file = std::make_unique<MemoryBlockFile>(std::vector<uint8_t>(DatabaseManager::kIndexSize + 1, 0));
  const MemoryBlockFile* raw = file.get();
  DatabaseManager db(std::move(file), [&owner] { return owner; });
  int n = 0;
  for (uint16_t o : kOwners) {
    owner = o;
    const int days = o == 0 ? 25 : o == 1 ? 17 : 12;
    for (int i = 0; i < days; ++i, ++n) {
      const PackedDate d = AddDays(PackedDate(1, 1, 2025), i * 19 + o * 3);
      std::optional<std::u16string> note;
      if (i % 3 == 0) note = std::u16string(static_cast<size_t>(1 + (i * 7) % 23), static_cast<char16_t>(u'a' + o));
      Day day(d, i % 3 == 0, i % 3 == 1, i % 2 == 0, o == 2 || i % 3 == 2, i % 5 == 1, i % 5 == 2, i % 4 == 0 ? 36.4 + i * 0.01 : 0,
              note);
      EXPECT_EQ(db.SaveDay(day), SaveResult::kDone);
    }
  }
  owner = 1;
  EXPECT_EQ(db.SaveDay(Day(AddDays(PackedDate(1, 1, 2025), 3), false, false, false, false, false, false, 0)),
            SaveResult::kDone);  // a removed day leaves dead space and a free slot
  EXPECT_EQ(n, 54);
  return raw->Bytes();
}

struct SaveKind {
  const char* what;
  uint16_t owner;
  Day day;
};

struct Counts {
  size_t states = 0;
  size_t otherChanged = 0;
  size_t savedNeither = 0;
  size_t notWritable = 0;
  size_t laterSaveWrong = 0;
};

// Opens one state and checks it; then an ordinary save of another day and a
// repeat of the interrupted save must both come out whole.
void CheckState(const Files& state, const SaveKind& kind, const Snapshot& before, const Snapshot& after,
                Counts& counts) {
  ++counts.states;
  uint16_t owner = 0;
  auto dbFile = std::make_unique<MemoryBlockFile>(state[0]);
  auto journal = std::make_unique<MemoryBlockFile>(state[1]);
  const MemoryBlockFile* dbBytes = dbFile.get();
  const MemoryBlockFile* journalBytes = journal.get();
  DatabaseManager db(std::move(dbFile), [&owner] { return owner; }, std::move(journal));
  if (!db.IsOpen() || db.IsReadOnly()) ++counts.notWritable;
  const Snapshot seen = Read(db, owner);
  const Key saved{kind.owner, kind.day.date.Key()};
  bool other = false, neither = false;
  std::set<Key> keys;
  for (const auto& [k, d] : before) keys.insert(k);
  for (const auto& [k, d] : after) keys.insert(k);
  for (const auto& [k, d] : seen) keys.insert(k);
  for (const Key& k : keys) {
    auto s = seen.find(k), b = before.find(k), a = after.find(k);
    const bool inSeen = s != seen.end();
    const bool matchesBefore = inSeen ? (b != before.end() && Same(s->second, b->second)) : b == before.end();
    const bool matchesAfter = inSeen ? (a != after.end() && Same(s->second, a->second)) : a == after.end();
    if (k == saved) {
      if (!matchesBefore && !matchesAfter) neither = true;
    } else if (!matchesBefore) {
      other = true;
    }
  }
  if (other) ++counts.otherChanged;
  if (neither) ++counts.savedNeither;

  // Another user's ordinary save, then the interrupted save once more.
  const uint16_t otherOwner = kind.owner == 1 ? 2 : 1;
  const Day another(PackedDate(2, 2, 2027), false, false, true, false, false, false, 0, u"later save");
  owner = otherOwner;
  const SaveResult first = db.SaveDay(another);
  owner = kind.owner;
  const SaveResult again = db.SaveDay(kind.day);
  // What the next start reads.
  Snapshot expected = after;
  expected.insert_or_assign(Key{otherOwner, another.date.Key()}, another);
  if (kind.day.IsEmpty()) expected.erase(saved);
  uint16_t next = 0;
  DatabaseManager reopened(std::make_unique<MemoryBlockFile>(dbBytes->Bytes()), [&next] { return next; },
                           std::make_unique<MemoryBlockFile>(journalBytes->Bytes()));
  const Snapshot later = Read(reopened, next);
  bool wrong = first != SaveResult::kDone || again != SaveResult::kDone || later.size() != expected.size();
  for (const auto& [k, d] : expected) {
    auto s = later.find(k);
    if (s == later.end() || !Same(s->second, d)) wrong = true;
  }
  if (wrong) ++counts.laterSaveWrong;
}

TEST(CrashStates, NoCrashAtAnyByteOfAnySaveLosesOrChangesADay) {
  const auto started = std::chrono::steady_clock::now();
  const std::vector<uint8_t> history = History();
  const PackedDate kept = AddDays(PackedDate(1, 1, 2025), 0);        // owner 0, note, start
  const PackedDate noted = AddDays(PackedDate(1, 1, 2025), 3 * 19);  // owner 0, note of 22 units
  const SaveKind kinds[] = {
      {"new day", 0, Day(PackedDate(15, 6, 2026), true, false, false, false, false, false, 0, u"new")},
      {"mark in place", 0, Day(kept, true, false, true, false, true, false, 36.5, u"a")},
      {"shorter note in place", 0, Day(noted, true, false, false, false, true, false, 0, u"short")},
      {"longer note moves to the end", 0,
       Day(noted, true, false, false, false, false, false, 0, std::u16string(40, u'\u00e9'))},
      {"day emptied", 0, Day(kept, false, false, false, false, false, false, 0)},
      {"another user's new day", 2, Day(PackedDate(20, 6, 2026), false, false, true, true, false, false, 97.9)},
  };
  Counts total;
  for (const SaveKind& kind : kinds) {
    uint16_t owner = 0;
    std::vector<Op> log;
    auto db = std::make_unique<DatabaseManager>(std::make_unique<RecordingFile>(0, history, &log),
                                                [&owner] { return owner; },
                                                std::make_unique<RecordingFile>(1, std::vector<uint8_t>(), &log));
    const Snapshot before = Read(*db, owner);
    ASSERT_EQ(before.size(), 53u);  // 54 days stored, one removed
    ASSERT_TRUE(log.empty()) << "opening wrote";
    owner = kind.owner;
    ASSERT_EQ(db->SaveDay(kind.day), SaveResult::kDone) << kind.what;
    const Snapshot after = Read(*db, owner);
    const auto savedNow = after.find(Key{kind.owner, kind.day.date.Key()});
    if (kind.day.IsEmpty())
      ASSERT_EQ(savedNow, after.end()) << kind.what;
    else
      ASSERT_TRUE(savedNow != after.end() && Same(savedNow->second, kind.day)) << kind.what;

    const std::vector<Files> states = CrashStates(Files{history, {}}, log);
    Counts counts;
    for (const Files& state : states) CheckState(state, kind, before, after, counts);
    std::printf("[ crash    ] %-30s %zu writes, %5zu states: other day changed %zu, saved day neither %zu, "
                "not writable %zu, later save wrong %zu\n",
                kind.what, log.size(), counts.states, counts.otherChanged, counts.savedNeither, counts.notWritable,
                counts.laterSaveWrong);
    EXPECT_EQ(counts.otherChanged, 0u) << kind.what;
    EXPECT_EQ(counts.savedNeither, 0u) << kind.what;
    EXPECT_EQ(counts.notWritable, 0u) << kind.what;
    EXPECT_EQ(counts.laterSaveWrong, 0u) << kind.what;
    total.states += counts.states;
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  std::printf("[ crash    ] %zu crash states in %.2f s\n", total.states, seconds);
}

// A file cut short at every byte (a copy broken off, a disk that lost its
// end): no day ever reads as changed, and a save afterwards lands where no
// slot points, so no hidden day comes back carrying its data.
TEST(CrashStates, AFileCutAtAnyByteShowsNoChangedDayAndTakesNewSavesSafely) {
  const auto started = std::chrono::steady_clock::now();
  const std::vector<uint8_t> history = History();
  uint16_t owner = 0;
  Snapshot full;
  {
    DatabaseManager db(std::make_unique<MemoryBlockFile>(history), [&owner] { return owner; });
    full = Read(db, owner);
  }
  const Day added(PackedDate(3, 3, 2027), true, false, false, false, false, false, 0, u"after the cut");
  size_t changed = 0, laterWrong = 0, cuts = 0;
  for (size_t length = 0; length <= history.size(); ++length) {
    ++cuts;
    std::vector<uint8_t> cut(history.begin(), history.begin() + static_cast<long>(length));
    auto file = std::make_unique<MemoryBlockFile>(std::move(cut));
    MemoryBlockFile* bytes = file.get();
    DatabaseManager db(std::move(file), [&owner] { return owner; }, std::make_unique<MemoryBlockFile>());
    auto shown = Read(db, owner);
    auto unchanged = [&](const Snapshot& seen, const Key* extra) {
      for (const auto& [k, d] : seen) {
        if (extra && k == *extra) continue;
        auto f = full.find(k);
        if (f == full.end() || !Same(f->second, d)) return false;
      }
      return true;
    };
    if (!unchanged(shown, nullptr)) ++changed;
    owner = 1;
    const Key addedKey{1, added.date.Key()};
    bool wrong = db.SaveDay(added) != SaveResult::kDone;
    // The next start, from the bytes alone.
    DatabaseManager reopened(std::make_unique<MemoryBlockFile>(bytes->Bytes()), [&owner] { return owner; });
    const Snapshot later = Read(reopened, owner);
    auto a = later.find(addedKey);
    if (a == later.end() || !Same(a->second, added) || !unchanged(later, &addedKey)) wrong = true;
    // Days that were readable before the save are still all there.
    for (const auto& [k, d] : shown)
      if (!later.count(k)) wrong = true;
    if (wrong && laterWrong < 5) {
      std::printf("cut %zu: added %d, later %zu shown %zu\n", length, a != later.end() ? 1 : 0, later.size(),
                  shown.size());
      for (const auto& [k, d] : later)
        std::printf("  owner %d %s note %zu\n", std::get<0>(k), FormatDate(d.date).c_str(), d.note ? d.note->size() : 0);
    }
    if (wrong) ++laterWrong;
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  std::printf("[ cut      ] %zu cut lengths in %.2f s: changed day shown %zu, later save wrong %zu\n", cuts, seconds,
              changed, laterWrong);
  EXPECT_EQ(changed, 0u);
  EXPECT_EQ(laterWrong, 0u);
}

}  // namespace
