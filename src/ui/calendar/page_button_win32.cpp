#include "ui/calendar/page_button_win32.h"

#include <utility>

namespace {
constexpr wchar_t kClassName[] = L"TamarelPageButton";
}

CPageButton::CPageButton(std::function<void()> press,
                         std::function<void()> focusChanged)
    : press_(std::move(press)), focusChanged_(std::move(focusChanged)) {}

bool CPageButton::CreateButton(HWND parent) {
  WNDCLASSEXW wc{};
  wc.lpszClassName = kClassName;
  if (!RegisterClass(wc))
    return false;
  // Placed by the calendar once it knows where its buttons are.
  return Create(0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 0,
                0, parent) != nullptr;
}

LRESULT CPageButton::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
  // The mouse belongs to the calendar below, which shows the hover.
  case WM_NCHITTEST:
    return HTTRANSPARENT;
  case WM_GETDLGCODE:
    return DLGC_BUTTON;
  case WM_KEYDOWN:
    if ((wp == VK_SPACE || wp == VK_RETURN) && press_) {
      press_();
      return 0;
    }
    break;
  case WM_KILLFOCUS:
    if (focusChanged_)
      focusChanged_();
    return 0;
  default:
    break;
  }
  return CWindow::HandleMessage(msg, wp, lp);
}

// What shows here is the calendar's painting of the button.
LRESULT CPageButton::OnPaint(WPARAM, LPARAM) {
  ValidateRect(Hwnd(), nullptr);
  return 0;
}

LRESULT CPageButton::OnEraseBkgnd(WPARAM, LPARAM) { return TRUE; }

LRESULT CPageButton::OnSetFocus(WPARAM, LPARAM) {
  if (focusChanged_)
    focusChanged_();
  return 0;
}
