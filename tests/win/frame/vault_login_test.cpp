// Her calendar encrypted from the program's windows: "Encrypt my calendar" at
// login and in Configure, her days back at the next login and only with her
// password, a changed vault refused, deleting a user with her days, and the
// days of deleted users cleared from Configure.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "accounts/calendar_session.h"
#include "accounts/logon_manager.h"
#include "resources/login_ids.h"
#include "resources/resource.h"
#include "resources/settings_ids.h"
#include "ui/login/login_dlg_win32.h"
#include "ui/settings/settings_dialog_win32.h"
#include "win/frame/frame_fixture.h"

namespace frametest {
namespace vault_login_test {

namespace fs = std::filesystem;

constexpr PackedDate kDay{12, 6, 2024};
const std::wstring kNote = L"Private visit to Dr. Ilse Brandt";

bool FileHolds(const fs::path& file, std::wstring_view text) {
  if (!fs::exists(file)) return false;
  const std::vector<uint8_t> bytes = testsupport::ReadBytes(file);
  std::vector<uint8_t> utf16, utf8;
  for (wchar_t c : text) {
    utf16.push_back(static_cast<uint8_t>(c));
    utf16.push_back(static_cast<uint8_t>(c >> 8));
    utf8.push_back(static_cast<uint8_t>(c));
  }
  const auto has = [&bytes](const std::vector<uint8_t>& needle) {
    return std::search(bytes.begin(), bytes.end(), needle.begin(), needle.end()) != bytes.end();
  };
  return has(utf16) || has(utf8);
}

class VaultLoginTest : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    {
      LogonManager setup(dir_ / "user.dat", {}, nullptr, PasswordHashing{nullptr, 1000});
      ASSERT_EQ(setup.AddUser("anna", "rose"), UsersResult::kDone);
      ASSERT_EQ(setup.AddUser("bea", "tulip"), UsersResult::kDone);
    }
    logon_ = std::make_unique<LogonManager>(dir_ / "user.dat");
    MakeModel(dir_ / "db.dat",
              [this] { return static_cast<uint16_t>(options_.userLogins ? logon_->CurrentUser().id : 0); });
    VaultContext vault;
    vault.iterations = 1000;  // the key's cost is measured by the login timing program
    session_ = std::make_unique<CalendarSession>(*model_, dir_ / "db.dat", vault);
    adjustContext_ = [this](FrameContext& context) {
      context.logon = logon_.get();
      context.codec = &codec_;
      context.session = session_.get();
      // Questions are answered by key text; the rest as the fixture does.
      context.prompts.messageBox = [this](HWND, const std::wstring& text, const std::wstring& caption, UINT type) {
        boxes_.push_back({text, caption, type});
        for (const auto& [start, answer] : answers_) {
          if (text.starts_with(start)) return answer;
        }
        return IDOK;
      };
    };
  }
  void TearDown() override {
    frame_.reset();
    session_.reset();  // before the model it works on
    FrameTest::TearDown();
    logon_.reset();
  }

  fs::path Vault(int id) const { return VaultPath(dir_ / "db.dat", id); }

