#include "model/rollback_journal.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr uint8_t kMagic[8] = {'T', 'M', 'R', 'L', 'J', 'R', 'N', '1'};
constexpr size_t kHeaderSize = 8 + 8 + 4;
constexpr size_t kRegionHeaderSize = 8 + 4;
constexpr size_t kHashSize = 8;

uint64_t Fnv1a64(const uint8_t* p, size_t n) {
  uint64_t h = 0xcbf29ce484222325ull;
  for (size_t i = 0; i < n; ++i) {
    h ^= p[i];
    h *= 0x100000001b3ull;
  }
  return h;
}

void PutLe(std::vector<uint8_t>& out, uint64_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

uint64_t GetLe(const uint8_t* p, int bytes) {
  uint64_t v = 0;
  for (int i = 0; i < bytes; ++i) v |= uint64_t{p[i]} << (8 * i);
  return v;
}

}  // namespace

std::vector<uint8_t> RollbackJournal::Encode(const Contents& contents) {
  std::vector<uint8_t> out(kMagic, kMagic + sizeof kMagic);
  PutLe(out, contents.oldLength, 8);
  PutLe(out, contents.regions.size(), 4);
  for (const Region& r : contents.regions) {
    PutLe(out, r.offset, 8);
    PutLe(out, r.bytes.size(), 4);
    out.insert(out.end(), r.bytes.begin(), r.bytes.end());
  }
  PutLe(out, Fnv1a64(out.data(), out.size()), 8);
  return out;
}

std::optional<RollbackJournal::Contents> RollbackJournal::Decode(const std::vector<uint8_t>& bytes) {
  if (bytes.size() < kHeaderSize + kHashSize || std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0)
    return std::nullopt;
  const size_t body = bytes.size() - kHashSize;
  if (GetLe(bytes.data() + body, 8) != Fnv1a64(bytes.data(), body)) return std::nullopt;
  Contents contents;
  contents.oldLength = GetLe(bytes.data() + 8, 8);
  if (contents.oldLength > (uint64_t{1} << 31)) return std::nullopt;
  const uint64_t count = GetLe(bytes.data() + 16, 4);
  size_t at = kHeaderSize;
  for (uint64_t i = 0; i < count; ++i) {
    if (body - at < kRegionHeaderSize) return std::nullopt;
    Region r;
    r.offset = GetLe(bytes.data() + at, 8);
    const uint64_t length = GetLe(bytes.data() + at + 8, 4);
    at += kRegionHeaderSize;
    if (body - at < length || r.offset > contents.oldLength || contents.oldLength - r.offset < length)
      return std::nullopt;
    r.bytes.assign(bytes.begin() + static_cast<long>(at), bytes.begin() + static_cast<long>(at + length));
    at += length;
    contents.regions.push_back(std::move(r));
  }
  if (at != body) return std::nullopt;
  return contents;
}

std::optional<RollbackJournal::Contents> RollbackJournal::Capture(BlockFile& db, uint64_t oldLength,
                                                                  const std::vector<FileWrite>& writes) {
  Contents contents;
  contents.oldLength = oldLength;
  for (const FileWrite& w : writes) {
    if (w.offset >= oldLength || w.bytes.empty()) continue;  // past the old end: the old length undoes it
    Region r;
    r.offset = w.offset;
    r.bytes.resize(static_cast<size_t>(std::min<uint64_t>(w.bytes.size(), oldLength - w.offset)));
    if (db.ReadAt(r.offset, r.bytes.data(), r.bytes.size()) != r.bytes.size()) return std::nullopt;
    contents.regions.push_back(std::move(r));
  }
  return contents;
}

bool RollbackJournal::RollBack(BlockFile& db, const Contents& contents) {
  for (const Region& r : contents.regions)
    if (!db.WriteAt(r.offset, r.bytes.data(), r.bytes.size())) return false;
  return db.Truncate(contents.oldLength) && db.Flush();
}

void RollbackJournal::RollBack(std::vector<uint8_t>& image, const Contents& contents) {
  image.resize(static_cast<size_t>(contents.oldLength), 0);
  for (const Region& r : contents.regions)
    std::copy(r.bytes.begin(), r.bytes.end(), image.begin() + static_cast<long>(r.offset));
}

std::optional<RollbackJournal::Contents> RollbackJournal::Read(BlockFile& journal) {
  const std::optional<std::vector<uint8_t>> bytes = journal.ReadAll();
  if (!bytes || bytes->empty()) return std::nullopt;
  return Decode(*bytes);
}
