#pragma once

// Looks at a window as she sees it: every visible control lies inside its
// parent's client area and the screen, every text of a static, button, check
// box, radio button, group box and tree item fits in the control's own font
// (wrapped as the control wraps it), and a translated window shows no text
// of the built-in English table. Controls are found by walking the window,
// so a control added later is checked without naming it here.

#include <windows.h>

#include <commctrl.h>

#include <set>
#include <string>
#include <vector>

#include "env/locale_manager.h"
#include "env/wide_win32.h"
#include "ui/widgets/skin_button_win32.h"

namespace fitcheck {

inline std::wstring WindowText(HWND hwnd) {
  const int length = GetWindowTextLengthW(hwnd);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(std::max(0, GetWindowTextW(hwnd, text.data(), length + 1))));
  return text;
}

inline std::wstring ClassOf(HWND hwnd) {
  wchar_t name[64] = {};
  GetClassNameW(hwnd, name, 64);
  return name;
}

inline std::string Show(const RECT& r) {
  return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
         std::to_string(r.bottom) + ")";
}

inline bool Inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

// The English texts of the built-in table that the language translates
// differently; a translated window showing one of them shows an untranslated
// text.
inline std::set<std::wstring> UntranslatedEnglish(const LocaleManager& locale) {
  std::set<std::wstring> english;
  for (const auto& [key, text] : LocaleManager::BuiltInTable()) {
    const std::u16string translated = locale.Translate(key);
    if (translated == text || text.size() < 2) continue;
    english.insert(ToWide(std::u16string(text)));
  }
  return english;
}

class FitChecker {
 public:
  FitChecker(std::string language, const LocaleManager& locale, RECT screen)
      : language_(std::move(language)), screen_(screen) {
    if (language_ != "en") english_ = UntranslatedEnglish(locale);
  }

  // Checks the top-level window and everything in it.
  void Check(const std::string& window, HWND top) {
    window_ = window;
    // A maximized window's borders hang over the screen's edges by design;
    // a dialog is centred on the test display, which may be taller than the
    // laptop's: its size must fit the screen, its place is the system's.
    RECT r{};
    if (IsZoomed(top)) {
      GetClientRect(top, &r);
      MapWindowPoints(top, nullptr, reinterpret_cast<POINT*>(&r), 2);
    } else {
      GetWindowRect(top, &r);
    }
    const bool placed = placedOnScreen_;
    if (placed ? !Inside(r, screen_)
               : (r.right - r.left > screen_.right - screen_.left || r.bottom - r.top > screen_.bottom - screen_.top)) {
      Fail(top, L"", "the window " + Show(r) + " runs off the screen " + Show(screen_));
    }
    GetWindowRect(top, &topRect_);
    CheckEnglish(top, WindowText(top));
    CheckChildren(top);
  }

  // The main window is placed on the laptop's screen (through its seam);
  // dialogs are placed by the system on the test display.
  void PlacedOnScreen(bool placed) { placedOnScreen_ = placed; }

  [[nodiscard]] const std::vector<std::string>& Problems() const { return problems_; }

 private:
  void Fail(HWND control, const std::wstring& text, const std::string& what) {
    problems_.push_back(language_ + " / " + window_ + " / id " + std::to_string(GetDlgCtrlID(control)) + " (" +
                        ToUtf8(FromWide(ClassOf(control))) + ") \"" + ToUtf8(FromWide(text)) + "\": " + what);
  }

  void CheckEnglish(HWND control, const std::wstring& text) {
    if (!text.empty() && english_.count(text)) Fail(control, text, "shows the English text");
  }

