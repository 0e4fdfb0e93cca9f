#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "model/block_file.h"
#include "model/day.h"
#include "model/rollback_journal.h"
#include "model/save_result.h"
#include "env/packed_date.h"

// db.dat: an index of 2000 slots of 14 bytes, then an append-only area of day
// records (13-byte header + UTF-16LE note). Records of all users live in one
// file, told apart by the owner id in their slot. Every save goes through the
// rollback journal db.dat-journal, so a crash leaves the file as it was before
// the save or as it is after it.
class DatabaseManager {
 public:
  static constexpr int kSlotCount = 2000;
  static constexpr int kSlotSize = 14;
  static constexpr int kIndexSize = kSlotCount * kSlotSize;  // 28000
  static constexpr int kRecordHeaderSize = 13;
  // Bit 6 of a record's flags: the day's temperature is disturbed. Bit 7 stays
  // 0.
  static constexpr uint8_t kDisturbedFlag = 0x40;
  static constexpr int kFirstYear = 1900;  // no day of hers lies before it

  struct Slot {
    uint16_t owner = 0;
    uint32_t offset = 0;
    uint32_t length = 0;
    PackedDate date;
    // Any date bytes but zeros: the slot is taken (also when damage put a date there that does not exist).
    [[nodiscard]] bool InUse() const { return !date.IsEmpty(); }
    // A real date of this calendar: only such slots are read, so a slot torn
    // or damaged into another date (a year cut to its low byte) shows nothing.
    [[nodiscard]] bool Readable() const { return IsValidDate(date) && date.year >= kFirstYear; }
  };

  using OwnerFn = std::function<uint16_t()>;

  // Opens db.dat for reading and writing, creating it only when it does not
  // exist, and rolls back a save that a crash interrupted. When the file
  // exists but cannot be opened, runs without a file and never touches it.
  DatabaseManager(const std::filesystem::path& path, OwnerFn currentOwner);
  // Runs on already opened files (tests inject failures through them); no
  // file = no calendar. Without a journal saves write db.dat directly.
  DatabaseManager(std::unique_ptr<BlockFile> file, OwnerFn currentOwner, std::unique_ptr<BlockFile> journal = nullptr);
  // A reader beside the program that writes the file: a copy of db.dat as the
  // last complete save left it, taken once. Saves are refused.
  [[nodiscard]] static std::unique_ptr<DatabaseManager> OpenForReading(const std::filesystem::path& path,
                                                                       OwnerFn currentOwner);
  // db.dat's bytes as the last complete save left them (a save in progress is
  // seen as the file before it), read beside the program; none when unreadable.
  [[nodiscard]] static std::optional<std::vector<uint8_t>> ReadImage(const std::filesystem::path& path);
  // Whether bytes can be a db.dat: the whole index is there and every slot
  // with a real date points at a record header inside the file.
  [[nodiscard]] static bool LooksLikeDatabase(const std::vector<uint8_t>& image);
  virtual ~DatabaseManager();
  DatabaseManager(const DatabaseManager&) = delete;
  DatabaseManager& operator=(const DatabaseManager&) = delete;

  [[nodiscard]] bool IsOpen() const { return file_ != nullptr; }
  [[nodiscard]] bool IsReadOnly() const { return readOnly_; }
  [[nodiscard]] uint16_t CurrentOwner() const { return owner_ ? owner_() : 0; }
  // Counts the changes of the file's contents; the cycle model's caches follow it.
  [[nodiscard]] uint64_t Generation() const { return generation_; }

  static std::filesystem::path JournalPath(const std::filesystem::path& dbPath);

  [[nodiscard]] std::unique_ptr<Day> GetDay(const PackedDate& date);
  // Stores, replaces or (for an empty day) removes the record of the day's date.
  SaveResult SaveDay(const Day& day);

  std::unique_ptr<Day> GetFirstDay();
  std::unique_ptr<Day> GetNextDay();

  std::unique_ptr<Day> GetLastStart();
  std::unique_ptr<Day> GetLastEnd();
  [[nodiscard]] PackedDate GetStartBefore(const PackedDate& d);
  [[nodiscard]] PackedDate GetStartAfter(const PackedDate& d);
  [[nodiscard]] std::vector<PackedDate> GetStartList();

