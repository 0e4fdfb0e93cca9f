// The built tamarel.exe started as a user (or Windows at log-on) starts it.

#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "accounts/logon_manager.h"
#include "resources/login_ids.h"
#include "support/temp_dir.h"
#include "win/support/registry_win32.h"
#include "win/support/wait_win32.h"
#include "ui/frame/main_frame_win32.h"

namespace {

// CMake gives the folder as a host path; under Wine the host root is drive Z:.
std::wstring ExePath() {
  std::wstring dir = TAMAREL_EXE_DIR;
  if (!dir.empty() && dir[0] == L'/') dir = L"Z:" + dir;
  for (wchar_t& c : dir) {
    if (c == L'/') c = L'\\';
  }
  return dir + L"\\tamarel.exe";
}

class Process {
 public:
  explicit Process(const std::wstring& args, const std::wstring& exe = ExePath()) {
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!args.empty()) commandLine += L" " + args;
    STARTUPINFOW si{};
    si.cb = sizeof si;
    started_ = CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                              &si, &pi_) != FALSE;
  }
  ~Process() {
    if (!started_) return;
    // A test that failed half-way must not leave a copy running for the next.
    if (WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT) {
      TerminateProcess(pi_.hProcess, 1);
      WaitForSingleObject(pi_.hProcess, 5000);
    }
    CloseHandle(pi_.hThread);
    CloseHandle(pi_.hProcess);
  }
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  [[nodiscard]] bool Started() const { return started_; }
  [[nodiscard]] bool WaitExit(DWORD ms) const { return WaitForSingleObject(pi_.hProcess, ms) == WAIT_OBJECT_0; }
  [[nodiscard]] DWORD ExitCode() const {
    DWORD code = 0;
    GetExitCodeProcess(pi_.hProcess, &code);
    return code;
  }
  [[nodiscard]] DWORD Id() const { return pi_.dwProcessId; }
  [[nodiscard]] HANDLE Handle() const { return pi_.hProcess; }

  // The first visible dialog of this process, or null.
  [[nodiscard]] HWND Dialog() const { return FindWindowOf(L"#32770", true); }
  // The main frame of this process, or null.
  [[nodiscard]] HWND Frame() const { return FindWindowOf(CMainFrame::kClassName, false); }

 private:
  [[nodiscard]] HWND FindWindowOf(const wchar_t* className, bool visibleOnly) const {
    struct Search {
      DWORD pid;
      const wchar_t* className;
      bool visibleOnly;
      HWND found;
    } search{pi_.dwProcessId, className, visibleOnly, nullptr};
    EnumWindows(
        [](HWND hwnd, LPARAM lp) -> BOOL {
          auto* s = reinterpret_cast<Search*>(lp);
          DWORD pid = 0;
          GetWindowThreadProcessId(hwnd, &pid);
          wchar_t cls[64] = {};
          GetClassNameW(hwnd, cls, 64);
          if (pid == s->pid && std::wstring(cls) == s->className && (!s->visibleOnly || IsWindowVisible(hwnd))) {
            s->found = hwnd;
            return FALSE;
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
  }

  PROCESS_INFORMATION pi_{};
  bool started_ = false;
};

std::vector<int> StoredRectangle() {
  std::vector<int> r;
  for (const wchar_t* name : {L"x1", L"y1", L"x2", L"y2"}) {
    const auto v = testreg::SettingDword(name);
    r.push_back(v ? static_cast<int>(*v) : -99999);
  }
  return r;
}

std::vector<int> WindowRectangle(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  return {r.left, r.top, r.right, r.bottom};
}

std::filesystem::path DayDatabasePath() {
  wchar_t folder[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder);
  return std::filesystem::path(folder) / L"Zenthal" / L"Tamarel" / L"db.dat";
}

class StartupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TAMAREL_REQUIRE_OWN_WINE_PREFIX();
    testreg::Reset();
  }
  void TearDown() override {
    if (!IsSkipped()) testreg::Reset();
  }
};

TEST_F(StartupTest, LogOnStartStaysHiddenAndASecondStartBringsItBack) {
  ASSERT_TRUE(testreg::PutDword(L"autoLoad", 1));
  ASSERT_TRUE(testreg::PutDword(L"x1", 50));
  ASSERT_TRUE(testreg::PutDword(L"y1", 60));
  ASSERT_TRUE(testreg::PutDword(L"x2", 1010));
  ASSERT_TRUE(testreg::PutDword(L"y2", 900));

  Process first(L"-m");
  ASSERT_TRUE(first.Started()) << GetLastError();
  HWND frame = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (frame = first.Frame()) != nullptr; }, 60000));
  // Idle in its message loop: start-up is over and the window stayed hidden.
  WaitForInputIdle(first.Handle(), 10000);
  EXPECT_FALSE(IsWindowVisible(frame));
  EXPECT_EQ(WindowRectangle(frame), (std::vector<int>{50, 60, 1010, 900}));
  EXPECT_TRUE(std::filesystem::exists(DayDatabasePath()));

  Process second(L"");
  ASSERT_TRUE(second.Started());
  ASSERT_TRUE(second.WaitExit(20000)) << "the second copy kept running";
  EXPECT_EQ(second.ExitCode(), 0u);
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(frame) != FALSE; }, 10000));
  EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == frame; }, 10000));
  EXPECT_EQ(first.Frame(), frame);  // still the one window

  PostMessageW(frame, WM_CLOSE, 0, 0);
  ASSERT_TRUE(first.WaitExit(20000));
  EXPECT_EQ(first.ExitCode(), 0u);
  EXPECT_EQ(StoredRectangle(), (std::vector<int>{50, 60, 1010, 900}));
  EXPECT_EQ(testreg::SettingDword(L"autoLoad"), 1u);
  const auto run = testreg::Query(RegistrySettingsStore::kRunPath, L"Tamarel");
  ASSERT_TRUE(run);
  const std::wstring command(reinterpret_cast<const wchar_t*>(run->data.data()), run->data.size() / 2);
  EXPECT_EQ(_wcsicmp(command.c_str(), (L"\"" + ExePath() + L"\" -m").c_str()), 0) << command;
}

