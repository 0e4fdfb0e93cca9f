// The day menu as the screen shows it: opened for real, its pixels read
// while it is open.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
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
    CalendarLayout layout(clock_.Today());
    const RECT area = frame_->CalendarArea();
    layout.Resize(CalRect{area.left, area.top, area.right, area.bottom});
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

TEST_F(DayMenuIconsTest, Dump) {
  const OpenedMenu m = OpenForReal();
  ASSERT_GT(m.width, 0);
  FILE* f = std::fopen("Z:\\work\\shots\\daymenu.ppm", "wb");
  std::fprintf(f, "P6 %d %d 255\n", m.width, m.height);
  for (uint32_t p : m.pixels) {
    unsigned char rgb[3] = {static_cast<unsigned char>(p >> 16), static_cast<unsigned char>(p >> 8), static_cast<unsigned char>(p)};
    std::fwrite(rgb, 1, 3, f);
  }
  std::fclose(f);
  for (size_t i = 0; i < m.items.size(); ++i)
    std::printf("%u: %ld %ld %ld %ld\n", m.ids[i], m.items[i].left, m.items[i].top, m.items[i].right, m.items[i].bottom);
}

}  // namespace
}  // namespace frametest
