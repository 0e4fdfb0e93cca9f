#pragma once

// A main frame on the tests' own managers: settings in memory, db.dat and the
// language folder in a temp folder, a fixed today. Menus, dialogs and
// pictures come from the built tamarel.exe, loaded as a resource module.
// Message boxes, popup menus and shell calls are captured instead of shown.

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "settings/memory_settings_store.h"
#include "settings/options_manager.h"
#include "env/locale_manager.h"
#include "env/platform.h"
#include "model/database_manager.h"
#include "model/menstual_manager.h"
#include "support/temp_dir.h"
#include "ui/calendar/calendar_layout.h"
#include "ui/frame/main_frame_win32.h"
#include "ui/widgets/message_loop_win32.h"
#include "win/support/wait_win32.h"

namespace frametest {

// CMake gives the folder as a host path; under Wine the host root is drive Z:.
inline std::wstring ProgramPath() {
  std::wstring dir = TAMAREL_EXE_DIR;
  if (!dir.empty() && dir[0] == L'/') dir = L"Z:" + dir;
  for (wchar_t& c : dir) {
    if (c == L'/') c = L'\\';
  }
  return dir + L"\\tamarel.exe";
}

// The program's resources, shared by all tests of the run.
inline HINSTANCE ProgramResources() {
  static const HMODULE module =
      LoadLibraryExW(ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  return module;
}

struct MenuEntry {
  UINT id = 0;
  std::wstring text;
  bool separator = false;
  bool picture = false;
  bool disabled = false;
};

inline std::vector<MenuEntry> ReadMenu(HMENU menu) {
  std::vector<MenuEntry> entries;
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    wchar_t text[256] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_STRING | MIIM_FTYPE | MIIM_BITMAP | MIIM_STATE;
    info.dwTypeData = text;
    info.cch = 255;
    GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
    entries.push_back({info.wID, text, (info.fType & MFT_SEPARATOR) != 0, info.hbmpItem != nullptr,
                       (info.fState & MFS_DISABLED) != 0});
  }
  return entries;
}

// The command ids of a menu, separators left out.
inline std::vector<UINT> Ids(const std::vector<MenuEntry>& entries) {
  std::vector<UINT> ids;
  for (const MenuEntry& e : entries) {
    if (!e.separator) ids.push_back(e.id);
  }
  return ids;
}

struct ShownBox {
  std::wstring text;
  std::wstring caption;
  UINT type = 0;
};

// The tests' own managers: settings in memory, db.dat and the language
// folder in a temp folder, a fixed today, resources from tamarel.exe.
class ModelTest : public ::testing::Test {
 protected:
  static constexpr PackedDate kToday{15, 6, 2024};

  void SetUp() override {
    ASSERT_NE(ProgramResources(), nullptr) << "tamarel.exe not loadable: " << GetLastError();
    MakeModel(dir_ / "db.dat");
  }

  // A cycle manager on db, reading and writing the records of owner().
  void MakeModel(const std::filesystem::path& db, std::function<uint16_t()> owner = [] { return uint16_t{0}; }) {
    model_.reset();  // the open file keeps other writers out
    model_ = std::make_unique<MenstualManager>(std::make_unique<DatabaseManager>(db, std::move(owner)), options_,
                                               locale_, clock_);
  }

  testsupport::TempDir dir_;
  Latin1Codec codec_;
  MemorySettingsStore store_;
  LocaleManager locale_{dir_.path(), codec_};
  OptionsManager options_{store_, SystemLocaleInfo{}, &locale_, u"C:\\Tamarel\\tamarel.exe"};
  FixedClock clock_{kToday};
  std::unique_ptr<MenstualManager> model_;
};

class FrameTest : public ModelTest {
 protected:
  void TearDown() override {
    frame_.reset();
    model_.reset();
  }

  void MakeModel(const std::filesystem::path& db, std::function<uint16_t()> owner = [] { return uint16_t{0}; }) {
    frame_.reset();
    ModelTest::MakeModel(db, std::move(owner));
  }

  // Creates and shows the frame; menus answer with menuAnswer_ (0: closed).
  void OpenFrame() {
    Prompts prompts;
    prompts.messageBox = [this](HWND, const std::wstring& text, const std::wstring& caption, UINT type) {
      boxes_.push_back({text, caption, type});
      return IDOK;
    };
    prompts.trackMenu = [this](HMENU menu, UINT flags, POINT at, HWND) -> UINT {
      menus_.push_back(ReadMenu(menu));
      menuPoints_.push_back(at);
      menuFlags_.push_back(flags);
      suspendedWhileOpen_.push_back(frame_->MouseRoutingSuspended());
      return menuAnswer_;
    };
    prompts.shellOpen = [this](const std::wstring& target) { opened_.push_back(target); };
    FrameContext context{options_, locale_, *model_, clock_, ProgramResources(), std::move(prompts), false};
    if (adjustContext_) adjustContext_(context);
    frame_ = std::make_unique<CMainFrame>(std::move(context));
    ASSERT_TRUE(frame_->CreateFrame());
    ShowWindow(frame_->Hwnd(), SW_SHOWNORMAL);
    UpdateWindow(frame_->Hwnd());
  }

