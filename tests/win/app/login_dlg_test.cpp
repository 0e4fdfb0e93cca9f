// The login, new-user and delete-user dialogs, run modally and answered step
// by step as a user would, with the resources of the built tamarel.exe.

#include "ui/login/login_dlg_win32.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "accounts/logon_manager.h"
#include "env/locale_manager.h"
#include "env/platform.h"
#include "model/database_manager.h"
#include "model/menstual_manager.h"
#include "resources/login_ids.h"
#include "settings/memory_settings_store.h"
#include "settings/options_manager.h"
#include "support/temp_dir.h"
#include "win/frame/frame_fixture.h"

namespace {

namespace fs = std::filesystem;
using frametest::ProgramResources;

// Answers the modal dialogs of this thread, one step per dialog that comes
// up. A step may open another dialog (Create inside Login); the next step
// then answers that one, while the dialog that opened it waits disabled.
// A dialog still open when no step is left is cancelled and reported.
class DialogScript {
 public:
  using Step = std::function<void(HWND)>;

  explicit DialogScript(std::vector<Step> steps) : steps_(steps.begin(), steps.end()) {
    Current() = this;
    timer_ = SetTimer(nullptr, 0, 30, &DialogScript::Tick);
  }
  ~DialogScript() {
    KillTimer(nullptr, timer_);
    Current() = nullptr;
  }
  DialogScript(const DialogScript&) = delete;
  DialogScript& operator=(const DialogScript&) = delete;

  // Titles of the dialogs the steps ran on, in order.
  [[nodiscard]] const std::vector<std::wstring>& Visited() const { return visited_; }
  [[nodiscard]] bool AllStepsRan() const { return steps_.empty(); }
  [[nodiscard]] bool LeftOpen() const { return leftOpen_; }

  static std::wstring Text(HWND window) {
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return text;
  }
  static std::wstring ItemText(HWND dialog, int id) { return Text(GetDlgItem(dialog, id)); }
  static void Click(HWND dialog, int id) {
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
  }
  static void Type(HWND dialog, int id, const wchar_t* text) { SetDlgItemTextW(dialog, id, text); }
  // Selects the list entry with this text, as a user picking it would.
  static void Pick(HWND dialog, int comboId, const wchar_t* name) {
    const HWND combo = GetDlgItem(dialog, comboId);
    const LRESULT index = SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name));
    ASSERT_GE(index, 0) << "no entry";
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
  }
  // The list's entries in their shown order and the selected one.
  static std::vector<std::wstring> Entries(HWND dialog, int comboId) {
    const HWND combo = GetDlgItem(dialog, comboId);
    std::vector<std::wstring> entries;
    const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      wchar_t text[256] = {};
      SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
      entries.push_back(text);
    }
    return entries;
  }
  static std::wstring Selected(HWND dialog, int comboId) {
    const HWND combo = GetDlgItem(dialog, comboId);
    const LRESULT index = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (index < 0) return L"(none)";
    wchar_t text[256] = {};
    SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return text;
  }

 private:
  static DialogScript*& Current() {
    static DialogScript* current = nullptr;
    return current;
  }

  // The dialog a user could act on now: visible, enabled, not being answered.
  HWND ActiveDialog() const {
    struct Search {
      const DialogScript* self;
      HWND found;
    } search{this, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM lp) -> BOOL {
          auto* s = reinterpret_cast<Search*>(lp);
          wchar_t cls[16] = {};
          GetClassNameW(hwnd, cls, 16);
          if (std::wstring(cls) != L"#32770" || !IsWindowVisible(hwnd) || !IsWindowEnabled(hwnd)) return TRUE;
          for (HWND busy : s->self->busy_) {
            if (busy == hwnd) return TRUE;
          }
          s->found = hwnd;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
  }

  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    DialogScript* self = Current();
    if (!self) return;
    const HWND dialog = self->ActiveDialog();
    if (!dialog) {
      self->idleTicks_ = 0;
      return;
    }
    if (self->steps_.empty()) {
      // Give a closing dialog time to go; then it was left open by mistake.
      if (++self->idleTicks_ < 30) return;
      self->leftOpen_ = true;
      PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
      return;
    }
    self->idleTicks_ = 0;
    Step step = std::move(self->steps_.front());
    self->steps_.pop_front();
    self->visited_.push_back(Text(dialog));
    self->busy_.push_back(dialog);
    step(dialog);
    self->busy_.pop_back();
  }

  std::deque<Step> steps_;
  std::vector<HWND> busy_;
  std::vector<std::wstring> visited_;
  UINT_PTR timer_ = 0;
  int idleTicks_ = 0;
  bool leftOpen_ = false;
};

