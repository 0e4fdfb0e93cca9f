// The program's manifest says what its windows do about DPI: they are laid
// out in 96-dpi pixels, so it must not claim per-monitor awareness (Windows
// would then leave a fixed-pixel window unscaled and its fonts scaled, and
// texts spill out of the bands and panes); it asks Windows to scale it, with
// GDI scaling for sharp text.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

std::string ProgramManifest() {
  // CMake gives the folder as a host path; under Wine the host root is Z:.
  std::wstring path = TAMAREL_EXE_DIR;
  if (!path.empty() && path[0] == L'/') path = L"Z:" + path;
  for (wchar_t& c : path) {
    if (c == L'/') c = L'\\';
  }
  path += L"\\tamarel.exe";
  const HMODULE program =
      LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  if (!program) return {};
  std::string text;
  if (const HRSRC found = FindResourceW(program, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24))) {
    const HGLOBAL loaded = LoadResource(program, found);
    const char* bytes = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    if (bytes) text.assign(bytes, SizeofResource(program, found));
  }
  FreeLibrary(program);
  return text;
}

TEST(DpiManifestTest, TheProgramAsksToBeScaledWithGdiScalingAndClaimsNoPerMonitorAwareness) {
  const std::string manifest = ProgramManifest();
  ASSERT_FALSE(manifest.empty()) << "no manifest in tamarel.exe";
  EXPECT_EQ(manifest.find("PerMonitor"), std::string::npos);
  EXPECT_EQ(manifest.find("true/pm"), std::string::npos);
  EXPECT_NE(manifest.find(">unaware</dpiAwareness>"), std::string::npos);
  EXPECT_NE(manifest.find(">false</dpiAware>"), std::string::npos);
  EXPECT_NE(manifest.find(">true</gdiScaling>"), std::string::npos);
}

}  // namespace
