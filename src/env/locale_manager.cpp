#include "env/locale_manager.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <optional>
#include <system_error>

#include "env/whole_file.h"

namespace {

namespace fs = std::filesystem;

// A language file bigger than this cannot be a real one (every key and text
// of the table at full length is under 3 MiB); refusing it spares the memory.
constexpr std::uintmax_t kMaxLanguageFileBytes = 32u * 1024u * 1024u;

constexpr char16_t kCarriageReturn = 13;

// Paths are built from UTF-16 without the library's conversions, which throw
// on text that is not valid Unicode (a lone surrogate from a language file).
fs::path PathFromUtf16(std::u16string_view text) {
#ifdef _WIN32
  return fs::path(std::wstring(text.begin(), text.end()));
#else
  return fs::path(ToUtf8(text));
#endif
}

std::u16string Utf16FromPath(const fs::path& path) {
#ifdef _WIN32
  const std::wstring& native = path.native();
  return std::u16string(native.begin(), native.end());
#else
  return FromUtf8(path.native());
#endif
}

// Windows matches "*.lan" without regard to case; elsewhere the file must be
// named as it will be opened.
bool HasLanExtension(std::u16string_view fileName) {
  constexpr std::u16string_view kExt = u".lan";
  if (fileName.size() < kExt.size()) return false;
  const std::u16string_view tail = fileName.substr(fileName.size() - kExt.size());
#ifdef _WIN32
  return std::equal(tail.begin(), tail.end(), kExt.begin(), [](char16_t a, char16_t b) {
    return (a >= u'A' && a <= u'Z' ? static_cast<char16_t>(a - u'A' + u'a') : a) == b;
  });
#else
  return tail == kExt;
#endif
}

// Names from language files and the registry only ever name a file in its
// own folder: no folder part, no drive.
bool IsPlainFileName(std::u16string_view name) {
  return name.find_first_of(u"/\\:", 0, 3) == std::u16string_view::npos &&
         name.find(u'\0') == std::u16string_view::npos;
}

bool IsUsableBaseName(std::u16string_view name) {
  return name.size() <= LocaleManager::kMaxBaseName && IsPlainFileName(name);
}

// Cuts text to at most max code units without leaving half a surrogate pair.
void CutToLength(std::u16string& text, std::size_t max) {
  if (text.size() <= max) return;
  std::size_t cut = max;
  if (cut > 0 && text[cut - 1] >= 0xD800 && text[cut - 1] <= 0xDBFF) --cut;
  text.resize(cut);
}

}  // namespace

LocaleManager::LocaleManager(std::filesystem::path programFolder, const IAnsiCodec& codec)
    : programFolder_(std::move(programFolder)), codec_(codec) {
  // Collect the base names first and walk them sorted: the file system's own
  // order differs between machines, and an unreadable file takes the display
  // name of the file read before it.
  std::vector<std::u16string> baseNames;
  std::error_code ec;
  fs::directory_iterator it(programFolder_, ec);
  const fs::directory_iterator end;
  while (!ec && it != end) {
    std::error_code typeEc;
    if (!it->is_directory(typeEc)) {
      const std::u16string fileName = Utf16FromPath(it->path().filename());
      if (HasLanExtension(fileName)) {
        std::u16string base = fileName.substr(0, fileName.size() - 4);
        if (IsUsableBaseName(base)) baseNames.push_back(std::move(base));
      }
    }
    it.increment(ec);
  }
  std::sort(baseNames.begin(), baseNames.end());

  // The display name is whatever the table says after loading the file, so a
  // file without "APP_LANGUAGE" is listed under the built-in "English".
  for (std::u16string& base : baseNames) {
    MakeCurrent(base);
    LoadLanguageFile();
    languages_[std::move(base)] = Translate(u"APP_LANGUAGE");
  }

  // Listing is no choice of language: without a readable en.lan the texts
  // are the built-in English ones, not those of the last file listed.
  {
    std::lock_guard lock(mutex_);
    table_.clear();
  }
  MakeCurrent(u"en");
  LoadLanguageFile();
  if (languages_.empty()) languages_.emplace(u"en", u"English");
}

void LocaleManager::MakeCurrent(std::u16string baseName) {
  std::lock_guard lock(mutex_);
  currentName_ = std::move(baseName);
}

std::u16string LocaleManager::CurrentName() const {
  std::lock_guard lock(mutex_);
  return currentName_;
}

std::u16string LocaleManager::Translate(std::u16string_view key) const {
  {
    std::lock_guard lock(mutex_);
    const auto found = table_.find(std::u16string(key));
    if (found != table_.end() && !found->second.empty()) return found->second;
  }
  if (const char16_t* builtIn = BuiltInText(key)) return builtIn;
  return u"Unknown";
}

