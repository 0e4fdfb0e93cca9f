#include "ui/desktop/wallpaper_path.h"

#include <gtest/gtest.h>

namespace {

std::optional<std::u16string> Env(std::u16string_view name) {
  if (name == u"SystemRoot") return u"C:\\windows";
  if (name == u"Pics") return u"D:\\Pictures";
  return std::nullopt;
}

TEST(ResolveWallpaperPath, TrimsAndExpandsALeadingVariable) {
  struct Case {
    std::u16string_view stored, resolved;
  };
  const Case cases[] = {
      {u"  C:\\Users\\me\\beach.jpg \t", u"C:\\Users\\me\\beach.jpg"},
      {u"%SystemRoot%\\Web\\Wallpaper\\bliss.bmp", u"C:\\windows\\Web\\Wallpaper\\bliss.bmp"},
      {u"%Pics%cat.jpg", u"D:\\Pictures\\cat.jpg"},
      {u"%Unset%\\x.bmp", u"%Unset%\\x.bmp"},  // an unset variable leaves the path
      {u"%x.bmp", u"%x.bmp"},                   // only one "%": nothing to expand
      {u"", u""},
      {u"   ", u""},
  };
  for (const Case& c : cases) EXPECT_EQ(ResolveWallpaperPath(c.stored, Env), c.resolved);
}

TEST(IsCalendarPicture, OnlyTheCalendarsOwnFileName) {
  EXPECT_TRUE(IsCalendarPicture(u"C:\\windows\\system32\\Desk_Cal"));
  EXPECT_TRUE(IsCalendarPicture(u"C:\\Users\\me\\AppData\\Roaming\\Zenthal\\Tamarel\\Desk_Cal.bmp"));
  EXPECT_TRUE(IsCalendarPicture(u"c:\\x\\DESK_CAL.BMP"));
  EXPECT_TRUE(IsCalendarPicture(u"Desk_Cal"));
  EXPECT_FALSE(IsCalendarPicture(u"C:\\x\\Desk_Cal2.bmp"));
  EXPECT_FALSE(IsCalendarPicture(u"C:\\Desk_Cal\\beach.bmp"));
  EXPECT_FALSE(IsCalendarPicture(u""));
}

TEST(PlanDesktopUpdate, RecordsTheUsersWallpaperAndPutsItBackOnlyOverTheCalendar) {
  const std::u16string mine = u"C:\\me\\beach.jpg";
  const std::u16string calendar = u"C:\\data\\Desk_Cal.bmp";
  using Install = DesktopPlan::Install;

  // Switching on over her own wallpaper: it is recorded and drawn under the month.
  DesktopPlan p = PlanDesktopUpdate(true, mine, std::nullopt);
  EXPECT_EQ(p.record, mine);
  EXPECT_EQ(p.background, mine);
  EXPECT_FALSE(p.abandonWithoutBackground);
  EXPECT_EQ(p.install, Install::kCalendar);

  // Redrawing over the installed calendar: the recorded wallpaper is the
  // background, never the calendar picture itself.
  p = PlanDesktopUpdate(true, calendar, mine);
  EXPECT_FALSE(p.record.has_value());
  EXPECT_EQ(p.background, mine);
  EXPECT_TRUE(p.abandonWithoutBackground);
  EXPECT_EQ(p.install, Install::kCalendar);

  // Switching off (or starting after a crash) with the calendar showing.
  p = PlanDesktopUpdate(false, calendar, mine);
  EXPECT_EQ(p.install, Install::kRecorded);
  EXPECT_EQ(p.recorded, mine);
  // Off, with nothing recorded: the wallpaper stays as it is.
  EXPECT_EQ(PlanDesktopUpdate(false, calendar, std::nullopt).install, Install::kNothing);
  // Off, over her own wallpaper: nothing installed, a stale record is replaced.
  p = PlanDesktopUpdate(false, mine, u"C:\\old.bmp");
  EXPECT_EQ(p.install, Install::kNothing);
  EXPECT_EQ(p.record, mine);

  // No wallpaper at all: recorded as empty, so switching off brings back none;
  // the calendar goes on the plain desktop colour.
  p = PlanDesktopUpdate(true, u"", u"C:\\old.bmp");
  EXPECT_EQ(p.record, u"");
  EXPECT_EQ(p.background, u"");
  EXPECT_EQ(PlanDesktopUpdate(false, calendar, u"").install, Install::kRecorded);
  EXPECT_FALSE(PlanDesktopUpdate(true, calendar, u"").abandonWithoutBackground);
}

}  // namespace
