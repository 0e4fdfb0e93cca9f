#include "ui/reports/horoscope_dlg_win32.h"

#include <commctrl.h>
#include <richedit.h>

#include "env/handle_win32.h"
#include "env/locale_manager.h"
#include "env/wide_win32.h"
#include "model/menstual_manager.h"
#include "model/zodiac.h"
#include "resources/image_ids.h"
#include "resources/planning_ids.h"
#include "env/access_key.h"
#include "resources/help_ids.h"

namespace {

// The text box is a rich-edit control of the version-2 library, which keeps
// Unicode text as it is given; loaded once, before the first template needs it.
void LoadRichEdit() {
  static const UniqueModule library(LoadLibraryW(L"riched20.dll"));
  static const bool datePicker = [] {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_DATE_CLASSES};
    return InitCommonControlsEx(&icc) != FALSE;
  }();
  (void)datePicker;
}

}  // namespace

CHoroscopeDlg::CHoroscopeDlg(PlanningContext context, const PackedDate& date)
    : CDialog(IDD_HOROSCOPE, context.resources),
      context_(std::move(context)),
      date_(date.IsEmpty() ? context_.model.Clock().Today() : date) {
  SetHelpContext(IDH_HOROSCOPE);
  LoadRichEdit();
}

INT_PTR CHoroscopeDlg::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NOTIFY) {
    const auto* header = reinterpret_cast<const NMHDR*>(lp);
    if (header && header->idFrom == IDC_HOROSCOPE_DATE && header->code == DTN_DATETIMECHANGE) {
      OnDateChanged();
      return TRUE;
    }
    if (header && header->idFrom == IDC_HOROSCOPE_DATE &&
        (header->code == NM_SETFOCUS || header->code == NM_KILLFOCUS)) {
      pickerFocused_ = header->code == NM_SETFOCUS;
      const RECT ring = PickerFocusRing();
      InvalidateRect(Hwnd(), &ring, TRUE);
      return TRUE;
    }
  }
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps{};
    if (const HDC dc = BeginPaint(Hwnd(), &ps)) {
      if (pickerFocused_) {
        const RECT ring = PickerFocusRing();
        DrawFocusRect(dc, &ring);
      }
      EndPaint(Hwnd(), &ps);
    }
    return TRUE;
  }
  return CDialog::HandleMessage(msg, wp, lp);
}

// A picker tabbed to selects none of its fields, so it shows no focus of its
// own: the dialog draws the focus frame just outside it.
RECT CHoroscopeDlg::PickerFocusRing() const {
  RECT r{};
  GetWindowRect(Item(IDC_HOROSCOPE_DATE), &r);
  MapWindowPoints(nullptr, Hwnd(), reinterpret_cast<POINT*>(&r), 2);
  InflateRect(&r, kFocusRingGap, kFocusRingGap);
  return r;
}

BOOL CHoroscopeDlg::OnInitDialog() {
  const LocaleManager& locale = context_.locale;
  const HINSTANCE module = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(Hwnd(), GWLP_HINSTANCE));
  SetCaptionIcons(Hwnd(), module, IDI_PANE_BIRTH, CaptionIcons::kLarge);
  SetWindowTextW(Hwnd(), ToWide(WithoutAccessKey(locale.Translate(u"HOROSCOPE"))).c_str());
  SetItemText(IDC_HOROSCOPE_LABEL, ToWide(locale.Translate(u"BIRTH_DATE")));
  SetItemText(IDOK, ToWide(locale.Translate(u"BTN_OK")));

  const HWND combo = Item(IDC_HOROSCOPE_SIGN);
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  // The signs are named in her language, as Birth names them; the texts
  // are still found by the English names.
  for (int i = 0; i < kZodiacSignCount; ++i) {
    const std::wstring name = ToWide(locale.Translate(ZodiacEnglishName(i)));
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  }
  SYSTEMTIME st{};
  st.wYear = date_.year;
  st.wMonth = date_.month;
  st.wDay = date_.day;
  // A little air between the frame of the text box and its text.
  SendMessageW(Item(IDC_HOROSCOPE_TEXT), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(6, 6));
  // The date as every other window writes it, year included: the long format
  // of the system ran out of room and showed no year.
  SendMessageW(Item(IDC_HOROSCOPE_DATE), DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(L"d.M.yyyy"));
  SendMessageW(Item(IDC_HOROSCOPE_DATE), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
  ShowSign(context_.model.GetZodiacIndex(date_));
  return TRUE;
}

// The list holds the signs in index order, so the sign of a date selects its
// own entry in every language, and both ways of choosing read the same file
// (named by the sign's English name).
void CHoroscopeDlg::ShowSign(int sign) {
  sign_ = sign;
  SendMessageW(Item(IDC_HOROSCOPE_SIGN), CB_SETCURSEL, static_cast<WPARAM>(sign), 0);
  text_ = context_.locale.ReadLocalizedText(ZodiacEnglishName(sign));
  SetItemText(IDC_HOROSCOPE_TEXT, ToWide(text_));
  iconId_ = ZodiacIconId(sign);
  const HINSTANCE module = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(Hwnd(), GWLP_HINSTANCE));
  UniqueIcon icon = LoadIconSized(module, iconId_, GetSystemMetrics(SM_CXICON));
  ShowIcon(Item(IDC_HOROSCOPE_ICON), icon.Get());
  signIcon_ = std::move(icon);  // the previous icon goes only once it is no longer shown
}

void CHoroscopeDlg::OnDateChanged() {
  SYSTEMTIME st{};
  if (SendMessageW(Item(IDC_HOROSCOPE_DATE), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)) != GDT_VALID) {
    return;
  }
  date_ = PackedDate(st.wDay, st.wMonth, st.wYear);
  ShowSign(context_.model.GetZodiacIndex(date_));
}

void CHoroscopeDlg::OnSignChosen() {
  const LRESULT chosen = SendMessageW(Item(IDC_HOROSCOPE_SIGN), CB_GETCURSEL, 0, 0);
  if (chosen < 0 || chosen >= kZodiacSignCount) return;
  ShowSign(static_cast<int>(chosen));
}

bool CHoroscopeDlg::OnCommand(WORD id, WORD code, HWND) {
  if (id == IDC_HOROSCOPE_SIGN && code == CBN_SELCHANGE) {
    OnSignChosen();
    return true;
  }
  return false;
}
