// Birth, Horoscope and the Chinese lunar calendar, opened through the main
// window's commands on a known db.dat and answered by drivers as a user
// would, nested dialogs included.

#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "env/wide_win32.h"
#include "resources/image_ids.h"
#include "resources/pane_ids.h"
#include "resources/planning_ids.h"
#include "resources/resource.h"
#include "ui/panes/pane_goal_win32.h"
#include "ui/reports/birth_dlg_win32.h"
#include "ui/reports/chinese_calendar_dlg_win32.h"
#include "ui/reports/horoscope_dlg_win32.h"
#include "win/frame/frame_fixture.h"

namespace frametest {
namespace {

// Runs an action on the dialog that is modal now: the visible, enabled
// dialog of this thread (an outer dialog is disabled while a nested one
// runs). Drivers nest, so an action may open a further dialog and answer it
// with a driver of its own.
class ModalDriver {
 public:
  explicit ModalDriver(std::function<void(HWND)> action) : action_(std::move(action)) {
    Drivers().push_back(this);
    timer_ = SetTimer(nullptr, 0, 30, &ModalDriver::Tick);
  }
  ~ModalDriver() {
    if (timer_) KillTimer(nullptr, timer_);
    std::erase(Drivers(), this);
  }
  ModalDriver(const ModalDriver&) = delete;
  ModalDriver& operator=(const ModalDriver&) = delete;

  [[nodiscard]] bool Ran() const { return ran_; }

 private:
  static std::vector<ModalDriver*>& Drivers() {
    static std::vector<ModalDriver*> drivers;
    return drivers;
  }
  static HWND ActiveDialog() {
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM lp) -> BOOL {
          wchar_t cls[16] = {};
          GetClassNameW(hwnd, cls, 16);
          if (std::wstring(cls) == L"#32770" && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
            *reinterpret_cast<HWND*>(lp) = hwnd;
            return FALSE;
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
  }
  static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
    for (ModalDriver* self : Drivers()) {
      if (self->timer_ != id || self->ran_) continue;
      const HWND dialog = ActiveDialog();
      if (!dialog) return;
      self->ran_ = true;
      KillTimer(nullptr, self->timer_);
      self->timer_ = 0;
      self->action_(dialog);
      return;
    }
  }

