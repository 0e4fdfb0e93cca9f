#include "ui/days/temperature_dlg_win32.h"

#include "settings/options_manager.h"
#include "env/locale_manager.h"
#include "env/text_format.h"
#include "env/wide_win32.h"
#include "resources/image_ids.h"
#include "resources/resource.h"
#include "resources/help_ids.h"
#include "ui/days/temperature_units.h"

CTemperatureDlg::CTemperatureDlg(OptionsManager& options, const LocaleManager& locale, const Prompts& prompts,
                                 double initial, std::function<void(HWND)> openHelp, HINSTANCE resources)
    : CDialog(IDD_TEMPERATURE, resources),
      options_(options),
      locale_(locale),
      prompts_(prompts),
      value_(TruncateToHundredths(initial)),
      openHelp_(std::move(openHelp)) {
  SetHelpContext(IDH_TEMPERATURE);
}

BOOL CTemperatureDlg::OnInitDialog() {
  SetCaptionIcons(Hwnd(), reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(Hwnd(), GWLP_HINSTANCE)),
                  IDI_PANE_TEMPERATURE, CaptionIcons::kLarge);
  const std::wstring title = ToWide(locale_.Translate(u"RECTAL_TEMPERATURE"));
  SetWindowTextW(Hwnd(), title.c_str());
  SetItemText(IDC_TEMPERATURE_LABEL, title);
  SetItemText(IDCANCEL, ToWide(locale_.Translate(u"BTN_CANCEL")));
  SetItemText(IDHELP, ToWide(locale_.Translate(u"MENU_HELP")));

  const HWND unit = Item(IDC_TEMPERATURE_UNIT);
  SendMessageW(unit, CB_RESETCONTENT, 0, 0);
  SendMessageW(unit, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"F"));
  SendMessageW(unit, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"C"));
  SendMessageW(unit, CB_SETCURSEL, options_.farinheit ? kFahrenheitIndex : kCelsiusIndex, 0);
  if (value_ != 0) value_ = ValueForEntry(value_, options_.farinheit);
  ShowValue();
  return TRUE;
}

// 0 is no temperature: the field stays empty for her to fill.
void CTemperatureDlg::ShowValue() {
  SetItemText(IDC_TEMPERATURE_EDIT, value_ == 0 ? std::wstring() : ToWide(TemperatureText(value_)));
}

bool CTemperatureDlg::OnCommand(WORD id, WORD code, HWND) {
  if (id == IDC_TEMPERATURE_UNIT && code == CBN_SELCHANGE) {
    OnUnitChanged();
    return true;
  }
  if (id == IDHELP) {
    if (openHelp_) openHelp_(Hwnd());
    return true;
  }
  return false;
}

void CTemperatureDlg::OnUnitChanged() {
  const bool fahrenheit =
      SendMessageW(Item(IDC_TEMPERATURE_UNIT), CB_GETCURSEL, 0, 0) == static_cast<LRESULT>(kFahrenheitIndex);
  if (fahrenheit == options_.farinheit) return;
  // What the user typed so far is what gets converted; a text that is no
  // number leaves the last good value to convert, and an empty field stays
  // empty.
  const std::u16string text = FromWide(ItemText(IDC_TEMPERATURE_EDIT));
  const TemperatureCheck typed = CheckTemperatureText(text);
  if (typed.result != TemperatureInput::kNotANumber) value_ = typed.value;
  if (text.find_first_not_of(u" \t") == std::u16string::npos) value_ = 0;
  options_.farinheit = fahrenheit;
  if (options_.Save() == SettingsSaveResult::kNotSaved && prompts_.messageBox) {
    prompts_.messageBox(Hwnd(), ToWide(locale_.Translate(u"ERROR_SETTINGS_NOT_SAVED")),
                        ToWide(locale_.Translate(u"ERROR")), MB_OK | MB_ICONINFORMATION);
  }
  if (value_ != 0) value_ = ConvertForSwitch(value_, fahrenheit);
  ShowValue();
}

void CTemperatureDlg::OnOK() {
  const TemperatureCheck typed = CheckTemperatureText(FromWide(ItemText(IDC_TEMPERATURE_EDIT)));
  if (typed.result != TemperatureInput::kValid) {
    const std::u16string text =
        typed.result == TemperatureInput::kNotANumber
            ? locale_.Translate(u"MSG_ENTER_NUMBER")
            : FormatText(locale_.Translate(u"MSG_ENTER_NUMBER_RANGE"),
                         {static_cast<long long>(kMinTemperature), static_cast<long long>(kMaxTemperature)});
    if (prompts_.messageBox) {
      // A value she must correct: the warning icon, not the information one.
      prompts_.messageBox(Hwnd(), ToWide(text), ToWide(locale_.Translate(u"ERROR")), MB_OK | MB_ICONWARNING);
    }
    const HWND edit = Item(IDC_TEMPERATURE_EDIT);
    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    return;
  }
  value_ = typed.value;
  Close(IDOK);
}
