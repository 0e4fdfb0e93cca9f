// Feeds arbitrary bytes to the reading of localized text files (the
// horoscope texts), through a real file: the text never exceeds its limit,
// never ends in half a surrogate pair, is empty for a file over the byte
// limit, and otherwise is exactly the decoding of the file's bytes.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "env/locale_manager.h"

namespace {

// A folder of this run's own (the address differs from run to run), removed
// when the run ends.
struct FuzzTextFolderOwner {
  std::filesystem::path path = std::filesystem::temp_directory_path() /
                               ("tamarel-fuzz-text-" + std::to_string(reinterpret_cast<std::uintptr_t>(this)));
  FuzzTextFolderOwner() { std::filesystem::create_directories(path / "en"); }
  ~FuzzTextFolderOwner() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
  }
};

const std::filesystem::path& FuzzTextFolder() {
  static const FuzzTextFolderOwner folder;
  return folder.path;
}

}  // namespace

int TamarelFuzzText(const uint8_t* data, size_t size) {
  static const Latin1Codec codec;
  static const LocaleManager locale(FuzzTextFolder(), codec);
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  {
    std::ofstream out(FuzzTextFolder() / "en" / "Sign.txt", std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  const std::u16string text = locale.ReadLocalizedText(u"Sign");
  if (text.size() > LocaleManager::kMaxLocalizedChars) __builtin_trap();
  if (!text.empty() && text.back() >= 0xD800 && text.back() <= 0xDBFF) __builtin_trap();
  if (size > LocaleManager::kMaxLocalizedBytes) {
    if (!text.empty()) __builtin_trap();
  } else if (text != LocaleManager::DecodeLocalizedText(bytes, codec)) {
    __builtin_trap();
  }
  return 0;
}

#ifndef TAMAREL_FUZZ_REPLAY
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) { return TamarelFuzzText(data, size); }
#endif
