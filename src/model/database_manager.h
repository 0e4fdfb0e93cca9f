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
#include "env/packed_date.h"

// db.dat: an index of 2000 slots of 14 bytes, then an append-only area of day
// records (13-byte header + UTF-16LE note). Records of all users live in one
// file, told apart by the owner id in their slot.
class DatabaseManager {
 public:
  static constexpr int kSlotCount = 2000;
  static constexpr int kSlotSize = 14;
  static constexpr int kIndexSize = kSlotCount * kSlotSize;  // 28000
  static constexpr int kRecordHeaderSize = 13;

  struct Slot {
    uint16_t owner = 0;
    uint32_t offset = 0;
    uint32_t length = 0;
    PackedDate date;
    [[nodiscard]] bool InUse() const { return !date.IsEmpty(); }
  };

  using OwnerFn = std::function<uint16_t()>;

  // Opens db.dat, creating it only when it does not exist. When it exists but
  // cannot be opened, runs without a file and never touches it.
  DatabaseManager(const std::filesystem::path& path, OwnerFn currentOwner);
  // Runs on an already opened file (tests inject failures through it); none = no file.
  DatabaseManager(std::unique_ptr<BlockFile> file, OwnerFn currentOwner);
  virtual ~DatabaseManager();
  DatabaseManager(const DatabaseManager&) = delete;
  DatabaseManager& operator=(const DatabaseManager&) = delete;

  [[nodiscard]] bool IsOpen() const { return file_ != nullptr; }

  // Why the last SaveDay returned -1.
  enum class SaveError { kNone, kNoFile, kFull, kWriteFailed };
  [[nodiscard]] SaveError LastSaveError() const { return lastError_; }
  [[nodiscard]] uint16_t CurrentOwner() const { return owner_ ? owner_() : 0; }

  [[nodiscard]] std::unique_ptr<Day> GetDay(const PackedDate& date);
  // 0 success, -1 failure (also when the index is full and the date is new).
  [[nodiscard]] int SaveDay(const Day& day);

  std::unique_ptr<Day> GetFirstDay();
  std::unique_ptr<Day> GetNextDay();

  std::unique_ptr<Day> GetLastStart();
  std::unique_ptr<Day> GetLastEnd();
  [[nodiscard]] PackedDate GetStartBefore(const PackedDate& d);
  [[nodiscard]] PackedDate GetStartAfter(const PackedDate& d);
  [[nodiscard]] std::vector<PackedDate> GetStartList();

  // Statistics cache, filled by the cycle manager.
  void ResetStatistics() { statAverage = statMax = statMin = statCount = 0; }
  int statAverage = 0;
  int statMax = 0;
  int statMin = 0;
  int statCount = 0;

  // The in-memory copy of the index (tests and tools look at it).
  [[nodiscard]] const Slot& SlotAt(int i) const { return slots_[static_cast<size_t>(i)]; }
  // Number of record reads from the file since opening (the caches keep it low).
  [[nodiscard]] uint64_t RecordReads() const { return recordReads_; }

  // The owner ids present in the index (a new user's id must be above all of them).
  [[nodiscard]] uint16_t MaxOwnerId() const;

  // How many days the owner has marked.
  [[nodiscard]] int CountDays(uint16_t owner) const;
  // Gives every day of one owner to another (the days marked before the
  // first account, taken into it): the whole index is written in one write
  // and flushed, so either all of them move or, on a failed write, the index
  // is read back as the file holds it. 0, or -1 when the file could not be
  // written (or there is none). The new owner must have no days of her own.
  [[nodiscard]] int MoveDays(uint16_t from, uint16_t to);

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
    std::vector<PackedDate> starts;                   // dates with menstruationStart, ascending, one per slot
    std::vector<PackedDate> ends;                     // dates with menstruationEnd, ascending, one per slot
  };

  void OpenIndex();
  [[nodiscard]] int FindSlot(const PackedDate& date);
  const std::optional<Day>& RecordOfSlot(int slot);
  [[nodiscard]] bool WriteSlot(int slot, const Slot& value);
  [[nodiscard]] bool WriteRecord(uint64_t offset, const Day& day);
  [[nodiscard]] int Append(const Day& day, int oldSlot);
  [[nodiscard]] int Fail(SaveError error);
  [[nodiscard]] int Succeed();
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
  SaveError lastError_ = SaveError::kNone;
};
