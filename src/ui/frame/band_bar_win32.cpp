#include "ui/frame/band_bar_win32.h"

#include <windowsx.h>

#include "env/access_key.h"
#include "env/locale_manager.h"
#include "env/wide_win32.h"
#include "settings/options_manager.h"
#include "ui/frame/band_menu_switch_win32.h"
#include "ui/frame/band_menu_win32.h"
#include "ui/frame/frame_texts.h"

CBandBar::CBandBar(const OptionsManager& options, const LocaleManager& locale, const Prompts& prompts,
                   HINSTANCE resources)
    : options_(options), locale_(locale), prompts_(prompts), resources_(resources), painter_(resources) {}

bool CBandBar::CreateBand(HWND frame, int width) {
  WNDCLASSEXW wc{};
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kClassName;
  if (!RegisterClass(wc)) return false;
  width_ = width;
  if (!Create(0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, width, kBandHeight, frame,
              reinterpret_cast<HMENU>(static_cast<INT_PTR>(kControlId)))) {
    return false;
  }
  RefreshTexts();
  return true;
}

void CBandBar::Resize(int width) {
  width_ = width;
  if (Hwnd()) MoveWindow(Hwnd(), 0, 0, width, kBandHeight, TRUE);
  Relayout();
}

void CBandBar::RefreshTexts() {
  for (size_t i = 0; i < titles_.size(); ++i) titles_[i] = ToWide(locale_.Translate(kBandTitleKeys[i]));
  Relayout();
}

void CBandBar::Relayout() {
  if (!Hwnd()) return;
  ClientDC dc(Hwnd());
  layout_ = painter_.Layout(dc.Get(), width_, titles_);
  InvalidateRect(Hwnd(), nullptr, FALSE);
}

bool CBandBar::OnKeyMenu(LPARAM key) {
  const int title = key == 0 ? 0 : TitleForKey(static_cast<wchar_t>(key));
  if (title >= 0) {
    OpenMenu(title, true);
    return true;
  }
  return key != L' ';  // no such title: nothing, rather than the system menu's beep
}

int CBandBar::TitleForKey(wchar_t key) const {
  if (key == 0) return -1;
  const auto upper = [](wchar_t c) {
    CharUpperBuffW(&c, 1);
    return c;
  };
  for (size_t i = 0; i < titles_.size(); ++i) {
    const char16_t mark = AccessKeyOf(std::u16string_view(reinterpret_cast<const char16_t*>(titles_[i].data()),
                                                          titles_[i].size()));
    if (mark != 0 && upper(static_cast<wchar_t>(mark)) == upper(key)) return static_cast<int>(i);
  }
  return -1;
}

LRESULT CBandBar::OnEraseBkgnd(WPARAM, LPARAM) { return TRUE; }

LRESULT CBandBar::OnPaint(WPARAM, LPARAM) {
  PaintDC paint(Hwnd());
  if (width_ <= 0) return 0;
  if (const HDC buffer = buffer_.Prepare(paint.Get(), width_, kBandHeight)) {
    painter_.Paint(buffer, width_, options_.theme, titles_, layout_, hovered_);
    buffer_.Present(paint.Get(), RECT{0, 0, width_, kBandHeight});
    // Kept only while a title is hovered, when the band repaints often.
    if (hovered_ < 0) buffer_.Release();
  }
  return 0;
}

LRESULT CBandBar::OnMouseMove(WPARAM, LPARAM lp) {
  UpdateHover(POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
  return 0;
}

LRESULT CBandBar::OnMouseLeave(WPARAM, LPARAM) {
  trackingLeave_ = false;
  if (!hoverForced_) SetHovered(-1);
  return 0;
}

LRESULT CBandBar::OnLButtonDown(WPARAM, LPARAM lp) {
  const int title = BandTitleAt(layout_, GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
  if (title >= 0) OpenMenu(title);
  return 0;
}

void CBandBar::UpdateHover(POINT client) {
  const int title = client.y >= 0 && client.y < kBandHeight ? BandTitleAt(layout_, client.x, client.y) : -1;
  if (title >= 0 && !trackingLeave_) {
    // Told when the mouse leaves the band, so no title stays lit.
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Hwnd(), 0};
    trackingLeave_ = TrackMouseEvent(&track) != FALSE;
  }
  SetHovered(title);
}

void CBandBar::SetHovered(int title) {
  if (title == hovered_) return;
  hovered_ = title;
  const BandRect a = layout_.HoverArea(width_);
  const RECT area{a.left, a.top, a.right, a.bottom};
  InvalidateRect(Hwnd(), &area, FALSE);
}

void CBandBar::ForgetPointer(int keepTitle) {
  hoverForced_ = keepTitle >= 0;
  SetHovered(keepTitle);
}

void CBandBar::HoverFromCursor() {
  POINT cursor{};
  GetCursorPos(&cursor);
  ScreenToClient(Hwnd(), &cursor);
  hoverForced_ = false;
  UpdateHover(cursor);
}

void CBandBar::OpenMenu(int title, bool byKeyboard) {
  const HWND frame = Frame();
  UINT command = 0;
  while (title >= 0 && Hwnd()) {
    BandMenu menu(resources_, title, locale_, options_.goal);
    if (!menu.Popup()) return;
    const BandRect& r = layout_.rects[static_cast<size_t>(title)];
    POINT at{r.left, r.bottom + 4};
    ClientToScreen(Hwnd(), &at);
    openTitle_ = title;
    BandMenuSwitch watch(
        title,
        [this](POINT screen) {
          ScreenToClient(Hwnd(), &screen);
          return BandTitleAt(layout_, screen.x, screen.y);
        },
        byKeyboard ? static_cast<int>(titles_.size()) : 0);
    // Opened from the keyboard, the menu starts on its first item, as a menu
    // bar's does; the menu's own loop takes this key.
    if (byKeyboard) PostMessageW(frame, WM_KEYDOWN, VK_DOWN, 0);
    command = prompts_.trackMenu(menu.Popup(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, at,
                                 frame);
    openTitle_ = -1;
    title = command ? -1 : watch.NextTitle();
    byKeyboard = title >= 0 && watch.SwitchedByKey();
  }
  // The clicked title is lit no longer than the mouse stays on it.
  HoverFromCursor();
  if (command) SendMessageW(frame, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}
