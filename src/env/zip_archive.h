#pragma once

// A small zip archive of our own: files stored as they are (no compression),
// each with its CRC-32, read back only when every byte checks out.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "env/packed_date.h"

struct ZipEntry {
  std::string name;  // ASCII path inside the archive
  std::string data;
};

// CRC-32 as zip, PNG and Ethernet use it (reflected polynomial 0xEDB88320).
[[nodiscard]] uint32_t Crc32(std::string_view bytes);

// The archive's bytes: a local header and the data of each entry in order,
// the central directory and its end record. Every entry carries `date` at
// midnight as its modification time.
[[nodiscard]] std::string WriteZip(const std::vector<ZipEntry>& entries, const PackedDate& date);

enum class ZipError {
  kNone,
  kNotAZip,     // no zip structure at all
  kDamaged,     // a zip, but cut short, inconsistent or failing a CRC
  kUnsupported  // a zip with compressed, encrypted or split entries (not one we wrote)
};

struct ZipReadResult {
  ZipError error = ZipError::kNone;
  std::vector<ZipEntry> entries;  // in central-directory order; empty unless error is kNone
};

// Reads every entry of an archive written by WriteZip (or any zip of stored
// entries), checking sizes, headers and CRC-32s.
[[nodiscard]] ZipReadResult ReadZip(std::string_view bytes);
