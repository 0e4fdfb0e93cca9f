#include "ui/widgets/dialog_win32.h"

#include <cwchar>
#include <exception>

#include "env/debug_log_win32.h"
#include "ui/widgets/help_win32.h"

CDialog::CDialog(int templateId, HINSTANCE module)
    : templateId_(templateId), module_(module ? module : GetModuleHandleW(nullptr)) {}

CDialog::~CDialog() {
  if (hwnd_) {
    // Only a modeless dialog can outlive its Do call; unbind before destroying.
    const HWND hwnd = hwnd_;
    SetWindowLongPtrW(hwnd, DWLP_USER, 0);
    hwnd_ = nullptr;
    DestroyWindow(hwnd);
  }
}

INT_PTR CDialog::DoModal(HWND owner) {
  modal_ = true;
  const INT_PTR result = DialogBoxParamW(module_, MAKEINTRESOURCEW(templateId_), owner, &CDialog::DialogProc,
                                         reinterpret_cast<LPARAM>(this));
  if (result == -1) LogLastError(L"DialogBoxParamW");
  return result;
}

HWND CDialog::CreateModeless(HWND owner) {
  modal_ = false;
  const HWND hwnd = CreateDialogParamW(module_, MAKEINTRESOURCEW(templateId_), owner, &CDialog::DialogProc,
                                       reinterpret_cast<LPARAM>(this));
  if (!hwnd) LogLastError(L"CreateDialogParamW");
  return hwnd;
}

void CDialog::SetItemText(int id, std::wstring_view text) const {
  const std::wstring copy(text);
  SetDlgItemTextW(hwnd_, id, copy.c_str());
}

std::wstring CDialog::ItemText(int id) const {
  const HWND item = Item(id);
  if (!item) return {};
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(item)) + 1, L'\0');
  const int n = GetWindowTextW(item, text.data(), static_cast<int>(text.size()));
  text.resize(n > 0 ? static_cast<size_t>(n) : 0);
  return text;
}

bool CDialog::OnCommand(WORD, WORD, HWND) { return false; }

void CDialog::Close(INT_PTR result) {
  if (!hwnd_) return;
  if (modal_) {
    ::EndDialog(hwnd_, result);
  } else {
    DestroyWindow(hwnd_);
  }
}

INT_PTR CDialog::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_INITDIALOG: return OnInitDialog();
    case WM_HELP:
      // F1 anywhere in the dialog: its topic, beside it.
      if (helpContext_ == 0) return FALSE;
      OpenHelpBeside(hwnd_, helpContext_);
      return TRUE;
    case WM_COMMAND: {
      const WORD id = LOWORD(wp);
      if (id == IDOK) {
        OnOK();
        return TRUE;
      }
      if (id == IDCANCEL) {
        OnCancel();
        return TRUE;
      }
      return OnCommand(id, HIWORD(wp), reinterpret_cast<HWND>(lp)) ? TRUE : FALSE;
    }
    default: return FALSE;
  }
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
  CDialog* self = nullptr;
  if (msg == WM_INITDIALOG) {
    self = reinterpret_cast<CDialog*>(lp);
    if (self) {
      self->hwnd_ = hwnd;
      SetWindowLongPtrW(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
    }
  } else {
    self = reinterpret_cast<CDialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  }
  if (!self) return FALSE;

  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, DWLP_USER, 0);
    self->hwnd_ = nullptr;
    try {
      self->OnFinalMessage();
    } catch (...) {
      LogMessage(L"exception in a dialog's OnFinalMessage");
    }
    return FALSE;
  }

  try {
    return self->HandleMessage(msg, wp, lp);
  } catch (const std::exception& e) {
    wchar_t line[160];
    std::swprintf(line, 160, L"exception in dialog message 0x%04x: %hs", msg, e.what());
    LogMessage(line);
  } catch (...) {
    LogMessage(L"unknown exception in a dialog procedure");
  }
  return FALSE;
}

void SetCaptionIcons(HWND window, HINSTANCE module, int iconId, CaptionIcons which) {
  if (!module) module = GetModuleHandleW(nullptr);
  const auto set = [&](WPARAM kind, int width, int height) {
    const auto icon = static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(iconId), IMAGE_ICON, width, height,
                                                    LR_SHARED));
    if (icon) SendMessageW(window, WM_SETICON, kind, reinterpret_cast<LPARAM>(icon));
  };
  if (which != CaptionIcons::kSmall) set(ICON_BIG, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON));
  if (which != CaptionIcons::kLarge) set(ICON_SMALL, GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON));
}
