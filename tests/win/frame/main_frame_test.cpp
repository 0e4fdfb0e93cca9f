// The main frame driven with messages: band menus and hover, the tray icon
// and its menu, minimizing to the tray, the web commands, closing.

#include <gtest/gtest.h>

#include <algorithm>

#include "resources/resource.h"
#include "ui/frame/band_layout.h"
#include "win/frame/frame_fixture.h"

namespace frametest {
namespace {

using MainFrameTest = FrameTest;

MSG MouseMessage(HWND hwnd, UINT message, int x, int y) {
  MSG msg{};
  msg.hwnd = hwnd;
  msg.message = message;
  msg.lParam = MAKELPARAM(x, y);
  return msg;
}

POINT Centre(const BandRect &r) {
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

TEST_F(MainFrameTest, BandTitlesSitRightAlignedInTheBandAndTheCalendarBelowIt) {
  OpenFrame();
  RECT client{};
  GetClientRect(frame_->Hwnd(), &client);
  const BandTitles& band = frame_->Band().Layout();
  EXPECT_EQ(band.left, client.right - band.width);
  EXPECT_EQ(band.rects[0].left, band.left);
  for (int i = 1; i < 4; ++i)
    EXPECT_EQ(band.rects[i].left, band.rects[i - 1].right);
  EXPECT_EQ(band.rects[3].right, client.right - 16);
  EXPECT_EQ(band.rects[0].top, 4);
  EXPECT_LT(band.rects[0].bottom, kBandHeight);

  const RECT area = frame_->CalendarRect();
  EXPECT_EQ(area.right, client.right - 311);
  RECT calendar{};
  GetWindowRect(frame_->CalendarHwnd(), &calendar);
  MapWindowPoints(nullptr, frame_->Hwnd(), reinterpret_cast<POINT *>(&calendar),
                  2);
  EXPECT_EQ(calendar.top, kBandHeight);
  EXPECT_EQ(calendar.left, 0);
  EXPECT_EQ(calendar.right, area.right);
  EXPECT_EQ(GetWindowLongPtrW(frame_->CalendarHwnd(), GWLP_ID), 45888);
}

TEST_F(MainFrameTest,
       BandMenusAreTranslatedAndLoseTheChildPlanningReportsUnderGoalZero) {
  struct Case {
    int goal;
    std::vector<std::wstring> reports;
  };
  const Case cases[] = {
      {0, {L"&Statistic", L"&My cycles", L"&Horoscope"}},
      {1,
       {L"&Statistic", L"&Birth", L"&My cycles", L"&Horoscope",
        L"&Chinese Lunar Calendar"}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.goal);
    options_.goal = c.goal;
    OpenFrame();
    menus_.clear();
    const BandRect reports = frame_->Band().Layout().rects[2];
    const POINT p = Centre(reports);
    MSG click = MouseMessage(frame_->Hwnd(), WM_LBUTTONDOWN, p.x, p.y);
    EXPECT_FALSE(RouteMouse(click));  // never eaten
    ASSERT_EQ(menus_.size(), 1u);
    std::vector<std::wstring> texts;
    for (const MenuEntry &e : menus_[0])
      texts.push_back(e.text);
    EXPECT_EQ(texts, c.reports);
    // Opened under the title's left edge, with mouse routing held meanwhile.
    POINT expected{reports.left, reports.bottom + 4};
    ClientToScreen(frame_->Hwnd(), &expected);
    EXPECT_EQ(menuPoints_[0].x, expected.x);
    EXPECT_EQ(menuPoints_[0].y, expected.y);
    EXPECT_TRUE(menuFlags_[0] & TPM_RIGHTBUTTON);
    EXPECT_TRUE(suspendedWhileOpen_[0]);
    EXPECT_FALSE(frame_->MouseRoutingSuspended());
  }
}

TEST_F(MainFrameTest, FileAndHelpMenusHoldTheirCommandsAndAChoiceIsRun) {
  OpenFrame();
  const auto open = [&](int title) {
    const POINT p = Centre(frame_->Band().Layout().rects[static_cast<size_t>(title)]);
    MSG click = MouseMessage(frame_->Hwnd(), WM_LBUTTONDOWN, p.x, p.y);
    RouteMouse(click);
    return menus_.back();
  };
  const std::vector<MenuEntry> file = open(0);
  EXPECT_EQ(Ids(file),
            (std::vector<UINT>{ID_FILE_LOGOUT, ID_FILE_CONFIGURE,
                               ID_FILE_PRINTALL, ID_FILE_BACKUP,
                               ID_FILE_RESTORE, ID_FILE_EXPORT, ID_FILE_EXIT}));
  ASSERT_EQ(file.size(), 9u);
  EXPECT_EQ(file[4].text, L"&Back up...");
  EXPECT_EQ(file[5].text, L"&Restore...");
  EXPECT_EQ(file[6].text, L"E&xport...");
  EXPECT_EQ(open(1)[1].text, L"&Previos month");
  EXPECT_EQ(Ids(open(3)), (std::vector<UINT>{ID_HELP_CONTENTS, ID_HELP_HOME,
                                             ID_HELP_CHECK_NEW_VER,
                                             ID_HELP_FEEDBACK, ID_APP_ABOUT}));
  // Choosing Send feedback opens the support mail.
  menuAnswer_ = ID_HELP_FEEDBACK;
  open(3);
  ASSERT_EQ(opened_.size(), 1u);
  EXPECT_EQ(
      opened_[0],
      L"mailto:support@tamarel.example?Subject=\"Tamarel - support request\"");
}

TEST_F(MainFrameTest,
       ClicksAndMovesOutsideTheTitlesOpenNothingAndHoverFollowsTheMouse) {
  OpenFrame();
  const BandRect file = frame_->Band().Layout().rects[0];
  // Below the title's rectangle, still in the band.
  MSG below = MouseMessage(frame_->Hwnd(), WM_LBUTTONDOWN, file.left + 5, file.bottom + 10);
  RouteMouse(below);
  MSG left = MouseMessage(frame_->Hwnd(), WM_LBUTTONDOWN, 20, 20);
  RouteMouse(left);
  EXPECT_TRUE(menus_.empty());

  const POINT p = Centre(frame_->Band().Layout().rects[1]);
  MSG move = MouseMessage(frame_->Hwnd(), WM_MOUSEMOVE, p.x, p.y);
  RouteMouse(move);
  EXPECT_EQ(frame_->Band().Hovered(), 1);
  MSG away = MouseMessage(frame_->Hwnd(), WM_MOUSEMOVE, p.x, 50);
  RouteMouse(away);
  EXPECT_EQ(frame_->Band().Hovered(), -1);
  RouteMouse(move);
  // Into the calendar: the band forgets its hover.
  MSG calendar = MouseMessage(frame_->CalendarHwnd(), WM_MOUSEMOVE, 30, 30);
  RouteMouse(calendar);
  EXPECT_EQ(frame_->Band().Hovered(), -1);
}

// The hovered title stands out as a raised button: its top edge in the
// theme's pale colour, its bottom edge in the dark one.
TEST_F(MainFrameTest, TheHoveredTitleIsRaisedOverTheBand) {
  OpenFrame();
  const BandRect help = frame_->Band().Layout().rects[3];
  const BandRect edge = HoverFrame(help);
  // The band is a child window at the frame's top left: its coordinates
  // are the frame's.
  const HWND band = frame_->Band().Hwnd();
  const auto countRow = [&](int y, ColorRef colour) {
    UpdateWindow(band);
    HDC dc = GetDC(band);
    int n = 0;
    for (int x = edge.left; x < edge.right - 1; ++x) {
      if (GetPixel(dc, x, y) == static_cast<COLORREF>(colour)) ++n;
    }
    ReleaseDC(band, dc);
    return n;
  };
  const int width = edge.right - 1 - edge.left;
  ASSERT_GT(width, 10);
  const int paleBefore = countRow(edge.top, options_.theme.pale);
  const int darkBefore = countRow(edge.bottom - 1, options_.theme.dark);
  EXPECT_LT(paleBefore, width);
  EXPECT_LT(darkBefore, width);
  const POINT p = Centre(help);
  MSG move = MouseMessage(frame_->Hwnd(), WM_MOUSEMOVE, p.x, p.y);
  RouteMouse(move);
  EXPECT_EQ(countRow(edge.top, options_.theme.pale), width);
  EXPECT_EQ(countRow(edge.bottom - 1, options_.theme.dark), width);
}

TEST_F(MainFrameTest, TrayIconCarriesTheTooltipAndItsMenu) {
  OpenFrame();
  const NOTIFYICONDATAW& tray = frame_->Tray().Icon().Data();
  EXPECT_EQ(tray.uID, 128u);
  EXPECT_EQ(tray.uCallbackMessage, UINT{WM_USER + 87});
  EXPECT_NE(tray.hIcon, nullptr);
  // An empty calendar: no claim about her days, only that none is marked.
  EXPECT_EQ(std::wstring(tray.szTip),
            L"Tamarel \u2013 no period marked yet\nToday is 15.6.2024");

  SendMessageW(frame_->Hwnd(), CMainFrame::kTrayMessage, 0, WM_RBUTTONDOWN);
  ASSERT_EQ(menus_.size(), 1u);
  std::vector<std::wstring> texts;
  for (const MenuEntry &e : menus_[0])
    texts.push_back(e.text);
  EXPECT_EQ(texts, (std::vector<std::wstring>{L"&Show Tamarel", L"",
                                              L"&Contents", L"&About", L"",
                                              L"Co&nfigure", L"&Exit"}));
  EXPECT_EQ(Ids(menus_[0]),
            (std::vector<UINT>{ID_TRAY_SHOW, ID_HELP_CONTENTS, ID_APP_ABOUT,
                               ID_FILE_CONFIGURE, ID_FILE_EXIT}));

  // Contents and Home open the site's pages in the current language.
  SendMessageW(frame_->Hwnd(), WM_COMMAND, ID_HELP_CONTENTS, 0);
  SendMessageW(frame_->Hwnd(), WM_COMMAND, ID_HELP_HOME, 0);
  EXPECT_EQ(opened_,
            (std::vector<std::wstring>{L"https://tamarel.example/en/support",
                                       L"https://tamarel.example/"}));
}

TEST_F(MainFrameTest, MinimizingHidesAndATrayClickRestoresMaximizedWhenItWas) {
  OpenFrame();
  const HWND hwnd = frame_->Hwnd();
  ShowWindow(hwnd, SW_MAXIMIZE);
  EXPECT_TRUE(frame_->Placement().WasMaximized());
  ShowWindow(hwnd, SW_MINIMIZE);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(hwnd); }, 5000));

