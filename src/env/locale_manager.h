#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "env/platform.h"

// Answers every user-visible text by its key: the current language file's
// text wins, then the built-in English text, then "Unknown".
class LocaleManager {
 public:
  // programFolder: the folder of the running executable, where the .lan files
  // and the "en"/"ru" text folders live. Builds the language list and makes
  // "en" current.
  LocaleManager(std::filesystem::path programFolder, const IAnsiCodec& codec);
  virtual ~LocaleManager() = default;
  LocaleManager(const LocaleManager&) = delete;
  LocaleManager& operator=(const LocaleManager&) = delete;

  // The program's single instance (Windows layer wires the folder and codec).
  static LocaleManager& Instance();

  [[nodiscard]] std::u16string Translate(std::u16string_view key) const;
  // A display name or a base name; an unknown name keeps the previous language.
  void SetLanguage(std::u16string_view name);
  [[nodiscard]] std::string GetLanguageName() const;
  void SetLanguageName(std::string_view baseName);
  void LoadLanguageFile();
  // Base name -> display name, ascending by base name.
  [[nodiscard]] const std::map<std::u16string, std::u16string>& Languages() const { return languages_; }
  [[nodiscard]] std::u16string ReadLocalizedText(std::u16string_view name) const;

  // The built-in English text of a key, or nullptr.
  static const char16_t* BuiltInText(std::u16string_view key);
  // All built-in keys in table order.
  static const std::vector<std::pair<std::u16string_view, std::u16string_view>>& BuiltInTable();

  // Parses the bytes of a .lan file into key/text pairs (later keys replace earlier ones).
  static std::map<std::u16string, std::u16string> ParseLanguageFile(std::string_view bytes);

 private:
  std::filesystem::path programFolder_;
  const IAnsiCodec& codec_;
  std::map<std::u16string, std::u16string> languages_;
  std::map<std::u16string, std::u16string> table_;
  std::string currentName_ = "en";
};
