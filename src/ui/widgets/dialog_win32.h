#pragma once

#include <windows.h>

#include <string>
#include <string_view>

// Which of a window's two icons come from one icon resource.
enum class CaptionIcons { kLarge, kSmall, kBoth };
// Sets a window's large icon (Alt+Tab, SM_CXICON) and small icon (caption and
// taskbar, SM_CXSMICON) from the icon resource iconId of module (null: the
// program). They are shared resource icons: Windows keeps them, nobody
// destroys them. A missing icon leaves the window's icon as it was.
void SetCaptionIcons(HWND window, HINSTANCE module, int iconId, CaptionIcons which);

// Base of the program's dialogs, made from DIALOGEX templates in the
// resources. Binding works as in CWindow: the object arrives with
// WM_INITDIALOG and is unbound at WM_NCDESTROY. No exception leaves the
// dialog procedure.
class CDialog {
 public:
  // templateId: the dialog resource; module: where it lives (the program by default).
  explicit CDialog(int templateId, HINSTANCE module = nullptr);
  virtual ~CDialog();
  CDialog(const CDialog&) = delete;
  CDialog& operator=(const CDialog&) = delete;

  // Runs the dialog modally; the value given to EndDialog, or -1 when it
  // could not be created.
  INT_PTR DoModal(HWND owner);
  // Creates the dialog modeless (shown when its template says WS_VISIBLE);
  // register it with the message loop so that keyboard navigation works.
  HWND CreateModeless(HWND owner);

  [[nodiscard]] HWND Hwnd() const { return hwnd_; }
  [[nodiscard]] bool IsModal() const { return modal_; }

  // The help topic that F1 and WM_HELP open for this dialog and its
  // controls (a context of the help file); 0 passes the request on to the
  // parent window, as a pane does.
  void SetHelpContext(DWORD context) { helpContext_ = context; }
  [[nodiscard]] DWORD HelpContext() const { return helpContext_; }

  [[nodiscard]] HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
  void SetItemText(int id, std::wstring_view text) const;
  [[nodiscard]] std::wstring ItemText(int id) const;

 protected:
  // The flat dispatch; returns what a dialog procedure returns (TRUE when handled).
  virtual INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp);

  // Return TRUE to let Windows focus the first control.
  virtual BOOL OnInitDialog() { return TRUE; }
  // Commands other than OK and Cancel; return true when handled.
  virtual bool OnCommand(WORD id, WORD code, HWND control);
  // Defaults close the dialog with IDOK / IDCANCEL.
  virtual void OnOK() { Close(IDOK); }
  virtual void OnCancel() { Close(IDCANCEL); }
  virtual void OnFinalMessage() {}

  // Ends a modal dialog with result, or destroys a modeless one.
  void Close(INT_PTR result);

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept;

  int templateId_;
  HINSTANCE module_;
  HWND hwnd_ = nullptr;
  bool modal_ = false;
  DWORD helpContext_ = 0;
};
