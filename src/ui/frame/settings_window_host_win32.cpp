#include "ui/frame/settings_window_host_win32.h"

#include <utility>

#include "env/debug_log_win32.h"
#include "env/locale_manager.h"
#include "env/wide_win32.h"
#include "resources/settings_ids.h"
#include "settings/options_manager.h"
#include "ui/reminders/remind_dlg_win32.h"
#include "ui/frame/frame_context_win32.h"
#include "ui/settings/configure_dlg_win32.h"
#include "ui/settings/options_dlg_win32.h"
#include "ui/settings/settings_dialog_win32.h"

SettingsWindowHost::SettingsWindowHost(const FrameContext& context, std::function<void()> textsChanged,
                                       std::function<void()> coloursChanged, std::function<void()> accepted,
                                       std::function<bool(HWND)> backUp, std::function<void()> daysChanged)
    : context_(context),
      accepted_(std::move(accepted)),
      pages_{context.options,          context.locale,           FrameResources(context), context.setLanguage,
             std::move(textsChanged), std::move(coloursChanged), context.prompts} {
  pages_.session = context.session;
  pages_.logon = context.logon;
  pages_.codec = context.codec;
  pages_.backUp = std::move(backUp);
  pages_.daysChanged = std::move(daysChanged);
}

SettingsWindowHost::~SettingsWindowHost() = default;

void SettingsWindowHost::Open(HWND owner) {
  // A window left by Cancel comes back as it was, edits and all.
  if (dialog_ && dialog_->Hwnd()) {
    ShowWindow(dialog_->Hwnd(), SW_SHOW);
    SetForegroundWindow(dialog_->Hwnd());
    return;
  }
  const LocaleManager& locale = context_.locale;
  dialog_ = std::make_unique<CSettingsDialog>(static_cast<COLORREF>(context_.options.theme.base), pages_.resources);
  SettingsContext& pages = pages_;
  dialog_->AddPage([&pages] { return std::make_unique<CConfigureDlg>(pages); }, ToWide(locale.Translate(u"MAIN")),
                   IDD_CONFIGURE_PAGE);
  dialog_->AddPage([&pages] { return std::make_unique<COptionsDlg>(pages); },
                   ToWide(locale.Translate(u"DESKTOP_CONFIG")), IDD_DESKTOP_PAGE);
  dialog_->AddPage([&pages] { return MakeRemindersPage(pages); }, ToWide(locale.Translate(u"REMINDERS")),
                   IDD_REMINDERS_PAGE);
  dialog_->SetTitle(ToWide(locale.Translate(u"CONFIGURE")));
  dialog_->SetButtonTexts(ToWide(locale.Translate(u"BTN_OK")), ToWide(locale.Translate(u"BTN_CANCEL")),
                          ToWide(locale.Translate(u"BTN_HELP")));
  if (!dialog_->Create(owner)) {
    LogMessage(L"the settings window could not be created");
    dialog_.reset();
  }
}

void SettingsWindowHost::OnClosed(WPARAM code) {
  if (!dialog_) return;
  if (dialog_->Hwnd()) ShowWindow(dialog_->Hwnd(), SW_HIDE);
  // Cancel (and the hidden Apply) keep the window, hidden, as it was.
  if (code != CSettingsDialog::kClosedOk) return;
  dialog_->ApplyPages();
  const SettingsSaveResult saved = context_.options.Save();
  if (saved == SettingsSaveResult::kNotSaved && context_.prompts.messageBox) {
    context_.prompts.messageBox(dialog_->Hwnd(), ToWide(context_.locale.Translate(u"ERROR_SETTINGS_NOT_SAVED")),
                                ToWide(context_.locale.Translate(u"ERROR")), MB_OK | MB_ICONINFORMATION);
  }
  if (saved == SettingsSaveResult::kStartNotSaved) LogMessage(L"the start-with-Windows value was not saved");
  if (accepted_) accepted_();
  dialog_.reset();
}

void SettingsWindowHost::Close() { dialog_.reset(); }
