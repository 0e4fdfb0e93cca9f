#pragma once

#include <windows.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

class OptionsManager;
class MenstualManager;
class LocaleManager;
class IClock;
class ISettingsStore;

// The desktop calendar: this month, in the colours of the logged-in user's
// days, painted over a copy of the user's wallpaper and installed as the
// wallpaper. The user's own wallpaper is kept in "OldWallpaper" of the
// program's key and comes back when the calendar is switched off and when
// the program closes.
class DesktopManager {
 public:
  static constexpr const wchar_t* kPictureName = L"Desk_Cal.bmp";
  static constexpr const char16_t* kOldWallpaperValue = u"OldWallpaper";
  // Longest wallpaper path read, in characters.
  static constexpr size_t kMaxPathChars = 259;

  // How the manager reaches the system's wallpaper; the program uses
  // SystemEnvironment(), tests their own.
  struct Environment {
    // The wallpaper the desktop shows as the system stores it; empty when
    // there is none, nothing when it cannot be found out.
    std::function<std::optional<std::wstring>()> readWallpaper;
    // Installs a picture (an empty path: no picture) as the wallpaper.
    std::function<bool(const std::wstring& path)> setWallpaper;
    // Where the calendar picture is written (the program's data folder).
    std::filesystem::path pictureFolder;
    // The screen's size; zero takes the primary screen's.
    SIZE screen{0, 0};
  };
  [[nodiscard]] static Environment SystemEnvironment(std::filesystem::path pictureFolder);

  // programKey: the program's settings key, which holds "OldWallpaper".
  DesktopManager(OptionsManager& options, MenstualManager& model, const LocaleManager& locale, const IClock& clock,
                 ISettingsStore& programKey, Environment environment);
  virtual ~DesktopManager();
  DesktopManager(const DesktopManager&) = delete;
  DesktopManager& operator=(const DesktopManager&) = delete;

  // Brings the desktop up to date with the settings: a freshly drawn
  // calendar picture while `showDesctop` is on, otherwise the user's own
  // wallpaper back if the calendar picture is showing. owner: the main
  // window, whose display the picture is drawn for.
  void Update(HWND owner);
  // Puts the recorded wallpaper back if the calendar picture is showing
  // (the program closes).
  void RestoreWallpaper();

  [[nodiscard]] std::filesystem::path PicturePath() const { return environment_.pictureFolder / kPictureName; }
  [[nodiscard]] std::optional<std::wstring> RecordedWallpaper() const;

 private:
  void Record(const std::wstring& path);
  // Draws the calendar over the background (or the desktop colour) and
  // writes the picture file whole; false when it could not be written, or
  // when requireBackground is set and the background cannot be loaded.
  [[nodiscard]] bool ComposePicture(const std::wstring& background, bool requireBackground) const;

  OptionsManager& options_;
  MenstualManager& model_;
  const LocaleManager& locale_;
  const IClock& clock_;
  ISettingsStore& programKey_;
  Environment environment_;
  HWND owner_ = nullptr;
};