struct ShownBox {
  std::wstring owner;  // title of the dialog that showed it
  std::wstring text;
  std::wstring caption;
  UINT type = 0;
};

class LoginDlgTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(ProgramResources(), nullptr) << "tamarel.exe not loadable: " << GetLastError();
    prompts_.messageBox = [this](HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) {
      boxes_.push_back({DialogScript::Text(owner), text, caption, type});
      return IDOK;
    };
  }

  fs::path UserFile() const { return dir_ / "user.dat"; }

  // A users file with these users (name, password) under ids 1, 2, ...
  void WriteUsers(const std::vector<std::pair<std::string, std::string>>& users) {
    std::string text;
    int id = 0;
    for (const auto& [name, password] : users)
      text += std::to_string(++id) + "\t" + name + "\t" + OldPasswordHash(password) + "\r\n";
    testsupport::WriteBytes(UserFile(), std::vector<uint8_t>(text.begin(), text.end()));
  }
  std::string FileText() const {
    const auto bytes = testsupport::ReadBytes(UserFile());
    return std::string(bytes.begin(), bytes.end());
  }

  LogonManager& Logon() {
    if (!logon_) logon_ = std::make_unique<LogonManager>(userFile_.empty() ? UserFile() : userFile_,
                                                         [this] { return highestOwner_; }, nullptr,
                                                         PasswordHashing{nullptr, 1000});
    return *logon_;
  }

  // Runs the login dialog answered by steps; its result.
  INT_PTR RunLogin(std::vector<DialogScript::Step> steps) {
    CLoginDlg dialog(Logon(), locale_, codec_, prompts_, ProgramResources());
    DialogScript script(std::move(steps));
    const INT_PTR result = dialog.DoModal(nullptr);
    EXPECT_TRUE(script.AllStepsRan()) << "a dialog did not come up";
    EXPECT_FALSE(script.LeftOpen()) << "a dialog stayed open";
    visited_ = script.Visited();
    return result;
  }

  testsupport::TempDir dir_;
  Latin1Codec codec_;
  LocaleManager locale_{dir_.path(), codec_};
  Prompts prompts_;
  fs::path userFile_;  // when set, used instead of dir_/user.dat
  int highestOwner_ = 0;
  std::unique_ptr<LogonManager> logon_;
  std::vector<ShownBox> boxes_;
  std::vector<std::wstring> visited_;
};

constexpr UINT kErrorBox = MB_OK | MB_ICONINFORMATION;

