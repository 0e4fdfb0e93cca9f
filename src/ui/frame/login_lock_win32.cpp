#include "ui/frame/login_lock_win32.h"

#include <utility>

#include "accounts/calendar_session.h"
#include "accounts/logon_manager.h"
#include "env/locale_manager.h"
#include "env/wide_win32.h"
#include "model/menstual_manager.h"
#include "resources/resource.h"
#include "settings/options_manager.h"
#include "ui/frame/frame_context_win32.h"
#include "ui/login/login_dlg_win32.h"
#include "ui/widgets/gdi_win32.h"

LoginLock::LoginLock(const FrameContext& context, Callbacks callbacks)
    : context_(context), callbacks_(std::move(callbacks)) {}

bool LoginLock::Locked() const {
  return context_.options.userLogins && context_.logon && context_.logon->CurrentUser().id == 0;
}

std::wstring LoginLock::WindowTitle() const {
  std::wstring title = ToWide(context_.locale.Translate(u"APP_NAME"));
  // Behind the login dialog the window names nobody: she is leaving.
  if (context_.options.userLogins && context_.logon && context_.codec && !hideForLogin_) {
    const std::string& name = context_.logon->CurrentUser().name;
    if (!name.empty()) title += L" (" + ToWide(context_.codec->FromAnsi(name)) + L")";
  }
  return title;
}

void LoginLock::RefreshTitle() const {
  if (frame_) SetWindowTextW(frame_, WindowTitle().c_str());
}

bool LoginLock::RunLoginFlow() {
  if (!context_.logon || !context_.codec) return false;
  running_ = true;
  // Her calendar is not left open behind the dialog for whoever sits down.
  hideForLogin_ = context_.options.userLogins;
  const bool hidden = hideForLogin_;
  if (hidden) {
    RefreshTitle();
    if (callbacks_.lockChanged) callbacks_.lockChanged();
  }
  // She is leaving: her key and her days in the clear go now, not when the
  // next one logs in. Logging in again derives the key again.
  if (context_.session && context_.session->VaultOpen()) {
    context_.session->Close();
    if (callbacks_.userChanged) callbacks_.userChanged();
  }
  CLoginDlg dialog(*context_.logon, context_.locale, *context_.codec, context_.prompts, FrameResources(context_));
  dialog.SetModel(&context_.model);
  dialog.SetSession(context_.session, callbacks_.backUp);
  const bool loggedIn = dialog.DoModal(frame_) == IDOK;
  running_ = false;
  hideForLogin_ = false;
  if (!loggedIn) {
    // Logged out: nobody's days stay on screen.
    if (context_.options.userLogins && context_.logon->CurrentUser().id != 0) {
      context_.logon->Logout();
      context_.model.Reload();
      RefreshTitle();
      if (callbacks_.userChanged) callbacks_.userChanged();
    } else if (hidden) {
      RefreshTitle();
      if (callbacks_.lockChanged) callbacks_.lockChanged();
    }
    return false;
  }
  context_.options.userLogins = true;
  // Her own days: the caches go, and every view asks again.
  context_.model.Reload();
  RefreshTitle();
  if (callbacks_.userChanged) callbacks_.userChanged();
  return true;
}

void LoginLock::RunLoginFlowOnce() {
  if (shown_ || !context_.options.userLogins) return;
  shown_ = true;
  static_cast<void>(RunLoginFlow());
}

void LoginLock::PaintLocked(HDC dc, const RECT& area) const {
  const Brush base(CreateSolidBrush(static_cast<COLORREF>(context_.options.theme.base)));
  FillRect(dc, &area, base.Get());
  if (hideForLogin_) return;
  RECT text = area;
  const std::wstring invite = ToWide(context_.locale.Translate(u"LOGIN_TO_SEE"));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, static_cast<COLORREF>(context_.options.theme.dark));
  SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  DrawTextW(dc, invite.c_str(), static_cast<int>(invite.size()), &text,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void LoginLock::OnLockedClick() const {
  if (frame_ && !hideForLogin_) PostMessageW(frame_, WM_COMMAND, MAKEWPARAM(ID_FILE_LOGOUT, 0), 0);
}