  void CheckChildren(HWND parent) {
    RECT client{};
    GetClientRect(parent, &client);
    MapWindowPoints(parent, nullptr, reinterpret_cast<POINT*>(&client), 2);
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      if (!IsWindowVisible(child)) continue;
      const std::wstring text = WindowText(child);
      RECT r{};
      GetWindowRect(child, &r);
      if (r.right > r.left && r.bottom > r.top) {
        if (!Inside(r, client)) Fail(child, text, Show(r) + " lies outside its parent's client area " + Show(client));
        if (!Inside(r, placedOnScreen_ ? screen_ : topRect_)) Fail(child, text, Show(r) + " runs off the window");
      }
      CheckText(child, text);
      // The picker's own arrows are its business.
      if (lstrcmpiW(ClassOf(child).c_str(), L"SysDateTimePick32") != 0) CheckChildren(child);
    }
  }

  void CheckText(HWND control, const std::wstring& text) {
    const std::wstring cls = ClassOf(control);
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    if (lstrcmpiW(cls.c_str(), WC_TREEVIEWW) == 0) {
      CheckTree(control);
      return;
    }
    if (lstrcmpiW(cls.c_str(), L"Edit") == 0 && (style & ES_MULTILINE)) {
      CheckTextBox(control, text);
      return;
    }
    const bool isStatic = lstrcmpiW(cls.c_str(), L"Static") == 0;
    const bool isButton = lstrcmpiW(cls.c_str(), L"Button") == 0;
    if (!isStatic && !isButton) return;
    CheckEnglish(control, text);
    if (text.empty()) return;
    RECT client{};
    GetClientRect(control, &client);
    int width = client.right;
    int height = client.bottom;
    bool wraps = false;
    UINT prefix = 0;
    if (isStatic) {
      const LONG kind = style & SS_TYPEMASK;
      if (kind != SS_LEFT && kind != SS_CENTER && kind != SS_RIGHT && kind != SS_LEFTNOWORDWRAP && kind != SS_SIMPLE) {
        return;
      }
      wraps = kind == SS_LEFT || kind == SS_CENTER || kind == SS_RIGHT;
      if (style & SS_NOPREFIX) prefix = DT_NOPREFIX;
    } else {
      const LONG kind = style & BS_TYPEMASK;
      switch (kind) {
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
        case BS_3STATE:
        case BS_AUTO3STATE: width -= GetSystemMetrics(SM_CXMENUCHECK) + 4; break;
        case BS_GROUPBOX: width -= 16; break;                          // the frame's corner and a space each side
        case BS_OWNERDRAW: width -= CSkinButton::kTextLeft + CSkinButton::kTextRight; break;  // a skinned link
        default: width -= 2 * GetSystemMetrics(SM_CXEDGE) + 6; break;  // a push button's edges
      }
      wraps = (style & BS_MULTILINE) != 0 && kind != BS_GROUPBOX;
    }
    const HDC dc = GetDC(control);
    const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    const HGDIOBJ old = SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
    RECT need{0, 0, std::max(1, width), 0};
    DrawTextW(dc, text.c_str(), -1, &need, DT_CALCRECT | prefix | (wraps ? DT_WORDBREAK : DT_SINGLELINE));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    if (need.right > width) {
      Fail(control, text, "needs " + std::to_string(need.right) + " px wide, has " + std::to_string(width));
    } else if (wraps && need.bottom > height) {
      Fail(control, text, "needs " + std::to_string(need.bottom) + " px high, has " + std::to_string(height));
    } else if (!wraps && !isButton && metrics.tmHeight > height + 1) {
      Fail(control, text, "is " + std::to_string(metrics.tmHeight) + " px high, has " + std::to_string(height));
    }
  }

  // A text box holding more lines than it shows offers a scroll bar.
  void CheckTextBox(HWND edit, const std::wstring& text) {
    RECT area{};
    SendMessageW(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
    const HDC dc = GetDC(edit);
    const auto font = reinterpret_cast<HFONT>(SendMessageW(edit, WM_GETFONT, 0, 0));
    const HGDIOBJ old = SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(edit, dc);
    const auto lines = static_cast<int>(SendMessageW(edit, EM_GETLINECOUNT, 0, 0));
    if (lines * metrics.tmHeight <= area.bottom - area.top) return;
    SCROLLBARINFO bar{};
    bar.cbSize = sizeof bar;
    const bool shown = GetScrollBarInfo(edit, OBJID_VSCROLL, &bar) && !(bar.rgstate[0] & STATE_SYSTEM_INVISIBLE);
    if (!shown) {
      Fail(edit, text.substr(0, 40),
           std::to_string(lines) + " lines in " + std::to_string(area.bottom - area.top) + " px and no scroll bar");
    }
  }

  void CheckTree(HWND tree) {
    if (GetWindowLongW(tree, GWL_STYLE) & WS_HSCROLL) Fail(tree, L"", "shows a horizontal scroll bar");
    RECT client{};
    GetClientRect(tree, &client);
    std::vector<HTREEITEM> items;
    for (auto item = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0)); item;
         item = reinterpret_cast<HTREEITEM>(
             SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXTVISIBLE, reinterpret_cast<LPARAM>(item)))) {
      items.push_back(item);
    }
    for (HTREEITEM item : items) {
      wchar_t buffer[256] = {};
      TVITEMW info{};
      info.mask = TVIF_TEXT;
      info.hItem = item;
      info.pszText = buffer;
      info.cchTextMax = 255;
      SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&info));
      CheckEnglish(tree, buffer);
      RECT r{};
      *reinterpret_cast<HTREEITEM*>(&r) = item;
      if (!SendMessageW(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r))) continue;
      if (r.right > client.right) {
        Fail(tree, buffer, "ends at " + std::to_string(r.right) + ", the tree at " + std::to_string(client.right));
      }
    }
  }

  std::string language_;
  std::string window_;
  RECT screen_;
  RECT topRect_{};
  bool placedOnScreen_ = false;
  std::set<std::wstring> english_;
  std::vector<std::string> problems_;
};

}  // namespace fitcheck
