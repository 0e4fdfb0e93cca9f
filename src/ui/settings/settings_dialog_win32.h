#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/settings/prefs_static_win32.h"
#include "ui/widgets/settings_page_win32.h"
#include "ui/widgets/dialog_win32.h"

// The modeless settings window: a tree of pages on the left, the caption bar
// and the shown page on the right, OK, Cancel and Help below. It does not
// apply anything itself: OK and Cancel post kClosedMessage to the owner,
// which hides the window and, after OK, has the pages apply. Cancel discards
// the pages' edits; shown again, the window starts from the settings.
class CSettingsDialog : public CDialog {
 public:
  // Posted to the owner with 1 after OK, 2 after Cancel, 2347 after Apply.
  static constexpr UINT kClosedMessage = WM_USER + 5;
  static constexpr WPARAM kClosedOk = 1;
  static constexpr WPARAM kClosedCancel = 2;
  static constexpr WPARAM kClosedApply = 2347;

  // Makes a page's object; null leaves its place empty.
  using PageFactory = std::function<std::unique_ptr<CSettingsPage>()>;

  // gradientColor: the theme's base colour, the right end of the caption bar.
  CSettingsDialog(COLORREF gradientColor, HINSTANCE resources);
  ~CSettingsDialog() override;

  // Adds a page under parent (-1: the root). Only before Create; the index
  // of the page, or -1 once the window exists.
  int AddPage(PageFactory factory, std::wstring caption, int templateId, int parent = -1);
  void SetTitle(std::wstring title) { title_ = std::move(title); }
  // Texts of OK, Cancel and Help, set when the window is made.
  void SetButtonTexts(std::wstring ok, std::wstring cancel, std::wstring help);

  // Creates the window with its owner (which gets kClosedMessage) and shows it.
  [[nodiscard]] bool Create(HWND owner);

  // The apply operations of the pages whose windows exist, in page order.
  void ApplyPages();

  [[nodiscard]] size_t PageCount() const { return pages_.size(); }
  // The page's object, or null while it has not been shown.
  [[nodiscard]] CSettingsPage* Page(size_t index) const;
  [[nodiscard]] int CurrentPage() const { return current_; }
  // Shows a page as a click on its tree item does.
  void ShowPage(size_t index);
  [[nodiscard]] const CPrefsStatic& CaptionBar() const { return caption_; }

 protected:
  INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  BOOL OnInitDialog() override;
  bool OnCommand(WORD id, WORD code, HWND control) override;
  void OnOK() override;
  void OnCancel() override;

 private:
  struct PageRecord {
    PageFactory factory;
    std::wstring caption;
    int templateId = 0;
    int parent = -1;
    std::unique_ptr<CSettingsPage> page;
    HTREEITEM item = nullptr;
    bool made = false;  // the factory ran (it may have given nothing)
  };
  class EscapeFilter;

  void Notify(WPARAM code) const;
  void DiscardPages();
  void OnShowWindow(bool shown);
  INT_PTR OnNotify(const NMHDR& header);

  COLORREF gradientColor_;
  HINSTANCE resources_;
  std::wstring title_;
  std::wstring okText_ = L"OK";
  std::wstring cancelText_ = L"Cancel";
  std::wstring helpText_ = L"Help";
  HWND owner_ = nullptr;
  std::vector<PageRecord> pages_;
  RECT pageRect_{};
  CPrefsStatic caption_;
  int current_ = -1;
  bool selecting_ = false;  // the dialog selects a tree item itself
  std::unique_ptr<EscapeFilter> escapeFilter_;
};