  // Logout, then the login dialog answered; encrypt: the box is set so
  // (none: left as the dialog shows it). Returns whether the box was
  // checked when her name and password were in.
  bool LogInAs(const wchar_t* name, const wchar_t* password, std::optional<bool> encrypt = std::nullopt,
               bool cancelAfter = false) {
    bool boxChecked = false;
    DialogDriver driver([&](HWND dialog) {
      SendDlgItemMessageW(dialog, IDC_LOGIN_NAME, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                          reinterpret_cast<LPARAM>(name));
      SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_LOGIN_NAME, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_LOGIN_NAME)));
      SetDlgItemTextW(dialog, IDC_LOGIN_PASSWORD, password);
      boxChecked = IsDlgButtonChecked(dialog, IDC_LOGIN_ENCRYPT) == BST_CHECKED;
      if (encrypt) CheckDlgButton(dialog, IDC_LOGIN_ENCRYPT, *encrypt ? BST_CHECKED : BST_UNCHECKED);
      DialogDriver::Click(dialog, IDOK);
      if (cancelAfter && IsWindow(dialog)) DialogDriver::Click(dialog, IDCANCEL);
    });
    SendMessageW(frame_->Hwnd(), WM_COMMAND, MAKEWPARAM(ID_FILE_LOGOUT, 0), 0);
    EXPECT_TRUE(driver.Ran());
    return boxChecked;
  }

  // In the login dialog: Delete, and the delete dialog answered with her
  // name and password.
  static void DeleteFromLogin(HWND login, const wchar_t* name, const wchar_t* password) {
    DialogDriver remove(
        [&](HWND dialog) {
          SendDlgItemMessageW(dialog, IDC_DELETE_NAME, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                              reinterpret_cast<LPARAM>(name));
          SetDlgItemTextW(dialog, IDC_DELETE_PASSWORD, password);
          DialogDriver::Click(dialog, IDOK);
        },
        IDC_DELETE_NAME);
    DialogDriver::Click(login, IDC_LOGIN_DELETE);
    EXPECT_TRUE(remove.Ran());
  }

  void WriteNote(const std::wstring& note) {
    DialogDriver driver([&](HWND dialog) {
      SetDlgItemTextW(dialog, IDC_NOTE_EDIT, note.c_str());
      DialogDriver::Click(dialog, IDOK);
    });
    RunDayCommand(kDay, ID_DAY_NOTE);
    EXPECT_TRUE(driver.Ran());
  }

  CSettingsDialog* Configure() {
    SendMessageW(frame_->Hwnd(), WM_COMMAND, MAKEWPARAM(ID_FILE_CONFIGURE, 0), 0);
    return frame_->SettingsWindow().Dialog();
  }
  static void ClickPageButton(CSettingsDialog* settings, int id) {
    const HWND page = settings->Page(0)->Hwnd();
    const HWND button = GetDlgItem(page, id);
    if (id == IDC_CONFIGURE_ENCRYPT) {
      const bool checked = IsDlgButtonChecked(page, id) == BST_CHECKED;
      CheckDlgButton(page, id, checked ? BST_UNCHECKED : BST_CHECKED);
    }
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
  }

  bool Shown(std::wstring_view start) const {
    return std::any_of(boxes_.begin(), boxes_.end(), [&](const ShownBox& b) { return b.text.starts_with(start); });
  }

  std::unique_ptr<LogonManager> logon_;
  std::unique_ptr<CalendarSession> session_;
  std::map<std::wstring, int> answers_;
};

TEST_F(VaultLoginTest, HerEncryptedDaysComeBackAtTheNextLoginOnlyWithHerPasswordAndNeverLieInDbDat) {
  answers_[L"Your days will be readable only with your password"] = IDNO;  // no backup first
  OpenFrame();
  EXPECT_FALSE(LogInAs(L"anna", L"rose", true)) << "anna has no vault yet";
  ASSERT_TRUE(Shown(L"Your days will be readable only with your password. A forgotten password cannot be recovered"));
  ASSERT_TRUE(fs::exists(Vault(1)));
  ASSERT_TRUE(session_->VaultOpen());
  EXPECT_EQ(DialogDriver::Text(frame_->Hwnd()), L"Tamarel (anna)");

  RunDayCommand(kDay, ID_DAY_SET_START);
  WriteNote(kNote);
  auto day = Stored(kDay);
  ASSERT_TRUE(day && day->menstruationStart && day->note);
  EXPECT_EQ(*day->note, std::u16string(kNote.begin(), kNote.end()));

  // Somebody else logs in: anna's key goes, and none of her days is shown.
  EXPECT_FALSE(LogInAs(L"bea", L"tulip"));
  EXPECT_FALSE(session_->VaultOpen());
  EXPECT_EQ(Stored(kDay), nullptr);
  for (const fs::path& file : {dir_ / "db.dat", DatabaseManager::JournalPath(dir_ / "db.dat"), Vault(1)})
    EXPECT_FALSE(FileHolds(file, kNote)) << file;

  // A wrong password: the message, nobody logged in, nothing of hers shown.
  LogInAs(L"anna", L"tulip", std::nullopt, true);
  EXPECT_TRUE(Shown(L"Could not login. Please check the password."));
  EXPECT_EQ(logon_->CurrentUser().id, 0);
  EXPECT_FALSE(session_->VaultOpen());
  EXPECT_EQ(Stored(kDay), nullptr);

  // Her password: the box shows her calendar is encrypted, and her days are back.
  EXPECT_TRUE(LogInAs(L"anna", L"rose"));
  ASSERT_TRUE(session_->VaultOpen());
  day = Stored(kDay);
  ASSERT_TRUE(day && day->menstruationStart && day->note);
  EXPECT_EQ(*day->note, std::u16string(kNote.begin(), kNote.end()));
  EXPECT_TRUE(IsWindowVisible(frame_->CalendarHwnd()));
}

