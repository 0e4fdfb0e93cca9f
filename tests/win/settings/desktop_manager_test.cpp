// The desktop calendar drawn into its picture over a wallpaper of the test's
// own, and the wallpaper put back: with a recorded environment, and once
// with the system's own wallpaper calls.

#include <gtest/gtest.h>

#include <fstream>

#include "settings/options_manager.h"
#include "ui/calendar/calendar_layout.h"
#include "ui/desktop/desktop_manager_win32.h"
#include "ui/desktop/desktop_picture.h"
#include "win/frame/frame_fixture.h"

namespace frametest {
namespace {

constexpr int kScreenWidth = 320;
constexpr int kScreenHeight = 240;

class DesktopManagerTest : public ModelTest {
 protected:
  void SetUp() override {
    ModelTest::SetUp();
    // Her wallpaper: one plain colour (blue 40, green 90, red 160).
    Image24 wallpaper(64, 48);
    for (int y = 0; y < 48; ++y) {
      for (int x = 0; x < 64; ++x) {
        uint8_t* p = wallpaper.View().At(x, y);
        p[0] = 40;
        p[1] = 90;
        p[2] = 160;
      }
    }
    wallpaperPath_ = (dir_.path() / "beach.bmp").wstring();
    const std::vector<uint8_t> bmp = EncodeBmp(wallpaper.View());
    std::ofstream(dir_.path() / "beach.bmp", std::ios::binary)
        .write(reinterpret_cast<const char*>(bmp.data()), static_cast<std::streamsize>(bmp.size()));
    current_ = wallpaperPath_;
  }

  DesktopManager::Environment Recorded() {
    DesktopManager::Environment env;
    env.readWallpaper = [this]() -> std::optional<std::wstring> { return current_; };
    env.setWallpaper = [this](const std::wstring& path) {
      installed_.push_back(path);
      current_ = path;
      return true;
    };
    env.pictureFolder = dir_.path() / "Zenthal" / "Tamarel";
    env.screen = SIZE{kScreenWidth, kScreenHeight};
    return env;
  }

