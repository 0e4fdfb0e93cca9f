// Feeds arbitrary bytes to the language-file parser: it must never read
// outside the input, and every key and text it keeps stays within the limit.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "env/locale_manager.h"

int TamarelFuzzLan(const uint8_t* data, size_t size) {
  const auto table = LocaleManager::ParseLanguageFile(std::string_view(reinterpret_cast<const char*>(data), size));
  for (const auto& [key, text] : table) {
    if (key.size() > LocaleManager::kMaxEntry || text.size() > LocaleManager::kMaxEntry) __builtin_trap();
    // A key ends at the first "=" and a text at the first carriage return.
    if (key.find(u'=') != std::u16string::npos || text.find(u'\r') != std::u16string::npos) __builtin_trap();
  }
  return 0;
}

#ifndef TAMAREL_FUZZ_REPLAY
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) { return TamarelFuzzLan(data, size); }
#endif