  // Right-clicks the day's cell in the calendar, which selects the date and
  // opens the day menu (captured); returns the menu's entries.
  std::vector<MenuEntry> RightClickDay(const PackedDate& date) {
    const HWND calendar = frame_->CalendarHwnd();
    EXPECT_NE(calendar, nullptr);
    CalendarLayout layout(clock_.Today());
    const RECT area = frame_->CalendarRect();
    layout.Resize(Rect{area.left, area.top, area.right, area.bottom});
    for (const MonthLayout& month : layout.Months()) {
      for (const DayCell& cell : month.days) {
        if (cell.Date() == date) {
          const int x = (cell.rect.left + cell.rect.right) / 2;
          const int y = (cell.rect.top + cell.rect.bottom) / 2;
          const size_t before = menus_.size();
          SendMessageW(calendar, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(x, y));
          SendMessageW(calendar, WM_RBUTTONUP, 0, MAKELPARAM(x, y));
          if (menus_.size() == before) {
            ADD_FAILURE() << "no day menu opened";
            return {};
          }
          return menus_.back();
        }
      }
    }
    ADD_FAILURE() << "the date is not in the shown months";
    return {};
  }

  // Selects the date and runs a day command as the menu would.
  void RunDayCommand(const PackedDate& date, UINT id) {
    RightClickDay(date);
    SendMessageW(frame_->Hwnd(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
  }

  std::unique_ptr<Day> Stored(const PackedDate& date) { return model_->GetDay(date); }

  // A mouse message as the system delivers it: one addressed to the frame
  // goes to its child under the point (the band, the calendar), passes the
  // loop's filter and is dispatched. True when the filter ate it.
  bool RouteMouse(MSG msg) {
    if (msg.hwnd == frame_->Hwnd()) {
      POINT p{static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
      const HWND child = ChildWindowFromPointEx(frame_->Hwnd(), p, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
      if (child && child != frame_->Hwnd()) {
        MapWindowPoints(frame_->Hwnd(), child, &p, 1);
        msg.hwnd = child;
        msg.lParam = MAKELPARAM(p.x, p.y);
      }
    }
    const bool eaten = frame_->RouteMouseMessage(msg);
    if (!eaten) DispatchMessageW(&msg);
    return eaten;
  }

  MessageLoop loop_;
  std::unique_ptr<CMainFrame> frame_;
  // Changes the frame's context before the frame is made (users, codec, chooser).
  std::function<void(FrameContext&)> adjustContext_;

  UINT menuAnswer_ = 0;
  std::vector<std::vector<MenuEntry>> menus_;
  std::vector<POINT> menuPoints_;
  std::vector<UINT> menuFlags_;
  std::vector<bool> suspendedWhileOpen_;
  std::vector<ShownBox> boxes_;
  std::vector<std::wstring> opened_;
};

// Runs action on the next dialog that this thread shows modally, from a
// timer its modal loop dispatches; the action answers the dialog. With
// itemId, only a dialog holding that control counts.
class DialogDriver {
 public:
  explicit DialogDriver(std::function<void(HWND)> action, int itemId = 0) {
    Current() = this;
    action_ = std::move(action);
    itemId_ = itemId;
    timer_ = SetTimer(nullptr, 0, 30, &DialogDriver::Tick);
  }
  ~DialogDriver() {
    if (timer_) KillTimer(nullptr, timer_);
    Current() = nullptr;
  }
  DialogDriver(const DialogDriver&) = delete;
  DialogDriver& operator=(const DialogDriver&) = delete;

  [[nodiscard]] bool Ran() const { return ran_; }

  static void Click(HWND dialog, int id) {
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
  }
  static std::wstring Text(HWND window) {
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return text;
  }

 private:
  static DialogDriver*& Current() {
    static DialogDriver* current = nullptr;
    return current;
  }
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    DialogDriver* self = Current();
    if (!self || self->ran_) return;
    struct Search {
      int itemId;
      HWND found;
    } search{self->itemId_, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM lp) -> BOOL {
          auto& s = *reinterpret_cast<Search*>(lp);
          wchar_t cls[16] = {};
          GetClassNameW(hwnd, cls, 16);
          if (std::wstring(cls) == L"#32770" && IsWindowVisible(hwnd) &&
              (s.itemId == 0 || GetDlgItem(hwnd, s.itemId))) {
            s.found = hwnd;
            return FALSE;
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    const HWND found = search.found;
    if (!found) return;
    self->ran_ = true;
    KillTimer(nullptr, self->timer_);
    self->timer_ = 0;
    self->action_(found);
  }

  std::function<void(HWND)> action_;
  int itemId_ = 0;
  UINT_PTR timer_ = 0;
  bool ran_ = false;
};

}  // namespace frametest
