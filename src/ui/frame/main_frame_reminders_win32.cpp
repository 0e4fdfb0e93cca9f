// The main frame's reminders: the two popups, the check on the 15-second
// timer and on the tray hover, the tray tooltip of the day, and the
// reminders page in a window of its own.

#include "ui/frame/main_frame_win32.h"

#include "accounts/logon_manager.h"
#include "env/debug_log_win32.h"
#include "env/platform.h"
#include "env/wide_win32.h"
#include "model/menstual_manager.h"
#include "resources/image_ids.h"
#include "settings/options_manager.h"
#include "ui/frame/frame_texts.h"
#include "ui/reminders/alert_sound_win32.h"
#include "env/local_time_win32.h"
#include "ui/reminders/remind_dlg_win32.h"

namespace {

HINSTANCE ModuleOf(HINSTANCE given) { return given ? given : GetModuleHandleW(nullptr); }

constexpr COLORREF kPopupText = RGB(0, 0, 0);
constexpr COLORREF kPopupHoverText = RGB(0, 0, 200);
constexpr int kPopupFontSize = 90;  // 9 points
constexpr int kPopupTextTop = 40;
constexpr int kPopupTextMargin = 10;

}  // namespace

// Large, then small: each skinned, in Arial 9 points, black, underlined and
// blue under the mouse, with the text 40 pixels from the top and 10 from the
// other edges. Made when the first reminder shows (or a test asks for them),
// so that a start that shows none pays nothing for their pictures and font.
bool CMainFrame::EnsureReminderPopups() {
  if (popupsMade_) return largePopup_.Hwnd() && smallPopup_.Hwnd();
  if (!Hwnd()) return false;
  popupsMade_ = true;
  const HINSTANCE module = ModuleOf(context_.resources);
  const std::pair<CTaskbarNotifier*, UINT> popups[] = {{&largePopup_, IDB_POPUP_LARGE},
                                                       {&smallPopup_, IDB_POPUP_SMALL}};
  for (const auto& [popup, skin] : popups) {
    if (!popup->CreatePopup(Hwnd())) {
      LogMessage(L"a reminder popup could not be created");
      continue;
    }
    if (!popup->LoadSkin(module, skin, -1, -1, -1)) LogMessage(L"a reminder popup has no skin");
    popup->SetFonts(L"Arial", kPopupFontSize, 0, CTaskbarNotifier::kUnderline);
    popup->SetTextColours(kPopupText, kPopupHoverText);
    const SIZE size = popup->SkinSize();
    popup->SetTextArea(RECT{kPopupTextMargin, kPopupTextTop, size.cx - kPopupTextMargin, size.cy - kPopupTextMargin});
  }
  return largePopup_.Hwnd() && smallPopup_.Hwnd();
}

// The user whose reminders these are: with logins off everybody shares one set.
int CMainFrame::ReminderUser() const {
  return context_.options.userLogins && context_.logon ? context_.logon->CurrentUser().id : 0;
}

void CMainFrame::RunReminderCheck() {
  // Locked, no reminder tells anybody's coming days.
  if (hideForLogin_ || CalendarLocked()) return;
  const bool forced = mouseOverTray_;
  const PackedDate today = context_.clock.Today();
  const std::optional<ReminderMessage> message =
      CheckReminders(forced, ReminderSettingsFrom(context_.options, LocalMinuteOfDay), today,
                     LocalMinuteOfDay(context_.clock.Now()), ReminderDaysFrom(context_.model, today), ReminderUser(),
                     reminderLog_, context_.locale);
  if (!message || !EnsureReminderPopups()) return;
  CTaskbarNotifier& popup = message->popup == ReminderPopup::kLarge ? largePopup_ : smallPopup_;
  popup.ShowText(ToWide(message->text), message->showMs, message->stayMs, message->hideMs);
  if (message->sound) PlayAlert();
}

void CMainFrame::HideReminderPopups() {
  largePopup_.HidePopup();
  smallPopup_.HidePopup();
}

void CMainFrame::PlayAlert() const {
  if (context_.playAlert) {
    context_.playAlert();
  } else {
    PlayAlertSound(ModuleOf(context_.resources));
  }
}

// Today's date and class, or only the program's name while the calendar is
// locked: the tooltip is read by whoever points at the icon.
std::u16string CMainFrame::CurrentTrayTip() const {
  if (hideForLogin_ || CalendarLocked()) return LockedTrayTooltip(context_.locale);
  const PackedDate today = context_.clock.Today();
  return TrayTooltip(context_.locale, today, context_.model.GetDayClass(today));
}

void CMainFrame::RefreshTrayTip() {
  trayTipDate_ = context_.clock.Today();
  tray_.SetTip(ToWide(CurrentTrayTip()));
}

void CMainFrame::RefreshTrayTipOnNewDay() {
  if (context_.clock.Today() != trayTipDate_) RefreshTrayTip();
}
