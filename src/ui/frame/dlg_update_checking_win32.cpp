#include "ui/frame/dlg_update_checking_win32.h"

#include "env/debug_log_win32.h"
#include "env/locale_manager.h"
#include "env/wide_win32.h"
#include "resources/update_ids.h"
#include "ui/widgets/message_loop_win32.h"

namespace {

// Each check its own number, so that a late result of an earlier one is
// never taken for the current one.
WPARAM NextCheckNumber() {
  static WPARAM number = 0;
  return ++number;
}

}  // namespace

CDlgUpdateChecking::CDlgUpdateChecking(const LocaleManager &locale, const IAnsiCodec &codec, Done done, DWORD limitMs,
                                       HINSTANCE resources)
    : CDialog(IDD_UPDATE_CHECKING, resources),
      locale_(locale),
      codec_(codec),
      done_(std::move(done)),
      limitMs_(limitMs) {}

CDlgUpdateChecking::~CDlgUpdateChecking() {
  // The thread is left to end on its own; it posts nothing any more.
  Drop();
  Unregister();
}

bool CDlgUpdateChecking::Start(HWND owner, std::wstring address) {
  if (Hwnd()) return false;
  if (!CreateModeless(owner)) return false;
  if (MessageLoop *loop = MessageLoop::Current()) {
    loop->AddModelessDialog(Hwnd());
    registered_ = true;
  }
  number_ = NextCheckNumber();
  check_ = std::make_unique<ManualUpdateCheck>(Hwnd(), number_, std::move(address), limitMs_);
  if (!SetTimer(Hwnd(), kLimitTimer, limitMs_, nullptr)) LogLastError(L"SetTimer(update check limit)");
  if (!check_->Start()) {
    check_.reset();
    Unregister();
    Close(IDCANCEL);
    return false;
  }
  ShowWindow(Hwnd(), SW_SHOW);
  return true;
}

BOOL CDlgUpdateChecking::OnInitDialog() {
  SetWindowTextW(Hwnd(), ToWide(locale_.Translate(u"APP_NAME")).c_str());
  SetItemText(IDC_UPDATE_CHECKING_TEXT, ToWide(locale_.Translate(u"UPDATE_CHECKING")));
  SetItemText(IDCANCEL, ToWide(locale_.Translate(u"BTN_CANCEL")));
  return TRUE;
}

void CDlgUpdateChecking::Unregister() {
  if (!registered_) return;
  registered_ = false;
  if (MessageLoop *loop = MessageLoop::Current()) loop->RemoveModelessDialog(Hwnd());
}

void CDlgUpdateChecking::OnCancel() {
  Finish({{}, update::CheckFailure::kCancelled});
}

void CDlgUpdateChecking::Drop() {
  // After Cancel the thread posts nothing more; what it posted before goes.
  if (check_) check_->Cancel();
  const UINT message = ManualUpdateCheck::DoneMessage();
  MSG late;
  while (Hwnd() && message != 0 && PeekMessageW(&late, Hwnd(), message, message, PM_REMOVE)) {
    static_cast<void>(ManualUpdateCheck::TakeDone(late.lParam));
  }
}

void CDlgUpdateChecking::Finish(const update::CheckResult &result) {
  if (!Hwnd()) return;
  KillTimer(Hwnd(), kLimitTimer);
  Drop();
  Unregister();
  Close(IDCANCEL);
  if (done_) done_(result);
}

INT_PTR CDlgUpdateChecking::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == ManualUpdateCheck::DoneMessage() && msg != 0) {
    const std::unique_ptr<FetchedBytes> fetched = ManualUpdateCheck::TakeDone(lp);
    if (wp == number_ && fetched) Finish(CheckResultOf(*fetched, codec_));
    return TRUE;
  }
  if (msg == WM_TIMER && wp == kLimitTimer) {
    // The network did not end the check in time: it is given up.
    Finish({{}, update::CheckFailure::kNoAnswer});
    return TRUE;
  }
  return CDialog::HandleMessage(msg, wp, lp);
}
