// The check for a newer version against a web server of the test's own on
// 127.0.0.1: the Help menu's command, the update dialog, the automatic check's
// thread, and what may be opened.

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "env/platform_win32.h"
#include "update/update_fetch_win32.h"
#include "update/update_thread_win32.h"
#include "resources/resource.h"
#include "resources/update_ids.h"
#include "win/frame/frame_fixture.h"
#include "win/support/unix_process_win32.h"

namespace frametest {
namespace {

// The server's folder and port; the server ends with the object.
class VersionServer {
 public:
  VersionServer() {
    const std::string script = std::string(TAMAREL_TEST_SUPPORT_UNIX) + "/version_server.py";
    const std::string folder = testsupport::UnixPath(dir_.path());
    if (folder.empty()) return;
    if (!testsupport::RunHostShell("exec python3 '" + script + "' '" + folder + "' >/dev/null 2>&1")) return;
    WaitUntil([this] { return std::filesystem::exists(dir_ / "port.txt"); }, 15000);
    std::ifstream in(dir_ / "port.txt");
    in >> port_;
  }
  ~VersionServer() {
    if (port_ == 0) return;
    UpdateFetcher quit;
    static_cast<void>(quit.FetchBytes(Address(L"/quit")));
  }
  VersionServer(const VersionServer &) = delete;
  VersionServer &operator=(const VersionServer &) = delete;

  [[nodiscard]] int Port() const { return port_; }
  [[nodiscard]] std::wstring Address(const std::wstring &path) const {
    return L"http://127.0.0.1:" + std::to_wstring(port_) + path;
  }
  void Serve(const std::string &name, const std::string &body) const {
    std::ofstream out(dir_ / name, std::ios::binary);
    out << body;
  }

 private:
  testsupport::TempDir dir_;
  int port_ = 0;
};

// The discard port: nothing listens there on a test machine's loopback.
constexpr int kRefusedPort = 9;

class UpdateTest : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    ASSERT_NE(server_.Port(), 0) << "the test's web server did not start";
  }

  // The version file's address, set as a distributor does: in a language file.
  void UseVersionFile(const std::wstring &address) {
    std::u16string text = u"\xFEFF";
    text += u"APP_UPDATE_URL=" + FromWide(address) + u"\r\n";
    text += u"APP_UPDATING_URL=https://tamarel.example/download\r\n";
    std::ofstream out(dir_ / "zz.lan", std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char *>(text.data()), static_cast<std::streamsize>(text.size() * 2));
    out.close();
    locale_.SetLanguageName("zz");
    ASSERT_EQ(locale_.Translate(u"APP_UPDATE_URL"), FromWide(address));
  }

  static std::u16string FromWide(const std::wstring &w) { return std::u16string(w.begin(), w.end()); }

  // Help > Check new version; returns how long the command held the window.
  ULONGLONG StartCheckFromMenu() {
    const ULONGLONG before = GetTickCount64();
    SendMessageW(frame_->Hwnd(), WM_COMMAND, MAKEWPARAM(ID_HELP_CHECK_NEW_VER, 0), 0);
    return GetTickCount64() - before;
  }
  // The command and its end, with the window's messages dispatched meanwhile.
  void CheckFromMenu() {
    StartCheckFromMenu();
    EXPECT_TRUE(WaitUntil([this] { return !frame_->Updates().Checking(); }, update::kCheckLimitMs + 2000));
  }

  VersionServer server_;
};

struct DialogSeen {
  std::wstring title;
  std::wstring info;
  std::wstring box;
  std::wstring ok;
  std::wstring cancel;
};

DialogSeen Read(HWND dialog) {
  return {DialogDriver::Text(dialog), DialogDriver::Text(GetDlgItem(dialog, IDC_UPDATE_INFO)),
          DialogDriver::Text(GetDlgItem(dialog, IDC_UPDATE_DONT_CHECK)), DialogDriver::Text(GetDlgItem(dialog, IDOK)),
          DialogDriver::Text(GetDlgItem(dialog, IDCANCEL))};
}

