#pragma once

#include <windows.h>

#include <string>

class LocaleManager;
struct Prompts;

// Where help comes from: the help file beside the program at a context, the
// product's web pages in her language, and the support mail.
class FrameHelp {
 public:
  FrameHelp(const LocaleManager& locale, const Prompts& prompts);

  // The help file beside the program.
  [[nodiscard]] const std::wstring& Path() const { return path_; }
  // Opens the help file at a context (the temperature dialog uses 10).
  void Open(HWND owner, DWORD context) const;
  // The help file's contents; the support page when the file is missing.
  void OpenContents(HWND owner) const;
  // The site's page in her language ("support", "about"), or the site itself.
  void OpenSitePage(const char16_t* page) const;
  void SendFeedback() const;

 private:
  const LocaleManager& locale_;
  const Prompts& prompts_;
  std::wstring path_;
};
