#include "ui/settings/configure_dlg_win32.h"

#include "accounts/calendar_session.h"
#include "accounts/logon_manager.h"
#include "env/locale_manager.h"
#include "env/text_format.h"
#include "env/wide_win32.h"
#include "resources/settings_ids.h"
#include "settings/options_manager.h"
#include "ui/login/login_dlg_win32.h"
#include "ui/login/vault_prompts_win32.h"
#include "ui/settings/settings_choices.h"

namespace {

// The longest language name the page passes on.
constexpr size_t kMaxLanguageChars = 24;

} // namespace

CConfigureDlg::CConfigureDlg(SettingsContext &context)
    : CSettingsPage(IDD_CONFIGURE_PAGE, context.resources), context_(context),
      themes_(context.locale) {}

BOOL CConfigureDlg::OnInitDialog() {
  const OptionsManager &o = context_.options;
  const LocaleManager &locale = context_.locale;
  CheckDlgButton(Hwnd(), IDC_CONFIGURE_RUN_AT_START,
                 o.autoLoad ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(Hwnd(), IDC_CONFIGURE_NO_LOGINS,
                 o.userLogins ? BST_UNCHECKED : BST_CHECKED);
  CheckDlgButton(Hwnd(), IDC_CONFIGURE_NO_UPDATES,
                 o.disableUpdates ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(Hwnd(), IDC_CONFIGURE_CAUTIOUS,
                 o.cautiousWindow ? BST_CHECKED : BST_UNCHECKED);
  for (const auto &[id, key] :
       {std::pair{IDC_CONFIGURE_LANGUAGE_LABEL, u"APP_LAN"},
        std::pair{IDC_CONFIGURE_THEME_LABEL, u"IDC_STATIC_THEME"},
        std::pair{IDC_CONFIGURE_RUN_AT_START, u"RUNATSTART"},
        std::pair{IDC_CONFIGURE_NO_LOGINS, u"NOLOGINS"},
        std::pair{IDC_CONFIGURE_NO_UPDATES, u"DONT_UPDATE"},
        std::pair{IDC_CONFIGURE_CAUTIOUS, u"CAUTIOUS_WINDOW"},
        std::pair{IDC_CONFIGURE_ENCRYPT, u"ENCRYPT_CALENDAR"},
        std::pair{IDC_CONFIGURE_LEFTOVERS_DELETE, u"LEFTOVER_DELETE"}}) {
    SetItemText(id, ToWide(locale.Translate(key)));
  }
  ShowCalendarState();

  // The languages in the order of their files, each by its own name; with
  // no language files the built-in language is the one entry.
  languages_.clear();
  for (const auto &[base, display] : locale.Languages())
    languages_.push_back(ToWide(display));
  if (languages_.empty())
    languages_.push_back(ToWide(locale.Translate(u"APP_LANGUAGE")));
  const HWND list = Item(IDC_CONFIGURE_LANGUAGE);
  rememberedLanguage_ = 0;
  const std::wstring stored = ToWide(o.Locale);
  for (size_t i = 0; i < languages_.size(); ++i) {
    SendMessageW(list, CB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(languages_[i].c_str()));
    if (languages_[i] == stored && rememberedLanguage_ == 0)
      rememberedLanguage_ = static_cast<int>(i);
  }
  SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(rememberedLanguage_), 0);

  themes_.Attach(Item(IDC_CONFIGURE_THEME));
  themes_.Select(ThemeChoiceFor(o.theme.base));
  return TRUE;
}

void CConfigureDlg::ReadControls() {
  const LRESULT index =
      SendMessageW(Item(IDC_CONFIGURE_LANGUAGE), CB_GETCURSEL, 0, 0);
  language_ = index >= 0 && static_cast<size_t>(index) < languages_.size()
                  ? static_cast<int>(index)
                  : 0;
  languageText_ = languages_.empty()
                      ? std::wstring()
                      : languages_[static_cast<size_t>(language_)];
  if (languageText_.size() > kMaxLanguageChars)
    languageText_.resize(kMaxLanguageChars);
  autoLoad_ =
      IsDlgButtonChecked(Hwnd(), IDC_CONFIGURE_RUN_AT_START) == BST_CHECKED;
  userLogins_ =
      IsDlgButtonChecked(Hwnd(), IDC_CONFIGURE_NO_LOGINS) != BST_CHECKED;
  disableUpdates_ =
      IsDlgButtonChecked(Hwnd(), IDC_CONFIGURE_NO_UPDATES) == BST_CHECKED;
  cautiousWindow_ =
      IsDlgButtonChecked(Hwnd(), IDC_CONFIGURE_CAUTIOUS) == BST_CHECKED;
  theme_ = themes_.Selected();
}

void CConfigureDlg::Apply() {
  OptionsManager &o = context_.options;
  o.autoLoad = autoLoad_;
  o.userLogins = userLogins_;
  o.disableUpdates = disableUpdates_;
  // The calendar's classes follow on the next paint.
  o.cautiousWindow = cautiousWindow_;
  // The record carries the derived colours; with the system-colours flag
  // the painters take the system's colours themselves.
  o.theme = ThemeForChoice(theme_);
  if (language_ != rememberedLanguage_) {
    if (context_.setLanguage)
      context_.setLanguage(FromWide(languageText_));
    rememberedLanguage_ = language_;
    if (context_.languageChanged)
      context_.languageChanged();
  }
  if (context_.repaintMain)
    context_.repaintMain();
}

void CConfigureDlg::ShowCalendarState() {
  CalendarSession *session = context_.session;
  LogonManager *logon = context_.logon;
  // Only a logged-in user encrypts, and only her own calendar.
  const bool loggedIn = session && logon && context_.options.userLogins &&
                        logon->CurrentUser().id != 0;
  CheckDlgButton(Hwnd(), IDC_CONFIGURE_ENCRYPT,
                 loggedIn && session->VaultOpen() ? BST_CHECKED
                                                  : BST_UNCHECKED);
  EnableWindow(Item(IDC_CONFIGURE_ENCRYPT), loggedIn);

  CalendarSession::Leftovers left;
  if (session && logon)
    left = session->FindLeftovers(logon->Users());
  const bool show = !left.Empty();
  if (show)
    SetItemText(IDC_CONFIGURE_LEFTOVERS,
                ToWide(FormatText(context_.locale.Translate(u"LEFTOVER_DAYS"),
                                  {static_cast<long long>(left.days)})));
  ShowWindow(Item(IDC_CONFIGURE_LEFTOVERS), show ? SW_SHOW : SW_HIDE);
  ShowWindow(Item(IDC_CONFIGURE_LEFTOVERS_DELETE), show ? SW_SHOW : SW_HIDE);
}

bool CConfigureDlg::OnCommand(WORD id, WORD code, HWND) {
  if (code != BN_CLICKED)
    return false;
  switch (id) {
  case IDC_CONFIGURE_ENCRYPT:
    OnEncryptClicked();
    return true;
  case IDC_CONFIGURE_LEFTOVERS_DELETE:
    OnDeleteLeftovers();
    return true;
  default:
    return false;
  }
}

void CConfigureDlg::OnEncryptClicked() {
  CalendarSession *session = context_.session;
  LogonManager *logon = context_.logon;
  if (!session || !logon || !context_.codec)
    return;
  const bool wanted =
      IsDlgButtonChecked(Hwnd(), IDC_CONFIGURE_ENCRYPT) == BST_CHECKED;
  bool changed = false;
  if (wanted && !session->VaultOpen()) {
    // The key comes from her password, which the program does not keep.
    CPasswordDlg ask(*logon, context_.locale, *context_.codec, context_.prompts,
                     context_.resources);
    if (ask.DoModal(Hwnd()) == IDOK)
      changed = TurnEncryptionOn(Hwnd(), *session, logon->CurrentUser().id,
                                 ask.Password(), context_.locale,
                                 context_.prompts, context_.backUp);
  } else if (!wanted && session->VaultOpen()) {
    changed =
        TurnEncryptionOff(Hwnd(), *session, context_.locale, context_.prompts);
  }
  // The box says where her days are now, whatever was answered.
  ShowCalendarState();
  if (changed && context_.daysChanged)
    context_.daysChanged();
}

void CConfigureDlg::OnDeleteLeftovers() {
  CalendarSession *session = context_.session;
  LogonManager *logon = context_.logon;
  if (!session || !logon || !context_.prompts.messageBox)
    return;
  const std::wstring caption = ToWide(context_.locale.Translate(u"APP_NAME"));
  if (context_.prompts.messageBox(
          Hwnd(), ToWide(context_.locale.Translate(u"LEFTOVER_CONFIRM")),
          caption, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
    return;
  if (session->DeleteLeftovers(logon->Users()) != DaysRemoval::kDone)
    context_.prompts.messageBox(
        Hwnd(), ToWide(context_.locale.Translate(u"DELETE_DAYS_FAILED")),
        ToWide(context_.locale.Translate(u"ERROR")),
        MB_OK | MB_ICONINFORMATION);
  ShowCalendarState();
  if (context_.daysChanged)
    context_.daysChanged();
}

INT_PTR CConfigureDlg::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DRAWITEM && wp == IDC_CONFIGURE_THEME) {
    themes_.DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT *>(lp));
    return TRUE;
  }
  return CSettingsPage::HandleMessage(msg, wp, lp);
}
