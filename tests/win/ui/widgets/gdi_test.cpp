#include "ui/widgets/gdi_win32.h"

#include <gtest/gtest.h>

#include "ui/widgets/double_buffer_win32.h"
#include "win/support/canvas_win32.h"

namespace {

TEST(GdiObject, MovesOwnershipAndDeletesOnce) {
  Brush a(CreateSolidBrush(RGB(1, 2, 3)));
  const HBRUSH h = a.Get();
  ASSERT_NE(h, nullptr);
  Brush b(std::move(a));
  EXPECT_EQ(a.Get(), nullptr);
  EXPECT_EQ(b.Get(), h);
  {
    Brush c;
    c = std::move(b);
    EXPECT_EQ(GetObjectType(h), static_cast<DWORD>(OBJ_BRUSH));
  }
  EXPECT_EQ(GetObjectType(h), 0u);  // deleted with its last owner
}

TEST(SelectGuard, PutsThePreviousObjectBack) {
  MemoryDC dc(nullptr);
  ASSERT_TRUE(dc);
  const HGDIOBJ original = GetCurrentObject(dc.Get(), OBJ_PEN);
  Pen red(CreatePen(PS_SOLID, 1, RGB(255, 0, 0)));
  {
    SelectGuard guard(dc.Get(), red.Get());
    EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_PEN), red.Get());
  }
  EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_PEN), original);
}

TEST(DoubleBuffer, PaintsOffScreenAndPresentsTheAskedArea) {
  Canvas screen(40, 20);
  ASSERT_TRUE(screen.Ok());
  Brush white(CreateSolidBrush(RGB(255, 255, 255)));
  RECT all{0, 0, 40, 20};
  FillRect(screen.Dc(), &all, white.Get());

  DoubleBuffer buffer;
  EXPECT_EQ(buffer.Prepare(screen.Dc(), 0, 20), nullptr);
  const HDC dc = buffer.Prepare(screen.Dc(), 40, 20);
  ASSERT_NE(dc, nullptr);
  Brush green(CreateSolidBrush(RGB(0, 200, 0)));
  FillRect(dc, &all, green.Get());
  EXPECT_EQ(GetPixel(screen.Dc(), 5, 5), RGB(255, 255, 255));  // nothing shows before Present

  // The same size keeps the bitmap and what was painted on it.
  EXPECT_EQ(buffer.Prepare(screen.Dc(), 40, 20), dc);
  EXPECT_EQ(GetPixel(dc, 1, 1), RGB(0, 200, 0));

  ASSERT_TRUE(buffer.Present(screen.Dc(), RECT{10, 0, 20, 20}));
  EXPECT_EQ(GetPixel(screen.Dc(), 10, 5), RGB(0, 200, 0));
  EXPECT_EQ(GetPixel(screen.Dc(), 19, 19), RGB(0, 200, 0));
  EXPECT_EQ(GetPixel(screen.Dc(), 9, 5), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(screen.Dc(), 20, 5), RGB(255, 255, 255));

  ASSERT_NE(buffer.Prepare(screen.Dc(), 60, 30), nullptr);
  EXPECT_EQ(buffer.Width(), 60);
  EXPECT_EQ(buffer.Height(), 30);
}

}  // namespace
