#pragma once

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "env/packed_date.h"
#include "support/unique_name.h"

namespace testsupport {

// Writes a db.dat whose 2000 slots are all used: one record a day for about
// five and a half years from 1 Dec 2020, a start every 28 or 29 days with an
// end 4 days later, a temperature on every day and a note on every seventh.
// Returns its path (in the temp folder, named by tag and made unique).
inline std::filesystem::path WriteFullDatabase(const std::string& tag) {
  const auto path = std::filesystem::temp_directory_path() / (tag + UniqueSuffix() + "-full-db.dat");
  std::vector<uint8_t> index(28000, 0);
  std::vector<uint8_t> records(1, 0);  // the byte after the index of a new file
  const PackedDate first(1, 12, 2020);
  int nextStart = 0;
  bool longCycle = false;
  int lastStart = -100;
  for (int i = 0; i < 2000; ++i) {
    const PackedDate d = AddDays(first, i);
    uint8_t flags = 0;
    if (i == nextStart) {
      flags |= 1;
      lastStart = i;
      nextStart += longCycle ? 29 : 28;
      longCycle = !longCycle;
    }
    if (i == lastStart + 4) flags |= 2;
    if (i % 3 == 0) flags |= 4;
    std::u16string note;
    if (i % 7 == 0) note = u"note of day " + std::u16string(1, static_cast<char16_t>(u'A' + i % 26));
    const double temperature = 36.4 + (i % 10) / 10.0;
    const uint32_t offset = static_cast<uint32_t>(28000 + records.size());
    const uint32_t noteBytes = static_cast<uint32_t>(note.size() * 2);
    records.push_back(flags);
    uint8_t t[8];
    std::memcpy(t, &temperature, 8);
    records.insert(records.end(), t, t + 8);
    for (int b = 0; b < 4; ++b) records.push_back(static_cast<uint8_t>(noteBytes >> (8 * b)));
    for (char16_t c : note) {
      records.push_back(static_cast<uint8_t>(c));
      records.push_back(static_cast<uint8_t>(c >> 8));
    }
    uint8_t* slot = index.data() + i * 14;
    const uint32_t length = 13 + noteBytes;
    for (int b = 0; b < 4; ++b) {
      slot[2 + b] = static_cast<uint8_t>(offset >> (8 * b));
      slot[6 + b] = static_cast<uint8_t>(length >> (8 * b));
    }
    slot[10] = d.day;
    slot[11] = d.month;
    slot[12] = static_cast<uint8_t>(d.year);
    slot[13] = static_cast<uint8_t>(d.year >> 8);
  }
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(index.data()), static_cast<std::streamsize>(index.size()));
  out.write(reinterpret_cast<const char*>(records.data()), static_cast<std::streamsize>(records.size()));
  return path;
}

}  // namespace testsupport