// Each listed language is loaded in turn and asked for its display name, so a
// name matches what the file says now, not what it said at start-up. When no
// language matches, the previous one is read again; if its file cannot be
// read, its texts from before the call stay, not those of the last file tried.
void LocaleManager::SetLanguage(std::u16string_view name) {
  std::u16string previousName;
  std::map<std::u16string, std::u16string> previousTable;
  {
    std::lock_guard lock(mutex_);
    previousName = currentName_;
    previousTable = table_;
  }
  for (const auto& [base, display] : languages_) {
    MakeCurrent(base);
    LoadLanguageFile();
    if (name == Translate(u"APP_LANGUAGE") || name == base) return;
  }
  {
    std::lock_guard lock(mutex_);
    currentName_ = std::move(previousName);
    table_ = std::move(previousTable);
  }
  LoadLanguageFile();
}

std::string LocaleManager::GetLanguageName() const { return codec_.ToAnsi(CurrentName()); }

// Restores a remembered language: its file may not be in the list (added after
// start-up), so the list is not consulted. A name that could not be a file in
// the program folder keeps the current language.
void LocaleManager::SetLanguageName(std::string_view baseName) {
  std::u16string wide = codec_.FromAnsi(baseName);
  if (!IsUsableBaseName(wide)) return;
  MakeCurrent(std::move(wide));
  LoadLanguageFile();
}

// The file is read and parsed before the table is touched, so a file that
// cannot be read leaves the previous language's texts in force.
void LocaleManager::LoadLanguageFile() {
  const fs::path path = programFolder_ / PathFromUtf16(CurrentName() + u".lan");
  std::optional<std::string> bytes = ReadWholeFile(path, kMaxLanguageFileBytes);
  if (!bytes) return;
  std::map<std::u16string, std::u16string> parsed = ParseLanguageFile(*bytes);
  std::lock_guard lock(mutex_);
  table_.swap(parsed);
}

// Each language may bring its own texts in a folder named like its language
// file; the English folder serves every language that lacks one, so a text
// never goes missing just because a translation is partial. A file that is
// there but unusable (too large, unreadable) gives the empty text rather
// than another language's.
std::u16string LocaleManager::ReadLocalizedText(std::u16string_view name) const {
  if (!IsPlainFileName(name)) return {};
  std::u16string fileName(name);
  fileName += u".txt";
  const fs::path file = PathFromUtf16(fileName);
  const std::u16string language = CurrentName();
  fs::path path = programFolder_ / "en" / file;
  if (language != u"en" && IsUsableBaseName(language)) {
    const fs::path own = programFolder_ / PathFromUtf16(language) / file;
    std::error_code ec;
    if (fs::exists(own, ec)) path = own;
  }
  const std::optional<std::string> bytes = ReadWholeFile(path, kMaxLocalizedBytes);
  if (!bytes) return {};
  return DecodeLocalizedText(*bytes, codec_);
}

// Texts we ship are UTF-8 with a byte-order mark, so they read the same on
// every system code page; a file without the mark is in the ANSI code page.
std::u16string LocaleManager::DecodeLocalizedText(std::string_view bytes, const IAnsiCodec& codec) {
  constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
  std::u16string text = bytes.substr(0, kUtf8Mark.size()) == kUtf8Mark ? FromUtf8(bytes.substr(kUtf8Mark.size()))
                                                                         : codec.FromAnsi(bytes);
  CutToLength(text, kMaxLocalizedChars);
  return text;
}

// The file is UTF-16LE after a two-byte mark that is skipped unread. Each
// entry is key "=" text, ended by a carriage return; whitespace after the
// carriage return is skipped so that blank lines and indentation are allowed.
// A line without "=" runs into the next key, and an entry without its closing
// carriage return is dropped, since it may be cut off.
std::map<std::u16string, std::u16string> LocaleManager::ParseLanguageFile(std::string_view bytes) {
  std::map<std::u16string, std::u16string> table;
  if (bytes.size() < 2) return table;

  // Whole code units only: an odd last byte is not half of a character.
  const std::size_t count = (bytes.size() - 2) / 2;
  const auto unitAt = [&bytes](std::size_t i) {
    const auto lo = static_cast<unsigned char>(bytes[2 + 2 * i]);
    const auto hi = static_cast<unsigned char>(bytes[3 + 2 * i]);
    return static_cast<char16_t>(lo | (hi << 8));
  };
  const auto slice = [&unitAt](std::size_t from, std::size_t to) {
    std::u16string s;
    s.reserve(std::min(to - from, kMaxEntry));
    for (std::size_t i = from; i < to && s.size() < kMaxEntry + 1; ++i) s.push_back(unitAt(i));
    CutToLength(s, kMaxEntry);
    return s;
  };

  std::size_t pos = 0;
  while (pos < count) {
    std::size_t equals = pos;
    while (equals < count && unitAt(equals) != u'=') ++equals;
    if (equals == count) break;
    std::size_t lineEnd = equals + 1;
    while (lineEnd < count && unitAt(lineEnd) != kCarriageReturn) ++lineEnd;
    if (lineEnd == count) break;

    // Texts and keys past the length limit keep their beginning.
    table.insert_or_assign(slice(pos, equals), slice(equals + 1, lineEnd));

    pos = lineEnd;
    while (pos < count) {
      const char16_t c = unitAt(pos);
      if (c != kCarriageReturn && c != u'\n' && c != u'\t' && c != u' ') break;
      ++pos;
    }
  }
  return table;
}
