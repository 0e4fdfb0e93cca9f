#include "ui/reports/birth_dlg_win32.h"

#include "env/locale_manager.h"
#include "env/text_format.h"
#include "env/wide_win32.h"
#include "model/menstual_manager.h"
#include "resources/image_ids.h"
#include "resources/planning_ids.h"
#include "ui/reports/chinese_calendar_dlg_win32.h"
#include "ui/reports/horoscope_dlg_win32.h"
#include "env/access_key.h"
#include "resources/help_ids.h"

namespace {

constexpr COLORREF kPictureKey = RGB(255, 255, 255);
constexpr int kGenderPictureSize = 24;

std::u16string DateLine(const LocaleManager& locale, const char16_t* key, const PackedDate& d) {
  return FormatText(locale.Translate(key),
                    {static_cast<long long>(d.day), static_cast<long long>(d.month), static_cast<long long>(d.year)});
}

}  // namespace

CBirthDlg::CBirthDlg(PlanningContext context) : CDialog(IDD_BIRTH, context.resources), context_(std::move(context)) {
  SetHelpContext(IDH_BIRTH);
}

HINSTANCE CBirthDlg::Module() const {
  return reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(Hwnd(), GWLP_HINSTANCE));
}

INT_PTR CBirthDlg::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  // The caption's close button closes as OK does; Escape closes with Cancel.
  if (msg == WM_CLOSE) {
    Close(IDOK);
    return TRUE;
  }
  return CDialog::HandleMessage(msg, wp, lp);
}

BOOL CBirthDlg::OnInitDialog() {
  const LocaleManager& locale = context_.locale;
  const HINSTANCE module = Module();
  SetCaptionIcons(Hwnd(), module, IDI_PANE_BIRTH, CaptionIcons::kLarge);
  smallIcon_ = LoadIconSized(module, IDI_BIRTH_SMALL, 16);
  if (smallIcon_) ShowIcon(Item(IDC_BIRTH_ICON), smallIcon_.Get());
  SetWindowTextW(Hwnd(), ToWide(WithoutAccessKey(locale.Translate(u"BIRTH"))).c_str());
  SetItemText(IDC_BIRTH_HOROSCOPE, ToWide(WithoutAccessKey(locale.Translate(u"HOROSCOPE"))));
  SetItemText(IDC_BIRTH_CHINA_CAL, ToWide(WithoutAccessKey(locale.Translate(u"CHINA_CAL"))));
  SetItemText(IDOK, ToWide(locale.Translate(u"BTN_OK")));

  plan_ = PlanBirth(context_.model);
  date_ = plan_.birth;
  SetItemText(IDC_BIRTH_LAST_SEX, ToWide(DateLine(locale, u"LAST_SEX", plan_.latestSex)));
  SetItemText(IDC_BIRTH_DATE, ToWide(DateLine(locale, u"DATE_GENDER", date_)));
  SetItemText(IDC_BIRTH_ZODIAC,
              ToWide(locale.Translate(u"ZODIAC") + u": " + context_.model.GetZodiacName(date_)));

  genderPictureId_ = plan_.girl ? IDB_GENDER_GIRL : IDB_GENDER_BOY;
  genderPicture_ = ScaledKeyedBitmap(module, genderPictureId_, kGenderPictureSize, kGenderPictureSize, kPictureKey,
                                     GetSysColor(COLOR_3DFACE));
  ShowBitmap(Item(IDC_BIRTH_GENDER), genderPicture_.Get());
  zodiacIconId_ = context_.model.GetZodiacIcon(date_);
  zodiacIcon_ = LoadIconSized(module, zodiacIconId_, GetSystemMetrics(SM_CXICON));
  ShowIcon(Item(IDC_BIRTH_ZODIAC_ICON), zodiacIcon_.Get());
  return TRUE;
}

bool CBirthDlg::OnCommand(WORD id, WORD, HWND) {
  if (id == IDC_BIRTH_HOROSCOPE) {
    CHoroscopeDlg horoscope(context_, date_);
    horoscope.DoModal(Hwnd());
    return true;
  }
  if (id == IDC_BIRTH_CHINA_CAL) {
    CChineseLunalCalendarDlg chart(context_);
    chart.DoModal(Hwnd());
    return true;
  }
  return false;
}