TEST_F(StartupTest, MinusMIsIgnoredWithoutAutoLoadAndEndOfSessionSavesOnce) {
  ASSERT_TRUE(testreg::PutDword(L"autoLoad", 0));
  Process app(L"-m");
  ASSERT_TRUE(app.Started());
  HWND frame = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (frame = app.Frame()) != nullptr && IsWindowVisible(frame); }, 60000));
  // The default rectangle 100,100,980,795 is smaller than the minimum 900 x 800.
  EXPECT_EQ(WindowRectangle(frame), (std::vector<int>{100, 100, 1000, 900}));

  // Windows may end the process right after WM_ENDSESSION, so the settings
  // are written then, while the window is still there.
  SendMessageW(frame, WM_ENDSESSION, TRUE, 0);
  EXPECT_EQ(StoredRectangle(), (std::vector<int>{100, 100, 1000, 900}));
  EXPECT_EQ(testreg::SettingDword(L"autoLoad"), 0u);
  EXPECT_FALSE(testreg::Query(RegistrySettingsStore::kRunPath, L"Tamarel"));

  // ... and only then: closing afterwards does not write them again.
  ASSERT_TRUE(testreg::PutDword(L"goal", 3));
  PostMessageW(frame, WM_CLOSE, 0, 0);
  ASSERT_TRUE(app.WaitExit(20000));
  EXPECT_EQ(testreg::SettingDword(L"goal"), 3u);
}

// With logins on and a start by the user, she logs in before the window
// shows; user.dat is read beside the program whatever its file name.
TEST_F(StartupTest, LoginComesFirstAndFindsTheUsersBesideARenamedProgram) {
  ASSERT_TRUE(testreg::PutDword(L"autoLoad", 0));
  ASSERT_TRUE(testreg::PutDword(L"userLogins", 1));
  testsupport::TempDir dir;
  const std::filesystem::path exe = dir / "My Calendar.exe";
  std::filesystem::copy_file(ExePath(), exe);
  {
    LogonManager users(dir / "user.dat", {}, nullptr, PasswordHashing{nullptr, 1000});
    ASSERT_EQ(users.AddUser("anna", "rose"), UsersResult::kDone);
  }

  Process app(L"", exe.wstring());
  ASSERT_TRUE(app.Started()) << GetLastError();
  HWND dialog = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (dialog = app.Dialog()) != nullptr; }, 60000));
  wchar_t title[128] = {};
  GetWindowTextW(dialog, title, 128);
  EXPECT_STREQ(title, L"User identification");
  EXPECT_EQ(app.Frame(), nullptr) << "the window comes after the login";
  // The only user is selected; her password logs her in.
  wchar_t selected[64] = {};
  GetDlgItemTextW(dialog, IDC_LOGIN_NAME, selected, 64);
  EXPECT_STREQ(selected, L"anna");
  SendDlgItemMessageW(dialog, IDC_LOGIN_PASSWORD, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"rose"));
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);

  HWND frame = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (frame = app.Frame()) != nullptr && IsWindowVisible(frame); }, 60000));
  EXPECT_TRUE(WaitUntil(
      [&] {
        GetWindowTextW(frame, title, 128);
        return std::wstring(title) == L"Tamarel (anna)";
      },
      10000))
      << title;
  PostMessageW(frame, WM_CLOSE, 0, 0);
  ASSERT_TRUE(app.WaitExit(20000));
}

TEST_F(StartupTest, AStartWithAWindowAsksForTheLoginWhateverAutoLoadSaysEvenFromAnAnnaMariaFolder) {
  // Started by her, not by Windows: "-m" in a folder name is no argument, and
  // with logins on nobody's calendar shows before a login.
  ASSERT_TRUE(testreg::PutDword(L"autoLoad", 1));
  ASSERT_TRUE(testreg::PutDword(L"userLogins", 1));
  testsupport::TempDir dir;
  std::filesystem::create_directories(dir / "anna-maria");
  const std::filesystem::path exe = dir / "anna-maria" / "tamarel.exe";
  std::filesystem::copy_file(ExePath(), exe);
  {
    LogonManager users(dir / "anna-maria" / "user.dat", {}, nullptr, PasswordHashing{nullptr, 1000});
    ASSERT_EQ(users.AddUser("anna", "rose"), UsersResult::kDone);
  }

  Process app(L"", exe.wstring());
  ASSERT_TRUE(app.Started()) << GetLastError();
  HWND dialog = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (dialog = app.Dialog()) != nullptr; }, 60000)) << "the login comes first";
  EXPECT_EQ(app.Frame(), nullptr) << "no calendar before the login";
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);

  // Cancelled: the window shows, locked, with nobody's name.
  HWND frame = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (frame = app.Frame()) != nullptr && IsWindowVisible(frame); }, 60000));
  const HWND calendar = GetDlgItem(frame, 45888);
  EXPECT_TRUE(calendar == nullptr || !IsWindowVisible(calendar));
  wchar_t title[128] = {};
  GetWindowTextW(frame, title, 128);
  EXPECT_STREQ(title, L"Tamarel");
  PostMessageW(frame, WM_CLOSE, 0, 0);
  ASSERT_TRUE(app.WaitExit(20000));
}

}  // namespace
