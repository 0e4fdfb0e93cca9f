// The info pane and the today dialog on known cycle data: today's line, the
// selected day's class, note, tip and temperature, the temperature entry and
// the look ahead to the next menstruation, ovulation and birth.

#include <gtest/gtest.h>

#include "env/wide_win32.h"
#include "model/day_class.h"
#include "resources/pane_ids.h"
#include "resources/resource.h"
#include "support/full_database.h"
#include "ui/panes/day_info_dlg_win32.h"
#include "ui/panes/pane_info_win32.h"
#include "win/panes/panes_fixture.h"

namespace panetest {
namespace {

using InfoPaneTest = PaneTest;

std::wstring Item(const CPaneInfo &pane, int id) {
  return TextOf(pane.Item(id));
}

TEST_F(InfoPaneTest, TodayLineCountsFromTheLastStart) {
  {
    const auto pane = Open<CPaneInfo>();
    EXPECT_EQ(Item(*pane, IDC_INFO_TODAY), L"Today is 15.6.2024");
    EXPECT_EQ(Item(*pane, IDC_INFO_PERIOD), L"&Period");
  }
  Start(PackedDate(5, 6, 2024));
  const auto pane = Open<CPaneInfo>();
  // The start day counts as day 1.
  EXPECT_EQ(Item(*pane, IDC_INFO_TODAY),
            L"Today is 15.6.2024 (day 11 of period)");
  // A start stored ahead of today (the clock was set back since) does not count
  // yet.
  StoreDay(
      Day(PackedDate(1, 7, 2024), true, false, false, false, false, false, 0));
  pane->Refresh(false);
  EXPECT_EQ(Item(*pane, IDC_INFO_TODAY),
            L"Today is 15.6.2024 (day 11 of period)");
  // A start recorded later shows at the next refresh, forced or not.
  Start(PackedDate(15, 6, 2024));
  pane->Refresh(false);
  EXPECT_EQ(Item(*pane, IDC_INFO_TODAY),
            L"Today is 15.6.2024 (day 1 of period)");
}

// One start on 1 June and a 28-day cycle: 1 June is a flow day, 15 June the
// ovulation, 29 June the predicted start.
TEST_F(InfoPaneTest, ClassNoteTipAndTemperatureOfTheSelectedDay) {
  Start(PackedDate(1, 6, 2024));
  StoreDay(Day(PackedDate(2, 6, 2024), false, false, false, false, false, false,
               36.6, u"Cramps"));
  StoreDay(Day(PackedDate(15, 6, 2024), false, false, true, false, false, false,
               97.9));
  options_.goal = 1;
  options_.farinheit = true;  // the Celsius day is shown in Fahrenheit too
  const struct {
    PackedDate date;
    const wchar_t *label;
    const wchar_t *temperature;
    const char16_t *note; // the pane names the day first
  } cases[] = {
      {PackedDate(2, 6, 2024), L"Menstrual flow", L"97.9 F", u"Sunday, 02.06.2024\r\nNote: Cramps\r\n"},
      {PackedDate(15, 6, 2024), L"Ovulation", L"97.9 F", u"Saturday, 15.06.2024\r\n"},
      {PackedDate(29, 6, 2024), L"Prognozed cycle", L"Set Temperature", u"Saturday, 29.06.2024\r\n"},
      {PackedDate(1, 6, 2024), L"Menstrual flow", L"Set Temperature", u"Saturday, 01.06.2024\r\n"},  // marks only
  };
  host_.selected = cases[0].date;
  const auto pane = Open<CPaneInfo>();
  for (const auto &c : cases) {
    host_.selected = c.date;
    pane->Refresh(false);
    EXPECT_EQ(Item(*pane, IDC_INFO_CLASS), c.label) << FormatDate(c.date);
    EXPECT_EQ(Item(*pane, IDC_INFO_TEMPERATURE), c.temperature)
        << FormatDate(c.date);
    const std::u16string tip = model_->GetTip(c.date);
    // What the prediction stands on follows: one start, no counted cycle.
    EXPECT_EQ(Item(*pane, IDC_INFO_TEXT),
              ToWide(c.note + tip + u"\r\nBased on the default 28-day cycle"))
        << FormatDate(c.date);
  }
  EXPECT_EQ(model_->GetTip(PackedDate(15, 6, 2024)),
            u"Your chances of becoming pregnant are good");
}

TEST_F(InfoPaneTest, NoteTipAndTemperatureFollowOnlyADateChangeUnlessForced) {
  const PackedDate june20(20, 6, 2024), june21(21, 6, 2024);
  host_.selected = june20;
  const auto pane = Open<CPaneInfo>();
  EXPECT_EQ(Item(*pane, IDC_INFO_TEMPERATURE), L"Set Temperature");
  StoreDay(
      Day(june20, false, false, false, false, false, false, 36.8, u"later"));
  pane->Refresh(false);
  EXPECT_EQ(Item(*pane, IDC_INFO_TEMPERATURE), L"Set Temperature")
      << "same date, not forced";
  EXPECT_EQ(Item(*pane, IDC_INFO_TEXT).find(L"later"), std::wstring::npos);
  pane->Refresh(true);
  EXPECT_EQ(Item(*pane, IDC_INFO_TEMPERATURE), L"98.2 F");
  // A change of unit shows at the next refresh, though the day is the same.
  options_.farinheit = false;
  pane->Refresh(false);
  EXPECT_EQ(Item(*pane, IDC_INFO_TEMPERATURE), L"36.8 C");
  EXPECT_EQ(Item(*pane, IDC_INFO_TEXT)
                .rfind(L"Thursday, 20.06.2024\r\nNote: later\r\n", 0),
            0u);
  host_.selected = june21;
  pane->Refresh(false);
  EXPECT_EQ(Item(*pane, IDC_INFO_TEMPERATURE), L"Set Temperature")
      << "another date";
}

TEST_F(InfoPaneTest, TodayButtonShowsTheCurrentMonth) {
  const auto pane = Open<CPaneInfo>();
  Click(pane->Hwnd(), IDC_INFO_TODAY);
  EXPECT_EQ(host_.showToday, 1);
}

// The temperature button opens the entry with an empty field for a day
// without a temperature; what the user then types is stored as a record with
// only the temperature.
TEST_F(InfoPaneTest, TemperatureOfADayWithoutARecord) {
  const PackedDate june20(20, 6, 2024);
  host_.selected = june20;
  options_.farinheit = true;
  const auto pane = Open<CPaneInfo>();
  host_.onDaysChanged = [&] { pane->Refresh(true); };
  std::wstring shown = L"?", unit;
  DialogDriver driver([&](HWND dialog) {
    shown = DialogDriver::Text(GetDlgItem(dialog, IDC_TEMPERATURE_EDIT));
    unit = DialogDriver::Text(GetDlgItem(dialog, IDC_TEMPERATURE_UNIT));
    SetWindowTextW(GetDlgItem(dialog, IDC_TEMPERATURE_EDIT), L"98.6");
    DialogDriver::Click(dialog, IDOK);
  });
  Click(pane->Hwnd(), IDC_INFO_TEMPERATURE);
  ASSERT_TRUE(driver.Ran());
  EXPECT_EQ(shown, L"");
  EXPECT_EQ(unit, L"F");
  const std::unique_ptr<Day> stored = model_->GetDay(june20);
  ASSERT_TRUE(stored);
  EXPECT_DOUBLE_EQ(stored->temperature, 98.6);
  EXPECT_FALSE(stored->menstruationStart || stored->menstruationEnd || stored->sex || stored->pill ||
               stored->goodMood || stored->badMood || stored->note);
  EXPECT_EQ(host_.daysChanged, 1);
  EXPECT_EQ(Item(*pane, IDC_INFO_TEMPERATURE), L"98.6 F");
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(InfoPaneTest, TemperatureOfARecordedDayKeepsItsMarks) {
  const PackedDate june20(20, 6, 2024);
  StoreDay(Day(june20, false, false, true, false, true, false, 36.6, u"note"));
  host_.selected = june20;
  options_.farinheit = false;
  const auto pane = Open<CPaneInfo>();
  std::wstring shown;
  {
    DialogDriver cancel([&](HWND dialog) {
      shown = DialogDriver::Text(GetDlgItem(dialog, IDC_TEMPERATURE_EDIT));
      SetWindowTextW(GetDlgItem(dialog, IDC_TEMPERATURE_EDIT), L"39");
      DialogDriver::Click(dialog, IDCANCEL);
    });
    Click(pane->Hwnd(), IDC_INFO_TEMPERATURE);
    ASSERT_TRUE(cancel.Ran());
  }
  EXPECT_EQ(shown, L"36.6");
  EXPECT_DOUBLE_EQ(model_->GetDay(june20)->temperature, 36.6)
      << "cancel stores nothing";

  DialogDriver ok([&](HWND dialog) {
    SetWindowTextW(GetDlgItem(dialog, IDC_TEMPERATURE_EDIT), L"37.1");
    DialogDriver::Click(dialog, IDOK);
  });
  Click(pane->Hwnd(), IDC_INFO_TEMPERATURE);
  ASSERT_TRUE(ok.Ran());
  const std::unique_ptr<Day> stored = model_->GetDay(june20);
  ASSERT_TRUE(stored);
  EXPECT_DOUBLE_EQ(stored->temperature, 37.1);
  EXPECT_TRUE(stored->sex && stored->goodMood);
  EXPECT_EQ(stored->note, u"note");
}

// No proposed value in either unit, for a day with no record or one with
// marks but no temperature; switching the unit keeps the field empty.
TEST_F(InfoPaneTest, ADayWithoutATemperatureOpensEmptyInEitherUnit) {
  const PackedDate marked(21, 6, 2024);
  StoreDay(Day(marked, false, false, true, false, false, false, 0));
  for (const PackedDate& day : {PackedDate(20, 6, 2024), marked}) {
    for (const bool fahrenheit : {true, false}) {
      host_.selected = day;
      options_.farinheit = fahrenheit;
      const auto pane = Open<CPaneInfo>();
      std::wstring shown = L"?", afterSwitch = L"?";
      DialogDriver driver([&](HWND dialog) {
        shown = DialogDriver::Text(GetDlgItem(dialog, IDC_TEMPERATURE_EDIT));
        const HWND unit = GetDlgItem(dialog, IDC_TEMPERATURE_UNIT);
        SendMessageW(unit, CB_SETCURSEL, fahrenheit ? 1 : 0, 0);
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_TEMPERATURE_UNIT, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(unit));
        afterSwitch = DialogDriver::Text(GetDlgItem(dialog, IDC_TEMPERATURE_EDIT));
        DialogDriver::Click(dialog, IDCANCEL);
      });
      Click(pane->Hwnd(), IDC_INFO_TEMPERATURE);
      ASSERT_TRUE(driver.Ran());
      EXPECT_EQ(shown, L"") << FormatDate(day) << " fahrenheit " << fahrenheit;
      EXPECT_EQ(afterSwitch, L"") << FormatDate(day) << " fahrenheit " << fahrenheit;
      EXPECT_EQ(options_.farinheit, !fahrenheit) << "the switch is kept";
    }
  }
  EXPECT_FALSE(model_->GetDay(PackedDate(20, 6, 2024)));
  EXPECT_DOUBLE_EQ(model_->GetDay(marked)->temperature, 0);
}

TEST_F(InfoPaneTest, ATemperatureThatCannotBeSavedIsToldToTheUser) {
  const auto full = testsupport::WriteFullDatabase("panes-full");
  clock_.Set(PackedDate(15, 6, 2020));
  MakeModel(full);
  host_.selected = PackedDate(10, 6, 2020);
  {
    const auto pane = Open<CPaneInfo>();
    DialogDriver driver([&](HWND dialog) {
      SetWindowTextW(GetDlgItem(dialog, IDC_TEMPERATURE_EDIT), L"98.2");
      DialogDriver::Click(dialog, IDOK);
    });
    Click(pane->Hwnd(), IDC_INFO_TEMPERATURE);
    ASSERT_TRUE(driver.Ran());
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text,
              L"The calendar file is full: no more days can be stored.");
    EXPECT_EQ(boxes_[0].caption, L"Error");
    EXPECT_EQ(boxes_[0].type & MB_ICONMASK, UINT{MB_ICONINFORMATION});
    EXPECT_FALSE(model_->GetDay(PackedDate(10, 6, 2020)));
  }
  model_.reset();
  std::filesystem::remove(full);
}

struct TodayDialogView {
  std::wstring caption, today, menstruation, ovulation, birth, note, tip, group;
  bool birthShown = false, genderShown = false, hasIcon = false;
};

using TodayDialogTest = PaneTest;

TodayDialogView RunTodayDialog(CDayInfoDlg &dialog, HWND owner) {
  TodayDialogView view;
  DialogDriver driver([&](HWND h) {
    const auto text = [h](int id) {
      return DialogDriver::Text(GetDlgItem(h, id));
    };
    view.caption = DialogDriver::Text(h);
    view.today = text(IDC_DAYINFO_TODAY);
    view.menstruation = text(IDC_DAYINFO_MENSTRUATION);
    view.ovulation = text(IDC_DAYINFO_OVULATION);
    view.birth = text(IDC_DAYINFO_BIRTH);
    view.note = text(IDC_DAYINFO_NOTE);
    view.tip = text(IDC_DAYINFO_TIP);
    view.group = text(IDC_DAYINFO_NOTE_GROUP);
    view.birthShown = IsWindowVisible(GetDlgItem(h, IDC_DAYINFO_BIRTH));
    view.genderShown = IsWindowVisible(GetDlgItem(h, IDC_DAYINFO_GENDER));
    view.hasIcon = SendMessageW(h, WM_GETICON, ICON_BIG, 0) != 0;
    DialogDriver::Click(h, IDOK);
  });
  EXPECT_EQ(dialog.DoModal(owner), IDOK);
  EXPECT_TRUE(driver.Ran());
  return view;
}

// Start on 1 June, 28-day cycle, today 10 June: girl days 11-14 June,
// ovulation 15 June, predicted start 29 June.
TEST_F(TodayDialogTest, ShowsTheComingDatesOfKnownCycles) {
  Start(PackedDate(1, 6, 2024));
  clock_.Set(PackedDate(10, 6, 2024));
  StoreDay(Day(PackedDate(10, 6, 2024), false, false, false, false, false,
               false, 0, u"Dentist at 9"));
  options_.goal = 3;
  CDayInfoDlg dialog(Context());
  const TodayDialogView view = RunTodayDialog(dialog, parent_);
  EXPECT_EQ(view.caption, L"Period");
  EXPECT_TRUE(view.hasIcon);
  EXPECT_EQ(view.today,
            L"Today is 10.6.2024 (day 10 of period)"); // 1 June is day 1
  EXPECT_EQ(view.menstruation, L"Next menstruation: 29.6.2024, 19 days left");
  EXPECT_EQ(view.ovulation, L"Next ovulation: 15.6.2024, 5 days left");
  EXPECT_EQ(view.birth, L"Date of the birth and the gender: 8.3.2025");  // 11 June + 270 days
  EXPECT_TRUE(view.birthShown && view.genderShown);
  EXPECT_EQ(dialog.GenderPicture(), CDayInfoDlg::kGirlPicture);
  EXPECT_EQ(view.note, L"Dentist at 9");
  EXPECT_EQ(view.group, L"Note");
  EXPECT_EQ(view.tip, ToWide(model_->GetTip(PackedDate(10, 6, 2024))));
  EXPECT_FALSE(view.tip.empty());
}

// After the ovulation of 15 June the next gender day is a boy day (16 June).
TEST_F(TodayDialogTest, ABoyDayShowsTheBoy) {
  Start(PackedDate(1, 6, 2024));
  clock_.Set(PackedDate(16, 6, 2024));
  CDayInfoDlg dialog(Context());
  const TodayDialogView view = RunTodayDialog(dialog, parent_);
  EXPECT_EQ(dialog.Found().genderDay, PackedDate(16, 6, 2024));
  EXPECT_EQ(dialog.GenderPicture(), CDayInfoDlg::kBoyPicture);
  EXPECT_EQ(view.ovulation, L"Next ovulation: 13.7.2024, 27 days left");
}

TEST_F(TodayDialogTest, NothingMarkedShowsNoDatesAndNoClaim) {
  // No start recorded: nothing is known of any coming day.
  for (int goal : {0, 1}) {
    options_.goal = goal;
    CDayInfoDlg dialog(Context());
    const TodayDialogView view = RunTodayDialog(dialog, parent_);
    EXPECT_EQ(view.today, L"Today is 15.6.2024");
    EXPECT_EQ(view.menstruation, L"Next menstruation: not known yet");
    EXPECT_EQ(view.ovulation, L"Next ovulation: not known yet");
    EXPECT_EQ(view.birth, L"");
    EXPECT_FALSE(view.birthShown) << "no birth date made up from nothing";
    EXPECT_FALSE(view.genderShown);
    EXPECT_EQ(view.tip, L"No period marked yet");
    EXPECT_EQ(view.tip.find(L"not fertile"), std::wstring::npos);
  }
}

// Day 41 of a 31-day cycle: the period is 9 days late.
TEST_F(TodayDialogTest, ALatePeriodIsToldInsteadOfADateOneCycleLater) {
  Start(PackedDate(1, 4, 2024));
  Start(PackedDate(2, 5, 2024)); // 31 days: expected 2 June
  clock_.Set(PackedDate(11, 6, 2024));
  CDayInfoDlg dialog(Context());
  const TodayDialogView view = RunTodayDialog(dialog, parent_);
  EXPECT_EQ(view.today, L"Today is 11.6.2024 (your period is 9 days late)");
  EXPECT_EQ(view.menstruation,
            L"Next menstruation: 9 days late (expected 2.6.2024)");
  EXPECT_EQ(view.tip, L"Your period is 9 days late");
}

TEST_F(TodayDialogTest, AvoidingHidesTheBirth) {
  Start(PackedDate(1, 6, 2024));
  options_.goal = 0;
  CDayInfoDlg dialog(Context());
  const TodayDialogView view = RunTodayDialog(dialog, parent_);
  EXPECT_FALSE(view.birthShown);
  EXPECT_FALSE(view.genderShown);
  EXPECT_EQ(dialog.GenderPicture(), CDayInfoDlg::kBoyPicture);
  EXPECT_EQ(view.note, L"");
}

// A manual luteal phase longer than the cycle leaves no ovulation at all.
TEST_F(TodayDialogTest, NoOvulationWithinOneHundredDays) {
  Start(PackedDate(1, 6, 2024));
  clock_.Set(PackedDate(5, 6, 2024)); // within the 10-day cycle: not late
  options_.autoPeriodCalculation = false;
  options_.periodLen = 10;
  options_.luteralLen = 21;
  options_.goal = 1;
  CDayInfoDlg dialog(Context());
  const TodayDialogView view = RunTodayDialog(dialog, parent_);
  EXPECT_EQ(view.ovulation, L"Next ovulation: not known yet");
  EXPECT_EQ(view.menstruation, L"Next menstruation: 11.6.2024, 6 days left");
  EXPECT_FALSE(view.birthShown) << "no ovulation, so no birth date made up";
}

TEST_F(TodayDialogTest, OpensFromTheInfoPane) {
  const auto pane = Open<CPaneInfo>();
  std::wstring caption;
  DialogDriver driver([&](HWND h) {
    caption = DialogDriver::Text(h);
    DialogDriver::Click(h, IDOK);
  });
  Click(pane->Hwnd(), IDC_INFO_PERIOD);
  ASSERT_TRUE(driver.Ran());
  EXPECT_EQ(caption, L"Period");
}

} // namespace
} // namespace panetest
