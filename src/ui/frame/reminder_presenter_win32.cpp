#include "ui/frame/reminder_presenter_win32.h"

#include <utility>

#include "accounts/logon_manager.h"
#include "env/debug_log_win32.h"
#include "env/platform.h"
#include "env/wide_win32.h"
#include "model/menstual_manager.h"
#include "resources/image_ids.h"
#include "settings/options_manager.h"
#include "env/local_time_win32.h"
#include "ui/frame/frame_context_win32.h"
#include "ui/frame/frame_texts.h"
#include "ui/reminders/alert_sound_win32.h"
#include "ui/reminders/remind_dlg_win32.h"

namespace {

constexpr COLORREF kPopupText = RGB(0, 0, 0);
constexpr COLORREF kPopupHoverText = RGB(0, 0, 200);
constexpr int kPopupFontSize = 90;  // 9 points
constexpr int kPopupTextTop = 40;
constexpr int kPopupTextMargin = 10;

}  // namespace

ReminderPresenter::ReminderPresenter(const FrameContext& context, std::function<bool()> locked,
                                     std::function<void()> refreshed, std::function<void(bool)> onScreen)
    : context_(context),
      locked_(std::move(locked)),
      refreshed_(std::move(refreshed)),
      onScreen_(std::move(onScreen)) {}

void ReminderPresenter::Start(HWND owner) {
  owner_ = owner;
  SetTimer(owner_, kTimer, kPeriodMs, nullptr);
}

void ReminderPresenter::Stop() {
  if (owner_) KillTimer(owner_, kTimer);
}

CTaskbarNotifier& ReminderPresenter::Large() {
  static_cast<void>(EnsurePopups());
  return large_;
}

CTaskbarNotifier& ReminderPresenter::Small() {
  static_cast<void>(EnsurePopups());
  return small_;
}

// Large, then small: each skinned, in Arial 9 points, black, underlined and
// blue under the mouse, with the text 40 pixels from the top and 10 from the
// other edges. Made when the first reminder shows (or a test asks for them),
// so that a start that shows none pays nothing for their pictures and font.
bool ReminderPresenter::EnsurePopups() {
  if (made_) return large_.Hwnd() && small_.Hwnd();
  if (!owner_) return false;
  made_ = true;
  const HINSTANCE module = FrameResources(context_);
  const std::pair<CTaskbarNotifier*, UINT> popups[] = {{&large_, IDB_POPUP_LARGE}, {&small_, IDB_POPUP_SMALL}};
  for (const auto& [popup, skin] : popups) {
    if (!popup->CreatePopup(owner_)) {
      LogMessage(L"a reminder popup could not be created");
      continue;
    }
    if (!popup->LoadSkin(module, skin, -1, -1, -1)) LogMessage(L"a reminder popup has no skin");
    popup->SetFonts(L"Arial", kPopupFontSize, 0, CTaskbarNotifier::kUnderline);
    popup->SetTextColours(kPopupText, kPopupHoverText);
    const SIZE size = popup->SkinSize();
    popup->SetTextArea(RECT{kPopupTextMargin, kPopupTextTop, size.cx - kPopupTextMargin, size.cy - kPopupTextMargin});
    popup->SetOnHidden([this] {
      if (!Showing() && onScreen_) onScreen_(false);
    });
  }
  return large_.Hwnd() && small_.Hwnd();
}

// The user whose reminders these are: with logins off everybody shares one set.
int ReminderPresenter::User() const {
  return context_.options.userLogins && context_.logon ? context_.logon->CurrentUser().id : 0;
}

void ReminderPresenter::Check(bool forced) {
  // Locked, no reminder tells anybody's coming days.
  if (locked_ && locked_()) return;
  const PackedDate today = context_.clock.Today();
  const std::optional<ReminderMessage> message =
      CheckReminders(forced, ReminderSettingsFrom(context_.options, LocalMinuteOfDay), today,
                     LocalMinuteOfDay(context_.clock.Now()), ReminderDaysFrom(context_.model, today), User(), log_,
                     context_.locale);
  if (!message || !EnsurePopups()) return;
  CTaskbarNotifier& popup = message->popup == ReminderPopup::kLarge ? large_ : small_;
  popup.ShowText(ToWide(message->text), message->showMs, message->stayMs, message->hideMs);
  if (onScreen_) onScreen_(true);
  if (message->sound) PlayAlert();
}

bool ReminderPresenter::Showing() const {
  const auto shown = [](const CTaskbarNotifier& popup) { return popup.Hwnd() && IsWindowVisible(popup.Hwnd()); };
  return shown(large_) || shown(small_);
}

void ReminderPresenter::Hide() {
  large_.HidePopup();
  small_.HidePopup();
}

void ReminderPresenter::DaysChanged() {
  Hide();
  if (refreshed_) refreshed_();
}

void ReminderPresenter::PlayAlert() const {
  if (context_.playAlert) {
    context_.playAlert();
  } else {
    PlayAlertSound(FrameResources(context_));
  }
}
