#include "model/database_manager.h"

#include "model/memory_block_file.h"

#include <algorithm>
#include <cstring>
#include <system_error>

namespace {

uint16_t Get16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t Get32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
         (static_cast<uint32_t>(p[3]) << 24);
}
void Put16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}
void Put32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

using Slot = DatabaseManager::Slot;

Slot DecodeSlot(const uint8_t* p) {
  Slot s;
  s.owner = Get16(p);
  s.offset = Get32(p + 2);
  s.length = Get32(p + 6);
  s.date = PackedDate(p[10], p[11], Get16(p + 12));
  return s;
}

void EncodeSlot(const Slot& s, uint8_t* p) {
  Put16(p, s.owner);
  Put32(p + 2, s.offset);
  Put32(p + 6, s.length);
  p[10] = s.date.day;
  p[11] = s.date.month;
  Put16(p + 12, s.date.year);
}

uint32_t NoteBytes(const Day& day) { return day.note ? static_cast<uint32_t>(day.note->size() * 2) : 0; }

std::vector<uint8_t> EncodeRecord(const Day& day) {
  const uint32_t noteBytes = NoteBytes(day);
  std::vector<uint8_t> out(DatabaseManager::kRecordHeaderSize + noteBytes);
  out[0] = static_cast<uint8_t>(
      (day.menstruationStart ? 1 : 0) | (day.menstruationEnd ? 2 : 0) |
      (day.sex ? 4 : 0) | (day.pill ? 8 : 0) | (day.goodMood ? 16 : 0) |
      (day.badMood ? 32 : 0) |
      (day.disturbed ? DatabaseManager::kDisturbedFlag : 0));
  std::memcpy(out.data() + 1, &day.temperature, 8);  // IEEE 754, little-endian on every target
  Put32(out.data() + 9, noteBytes);
  if (day.note) {
    uint8_t* p = out.data() + DatabaseManager::kRecordHeaderSize;
    for (char16_t c : *day.note) {
      Put16(p, static_cast<uint16_t>(c));
      p += 2;
    }
  }
  return out;
}

}  // namespace

std::filesystem::path DatabaseManager::JournalPath(const std::filesystem::path& dbPath) {
  std::filesystem::path journal = dbPath;
  journal += "-journal";
  return journal;
}

DatabaseManager::DatabaseManager(const std::filesystem::path& path, OwnerFn currentOwner)
    : owner_(std::move(currentOwner)) {
  BlockFile::OpenResult result{};
  file_ = BlockFile::OpenExisting(path, &result);
  if (!file_ && result == BlockFile::OpenResult::kMissing) {
    // A new file: the zeroed index and one zero byte, so the first record
    // starts at 28001. An existing file is never replaced.
    file_ = BlockFile::CreateNew(path, &result);
    const uint8_t zero = 0;
    if (file_ && (!file_->WriteAt(kIndexSize, &zero, 1) || !file_->Flush())) {
      file_.reset();
      std::error_code ec;
      std::filesystem::remove(path, ec);  // our own empty file: nothing of the user's is lost
    }
  }
  if (file_) {
    journal_ = BlockFile::OpenOrCreate(JournalPath(path), &result);
    if (!journal_) {
      // Saves without their journal could be torn by a crash: read what the
      // last complete save left and store nothing.
      file_.reset();
      if (auto reader = OpenForReading(path, owner_)) {
        file_ = std::move(reader->file_);
        readOnly_ = true;
      }
    }
  }
  Recover();
  OpenIndex();
}

DatabaseManager::DatabaseManager(std::unique_ptr<BlockFile> file, OwnerFn currentOwner,
                                 std::unique_ptr<BlockFile> journal)
    : file_(std::move(file)), owner_(std::move(currentOwner)), journal_(std::move(journal)) {
  Recover();
  OpenIndex();
}

std::optional<std::vector<uint8_t>> DatabaseManager::ReadImage(const std::filesystem::path& path) {
  BlockFile::OpenResult result{};
  auto file = BlockFile::OpenForReading(path, &result);
  if (!file) return std::nullopt;
  std::optional<std::vector<uint8_t>> image = file->ReadAll();
  if (!image) return std::nullopt;
  // A save in progress (or cut short by a crash) is seen as the file before it.
  if (auto journal = BlockFile::OpenForReading(JournalPath(path), &result))
    if (auto contents = RollbackJournal::Read(*journal)) RollbackJournal::RollBack(*image, *contents);
  return image;
}

