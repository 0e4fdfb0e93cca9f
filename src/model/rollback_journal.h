#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "model/block_file.h"

// One write a save makes to db.dat.
struct FileWrite {
  uint64_t offset = 0;
  std::vector<uint8_t> bytes;
};

// db.dat-journal: before a save touches db.dat, the old bytes of every region
// it will overwrite and the old length of the file are written here and
// flushed; after db.dat is flushed the journal is emptied. An open that finds
// a complete journal puts those bytes back, so a crash at any moment of a save
// leaves the file as it was before the save or as it is after it.
//
// Layout (little-endian): "TMRLJRN1", old length u64, region count u32, then
// per region offset u64, length u32 and the bytes; last an FNV-1a 64 hash of
// everything before it. A journal that is short, long or fails the hash is
// not complete and is ignored: db.dat was not touched yet.
class RollbackJournal {
 public:
  struct Region {
    uint64_t offset = 0;
    std::vector<uint8_t> bytes;
    friend bool operator==(const Region&, const Region&) = default;
  };
  struct Contents {
    uint64_t oldLength = 0;
    std::vector<Region> regions;
    friend bool operator==(const Contents&, const Contents&) = default;
  };

  [[nodiscard]] static std::vector<uint8_t> Encode(const Contents& contents);
  [[nodiscard]] static std::optional<Contents> Decode(const std::vector<uint8_t>& bytes);
  // The old bytes (inside the old length) that the writes will overwrite.
  [[nodiscard]] static std::optional<Contents> Capture(BlockFile& db, uint64_t oldLength,
                                                       const std::vector<FileWrite>& writes);
  // Puts the old bytes and the old length back and flushes the file.
  [[nodiscard]] static bool RollBack(BlockFile& db, const Contents& contents);
  // The same on a copy of the file's bytes (a reader that may not write).
  static void RollBack(std::vector<uint8_t>& image, const Contents& contents);
  // The journal's contents when it is complete.
  [[nodiscard]] static std::optional<Contents> Read(BlockFile& journal);
};
