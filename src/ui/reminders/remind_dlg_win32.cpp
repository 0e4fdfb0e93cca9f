#include "ui/reminders/remind_dlg_win32.h"

#include <commctrl.h>

#include "env/locale_manager.h"
#include "env/text_format.h"
#include "env/wide_win32.h"
#include "resources/reminder_ids.h"
#include "settings/options_manager.h"
#include "env/local_time_win32.h"
#include "resources/help_ids.h"
#include "ui/reminders/reminders.h"

namespace {

// Captions of the page's controls by translation key.
constexpr struct {
  int id;
  const char16_t* key;
} kCaptions[] = {
    {IDC_STATIC_REM0, u"IDC_STATIC_REM0"}, {IDC_CHECK_REM1, u"IDC_CHECK_REM1"}, {IDC_STATIC_REM2, u"IDC_STATIC_REM2"},
    {IDC_STATIC_REM3, u"IDC_STATIC_REM3"}, {IDC_STATIC_REM4, u"IDC_STATIC_REM4"}, {IDC_CHECK_REM5, u"IDC_CHECK_REM5"},
    {IDC_STATIC_REM6, u"IDC_STATIC_REM6"}, {IDC_CHECK_REM7, u"IDC_CHECK_REM7"},
};

}  // namespace

CRemindDialog::CRemindDialog(OptionsManager& options, const LocaleManager& locale, Prompts prompts, HINSTANCE module)
    : CSettingsPage(IDD_REMIND, module), options_(options), locale_(locale), prompts_(std::move(prompts)), module_(module) {
  SetHelpContext(IDH_REMINDERS);
}

HWND CRemindDialog::Create(HWND parent) {
  const HWND page = CreateModeless(parent);
  if (page) SetWindowPos(page, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  return page;
}

BOOL CRemindDialog::OnInitDialog() {
  for (const auto& c : kCaptions) SetItemText(c.id, ToWide(locale_.Translate(c.key)));
  CheckDlgButton(Hwnd(), IDC_CHECK_REM1, options_.rmenstruation ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(Hwnd(), IDC_CHECK_REM5, options_.rpill ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(Hwnd(), IDC_CHECK_REM7, options_.rother ? BST_CHECKED : BST_UNCHECKED);
  SendMessageW(Item(IDC_REM_DAYS_SPIN), UDM_SETRANGE32, kMinReminderDays, kMaxReminderDays);
  SetItemText(IDC_REM_DAYS, std::to_wstring(options_.rsinse));
  SYSTEMTIME pill = LocalTimeOf(options_.rpill_time);
  SendMessageW(Item(IDC_REM_TIME), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&pill));
  UpdateEnabled();
  return TRUE;
}

bool CRemindDialog::Checked(int id) const { return IsDlgButtonChecked(Hwnd(), id) == BST_CHECKED; }

void CRemindDialog::UpdateEnabled() const {
  const bool menstruation = Checked(IDC_CHECK_REM1);
  for (const int id : {IDC_STATIC_REM2, IDC_REM_DAYS, IDC_REM_DAYS_SPIN, IDC_STATIC_REM3}) {
    EnableWindow(Item(id), menstruation);
  }
  const bool pill = Checked(IDC_CHECK_REM5);
  for (const int id : {IDC_STATIC_REM6, IDC_REM_TIME}) EnableWindow(Item(id), pill);
}

bool CRemindDialog::OnCommand(WORD id, WORD code, HWND) {
  if ((id == IDC_CHECK_REM1 || id == IDC_CHECK_REM5) && code == BN_CLICKED) {
    UpdateEnabled();
    return true;
  }
  return false;
}

bool CRemindDialog::Validate() {
  if (!Hwnd()) return false;
  if (!ParseReminderDays(FromWide(ItemText(IDC_REM_DAYS)))) {
    const std::u16string text =
        FormatText(locale_.Translate(u"MSG_ENTER_INTEGER_RANGE"),
                   {static_cast<long long>(kMinReminderDays), static_cast<long long>(kMaxReminderDays)});
    if (prompts_.messageBox) {
      prompts_.messageBox(Hwnd(), ToWide(text), ToWide(locale_.Translate(u"ERROR")), MB_OK | MB_ICONINFORMATION);
    }
    const HWND edit = Item(IDC_REM_DAYS);
    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    return false;
  }
  return true;
}

void CRemindDialog::Apply() {
  if (!Hwnd()) return;
  const std::optional<int> days = ParseReminderDays(FromWide(ItemText(IDC_REM_DAYS)));
  if (!days) return;
  options_.rmenstruation = Checked(IDC_CHECK_REM1);
  options_.rother = Checked(IDC_CHECK_REM7);
  options_.rpill = Checked(IDC_CHECK_REM5);
  SYSTEMTIME picked{};
  if (SendMessageW(Item(IDC_REM_TIME), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&picked)) == GDT_VALID) {
    // Only the time of day is the user's; the date stays the stored one.
    SYSTEMTIME local = LocalTimeOf(options_.rpill_time);
    local.wHour = picked.wHour;
    local.wMinute = picked.wMinute;
    const int64_t seconds = UtcSecondsOf(local);
    if (seconds != 0) options_.rpill_time = seconds;
  }
  options_.rsinse = static_cast<uint16_t>(*days);
}

std::unique_ptr<CSettingsPage> MakeRemindersPage(SettingsContext& context) {
  return std::make_unique<CRemindDialog>(context.options, context.locale,
                                         context.prompts.messageBox ? context.prompts : SystemPrompts(),
                                         context.resources);
}
