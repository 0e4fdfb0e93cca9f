#include "env/zip_archive.h"

#include <array>

namespace {

constexpr uint32_t kLocalSignature = 0x04034b50;
constexpr uint32_t kCentralSignature = 0x02014b50;
constexpr uint32_t kEndSignature = 0x06054b50;
constexpr size_t kLocalSize = 30;
constexpr size_t kCentralSize = 46;
constexpr size_t kEndSize = 22;
constexpr uint16_t kVersion = 20;  // 2.0: what a reader needs for stored entries
constexpr uint16_t kUtf8Names = 1u << 11;

const std::array<uint32_t, 256>& CrcTable() {
  static const std::array<uint32_t, 256> table = [] {
    std::array<uint32_t, 256> t{};
    for (uint32_t i = 0; i < 256; ++i) {
      uint32_t c = i;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[i] = c;
    }
    return t;
  }();
  return table;
}

void Put16(std::string& out, uint32_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>((v >> 8) & 0xFF));
}
void Put32(std::string& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}
uint32_t Get16(std::string_view b, size_t at) {
  return static_cast<uint32_t>(static_cast<uint8_t>(b[at])) | (static_cast<uint32_t>(static_cast<uint8_t>(b[at + 1])) << 8);
}
uint32_t Get32(std::string_view b, size_t at) { return Get16(b, at) | (Get16(b, at + 2) << 16); }

// MS-DOS date as zip keeps it; years before 1980 cannot be written and become 1980.
uint16_t DosDate(const PackedDate& d) {
  const int year = d.year < 1980 ? 0 : (d.year > 2107 ? 127 : d.year - 1980);
  const int month = d.month >= 1 && d.month <= 12 ? d.month : 1;
  const int day = d.day >= 1 && d.day <= 31 ? d.day : 1;
  return static_cast<uint16_t>((year << 9) | (month << 5) | day);
}

}  // namespace

uint32_t Crc32(std::string_view bytes) {
  const auto& table = CrcTable();
  uint32_t c = 0xFFFFFFFFu;
  for (char ch : bytes) c = table[(c ^ static_cast<uint8_t>(ch)) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

std::string WriteZip(const std::vector<ZipEntry>& entries, const PackedDate& date) {
  std::string out, central;
  const uint16_t dosDate = DosDate(date);
  for (const ZipEntry& e : entries) {
    const uint32_t crc = Crc32(e.data);
    const auto size = static_cast<uint32_t>(e.data.size());
    const auto offset = static_cast<uint32_t>(out.size());
    Put32(out, kLocalSignature);
    Put16(out, kVersion);
    Put16(out, kUtf8Names);
    Put16(out, 0);  // stored
    Put16(out, 0);  // 00:00:00
    Put16(out, dosDate);
    Put32(out, crc);
    Put32(out, size);
    Put32(out, size);
    Put16(out, static_cast<uint32_t>(e.name.size()));
    Put16(out, 0);
    out += e.name;
    out += e.data;

    Put32(central, kCentralSignature);
    Put16(central, kVersion);
    Put16(central, kVersion);
    Put16(central, kUtf8Names);
    Put16(central, 0);
    Put16(central, 0);
    Put16(central, dosDate);
    Put32(central, crc);
    Put32(central, size);
    Put32(central, size);
    Put16(central, static_cast<uint32_t>(e.name.size()));
    Put16(central, 0);  // extra
    Put16(central, 0);  // comment
    Put16(central, 0);  // disk
    Put16(central, 0);  // internal attributes
    Put32(central, 0);  // external attributes
    Put32(central, offset);
    central += e.name;
  }
  const auto centralOffset = static_cast<uint32_t>(out.size());
  out += central;
  Put32(out, kEndSignature);
  Put16(out, 0);
  Put16(out, 0);
  Put16(out, static_cast<uint32_t>(entries.size()));
  Put16(out, static_cast<uint32_t>(entries.size()));
  Put32(out, static_cast<uint32_t>(central.size()));
  Put32(out, centralOffset);
  Put16(out, 0);
  return out;
}

ZipReadResult ReadZip(std::string_view bytes) {
  ZipReadResult result;
  const bool startsLikeZip = bytes.size() >= 4 && Get32(bytes, 0) == kLocalSignature;
  auto fail = [&result](ZipError e) {
    result.error = e;
    result.entries.clear();
    return result;
  };
  const ZipError broken = startsLikeZip ? ZipError::kDamaged : ZipError::kNotAZip;
  if (bytes.size() < kEndSize) return fail(broken);

  // The end record is the last thing in the file, followed only by its comment.
  size_t end = std::string_view::npos;
  const size_t lowest = bytes.size() > kEndSize + 0xFFFF ? bytes.size() - kEndSize - 0xFFFF : 0;
  for (size_t at = bytes.size() - kEndSize + 1; at-- > lowest;) {
    if (Get32(bytes, at) == kEndSignature && at + kEndSize + Get16(bytes, at + 20) == bytes.size()) {
      end = at;
      break;
    }
  }
  if (end == std::string_view::npos) return fail(broken);
  if (Get16(bytes, end + 4) != 0 || Get16(bytes, end + 6) != 0 || Get16(bytes, end + 8) != Get16(bytes, end + 10))
    return fail(ZipError::kUnsupported);
  const uint32_t count = Get16(bytes, end + 10);
  const uint64_t centralSize = Get32(bytes, end + 12);
  const uint64_t centralOffset = Get32(bytes, end + 16);
  if (centralOffset + centralSize != end) return fail(ZipError::kDamaged);

  size_t at = centralOffset;
  for (uint32_t i = 0; i < count; ++i) {
    if (at + kCentralSize > end || Get32(bytes, at) != kCentralSignature) return fail(ZipError::kDamaged);
    const uint32_t flags = Get16(bytes, at + 8);
    const uint32_t method = Get16(bytes, at + 10);
    const uint32_t crc = Get32(bytes, at + 16);
    const uint64_t packed = Get32(bytes, at + 20);
    const uint64_t size = Get32(bytes, at + 24);
    const size_t nameLength = Get16(bytes, at + 28);
    const size_t skip = nameLength + Get16(bytes, at + 30) + Get16(bytes, at + 32);
    const uint64_t local = Get32(bytes, at + 42);
    if (at + kCentralSize + skip > end) return fail(ZipError::kDamaged);
    if (method != 0 || (flags & 1) || (flags & 8)) return fail(ZipError::kUnsupported);
    if (packed != size) return fail(ZipError::kDamaged);
    const std::string_view name = bytes.substr(at + kCentralSize, nameLength);

    if (local + kLocalSize > centralOffset || Get32(bytes, local) != kLocalSignature) return fail(ZipError::kDamaged);
    const size_t localName = Get16(bytes, local + 26);
    const uint64_t data = local + kLocalSize + localName + Get16(bytes, local + 28);
    if (data + size > centralOffset) return fail(ZipError::kDamaged);
    if (bytes.substr(local + kLocalSize, localName) != name || Get16(bytes, local + 8) != method ||
        Get32(bytes, local + 14) != crc || Get32(bytes, local + 22) != size)
      return fail(ZipError::kDamaged);
    std::string_view content = bytes.substr(data, size);
    if (Crc32(content) != crc) return fail(ZipError::kDamaged);
    result.entries.push_back(ZipEntry{std::string(name), std::string(content)});
    at += kCentralSize + skip;
  }
  if (at != end) return fail(ZipError::kDamaged);
  return result;
}