bool DatabaseManager::LooksLikeDatabase(const std::vector<uint8_t>& image) {
  if (image.size() < static_cast<size_t>(kIndexSize)) return false;
  for (int i = 0; i < kSlotCount; ++i) {
    const Slot slot = DecodeSlot(image.data() + i * kSlotSize);
    if (!slot.Readable()) continue;
    if (slot.offset < static_cast<uint32_t>(kIndexSize) || uint64_t{slot.offset} + kRecordHeaderSize > image.size())
      return false;
  }
  return true;
}

std::unique_ptr<DatabaseManager> DatabaseManager::OpenForReading(const std::filesystem::path& path,
                                                                 OwnerFn currentOwner) {
  std::optional<std::vector<uint8_t>> image = ReadImage(path);
  if (!image) return nullptr;
  auto db = std::make_unique<DatabaseManager>(std::make_unique<MemoryBlockFile>(std::move(*image)),
                                              std::move(currentOwner));
  db->readOnly_ = true;
  return db;
}

DatabaseManager::~DatabaseManager() = default;

// A complete journal means a save was interrupted: its old bytes go back
// before anything is read. When that fails the file is only read, as the
// journal says it was, and never written.
void DatabaseManager::Recover() {
  if (!file_ || !journal_) return;
  const std::optional<RollbackJournal::Contents> contents = RollbackJournal::Read(*journal_);
  if (!contents) return;
  if (RollbackJournal::RollBack(*file_, *contents) && journal_->Truncate(0) && journal_->Flush()) {
    mustRecover_ = false;
    ++generation_;
    return;
  }
  std::optional<std::vector<uint8_t>> image = file_->ReadAll();
  if (image) RollbackJournal::RollBack(*image, *contents);
  file_ = image ? std::make_unique<MemoryBlockFile>(std::move(*image)) : nullptr;
  journal_.reset();
  readOnly_ = true;
  mustRecover_ = false;
  ++generation_;
}

// Reads the index once; a file shorter than the index leaves the rest zero.
void DatabaseManager::OpenIndex() {
  for (CachedRecord& r : records_)
    if (r.loaded) r = CachedRecord{};
  Invalidate();
  fileSize_ = 0;
  std::vector<uint8_t> index(kIndexSize, 0);
  if (file_) {
    if (!file_->Size(&fileSize_)) fileSize_ = 0;
    (void)file_->ReadAt(0, index.data(), index.size());
  }
  for (int i = 0; i < kSlotCount; ++i) slots_[static_cast<size_t>(i)] = DecodeSlot(index.data() + i * kSlotSize);
}

uint16_t DatabaseManager::MaxOwnerId() const {
  uint16_t best = 0;
  for (const Slot& s : slots_)
    if (s.InUse()) best = std::max(best, s.owner);
  return best;
}