TEST_F(LoginDlgTest, EveryTextComesFromTheTranslationsAndFieldsAreLimitedAndMasked) {
  WriteUsers({{"Mia", "m"}, {"Eva", "e"}, {"Lea", "l"}});
  const std::string before = FileText();
  struct Seen {
    std::wstring title, nameLabel, passwordLabel, ok, create, del, cancel, selected;
    std::vector<std::wstring> entries;
    LRESULT limit = 0, passwordChar = 0;
    LONG_PTR style = 0;
  } login;
  std::wstring createTitle, createLabels, createOk, createCancel;
  LRESULT createLimits[3] = {}, createChars[3] = {};
  std::wstring deleteTitle, deleteLabels, deleteSelected, deleteCancel;
  std::vector<std::wstring> deleteEntries;
  LRESULT deleteLimit = 0, deleteChar = 0;

  const INT_PTR result = RunLogin({
      [&](HWND d) {
        login.title = DialogScript::Text(d);
        login.nameLabel = DialogScript::ItemText(d, IDC_LOGIN_NAME_LABEL);
        login.passwordLabel = DialogScript::ItemText(d, IDC_LOGIN_PASSWORD_LABEL);
        login.ok = DialogScript::ItemText(d, IDOK);
        login.create = DialogScript::ItemText(d, IDC_LOGIN_CREATE);
        login.del = DialogScript::ItemText(d, IDC_LOGIN_DELETE);
        login.cancel = DialogScript::ItemText(d, IDCANCEL);
        login.entries = DialogScript::Entries(d, IDC_LOGIN_NAME);
        login.selected = DialogScript::Selected(d, IDC_LOGIN_NAME);
        const HWND password = GetDlgItem(d, IDC_LOGIN_PASSWORD);
        login.limit = SendMessageW(password, EM_GETLIMITTEXT, 0, 0);
        login.passwordChar = SendMessageW(password, EM_GETPASSWORDCHAR, 0, 0);
        login.style = GetWindowLongPtrW(GetDlgItem(d, IDC_LOGIN_NAME), GWL_STYLE);
        DialogScript::Click(d, IDC_LOGIN_CREATE);
        DialogScript::Click(d, IDC_LOGIN_DELETE);
        DialogScript::Click(d, IDCANCEL);
      },
      [&](HWND d) {
        createTitle = DialogScript::Text(d);
        createLabels = DialogScript::ItemText(d, IDC_CREATE_NAME_LABEL) + L"|" +
                       DialogScript::ItemText(d, IDC_CREATE_PASSWORD_LABEL) + L"|" +
                       DialogScript::ItemText(d, IDC_CREATE_RETYPE_LABEL);
        createOk = DialogScript::ItemText(d, IDOK);
        createCancel = DialogScript::ItemText(d, IDCANCEL);
        int i = 0;
        for (int id : {IDC_CREATE_NAME, IDC_CREATE_PASSWORD, IDC_CREATE_RETYPE}) {
          createLimits[i] = SendMessageW(GetDlgItem(d, id), EM_GETLIMITTEXT, 0, 0);
          createChars[i++] = SendMessageW(GetDlgItem(d, id), EM_GETPASSWORDCHAR, 0, 0);
        }
        DialogScript::Click(d, IDCANCEL);
      },
      [&](HWND d) {
        deleteTitle = DialogScript::Text(d);
        deleteLabels = DialogScript::ItemText(d, IDC_DELETE_NAME_LABEL) + L"|" +
                       DialogScript::ItemText(d, IDC_DELETE_PASSWORD_LABEL);
        deleteCancel = DialogScript::ItemText(d, IDCANCEL);
        deleteEntries = DialogScript::Entries(d, IDC_DELETE_NAME);
        deleteSelected = DialogScript::Selected(d, IDC_DELETE_NAME);
        deleteLimit = SendMessageW(GetDlgItem(d, IDC_DELETE_PASSWORD), EM_GETLIMITTEXT, 0, 0);
        deleteChar = SendMessageW(GetDlgItem(d, IDC_DELETE_PASSWORD), EM_GETPASSWORDCHAR, 0, 0);
        DialogScript::Click(d, IDCANCEL);
      },
  });
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_EQ(Logon().CurrentUser().id, 0);
  EXPECT_TRUE(boxes_.empty());

  EXPECT_EQ(login.title, L"User identification");
  EXPECT_EQ(login.nameLabel, L"Login");
  EXPECT_EQ(login.passwordLabel, L"Password");
  EXPECT_EQ(login.ok, L"OK");
  EXPECT_EQ(login.create, L"Create a new user");
  EXPECT_EQ(login.del, L"Delete user");
  EXPECT_EQ(login.cancel, L"Cancel");
  EXPECT_EQ(login.entries, (std::vector<std::wstring>{L"Eva", L"Lea", L"Mia"}));
  EXPECT_EQ(login.selected, L"Eva");
  EXPECT_EQ(login.limit, 14);
  EXPECT_EQ(login.passwordChar, L'*');
  EXPECT_EQ(login.style & 0xF, CBS_DROPDOWNLIST);
  EXPECT_TRUE(login.style & CBS_SORT);

  EXPECT_EQ(createTitle, L"Create a new user");
  EXPECT_EQ(createLabels, L"Login|Password|Retype password");
  EXPECT_EQ(createOk, L"OK");
  EXPECT_EQ(createCancel, L"Cancel");
  EXPECT_EQ(createLimits[0], 14);
  EXPECT_EQ(createLimits[1], 14);
  EXPECT_EQ(createLimits[2], 14);
  EXPECT_EQ(createChars[0], 0);  // the name is shown as typed
  EXPECT_EQ(createChars[1], L'*');
  EXPECT_EQ(createChars[2], L'*');

  EXPECT_EQ(deleteTitle, L"Delete user");
  EXPECT_EQ(deleteLabels, L"Login|Password");
  EXPECT_EQ(deleteCancel, L"Cancel");
  EXPECT_EQ(deleteEntries, (std::vector<std::wstring>{L"Eva", L"Lea", L"Mia"}));
  EXPECT_EQ(deleteSelected, L"Eva");
  EXPECT_EQ(deleteLimit, 14);
  EXPECT_EQ(deleteChar, L'*');
  EXPECT_EQ(FileText(), before);  // cancelled dialogs changed nothing
}

