#include "ui/reports/chinese_calendar_dlg_win32.h"

#include <string>

#include "env/locale_manager.h"
#include "env/wide_win32.h"
#include "model/chinese_chart.h"
#include "resources/image_ids.h"
#include "resources/planning_ids.h"
#include "env/access_key.h"
#include "resources/help_ids.h"

namespace {

constexpr COLORREF kPictureKey = RGB(255, 255, 255);
constexpr int kPictureSize = 16;

}  // namespace

CChineseLunalCalendarDlg::CChineseLunalCalendarDlg(PlanningContext context)
    : CDialog(IDD_CHINA_CAL, context.resources), context_(std::move(context)) {
  SetHelpContext(IDH_CHINESE_CHART);
}

INT_PTR CChineseLunalCalendarDlg::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  // The caption's close button closes as OK does; Escape closes with Cancel.
  if (msg == WM_CLOSE) {
    Close(IDOK);
    return TRUE;
  }
  return CDialog::HandleMessage(msg, wp, lp);
}

BOOL CChineseLunalCalendarDlg::OnInitDialog() {
  const LocaleManager& locale = context_.locale;
  const HINSTANCE module = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(Hwnd(), GWLP_HINSTANCE));
  SetCaptionIcons(Hwnd(), module, IDI_PANE_BIRTH, CaptionIcons::kLarge);
  SetWindowTextW(Hwnd(), ToWide(WithoutAccessKey(locale.Translate(u"CHINA_CAL"))).c_str());
  SetItemText(IDC_CHINA_LABEL, ToWide(locale.Translate(u"SELECT_AGE")));
  SetItemText(IDC_CHINA_GROUP, ToWide(locale.Translate(u"YOURPERSCAL")));
  SetItemText(IDC_CHINA_MESSAGE, ToWide(locale.Translate(u"CHINAMSG")));
  SetItemText(IDC_CHINA_HELP, ToWide(locale.Translate(u"MENU_HELP")));
  SetItemText(IDOK, ToWide(locale.Translate(u"BTN_OK")));
  for (int i = 0; i < 12; ++i) {
    const std::u16string key = u"MONTH" + FromWide(std::to_wstring(i + 1));
    SetItemText(IDC_CHINA_MONTH_FIRST + i, ToWide(locale.Translate(key)));
  }

  const HWND ages = Item(IDC_CHINA_AGE);
  SendMessageW(ages, CB_RESETCONTENT, 0, 0);
  for (int age = kChineseChartFirstAge; age <= kChineseChartLastAge; ++age) {
    SendMessageW(ages, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::to_wstring(age).c_str()));
  }
  SendMessageW(ages, CB_SETCURSEL, kDefaultAgeIndex, 0);

  const COLORREF face = GetSysColor(COLOR_3DFACE);
  boy_ = ScaledKeyedBitmap(module, IDB_GENDER_BOY, kPictureSize, kPictureSize, kPictureKey, face);
  girl_ = ScaledKeyedBitmap(module, IDB_GENDER_GIRL, kPictureSize, kPictureSize, kPictureKey, face);
  UpdatePictures();
  return TRUE;
}

void CChineseLunalCalendarDlg::UpdatePictures() {
  ageIndex_ = static_cast<int>(SendMessageW(Item(IDC_CHINA_AGE), CB_GETCURSEL, 0, 0));
  const int age = ageIndex_ + kFirstAge;
  for (int i = 0; i < 12; ++i) {
    const bool boy = ChineseChartIsBoy(age, i + 1);
    pictureIds_[static_cast<size_t>(i)] = boy ? IDB_GENDER_BOY : IDB_GENDER_GIRL;
    ShowBitmap(Item(IDC_CHINA_PICTURE_FIRST + i), boy ? boy_.Get() : girl_.Get());
  }
}

bool CChineseLunalCalendarDlg::OnCommand(WORD id, WORD code, HWND) {
  if (id == IDC_CHINA_HELP) {
    if (context_.openHelp) context_.openHelp(Hwnd(), kHelpContext);
    return true;
  }
  if (id == IDC_CHINA_AGE && code == CBN_SELCHANGE) {
    UpdatePictures();
    return true;
  }
  return false;
}
