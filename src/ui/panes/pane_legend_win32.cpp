#include "ui/panes/pane_legend_win32.h"

#include <commdlg.h>

#include <algorithm>

#include "settings/options_manager.h"
#include "resources/image_ids.h"
#include "resources/pane_ids.h"

namespace {

struct CheckSetting {
  int id;
  const char16_t* key;
  bool OptionsManager::*setting;
};
constexpr CheckSetting kChecks[] = {
    {IDC_LEGEND_FLOW, u"MSG_FLOW", &OptionsManager::showFlow},
    {IDC_LEGEND_PROGNOZE, u"MSG_PROGNOZE", &OptionsManager::showPrognoze},
    {IDC_LEGEND_NFERTILE, u"MSG_NFERTILE", &OptionsManager::showNFertile},
    {IDC_LEGEND_FERTILE, u"MSG_FERTILE", &OptionsManager::showFertile},
    {IDC_LEGEND_LFERTILE, u"MSG_LFERTILE", &OptionsManager::showLFertile},
    {IDC_LEGEND_OVULATION, u"MSG_OVULATION", &OptionsManager::showOvulation},
    {IDC_LEGEND_GIRL, u"MSG_GIRL", &OptionsManager::showGirl},
    {IDC_LEGEND_BOY, u"MSG_BOY", &OptionsManager::showBoy},
    {IDC_LEGEND_PAIN, u"MSG_PAIN", &OptionsManager::showPain},
    {IDC_LEGEND_SEX, u"WAS_SEX", &OptionsManager::showSex},
    {IDC_LEGEND_NOTE, u"HAS_NOTE", &OptionsManager::showNote},
    {IDC_LEGEND_PILL, u"TOOK_PILL", &OptionsManager::showPill},
    {IDC_LEGEND_MOOD, u"SHOW_MOOD", &OptionsManager::showMood},
    {IDC_LEGEND_DISTURBED, u"MSG_DISTURBED", &OptionsManager::showDisturbed},
};

// The colour squares in the order of the `colors` setting.
constexpr int kSquares[6] = {IDC_LEGEND_FLOW_COLOR,    IDC_LEGEND_PROGNOZE_COLOR, IDC_LEGEND_NFERTILE_COLOR,
                             IDC_LEGEND_FERTILE_COLOR, IDC_LEGEND_LFERTILE_COLOR, IDC_LEGEND_OVULATION_COLOR};

int SquareIndex(int id) {
  for (int i = 0; i < 6; ++i) {
    if (kSquares[i] == id) return i;
  }
  return -1;
}

// One line of the legend: a picture (square or icon) or none, and one or two
// check boxes. Lines for one kind of goal are hidden for the others.
enum class ForGoal { kAny, kConceive, kAvoid };
struct Line {
  int picture;  // 0: none
  int left;
  int right;  // 0: none
  ForGoal goal;
};
constexpr Line kLines[] = {
    {IDC_LEGEND_FLOW_COLOR, IDC_LEGEND_FLOW, 0, ForGoal::kAny},
    {IDC_LEGEND_PROGNOZE_COLOR, IDC_LEGEND_PROGNOZE, 0, ForGoal::kAny},
    {IDC_LEGEND_NFERTILE_COLOR, IDC_LEGEND_NFERTILE, 0, ForGoal::kAny},
    {IDC_LEGEND_FERTILE_COLOR, IDC_LEGEND_FERTILE, 0, ForGoal::kAny},
    {IDC_LEGEND_LFERTILE_COLOR, IDC_LEGEND_LFERTILE, 0, ForGoal::kAny},
    {IDC_LEGEND_OVULATION_COLOR, IDC_LEGEND_OVULATION, 0, ForGoal::kAny},
    {IDC_LEGEND_GIRL_ICON, IDC_LEGEND_GIRL, 0, ForGoal::kConceive},
    {IDC_LEGEND_BOY_ICON, IDC_LEGEND_BOY, 0, ForGoal::kConceive},
    {IDC_LEGEND_PILL_ICON, IDC_LEGEND_PILL, 0, ForGoal::kAvoid},
    {0, IDC_LEGEND_PAIN, IDC_LEGEND_SEX, ForGoal::kAny},
    {IDC_LEGEND_DISTURBED_ICON, IDC_LEGEND_DISTURBED, 0, ForGoal::kAny},
    {0, IDC_LEGEND_NOTE, IDC_LEGEND_MOOD, ForGoal::kAny},
};

constexpr int kPictureSize = 16;

Bitmap LoadPicture(HINSTANCE module, int id) {
  return Bitmap(static_cast<HBITMAP>(LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

// A day-mark picture centred in its place, white drawn transparent.
void DrawKeyedPicture(HDC dc, const RECT& place, HBITMAP picture) {
  if (!picture) return;
  BITMAP info{};
  GetObjectW(picture, sizeof info, &info);
  MemoryDC source(dc);
  SelectGuard use(source.Get(), picture);
  const int x = place.left + (place.right - place.left - info.bmWidth) / 2;
  const int y = place.top + (place.bottom - place.top - info.bmHeight) / 2;
  TransparentBlt(dc, x, y, info.bmWidth, info.bmHeight, source.Get(), 0, 0, info.bmWidth, info.bmHeight,
                 RGB(255, 255, 255));
}

bool SystemChooseColor(HWND owner, COLORREF& colour) {
  static COLORREF custom[16] = {};
  CHOOSECOLORW choose{};
  choose.lStructSize = sizeof choose;
  choose.hwndOwner = owner;
  choose.rgbResult = colour;
  choose.lpCustColors = custom;
  choose.Flags = CC_RGBINIT | CC_FULLOPEN;
  // The common dialogs (and the printing DLLs they bring) load when a colour
  // is first chosen, not at every start of the program.
  static const HMODULE dialogs = LoadLibraryW(L"comdlg32.dll");
  using ChooseColorFn = BOOL(WINAPI*)(LPCHOOSECOLORW);
  const auto chooseColor =
      dialogs ? reinterpret_cast<ChooseColorFn>(reinterpret_cast<void*>(GetProcAddress(dialogs, "ChooseColorW")))
              : nullptr;
  if (!chooseColor || !chooseColor(&choose)) return false;
  colour = choose.rgbResult;
  return true;
}

}  // namespace

CPaneLegend::CPaneLegend(const PaneContext& context) : CPaneDialog(IDD_PANE_LEGEND, context) {}

BOOL CPaneLegend::OnInitDialog() {
  girl_ = LoadPicture(Module(), IDB_GIRL_DAY);
  boy_ = LoadPicture(Module(), IDB_BOY_DAY);
  pill_ = LoadPicture(Module(), IDB_DAY_PILL);
  disturbed_ = LoadPicture(Module(), IDB_DAY_DISTURBED);
  Refresh();
  ApplyGoalVisibility(context_.options.goal);
  return FALSE;
}

void CPaneLegend::Refresh() {
  for (const CheckSetting& check : kChecks) {
    SetItemText(check.id, PlainText(check.key));
    SetChecked(check.id, context_.options.*check.setting);
  }
  // A pane not on screen yet paints its squares when it shows.
  if (IsWindowVisible(Hwnd())) {
    for (const int square : kSquares) InvalidateRect(Item(square), nullptr, FALSE);
  }
}

void CPaneLegend::ApplyGoalVisibility(int goal) {
  const bool conceive = goal != 0;
  for (const int id : {IDC_LEGEND_GIRL, IDC_LEGEND_BOY, IDC_LEGEND_GIRL_ICON, IDC_LEGEND_BOY_ICON}) {
    ShowItem(id, conceive);
  }
  for (const int id : {IDC_LEGEND_PILL, IDC_LEGEND_PILL_ICON}) ShowItem(id, !conceive);
  LayOutRows(goal);
}

// The shown lines follow each other at the template's pitch, so hiding the
// boy and girl lines leaves no hole in the middle of the legend.
void CPaneLegend::LayOutRows(int goal) {
  RECT metrics{2, 9, 0, 0};  // top margin and line pitch in dialog units
  MapDialogRect(Hwnd(), &metrics);
  const int top = metrics.left;
  const int pitch = metrics.top;
  // A control's rectangle in the pane.
  const auto placeOf = [this](HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, Hwnd(), reinterpret_cast<POINT*>(&r), 2);
    return r;
  };
  // Only a control whose place changes is moved.
  bool moved = false;
  const auto place = [&moved](HWND control, const RECT& now, int y, int width, int height) {
    if (now.top == y && now.right - now.left == width && now.bottom - now.top == height) return;
    SetWindowPos(control, nullptr, now.left, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    moved = true;
  };
  int line = 0;
  for (const Line& l : kLines) {
    if ((l.goal == ForGoal::kConceive && goal == 0) || (l.goal == ForGoal::kAvoid && goal != 0)) continue;
    const int y = top + line * pitch;
    for (const int id : {l.left, l.right}) {
      if (id == 0) continue;
      const HWND check = Item(id);
      const RECT r = placeOf(check);
      place(check, r, y, r.right - r.left, r.bottom - r.top);
      if (id == l.left && l.picture != 0) {
        const HWND picture = Item(l.picture);
        // No taller than a line, so that pictures of neighbouring lines never overlap.
        const int side = std::min<int>(kPictureSize, pitch);
        place(picture, placeOf(picture), y + (r.bottom - r.top - side) / 2, side, side);
      }
    }
    ++line;
  }
  if (moved) InvalidateRect(Hwnd(), nullptr, TRUE);
}

bool CPaneLegend::OnCommand(WORD id, WORD code, HWND) {
  if (const int index = SquareIndex(id); index >= 0) {
    if (code != STN_CLICKED) return false;
    ChooseClassColour(index);
    return true;
  }
  if (code != BN_CLICKED) return false;
  for (const CheckSetting& check : kChecks) {
    if (check.id == id) {
      CopyChecksToSettings();
      context_.host.RepaintCalendar();
      return true;
    }
  }
  return false;
}

void CPaneLegend::CopyChecksToSettings() {
  for (const CheckSetting& check : kChecks) context_.options.*check.setting = IsChecked(check.id);
}

void CPaneLegend::ChooseClassColour(int index) {
  COLORREF colour = static_cast<COLORREF>(context_.options.colors[static_cast<size_t>(index)]);
  const HWND owner = GetAncestor(Hwnd(), GA_ROOT);
  const bool chosen = context_.chooseColor ? context_.chooseColor(owner, colour) : SystemChooseColor(owner, colour);
  if (!chosen) return;
  context_.options.colors[static_cast<size_t>(index)] = static_cast<ColorRef>(colour & 0x00FFFFFF);
  Refresh();
  context_.host.RepaintMainWindow();
}

bool CPaneLegend::OnDrawItem(const DRAWITEMSTRUCT& item) {
  const HDC dc = item.hDC;
  const RECT& r = item.rcItem;
  Brush back(CreateSolidBrush(Background()));
  FillRect(dc, &r, back.Get());
  if (const int index = SquareIndex(static_cast<int>(item.CtlID)); index >= 0) {
    // A swatch with a thin dark edge, so that a white class colour still shows.
    Brush fill(CreateSolidBrush(static_cast<COLORREF>(context_.options.colors[static_cast<size_t>(index)])));
    Pen edge(CreatePen(PS_SOLID, 1, RGB(0x60, 0x60, 0x60)));
    SelectGuard useBrush(dc, fill.Get());
    SelectGuard usePen(dc, edge.Get());
    Rectangle(dc, r.left, r.top, r.left + kPictureSize, r.top + kPictureSize);
    return true;
  }
  switch (item.CtlID) {
    case IDC_LEGEND_GIRL_ICON: DrawKeyedPicture(dc, r, girl_.Get()); return true;
    case IDC_LEGEND_BOY_ICON: DrawKeyedPicture(dc, r, boy_.Get()); return true;
    case IDC_LEGEND_PILL_ICON: DrawKeyedPicture(dc, r, pill_.Get()); return true;
    case IDC_LEGEND_DISTURBED_ICON:
      DrawKeyedPicture(dc, r, disturbed_.Get());
      return true;
    default: return false;
  }
}
