#pragma once

#include <map>
#include <set>
#include <utility>

#include "settings/settings_store.h"

// Settings kept in memory: the store of tests and of the command-line tool.
class MemorySettingsStore final : public ISettingsStore {
 public:
  bool Open(SettingsKey key, bool create) override {
    if (failOpen_.count(key)) return false;
    if (!exists_.count(key)) {
      if (!create) return false;
      exists_.insert(key);
    }
    return true;
  }
  void Close(SettingsKey) override {}
  std::optional<StoredValue> Read(SettingsKey key, std::u16string_view name, size_t maxBytes) override {
    auto it = values_.find({key, std::u16string(name)});
    if (it == values_.end() || it->second.data.size() > maxBytes) return std::nullopt;
    return it->second;
  }
  bool Write(SettingsKey key, std::u16string_view name, ValueType type, const std::vector<uint8_t>& data) override {
    if (!exists_.count(key) || failWrite_) return false;
    values_[{key, std::u16string(name)}] = StoredValue{type, data};
    writeOrder_.emplace_back(name);
    return true;
  }
  bool Delete(SettingsKey key, std::u16string_view name) override {
    return values_.erase({key, std::u16string(name)}) > 0;
  }

  // Test helpers.
  void Put(SettingsKey key, std::u16string_view name, ValueType type, std::vector<uint8_t> data) {
    exists_.insert(key);
    values_[{key, std::u16string(name)}] = StoredValue{type, std::move(data)};
  }
  [[nodiscard]] const StoredValue* Get(SettingsKey key, std::u16string_view name) const {
    auto it = values_.find({key, std::u16string(name)});
    return it == values_.end() ? nullptr : &it->second;
  }
  [[nodiscard]] bool KeyExists(SettingsKey key) const { return exists_.count(key) > 0; }
  void CreateKey(SettingsKey key) { exists_.insert(key); }
  void FailOpen(SettingsKey key) { failOpen_.insert(key); }
  void FailWrites(bool fail) { failWrite_ = fail; }
  [[nodiscard]] const std::vector<std::u16string>& WriteOrder() const { return writeOrder_; }

 private:
  std::map<std::pair<SettingsKey, std::u16string>, StoredValue> values_;
  std::set<SettingsKey> exists_;
  std::set<SettingsKey> failOpen_;
  bool failWrite_ = false;
  std::vector<std::u16string> writeOrder_;
};