TEST_F(LoginDlgTest, WithoutUsersEveryLoginFailsAskingForANewUser) {
  bool openAfterFailure = false;
  const INT_PTR result = RunLogin({[&](HWND d) {
    DialogScript::Type(d, IDC_LOGIN_PASSWORD, L"anything");
    DialogScript::Click(d, IDOK);
    DialogScript::Click(d, IDOK);
    openAfterFailure = IsWindowVisible(d);
    DialogScript::Click(d, IDCANCEL);
  }});
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_TRUE(openAfterFailure);
  ASSERT_EQ(boxes_.size(), 2u);
  for (const ShownBox& box : boxes_) {
    EXPECT_EQ(box.text, L"Could not login. Please create a new user");
    EXPECT_EQ(box.caption, L"Error");
    EXPECT_EQ(box.type, kErrorBox);
    EXPECT_EQ(box.owner, L"User identification");
  }
}

TEST_F(LoginDlgTest, AWrongPasswordKeepsTheDialogOpenAndTheRightOneLogsTheUserIn) {
  WriteUsers({{"Ann", "first"}, {"Bea", "second"}});
  bool openAfterFailure = false;
  std::wstring passwordAfterFailure;
  bool focusAfterFailure = false;
  const INT_PTR result = RunLogin({[&](HWND d) {
    DialogScript::Pick(d, IDC_LOGIN_NAME, L"Bea");
    DialogScript::Type(d, IDC_LOGIN_PASSWORD, L"first");  // Ann's
    DialogScript::Click(d, IDOK);
    openAfterFailure = IsWindowVisible(d);
    // The wrong password is gone and the field has the focus for the next try.
    wchar_t left[32] = L"?";
    GetDlgItemTextW(d, IDC_LOGIN_PASSWORD, left, 32);
    passwordAfterFailure = left;
    focusAfterFailure = GetFocus() == GetDlgItem(d, IDC_LOGIN_PASSWORD);
    DialogScript::Type(d, IDC_LOGIN_PASSWORD, L"second");
    DialogScript::Click(d, IDOK);
  }});
  EXPECT_EQ(result, IDOK);
  EXPECT_TRUE(openAfterFailure);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, L"Could not login. Please check the password.");
  EXPECT_EQ(boxes_[0].caption, L"Error");
  EXPECT_EQ(boxes_[0].type, kErrorBox);
  EXPECT_EQ(Logon().CurrentUser().name, "Bea");
  EXPECT_EQ(Logon().CurrentUser().id, 2);
  EXPECT_EQ(passwordAfterFailure, L"");
  EXPECT_TRUE(focusAfterFailure);
}

