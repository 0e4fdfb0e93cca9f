#pragma once

#include <windows.h>

#include <string>

#include "settings/settings_store.h"
#include "env/handle_win32.h"

// The settings store over the current user's registry: the program's own key
// and the Run key that starts programs at log-on.
class RegistrySettingsStore final : public ISettingsStore {
 public:
  static constexpr const wchar_t* kSettingsPath = L"Software\\Quillow\\Tamarel";
  static constexpr const wchar_t* kRunPath = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

  RegistrySettingsStore(HKEY root = HKEY_CURRENT_USER, std::wstring settingsPath = kSettingsPath,
                        std::wstring runPath = kRunPath);

  bool Open(SettingsKey key, bool create) override;
  void Close(SettingsKey key) override;
  std::optional<StoredValue> Read(SettingsKey key, std::u16string_view name, size_t maxBytes) override;
  bool Write(SettingsKey key, std::u16string_view name, ValueType type, const std::vector<uint8_t>& data) override;
  bool Delete(SettingsKey key, std::u16string_view name) override;

 private:
  UniqueRegKey& Slot(SettingsKey key) { return key == SettingsKey::kSettings ? settings_ : run_; }
  const std::wstring& PathOf(SettingsKey key) const { return key == SettingsKey::kSettings ? settingsPath_ : runPath_; }

  HKEY root_;
  std::wstring settingsPath_;
  std::wstring runPath_;
  UniqueRegKey settings_;
  UniqueRegKey run_;
};