  // The in-memory copy of the index (tests and tools look at it).
  [[nodiscard]] const Slot& SlotAt(int i) const { return slots_[static_cast<size_t>(i)]; }
  // Number of record reads from the file since opening (the caches keep it low).
  [[nodiscard]] uint64_t RecordReads() const { return recordReads_; }

  // The owner ids present in the index (a new user's id must be above all of them).
  [[nodiscard]] uint16_t MaxOwnerId() const;

  // How many days the owner has marked.
  [[nodiscard]] int CountDays(uint16_t owner) const;
  // What became of moving one owner's days to another.
  enum class [[nodiscard]] MoveResult {
    kDone,         // every day moved, or there was none to move
    kRefused,      // the new owner has days of her own; nothing was written
    kWriteFailed,  // the index could not be written; memory reads it as the file holds it
    kNoFile,       // there is no calendar file
  };
  // Gives every day of one owner to another (the days marked before the
  // first account, taken into it): the whole index is written in one write
  // and flushed, so either all of them move or, on a failed write, the index
  // is read back as the file holds it. The new owner must have no days of
  // her own: two owners' records on one date would read as one.
  [[nodiscard]] MoveResult MoveDays(uint16_t from, uint16_t to);
  // Every day of one owner, one per date (what a lookup of that date finds).
  [[nodiscard]] std::vector<Day> DaysOf(uint16_t owner);
  // The owner ids that have days, ascending.
  [[nodiscard]] std::vector<uint16_t> Owners() const;
  // Makes exactly these days the owner's in one journaled save: her old
  // records go, these come (none: her days are deleted). kFull when the index
  // has no room, kWriteFailed or kNoFile with the file as it was.
  [[nodiscard]] SaveResult ReplaceDays(uint16_t owner, const std::vector<Day>& days);
  // Zeroes every byte of the record area that no slot points to (what
  // edits and deletions left behind) in one journaled save, so that the old
  // records of days that left the file (encrypted or deleted) stay readable
  // nowhere in it.
  [[nodiscard]] SaveResult ScrubFreeSpace();

 private:
  struct CachedRecord {
    bool loaded = false;
    std::optional<Day> day;  // none: the record could not be read
  };
  // What the queries need of one owner's days, built from memory after each change.
  struct OwnerView {
    bool valid = false;
    uint16_t owner = 0;
    std::vector<std::pair<int64_t, int>> firstSlot;  // date key -> first slot of that date, by key
    std::vector<int> slots;                           // the owner's readable slots in index order
    std::vector<PackedDate> starts;                   // dates with menstruationStart, ascending, one per slot
    std::vector<PackedDate> ends;                     // dates with menstruationEnd, ascending, one per slot
  };

  void OpenIndex();
  void Recover();
  // A save may begin: the file is writable, and a save that could not be
  // undone before has been rolled back first.
  [[nodiscard]] bool ReadyToWrite();
  [[nodiscard]] int FindSlot(const PackedDate& date);
  const std::optional<Day>& RecordOfSlot(int slot);
  // Where the slot's record ends: its reserved length or its header's note length, whichever reaches further.
  [[nodiscard]] uint64_t RecordEnd(int slot);
  [[nodiscard]] bool OverlapsAnotherRecord(int slot, uint64_t from, uint64_t to);
  [[nodiscard]] SaveResult Append(const Day& day, int oldSlot);
  // Writes the planned bytes as one save; memory changes only on success.
  [[nodiscard]] bool Apply(const std::vector<FileWrite>& writes);
  [[nodiscard]] bool ApplyJournaled(const std::vector<FileWrite>& writes);
  const OwnerView& View();
  void Invalidate() { view_.valid = false; }

  std::unique_ptr<BlockFile> file_;
  OwnerFn owner_;
  std::array<Slot, kSlotCount> slots_{};
  std::array<CachedRecord, kSlotCount> records_{};
  uint64_t fileSize_ = 0;
  int cursor_ = 0;
  uint64_t recordReads_ = 0;
  OwnerView view_;
  std::unique_ptr<BlockFile> journal_;
  bool readOnly_ = false;
  bool mustRecover_ = false;  // a failed save could not be undone: roll back before the next one
  uint64_t generation_ = 0;
};