TEST_F(LoginDlgTest, ANewUserIsCheckedInOrderThenCreatedSavedAndListed) {
  WriteUsers({{"Ann", "a"}, {"Bea", "b"}});
  highestOwner_ = 6;  // days of a user deleted long ago
  std::vector<std::wstring> afterDiffer;  // name, password, retype
  std::vector<std::wstring> entries;
  std::wstring selected;
  size_t boxesInside = 0;
  const INT_PTR result = RunLogin({
      [&](HWND d) {
        DialogScript::Click(d, IDC_LOGIN_CREATE);
        entries = DialogScript::Entries(d, IDC_LOGIN_NAME);
        selected = DialogScript::Selected(d, IDC_LOGIN_NAME);
        DialogScript::Pick(d, IDC_LOGIN_NAME, L"Zo\u00eb");
        DialogScript::Type(d, IDC_LOGIN_PASSWORD, L"pw");
        DialogScript::Click(d, IDOK);
      },
      [&](HWND d) {
        // Differing passwords are told first, even with the name empty.
        DialogScript::Type(d, IDC_CREATE_PASSWORD, L"one");
        DialogScript::Type(d, IDC_CREATE_RETYPE, L"two");
        DialogScript::Click(d, IDOK);
        afterDiffer = {DialogScript::ItemText(d, IDC_CREATE_NAME), DialogScript::ItemText(d, IDC_CREATE_PASSWORD),
                       DialogScript::ItemText(d, IDC_CREATE_RETYPE)};
        // Then the empty name, also when the passwords agree.
        DialogScript::Type(d, IDC_CREATE_PASSWORD, L"pw");
        DialogScript::Type(d, IDC_CREATE_RETYPE, L"pw");
        DialogScript::Click(d, IDOK);
        // Then a name in use (exactly: case counts).
        DialogScript::Type(d, IDC_CREATE_NAME, L"Bea");
        DialogScript::Click(d, IDOK);
        DialogScript::Type(d, IDC_CREATE_NAME, L"Zo\u00eb");
        boxesInside = boxes_.size();
        DialogScript::Click(d, IDOK);
      },
  });
  EXPECT_EQ(result, IDOK);
  ASSERT_EQ(visited_.size(), 2u);
  EXPECT_EQ(visited_[1], L"Create a new user");
  EXPECT_EQ(afterDiffer, (std::vector<std::wstring>{L"", L"", L""}));
  ASSERT_EQ(boxes_.size(), 3u);
  EXPECT_EQ(boxesInside, 3u);
  EXPECT_EQ(boxes_[0].text, L"Please enter the same password into the both fields");
  EXPECT_EQ(boxes_[1].text, L"Please enter a login name.");
  EXPECT_EQ(boxes_[2].text, L"User with the same login already exists. Please enter another login.");
  for (const ShownBox& box : boxes_) {
    EXPECT_EQ(box.caption, L"Error");
    EXPECT_EQ(box.type, kErrorBox);
    EXPECT_EQ(box.owner, L"Create a new user");
  }
  EXPECT_EQ(entries, (std::vector<std::wstring>{L"Ann", L"Bea", L"Zo\u00eb"}));
  EXPECT_EQ(selected, L"Ann");
  // The name reaches the file in the ANSI code page, under an id above every
  // owner of day records.
  const std::string text = FileText();
  const size_t line = text.find("7\tZo\xeb\tpbkdf2-sha256$1000$");
  ASSERT_NE(line, std::string::npos) << text;
  EXPECT_TRUE(text.ends_with("\r\n"));
  EXPECT_TRUE(Logon().Authenticate("Zo\xeb", "pw", false));
  EXPECT_EQ(Logon().CurrentUser().id, 7);
}

