#include "model/database_manager.h"

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
  out[0] = static_cast<uint8_t>((day.menstruationStart ? 1 : 0) | (day.menstruationEnd ? 2 : 0) | (day.sex ? 4 : 0) |
                                (day.pill ? 8 : 0) | (day.goodMood ? 16 : 0) | (day.badMood ? 32 : 0));
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
  OpenIndex();
}

DatabaseManager::DatabaseManager(std::unique_ptr<BlockFile> file, OwnerFn currentOwner)
    : file_(std::move(file)), owner_(std::move(currentOwner)) {
  OpenIndex();
}

DatabaseManager::~DatabaseManager() = default;

// Reads the index once; a file shorter than the index leaves the rest zero.
void DatabaseManager::OpenIndex() {
  if (!file_) return;
  if (!file_->Size(&fileSize_)) fileSize_ = 0;
  std::vector<uint8_t> index(kIndexSize, 0);
  (void)file_->ReadAt(0, index.data(), index.size());
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
  if (!file_ || s.offset < static_cast<uint32_t>(kIndexSize) || s.offset + uint64_t{kRecordHeaderSize} > fileSize_)
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
    if (s.InUse() && s.owner == owner) mine.emplace_back(s.date.Key(), i);
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

bool DatabaseManager::WriteSlot(int slot, const Slot& value) {
  uint8_t bytes[kSlotSize];
  EncodeSlot(value, bytes);
  if (!file_->WriteAt(static_cast<uint64_t>(slot) * kSlotSize, bytes, sizeof bytes)) return false;
  slots_[static_cast<size_t>(slot)] = value;
  return true;
}

bool DatabaseManager::WriteRecord(uint64_t offset, const Day& day) {
  const std::vector<uint8_t> bytes = EncodeRecord(day);
  if (!file_->WriteAt(offset, bytes.data(), bytes.size())) return false;
  fileSize_ = std::max<uint64_t>(fileSize_, offset + bytes.size());
  return true;
}

int DatabaseManager::Fail(SaveError error) {
  lastError_ = error;
  // Memory may be ahead of a half-done write: read the slot records again on demand.
  Invalidate();
  return -1;
}

int DatabaseManager::Succeed() {
  // Data reaches the disk before the save reports success.
  if (!file_->Flush()) return Fail(SaveError::kWriteFailed);
  lastError_ = SaveError::kNone;
  ResetStatistics();
  Invalidate();
  return 0;
}

int DatabaseManager::SaveDay(const Day& day) {
  if (!file_) {
    // Without its file the calendar stores nothing; an empty day has nothing to store.
    lastError_ = day.IsEmpty() ? SaveError::kNone : SaveError::kNoFile;
    return day.IsEmpty() ? 0 : -1;
  }
  if (day.date.IsEmpty()) return Fail(SaveError::kWriteFailed);
  const int slot = FindSlot(day.date);
  if (slot < 0) {
    lastError_ = SaveError::kNone;
    return day.IsEmpty() ? 0 : Append(day, -1);
  }
  if (day.IsEmpty()) {
    if (!WriteSlot(slot, Slot{})) return Fail(SaveError::kWriteFailed);
    records_[static_cast<size_t>(slot)] = CachedRecord{};
    return Succeed();
  }
  const uint32_t needed = kRecordHeaderSize + NoteBytes(day);
  Slot s = slots_[static_cast<size_t>(slot)];
  // A record that could not be read (it points outside the file) is never
  // rewritten where it claims to be: it moves to the end like a grown note.
  const bool readable = RecordOfSlot(slot).has_value();
  if (s.length < needed || !readable) return Append(day, slot);

  // In place: the record first, then the slot with its lower length.
  if (!WriteRecord(s.offset, day)) {
    records_[static_cast<size_t>(slot)] = CachedRecord{};
    return Fail(SaveError::kWriteFailed);
  }
  Day stored = day;
  records_[static_cast<size_t>(slot)] = CachedRecord{true, std::move(stored)};
  s.length = needed;
  if (!WriteSlot(slot, s)) return Fail(SaveError::kWriteFailed);
  return Succeed();
}

// Appends the record at the end of the file and points the first free slot at
// it (a moved record's old slot counts as free). The record is written before
// any slot changes, so a crash or a full disk costs at most this day's change.
int DatabaseManager::Append(const Day& day, int oldSlot) {
  int target = -1;
  for (int i = 0; i < kSlotCount; ++i) {
    if (i == oldSlot || !slots_[static_cast<size_t>(i)].InUse()) {
      target = i;
      break;
    }
  }
  // A full index never costs another day: the new date is refused.
  if (target < 0) return Fail(SaveError::kFull);

  // Records never go below the index, even in a file cut short.
  const uint64_t offset = std::max<uint64_t>(fileSize_, kIndexSize + 1);
  if (offset + kRecordHeaderSize + NoteBytes(day) > UINT32_MAX) return Fail(SaveError::kWriteFailed);
  if (!WriteRecord(offset, day)) return Fail(SaveError::kWriteFailed);

  Slot s;
  s.owner = CurrentOwner();
  s.offset = static_cast<uint32_t>(offset);
  s.length = kRecordHeaderSize + NoteBytes(day);
  s.date = day.date;
  if (!WriteSlot(target, s)) return Fail(SaveError::kWriteFailed);
  Day stored = day;
  records_[static_cast<size_t>(target)] = CachedRecord{true, std::move(stored)};
  if (oldSlot >= 0 && oldSlot != target) {
    // The new slot comes first in index order, so lookups already find it.
    if (!WriteSlot(oldSlot, Slot{})) return Fail(SaveError::kWriteFailed);
    records_[static_cast<size_t>(oldSlot)] = CachedRecord{};
  }
  return Succeed();
}

std::unique_ptr<Day> DatabaseManager::GetFirstDay() {
  cursor_ = 0;
  return GetNextDay();
}

// The next readable day of the current owner in slot order. A damaged record
// is skipped rather than ending the walk, so it hides no other day.
std::unique_ptr<Day> DatabaseManager::GetNextDay() {
  if (!file_) return nullptr;
  const uint16_t owner = CurrentOwner();
  while (cursor_ < kSlotCount) {
    const Slot& s = slots_[static_cast<size_t>(cursor_++)];
    if (!s.InUse() || s.owner != owner) continue;
    if (auto day = GetDay(s.date)) return day;
  }
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

int DatabaseManager::MoveDays(uint16_t from, uint16_t to) {
  if (!file_) return -1;
  if (from == to || CountDays(from) == 0) return 0;
  // Two owners' records on one date would read as one: refuse rather than mix.
  if (CountDays(to) != 0) return -1;
  std::vector<uint8_t> index(kIndexSize, 0);
  std::array<Slot, kSlotCount> moved = slots_;
  for (int i = 0; i < kSlotCount; ++i) {
    Slot& s = moved[static_cast<size_t>(i)];
    if (s.InUse() && s.owner == from) s.owner = to;
    EncodeSlot(s, index.data() + i * kSlotSize);
  }
  if (!file_->WriteAt(0, index.data(), index.size()) || !file_->Flush()) {
    // Part of the index may have reached the file: memory follows the file.
    OpenIndex();
    Invalidate();
    return -1;
  }
  slots_ = moved;
  ResetStatistics();
  Invalidate();
  return 0;
}
