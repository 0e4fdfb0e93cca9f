#include "ui/login/login_dlg_win32.h"

#include "accounts/calendar_session.h"
#include "accounts/logon_manager.h"
#include "env/locale_manager.h"
#include "env/platform.h"
#include "env/text_format.h"
#include "env/wide_win32.h"
#include "model/menstual_manager.h"
#include "resources/image_ids.h"
#include "resources/login_ids.h"
#include "resources/help_ids.h"

namespace {

// Longest name and password the dialogs take, in characters.
constexpr WPARAM kMaxFieldChars = 14;

}  // namespace

const char16_t* UsersResultKey(UsersResult result) {
  switch (result) {
    case UsersResult::kDone: return u"";
    case UsersResult::kMissing:
    case UsersResult::kUnreadable: return u"ERROR_USERS_UNREADABLE";
    case UsersResult::kNameTaken: return u"MSG_USER_EXISTS";
    case UsersResult::kNameNotStorable: return u"MSG_BADLOGIN";
    case UsersResult::kNoIdLeft: return u"ERROR_NO_USER_ID_LEFT";
    case UsersResult::kWrongPassword: return u"MSG_CANT_DELETE";
    case UsersResult::kHashFailed: return u"ERROR_PASSWORD_HASH";
    case UsersResult::kNotSaved: return u"ERROR_USERS_NOT_SAVED";
  }
  return u"ERROR_USERS_NOT_SAVED";
}

CUserDialogBase::CUserDialogBase(int templateId, LogonManager& logon, const LocaleManager& locale,
                                 const IAnsiCodec& codec, const Prompts& prompts, HINSTANCE resources)
    : CDialog(templateId, resources),
      logon_(logon),
      locale_(locale),
      codec_(codec),
      prompts_(prompts),
      resources_(resources) {
  SetHelpContext(IDH_LOGIN);
}

void CUserDialogBase::SetTexts(const char16_t* titleKey, std::initializer_list<std::pair<int, const char16_t*>> items) {
  const std::wstring title = ToWide(locale_.Translate(titleKey));
  SetWindowTextW(Hwnd(), title.c_str());
  for (const auto& [id, key] : items) SetItemText(id, ToWide(locale_.Translate(key)));

  // The program icon in the caption, as the main window has it.
  SetCaptionIcons(Hwnd(), reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(Hwnd(), GWLP_HINSTANCE)), IDI_TAMAREL,
                  CaptionIcons::kSmall);
}

void CUserDialogBase::FillNames(int comboId) {
  const HWND combo = Item(comboId);
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  names_.clear();
  for (const std::string& name : logon_.UserNames()) AddName(comboId, name);
  SendMessageW(combo, CB_SETCURSEL, 0, 0);
}

void CUserDialogBase::AddName(int comboId, const std::string& name) {
  const HWND combo = Item(comboId);
  const std::wstring shown = ToWide(codec_.FromAnsi(name));
  const LRESULT index = SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shown.c_str()));
  if (index >= 0) {
    SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(names_.size()));
    names_.push_back(name);
  }
  SendMessageW(combo, CB_SETCURSEL, 0, 0);
}

std::string CUserDialogBase::SelectedName(int comboId) const {
  const HWND combo = Item(comboId);
  const LRESULT index = SendMessageW(combo, CB_GETCURSEL, 0, 0);
  if (index < 0) return {};
  const LRESULT data = SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(index), 0);
  if (data < 0 || static_cast<size_t>(data) >= names_.size()) return {};
  return names_[static_cast<size_t>(data)];
}

void CUserDialogBase::PrepareField(int editId, bool password) const {
  const HWND edit = Item(editId);
  SendMessageW(edit, EM_SETLIMITTEXT, kMaxFieldChars, 0);
  if (password) SendMessageW(edit, EM_SETPASSWORDCHAR, L'*', 0);
}

std::string CUserDialogBase::AnsiText(int id) const { return codec_.ToAnsi(FromWide(ItemText(id))); }

void CUserDialogBase::ShowError(const char16_t* key) const {
  if (!prompts_.messageBox) return;
  prompts_.messageBox(Hwnd(), ToWide(locale_.Translate(key)), ToWide(locale_.Translate(u"ERROR")),
                      MB_OK | MB_ICONINFORMATION);
}

// --- Login ---