TEST_F(LoginDlgTest, CancellingTheNewUserAddsNobody) {
  WriteUsers({{"Ann", "a"}});
  const std::string before = FileText();
  std::vector<std::wstring> entries;
  RunLogin({
      [&](HWND d) {
        DialogScript::Click(d, IDC_LOGIN_CREATE);
        entries = DialogScript::Entries(d, IDC_LOGIN_NAME);
        DialogScript::Click(d, IDCANCEL);
      },
      [&](HWND d) {
        DialogScript::Type(d, IDC_CREATE_NAME, L"Cid");
        DialogScript::Type(d, IDC_CREATE_PASSWORD, L"c");
        DialogScript::Type(d, IDC_CREATE_RETYPE, L"c");
        DialogScript::Click(d, IDCANCEL);
      },
  });
  EXPECT_EQ(entries, std::vector<std::wstring>{L"Ann"});
  EXPECT_FALSE(Logon().UserExists("Cid"));
  EXPECT_EQ(FileText(), before);
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(LoginDlgTest, DeletingNeedsTheUsersPasswordAndRefillsTheList) {
  WriteUsers({{"Ann", "a"}, {"Bea", "b"}, {"Cid", "c"}});
  bool openAfterFailure = false;
  std::vector<std::wstring> entries;
  std::wstring selected;
  const INT_PTR result = RunLogin({
      [&](HWND d) {
        DialogScript::Click(d, IDC_LOGIN_DELETE);
        entries = DialogScript::Entries(d, IDC_LOGIN_NAME);
        selected = DialogScript::Selected(d, IDC_LOGIN_NAME);
        DialogScript::Click(d, IDCANCEL);
      },
      [&](HWND d) {
        DialogScript::Pick(d, IDC_DELETE_NAME, L"Bea");
        DialogScript::Type(d, IDC_DELETE_PASSWORD, L"a");  // Ann's password
        DialogScript::Click(d, IDOK);
        openAfterFailure = IsWindowVisible(d);
        DialogScript::Type(d, IDC_DELETE_PASSWORD, L"b");
        DialogScript::Click(d, IDOK);
      },
  });
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_TRUE(openAfterFailure);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, L"Could not delete the user. Please check the password.");
  EXPECT_EQ(boxes_[0].caption, L"Error");
  EXPECT_EQ(boxes_[0].type, kErrorBox);
  EXPECT_EQ(boxes_[0].owner, L"Delete user");
  EXPECT_EQ(entries, (std::vector<std::wstring>{L"Ann", L"Cid"}));
  EXPECT_EQ(selected, L"Ann");
  EXPECT_FALSE(Logon().UserExists("Bea"));
  EXPECT_EQ(FileText().find("\tBea\t"), std::string::npos);
  EXPECT_NE(FileText().find("3\tCid\t"), std::string::npos);
  EXPECT_EQ(Logon().CurrentUser().id, 0);  // deleting logs nobody in
}

TEST_F(LoginDlgTest, ACancelledDeletionStillLeavesAFreshList) {
  WriteUsers({{"Ann", "a"}, {"Bea", "b"}});
  std::vector<std::wstring> entries;
  std::wstring selected;
  RunLogin({
      [&](HWND d) {
        DialogScript::Pick(d, IDC_LOGIN_NAME, L"Bea");
        // Meanwhile the users changed behind the dialog's back.
        (void)Logon().AddUser("Abe", "x");
        DialogScript::Click(d, IDC_LOGIN_DELETE);
        entries = DialogScript::Entries(d, IDC_LOGIN_NAME);
        selected = DialogScript::Selected(d, IDC_LOGIN_NAME);
        DialogScript::Click(d, IDCANCEL);
      },
      [&](HWND d) { DialogScript::Click(d, IDCANCEL); },
  });
  EXPECT_EQ(entries, (std::vector<std::wstring>{L"Abe", L"Ann", L"Bea"}));
  EXPECT_EQ(selected, L"Abe");
}

