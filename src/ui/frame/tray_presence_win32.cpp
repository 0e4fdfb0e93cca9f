#include "ui/frame/tray_presence_win32.h"

#include <utility>

#include "env/debug_log_win32.h"
#include "env/locale_manager.h"
#include "env/platform.h"
#include "env/text_format.h"
#include "env/wide_win32.h"
#include "resources/image_ids.h"
#include "settings/options_manager.h"
#include "ui/frame/band_menu_win32.h"

TrayPresence::TrayPresence(OptionsManager& options, const LocaleManager& locale, const IClock& clock,
                           const Prompts& prompts, Callbacks callbacks)
    : options_(options), locale_(locale), clock_(clock), prompts_(prompts), callbacks_(std::move(callbacks)) {}

void TrayPresence::Add(HWND owner, HINSTANCE resources, std::chrono::milliseconds watchInterval) {
  owner_ = owner;
  tipDate_ = clock_.Today();
  const auto icon =
      static_cast<HICON>(LoadImageW(resources, MAKEINTRESOURCEW(IDI_TAMAREL), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                    GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  const std::u16string tip = callbacks_.tip ? callbacks_.tip() : std::u16string();
  icon_.Add(owner, kIconId, kMessage, icon, ToWide(tip));
  // Watches for the mouse leaving the icon; its thread starts with the first hover.
  if (!watcher_.Start(owner, kMessage, watchInterval)) LogMessage(L"the tray position watcher could not be set up");
}

void TrayPresence::Remove() {
  // The watcher posts to the window: it ends before the window does.
  watcher_.Stop();
  icon_.Remove();
  if (owner_) KillTimer(owner_, kHoverTimer);
}

void TrayPresence::RefreshTip() {
  if (!icon_.Added()) return;
  tipDate_ = clock_.Today();
  const std::u16string tip = quiet_ || !callbacks_.tip ? std::u16string() : callbacks_.tip();
  if (!icon_.SetTip(ToWide(tip))) LogMessage(L"the tray tooltip was not changed");
  if (callbacks_.refreshed) callbacks_.refreshed();
}

void TrayPresence::QuietTip(bool quiet) {
  if (quiet == quiet_) return;
  quiet_ = quiet;
  RefreshTip();
}

void TrayPresence::RefreshTipOnNewDay() {
  if (clock_.Today() != tipDate_) RefreshTip();
}

void TrayPresence::StopHover() {
  if (owner_) KillTimer(owner_, kHoverTimer);
}

LRESULT TrayPresence::OnMessage(LPARAM mouseMessage) {
  switch (static_cast<UINT>(mouseMessage)) {
    case WM_MOUSEMOVE:
      // The reminders show when the mouse rests on the icon a moment.
      if (!mouseOver_) {
        mouseOver_ = true;
        SetTimer(owner_, kHoverTimer, kHoverDelayMs, nullptr);
      }
      // Every move, the first too: a mouse that only crosses the icon is
      // seen leaving before the hover timer shows a popup nobody asked for.
      if (!watcher_.MouseOver()) LogMessage(L"the tray position watcher is not running");
      return 0;
    case WM_MOUSELEAVE:
      mouseOver_ = false;
      StopHover();
      if (callbacks_.left) callbacks_.left();
      return 0;
    case WM_LBUTTONDOWN:
      StopHover();
      if (callbacks_.left) callbacks_.left();
      if (callbacks_.clicked) callbacks_.clicked();
      return 0;
    case WM_RBUTTONDOWN:
      StopHover();
      if (callbacks_.left) callbacks_.left();
      ShowMenu();
      return 0;
    default: return 0;
  }
}

void TrayPresence::OnHoverTimer() {
  StopHover();
  if (callbacks_.rested) callbacks_.rested();
  mouseOver_ = false;
}

void TrayPresence::ShowMenu() {
  const UniqueMenu menu = BuildTrayMenu(locale_);
  if (!menu) return;
  POINT at{};
  GetCursorPos(&at);
  // Without the foreground the menu would not close on a click elsewhere.
  SetForegroundWindow(owner_);
  const UINT command = prompts_.trackMenu(menu.Get(), TPM_RIGHTBUTTON | TPM_RETURNCMD, at, owner_);
  PostMessageW(owner_, WM_NULL, 0, 0);
  if (command) SendMessageW(owner_, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

// The first time she minimizes, the window seems to vanish: the tray icon
// says once where Tamarel went. Remembered in the settings at once, so a
// crash before the next save does not bring it back.
void TrayPresence::TellOnceItKeepsRunning() {
  if (options_.trayNoticeShown || !icon_.Added()) return;
  const std::u16string name = locale_.Translate(u"APP_NAME");
  const std::u16string text = FormatText(locale_.Translate(u"TRAY_KEEPS_RUNNING"), {name});
  if (!icon_.ShowBalloon(ToWide(name), ToWide(text))) return;
  options_.trayNoticeShown = true;
  if (options_.Save() != SettingsSaveResult::kDone) LogMessage(L"the tray notice was not remembered");
}

bool TrayPresence::OnTaskbarCreated(UINT msg) {
  if (msg == 0 || msg != TrayIcon::TaskbarCreatedMessage()) return false;
  static_cast<void>(icon_.Readd());
  return true;
}
