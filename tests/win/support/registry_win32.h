#pragma once

// Direct registry access for the tests: they write values the way another
// program (or an older version) would, and check what the program wrote.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "settings/registry_settings_store_win32.h"
#include "win/support/own_prefix_win32.h"

namespace testreg {

struct Value {
  DWORD type = 0;
  std::vector<BYTE> data;
};

inline std::optional<Value> Query(const wchar_t* path, const wchar_t* name) {
  HKEY key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
  DWORD size = 0, type = 0;
  std::optional<Value> out;
  if (RegQueryValueExW(key, name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
    Value v{type, std::vector<BYTE>(size)};
    if (RegQueryValueExW(key, name, nullptr, &type, v.data.data(), &size) == ERROR_SUCCESS) {
      v.data.resize(size);
      out = std::move(v);
    }
  }
  RegCloseKey(key);
  return out;
}

inline std::optional<Value> Setting(const wchar_t* name) { return Query(RegistrySettingsStore::kSettingsPath, name); }

inline std::optional<DWORD> SettingDword(const wchar_t* name) {
  auto v = Setting(name);
  if (!v || v->type != REG_DWORD || v->data.size() != 4) return std::nullopt;
  DWORD d;
  memcpy(&d, v->data.data(), 4);
  return d;
}

inline bool Put(const wchar_t* name, DWORD type, const void* data, DWORD size) {
  HKEY key;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, RegistrySettingsStore::kSettingsPath, 0, nullptr, 0, KEY_ALL_ACCESS,
                      nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const bool ok = RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
  RegCloseKey(key);
  return ok;
}

inline bool PutDword(const wchar_t* name, DWORD v) { return Put(name, REG_DWORD, &v, 4); }

// Removes the program's key and its Run value: every test starts from a
// user who never ran the program. Only in the build's own Wine prefix.
inline void Reset(const wchar_t* runValueName = L"Tamarel") {
  if (!testsupport::WhyNotOwnWinePrefix().empty()) return;
  RegDeleteTreeW(HKEY_CURRENT_USER, RegistrySettingsStore::kSettingsPath);
  RegDeleteKeyValueW(HKEY_CURRENT_USER, RegistrySettingsStore::kRunPath, runValueName);
}

}  // namespace testreg