TEST_F(LoginDlgTest, UsersThatCannotBeSavedAreToldAndHoldForThisRun) {
  userFile_ = dir_ / "missing" / "user.dat";
  std::vector<std::wstring> afterCreate, afterDelete;
  const INT_PTR result = RunLogin({
      [&](HWND d) {
        DialogScript::Click(d, IDC_LOGIN_CREATE);
        afterCreate = DialogScript::Entries(d, IDC_LOGIN_NAME);
        DialogScript::Click(d, IDC_LOGIN_DELETE);
        afterDelete = DialogScript::Entries(d, IDC_LOGIN_NAME);
        DialogScript::Click(d, IDCANCEL);
      },
      [&](HWND d) {
        DialogScript::Type(d, IDC_CREATE_NAME, L"Ann");
        DialogScript::Type(d, IDC_CREATE_PASSWORD, L"a");
        DialogScript::Type(d, IDC_CREATE_RETYPE, L"a");
        DialogScript::Click(d, IDOK);
      },
      [&](HWND d) {
        DialogScript::Type(d, IDC_DELETE_PASSWORD, L"a");
        DialogScript::Click(d, IDOK);
      },
  });
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_EQ(visited_, (std::vector<std::wstring>{L"User identification", L"Create a new user", L"Delete user"}));
  ASSERT_EQ(boxes_.size(), 2u);
  EXPECT_EQ(boxes_[0].text, L"The list of users could not be saved.");
  EXPECT_EQ(boxes_[0].owner, L"User identification");
  EXPECT_EQ(boxes_[1].text, L"The list of users could not be saved.");
  EXPECT_EQ(boxes_[1].owner, L"Delete user");
  for (const ShownBox& box : boxes_) {
    EXPECT_EQ(box.caption, L"Error");
    EXPECT_EQ(box.type, kErrorBox);
  }
  EXPECT_EQ(afterCreate, std::vector<std::wstring>{L"Ann"});
  EXPECT_TRUE(afterDelete.empty());
  EXPECT_FALSE(fs::exists(userFile_));
}


TEST_F(LoginDlgTest, DeleteUserIsOfferedOnlyWhileThereAreUsers) {
  bool enabledWithout = true, enabledAfterCreate = false;
  RunLogin({
      [&](HWND d) {
        enabledWithout = IsWindowEnabled(GetDlgItem(d, IDC_LOGIN_DELETE)) != FALSE;
        // A click that still arrives (a keyboard accelerator) opens nothing.
        DialogScript::Click(d, IDC_LOGIN_DELETE);
        DialogScript::Click(d, IDC_LOGIN_CREATE);
        enabledAfterCreate = IsWindowEnabled(GetDlgItem(d, IDC_LOGIN_DELETE)) != FALSE;
        DialogScript::Click(d, IDCANCEL);
      },
      [&](HWND d) {
        DialogScript::Type(d, IDC_CREATE_NAME, L"Mia");
        DialogScript::Type(d, IDC_CREATE_PASSWORD, L"m");
        DialogScript::Type(d, IDC_CREATE_RETYPE, L"m");
        DialogScript::Click(d, IDOK);
      },
  });
  EXPECT_FALSE(enabledWithout);
  EXPECT_TRUE(enabledAfterCreate);
  EXPECT_EQ(visited_, (std::vector<std::wstring>{L"User identification", L"Create a new user"}));
}

// The days marked before any account exist, and the first account is made.
class FirstUserDaysTest : public LoginDlgTest {
 protected:
  void SetUp() override {
    LoginDlgTest::SetUp();
    model_ = std::make_unique<MenstualManager>(
        std::make_unique<DatabaseManager>(dir_ / "db.dat",
                                          [this] { return static_cast<uint16_t>(Logon().CurrentUser().id); }),
        options_, locale_, clock_);
    for (int day : {3, 4, 20}) {
      ASSERT_EQ(model_->StoreDay(Day(PackedDate(day, 6, 2024), day == 3, false, true, false, false, false, 0)), SaveResult::kDone);
    }
    prompts_.messageBox = [this](HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) {
      boxes_.push_back({DialogScript::Text(owner), text, caption, type});
      return answer_;
    };
  }
  void TearDown() override { model_.reset(); }

