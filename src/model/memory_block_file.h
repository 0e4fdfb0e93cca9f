#pragma once

#include <algorithm>
#include <cstring>
#include <vector>

#include "model/block_file.h"

// A file held in memory: a reader's snapshot of db.dat, and the tests' files.
class MemoryBlockFile final : public BlockFile {
 public:
  explicit MemoryBlockFile(std::vector<uint8_t> bytes = {}) : bytes_(std::move(bytes)) {}

  size_t ReadAt(uint64_t offset, void* buffer, size_t n) override {
    if (offset >= bytes_.size()) return 0;
    const size_t got = std::min<size_t>(n, bytes_.size() - static_cast<size_t>(offset));
    std::memcpy(buffer, bytes_.data() + offset, got);
    return got;
  }
  bool WriteAt(uint64_t offset, const void* data, size_t n) override {
    if (offset + n > kLimit) return false;
    if (bytes_.size() < offset + n) bytes_.resize(static_cast<size_t>(offset + n), 0);
    if (n > 0) std::memcpy(bytes_.data() + offset, data, n);
    return true;
  }
  bool Size(uint64_t* size) override {
    *size = bytes_.size();
    return true;
  }
  bool Flush() override { return true; }
  bool Truncate(uint64_t size) override {
    if (size > kLimit) return false;
    bytes_.resize(static_cast<size_t>(size), 0);
    return true;
  }

  [[nodiscard]] const std::vector<uint8_t>& Bytes() const { return bytes_; }

 private:
  static constexpr uint64_t kLimit = uint64_t{64} << 20;  // far above any real calendar
  std::vector<uint8_t> bytes_;
};
