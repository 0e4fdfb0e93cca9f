#include "settings/options_manager.h"

#include <utility>

#include "env/locale_manager.h"

namespace {

constexpr SettingsKey kKey = SettingsKey::kSettings;

// The rectangle used whenever the stored one cannot be trusted.
constexpr int kDefaultX1 = 100, kDefaultY1 = 100, kDefaultX2 = 980,
              kDefaultY2 = 795;

// `Locale` holds at most 40 UTF-16 units including the terminator.
constexpr size_t kLocaleMaxBytes = 80;
constexpr size_t kLocaleMaxChars = kLocaleMaxBytes / 2 - 1;

constexpr size_t kColorsBytes = 24;
constexpr size_t kThemeBytes = 24;

uint32_t LoadLe32(const uint8_t *p) {
  return uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) |
         (uint32_t{p[3]} << 24);
}

void StoreLe32(std::vector<uint8_t> &out, uint32_t v) {
  for (int i = 0; i < 4; ++i)
    out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void StoreLe64(std::vector<uint8_t> &out, int64_t v) {
  const auto u = static_cast<uint64_t>(v);
  for (int i = 0; i < 8; ++i)
    out.push_back(static_cast<uint8_t>(u >> (8 * i)));
}

int64_t LoadLe64(const uint8_t *p) {
  uint64_t u = 0;
  for (int i = 7; i >= 0; --i)
    u = (u << 8) | p[i];
  return static_cast<int64_t>(u);
}

// A value is taken only when it has the type and the exact width that Save
// writes; anything else (a hand-edited string, a truncated binary) would give
// a half-filled field, so the field keeps what it had.
class Reader {
public:
  explicit Reader(ISettingsStore &store) : store_(store) {}

  std::optional<std::vector<uint8_t>> Exact(std::u16string_view name,
                                            ValueType type, size_t bytes) {
    auto v = store_.Read(kKey, name, bytes);
    if (!v || v->type != type || v->data.size() != bytes)
      return std::nullopt;
    return std::move(v->data);
  }

  std::optional<uint32_t> Dword(std::u16string_view name) {
    auto d = Exact(name, ValueType::kDword, 4);
    if (!d)
      return std::nullopt;
    return LoadLe32(d->data());
  }

  // Only a stored 1 means true; 2 or 0x101 are garbage and read as false.
  void PlainBool(std::u16string_view name, bool &field) {
    if (auto v = Dword(name))
      field = *v == 1;
  }
  void LowByteBool(std::u16string_view name, bool &field) {
    if (auto v = Dword(name))
      field = (*v & 0xFF) != 0;
  }
  void Int(std::u16string_view name, int &field) {
    if (auto v = Dword(name))
      field = static_cast<int>(static_cast<int32_t>(*v));
  }
  void Low16(std::u16string_view name, uint16_t &field) {
    if (auto v = Dword(name))
      field = static_cast<uint16_t>(*v & 0xFFFF);
  }
  void Int64(std::u16string_view name, ValueType type, int64_t &field) {
    if (auto d = Exact(name, type, 8))
      field = LoadLe64(d->data());
  }

  // A REG_SZ may come without its terminator or with an odd byte count when
  // someone else wrote it: take whole UTF-16 units up to the first null.
  void String(std::u16string_view name, std::u16string &field) {
    auto v = store_.Read(kKey, name, kLocaleMaxBytes);
    if (!v || v->type != ValueType::kString)
      return;
    std::u16string text;
    for (size_t i = 0; i + 1 < v->data.size(); i += 2) {
      const auto c = static_cast<char16_t>(v->data[i] | (v->data[i + 1] << 8));
      if (c == 0)
        break;
      text.push_back(c);
    }
    // An empty name selects no language; the default serves better.
    if (!text.empty())
      field = std::move(text);
  }

  void Colors(std::u16string_view name, std::array<ColorRef, 6> &field) {
    auto d = Exact(name, ValueType::kBinary, kColorsBytes);
    if (!d)
      return;
    for (size_t i = 0; i < field.size(); ++i)
      field[i] = LoadLe32(d->data() + 4 * i);
  }

  void Theme(std::u16string_view name, ThemeRecord &field) {
    auto d = Exact(name, ValueType::kBinary, kThemeBytes);
    if (!d)
      return;
    const uint8_t *p = d->data();
    field.useSystemColors = p[0]; // bytes 1-3 are padding
    field.base = LoadLe32(p + 4);
    field.light = LoadLe32(p + 8);
    field.dark = LoadLe32(p + 12);
    field.pale = LoadLe32(p + 16);
    field.secondDark = LoadLe32(p + 20);
  }

private:
  ISettingsStore &store_;
};

// Counts the writes that did not land; the user is never told, but the count
// shows up in logs and tests.
class Writer {
public:
  Writer(ISettingsStore &store, int &failures)
      : store_(store), failures_(failures) {}

  void Bytes(std::u16string_view name, ValueType type,
             const std::vector<uint8_t> &data) {
    if (!store_.Write(kKey, name, type, data))
      ++failures_;
  }
  void Dword(std::u16string_view name, uint32_t v) {
    std::vector<uint8_t> data;
    StoreLe32(data, v);
    Bytes(name, ValueType::kDword, data);
  }
  void Bool(std::u16string_view name, bool v) { Dword(name, v ? 1 : 0); }
  void Int(std::u16string_view name, int v) {
    Dword(name, static_cast<uint32_t>(v));
  }

private:
  ISettingsStore &store_;
  int &failures_;
};

std::u16string DefaultLocale(const SystemLocaleInfo &system) {
  // The primary language is the low 10 bits of a language id.
  const int systemPrimary = system.systemLanguageId & 0x3FF;
  const int userPrimary = system.userLanguageId & 0x3FF;
  const auto speaks = [&](int primary, std::u16string_view country) {
    return systemPrimary == primary || userPrimary == primary ||
           system.country == country;
  };
  if (speaks(0x19, u"RU"))
    return u"Русский";
  if (speaks(0x07, u"DE"))
    return u"Deutsch";
  if (speaks(0x0C, u"FR"))
    return u"Francais";
  return u"English";
}

std::vector<uint8_t> EncodeString(std::u16string_view text, bool terminator) {
  std::vector<uint8_t> data;
  data.reserve(2 * (text.size() + 1));
  for (char16_t c : text) {
    data.push_back(static_cast<uint8_t>(c & 0xFF));
    data.push_back(static_cast<uint8_t>(c >> 8));
  }
  if (terminator)
    data.insert(data.end(), {0, 0});
  return data;
}

} // namespace

