#include "settings/registry_settings_store_win32.h"

#include <utility>

#include "env/debug_log_win32.h"
#include "env/wide_win32.h"

RegistrySettingsStore::RegistrySettingsStore(HKEY root, std::wstring settingsPath, std::wstring runPath)
    : root_(root), settingsPath_(std::move(settingsPath)), runPath_(std::move(runPath)) {}

bool RegistrySettingsStore::Open(SettingsKey key, bool create) {
  UniqueRegKey& slot = Slot(key);
  slot.Reset();
  LSTATUS status;
  if (create) {
    status = RegCreateKeyExW(root_, PathOf(key).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                             slot.Put(), nullptr);
  } else {
    status = RegOpenKeyExW(root_, PathOf(key).c_str(), 0, KEY_ALL_ACCESS, slot.Put());
  }
  if (status != ERROR_SUCCESS) {
    // A missing key is expected on first start; anything else is worth a line.
    if (create || status != ERROR_FILE_NOT_FOUND) LogError(create ? L"RegCreateKeyExW" : L"RegOpenKeyExW", status);
    slot.Reset();
    return false;
  }
  return true;
}

void RegistrySettingsStore::Close(SettingsKey key) { Slot(key).Reset(); }

std::optional<StoredValue> RegistrySettingsStore::Read(SettingsKey key, std::u16string_view name, size_t maxBytes) {
  UniqueRegKey& slot = Slot(key);
  if (!slot) return std::nullopt;
  const std::wstring valueName = ToWide(name);
  std::vector<uint8_t> data(maxBytes);
  DWORD type = 0;
  auto size = static_cast<DWORD>(maxBytes);
  // A value bigger than the buffer fails with ERROR_MORE_DATA: it is not one
  // this program wrote, so it is treated as unreadable.
  const LSTATUS status = RegQueryValueExW(slot.Get(), valueName.c_str(), nullptr, &type,
                                          data.empty() ? nullptr : data.data(), &size);
  if (status != ERROR_SUCCESS) {
    if (status != ERROR_FILE_NOT_FOUND && status != ERROR_MORE_DATA) LogError(L"RegQueryValueExW", status);
    return std::nullopt;
  }
  if (size > maxBytes) return std::nullopt;  // only possible with maxBytes 0, where no buffer is passed
  data.resize(size);
  return StoredValue{static_cast<ValueType>(type), std::move(data)};
}

bool RegistrySettingsStore::Write(SettingsKey key, std::u16string_view name, ValueType type,
                                  const std::vector<uint8_t>& data) {
  UniqueRegKey& slot = Slot(key);
  if (!slot) return false;
  const std::wstring valueName = ToWide(name);
  // The registry adds a terminator to an unterminated string when the code
  // unit after the given bytes happens to be null; a non-null guard after the
  // data keeps a string stored exactly as long as it was given.
  std::vector<uint8_t> buffer(data);
  if (type == ValueType::kString) buffer.insert(buffer.end(), {0xFF, 0xFF});
  const LSTATUS status = RegSetValueExW(slot.Get(), valueName.c_str(), 0, static_cast<DWORD>(type),
                                        data.empty() ? nullptr : buffer.data(), static_cast<DWORD>(data.size()));
  if (status != ERROR_SUCCESS) {
    LogError(L"RegSetValueExW", status);
    return false;
  }
  return true;
}

bool RegistrySettingsStore::Delete(SettingsKey key, std::u16string_view name) {
  UniqueRegKey& slot = Slot(key);
  if (!slot) return false;
  const std::wstring valueName = ToWide(name);
  const LSTATUS status = RegDeleteValueW(slot.Get(), valueName.c_str());
  if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) LogError(L"RegDeleteValueW", status);
  return status == ERROR_SUCCESS;
}
