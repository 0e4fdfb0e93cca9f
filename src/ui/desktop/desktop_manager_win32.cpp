#include "ui/desktop/desktop_manager_win32.h"

#include <cwchar>
#include <vector>

#include "env/debug_log_win32.h"
#include "env/platform.h"
#include "env/wide_win32.h"
#include "settings/options_manager.h"
#include "settings/settings_store.h"
#include "ui/calendar/calendar_layout.h"
#include "ui/calendar/calendar_painter_win32.h"
#include "ui/desktop/desktop_picture.h"
#include "ui/desktop/picture_loader_win32.h"
#include "ui/desktop/wallpaper_path.h"
#include "ui/widgets/gdi_win32.h"

namespace {

constexpr const wchar_t* kDesktopKey = L"Software\\Microsoft\\Internet Explorer\\Desktop\\General";

std::optional<std::u16string> EnvironmentVariable(std::u16string_view name) {
  const std::wstring wide = ToWide(name);
  wchar_t value[1024] = {};
  const DWORD n = GetEnvironmentVariableW(wide.c_str(), value, 1024);
  if (n == 0 || n >= 1024) return std::nullopt;
  return FromWide(std::wstring_view(value, n));
}

// The older place Windows kept the wallpaper in, still written by some systems.
std::optional<std::wstring> ReadDesktopKeyWallpaper() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kDesktopKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
  wchar_t value[DesktopManager::kMaxPathChars + 1] = {};
  DWORD bytes = sizeof value - sizeof(wchar_t);
  DWORD type = 0;
  const LSTATUS status = RegQueryValueExW(key, L"Wallpaper", nullptr, &type, reinterpret_cast<BYTE*>(value), &bytes);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::nullopt;
  return std::wstring(value, wcsnlen(value, bytes / sizeof(wchar_t)));
}

// Written only where the key is there already: it is kept in step for
// programs that still read it, never created.
void WriteDesktopKeyWallpaper(const std::wstring& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kDesktopKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
  RegSetValueExW(key, L"Wallpaper", 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                 static_cast<DWORD>(path.size() * sizeof(wchar_t)));
  RegCloseKey(key);
}