TEST_F(VaultLoginTest, AChangedVaultIsRefusedWithAMessageAndLeftAsItIs) {
  answers_[L"Your days will be readable only with your password"] = IDNO;
  OpenFrame();
  LogInAs(L"anna", L"rose", true);
  RunDayCommand(kDay, ID_DAY_SET_START);
  LogInAs(L"bea", L"tulip");
  std::vector<uint8_t> bytes = testsupport::ReadBytes(Vault(1));
  bytes[bytes.size() - 3] ^= 0x20;
  testsupport::WriteBytes(Vault(1), bytes);

  LogInAs(L"anna", L"rose", std::nullopt, true);
  EXPECT_TRUE(Shown(L"Your encrypted calendar could not be opened: it was changed or damaged."));
  EXPECT_EQ(logon_->CurrentUser().id, 0) << "nobody is logged in over a vault that does not open";
  EXPECT_FALSE(session_->VaultOpen());
  EXPECT_EQ(testsupport::ReadBytes(Vault(1)), bytes);
  EXPECT_FALSE(IsWindowVisible(frame_->CalendarHwnd()));
}

TEST_F(VaultLoginTest, ConfigureEncryptsWithHerPasswordAndTurnsItOffAgain) {
  answers_[L"Your days will be readable only with your password"] = IDNO;
  answers_[L"Your days will be kept unencrypted again"] = IDYES;
  OpenFrame();
  LogInAs(L"anna", L"rose");
  RunDayCommand(kDay, ID_DAY_SET_START);
  CSettingsDialog* settings = Configure();
  ASSERT_NE(settings, nullptr);
  const HWND page = settings->Page(0)->Hwnd();
  ASSERT_TRUE(IsWindowEnabled(GetDlgItem(page, IDC_CONFIGURE_ENCRYPT)));
  EXPECT_EQ(IsDlgButtonChecked(page, IDC_CONFIGURE_ENCRYPT), BST_UNCHECKED);

  // A wrong password first, then hers.
  {
    bool refusedFirst = false;
    DialogDriver driver(
        [&](HWND dialog) {
          SetDlgItemTextW(dialog, IDC_PASSWORD_FIELD, L"tulip");
          DialogDriver::Click(dialog, IDOK);
          refusedFirst = IsWindow(dialog) && GetWindowTextLengthW(GetDlgItem(dialog, IDC_PASSWORD_FIELD)) == 0;
          SetDlgItemTextW(dialog, IDC_PASSWORD_FIELD, L"rose");
          DialogDriver::Click(dialog, IDOK);
        },
        IDC_PASSWORD_FIELD);
    ClickPageButton(settings, IDC_CONFIGURE_ENCRYPT);
    ASSERT_TRUE(driver.Ran());
    EXPECT_TRUE(refusedFirst);
  }
  EXPECT_TRUE(fs::exists(Vault(1)));
  EXPECT_TRUE(session_->VaultOpen());
  EXPECT_EQ(IsDlgButtonChecked(page, IDC_CONFIGURE_ENCRYPT), BST_CHECKED);
  EXPECT_EQ(session_->Plain().CountDays(1), 0);
  ASSERT_TRUE(Stored(kDay));

  ClickPageButton(settings, IDC_CONFIGURE_ENCRYPT);
  EXPECT_TRUE(Shown(L"Your days will be kept unencrypted again"));
  EXPECT_FALSE(fs::exists(Vault(1)));
  EXPECT_FALSE(session_->VaultOpen());
  EXPECT_EQ(IsDlgButtonChecked(page, IDC_CONFIGURE_ENCRYPT), BST_UNCHECKED);
  EXPECT_EQ(session_->Plain().CountDays(1), 1);
  ASSERT_TRUE(Stored(kDay));
  EXPECT_TRUE(Stored(kDay)->menstruationStart);
}

