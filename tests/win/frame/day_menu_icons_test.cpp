// The day menu as the screen shows it: opened for real, its pixels read
// while it is open.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "resources/image_ids.h"
#include "resources/resource.h"
#include "win/frame/frame_fixture.h"

namespace frametest {
namespace {

constexpr PackedDate kDay{10, 6, 2024};

// What the open menu showed: its window's pixels and each item's rectangle
// in the window's coordinates.
struct OpenedMenu {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // 0x00RRGGBB, top-down
  std::vector<RECT> items;
  std::vector<UINT> ids;

  [[nodiscard]] COLORREF At(int x, int y) const {
    const uint32_t p = pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
};

OpenedMenu* g_capture = nullptr;
HMENU g_menu = nullptr;

void CALLBACK CaptureOpenMenu(HWND, UINT, UINT_PTR timer, DWORD) {
  const HWND popup = FindWindowW(L"#32768", nullptr);
  if (!popup || !IsWindowVisible(popup) || !g_capture) return;
  KillTimer(nullptr, timer);
  RECT window{};
  GetWindowRect(popup, &window);
  OpenedMenu& m = *g_capture;
  m.width = window.right - window.left;
  m.height = window.bottom - window.top;
  const HDC source = GetWindowDC(popup);
  const HDC memory = CreateCompatibleDC(source);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = m.width;
  bi.bmiHeader.biHeight = -m.height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  const HBITMAP bitmap = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, m.width, m.height, source, 0, 0, SRCCOPY);
  GdiFlush();
  const auto* p = static_cast<const uint32_t*>(bits);
  m.pixels.assign(p, p + static_cast<size_t>(m.width) * static_cast<size_t>(m.height));
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(popup, source);
  for (int i = 0; i < GetMenuItemCount(g_menu); ++i) {
    RECT r{};
    GetMenuItemRect(nullptr, g_menu, static_cast<UINT>(i), &r);
    OffsetRect(&r, -window.left, -window.top);
    m.items.push_back(r);
    m.ids.push_back(GetMenuItemID(g_menu, i));
  }
  EndMenu();
}

class DayMenuIconsTest : public FrameTest {
 protected:
  // Right-clicks the day and lets the menu open on screen until its pixels
  // are read.
  OpenedMenu OpenForReal() {
    OpenedMenu captured;
    g_capture = &captured;
    adjustContext_ = [](FrameContext& context) {
      context.prompts.trackMenu = [](HMENU menu, UINT flags, POINT at, HWND owner) -> UINT {
        g_menu = menu;
        SetTimer(nullptr, 0, 50, &CaptureOpenMenu);
        return static_cast<UINT>(TrackPopupMenuEx(menu, flags, at.x, at.y, owner, nullptr));
      };
    };
    OpenFrame();
    SetForegroundWindow(frame_->Hwnd());
    // Away from where the menu opens: no item is lit by the pointer.
    SetCursorPos(0, 0);
    CalendarLayout layout(clock_.Today());
    const RECT area = frame_->CalendarRect();
    layout.Resize(Rect{area.left, area.top, area.right, area.bottom});
    for (const MonthLayout& month : layout.Months()) {
      for (const DayCell& cell : month.days) {
        if (!(cell.Date() == kDay)) continue;
        const int x = (cell.rect.left + cell.rect.right) / 2, y = (cell.rect.top + cell.rect.bottom) / 2;
        SendMessageW(frame_->CalendarHwnd(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(x, y));
      }
    }
    g_capture = nullptr;
    return captured;
  }
};

// A picture of the program's resources as 0x00RRGGBB pixels, top-down.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
  [[nodiscard]] COLORREF At(int x, int y) const {
    const uint32_t p = pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
};

Picture LoadPicture(int id) {
  Picture picture;
  const HBITMAP bitmap = static_cast<HBITMAP>(
      LoadImageW(ProgramResources(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!bitmap) return picture;
  BITMAP info{};
  GetObjectW(bitmap, sizeof info, &info);
  picture.width = info.bmWidth;
  picture.height = info.bmHeight;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = picture.width;
  bi.bmiHeader.biHeight = -picture.height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  picture.pixels.resize(static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height));
  const HDC screen = GetDC(nullptr);
  GetDIBits(screen, bitmap, 0, static_cast<UINT>(picture.height), picture.pixels.data(), &bi, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  DeleteObject(bitmap);
  return picture;
}

constexpr COLORREF kIconKey = RGB(200, 200, 200);

// Each item's icon shows whole, once, in the column left of its text: where
// the icon is see-through the menu's own background shows (no black box),
// no stroke of the text lies over it, and the text begins to its right.
TEST_F(DayMenuIconsTest, IconsShowTheMenuBackgroundWhereSeeThroughAndStayLeftOfTheirText) {
  const OpenedMenu m = OpenForReal();
  ASSERT_GT(m.width, 0) << "the menu did not open";
  const std::pair<UINT, int> icons[] = {
      {ID_DAY_SET_START, IDB_MENU_MENSTRUAL},
      {ID_DAY_SEX, IDB_MENU_SEX},
      {ID_DAY_TEMPERATURE, IDB_MENU_TEMPERATURE},
      {ID_DAY_DISTURBED, IDB_MENU_DISTURBED},
      {ID_DAY_GOOD_MOOD, IDB_MENU_GOOD_MOOD},
      {ID_DAY_BAD_MOOD, IDB_MENU_BAD_MOOD},
      {ID_DAY_NOTE, IDB_MENU_NOTE}};
  int checked = 0;
  for (size_t i = 0; i < m.ids.size(); ++i) {
    int iconId = 0;
    for (const auto& [command, picture] : icons) {
      if (command == m.ids[i]) iconId = picture;
    }
    if (!iconId) continue;
    SCOPED_TRACE(m.ids[i]);
    const Picture icon = LoadPicture(iconId);
    ASSERT_GT(icon.width, 0);
    const RECT item = m.items[i];
    // The menu's background: the item's right end, where no text reaches.
    const COLORREF background = m.At(item.right - 3, (item.top + item.bottom) / 2);
    // Where the icon's own pixels (the key colour left out) all show.
    int found = 0, atX = 0, atY = 0;
    for (int y = item.top; y + icon.height <= item.bottom; ++y) {
      for (int x = item.left; x + icon.width <= item.right; ++x) {
        bool match = true;
        for (int iy = 0; iy < icon.height && match; ++iy) {
          for (int ix = 0; ix < icon.width && match; ++ix) {
            const COLORREF want = icon.At(ix, iy);
            if (want != kIconKey && m.At(x + ix, y + iy) != want) match = false;
          }
        }
        if (match) {
          ++found;
          atX = x;
          atY = y;
        }
      }
    }
    ASSERT_EQ(found, 1) << "the icon shows whole, once";
    int wrong = 0;
    for (int iy = 0; iy < icon.height; ++iy) {
      for (int ix = 0; ix < icon.width; ++ix) {
        if (icon.At(ix, iy) == kIconKey && m.At(atX + ix, atY + iy) != background) ++wrong;
      }
    }
    EXPECT_EQ(wrong, 0) << "see-through pixels that do not show the menu";
    // Nothing of the text within the icon's columns, and the text to the right.
    int textInIconColumns = 0, textRight = 0;
    for (int y = item.top; y < item.bottom; ++y) {
      for (int x = item.left; x < item.right - 3; ++x) {
        const bool inIcon = x >= atX && x < atX + icon.width && y >= atY && y < atY + icon.height;
        if (inIcon || m.At(x, y) == background) continue;
        if (x < atX + icon.width) ++textInIconColumns;
        else ++textRight;
      }
    }
    EXPECT_EQ(textInIconColumns, 0);
    EXPECT_GT(textRight, 20) << "the item's text";
    ++checked;
  }
  EXPECT_EQ(checked, 7) << "every icon of a plain day's menu was looked at (the disturbed mark's too)";
}

}  // namespace
}  // namespace frametest