CLoginDlg::CLoginDlg(LogonManager& logon, const LocaleManager& locale, const IAnsiCodec& codec,
                     const Prompts& prompts, HINSTANCE resources)
    : CUserDialogBase(IDD_LOGIN, logon, locale, codec, prompts, resources) {}

BOOL CLoginDlg::OnInitDialog() {
  SetTexts(u"IDENTIFY", {{IDC_LOGIN_NAME_LABEL, u"LOGIN"},
                         {IDC_LOGIN_PASSWORD_LABEL, u"PWD"},
                         {IDC_LOGIN_CREATE, u"CREATE_USER"},
                         {IDC_LOGIN_DELETE, u"DELETE_USER"},
                         {IDC_LOGIN_ENCRYPT, u"ENCRYPT_CALENDAR"},
                         {IDCANCEL, u"BTN_CANCEL"}});
  PrepareField(IDC_LOGIN_PASSWORD, true);
  FillNames(IDC_LOGIN_NAME);
  UpdateDeleteButton();
  UpdateEncryptBox();
  // At start-up the dialog has no owner: it gets its own taskbar button and
  // comes to the front, so she finds it before the window shows.
  if (!GetWindow(Hwnd(), GW_OWNER)) {
    SetWindowLongPtrW(Hwnd(), GWL_EXSTYLE, GetWindowLongPtrW(Hwnd(), GWL_EXSTYLE) | WS_EX_APPWINDOW);
    SetForegroundWindow(Hwnd());
  }
  // The user is picked already; what is left to type is the password.
  SetFocus(Item(IDC_LOGIN_PASSWORD));
  return FALSE;
}

bool CLoginDlg::OnCommand(WORD id, WORD code, HWND) {
  if ((id == IDC_LOGIN_NAME && code == CBN_SELCHANGE) || (id == IDC_LOGIN_PASSWORD && code == EN_CHANGE)) {
    UpdateEncryptBox();
    return true;
  }
  if (code != BN_CLICKED) return false;
  switch (id) {
    case IDC_LOGIN_CREATE: OnCreateUser(); return true;
    case IDC_LOGIN_DELETE: OnDeleteUser(); return true;
    default: return false;
  }
}

void CLoginDlg::OnOK() {
  const std::string password = AnsiText(IDC_LOGIN_PASSWORD);
  if (logon_.Authenticate(SelectedName(IDC_LOGIN_NAME), password, true)) {
    if (OpenHerCalendar(password)) {
      Close(IDOK);
      return;
    }
  } else {
    ShowError(logon_.Users().empty() ? u"MSG_AUTH_FAILD2" : u"MSG_AUTH_FAILD");
  }
  // The wrong password does not stay: the field is empty for the next try.
  SetItemText(IDC_LOGIN_PASSWORD, L"");
  SetFocus(Item(IDC_LOGIN_PASSWORD));
}

bool CLoginDlg::OpenHerCalendar(const std::string& password) {
  if (!session_) return true;
  const int id = logon_.CurrentUser().id;
  // The key is derived here, once: from now on her days are read and
  // written in her vault.
  const VaultResult opened = session_->OpenFor(id, password);
  if (opened != VaultResult::kDone && opened != VaultResult::kMissing) {
    // A vault that does not open is left as it is, and nobody is logged in
    // over it: a day marked now would go into db.dat in the clear.
    logon_.Logout();
    ShowError(VaultResultKey(opened));
    return false;
  }
  const bool wanted = IsDlgButtonChecked(Hwnd(), IDC_LOGIN_ENCRYPT) == BST_CHECKED;
  if (wanted && !session_->VaultOpen() && !password.empty()) {
    (void)TurnEncryptionOn(Hwnd(), *session_, id, password, locale_, prompts_, backUp_);
  } else if (!wanted && session_->VaultOpen()) {
    (void)TurnEncryptionOff(Hwnd(), *session_, locale_, prompts_);
  }
  // Whatever she decided, she is logged in; what failed has been told.
  return true;
}

