#include "ui/login/vault_prompts_win32.h"

#include "accounts/calendar_session.h"
#include "env/locale_manager.h"
#include "env/wide_win32.h"

namespace {

int Ask(HWND owner, const LocaleManager& locale, const Prompts& prompts, const char16_t* key, UINT type) {
  if (!prompts.messageBox) return IDCANCEL;
  return prompts.messageBox(owner, ToWide(locale.Translate(key)), ToWide(locale.Translate(u"APP_NAME")), type);
}

void ShowVaultError(HWND owner, const LocaleManager& locale, const Prompts& prompts, VaultResult result) {
  if (!prompts.messageBox) return;
  prompts.messageBox(owner, ToWide(locale.Translate(VaultResultKey(result))), ToWide(locale.Translate(u"ERROR")),
                     MB_OK | MB_ICONINFORMATION);
}

}  // namespace

const char16_t* VaultResultKey(VaultResult result) {
  switch (result) {
    case VaultResult::kDone: return u"";
    case VaultResult::kMissing: return u"VAULT_MISSING";
    case VaultResult::kRefused: return u"VAULT_REFUSED";
    case VaultResult::kDamaged: return u"VAULT_DAMAGED";
    case VaultResult::kUnreadable: return u"VAULT_UNREADABLE";
    case VaultResult::kExists: return u"VAULT_EXISTS";
    case VaultResult::kNotSaved: return u"VAULT_NOT_SAVED";
    case VaultResult::kCalendarNotSaved: return u"VAULT_CALENDAR_NOT_SAVED";
    case VaultResult::kCryptoFailed: return u"VAULT_CRYPTO_FAILED";
  }
  return u"VAULT_CRYPTO_FAILED";
}

bool TurnEncryptionOn(HWND owner, CalendarSession& session, int userId, std::string_view password,
                      const LocaleManager& locale, const Prompts& prompts, const BackUpFn& backUp) {
  // Yes: a backup first, then the encryption; No: the encryption without a
  // backup; Cancel: nothing.
  const int answer = Ask(owner, locale, prompts, u"ENCRYPT_WARNING", MB_YESNOCANCEL | MB_ICONWARNING);
  if (answer == IDCANCEL) return false;
  // A backup she asked for and did not get (she cancelled the file dialog,
  // or it could not be written) stops here: she wanted one first.
  if (answer == IDYES && (!backUp || !backUp(owner))) return false;
  const VaultResult made = session.Encrypt(userId, password);
  if (made != VaultResult::kDone) {
    ShowVaultError(owner, locale, prompts, made);
    return false;
  }
  return true;
}

bool TurnEncryptionOff(HWND owner, CalendarSession& session, const LocaleManager& locale, const Prompts& prompts) {
  if (!session.VaultOpen()) return false;
  if (Ask(owner, locale, prompts, u"DECRYPT_CONFIRM", MB_YESNO | MB_ICONQUESTION) != IDYES) return false;
  const VaultResult moved = session.Decrypt();
  if (moved != VaultResult::kDone) {
    ShowVaultError(owner, locale, prompts, moved);
    return false;
  }
  return true;
}