  std::vector<uint8_t> PictureBytes(const DesktopManager& desktop) {
    std::ifstream in(desktop.PicturePath(), std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
  }

  // Blue, green, red of the picture's pixel (x, y), counted from the top.
  static std::array<int, 3> PixelAt(const std::vector<uint8_t>& bmp, int x, int y) {
    const size_t stride = (kScreenWidth * 3 + 3) & ~3;
    const size_t at = 54 + stride * static_cast<size_t>(kScreenHeight - 1 - y) + static_cast<size_t>(x) * 3;
    return {bmp[at], bmp[at + 1], bmp[at + 2]};
  }

  MemorySettingsStore programKey_;
  std::wstring wallpaperPath_;
  std::wstring current_;
  std::vector<std::wstring> installed_;
};

TEST_F(DesktopManagerTest, CalendarOnDrawsThisMonthOverHerWallpaperAndOffPutsItBack) {
  // Today (15 June 2024) starts a period: its cell is painted in the flow colour.
  ASSERT_EQ(model_->SetStart(clock_.Today()), SaveResult::kDone);
  options_.showDesctop = true;
  options_.desk_x = 20;
  options_.desk_y = 10;
  options_.desk_scale = 50;
  options_.desk_trans = 255;
  DesktopManager desktop(options_, *model_, locale_, clock_, programKey_, Recorded());
  desktop.Update(nullptr);

  ASSERT_EQ(installed_, std::vector<std::wstring>{desktop.PicturePath().wstring()});
  EXPECT_EQ(desktop.RecordedWallpaper(), wallpaperPath_);
  const std::vector<uint8_t> bmp = PictureBytes(desktop);
  const size_t stride = (kScreenWidth * 3 + 3) & ~3;
  ASSERT_EQ(bmp.size(), 54 + stride * kScreenHeight);
  EXPECT_EQ(bmp[0], 'B');
  EXPECT_EQ(bmp[1], 'M');

  // Outside the square (side 50 % of the shorter side 240 = 120 at 20, 10,
  // which the screen holds) her wallpaper, stretched.
  const int side = CalendarSide(kScreenWidth, kScreenHeight, 20, 10, 50);
  ASSERT_EQ(side, 120);
  for (auto [x, y] : {std::pair{5, 5}, {19, 50}, {20 + side, 50}, {kScreenWidth - 1, kScreenHeight - 1}}) {
    const std::array<int, 3> p = PixelAt(bmp, x, y);
    EXPECT_NEAR(p[0], 40, 2) << x << "," << y;
    EXPECT_NEAR(p[1], 90, 2) << x << "," << y;
    EXPECT_NEAR(p[2], 160, 2) << x << "," << y;
  }
  // Today's cell, inside the square: the flow colour (0x3232FF: red 255,
  // green 50, blue 50) at full opacity, each channel x 255 / 256.
  const MonthLayout month = MonthLayout::Build(2024, 5, Rect{0, 0, side, side});
  const DayCell* today = nullptr;
  for (const DayCell& cell : month.days) {
    if (cell.day == 15) today = &cell;
  }
  ASSERT_NE(today, nullptr);
  const std::array<int, 3> flow = PixelAt(bmp, 20 + today->rect.left + 2, 10 + today->rect.top + 2);
  EXPECT_EQ(flow, (std::array<int, 3>{50 * 255 / 256, 50 * 255 / 256, 255 * 255 / 256}));

  // Redrawn with the calendar installed: her wallpaper stays recorded.
  desktop.Update(nullptr);
  EXPECT_EQ(desktop.RecordedWallpaper(), wallpaperPath_);
  EXPECT_EQ(installed_.size(), 2u);

  // Off: her wallpaper comes back; a further update changes nothing.
  options_.showDesctop = false;
  desktop.Update(nullptr);
  EXPECT_EQ(current_, wallpaperPath_);
  desktop.Update(nullptr);
  EXPECT_EQ(installed_.size(), 3u);
}

TEST_F(DesktopManagerTest, ClosingPutsHerWallpaperBackOnlyOverTheCalendar) {
  options_.showDesctop = true;
  DesktopManager desktop(options_, *model_, locale_, clock_, programKey_, Recorded());
  desktop.Update(nullptr);
  ASSERT_EQ(current_, desktop.PicturePath().wstring());
  desktop.RestoreWallpaper();
  EXPECT_EQ(current_, wallpaperPath_);
  // She changed her wallpaper herself meanwhile: closing leaves it.
  current_ = L"C:\\her\\new.jpg";
  desktop.RestoreWallpaper();
  EXPECT_EQ(current_, L"C:\\her\\new.jpg");
}

TEST_F(DesktopManagerTest, StartAfterACrashWithTheCalendarOffRestoresHerWallpaper) {
  options_.showDesctop = true;
  {
    DesktopManager crashed(options_, *model_, locale_, clock_, programKey_, Recorded());
    crashed.Update(nullptr);
  }
  options_.showDesctop = false;
  DesktopManager next(options_, *model_, locale_, clock_, programKey_, Recorded());
  next.Update(nullptr);
  EXPECT_EQ(current_, wallpaperPath_);
}

TEST_F(DesktopManagerTest, AnUnloadablePictureGivesThePlainDesktopColourAndIsStillRecorded) {
  current_ = (dir_.path() / "not-a-picture.jpg").wstring();
  std::ofstream(dir_.path() / "not-a-picture.jpg") << "no picture here";
  options_.showDesctop = true;
  options_.desk_trans = 0;
  DesktopManager desktop(options_, *model_, locale_, clock_, programKey_, Recorded());
  desktop.Update(nullptr);
  EXPECT_EQ(desktop.RecordedWallpaper(), (dir_.path() / "not-a-picture.jpg").wstring());
  const std::vector<uint8_t> bmp = PictureBytes(desktop);
  ASSERT_GT(bmp.size(), 54u);
  const COLORREF desk = GetSysColor(COLOR_DESKTOP);
  EXPECT_EQ(PixelAt(bmp, kScreenWidth - 1, 0), (std::array<int, 3>{GetBValue(desk), GetGValue(desk), GetRValue(desk)}));
}

// The system's own wallpaper calls: the desktop's wallpaper is the picture
// while the calendar is on, and hers again after closing.
TEST_F(DesktopManagerTest, SystemWallpaperIsThePictureAndComesBackAtClose) {
  wchar_t before[MAX_PATH + 1] = {};
  SystemParametersInfoW(SPI_GETDESKWALLPAPER, MAX_PATH, before, 0);
  DesktopManager::Environment env = DesktopManager::SystemEnvironment(dir_.path() / "data");
  ASSERT_TRUE(env.setWallpaper(wallpaperPath_));
  options_.showDesctop = true;
  DesktopManager desktop(options_, *model_, locale_, clock_, programKey_, env);
  desktop.Update(nullptr);
  wchar_t now[MAX_PATH + 1] = {};
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETDESKWALLPAPER, MAX_PATH, now, 0));
  EXPECT_EQ(std::wstring(now), desktop.PicturePath().wstring());
  EXPECT_TRUE(std::filesystem::exists(desktop.PicturePath()));
  desktop.RestoreWallpaper();
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETDESKWALLPAPER, MAX_PATH, now, 0));
  EXPECT_EQ(std::wstring(now), wallpaperPath_);
  env.setWallpaper(before);
}

}  // namespace
}  // namespace frametest
