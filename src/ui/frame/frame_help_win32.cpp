#include "ui/frame/frame_help_win32.h"

#include "env/debug_log_win32.h"
#include "env/locale_manager.h"
#include "env/platform_win32.h"
#include "env/wide_win32.h"
#include "resources/help_ids.h"
#include "ui/frame/frame_texts.h"
#include "ui/widgets/prompts_win32.h"

namespace {

// "tamarel_help.chm" in the program's own folder, whatever the executable
// is called (an installer or a user may rename it).
std::wstring MakeHelpPath() {
  std::wstring folder = ExecutableFolder().wstring();
  if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
  return folder + L"tamarel_help.chm";
}

}  // namespace

FrameHelp::FrameHelp(const LocaleManager& locale, const Prompts& prompts)
    : locale_(locale), prompts_(prompts), path_(MakeHelpPath()) {}

void FrameHelp::Open(HWND owner, DWORD context) const {
  // HTML Help lives in hhctrl.ocx; loaded only when help is asked for.
  using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);
  static HMODULE library = LoadLibraryW(L"hhctrl.ocx");
  if (!library) {
    LogLastError(L"LoadLibrary(hhctrl.ocx)");
    return;
  }
  const auto htmlHelp = reinterpret_cast<HtmlHelpFn>(reinterpret_cast<void*>(GetProcAddress(library, "HtmlHelpW")));
  constexpr UINT kHelpContext = 0x000F;  // HH_HELP_CONTEXT
  if (htmlHelp) htmlHelp(owner, path_.c_str(), kHelpContext, context);
}

void FrameHelp::OpenContents(HWND owner) const {
  if (GetFileAttributesW(path_.c_str()) != INVALID_FILE_ATTRIBUTES) {
    Open(owner, IDH_CONTENTS);
  } else {
    OpenSitePage(u"support");
  }
}

void FrameHelp::OpenSitePage(const char16_t* page) const {
  const std::string language = locale_.GetLanguageName();
  const std::u16string site = locale_.Translate(u"APP_SITE");
  const std::u16string url = page ? SitePage(site, std::u16string(language.begin(), language.end()), page) : site;
  if (prompts_.shellOpen) prompts_.shellOpen(ToWide(url));
}

void FrameHelp::SendFeedback() const {
  if (prompts_.shellOpen) {
    prompts_.shellOpen(
        ToWide(FeedbackAddress(locale_.Translate(u"SUPPORT_EMAIL"), locale_.Translate(u"APP_NAME"))));
  }
}