  // Creates a user in the login dialog and logs her in.
  void CreateAndLogIn(const wchar_t* name) {
    const INT_PTR result = RunLoginWithModel({
        [&](HWND d) {
          DialogScript::Click(d, IDC_LOGIN_CREATE);
          DialogScript::Pick(d, IDC_LOGIN_NAME, name);
          DialogScript::Type(d, IDC_LOGIN_PASSWORD, L"pw");
          DialogScript::Click(d, IDOK);
        },
        [&](HWND d) {
          DialogScript::Type(d, IDC_CREATE_NAME, name);
          DialogScript::Type(d, IDC_CREATE_PASSWORD, L"pw");
          DialogScript::Type(d, IDC_CREATE_RETYPE, L"pw");
          DialogScript::Click(d, IDOK);
        },
    });
    EXPECT_EQ(result, IDOK);
  }
  INT_PTR RunLoginWithModel(std::vector<DialogScript::Step> steps) {
    CLoginDlg dialog(Logon(), locale_, codec_, prompts_, ProgramResources());
    dialog.SetModel(model_.get());
    DialogScript script(std::move(steps));
    const INT_PTR result = dialog.DoModal(nullptr);
    EXPECT_TRUE(script.AllStepsRan());
    EXPECT_FALSE(script.LeftOpen());
    return result;
  }

  MemorySettingsStore store_;
  OptionsManager options_{store_, SystemLocaleInfo{}, &locale_, u"C:\\Tamarel\\tamarel.exe"};
  FixedClock clock_{PackedDate(15, 6, 2024)};
  std::unique_ptr<MenstualManager> model_;
  int answer_ = IDYES;
};

TEST_F(FirstUserDaysTest, YesMovesEveryEarlierDayIntoHerCalendar) {
  answer_ = IDYES;
  CreateAndLogIn(L"Mia");
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, L"Keep the days marked so far in Mia's calendar?");
  EXPECT_EQ(boxes_[0].type, UINT{MB_YESNO | MB_ICONQUESTION});
  EXPECT_EQ(Logon().CurrentUser().name, "Mia");
  // Hers now, read through her own view of the file, and nobody's no more.
  EXPECT_EQ(model_->Database().CountDays(1), 3);
  EXPECT_EQ(model_->Database().CountDays(0), 0);
  ASSERT_NE(model_->GetDay(PackedDate(20, 6, 2024)), nullptr);
  EXPECT_EQ(model_->GetDayClass(PackedDate(3, 6, 2024)), FlowFirstDay);
  // And so the file says, read as a fresh start would.
  testsupport::WriteBytes(dir_ / "readback.dat", testsupport::ReadBytes(dir_ / "db.dat"));
  DatabaseManager reread(dir_ / "readback.dat", [] { return uint16_t{1}; });
  EXPECT_EQ(reread.CountDays(1), 3);
  EXPECT_EQ(reread.CountDays(0), 0);
  // The second account is not asked: the question comes once.
  CreateAndLogIn(L"Eva");
  EXPECT_EQ(boxes_.size(), 1u);
}

TEST_F(FirstUserDaysTest, NoLeavesTheEarlierDaysWhereTheyWere) {
  answer_ = IDNO;
  CreateAndLogIn(L"Mia");
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(model_->Database().CountDays(0), 3);
  EXPECT_EQ(model_->Database().CountDays(1), 0);
  EXPECT_EQ(model_->GetDay(PackedDate(20, 6, 2024)), nullptr) << "her calendar starts empty";
}

TEST_F(FirstUserDaysTest, NothingIsAskedWhenNoDayWasMarked) {
  ASSERT_EQ(model_->StoreDay(Day(PackedDate(3, 6, 2024), false, false, false, false, false, false, 0)), SaveResult::kDone);
  for (int day : {4, 20}) {
    ASSERT_EQ(model_->StoreDay(Day(PackedDate(day, 6, 2024), false, false, false, false, false, false, 0)), SaveResult::kDone);
  }
  ASSERT_EQ(model_->Database().CountDays(0), 0);
  CreateAndLogIn(L"Mia");
  EXPECT_TRUE(boxes_.empty());
}

}  // namespace