// The whole picture goes into a new file that then replaces the old one, so
// the desktop never shows half a picture.
bool WriteFileWhole(const std::filesystem::path& target, const std::vector<uint8_t>& bytes) {
  std::error_code ec;
  std::filesystem::create_directories(target.parent_path(), ec);
  const std::wstring fresh = target.wstring() + L".new";
  const HANDLE file = CreateFileW(fresh.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                  nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    LogLastError(L"CreateFileW(desktop picture)");
    return false;
  }
  DWORD written = 0;
  const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                  written == bytes.size() && FlushFileBuffers(file);
  CloseHandle(file);
  if (!ok) {
    LogLastError(L"WriteFile(desktop picture)");
    DeleteFileW(fresh.c_str());
    return false;
  }
  if (!MoveFileExW(fresh.c_str(), target.wstring().c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    LogLastError(L"MoveFileExW(desktop picture)");
    DeleteFileW(fresh.c_str());
    return false;
  }
  return true;
}

// A 24-bit top-down DIB section selected into a memory DC; its pixels are a
// PixelView.
struct DibSurface {
  DibSurface(HDC reference, int width, int height) : dc(reference) {
    const BITMAPINFO info = TopDownDibInfo(width, height, 24);
    void* bits = nullptr;
    bitmap.Reset(CreateDIBSection(reference, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (bitmap && dc) {
      previous = SelectObject(dc.Get(), bitmap.Get());
      view = PixelView{static_cast<uint8_t*>(bits), width, height, DibRowBytes(width, 24)};
    }
  }
  ~DibSurface() {
    if (previous) SelectObject(dc.Get(), previous);
  }
  DibSurface(const DibSurface&) = delete;
  DibSurface& operator=(const DibSurface&) = delete;

  [[nodiscard]] bool Ok() const { return view.data != nullptr; }

  MemoryDC dc;
  Bitmap bitmap;
  HGDIOBJ previous = nullptr;
  PixelView view;
};

}  // namespace

DesktopManager::Environment DesktopManager::SystemEnvironment(std::filesystem::path pictureFolder) {
  Environment env;
  env.pictureFolder = std::move(pictureFolder);
  env.readWallpaper = []() -> std::optional<std::wstring> {
    wchar_t path[MAX_PATH + 1] = {};
    if (SystemParametersInfoW(SPI_GETDESKWALLPAPER, MAX_PATH, path, 0)) return std::wstring(path);
    return ReadDesktopKeyWallpaper();
  };
  env.setWallpaper = [](const std::wstring& path) {
    WriteDesktopKeyWallpaper(path);
    std::wstring copy = path;
    if (!SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, copy.data(), SPIF_UPDATEINIFILE | SPIF_SENDCHANGE)) {
      LogLastError(L"SystemParametersInfoW(SPI_SETDESKWALLPAPER)");
      return false;
    }
    return true;
  };
  return env;
}

DesktopManager::DesktopManager(OptionsManager& options, MenstualManager& model, const LocaleManager& locale,
                               const IClock& clock, ISettingsStore& programKey, Environment environment)
    : options_(options),
      model_(model),
      locale_(locale),
      clock_(clock),
      programKey_(programKey),
      environment_(std::move(environment)) {}

DesktopManager::~DesktopManager() = default;

std::optional<std::wstring> DesktopManager::RecordedWallpaper() const {
  if (!programKey_.Open(SettingsKey::kSettings, false)) return std::nullopt;
  const std::optional<StoredValue> value =
      programKey_.Read(SettingsKey::kSettings, kOldWallpaperValue, kMaxPathChars * sizeof(wchar_t));
  programKey_.Close(SettingsKey::kSettings);
  if (!value || value->type != ValueType::kString) return std::nullopt;
  std::wstring path;
  for (size_t i = 0; i + 1 < value->data.size(); i += 2) {
    const wchar_t c = static_cast<wchar_t>(value->data[i] | (value->data[i + 1] << 8));
    if (c == L'\0') break;
    path += c;
  }
  return path;
}

// Written as its characters without a terminating null.
void DesktopManager::Record(const std::wstring& path) {
  if (!programKey_.Open(SettingsKey::kSettings, true)) return;
  std::vector<uint8_t> data;
  for (const wchar_t c : path.substr(0, kMaxPathChars)) {
    data.push_back(static_cast<uint8_t>(c & 0xFF));
    data.push_back(static_cast<uint8_t>((c >> 8) & 0xFF));
  }
  if (!programKey_.Write(SettingsKey::kSettings, kOldWallpaperValue, ValueType::kString, data)) {
    LogMessage(L"OldWallpaper could not be written");
  }
  programKey_.Close(SettingsKey::kSettings);
}

void DesktopManager::Update(HWND owner) {
  owner_ = owner;
  if (!environment_.readWallpaper || !environment_.setWallpaper) return;
  const std::optional<std::wstring> stored = environment_.readWallpaper();
  if (!stored) return;
  const std::u16string current = ResolveWallpaperPath(FromWide(stored->substr(0, kMaxPathChars)), &EnvironmentVariable);
  const std::optional<std::wstring> recorded = RecordedWallpaper();
  std::optional<std::u16string> recorded16;
  if (recorded) recorded16 = FromWide(*recorded);
  const DesktopPlan plan = PlanDesktopUpdate(options_.showDesctop, current, recorded16);

  if (plan.record) Record(ToWide(*plan.record));
  switch (plan.install) {
    case DesktopPlan::Install::kNothing: return;
    case DesktopPlan::Install::kRecorded:
      environment_.setWallpaper(ToWide(plan.recorded));
      break;
    case DesktopPlan::Install::kCalendar:
      // The path is installed only once the picture under it is whole.
      if (!ComposePicture(ToWide(plan.background), plan.abandonWithoutBackground)) return;
      environment_.setWallpaper(PicturePath().wstring());
      break;
  }
  // Wine's virtual desktop paints a new wallpaper over the windows on it;
  // the main window paints itself again on top.
  if (owner_) RedrawWindow(owner_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void DesktopManager::RestoreWallpaper() {
  if (!environment_.readWallpaper || !environment_.setWallpaper) return;
  const std::optional<std::wstring> stored = environment_.readWallpaper();
  if (!stored || !IsCalendarPicture(FromWide(*stored))) return;
  if (const std::optional<std::wstring> recorded = RecordedWallpaper()) environment_.setWallpaper(*recorded);
}

bool DesktopManager::ComposePicture(const std::wstring& background, bool requireBackground) const {
  if (environment_.pictureFolder.empty()) return false;  // no data folder: no picture to install
  const int width = environment_.screen.cx > 0 ? environment_.screen.cx : GetSystemMetrics(SM_CXSCREEN);
  const int height = environment_.screen.cy > 0 ? environment_.screen.cy : GetSystemMetrics(SM_CYSCREEN);
  if (width <= 0 || height <= 0) return false;

  const ClientDC reference(owner_);
  DibSurface screen(reference.Get(), width, height);
  if (!screen.Ok()) {
    LogLastError(L"CreateDIBSection(desktop picture)");
    return false;
  }
  const RECT whole{0, 0, width, height};
  const bool drawn = !background.empty() && DrawPictureFile(screen.dc.Get(), whole, std::filesystem::path(background));
  if (!drawn) {
    if (requireBackground) return false;
    FillRect(screen.dc.Get(), &whole, GetSysColorBrush(COLOR_DESKTOP));
  }

  const int side = CalendarSide(width, height, options_.desk_x, options_.desk_y, options_.desk_scale);
  if (side > 0) {
    DibSurface month(reference.Get(), side, side);
    if (month.Ok()) {
      const PackedDate today = clock_.Today();
      const MonthLayout layout = MonthLayout::Build(today.year, today.month - 1, Rect{0, 0, side, side});
      CalendarPainter painter(model_, options_, locale_, clock_);
      painter.DrawMonth(month.dc.Get(), layout, true);
      GdiFlush();
      if (!BlendMonth(screen.view, month.view, options_.desk_x, options_.desk_y, options_.desk_trans)) {
        LogMessage(L"the desktop calendar's opacity is outside 0..255");
      }
    }
  }
  GdiFlush();
  return WriteFileWhole(PicturePath(), EncodeBmp(screen.view));
}