TEST_F(UpdateTest, ANewerVersionIsOfferedAndOkOpensItsWebPage) {
  server_.Serve("ver.xml",
                "<?xml version=\"1.0\"?>\r\n<update>\r\n <version>0.0.0.4</version>\r\n"
                " <distr_path>http://127.0.0.1/tamarel-setup.html</distr_path>\r\n</"
                "update>\r\n");
  UseVersionFile(server_.Address(L"/ver.xml"));
  options_.lastUpdate = 12345;
  OpenFrame();
  DialogSeen seen;
  HWND owner = nullptr;
  DialogDriver driver(
      [&](HWND dialog) {
        seen = Read(dialog);
        owner = GetWindow(dialog, GW_OWNER);
        DialogDriver::Click(dialog, IDOK);
      },
      IDC_UPDATE_INFO);
  CheckFromMenu();
  ASSERT_TRUE(driver.Ran());
  EXPECT_EQ(seen.title, L"Update");
  EXPECT_EQ(seen.info,
            L"A new version (0.0.0.4) of the program is now "
            L"available. Would you like to update?");
  EXPECT_EQ(seen.box, L"Do not check for updates.");
  EXPECT_EQ(seen.ok, L"Update");
  EXPECT_EQ(seen.cancel, L"Cancel");
  EXPECT_EQ(owner, frame_->Hwnd());
  EXPECT_EQ(opened_, std::vector<std::wstring>{L"http://127.0.0.1/tamarel-setup.html"});
  EXPECT_TRUE(boxes_.empty());
  // The check obtained a version: its time is stored and saved.
  EXPECT_EQ(options_.lastUpdate, clock_.Now());
  EXPECT_NE(store_.Get(SettingsKey::kSettings, u"lastUpdate"), nullptr);
  EXPECT_FALSE(options_.disableUpdates);
}

TEST_F(UpdateTest, NoUpdatesFoundForAnEqualOrOlderOrOddVersionAndAFailureForNoVersion) {
  struct Case {
    const char *name;
    std::string body;
    const wchar_t *says;
  };
  const wchar_t *const none = L"No Updates Found";
  const Case cases[] = {
      {"equal", "<version>0.0.0.3</version>", none},
      {"older",
       "<version>0.0.0.2</version><distr_path>https://tamarel.example/</"
       "distr_path>",
       none},
      {"blank", "<version> 0.0.0.3</version>", none},
      {"letters", "<version>0.0.0.4-beta</version>", none},
      {"reversed", "</version>0.0.0.9<version>",
       L"The check for a new version failed: the answer is not a version file"},
      {"missing", "",
       L"The check for a new version failed: the server answered with an "
       L"error"},  // 404
  };
  OpenFrame();
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    if (!c.body.empty()) server_.Serve(std::string(c.name) + ".xml", c.body);
    UseVersionFile(server_.Address(L"/" + std::wstring(c.name, c.name + std::strlen(c.name)) + L".xml"));
    options_.lastUpdate = 12345;
    boxes_.clear();
    DialogDriver driver([](HWND dialog) { DialogDriver::Click(dialog, IDCANCEL); }, IDC_UPDATE_INFO);
    CheckFromMenu();
    EXPECT_FALSE(driver.Ran()) << "no update dialog";
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text, c.says);
    const bool obtained = c.says == none;
    EXPECT_EQ(boxes_[0].caption, obtained ? L"Tamarel" : L"Error");
    EXPECT_EQ(options_.lastUpdate, obtained ? clock_.Now() : 12345);
  }
  EXPECT_TRUE(opened_.empty());
}

TEST_F(UpdateTest, ARefusedConnectionSaysTheCheckFailedNotThatThereIsNoUpdate) {
  UseVersionFile(L"http://127.0.0.1:" + std::to_wstring(kRefusedPort) + L"/ver.xml");
  options_.lastUpdate = 12345;
  OpenFrame();
  CheckFromMenu();
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, L"The check for a new version failed: no connection to the server");
  EXPECT_EQ(boxes_[0].caption, L"Error");
  EXPECT_EQ(options_.lastUpdate, 12345);
}

TEST_F(UpdateTest, AServerThatNeverAnswersNeitherHoldsTheWindowNorTheCheckPastItsLimit) {
  UseVersionFile(server_.Address(L"/hang/ver.xml"));
  OpenFrame();
  const ULONGLONG started = GetTickCount64();
  EXPECT_LT(StartCheckFromMenu(), 100u) << "the command returns to the window at once";
  // The window says that it checks, and offers Cancel.
  const HWND checking = frame_->Updates().CheckingWindow();
  ASSERT_NE(checking, nullptr);
  EXPECT_TRUE(IsWindowVisible(checking));
  EXPECT_EQ(DialogDriver::Text(GetDlgItem(checking, IDC_UPDATE_CHECKING_TEXT)), L"Checking for a new version...");
  EXPECT_EQ(DialogDriver::Text(GetDlgItem(checking, IDCANCEL)), L"Cancel");
  // The window keeps answering: a paint and a timer of its own come through.
  bool ticked = false;
  static bool *tickedFlag = nullptr;
  tickedFlag = &ticked;
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) { *tickedFlag = true; });
  EXPECT_TRUE(WaitUntil([&] { return ticked; }, 1000));
  KillTimer(nullptr, timer);
  // A second choice of the command starts no second check.
  EXPECT_LT(StartCheckFromMenu(), 100u);
  EXPECT_EQ(frame_->Updates().CheckingWindow(), checking);

  ASSERT_TRUE(WaitUntil([&] { return !boxes_.empty(); }, update::kCheckLimitMs + 2000));
  const ULONGLONG took = GetTickCount64() - started;
  EXPECT_LE(took, update::kCheckLimitMs + 500u) << "the check ends within its limit";
  EXPECT_FALSE(frame_->Updates().Checking());
  EXPECT_FALSE(IsWindow(checking));
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, L"The check for a new version failed: no answer in time");
}

