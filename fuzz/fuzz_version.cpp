// Feeds arbitrary bytes to the version-file reading: it must never read
// outside the input, the values it returns keep their limits, and the version
// comparison and the address filter hold their rules for whatever it found.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "env/platform.h"
#include "update/update_check.h"

int TamarelFuzzVersion(const uint8_t* data, size_t size) {
  const Latin1Codec codec;
  const std::u16string text =
      update::FetchedText(std::string_view(reinterpret_cast<const char*>(data), size), codec);
  const update::VersionFile file = update::ParseVersionFile(text);
  if (file.version.size() > update::kMaxVersionChars || file.address.size() > update::kMaxAddressChars) {
    __builtin_trap();
  }
  // A version is never newer than itself, and the order is antisymmetric.
  if (update::IsNewerVersion(file.version, file.version)) __builtin_trap();
  if (update::CompareVersions(file.version, u"0.0.0.3") != -update::CompareVersions(u"0.0.0.3", file.version)) {
    __builtin_trap();
  }
  // Whatever the file names, only a web page or the fallback is opened.
  const std::u16string opened = update::AddressToOpen(file.address, u"https://tamarel.example/");
  if (!update::IsWebAddress(opened)) __builtin_trap();
  return 0;
}

#ifndef TAMAREL_FUZZ_REPLAY
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) { return TamarelFuzzVersion(data, size); }
#endif