void CLoginDlg::UpdateEncryptBox() {
  const HWND box = Item(IDC_LOGIN_ENCRYPT);
  if (!session_) {
    ShowWindow(box, SW_HIDE);
    return;
  }
  int id = 0;
  const std::string name = SelectedName(IDC_LOGIN_NAME);
  for (const auto& [userId, user] : logon_.Users()) {
    if (user.name == name) {
      id = userId;
      break;
    }
  }
  if (id != lastEncryptUser_) {
    lastEncryptUser_ = id;
    CheckDlgButton(Hwnd(), IDC_LOGIN_ENCRYPT, session_->HasVault(id) ? BST_CHECKED : BST_UNCHECKED);
  }
  EnableWindow(box, id != 0 && GetWindowTextLengthW(Item(IDC_LOGIN_PASSWORD)) > 0);
}

void CLoginDlg::OnCreateUser() {
  CCreateUserDlg create(logon_, locale_, codec_, prompts_, resources_);
  if (create.DoModal(Hwnd()) != IDOK) return;
  const bool first = logon_.Users().empty();
  const UsersResult added = logon_.AddUser(create.Name(), create.Password());
  // A user that could not be written is still there for this run.
  const bool there = added == UsersResult::kDone || added == UsersResult::kNotSaved;
  if (there) AddName(IDC_LOGIN_NAME, create.Name());
  UpdateDeleteButton();
  if (added != UsersResult::kDone) ShowError(UsersResultKey(added));
  if (first && there) OfferEarlierDays(create.Name());
  UpdateEncryptBox();
}

// Before the first account every day belongs to nobody (owner 0); once she
// logs in she would no longer see them. She decides once, at her account's
// birth, whether they are hers.
void CLoginDlg::OfferEarlierDays(const std::string& name) {
  if (!model_ || !prompts_.messageBox) return;
  DatabaseManager& db = model_->Database();
  if (db.CountDays(0) == 0) return;
  int id = 0;
  for (const auto& [userId, user] : logon_.Users()) {
    if (user.name == name) id = userId;
  }
  if (id <= 0 || id > LogonManager::kMaxUserId) return;
  const std::u16string question = FormatText(locale_.Translate(u"KEEP_DAYS_QUESTION"), {codec_.FromAnsi(name)});
  if (prompts_.messageBox(Hwnd(), ToWide(question), ToWide(locale_.Translate(u"APP_NAME")),
                          MB_YESNO | MB_ICONQUESTION) != IDYES) {
    return;
  }
  switch (db.MoveDays(0, static_cast<uint16_t>(id))) {
    case DatabaseManager::MoveResult::kDone: break;
    case DatabaseManager::MoveResult::kNoFile: ShowError(u"ERROR_DB_NO_FILE"); break;
    // A new account's id is above every owner in the file, so a refusal
    // means the file changed under us: her days stay where they were.
    case DatabaseManager::MoveResult::kRefused:
    case DatabaseManager::MoveResult::kWriteFailed: ShowError(u"ERROR_DB_WRITE"); break;
  }
  // Whatever reached the file, every view asks again.
  model_->Reload();
}

void CLoginDlg::UpdateDeleteButton() { EnableWindow(Item(IDC_LOGIN_DELETE), !logon_.Users().empty()); }

void CLoginDlg::OnDeleteUser() {
  if (logon_.Users().empty()) return;
  CDeleteUserDlg remove(logon_, locale_, codec_, prompts_, resources_, session_);
  remove.DoModal(Hwnd());
  FillNames(IDC_LOGIN_NAME);
  UpdateDeleteButton();
  lastEncryptUser_ = -1;
  UpdateEncryptBox();
}

// --- New user ---

CCreateUserDlg::CCreateUserDlg(LogonManager& logon, const LocaleManager& locale, const IAnsiCodec& codec,
                               const Prompts& prompts, HINSTANCE resources)
    : CUserDialogBase(IDD_CREATE_USER, logon, locale, codec, prompts, resources) {}

BOOL CCreateUserDlg::OnInitDialog() {
  SetTexts(u"CREATE_USER", {{IDC_CREATE_NAME_LABEL, u"LOGIN"},
                            {IDC_CREATE_PASSWORD_LABEL, u"PWD"},
                            {IDC_CREATE_RETYPE_LABEL, u"RETYPE"},
                            {IDCANCEL, u"BTN_CANCEL"}});
  PrepareField(IDC_CREATE_NAME, false);
  PrepareField(IDC_CREATE_PASSWORD, true);
  PrepareField(IDC_CREATE_RETYPE, true);
  return TRUE;
}