TEST_F(UpdateTest, CancelEndsTheCheckAtOnceAndALaterCheckStillWorks) {
  UseVersionFile(server_.Address(L"/hang/ver.xml"));
  OpenFrame();
  StartCheckFromMenu();
  const HWND checking = frame_->Updates().CheckingWindow();
  ASSERT_NE(checking, nullptr);
  WaitUntil([] { return false; }, 300);  // in the request now
  const ULONGLONG before = GetTickCount64();
  DialogDriver::Click(checking, IDCANCEL);
  EXPECT_LT(GetTickCount64() - before, 500u);
  EXPECT_FALSE(frame_->Updates().Checking());
  EXPECT_FALSE(IsWindow(checking));
  // A cancelled check says nothing, not even later.
  WaitUntil([] { return false; }, 300);
  EXPECT_TRUE(boxes_.empty());

  server_.Serve("ver.xml", "<version>0.0.0.3</version>");
  UseVersionFile(server_.Address(L"/ver.xml"));
  CheckFromMenu();
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, L"No Updates Found");
}

TEST_F(UpdateTest, ClosingTheWindowDuringACheckDoesNotWaitForTheServer) {
  UseVersionFile(server_.Address(L"/hang/ver.xml"));
  OpenFrame();
  StartCheckFromMenu();
  ASSERT_TRUE(frame_->Updates().Checking());
  WaitUntil([] { return false; }, 300);
  const ULONGLONG before = GetTickCount64();
  frame_.reset();
  EXPECT_LT(GetTickCount64() - before, 1000u);
  // Nothing arrives for a window that is gone.
  WaitUntil([] { return false; }, 300);
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(UpdateTest, ADownloadAddressThatIsNoWebPageOpensTheProgramsOwnPage) {
  const char *addresses[] = {"file:///C:/windows/system32/calc.exe", "C:\\windows\\notepad.exe",
                             "\\\\server\\share\\setup.exe", "javascript:alert(1)", ""};
  OpenFrame();
  for (const char *address : addresses) {
    SCOPED_TRACE(address);
    server_.Serve("ver.xml", std::string("<version>1.0</version><distr_path>") + address + "</distr_path>");
    UseVersionFile(server_.Address(L"/ver.xml"));
    opened_.clear();
    DialogDriver driver([](HWND dialog) { DialogDriver::Click(dialog, IDOK); }, IDC_UPDATE_INFO);
    CheckFromMenu();
    ASSERT_TRUE(driver.Ran());
    EXPECT_EQ(opened_, std::vector<std::wstring>{L"https://tamarel.example/download"});
  }
}

TEST_F(UpdateTest, DoNotCheckWithCancelStoresTheSwitchAndOpensNothing) {
  server_.Serve("ver.xml",
                "<version>0.0.1</version><distr_path>https://"
                "tamarel.example/x</distr_path>");
  UseVersionFile(server_.Address(L"/ver.xml"));
  OpenFrame();
  DialogDriver driver(
      [](HWND dialog) {
        SendMessageW(GetDlgItem(dialog, IDC_UPDATE_DONT_CHECK), BM_CLICK, 0, 0);
        DialogDriver::Click(dialog, IDCANCEL);
      },
      IDC_UPDATE_INFO);
  CheckFromMenu();
  ASSERT_TRUE(driver.Ran());
  EXPECT_TRUE(options_.disableUpdates);
  const StoredValue *stored = store_.Get(SettingsKey::kSettings, u"disableUpdates");
  ASSERT_NE(stored, nullptr);
  EXPECT_EQ(stored->data, (std::vector<uint8_t>{1, 0, 0, 0}));
  EXPECT_TRUE(opened_.empty());

  // The menu command still works with the automatic check off.
  DialogDriver again([](HWND dialog) { DialogDriver::Click(dialog, IDCANCEL); }, IDC_UPDATE_INFO);
  CheckFromMenu();
  EXPECT_TRUE(again.Ran());
}

TEST_F(UpdateTest, TheThreadFetchesWhenADayHasPassedAndTheWindowOffersWhatItFound) {
  server_.Serve("ver.xml", "<version>0.0.0.5</version>");
  UseVersionFile(server_.Address(L"/ver.xml"));
  OpenFrame();
  const int64_t now = 1'800'000'000;
  FixedClock clock(kToday, now);
  Latin1Codec codec;

  // Checked 23 hours ago: nothing is fetched yet, and no thread waits for it.
  {
    UpdateThread early(frame_->Hwnd(), locale_, codec, clock, now - 23 * 3600, {50, 50});
    ASSERT_TRUE(early.Start());
    EXPECT_TRUE(early.Waiting());
    WaitUntil([] { return false; }, 400);
    EXPECT_EQ(early.Fetches(), 0);
    EXPECT_FALSE(early.Running());
    EXPECT_TRUE(early.Stop());
    EXPECT_FALSE(early.Waiting());
  }

  DialogSeen seen;
  DialogDriver driver(
      [&](HWND dialog) {
        seen = Read(dialog);
        DialogDriver::Click(dialog, IDCANCEL);
      },
      IDC_UPDATE_INFO);
  // Checked a day ago: the thread starts at once and fetches.
  UpdateThread thread(frame_->Hwnd(), locale_, codec, clock, now - 86400, {50, 60000});
  ASSERT_TRUE(thread.Start());
  EXPECT_TRUE(thread.Running());
  ASSERT_TRUE(WaitUntil([&] { return driver.Ran(); }, 20000));
  EXPECT_EQ(seen.info,
            L"A new version (0.0.0.5) of the program is now "
            L"available. Would you like to update?");
  // The window's thread stored the time of the check.
  EXPECT_EQ(options_.lastUpdate, now);
  EXPECT_EQ(thread.Fetches(), 1);
  EXPECT_TRUE(thread.Stop());
  EXPECT_FALSE(thread.Running());
}

TEST_F(UpdateTest, ACheckNotYetDueStartsItsThreadWhenTheDayHasPassed) {
  server_.Serve("ver.xml", "<version>0.0.0.5</version>");
  UseVersionFile(server_.Address(L"/ver.xml"));
  OpenFrame();
  const int64_t now = 1'800'000'000;
  FixedClock clock(kToday, now);
  Latin1Codec codec;
  DialogDriver driver([](HWND dialog) { DialogDriver::Click(dialog, IDCANCEL); }, IDC_UPDATE_INFO);
  UpdateThread thread(frame_->Hwnd(), locale_, codec, clock, now - 23 * 3600, {50, 60000});
  ASSERT_TRUE(thread.Start());
  WaitUntil([] { return false; }, 300);
  EXPECT_FALSE(thread.Running());
  EXPECT_EQ(thread.Fetches(), 0);
  // An hour later the day has passed: the waiting timer starts the thread.
  clock.SetNow(now + 3600);
  ASSERT_TRUE(WaitUntil([&] { return driver.Ran(); }, 20000));
  EXPECT_FALSE(thread.Waiting());
  EXPECT_EQ(thread.Fetches(), 1);
  EXPECT_EQ(options_.lastUpdate, now + 3600);
  EXPECT_TRUE(thread.Stop());
}

TEST_F(UpdateTest, StoppingNeverWaitsForASlowServerLongerThanASecond) {
  server_.Serve("ver.xml", "<version>0.0.0.5</version>");
  UseVersionFile(server_.Address(L"/slow/ver.xml"));
  OpenFrame();
  FixedClock clock(kToday, 1'800'000'000);
  Latin1Codec codec;
  auto thread = std::make_unique<UpdateThread>(frame_->Hwnd(), locale_, codec, clock, 0);
  ASSERT_TRUE(thread->Start());
  ASSERT_TRUE(WaitUntil([&] { return thread->Fetches() == 1; }, 5000));
  Sleep(300);  // in the request now
  const ULONGLONG before = GetTickCount64();
  thread->Stop();
  thread.reset();
  EXPECT_LT(GetTickCount64() - before, 1500u);
  // Nothing reaches the window afterwards.
  DialogDriver driver([](HWND dialog) { DialogDriver::Click(dialog, IDCANCEL); }, IDC_UPDATE_INFO);
  WaitUntil([] { return false; }, 200);
  EXPECT_FALSE(driver.Ran());
}

}  // namespace
}  // namespace frametest
