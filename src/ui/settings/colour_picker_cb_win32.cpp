#include "ui/settings/colour_picker_cb_win32.h"

#include <string>

#include "env/locale_manager.h"
#include "env/wide_win32.h"
#include "ui/settings/settings_choices.h"
#include "ui/widgets/gdi_win32.h"

void CColourPickerCB::Attach(HWND combo) {
  combo_ = combo;
  SendMessageW(combo_, CB_RESETCONTENT, 0, 0);
  // No CBS_HASSTRINGS: the added "string" is the entry's index, kept as its
  // item data; the name is looked up when the entry is drawn.
  for (size_t i = 0; i < kThemeChoices.size(); ++i) SendMessageW(combo_, CB_ADDSTRING, 0, static_cast<LPARAM>(i));
  Select(0);
}

int CColourPickerCB::Selected() const {
  const LRESULT index = SendMessageW(combo_, CB_GETCURSEL, 0, 0);
  return index >= 0 && index < static_cast<LRESULT>(kThemeChoices.size()) ? static_cast<int>(index) : 0;
}

void CColourPickerCB::Select(int entry) const { SendMessageW(combo_, CB_SETCURSEL, static_cast<WPARAM>(entry), 0); }

ColorRef CColourPickerCB::CurrentColor() const { return kThemeChoices[static_cast<size_t>(Selected())].color; }

void CColourPickerCB::DrawItem(const DRAWITEMSTRUCT& item) const {
  const HDC dc = item.hDC;
  const RECT r = item.rcItem;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  FillRect(dc, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  if (item.itemID == static_cast<UINT>(-1) || item.itemID >= kThemeChoices.size()) return;
  const ThemeChoice& choice = kThemeChoices[item.itemID];

  const int height = r.bottom - r.top;
  const RECT swatch{r.left + 2, r.top + 2, r.left + 2 + 2 * (height - 4), r.bottom - 2};
  {
    const Brush fill(CreateSolidBrush(static_cast<COLORREF>(choice.color)));
    FillRect(dc, &swatch, fill.Get());
    FrameRect(dc, &swatch, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  }
  const std::wstring name = ToWide(locale_.Translate(choice.nameKey));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  RECT text{swatch.right + 6, r.top, r.right, r.bottom};
  DrawTextW(dc, name.c_str(), static_cast<int>(name.size()), &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &r);
}
