#pragma once

// A key-value store with the registry's value names, types and widths. The
// program uses the Windows registry; tests use MemorySettingsStore.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class SettingsKey {
  kSettings,  // HKCU\Software\Quillow\Tamarel
  kRun,       // HKCU\Software\Microsoft\Windows\CurrentVersion\Run
};

// Registry value types, with the registry's numbers.
enum class ValueType : uint32_t { kString = 1, kBinary = 3, kDword = 4 };

struct StoredValue {
  ValueType type = ValueType::kDword;
  std::vector<uint8_t> data;
};

class ISettingsStore {
 public:
  virtual ~ISettingsStore() = default;
  // Opens the key with full access; with create set, creates it when missing.
  [[nodiscard]] virtual bool Open(SettingsKey key, bool create) = 0;
  virtual void Close(SettingsKey key) = 0;
  // Reads at most maxBytes of a value; none when missing or unreadable.
  [[nodiscard]] virtual std::optional<StoredValue> Read(SettingsKey key, std::u16string_view name,
                                                        size_t maxBytes) = 0;
  [[nodiscard]] virtual bool Write(SettingsKey key, std::u16string_view name, ValueType type,
                                   const std::vector<uint8_t>& data) = 0;
  [[nodiscard]] virtual bool Delete(SettingsKey key, std::u16string_view name) = 0;
};
