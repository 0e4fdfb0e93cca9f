#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "env/theme.h"
#include "settings/settings_store.h"

class LocaleManager;

// What became of writing the settings. Every caller looks at it.
enum class [[nodiscard]] SettingsSaveResult {
  kDone,           // every setting and the start-with-Windows value written
  kNotSaved,       // the settings key could not be opened or a setting not written
  kStartNotSaved,  // every setting written; the start-with-Windows value could not be kept as chosen
};

// What the system says about the user's language and measurement units; it
// decides the defaults of `Locale` and `farinheit`.
struct SystemLocaleInfo {
  uint16_t systemLanguageId = 0x409; // system default language id
  uint16_t userLanguageId = 0x409;   // user default language id
  std::u16string
      country; // two-letter code of the user's location, empty when unknown
  bool metric = false; // the user locale measures in metric units
  int64_t pillTimeDefault =
      946720800; // 10:00 local time on 1 January 2000, seconds since 1970 UTC
};

// Every program-wide setting, kept in memory and stored in the registry. All
// users of the program on one Windows account share them.
class OptionsManager {
public:
  OptionsManager(ISettingsStore &store, const SystemLocaleInfo &system,
                 LocaleManager *locale, std::u16string executablePath);
  virtual ~OptionsManager() = default;
  OptionsManager(const OptionsManager &) = delete;
  OptionsManager &operator=(const OptionsManager &) = delete;

  // Reads the settings key into the fields, then selects the language of
  // `Locale`.
  void Load();
  // Writes every setting, then maintains the start-with-Windows value; a
  // failed write does not stop the others. The count of failed store calls
  // of the last Save is kept for the log.
  [[nodiscard]] SettingsSaveResult Save();
  [[nodiscard]] int LastSaveFailures() const { return lastSaveFailures_; }

  // The command stored in the Run key: the quoted executable path, a blank,
  // "-m".
  [[nodiscard]] std::u16string StartCommand() const;

  bool autoPeriodCalculation = true;
  int periodLen = 28;
  int luteralLen = 14;
  bool showOvulation = true;
  bool showFlow = true;
  bool showPrognoze = true;
  bool showNFertile = true;
  bool showFertile = true;
  bool showLFertile = true;
  bool userLogins = false;
  bool autoLoad = true;
  bool disableUpdates = false;
  int x1 = 100, y1 = 100, x2 = 980, y2 = 795;
  bool rmenstruation = true;
  uint16_t rsinse = 3;
  bool rpill = false;
  int64_t rpill_time =
      0; // 10:00 local time on 1 January 2000, set by the constructor
  bool rother = true;
  int desk_x = 0;
  int desk_y = 0;
  int desk_trans = 230;  // the desktop month's opacity, 0..255: clear and readable
  int desk_scale = 40;
  int goal = 1;
  bool farinheit = true;
  bool showDesctop = false;
  bool showGirl = false;
  bool showBoy = false;
  bool showPain = false;
  bool showSex = true;
  bool showNote = true;
  bool showPill = true;
  bool showMood = true;
  bool showDisturbed = true; // the disturbed-temperature mark on the day
  std::u16string Locale = u"English";
  // flow, predicted flow, non-fertile, fertile, low fertility, ovulation
  std::array<ColorRef, 6> colors = {0x3232FF, 0xFF32FF, 0xFF8080,
                                    0xAAE8FF, 0xFFFFFF, 0x64FFFF};
  ThemeRecord theme; // Pink and its derived colours, set by the constructor
  int64_t lastUpdate = 0;
  // The notification that Tamarel keeps running in the tray after it is
  // minimized has been shown; it is shown once.
  bool trayNoticeShown = false;
  // Her cycles are irregular: under "Avoid pregnancy" the fertile window
  // spans what her shortest and longest recent cycles allow.
  bool cautiousWindow = false;

  // Fixed limits, never stored.
  static constexpr int minPeriodLen = 10;
  static constexpr int maxPeriodLen = 40;
  static constexpr int minLuteralLen = 10;
  static constexpr int maxLuteralLen = 21;

private:
  ISettingsStore &store_;
  LocaleManager *locale_;
  std::u16string executablePath_;
  int lastSaveFailures_ = 0;
};
