#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "accounts/logon_manager.h"
#include "ui/login/vault_prompts_win32.h"
#include "ui/widgets/dialog_win32.h"
#include "ui/widgets/prompts_win32.h"

class CalendarSession;
class IAnsiCodec;
class LocaleManager;
class LogonManager;
class MenstualManager;

// The translation key of the message that says why a change of the users
// was not done; empty for kDone.
[[nodiscard]] const char16_t* UsersResultKey(UsersResult result);

// What the three user dialogs share: the managers, the list of user names
// and the error boxes.
class CUserDialogBase : public CDialog {
 protected:
  CUserDialogBase(int templateId, LogonManager& logon, const LocaleManager& locale, const IAnsiCodec& codec,
                  const Prompts& prompts, HINSTANCE resources);

  // Title and the texts of the given controls from their translation keys.
  void SetTexts(const char16_t* titleKey, std::initializer_list<std::pair<int, const char16_t*>> items);
  // Fills a drop-down list with all user names and selects its first entry.
  void FillNames(int comboId);
  // Adds one name to the list and selects the first entry.
  void AddName(int comboId, const std::string& name);
  // The selected name as stored in user.dat, or empty.
  [[nodiscard]] std::string SelectedName(int comboId) const;
  // A password or name field: at most 14 characters, passwords shown as "*".
  void PrepareField(int editId, bool password) const;
  [[nodiscard]] std::string AnsiText(int id) const;
  // Message box titled "ERROR" with the translation of key.
  void ShowError(const char16_t* key) const;

  LogonManager& logon_;
  const LocaleManager& locale_;
  const IAnsiCodec& codec_;
  const Prompts& prompts_;
  HINSTANCE resources_;

 private:
  // The names behind the list entries (each entry's item data is its index
  // here), so that the exact bytes of user.dat reach LogonManager.
  std::vector<std::string> names_;
};

// Log in: a user picked from the list and her password. Also creates and
// deletes users. Ends with IDOK after a successful login (the user is then
// LogonManager's current user), IDCANCEL otherwise.
class CLoginDlg : public CUserDialogBase {
 public:
  CLoginDlg(LogonManager& logon, const LocaleManager& locale, const IAnsiCodec& codec, const Prompts& prompts,
            HINSTANCE resources = nullptr);

  // The calendar whose days marked before any account was made are offered
  // to the first user created here; without it nothing is offered.
  void SetModel(MenstualManager* model) { model_ = model; }
  // Her calendar: opened from her vault at login, encrypted or given back to
  // db.dat as "Encrypt my calendar" says, her days deleted with her. Without
  // it the dialog only logs in. backUp is offered before an encryption.
  void SetSession(CalendarSession* session, BackUpFn backUp) {
    session_ = session;
    backUp_ = std::move(backUp);
  }

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(WORD id, WORD code, HWND control) override;
  void OnOK() override;

 private:
  void OnCreateUser();
  void OnDeleteUser();
  // Asks once whether the days of no account go to the first user; yes moves
  // them all in one save.
  void OfferEarlierDays(const std::string& name);
  // Deleting needs someone to delete.
  void UpdateDeleteButton();
  // Checked when the chosen user's calendar is encrypted; only a password
  // can encrypt, so the box waits for one.
  void UpdateEncryptBox();
  // After her login: her vault opened (false, and she is logged out again,
  // when it is refused), then encrypted or given back as the box says.
  [[nodiscard]] bool OpenHerCalendar(const std::string& password);

  MenstualManager* model_ = nullptr;
  CalendarSession* session_ = nullptr;
  BackUpFn backUp_;
  int lastEncryptUser_ = -1;  // the user the box was last set for
};

// Name and password of a new user, checked but not created: CLoginDlg adds
// the user when this ends with IDOK.
class CCreateUserDlg : public CUserDialogBase {
 public:
  CCreateUserDlg(LogonManager& logon, const LocaleManager& locale, const IAnsiCodec& codec, const Prompts& prompts,
                 HINSTANCE resources = nullptr);

  // The accepted name and password in the ANSI code page.
  [[nodiscard]] const std::string& Name() const { return name_; }
  [[nodiscard]] const std::string& Password() const { return password_; }

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;

 private:
  std::string name_;
  std::string password_;
};

// Deletes a user whose password is entered; ends with IDOK once she is gone.
// With a session it asks whether her days go too (yes by default) and
// deletes them, vault and all, once the list no longer names her.
class CDeleteUserDlg : public CUserDialogBase {
 public:
  CDeleteUserDlg(LogonManager& logon, const LocaleManager& locale, const IAnsiCodec& codec, const Prompts& prompts,
                 HINSTANCE resources = nullptr, CalendarSession* session = nullptr);

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;

 private:
  CalendarSession* session_;
};

// Her password once more: the settings window asks for it before her days
// are encrypted (the key comes from it). Ends with IDOK only when the
// password is the logged-in user's.
class CPasswordDlg : public CUserDialogBase {
 public:
  CPasswordDlg(LogonManager& logon, const LocaleManager& locale, const IAnsiCodec& codec, const Prompts& prompts,
               HINSTANCE resources = nullptr);
  [[nodiscard]] const std::string& Password() const { return password_; }

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;

 private:
  std::string password_;
};