// The record of a slot, read from the file at most once: the database is the
// file's only writer, so memory stays the truth after every successful write.
const std::optional<Day>& DatabaseManager::RecordOfSlot(int slot) {
  CachedRecord& cached = records_[static_cast<size_t>(slot)];
  if (cached.loaded) return cached.day;
  cached.loaded = true;
  cached.day.reset();
  const Slot& s = slots_[static_cast<size_t>(slot)];
  // A record inside the index or past the end of the file is damage: the day reads as absent.
  if (!file_ || !s.Readable() || s.offset < static_cast<uint32_t>(kIndexSize) ||
      s.offset + uint64_t{kRecordHeaderSize} > fileSize_)
    return cached.day;
  uint8_t header[kRecordHeaderSize];
  ++recordReads_;
  if (file_->ReadAt(s.offset, header, sizeof header) != sizeof header) return cached.day;
  const uint32_t noteBytes = Get32(header + 9);
  Day day;
  day.date = s.date;
  day.menstruationStart = header[0] & 1;
  day.menstruationEnd = header[0] & 2;
  day.sex = header[0] & 4;
  day.pill = header[0] & 8;
  day.goodMood = header[0] & 16;
  day.badMood = header[0] & 32;
  day.disturbed = header[0] & kDisturbedFlag;
  std::memcpy(&day.temperature, header + 1, 8);
  if (noteBytes > 0) {
    // A note of any length is read back whole, as long as it lies inside the file.
    if (s.offset + uint64_t{kRecordHeaderSize} + noteBytes > fileSize_) return cached.day;
    std::vector<uint8_t> bytes(noteBytes);
    if (file_->ReadAt(s.offset + kRecordHeaderSize, bytes.data(), bytes.size()) != bytes.size()) return cached.day;
    std::u16string note(noteBytes / 2, u'\0');
    for (size_t i = 0; i < note.size(); ++i) note[i] = static_cast<char16_t>(Get16(bytes.data() + 2 * i));
    day.note = std::move(note);
  }
  // An empty day is never stored: such a record is zeros where a record was
  // expected (a gap in a damaged file), not a day.
  if (day.IsEmpty()) return cached.day;
  cached.day = std::move(day);
  return cached.day;
}

