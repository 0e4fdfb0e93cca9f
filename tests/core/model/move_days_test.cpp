// The days marked before the first account, given to her in one write.

#include <gtest/gtest.h>

#include <cstring>

#include "model/database_manager.h"

namespace move_days_test {

// A file in memory whose writes can fail on request, half landing.
class MemoryFile final : public BlockFile {
 public:
  explicit MemoryFile(std::vector<uint8_t>* bytes) : bytes_(bytes) {}
  size_t ReadAt(uint64_t offset, void* buffer, size_t n) override {
    if (offset >= bytes_->size()) return 0;
    const size_t got = std::min<size_t>(n, bytes_->size() - offset);
    std::memcpy(buffer, bytes_->data() + offset, got);
    return got;
  }
  bool WriteAt(uint64_t offset, const void* data, size_t n) override {
    ++writes;
    if (failWrites) n /= 2;
    if (bytes_->size() < offset + n) bytes_->resize(offset + n, 0);
    std::memcpy(bytes_->data() + offset, data, n);
    return !failWrites;
  }
  bool Size(uint64_t* size) override {
    *size = bytes_->size();
    return true;
  }
  bool Flush() override { return true; }
  bool Truncate(uint64_t size) override {
    bytes_->resize(size, 0);
    return true;
  }
  bool failWrites = false;
  int writes = 0;

 private:
  std::vector<uint8_t>* bytes_;
};

Day Marked(PackedDate d, bool start = false) { return Day(d, start, false, true, false, false, false, 0.0); }

class MoveDaysTest : public testing::Test {
 protected:
  void SetUp() override {
    auto file = std::make_unique<MemoryFile>(&bytes_);
    file_ = file.get();
    db_ = std::make_unique<DatabaseManager>(std::move(file), [this] { return owner_; });
    // Three days of nobody's, one of user 3's.
    for (int d : {1, 2, 3}) ASSERT_EQ(db_->SaveDay(Marked(PackedDate(d, 5, 2024), d == 1)), SaveResult::kDone);
    owner_ = 3;
    ASSERT_EQ(db_->SaveDay(Marked(PackedDate(9, 5, 2024))), SaveResult::kDone);
    owner_ = 0;
  }

  // What a fresh start reads from the file's bytes for an owner.
  int DaysOnDisk(uint16_t owner) {
    std::vector<uint8_t> copy = bytes_;
    DatabaseManager reread(std::make_unique<MemoryFile>(&copy), [owner] { return owner; });
    return reread.CountDays(owner);
  }

  std::vector<uint8_t> bytes_ = std::vector<uint8_t>(28001, 0);
  MemoryFile* file_ = nullptr;
  uint16_t owner_ = 0;
  std::unique_ptr<DatabaseManager> db_;
};

TEST_F(MoveDaysTest, AllDaysOfOneOwnerMoveInOneWriteAndNoOtherOwnersDays) {
  EXPECT_EQ(db_->CountDays(0), 3);
  file_->writes = 0;
  ASSERT_EQ(db_->MoveDays(0, 4), DatabaseManager::MoveResult::kDone);
  EXPECT_EQ(file_->writes, 1);
  EXPECT_EQ(db_->CountDays(0), 0);
  EXPECT_EQ(db_->CountDays(4), 3);
  EXPECT_EQ(db_->CountDays(3), 1);
  EXPECT_EQ(DaysOnDisk(0), 0);
  EXPECT_EQ(DaysOnDisk(4), 3);
  EXPECT_EQ(DaysOnDisk(3), 1);
  // The owner's queries see them at once, records and starts alike.
  owner_ = 4;
  ASSERT_NE(db_->GetDay(PackedDate(2, 5, 2024)), nullptr);
  EXPECT_EQ(db_->GetStartBefore(PackedDate(31, 5, 2024)), PackedDate(1, 5, 2024));
  owner_ = 0;
  EXPECT_EQ(db_->GetDay(PackedDate(2, 5, 2024)), nullptr);
  // Nothing left to move is no failure.
  EXPECT_EQ(db_->MoveDays(0, 5), DatabaseManager::MoveResult::kDone);
}

TEST_F(MoveDaysTest, AFailedWriteLeavesMemoryAsTheFileHoldsItAndNeverMixesOwners) {
  // Into an owner who has days of her own: refused, nothing written.
  file_->writes = 0;
  EXPECT_EQ(db_->MoveDays(0, 3), DatabaseManager::MoveResult::kRefused);
  EXPECT_EQ(file_->writes, 0);
  EXPECT_EQ(db_->CountDays(0), 3);

  // A torn write: memory reads the index back as the file now holds it, so
  // every day is found under exactly one owner, on disk as in memory.
  file_->failWrites = true;
  EXPECT_EQ(db_->MoveDays(0, 4), DatabaseManager::MoveResult::kWriteFailed);
  file_->failWrites = false;
  EXPECT_EQ(db_->CountDays(0) + db_->CountDays(4), 3);
  EXPECT_EQ(db_->CountDays(4), DaysOnDisk(4));
  EXPECT_EQ(db_->CountDays(3), 1);

  // Without a file there is nothing to move into.
  DatabaseManager none(std::unique_ptr<BlockFile>{}, [] { return uint16_t{0}; });
  EXPECT_EQ(none.MoveDays(0, 4), DatabaseManager::MoveResult::kNoFile);
}

}  // namespace move_days_test