  // The wake message of a second start is the tray's left click.
  SendMessageW(hwnd, CMainFrame::kTrayMessage, 0, WM_LBUTTONDOWN);
  EXPECT_TRUE(
      WaitUntil([&] { return IsWindowVisible(hwnd) && IsZoomed(hwnd); }, 5000));

  ShowWindow(hwnd, SW_RESTORE);
  EXPECT_FALSE(frame_->Placement().WasMaximized());
  ShowWindow(hwnd, SW_MINIMIZE);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(hwnd); }, 5000));
  SendMessageW(hwnd, WM_COMMAND, ID_TRAY_SHOW, 0);
  EXPECT_TRUE(WaitUntil(
      [&] {
        return IsWindowVisible(hwnd) && !IsIconic(hwnd) && !IsZoomed(hwnd);
      },
      5000));
}

TEST_F(MainFrameTest,
       TheWindowKeepsItsMinimumSizeAndClosingStoresItsRectangleOnce) {
  OpenFrame();
  const HWND hwnd = frame_->Hwnd();
  MoveWindow(hwnd, 40, 30, 500, 400, TRUE);
  RECT r{};
  GetWindowRect(hwnd, &r);
  EXPECT_EQ(r.right - r.left, 900);
  EXPECT_EQ(r.bottom - r.top, 800);
  MoveWindow(hwnd, 40, 30, 1000, 820, TRUE);

  SendMessageW(hwnd, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_FALSE(frame_->Tray().Icon().Added());
  EXPECT_EQ(options_.x1, 40);
  EXPECT_EQ(options_.y1, 30);
  EXPECT_EQ(options_.x2, 1040);
  EXPECT_EQ(options_.y2, 850);
  const StoredValue *x2 = store_.Get(SettingsKey::kSettings, u"x2");
  ASSERT_NE(x2, nullptr);
  ASSERT_EQ(x2->data.size(), 4u);
  EXPECT_EQ(x2->data[0] | (x2->data[1] << 8), 1040);
}

// The help file sits beside the program whatever the executable is called;
// without it Help > Contents falls back to the support page.
TEST_F(MainFrameTest, TheHelpFileIsLookedForBesideTheProgramUnderAnyName) {
  OpenFrame();
  wchar_t module[MAX_PATH] = {};
  ASSERT_GT(GetModuleFileNameW(nullptr, module, MAX_PATH), 0u);
  std::wstring folder(module);
  folder.resize(folder.find_last_of(L'\\') + 1);
  EXPECT_EQ(frame_->Help().Path(), folder + L"tamarel_help.chm");

  ASSERT_EQ(GetFileAttributesW(frame_->Help().Path().c_str()), INVALID_FILE_ATTRIBUTES);
  SendMessageW(frame_->Hwnd(), WM_COMMAND, MAKEWPARAM(ID_HELP_CONTENTS, 0), 0);
  ASSERT_EQ(opened_.size(), 1u);
  EXPECT_NE(opened_[0].find(L"/en/support"), std::wstring::npos) << opened_[0];
}

} // namespace
} // namespace frametest
