// The note editor and the temperature entry, run modally from the day menu's
// commands and answered by a driver as a user would.

#include <gtest/gtest.h>

#include "resources/resource.h"
#include "ui/days/temperature_dlg_win32.h"
#include "win/frame/frame_fixture.h"

namespace frametest {
namespace {

using DayDialogsTest = FrameTest;

constexpr PackedDate kDay{12, 6, 2024};

TEST_F(DayDialogsTest, TheNoteIsEditedAndAnEmptyNoteIsStoredEmpty) {
  ASSERT_EQ(model_->StoreDay(Day(kDay, false, false, true, false, false, false, 0, u"old")), SaveResult::kDone);
  OpenFrame();
  std::wstring caption, shown, cancel;
  {
    DialogDriver driver([&](HWND dialog) {
      caption = DialogDriver::Text(dialog);
      shown = DialogDriver::Text(GetDlgItem(dialog, IDC_NOTE_EDIT));
      cancel = DialogDriver::Text(GetDlgItem(dialog, IDCANCEL));
      SetDlgItemTextW(dialog, IDC_NOTE_EDIT, L"first line\r\nsecond");
      DialogDriver::Click(dialog, IDOK);
    });
    RunDayCommand(kDay, ID_DAY_NOTE);
    EXPECT_TRUE(driver.Ran());
  }
  EXPECT_EQ(caption, L"Note");
  EXPECT_EQ(shown, L"old");
  EXPECT_EQ(cancel, L"Cancel");
  auto day = Stored(kDay);
  ASSERT_TRUE(day && day->note);
  EXPECT_EQ(*day->note, u"first line\r\nsecond");
  EXPECT_TRUE(day->sex);

  {
    DialogDriver driver([&](HWND dialog) {
      SetDlgItemTextW(dialog, IDC_NOTE_EDIT, L"");
      DialogDriver::Click(dialog, IDOK);
    });
    RunDayCommand(kDay, ID_DAY_NOTE);
  }
  day = Stored(kDay);
  ASSERT_TRUE(day);
  EXPECT_TRUE(!day->note || day->note->empty());
  EXPECT_EQ(RightClickDay(kDay).back().text, L"Add &note");

  // Cancel changes nothing.
  {
    DialogDriver driver([&](HWND dialog) {
      SetDlgItemTextW(dialog, IDC_NOTE_EDIT, L"never");
      DialogDriver::Click(dialog, IDCANCEL);
    });
    RunDayCommand(kDay, ID_DAY_NOTE);
  }
  day = Stored(kDay);
  ASSERT_TRUE(day);
  EXPECT_TRUE(!day->note || day->note->empty());
}

TEST_F(DayDialogsTest, ANewDayOpensEmptyInCelsiusAndTheEntryIsStored) {
  options_.farinheit = false;
  OpenFrame();
  std::wstring title, label, value = L"?", unit, help;
  DialogDriver driver([&](HWND dialog) {
    title = DialogDriver::Text(dialog);
    label = DialogDriver::Text(GetDlgItem(dialog, IDC_TEMPERATURE_LABEL));
    value = DialogDriver::Text(GetDlgItem(dialog, IDC_TEMPERATURE_EDIT));
    unit = DialogDriver::Text(GetDlgItem(dialog, IDC_TEMPERATURE_UNIT));
    help = DialogDriver::Text(GetDlgItem(dialog, IDHELP));
    SetDlgItemTextW(dialog, IDC_TEMPERATURE_EDIT, L"36.7");
    DialogDriver::Click(dialog, IDOK);
  });
  RunDayCommand(kDay, ID_DAY_TEMPERATURE);
  EXPECT_TRUE(driver.Ran());
  EXPECT_EQ(title, L"Rectal Temperature");
  EXPECT_EQ(label, L"Rectal Temperature");
  EXPECT_EQ(value, L"");
  EXPECT_EQ(unit, L"C");
  EXPECT_EQ(help, L"&Help");
  const auto day = Stored(kDay);
  ASSERT_TRUE(day);
  EXPECT_DOUBLE_EQ(day->temperature, 36.7);
  EXPECT_FALSE(day->sex || day->menstruationStart || day->note);
}

TEST_F(DayDialogsTest, WrongEntriesAreExplainedAndTheDialogStaysOpen) {
  OpenFrame();
  std::vector<ShownBox> seen;
  DialogDriver driver([&](HWND dialog) {
    for (const wchar_t* text : {L"29.9", L"150.5", L"abc", L"", L"36,7"}) {
      SetDlgItemTextW(dialog, IDC_TEMPERATURE_EDIT, text);
      DialogDriver::Click(dialog, IDOK);
    }
    seen = boxes_;
  });
  RunDayCommand(kDay, ID_DAY_TEMPERATURE);
  ASSERT_EQ(seen.size(), 4u);
  EXPECT_EQ(seen[0].text, L"Enter a number between 30 and 150.");
  EXPECT_EQ(seen[1].text, L"Enter a number between 30 and 150.");
  EXPECT_EQ(seen[2].text, L"Enter a number.");
  EXPECT_EQ(seen[3].text, L"Enter a number.");
  // Something to correct: each box carries the warning icon.
  for (const ShownBox& box : seen) EXPECT_EQ(box.type & MB_ICONMASK, UINT{MB_ICONWARNING}) << box.text;
  // A decimal comma is taken as her locale writes it: the dialog closed with 36.7.
  const auto day = Stored(kDay);
  ASSERT_TRUE(day);
  EXPECT_DOUBLE_EQ(day->temperature, 36.7);
}

TEST_F(DayDialogsTest, SwitchingTheUnitConvertsAndSavesAtOnceEvenWhenCancelled) {
  ASSERT_EQ(model_->StoreDay(Day(kDay, false, false, false, false, false, false, 98.6)), SaveResult::kDone);
  options_.farinheit = true;
  OpenFrame();
  std::wstring before, after;
  const StoredValue* savedBeforeClose = nullptr;
  DialogDriver driver([&](HWND dialog) {
    before = DialogDriver::Text(GetDlgItem(dialog, IDC_TEMPERATURE_EDIT));
    const HWND unit = GetDlgItem(dialog, IDC_TEMPERATURE_UNIT);
    SendMessageW(unit, CB_SETCURSEL, CTemperatureDlg::kCelsiusIndex, 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_TEMPERATURE_UNIT, CBN_SELCHANGE), reinterpret_cast<LPARAM>(unit));
    after = DialogDriver::Text(GetDlgItem(dialog, IDC_TEMPERATURE_EDIT));
    savedBeforeClose = store_.Get(SettingsKey::kSettings, u"farinheit");
    DialogDriver::Click(dialog, IDCANCEL);
  });
  RunDayCommand(kDay, ID_DAY_TEMPERATURE);
  EXPECT_EQ(before, L"98.6");
  EXPECT_EQ(after, L"37");
  EXPECT_FALSE(options_.farinheit);
  ASSERT_NE(savedBeforeClose, nullptr);
  EXPECT_EQ(savedBeforeClose->data.at(0), 0);
  const auto day = Stored(kDay);
  ASSERT_TRUE(day);
  EXPECT_DOUBLE_EQ(day->temperature, 98.6);  // cancelled: unchanged
}

// A marked day without a temperature opens with an empty field in either
// unit: a proposed 0 or 32 could be stored by a careless OK.
TEST_F(DayDialogsTest, AMarkedDayWithoutTemperatureOpensEmpty) {
  ASSERT_EQ(model_->StoreDay(Day(kDay, false, false, true, false, false, false, 0)), SaveResult::kDone);
  for (const bool fahrenheit : {false, true}) {
    options_.farinheit = fahrenheit;
    OpenFrame();
    std::wstring value;
    DialogDriver driver([&](HWND dialog) {
      value = DialogDriver::Text(GetDlgItem(dialog, IDC_TEMPERATURE_EDIT));
      DialogDriver::Click(dialog, IDCANCEL);
    });
    RunDayCommand(kDay, ID_DAY_TEMPERATURE);
    EXPECT_EQ(value, L"") << (fahrenheit ? "Fahrenheit" : "Celsius");
  }
}

}  // namespace
}  // namespace frametest
