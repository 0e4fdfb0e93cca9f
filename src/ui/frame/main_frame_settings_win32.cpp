// The main frame's side of the settings window and of the desktop calendar,
// kept beside the frame's own file so that it does not grow.

#include "ui/frame/main_frame_win32.h"

#include "env/debug_log_win32.h"
#include "env/locale_manager.h"
#include "env/wide_win32.h"
#include "resources/settings_ids.h"
#include "settings/options_manager.h"
#include "ui/calendar/year_select_wnd_win32.h"
#include "ui/desktop/desktop_manager_win32.h"
#include "ui/reminders/remind_dlg_win32.h"
#include "ui/settings/configure_dlg_win32.h"
#include "ui/settings/options_dlg_win32.h"
#include "ui/settings/settings_dialog_win32.h"

static_assert(CMainFrame::kSettingsClosedMessage == CSettingsDialog::kClosedMessage);

void CMainFrame::OpenSettings() {
  // A window left by Cancel comes back as it was, edits and all.
  if (settings_ && settings_->Hwnd()) {
    ShowWindow(settings_->Hwnd(), SW_SHOW);
    SetForegroundWindow(settings_->Hwnd());
    return;
  }
  const LocaleManager& locale = context_.locale;
  settings_ = std::make_unique<CSettingsDialog>(static_cast<COLORREF>(context_.options.theme.base),
                                                settingsContext_.resources);
  SettingsContext& pages = settingsContext_;
  settings_->AddPage([&pages] { return std::make_unique<CConfigureDlg>(pages); }, ToWide(locale.Translate(u"MAIN")),
                     IDD_CONFIGURE_PAGE);
  settings_->AddPage([&pages] { return std::make_unique<COptionsDlg>(pages); },
                     ToWide(locale.Translate(u"DESKTOP_CONFIG")), IDD_DESKTOP_PAGE);
  settings_->AddPage([&pages] { return MakeRemindersPage(pages); }, ToWide(locale.Translate(u"REMINDERS")),
                     IDD_REMINDERS_PAGE);
  settings_->SetTitle(ToWide(locale.Translate(u"CONFIGURE")));
  settings_->SetButtonTexts(ToWide(locale.Translate(u"BTN_OK")), ToWide(locale.Translate(u"BTN_CANCEL")),
                            ToWide(locale.Translate(u"BTN_HELP")));
  if (!settings_->Create(Hwnd())) {
    LogMessage(L"the settings window could not be created");
    settings_.reset();
  }
}

void CMainFrame::OnSettingsClosed(WPARAM code) {
  if (!settings_) return;
  if (settings_->Hwnd()) ShowWindow(settings_->Hwnd(), SW_HIDE);
  // Cancel (and the hidden Apply) keep the window, hidden, as it was.
  if (code != CSettingsDialog::kClosedOk) return;
  settings_->ApplyPages();
  if (calendar_ && CalendarHwnd()) calendar_->OnHostSize();
  UpdateDesktopCalendar();
  const SettingsSaveResult saved = context_.options.Save();
  if (saved == SettingsSaveResult::kNotSaved) ShowError(context_.locale.Translate(u"ERROR_SETTINGS_NOT_SAVED"));
  if (saved == SettingsSaveResult::kStartNotSaved) LogMessage(L"the start-with-Windows value was not saved");
  ColorPaneBar();
  RefreshPanes(true);
  RepaintMainWindow();
  settings_.reset();
}

void CMainFrame::UpdateDesktopCalendar() {
  if (context_.desktop) context_.desktop->Update(Hwnd());
}