OptionsManager::OptionsManager(ISettingsStore &store,
                               const SystemLocaleInfo &system,
                               LocaleManager *locale,
                               std::u16string executablePath)
    : store_(store), locale_(locale),
      executablePath_(std::move(executablePath)) {
  rpill_time = system.pillTimeDefault;
  theme = DeriveTheme(theme.base);
  if (system.metric)
    farinheit = false;
  Locale = DefaultLocale(system);
}

std::u16string OptionsManager::StartCommand() const {
  return u"\"" + executablePath_ + u"\" -m";
}

void OptionsManager::Load() {
  const bool open = store_.Open(kKey, false) || store_.Open(kKey, true);
  if (open) {
    Reader r(store_);
    r.PlainBool(u"autoPeriodCalculation", autoPeriodCalculation);
    r.Int(u"periodLen", periodLen);
    r.Int(u"luteralLen", luteralLen);
    r.PlainBool(u"showOvulation", showOvulation);
    r.PlainBool(u"showFlow", showFlow);
    r.PlainBool(u"showPrognoze", showPrognoze);
    r.PlainBool(u"showNFertile", showNFertile);
    r.PlainBool(u"showFertile", showFertile);
    r.PlainBool(u"showLFertile", showLFertile);
    r.PlainBool(u"userLogins", userLogins);
    r.PlainBool(u"autoLoad", autoLoad);
    r.PlainBool(u"disableUpdates", disableUpdates);
    r.Int(u"x1", x1);
    r.Int(u"y1", y1);
    r.Int(u"x2", x2);
    r.Int(u"y2", y2);
    r.LowByteBool(u"rmenstruation", rmenstruation);
    r.Low16(u"rsinse", rsinse);
    r.LowByteBool(u"rpill", rpill);
    // Eight bytes under the DWORD type: that is how this value has always been
    // written.
    r.Int64(u"rpill_time", ValueType::kDword, rpill_time);
    r.LowByteBool(u"rother", rother);
    r.Int(u"desk_x", desk_x);
    r.Int(u"desk_y", desk_y);
    r.Int(u"desk_trans", desk_trans);
    r.Int(u"desk_scale", desk_scale);
    r.Int(u"goal", goal);
    r.LowByteBool(u"farinheit", farinheit);
    r.LowByteBool(u"showDesctop", showDesctop);
    r.PlainBool(u"showGirl", showGirl);
    r.PlainBool(u"showBoy", showBoy);
    r.PlainBool(u"showPain", showPain);
    r.PlainBool(u"showSex", showSex);
    r.PlainBool(u"showNote", showNote);
    r.PlainBool(u"showPill", showPill);
    r.PlainBool(u"showMood", showMood);
    r.PlainBool(u"showDisturbed", showDisturbed);
    r.String(u"Locale", Locale);
    r.Colors(u"colors", colors);
    r.Theme(u"theme", theme);
    r.Int64(u"lastUpdate", ValueType::kBinary, lastUpdate);
    r.PlainBool(u"trayNoticeShown", trayNoticeShown);
    r.PlainBool(u"cautiousWindow", cautiousWindow);
    store_.Close(kKey);
  }

  // A maximized window is stored with negative corners (-8, -8, ...); such a
  // rectangle would put the window partly off screen, so start from the
  // default.
  if (x1 < 0 || y1 < 0 || x2 < 0 || y2 < 0) {
    x1 = kDefaultX1;
    y1 = kDefaultY1;
    x2 = kDefaultX2;
    y2 = kDefaultY2;
  }

  if (locale_)
    locale_->SetLanguage(Locale);
}