TEST_F(VaultLoginTest, DeletingAUserAsksAboutHerDaysAndConfigureClearsWhatWasKept) {
  OpenFrame();
  LogInAs(L"bea", L"tulip");
  RunDayCommand(kDay, ID_DAY_SET_START);
  LogInAs(L"anna", L"rose");
  RunDayCommand(kDay, ID_DAY_SET_START);

  // bea is deleted from the login dialog; she keeps her days (No).
  answers_[L"Delete the days of bea too?"] = IDNO;
  UINT questionType = 0;
  {
    DialogDriver outer([&](HWND login) {
      DeleteFromLogin(login, L"bea", L"tulip");
      SendDlgItemMessageW(login, IDC_LOGIN_NAME, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                          reinterpret_cast<LPARAM>(L"anna"));
      SetDlgItemTextW(login, IDC_LOGIN_PASSWORD, L"rose");
      DialogDriver::Click(login, IDOK);
    });
    SendMessageW(frame_->Hwnd(), WM_COMMAND, MAKEWPARAM(ID_FILE_LOGOUT, 0), 0);
    ASSERT_TRUE(outer.Ran());
  }
  for (const ShownBox& box : boxes_) {
    if (box.text.starts_with(L"Delete the days of bea too?")) questionType = box.type;
  }
  EXPECT_EQ(questionType & MB_DEFMASK, static_cast<UINT>(MB_DEFBUTTON1)) << "yes is the default";
  EXPECT_FALSE(logon_->UserExists("bea"));
  EXPECT_EQ(session_->Plain().CountDays(2), 1) << "she said no: her day stays";

  // Configure shows it and deletes it when asked; anna's day stays.
  answers_[L"Delete the days of users who no longer exist?"] = IDYES;
  CSettingsDialog* settings = Configure();
  ASSERT_NE(settings, nullptr);
  const HWND page = settings->Page(0)->Hwnd();
  EXPECT_TRUE(IsWindowVisible(GetDlgItem(page, IDC_CONFIGURE_LEFTOVERS)));
  EXPECT_EQ(DialogDriver::Text(GetDlgItem(page, IDC_CONFIGURE_LEFTOVERS)), L"Days of deleted users: 1");
  ClickPageButton(settings, IDC_CONFIGURE_LEFTOVERS_DELETE);
  EXPECT_EQ(session_->Plain().CountDays(2), 0);
  EXPECT_EQ(session_->Plain().CountDays(1), 1);
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(page, IDC_CONFIGURE_LEFTOVERS)));
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(page, IDC_CONFIGURE_LEFTOVERS_DELETE)));
}

TEST_F(VaultLoginTest, DeletingAUserWithTheDefaultAnswerTakesHerVaultToo) {
  answers_[L"Your days will be readable only with your password"] = IDNO;
  answers_[L"Delete the days of bea too?"] = IDYES;
  OpenFrame();
  LogInAs(L"bea", L"tulip", true);
  RunDayCommand(kDay, ID_DAY_SET_START);
  ASSERT_TRUE(fs::exists(Vault(2)));
  {
    DialogDriver outer([&](HWND login) {
      DeleteFromLogin(login, L"bea", L"tulip");
      DialogDriver::Click(login, IDCANCEL);
    });
    SendMessageW(frame_->Hwnd(), WM_COMMAND, MAKEWPARAM(ID_FILE_LOGOUT, 0), 0);
    ASSERT_TRUE(outer.Ran());
  }
  EXPECT_FALSE(logon_->UserExists("bea"));
  EXPECT_FALSE(fs::exists(Vault(2)));
  EXPECT_EQ(session_->Plain().CountDays(2), 0);
  EXPECT_FALSE(session_->VaultOpen());
}

// The dialog start-up shows has no owner: it gets a taskbar button of its
// own, so it cannot hide behind other windows. A wrong password is emptied
// and the field has the focus for the next try.
TEST_F(VaultLoginTest, TheStartUpDialogHasItsOwnTaskbarButtonAndAWrongPasswordIsEmptiedAndFocused) {
  Prompts prompts;
  prompts.messageBox = [this](HWND, const std::wstring& text, const std::wstring& caption, UINT type) {
    boxes_.push_back({text, caption, type});
    return IDOK;
  };
  CLoginDlg login(*logon_, locale_, codec_, prompts, ProgramResources());
  login.SetSession(session_.get(), nullptr);
  bool appWindow = false, emptied = false, focused = false, stillOpen = false;
  DialogDriver driver([&](HWND dialog) {
    appWindow = (GetWindowLongPtrW(dialog, GWL_EXSTYLE) & WS_EX_APPWINDOW) != 0;
    SendDlgItemMessageW(dialog, IDC_LOGIN_NAME, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                        reinterpret_cast<LPARAM>(L"anna"));
    SetDlgItemTextW(dialog, IDC_LOGIN_PASSWORD, L"tulip");
    DialogDriver::Click(dialog, IDOK);
    stillOpen = IsWindow(dialog) != FALSE;
    emptied = GetWindowTextLengthW(GetDlgItem(dialog, IDC_LOGIN_PASSWORD)) == 0;
    focused = GetFocus() == GetDlgItem(dialog, IDC_LOGIN_PASSWORD);
    DialogDriver::Click(dialog, IDCANCEL);
  });
  EXPECT_EQ(login.DoModal(nullptr), IDCANCEL);
  ASSERT_TRUE(driver.Ran());
  EXPECT_TRUE(appWindow);
  EXPECT_TRUE(stillOpen);
  EXPECT_TRUE(emptied);
  EXPECT_TRUE(focused);
  EXPECT_TRUE(Shown(L"Could not login. Please check the password."));
  EXPECT_EQ(logon_->CurrentUser().id, 0);
}

}  // namespace vault_login_test
}  // namespace frametest
