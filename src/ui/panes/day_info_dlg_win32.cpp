#include "ui/panes/day_info_dlg_win32.h"

#include <memory>

#include "settings/options_manager.h"
#include "env/access_key.h"
#include "env/locale_manager.h"
#include "env/wide_win32.h"
#include "model/menstual_manager.h"
#include "resources/image_ids.h"
#include "resources/pane_ids.h"
#include "resources/help_ids.h"

static_assert(CDayInfoDlg::kBoyPicture == IDB_GENDER_BOY &&
              CDayInfoDlg::kGirlPicture == IDB_GENDER_GIRL);

namespace {

constexpr int kSquareSize = 16;

}  // namespace

CDayInfoDlg::CDayInfoDlg(const PaneContext& context) : CDialog(IDD_DAY_INFO, context.resources), context_(context) {
  SetHelpContext(IDH_TODAY);
}

BOOL CDayInfoDlg::OnInitDialog() {
  const LocaleManager &locale = context_.locale;
  MenstualManager &model = context_.model;
  const HINSTANCE module =
      context_.resources ? context_.resources : GetModuleHandleW(nullptr);

  SetCaptionIcons(Hwnd(), module, IDI_PANE_PERIOD, CaptionIcons::kBoth);
  // A caption has no access keys: "&Period" is shown as "Period".
  SetWindowTextW(Hwnd(), ToWide(WithoutAccessKey(locale.Translate(u"PANE1_TITLE"))).c_str());

  const PackedDate today = context_.clock.Today();
  const TodayDialogWords words = TodayDialogWordsFrom(model, today);
  found_ = words.found;
  SetItemText(IDC_DAYINFO_TODAY, ToWide(words.today));
  SetItemText(IDC_DAYINFO_MENSTRUATION, ToWide(words.menstruation));
  SetItemText(IDC_DAYINFO_OVULATION, ToWide(words.ovulation));
  SetItemText(IDC_DAYINFO_BASIS, ToWide(words.basis));
  SetItemText(IDC_DAYINFO_BIRTH, ToWide(words.birth));
  gender_.Reset(static_cast<HBITMAP>(
      LoadImageW(module, MAKEINTRESOURCEW(GenderPicture()), IMAGE_BITMAP, 0, 0,
                 LR_CREATEDIBSECTION)));
  // No gender day ahead (no period marked): no birth date is made up.
  const bool conceiving = context_.options.goal != 0 && !words.birth.empty();
  ShowWindow(Item(IDC_DAYINFO_BIRTH), conceiving ? SW_SHOWNA : SW_HIDE);
  ShowWindow(Item(IDC_DAYINFO_GENDER), conceiving ? SW_SHOWNA : SW_HIDE);

  const Day *day = model.GetCachedDay(today);
  SetItemText(IDC_DAYINFO_NOTE,
              day && day->note ? ToWide(*day->note) : std::wstring());
  SetItemText(IDC_DAYINFO_TIP, ToWide(words.tip));
  SetItemText(IDC_DAYINFO_NOTE_GROUP, ToWide(locale.Translate(u"NOTE")));
  // The dialog is read, not edited: OK has the focus, the note is not selected.
  SetFocus(Item(IDOK));
  return FALSE;
}

INT_PTR CDayInfoDlg::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DRAWITEM && lp) {
    DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT *>(lp));
    return TRUE;
  }
  return CDialog::HandleMessage(msg, wp, lp);
}

void CDayInfoDlg::DrawItem(const DRAWITEMSTRUCT &item) const {
  const HDC dc = item.hDC;
  const RECT &r = item.rcItem;
  FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
  if (item.CtlID == IDC_DAYINFO_GENDER) {
    if (!gender_)
      return;
    BITMAP info{};
    GetObjectW(gender_.Get(), sizeof info, &info);
    MemoryDC source(dc);
    SelectGuard use(source.Get(), gender_.Get());
    TransparentBlt(dc, r.left, r.top + (r.bottom - r.top - info.bmHeight) / 2,
                   info.bmWidth, info.bmHeight, source.Get(), 0, 0,
                   info.bmWidth, info.bmHeight, RGB(255, 255, 255));
    return;
  }
  const size_t index =
      item.CtlID == IDC_DAYINFO_FLOW_COLOR ? 0 : 5; // flow or ovulation colour
  Brush fill(
      CreateSolidBrush(static_cast<COLORREF>(context_.options.colors[index])));
  Pen edge(CreatePen(PS_SOLID, 1, RGB(0x60, 0x60, 0x60)));
  SelectGuard useBrush(dc, fill.Get());
  SelectGuard usePen(dc, edge.Get());
  const int top = r.top + (r.bottom - r.top - kSquareSize) / 2;
  Rectangle(dc, r.left, top, r.left + kSquareSize, top + kSquareSize);
}
