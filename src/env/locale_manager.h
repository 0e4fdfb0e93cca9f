#pragma once

#include <filesystem>
#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "env/platform.h"

// Answers every user-visible text by its key: the current language file's
// text wins, then the built-in English text, then "Unknown".
class LocaleManager {
 public:
  // Longest base name of a language file, in characters.
  static constexpr std::size_t kMaxBaseName = 31;
  // Longest key and longest text of a language-file entry, in characters.
  static constexpr std::size_t kMaxEntry = 4095;
  // Largest localized text file, in bytes, and longest text made of it.
  static constexpr std::size_t kMaxLocalizedBytes = 65536;
  static constexpr std::size_t kMaxLocalizedChars = 32767;

  // programFolder: the folder of the running executable, where the .lan files
  // and the "en"/"ru" text folders live. Builds the language list and makes
  // "en" current.
  LocaleManager(std::filesystem::path programFolder, const IAnsiCodec& codec);
  virtual ~LocaleManager() = default;
  LocaleManager(const LocaleManager&) = delete;
  LocaleManager& operator=(const LocaleManager&) = delete;


  [[nodiscard]] std::u16string Translate(std::u16string_view key) const;
  // A display name or a base name; an unknown name keeps the previous language.
  void SetLanguage(std::u16string_view name);
  // The current base name in the ANSI code page.
  [[nodiscard]] std::string GetLanguageName() const;
  // A base name in the ANSI code page; loads it whether or not it is listed.
  void SetLanguageName(std::string_view baseName);
  void LoadLanguageFile();
  // Base name -> display name, ascending by base name. Fixed after construction.
  [[nodiscard]] const std::map<std::u16string, std::u16string>& Languages() const { return languages_; }
  // The text file <name>.txt from the folder named after the current
  // language ("de", "ru", ...), or from "en" when that folder lacks it; the
  // empty text when neither can be read or the file is too large.
  [[nodiscard]] std::u16string ReadLocalizedText(std::u16string_view name) const;
  // The text of a localized text file's bytes: UTF-8 after a UTF-8
  // byte-order mark, the ANSI code page otherwise; at most kMaxLocalizedChars.
  [[nodiscard]] static std::u16string DecodeLocalizedText(std::string_view bytes, const IAnsiCodec& codec);

  // The built-in English text of a key, or nullptr.
  static const char16_t* BuiltInText(std::u16string_view key);
  // All built-in keys in table order.
  static const std::vector<std::pair<std::u16string_view, std::u16string_view>>& BuiltInTable();

  // Parses the bytes of a .lan file into key/text pairs (later keys replace earlier ones).
  static std::map<std::u16string, std::u16string> ParseLanguageFile(std::string_view bytes);

 private:
  void MakeCurrent(std::u16string baseName);
  [[nodiscard]] std::u16string CurrentName() const;

  std::filesystem::path programFolder_;
  const IAnsiCodec& codec_;
  std::map<std::u16string, std::u16string> languages_;
  // The update-check thread translates while the user-interface thread may
  // switch languages; the lock keeps it from reading a table being replaced.
  mutable std::mutex mutex_;
  std::map<std::u16string, std::u16string> table_;  // guarded by mutex_
  // Kept in UTF-16 so that a file name outside the ANSI code page still loads.
  std::u16string currentName_ = u"en";  // guarded by mutex_
};