SettingsSaveResult OptionsManager::Save() {
  lastSaveFailures_ = 0;
  if (store_.Open(kKey, false) || store_.Open(kKey, true)) {
    Writer w(store_, lastSaveFailures_);
    w.Bool(u"autoPeriodCalculation", autoPeriodCalculation);
    w.Int(u"periodLen", periodLen);
    w.Int(u"luteralLen", luteralLen);
    w.Bool(u"showFlow", showFlow);
    w.Bool(u"showPrognoze", showPrognoze);
    w.Bool(u"showNFertile", showNFertile);
    w.Bool(u"showFertile", showFertile);
    w.Bool(u"showLFertile", showLFertile);
    w.Bool(u"showOvulation", showOvulation);
    w.Bool(u"showGirl", showGirl);
    w.Bool(u"showBoy", showBoy);
    w.Bool(u"showPain", showPain);
    w.Bool(u"showSex", showSex);
    w.Bool(u"showNote", showNote);
    w.Bool(u"showPill", showPill);
    w.Bool(u"showMood", showMood);
    w.Bool(u"showDisturbed", showDisturbed);
    w.Bool(u"userLogins", userLogins);
    w.Bool(u"autoLoad", autoLoad);
    w.Bool(u"disableUpdates", disableUpdates);
    // A minimized or maximized window has corners at or below 0; keep the
    // rectangle stored before it instead.
    if (x1 > 0 && y1 > 0 && x2 > 0 && y2 > 0) {
      w.Int(u"x1", x1);
      w.Int(u"y1", y1);
      w.Int(u"x2", x2);
      w.Int(u"y2", y2);
    }
    w.Int(u"desk_x", desk_x);
    w.Int(u"desk_y", desk_y);
    w.Int(u"desk_trans", desk_trans);
    w.Int(u"desk_scale", desk_scale);
    w.Bool(u"showDesctop", showDesctop);
    w.Int(u"goal", goal);
    w.Bool(u"rmenstruation", rmenstruation);
    w.Dword(u"rsinse", rsinse);
    w.Bool(u"rpill", rpill);
    std::vector<uint8_t> pillTime;
    StoreLe64(pillTime, rpill_time);
    w.Bytes(u"rpill_time", ValueType::kDword, pillTime);
    w.Bool(u"rother", rother);
    w.Bool(u"farinheit", farinheit);

    if (locale_)
      Locale = locale_->Translate(u"APP_LANGUAGE");
    // Longer names would not fit what Load accepts; store what fits.
    w.Bytes(u"Locale", ValueType::kString,
            EncodeString(std::u16string_view(Locale).substr(0, kLocaleMaxChars),
                         true));

    std::vector<uint8_t> colorBytes;
    for (ColorRef c : colors)
      StoreLe32(colorBytes, c);
    w.Bytes(u"colors", ValueType::kBinary, colorBytes);

    std::vector<uint8_t> themeBytes = {theme.useSystemColors, 0, 0, 0};
    for (ColorRef c :
         {theme.base, theme.light, theme.dark, theme.pale, theme.secondDark})
      StoreLe32(themeBytes, c);
    w.Bytes(u"theme", ValueType::kBinary, themeBytes);

    std::vector<uint8_t> updateBytes;
    StoreLe64(updateBytes, lastUpdate);
    w.Bytes(u"lastUpdate", ValueType::kBinary, updateBytes);
    w.Bool(u"trayNoticeShown", trayNoticeShown);
    w.Bool(u"cautiousWindow", cautiousWindow);
    store_.Close(kKey);
  } else {
    ++lastSaveFailures_;
  }
  const bool settingsSaved = lastSaveFailures_ == 0;
  const auto result = [&] {
    if (!settingsSaved) return SettingsSaveResult::kNotSaved;
    return lastSaveFailures_ == 0 ? SettingsSaveResult::kDone : SettingsSaveResult::kStartNotSaved;
  };

  // The start-with-Windows entry is kept even when the settings key is out of
  // reach.
  if (!store_.Open(SettingsKey::kRun, false)) {
    ++lastSaveFailures_;
    return result();
  }
  const std::u16string name =
      locale_ ? locale_->Translate(u"APP_NAME") : std::u16string(u"Tamarel");
  if (autoLoad) {
    // Written without a terminator: the byte count is exactly twice the
    // characters.
    if (!store_.Write(SettingsKey::kRun, name, ValueType::kString,
                      EncodeString(StartCommand(), false))) {
      ++lastSaveFailures_;
    }
  } else {
    // Deleting a value that is not there is the usual case, not a failure.
    (void)store_.Delete(SettingsKey::kRun, name);
  }
  store_.Close(SettingsKey::kRun);
  return result();
}
