#include "ui/frame/update_offer_win32.h"

#include "env/debug_log_win32.h"
#include "env/locale_manager.h"
#include "env/platform.h"
#include "env/platform_win32.h"
#include "env/text_format.h"
#include "env/wide_win32.h"
#include "settings/options_manager.h"
#include "ui/frame/dlg_update_checking_win32.h"
#include "ui/frame/dlg_update_win32.h"

namespace {

const IAnsiCodec &CodecOrSystem(const IAnsiCodec *codec) {
  static const Win32AnsiCodec system;
  return codec ? *codec : system;
}

}  // namespace

UpdateOffer::UpdateOffer(OptionsManager &options, const LocaleManager &locale, const IClock &clock,
                         const Prompts &prompts, HINSTANCE resources, const IAnsiCodec *codec, DWORD limitMs)
    : options_(options),
      locale_(locale),
      clock_(clock),
      prompts_(prompts),
      resources_(resources),
      codec_(CodecOrSystem(codec)),
      limitMs_(limitMs) {}

// The check's window goes first; its thread is cancelled and left.
UpdateOffer::~UpdateOffer() {
  checking_.reset();
}

bool UpdateOffer::Checking() const {
  return checking_ && checking_->Checking();
}

HWND UpdateOffer::CheckingWindow() const {
  return Checking() ? checking_->Hwnd() : nullptr;
}

void UpdateOffer::Checked(std::int64_t when) {
  options_.lastUpdate = when;
  // Not stored, the check comes again sooner: told to the log only.
  if (options_.Save() != SettingsSaveResult::kDone) LogMessage(L"the time of the update check was not saved");
}

void UpdateOffer::CheckNewVersion(HWND owner) {
  if (offering_ || reporting_) return;
  if (Checking()) {
    SetForegroundWindow(checking_->Hwnd());
    return;
  }
  checking_ = std::make_unique<CDlgUpdateChecking>(
      locale_, codec_, [this, owner](const update::CheckResult &result) { OnChecked(owner, result); }, limitMs_,
      resources_);
  if (!checking_->Start(owner, ToWide(locale_.Translate(u"APP_UPDATE_URL")))) {
    checking_.reset();
    OnChecked(owner, {{}, update::CheckFailure::kNoConnection});
  }
}

void UpdateOffer::OnChecked(HWND owner, const update::CheckResult &result) {
  if (result.failure == update::CheckFailure::kCancelled) return;
  reporting_ = true;
  if (!result.file.version.empty()) Checked(clock_.Now());
  if (result.failure != update::CheckFailure::kNone) {
    const std::u16string reason = locale_.Translate(update::FailureReasonKey(result.failure));
    const std::u16string text = FormatText(locale_.Translate(u"UPDATE_FAILED"), {std::u16string_view(reason)});
    if (prompts_.messageBox) {
      prompts_.messageBox(owner, ToWide(text), ToWide(locale_.Translate(u"ERROR")), MB_OK | MB_ICONINFORMATION);
    }
  } else if (update::IsNewerVersion(result.file.version, locale_.Translate(u"APP_VER"))) {
    OfferUpdate(owner, result.file);
  } else if (prompts_.messageBox) {
    prompts_.messageBox(owner, ToWide(locale_.Translate(u"NOUPDATES")), ToWide(locale_.Translate(u"APP_NAME")),
                        MB_OK | MB_ICONINFORMATION);
  }
  reporting_ = false;
}

void UpdateOffer::OnFound(HWND owner, const UpdateFound &found) {
  if (found.file.version.empty()) return;
  Checked(found.checkedAt);
  // Turned off in this run: the thread goes at the next start, and offers
  // nothing until then.
  if (options_.disableUpdates || offering_) return;
  if (update::IsNewerVersion(found.file.version, locale_.Translate(u"APP_VER"))) OfferUpdate(owner, found.file);
}

void UpdateOffer::OfferUpdate(HWND owner, const update::VersionFile &file) {
  offering_ = true;
  CDlgUpdate dialog(locale_, std::u16string(update::TrimBlanks(file.version)), resources_);
  const INT_PTR result = dialog.DoModal(owner);
  offering_ = false;
  if (dialog.DontCheck()) {
    options_.disableUpdates = true;
    if (options_.Save() == SettingsSaveResult::kNotSaved && prompts_.messageBox) {
      prompts_.messageBox(owner, ToWide(locale_.Translate(u"ERROR_SETTINGS_NOT_SAVED")),
                          ToWide(locale_.Translate(u"ERROR")), MB_OK | MB_ICONINFORMATION);
    }
  }
  if (result != IDOK) return;
  // Only a web page is ever opened; anything else the file names gives way
  // to the program's own download page.
  const std::u16string address = update::AddressToOpen(file.address, locale_.Translate(u"APP_UPDATING_URL"));
  if (prompts_.shellOpen) prompts_.shellOpen(ToWide(address));
}
