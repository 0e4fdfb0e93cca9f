#include "ui/settings/prefs_static_win32.h"

#include "ui/settings/settings_choices.h"

void CPrefsStatic::Attach(HWND control, COLORREF textColor, COLORREF gradientColor) {
  control_ = control;
  textColor_ = textColor;
  gradientColor_ = gradientColor;
  font_.Reset(CreateFontW(14, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                          CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Verdana"));
}

void CPrefsStatic::SetText(const std::wstring& text) {
  text_ = text;
  if (control_) InvalidateRect(control_, nullptr, FALSE);
}

void CPrefsStatic::Draw(const DRAWITEMSTRUCT& item) const {
  const HDC dc = item.hDC;
  const RECT r = item.rcItem;
  const int width = r.right - r.left;
  for (const GradientBand& band : CaptionGradient(width, static_cast<ColorRef>(gradientColor_))) {
    const Brush brush(CreateSolidBrush(static_cast<COLORREF>(band.color)));
    const RECT part{r.left + band.left, r.top, r.left + band.right, r.bottom};
    FillRect(dc, &part, brush.Get());
  }
  if (text_.empty()) return;
  const SelectGuard font(dc, font_ ? static_cast<HGDIOBJ>(font_.Get()) : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, textColor_);
  RECT text{r.left + 5, r.top, r.right, r.bottom};
  DrawTextW(dc, text_.c_str(), static_cast<int>(text_.size()), &text,
            DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}