  std::function<void(HWND)> action_;
  UINT_PTR timer_ = 0;
  bool ran_ = false;
};

template <typename T>
T* DialogObject(HWND dialog) {
  return dynamic_cast<T*>(reinterpret_cast<CDialog*>(GetWindowLongPtrW(dialog, DWLP_USER)));
}

std::wstring ItemText(HWND dialog, int id) { return DialogDriver::Text(GetDlgItem(dialog, id)); }

int Selection(HWND dialog, int id) { return static_cast<int>(SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0)); }

std::wstring Entry(HWND dialog, int id, int index) {
  wchar_t text[64] = {};
  SendDlgItemMessageW(dialog, id, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
  return text;
}

void Choose(HWND dialog, int id, int index) {
  SendDlgItemMessageW(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// Sets the picker as the user would: the control changes, then tells its dialog.
void PickDate(HWND dialog, const PackedDate& d) {
  const HWND picker = GetDlgItem(dialog, IDC_HOROSCOPE_DATE);
  SYSTEMTIME st{};
  st.wYear = d.year;
  st.wMonth = d.month;
  st.wDay = d.day;
  SendMessageW(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
  NMDATETIMECHANGE change{};
  change.nmhdr.hwndFrom = picker;
  change.nmhdr.idFrom = IDC_HOROSCOPE_DATE;
  change.nmhdr.code = DTN_DATETIMECHANGE;
  change.st = st;
  SendMessageW(dialog, WM_NOTIFY, IDC_HOROSCOPE_DATE, reinterpret_cast<LPARAM>(&change));
}

// CMake gives the folder as a host path; under Wine the host root is drive Z:.
std::filesystem::path DistFolder() {
  std::wstring dir = TAMAREL_DIST_DIR;
  if (!dir.empty() && dir[0] == L'/') dir = L"Z:" + dir;
  for (wchar_t& c : dir) {
    if (c == L'/') c = L'\\';
  }
  return dir;
}

bool ShowsIcon(HWND dialog, int id) { return SendDlgItemMessageW(dialog, id, STM_GETICON, 0, 0) != 0; }
bool ShowsBitmap(HWND dialog, int id) {
  return SendDlgItemMessageW(dialog, id, STM_GETIMAGE, IMAGE_BITMAP, 0) != 0;
}

class PlanningDialogsTest : public FrameTest {
 protected:
  void WriteText(const std::string& relative, const std::string& bytes) {
    std::filesystem::create_directories((dir_ / relative).parent_path());
    std::ofstream(dir_ / relative, std::ios::binary) << bytes;
  }
  void Run(UINT command) { SendMessageW(frame_->Hwnd(), WM_COMMAND, MAKEWPARAM(command, 0), 0); }
};

TEST_F(PlanningDialogsTest, BirthShowsTheEstimateAndOpensTheHoroscopeAndTheChart) {
  options_.goal = 3;
  ASSERT_EQ(model_->SetStart(PackedDate(1, 6, 2024)), SaveResult::kDone);
  ASSERT_EQ(model_->StoreDay(Day(PackedDate(3, 6, 2024), false, false, true, false, false, false, 0.0)), SaveResult::kDone);
  ASSERT_EQ(model_->StoreDay(Day(PackedDate(1, 5, 2024), false, false, true, false, false, false, 0.0)), SaveResult::kDone);
  // A 28-day cycle from 1 June: the first day favouring a gender after the
  // intercourse of 3 June is the girl day 11 June; the birth 270 days later.
  const PackedDate birthDate(8, 3, 2025);
  OpenFrame();

  std::wstring caption, lastSex, birth, zodiac, horoscopeButton, chartButton, ok;
  int gender = 0, sign = 0;
  bool genderShown = false, signShown = false, smallIconShown = false;
  PackedDate horoscopeDate;
  std::wstring horoscopeCaption, chartCaption;
  bool closed = false;
  ModalDriver driver([&](HWND dialog) {
    caption = DialogDriver::Text(dialog);
    lastSex = ItemText(dialog, IDC_BIRTH_LAST_SEX);
    birth = ItemText(dialog, IDC_BIRTH_DATE);
    zodiac = ItemText(dialog, IDC_BIRTH_ZODIAC);
    horoscopeButton = ItemText(dialog, IDC_BIRTH_HOROSCOPE);
    chartButton = ItemText(dialog, IDC_BIRTH_CHINA_CAL);
    ok = ItemText(dialog, IDOK);
    const CBirthDlg* birthDlg = DialogObject<CBirthDlg>(dialog);
    ASSERT_NE(birthDlg, nullptr);
    gender = birthDlg->GenderPictureId();
    sign = birthDlg->ZodiacIconId();
    genderShown = ShowsBitmap(dialog, IDC_BIRTH_GENDER);
    signShown = ShowsIcon(dialog, IDC_BIRTH_ZODIAC_ICON);
    smallIconShown = ShowsIcon(dialog, IDC_BIRTH_ICON);
    {
      ModalDriver nested([&](HWND horoscope) {
        horoscopeCaption = DialogDriver::Text(horoscope);
        if (const CHoroscopeDlg* h = DialogObject<CHoroscopeDlg>(horoscope)) horoscopeDate = h->Date();
        DialogDriver::Click(horoscope, IDOK);
      });
      DialogDriver::Click(dialog, IDC_BIRTH_HOROSCOPE);
      EXPECT_TRUE(nested.Ran());
    }
    {
      ModalDriver nested([&](HWND chart) {
        chartCaption = DialogDriver::Text(chart);
        DialogDriver::Click(chart, IDOK);
      });
      DialogDriver::Click(dialog, IDC_BIRTH_CHINA_CAL);
      EXPECT_TRUE(nested.Ran());
    }
    // The caption's close button closes the dialog.
    SendMessageW(dialog, WM_CLOSE, 0, 0);
    closed = !IsWindow(dialog) || !IsWindowVisible(dialog);
  });
  Run(ID_REPORTS_BIRTH);
  ASSERT_TRUE(driver.Ran());

  EXPECT_EQ(caption, L"Birth");
  EXPECT_EQ(lastSex, L"Latest sex: 3.6.2024");
  EXPECT_EQ(birth, L"Date of the birth and the gender: 8.3.2025");
  EXPECT_EQ(zodiac, L"Zodiac sign: Pisces");
  EXPECT_EQ(horoscopeButton, L"Horoscope");
  EXPECT_EQ(chartButton, L"Chinese Lunar Calendar");
  EXPECT_EQ(ok, L"OK");
  EXPECT_EQ(gender, IDB_GENDER_GIRL);
  EXPECT_EQ(sign, 5652);
  EXPECT_TRUE(genderShown);
  EXPECT_TRUE(signShown);
  EXPECT_TRUE(smallIconShown);
  EXPECT_EQ(horoscopeCaption, L"Horoscope");
  EXPECT_EQ(horoscopeDate, birthDate) << "the horoscope opens at the date of birth";
  EXPECT_EQ(chartCaption, L"Chinese Lunar Calendar");
  EXPECT_TRUE(closed);
}

TEST_F(PlanningDialogsTest, TheGoalPanesBirthLinkOpensBirthFromTodayWithoutIntercourse) {
  options_.goal = 1;
  OpenFrame();
  ASSERT_NE(frame_->Panes().Goal(), nullptr);
  std::wstring lastSex;
  ModalDriver driver([&](HWND dialog) {
    lastSex = ItemText(dialog, IDC_BIRTH_LAST_SEX);
    DialogDriver::Click(dialog, IDOK);
  });
  const HWND pane = frame_->Panes().Goal()->Hwnd();
  SendMessageW(pane, WM_COMMAND, MAKEWPARAM(IDC_GOAL_BIRTH, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(pane, IDC_GOAL_BIRTH)));
  ASSERT_TRUE(driver.Ran());
  EXPECT_EQ(lastSex, L"Latest sex: 15.6.2024");
}

TEST_F(PlanningDialogsTest, TheHoroscopeFollowsTheDateAndTheChosenSign) {
  WriteText("en/Gemini.txt", "\xEF\xBB\xBFGemini: curious and bright \xE2\x80\x94 caf\xC3\xA9");
  WriteText("en/Leo.txt", "Leo: warm and generous");
  OpenFrame();

  struct Seen {
    int selection = -1;
    std::wstring text;
    int icon = 0;
    bool iconShown = false;
  };
  std::vector<Seen> seen;
  std::wstring caption, label, first, last;
  int count = 0;
  ModalDriver driver([&](HWND dialog) {
    const CHoroscopeDlg* horoscope = DialogObject<CHoroscopeDlg>(dialog);
    ASSERT_NE(horoscope, nullptr);
    const auto look = [&] {
      seen.push_back({Selection(dialog, IDC_HOROSCOPE_SIGN), ItemText(dialog, IDC_HOROSCOPE_TEXT),
                      horoscope->IconId(), ShowsIcon(dialog, IDC_HOROSCOPE_ICON)});
    };
    caption = DialogDriver::Text(dialog);
    label = ItemText(dialog, IDC_HOROSCOPE_LABEL);
    count = static_cast<int>(SendDlgItemMessageW(dialog, IDC_HOROSCOPE_SIGN, CB_GETCOUNT, 0, 0));
    first = Entry(dialog, IDC_HOROSCOPE_SIGN, 0);
    last = Entry(dialog, IDC_HOROSCOPE_SIGN, 11);
    look();                                        // today, 15 June: Gemini
    Choose(dialog, IDC_HOROSCOPE_SIGN, 4);         // Leo, whatever the date
    look();
    PickDate(dialog, PackedDate(26, 11, 2024));    // Sagittarius, no text file
    look();
    PickDate(dialog, PackedDate(1, 8, 2024));      // Leo again
    look();
    DialogDriver::Click(dialog, IDOK);
  });
  Run(ID_REPORTS_HOROSCOPE);
  ASSERT_TRUE(driver.Ran());

  EXPECT_EQ(caption, L"Horoscope");
  EXPECT_EQ(label, L"Select date ot the birth");
  EXPECT_EQ(count, 12);
  EXPECT_EQ(first, L"Aries");
  EXPECT_EQ(last, L"Pisces");
  ASSERT_EQ(seen.size(), 4u);
  const Seen expected[] = {
      {2, L"Gemini: curious and bright \u2014 caf\u00E9", 5643, true},
      {4, L"Leo: warm and generous", 5645, true},
      {8, L"", 5649, true},
      {4, L"Leo: warm and generous", 5645, true},
  };
  for (size_t i = 0; i < seen.size(); ++i) {
    EXPECT_EQ(seen[i].selection, expected[i].selection) << i;
    EXPECT_EQ(seen[i].text, expected[i].text) << i;
    EXPECT_EQ(seen[i].icon, expected[i].icon) << i;
    EXPECT_TRUE(seen[i].iconShown) << i;
  }
}

// In her language the sign list names the signs as Birth does, and the sign
// of the date is the entry chosen.
TEST_F(PlanningDialogsTest, TheHoroscopeNamesTheSignsInHerLanguage) {
  std::filesystem::copy_file(DistFolder() / "de.lan", dir_ / "de.lan");
  locale_.SetLanguageName("de");
  ASSERT_EQ(locale_.GetLanguageName(), "de");
  const PackedDate birth(8, 3, 2025);
  CHoroscopeDlg horoscope(PlanningContext{*model_, locale_, ProgramResources(), {}}, birth);
  std::vector<std::wstring> entries;
  int selected = -1;
  std::wstring picked;
  ModalDriver driver([&](HWND dialog) {
    picked = DialogDriver::Text(GetDlgItem(dialog, IDC_HOROSCOPE_DATE));
    for (int i = 0; i < 12; ++i) entries.push_back(Entry(dialog, IDC_HOROSCOPE_SIGN, i));
    selected = Selection(dialog, IDC_HOROSCOPE_SIGN);
    DialogDriver::Click(dialog, IDOK);
  });
  EXPECT_EQ(horoscope.DoModal(nullptr), IDOK);
  ASSERT_TRUE(driver.Ran());
  ASSERT_EQ(entries.size(), 12u);
  EXPECT_EQ(entries[0], L"Widder");
  EXPECT_EQ(entries[4], L"L\u00f6we");
  EXPECT_EQ(entries[11], L"Fische");
  ASSERT_EQ(selected, 11);
  EXPECT_EQ(entries[11], ToWide(model_->GetZodiacName(birth))) << "the name Birth shows";
  // The picker writes the date as every other window does, with its year.
  EXPECT_EQ(picked, L"8.3.2025");
}

// Tabbed to, the date picker shows that it has the focus: a frame just
// outside it, gone again when the focus moves on.
TEST_F(PlanningDialogsTest, TheHoroscopeDatePickerShowsTheFocus) {
  CHoroscopeDlg horoscope(PlanningContext{*model_, locale_, ProgramResources(), {}}, PackedDate(8, 3, 2025));
  std::vector<int> marked;
  ModalDriver driver([&](HWND dialog) {
    const RECT ring = horoscope.PickerFocusRing();
    // Pixels of the frame's top edge that are not the dialog's background.
    const auto count = [&] {
      UpdateWindow(dialog);
      const HDC dc = GetDC(dialog);
      const COLORREF face = GetPixel(dc, ring.left - 3, ring.top - 1);
      int n = 0;
      for (int x = ring.left + 2; x < ring.right - 2; ++x) n += GetPixel(dc, x, ring.top) != face;
      ReleaseDC(dialog, dc);
      return n;
    };
    SetFocus(GetDlgItem(dialog, IDOK));
    marked.push_back(count());
    SetFocus(GetDlgItem(dialog, IDC_HOROSCOPE_DATE));
    marked.push_back(count());
    SetFocus(GetDlgItem(dialog, IDC_HOROSCOPE_SIGN));
    marked.push_back(count());
    DialogDriver::Click(dialog, IDOK);
  });
  EXPECT_EQ(horoscope.DoModal(nullptr), IDOK);
  ASSERT_TRUE(driver.Ran());
  ASSERT_EQ(marked.size(), 3u);
  EXPECT_EQ(marked[0], 0);
  EXPECT_GT(marked[1], 20) << "a dotted frame along the picker";
  EXPECT_EQ(marked[2], 0);
}

std::string Genders(HWND dialog) {
  const CChineseLunalCalendarDlg* chart = DialogObject<CChineseLunalCalendarDlg>(dialog);
  std::string row;
  for (int i = 0; i < 12; ++i) {
    const int id = chart ? chart->PictureId(i) : 0;
    const bool shown = ShowsBitmap(dialog, IDC_CHINA_PICTURE_FIRST + i);
    row += !shown ? '?' : id == 130 ? 'B' : id == 131 ? 'G' : '!';
  }
  return row;
}

TEST_F(PlanningDialogsTest, TheChineseChartOpensAtTwentyAndFollowsTheAge) {
  OpenFrame();
  std::wstring caption, label, group, message, help, january, december, firstAge, lastAge;
  int count = 0, selection = -1;
  std::string at20, at21, at18;
  ModalDriver driver([&](HWND dialog) {
    caption = DialogDriver::Text(dialog);
    label = ItemText(dialog, IDC_CHINA_LABEL);
    group = ItemText(dialog, IDC_CHINA_GROUP);
    message = ItemText(dialog, IDC_CHINA_MESSAGE);
    help = ItemText(dialog, IDC_CHINA_HELP);
    january = ItemText(dialog, IDC_CHINA_MONTH_FIRST);
    december = ItemText(dialog, IDC_CHINA_MONTH_FIRST + 11);
    count = static_cast<int>(SendDlgItemMessageW(dialog, IDC_CHINA_AGE, CB_GETCOUNT, 0, 0));
    firstAge = Entry(dialog, IDC_CHINA_AGE, 0);
    lastAge = Entry(dialog, IDC_CHINA_AGE, count - 1);
    selection = Selection(dialog, IDC_CHINA_AGE);
    at20 = Genders(dialog);
    Choose(dialog, IDC_CHINA_AGE, 3);
    at21 = Genders(dialog);
    Choose(dialog, IDC_CHINA_AGE, 0);
    at18 = Genders(dialog);
    DialogDriver::Click(dialog, IDOK);
  });
  Run(ID_REPORTS_CHINA_CAL);
  ASSERT_TRUE(driver.Ran());

  EXPECT_EQ(caption, L"Chinese Lunar Calendar");
  EXPECT_EQ(label, L"&Select your age");
  EXPECT_EQ(group, L"&Your personal Chinese Lunar Calendar");
  EXPECT_EQ(message,
            L"&This chart is folklore, offered for fun: it does not "
            L"predict your baby's gender.");
  EXPECT_EQ(help, L"&Help");
  EXPECT_EQ(january, L"January");
  EXPECT_EQ(december, L"December");
  EXPECT_EQ(count, 28);
  EXPECT_EQ(firstAge, L"18");
  EXPECT_EQ(lastAge, L"45");
  EXPECT_EQ(selection, 2);
  EXPECT_EQ(at20, "GBGBBBBBBGBB");
  EXPECT_EQ(at21, "BGGGGGGGGGGG");
  EXPECT_EQ(at18, "GBGBBBBBBBBB");
}

TEST_F(PlanningDialogsTest, TheChartsHelpButtonOpensHelpAt11AndLeavesTheChartOpen) {
  std::vector<DWORD> contexts;
  CChineseLunalCalendarDlg chart(
      PlanningContext{*model_, locale_, ProgramResources(), [&](HWND, DWORD context) { contexts.push_back(context); }});
  bool openAfterHelp = false;
  ModalDriver driver([&](HWND dialog) {
    DialogDriver::Click(dialog, IDC_CHINA_HELP);
    openAfterHelp = IsWindowVisible(dialog) != FALSE;
    SendMessageW(dialog, WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(chart.DoModal(nullptr), IDOK);
  ASSERT_TRUE(driver.Ran());
  EXPECT_EQ(contexts, std::vector<DWORD>{11});
  EXPECT_TRUE(openAfterHelp);
}

// Escape, pressed as a key through the dialog's own loop, closes Birth and
// the Chinese chart with Cancel; it opens nothing on top of them.
TEST_F(PlanningDialogsTest, EscapeClosesBirthAndTheChineseChartAndOpensNothing) {
  std::vector<DWORD> helpContexts;
  const PlanningContext context{*model_, locale_, ProgramResources(),
                                [&](HWND, DWORD helpContext) { helpContexts.push_back(helpContext); }};
  CBirthDlg birth(context);
  CChineseLunalCalendarDlg chart(context);
  for (CDialog* dialog : {static_cast<CDialog*>(&birth), static_cast<CDialog*>(&chart)}) {
    SCOPED_TRACE(dialog == &birth ? "Birth" : "Chinese chart");
    HWND tested = nullptr;
    bool openedOnTop = false, stayedOpen = false;
    // Runs only when a dialog is still there after the key: one opened on
    // top is closed, then the tested one, so a failing test still ends.
    std::optional<ModalDriver> after;
    ModalDriver press([&](HWND hwnd) {
      tested = hwnd;
      const HWND focus = GetFocus();
      PostMessageW(focus && IsChild(hwnd, focus) ? focus : hwnd, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
      after.emplace([&](HWND still) {
        if (still != tested) {
          openedOnTop = true;
          SendMessageW(still, WM_CLOSE, 0, 0);
        } else {
          stayedOpen = true;
        }
        PostMessageW(tested, WM_CLOSE, 0, 0);
      });
    });
    EXPECT_EQ(dialog->DoModal(nullptr), IDCANCEL);
    EXPECT_TRUE(press.Ran());
    EXPECT_FALSE(openedOnTop);
    EXPECT_FALSE(stayedOpen);
  }
  EXPECT_TRUE(helpContexts.empty());
}

}  // namespace
}  // namespace frametest
