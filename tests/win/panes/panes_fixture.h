#pragma once

// The side panes on a plain parent window, with the tests' own managers (as
// in the frame tests) and a host that records what the panes ask of it.

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
#include "ui/panes/pane_host_win32.h"
#include "win/frame/frame_fixture.h"

namespace panetest {

using frametest::DialogDriver;
using frametest::ProgramResources;
using frametest::ShownBox;

class FakeHost : public IPaneHost {
 public:
  PackedDate selected{15, 6, 2024};
  int showToday = 0;
  int repaintCalendar = 0;
  int repaintMain = 0;
  int goalChanged = 0;
  int daysChanged = 0;
  // What the frame would make afresh after a change of days.
  std::function<void()> onDaysChanged;
  std::vector<UINT> commands;
  std::vector<HWND> helpOwners;

  PackedDate SelectedDate() const override { return selected; }
  void ShowToday() override { ++showToday; }
  void RepaintCalendar() override { ++repaintCalendar; }
  void RepaintMainWindow() override { ++repaintMain; }
  void RunCommand(UINT id) override { commands.push_back(id); }
  void GoalChanged() override { ++goalChanged; }
  void OpenTemperatureHelp(HWND owner) override { helpOwners.push_back(owner); }
  void DaysChanged() override {
    ++daysChanged;
    if (onDaysChanged) onDaysChanged();
  }
};

inline std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

// A click as the user makes it: the button checks itself (radio, check box)
// and tells its parent.
inline void Click(HWND dialog, int id) { SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

inline bool Visible(HWND dialog, int id) { return (GetWindowLongW(GetDlgItem(dialog, id), GWL_STYLE) & WS_VISIBLE) != 0; }

class PaneTest : public frametest::ModelTest {
 protected:
  void SetUp() override {
    ModelTest::SetUp();
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = L"TamarelPaneTestParent";
    RegisterClassExW(&wc);
    parent_ = CreateWindowExW(0, wc.lpszClassName, L"panes", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 0,
                              0, 331, 900, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(parent_, nullptr);
    prompts_.messageBox = [this](HWND, const std::wstring& text, const std::wstring& caption, UINT type) {
      boxes_.push_back({text, caption, type});
      return IDOK;
    };
  }
  void TearDown() override {
    if (parent_) DestroyWindow(parent_);
  }

  PaneContext Context() {
    PaneContext context{options_, locale_, *model_, clock_, host_, prompts_, ProgramResources(), {}};
    context.chooseColor = [this](HWND, COLORREF& colour) {
      offeredColours_.push_back(colour);
      if (!chooseAnswer_) return false;
      colour = *chooseAnswer_;
      return true;
    };
    return context;
  }

  // Creates a pane on the parent and shows it, as the bar does at its first layout.
  template <typename Pane>
  std::unique_ptr<Pane> Open(int y = 0) {
    auto pane = std::make_unique<Pane>(Context());
    const HWND hwnd = pane->Create(parent_);
    EXPECT_NE(hwnd, nullptr);
    if (!hwnd) return pane;
    EXPECT_FALSE(IsWindowVisible(hwnd)) << "created hidden";
    RECT r{};
    GetWindowRect(hwnd, &r);
    SetWindowPos(hwnd, nullptr, 10, y, 291, r.bottom - r.top, SWP_NOZORDER | SWP_SHOWWINDOW);
    return pane;
  }

  void Start(const PackedDate& d) { ASSERT_EQ(model_->SetStart(d), SaveResult::kDone) << FormatDate(d); }
  void StoreDay(const Day& day) { ASSERT_EQ(model_->StoreDay(day), SaveResult::kDone); }

  FakeHost host_;
  Prompts prompts_;
  std::vector<ShownBox> boxes_;
  std::optional<COLORREF> chooseAnswer_;
  std::vector<COLORREF> offeredColours_;
  HWND parent_ = nullptr;
};

}  // namespace panetest