void CCreateUserDlg::OnOK() {
  const std::wstring password = ItemText(IDC_CREATE_PASSWORD);
  if (password != ItemText(IDC_CREATE_RETYPE)) {
    SetItemText(IDC_CREATE_PASSWORD, L"");
    SetItemText(IDC_CREATE_RETYPE, L"");
    ShowError(u"MSG_BADPASSWORD");
    SetFocus(Item(IDC_CREATE_PASSWORD));
    return;
  }
  const std::string name = AnsiText(IDC_CREATE_NAME);
  if (name.empty() || logon_.UserExists(name)) {
    ShowError(name.empty() ? u"MSG_BADLOGIN" : u"MSG_USER_EXISTS");
    const HWND edit = Item(IDC_CREATE_NAME);
    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    return;
  }
  name_ = name;
  password_ = codec_.ToAnsi(FromWide(password));
  Close(IDOK);
}

// --- Delete user ---

CDeleteUserDlg::CDeleteUserDlg(LogonManager& logon, const LocaleManager& locale, const IAnsiCodec& codec,
                               const Prompts& prompts, HINSTANCE resources, CalendarSession* session)
    : CUserDialogBase(IDD_DELETE_USER, logon, locale, codec, prompts, resources), session_(session) {}

BOOL CDeleteUserDlg::OnInitDialog() {
  SetTexts(u"DELETE_USER",
           {{IDC_DELETE_NAME_LABEL, u"LOGIN"}, {IDC_DELETE_PASSWORD_LABEL, u"PWD"}, {IDCANCEL, u"BTN_CANCEL"}});
  PrepareField(IDC_DELETE_PASSWORD, true);
  FillNames(IDC_DELETE_NAME);
  SetFocus(Item(IDC_DELETE_PASSWORD));
  return FALSE;
}

void CDeleteUserDlg::OnOK() {
  const std::string name = SelectedName(IDC_DELETE_NAME);
  const std::string password = AnsiText(IDC_DELETE_PASSWORD);
  if (!logon_.Authenticate(name, password, false)) {
    ShowError(u"MSG_CANT_DELETE");
    const HWND password = Item(IDC_DELETE_PASSWORD);
    SetFocus(password);
    SendMessageW(password, EM_SETSEL, 0, -1);
    return;
  }
  // Her days go with her unless she says no; yes is the default.
  bool deleteDays = false;
  if (session_ && prompts_.messageBox) {
    const std::u16string question = FormatText(locale_.Translate(u"DELETE_DAYS_QUESTION"), {codec_.FromAnsi(name)});
    deleteDays = prompts_.messageBox(Hwnd(), ToWide(question), ToWide(locale_.Translate(u"DELETE_USER")),
                                     MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1) == IDYES;
  }
  // The user is gone for this run even when the file could not be written.
  // The user the password proves goes, even when two share the name.
  int id = 0;
  const UsersResult removed = logon_.DeleteUser(name, password, &id);
  if (removed != UsersResult::kDone) {
    ShowError(UsersResultKey(removed));
  } else if (deleteDays && session_->DeleteDaysOf(id) != DaysRemoval::kDone) {
    // Only once user.dat no longer names her; what stays is offered for
    // deletion in File > Configure.
    ShowError(u"DELETE_DAYS_FAILED");
  }
  Close(IDOK);
}

// --- Her password once more ---

CPasswordDlg::CPasswordDlg(LogonManager& logon, const LocaleManager& locale, const IAnsiCodec& codec,
                           const Prompts& prompts, HINSTANCE resources)
    : CUserDialogBase(IDD_PASSWORD, logon, locale, codec, prompts, resources) {}

BOOL CPasswordDlg::OnInitDialog() {
  SetTexts(u"ENCRYPT_CALENDAR", {{IDC_PASSWORD_LABEL, u"PWD"}, {IDCANCEL, u"BTN_CANCEL"}});
  PrepareField(IDC_PASSWORD_FIELD, true);
  SetFocus(Item(IDC_PASSWORD_FIELD));
  return FALSE;
}

void CPasswordDlg::OnOK() {
  const std::string password = AnsiText(IDC_PASSWORD_FIELD);
  if (password.empty() || !logon_.Authenticate(logon_.CurrentUser().name, password, false)) {
    ShowError(u"MSG_AUTH_FAILD");
    SetItemText(IDC_PASSWORD_FIELD, L"");
    SetFocus(Item(IDC_PASSWORD_FIELD));
    return;
  }
  password_ = password;
  Close(IDOK);
}