const DatabaseManager::OwnerView& DatabaseManager::View() {
  const uint16_t owner = CurrentOwner();
  if (view_.valid && view_.owner == owner) return view_;
  view_ = OwnerView{};
  view_.owner = owner;
  std::vector<std::pair<int64_t, int>> mine;
  mine.reserve(kSlotCount);
  for (int i = 0; i < kSlotCount; ++i) {
    const Slot& s = slots_[static_cast<size_t>(i)];
    if (s.Readable() && s.owner == owner) {
      mine.emplace_back(s.date.Key(), i);
      view_.slots.push_back(i);
    }
  }
  std::stable_sort(mine.begin(), mine.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  // Every slot of a date reads the record of the date's first slot, as a
  // lookup by date does; so a duplicated date counts once per slot.
  int first = -1;
  int64_t firstKey = -1;
  for (const auto& [key, slot] : mine) {
    if (key != firstKey) {
      firstKey = key;
      first = slot;
      view_.firstSlot.emplace_back(key, slot);
    }
    const std::optional<Day>& day = RecordOfSlot(first);
    if (!day) continue;
    if (day->menstruationStart) view_.starts.push_back(day->date);
    if (day->menstruationEnd) view_.ends.push_back(day->date);
  }
  view_.valid = true;
  return view_;
}

// The first slot in index order holding the date for the current owner, or -1.
int DatabaseManager::FindSlot(const PackedDate& date) {
  const OwnerView& v = View();
  const int64_t key = date.Key();
  auto it = std::lower_bound(v.firstSlot.begin(), v.firstSlot.end(), key,
                             [](const auto& e, int64_t k) { return e.first < k; });
  return (it != v.firstSlot.end() && it->first == key) ? it->second : -1;
}

std::unique_ptr<Day> DatabaseManager::GetDay(const PackedDate& date) {
  if (!file_ || date.IsEmpty()) return nullptr;
  const int slot = FindSlot(date);
  if (slot < 0) return nullptr;
  const std::optional<Day>& day = RecordOfSlot(slot);
  return day ? std::make_unique<Day>(*day) : nullptr;
}

uint64_t DatabaseManager::RecordEnd(int slot) {
  const Slot& s = slots_[static_cast<size_t>(slot)];
  uint64_t end = uint64_t{s.offset} + s.length;
  uint8_t noteLength[4];
  if (file_->ReadAt(uint64_t{s.offset} + 9, noteLength, sizeof noteLength) == sizeof noteLength)
    end = std::max(end, uint64_t{s.offset} + kRecordHeaderSize + Get32(noteLength));
  return end;
}

// Whether [from, to) touches the record of any other slot that a reader would
// read (a damaged file may have two slots pointing into one place).
bool DatabaseManager::OverlapsAnotherRecord(int slot, uint64_t from, uint64_t to) {
  for (int i = 0; i < kSlotCount; ++i) {
    const Slot& s = slots_[static_cast<size_t>(i)];
    if (i == slot || !s.Readable() || s.offset < static_cast<uint32_t>(kIndexSize)) continue;
    if (s.offset < to && from < RecordEnd(i)) return true;
  }
  return false;
}

bool DatabaseManager::ReadyToWrite() {
  if (readOnly_) return false;
  if (mustRecover_) {
    Recover();
    OpenIndex();
  }
  return !readOnly_ && !mustRecover_;
}

SaveResult DatabaseManager::SaveDay(const Day& day) {
  if (!file_) {
    // Without its file the calendar stores nothing; an empty day has nothing to store.
    return day.IsEmpty() ? SaveResult::kDone : SaveResult::kNoFile;
  }
  Slot probe;
  probe.date = day.date;
  // A date that would never be read back is not stored.
  if (!probe.Readable() || !ReadyToWrite()) return SaveResult::kWriteFailed;
  const int slot = FindSlot(day.date);
  if (slot < 0) return day.IsEmpty() ? SaveResult::kDone : Append(day, -1);
  if (day.IsEmpty()) {
    uint8_t zeros[kSlotSize] = {};
    if (!Apply({FileWrite{static_cast<uint64_t>(slot) * kSlotSize, std::vector<uint8_t>(zeros, zeros + kSlotSize)}}))
      return SaveResult::kWriteFailed;
    slots_[static_cast<size_t>(slot)] = Slot{};
    records_[static_cast<size_t>(slot)] = CachedRecord{};
    return SaveResult::kDone;
  }
  const uint32_t needed = kRecordHeaderSize + NoteBytes(day);
  Slot s = slots_[static_cast<size_t>(slot)];
  // A record that could not be read (it points outside the file), or whose
  // place another slot's record shares, is never rewritten where it claims to
  // be: it moves to the end like a grown note.
  if (s.length < needed || !RecordOfSlot(slot).has_value() ||
      OverlapsAnotherRecord(slot, s.offset, uint64_t{s.offset} + needed))
    return Append(day, slot);

  // In place: the record, then the slot with its lower length.
  s.length = needed;
  uint8_t slotBytes[kSlotSize];
  EncodeSlot(s, slotBytes);
  if (!Apply({FileWrite{s.offset, EncodeRecord(day)},
              FileWrite{static_cast<uint64_t>(slot) * kSlotSize, std::vector<uint8_t>(slotBytes, slotBytes + kSlotSize)}}))
    return SaveResult::kWriteFailed;
  slots_[static_cast<size_t>(slot)] = s;
  records_[static_cast<size_t>(slot)] = CachedRecord{true, day};
  return SaveResult::kDone;
}

// Appends the record after the end of the file, which is after every whole
// record a slot points to (a slot whose record a damaged file lost is cleared,
// so no hidden day comes back carrying this save's data), and points the
// first free slot at it (a moved record's old slot counts as
// free). The record is written before any slot changes.
SaveResult DatabaseManager::Append(const Day& day, int oldSlot) {
  int target = -1;
  for (int i = 0; i < kSlotCount; ++i) {
    if (i == oldSlot || !slots_[static_cast<size_t>(i)].InUse()) {
      target = i;
      break;
    }
  }
  // A full index never costs another day: the new date is refused.
  if (target < 0) return SaveResult::kFull;

  // Records never go below the index, even in a file cut short. Every record
  // a slot points to that is whole ends inside the file, so the end of the
  // file is after all of them; those cut off by the end are cleared below.
  const uint64_t offset = std::max<uint64_t>(fileSize_, kIndexSize + 1);
  if (offset + kRecordHeaderSize + NoteBytes(day) > UINT32_MAX) return SaveResult::kWriteFailed;

  Slot s;
  s.owner = CurrentOwner();
  s.offset = static_cast<uint32_t>(offset);
  s.length = kRecordHeaderSize + NoteBytes(day);
  s.date = day.date;
  std::vector<FileWrite> writes;
  writes.push_back(FileWrite{offset, EncodeRecord(day)});
  uint8_t slotBytes[kSlotSize];
  EncodeSlot(s, slotBytes);
  writes.push_back(FileWrite{static_cast<uint64_t>(target) * kSlotSize, std::vector<uint8_t>(slotBytes, slotBytes + kSlotSize)});
  // The new slot comes first in index order, so lookups find it before the old one.
  if (oldSlot >= 0 && oldSlot != target)
    writes.push_back(FileWrite{static_cast<uint64_t>(oldSlot) * kSlotSize, std::vector<uint8_t>(kSlotSize, 0)});
  // A slot whose record was cut off by the end of the file (a damaged copy)
  // would read the zeros the file grows by as its day: such a slot, which
  // shows nothing now, is cleared with this save. Its bytes are gone already.
  std::vector<int> cutOff;
  for (int i = 0; i < kSlotCount; ++i) {
    const Slot& other = slots_[static_cast<size_t>(i)];
    if (i == target || i == oldSlot || !other.Readable() || RecordOfSlot(i).has_value()) continue;
    if (uint64_t{other.offset} + kRecordHeaderSize > fileSize_ || RecordEnd(i) > fileSize_) {
      writes.push_back(FileWrite{static_cast<uint64_t>(i) * kSlotSize, std::vector<uint8_t>(kSlotSize, 0)});
      cutOff.push_back(i);
    }
  }
  if (!Apply(writes)) return SaveResult::kWriteFailed;
  for (int i : cutOff) {
    slots_[static_cast<size_t>(i)] = Slot{};
    records_[static_cast<size_t>(i)] = CachedRecord{};
  }

  slots_[static_cast<size_t>(target)] = s;
  records_[static_cast<size_t>(target)] = CachedRecord{true, day};
  if (oldSlot >= 0 && oldSlot != target) {
    slots_[static_cast<size_t>(oldSlot)] = Slot{};
    records_[static_cast<size_t>(oldSlot)] = CachedRecord{};
  }
  return SaveResult::kDone;
}

// One save. On success the data is on the disk and memory may follow; on
// failure the file is as it was and memory is read from it again.
bool DatabaseManager::Apply(const std::vector<FileWrite>& writes) {
  bool done;
  if (journal_) {
    done = ApplyJournaled(writes);
  } else {
    // No journal (a file handed in by a test or a tool): written in the
    // order given, which puts a record in place before a slot points to it.
    done = true;
    for (const FileWrite& w : writes)
      if (done && !file_->WriteAt(w.offset, w.bytes.data(), w.bytes.size())) done = false;
    done = done && file_->Flush();
  }
  if (!done) {
    if (mustRecover_) Recover();
    OpenIndex();
    return false;
  }
  for (const FileWrite& w : writes) fileSize_ = std::max<uint64_t>(fileSize_, w.offset + w.bytes.size());
  ++generation_;
  Invalidate();
  return true;
}

// The old bytes go to the journal and reach the disk first; then db.dat is
// written and flushed; then the emptied journal reaches the disk. Only then
// is the save done. Any failure puts the old bytes back at once.
bool DatabaseManager::ApplyJournaled(const std::vector<FileWrite>& writes) {
  const std::optional<RollbackJournal::Contents> old = RollbackJournal::Capture(*file_, fileSize_, writes);
  if (!old) return false;
  const std::vector<uint8_t> journal = RollbackJournal::Encode(*old);
  // Cut to its own length: a journal left longer by an earlier failure must
  // not make this one look incomplete.
  if (!journal_->WriteAt(0, journal.data(), journal.size()) || !journal_->Truncate(journal.size()) ||
      !journal_->Flush()) {
    // db.dat is untouched; an incomplete journal is ignored at the next open.
    (void)journal_->Truncate(0);
    return false;
  }
  bool written = true;
  for (const FileWrite& w : writes)
    if (written && !file_->WriteAt(w.offset, w.bytes.data(), w.bytes.size())) written = false;
  if (written && file_->Flush() && journal_->Truncate(0) && journal_->Flush()) return true;
  if (RollbackJournal::RollBack(*file_, *old)) {
    if (journal_->Truncate(0) && journal_->Flush()) return false;
    // The journal still holds the old bytes, which now match the file: harmless.
    return false;
  }
  // The file may be half-written; the journal on the disk still undoes it.
  mustRecover_ = true;
  return false;
}

std::unique_ptr<Day> DatabaseManager::GetFirstDay() {
  cursor_ = 0;
  return GetNextDay();
}

// The next readable day of the current owner in slot order. A damaged record
// is skipped rather than ending the walk, so it hides no other day.
std::unique_ptr<Day> DatabaseManager::GetNextDay() {
  if (!file_) return nullptr;
  const OwnerView& v = View();
  for (auto it = std::lower_bound(v.slots.begin(), v.slots.end(), cursor_); it != v.slots.end(); ++it) {
    cursor_ = *it + 1;
    if (auto day = GetDay(slots_[static_cast<size_t>(*it)].date)) return day;
  }
  cursor_ = kSlotCount;
  return nullptr;
}

std::unique_ptr<Day> DatabaseManager::GetLastStart() {
  if (!file_) return nullptr;
  const OwnerView& v = View();
  return v.starts.empty() ? nullptr : GetDay(v.starts.back());
}

std::unique_ptr<Day> DatabaseManager::GetLastEnd() {
  if (!file_) return nullptr;
  const OwnerView& v = View();
  return v.ends.empty() ? nullptr : GetDay(v.ends.back());
}

PackedDate DatabaseManager::GetStartBefore(const PackedDate& d) {
  if (!file_) return {};
  const OwnerView& v = View();
  auto it = std::upper_bound(v.starts.begin(), v.starts.end(), d);
  return it == v.starts.begin() ? PackedDate{} : *std::prev(it);
}

PackedDate DatabaseManager::GetStartAfter(const PackedDate& d) {
  if (!file_) return {};
  const OwnerView& v = View();
  auto it = std::lower_bound(v.starts.begin(), v.starts.end(), d);
  return it == v.starts.end() ? PackedDate{} : *it;
}

std::vector<PackedDate> DatabaseManager::GetStartList() {
  if (!file_) return {};
  return View().starts;
}

int DatabaseManager::CountDays(uint16_t owner) const {
  int count = 0;
  for (const Slot& s : slots_) count += s.InUse() && s.owner == owner ? 1 : 0;
  return count;
}

DatabaseManager::MoveResult DatabaseManager::MoveDays(uint16_t from, uint16_t to) {
  if (!file_) return MoveResult::kNoFile;
  if (from == to || CountDays(from) == 0) return MoveResult::kDone;
  // Two owners' records on one date would read as one: refuse rather than mix.
  if (CountDays(to) != 0) return MoveResult::kRefused;
  std::vector<uint8_t> index(kIndexSize, 0);
  std::array<Slot, kSlotCount> moved = slots_;
  for (int i = 0; i < kSlotCount; ++i) {
    Slot& s = moved[static_cast<size_t>(i)];
    if (s.InUse() && s.owner == from) s.owner = to;
    EncodeSlot(s, index.data() + i * kSlotSize);
  }
  // One journaled save: after a crash every day has its old owner or every
  // day has the new one, never some of each.
  if (!Apply({FileWrite{0, std::move(index)}})) return MoveResult::kWriteFailed;
  slots_ = moved;
  return MoveResult::kDone;
}

std::vector<Day> DatabaseManager::DaysOf(uint16_t owner) {
  std::vector<Day> days;
  std::vector<int64_t> seen;
  for (int i = 0; i < kSlotCount; ++i) {
    const Slot& s = slots_[static_cast<size_t>(i)];
    if (s.owner != owner || !s.Readable()) continue;
    // The first slot of a date is the one every lookup finds.
    const int64_t key = DayNumber(s.date);
    if (std::find(seen.begin(), seen.end(), key) != seen.end()) continue;
    seen.push_back(key);
    const std::optional<Day>& day = RecordOfSlot(i);
    if (day) days.push_back(*day);
  }
  return days;
}

std::vector<uint16_t> DatabaseManager::Owners() const {
  std::vector<uint16_t> owners;
  for (const Slot& s : slots_) {
    if (s.InUse() && std::find(owners.begin(), owners.end(), s.owner) == owners.end()) owners.push_back(s.owner);
  }
  std::sort(owners.begin(), owners.end());
  return owners;
}

SaveResult DatabaseManager::ScrubFreeSpace() {
  if (!file_) return SaveResult::kNoFile;
  if (!ReadyToWrite()) return SaveResult::kWriteFailed;
  std::vector<std::pair<uint64_t, uint64_t>> used;
  for (int i = 0; i < kSlotCount; ++i) {
    if (!slots_[static_cast<size_t>(i)].InUse()) continue;
    const uint64_t from = slots_[static_cast<size_t>(i)].offset;
    const uint64_t to = std::min<uint64_t>(RecordEnd(i), fileSize_);
    if (to > from) used.emplace_back(from, to);
  }
  std::sort(used.begin(), used.end());
  std::vector<FileWrite> writes;
  // Only gaps that hold something are written: the journal stays small.
  const auto zero = [&](uint64_t from, uint64_t to) {
    if (to <= from) return;
    std::vector<uint8_t> bytes(static_cast<size_t>(to - from));
    const size_t got = file_->ReadAt(from, bytes.data(), bytes.size());
    if (std::all_of(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(got), [](uint8_t b) { return b == 0; }))
      return;
    std::fill(bytes.begin(), bytes.end(), uint8_t{0});
    writes.push_back(FileWrite{from, std::move(bytes)});
  };
  uint64_t pos = kIndexSize;
  for (const auto& [from, to] : used) {
    zero(pos, std::min(from, fileSize_));
    pos = std::max(pos, to);
  }
  zero(pos, fileSize_);
  if (writes.empty()) return SaveResult::kDone;
  if (!Apply(writes)) return SaveResult::kWriteFailed;
  for (auto& record : records_) record = CachedRecord{};
  return SaveResult::kDone;
}

SaveResult DatabaseManager::ReplaceDays(uint16_t owner, const std::vector<Day>& days) {
  if (!file_) return SaveResult::kNoFile;
  if (!ReadyToWrite()) return SaveResult::kWriteFailed;
  std::array<Slot, kSlotCount> next = slots_;
  std::vector<FileWrite> writes;
  for (int i = 0; i < kSlotCount; ++i) {
    Slot& s = next[static_cast<size_t>(i)];
    if (!s.InUse() || s.owner != owner) continue;
    // Her old records are overwritten with zeros in the same save, so that
    // no byte of a deleted or encrypted day stays readable in the file; a
    // record that shares its place with another's is left to that one.
    const uint64_t from = s.offset;
    const uint64_t to = std::min<uint64_t>(RecordEnd(i), fileSize_);
    if (from >= static_cast<uint64_t>(kIndexSize) && to > from && !OverlapsAnotherRecord(i, from, to))
      writes.push_back(FileWrite{from, std::vector<uint8_t>(static_cast<size_t>(to - from), 0)});
    s = Slot{};
  }
  // Her records go to the end of the file one after the other, and the whole
  // index is written with them: one journaled save, so after a crash she has
  // all her old days or all the new ones.
  const uint64_t start = std::max<uint64_t>(fileSize_, kIndexSize + 1);
  std::vector<uint8_t> records;
  int free = 0;
  for (const Day& day : days) {
    Slot probe;
    probe.date = day.date;
    if (day.IsEmpty() || !probe.Readable()) continue;
    while (free < kSlotCount && next[static_cast<size_t>(free)].InUse()) ++free;
    if (free >= kSlotCount) return SaveResult::kFull;
    const std::vector<uint8_t> record = EncodeRecord(day);
    if (start + records.size() + record.size() > UINT32_MAX) return SaveResult::kWriteFailed;
    Slot& s = next[static_cast<size_t>(free)];
    s.owner = owner;
    s.offset = static_cast<uint32_t>(start + records.size());
    s.length = static_cast<uint32_t>(record.size());
    s.date = day.date;
    records.insert(records.end(), record.begin(), record.end());
  }
  std::vector<uint8_t> index(kIndexSize, 0);
  for (int i = 0; i < kSlotCount; ++i) EncodeSlot(next[static_cast<size_t>(i)], index.data() + i * kSlotSize);
  if (!records.empty()) writes.push_back(FileWrite{start, std::move(records)});
  writes.push_back(FileWrite{0, std::move(index)});
  if (!Apply(writes)) return SaveResult::kWriteFailed;
  slots_ = next;
  for (auto& record : records_) record = CachedRecord{};
  return SaveResult::kDone;
}
