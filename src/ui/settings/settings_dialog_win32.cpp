#include "ui/settings/settings_dialog_win32.h"

#include <cwchar>

#include "env/debug_log_win32.h"
#include "resources/settings_ids.h"
#include "ui/widgets/message_loop_win32.h"
#include "resources/help_ids.h"

namespace {

bool IsDroppedCombo(HWND hwnd) {
  wchar_t name[16] = {};
  GetClassNameW(hwnd, name, 16);
  return _wcsicmp(name, L"ComboBox") == 0 && SendMessageW(hwnd, CB_GETDROPPEDSTATE, 0, 0) != 0;
}

}  // namespace

// Escape neither cancels nor closes the settings window: its keys are taken
// out of the message loop before the dialog manager turns them into Cancel.
// An open drop-down list still closes on Escape.
class CSettingsDialog::EscapeFilter final : public MessageFilter {
 public:
  explicit EscapeFilter(const CSettingsDialog& dialog) : dialog_(dialog) {}
  bool PreTranslateMessage(MSG& msg) override {
    const bool escapeKey = (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP) && msg.wParam == VK_ESCAPE;
    const bool escapeChar = msg.message == WM_CHAR && msg.wParam == 0x1B;
    if (!escapeKey && !escapeChar) return false;
    const HWND dialog = dialog_.Hwnd();
    if (!dialog || (msg.hwnd != dialog && !IsChild(dialog, msg.hwnd))) return false;
    return !IsDroppedCombo(msg.hwnd);
  }

 private:
  const CSettingsDialog& dialog_;
};

CSettingsDialog::CSettingsDialog(COLORREF gradientColor, HINSTANCE resources)
    : CDialog(IDD_SETTINGS, resources), gradientColor_(gradientColor), resources_(resources) {
  SetHelpContext(IDH_SETTINGS);
}

CSettingsDialog::~CSettingsDialog() {
  if (MessageLoop* loop = MessageLoop::Current()) {
    if (escapeFilter_) loop->RemoveFilter(escapeFilter_.get());
    if (Hwnd()) loop->RemoveModelessDialog(Hwnd());
  }
  // The pages go first; each destroys its own child window.
  pages_.clear();
}

int CSettingsDialog::AddPage(PageFactory factory, std::wstring caption, int templateId, int parent) {
  if (Hwnd()) return -1;
  PageRecord record;
  record.factory = std::move(factory);
  record.caption = std::move(caption);
  record.templateId = templateId;
  record.parent = parent >= 0 && parent < static_cast<int>(pages_.size()) ? parent : -1;
  pages_.push_back(std::move(record));
  return static_cast<int>(pages_.size()) - 1;
}

void CSettingsDialog::SetButtonTexts(std::wstring ok, std::wstring cancel, std::wstring help) {
  okText_ = std::move(ok);
  cancelText_ = std::move(cancel);
  helpText_ = std::move(help);
}

bool CSettingsDialog::Create(HWND owner) {
  owner_ = owner;
  if (!CreateModeless(owner)) return false;
  if (MessageLoop* loop = MessageLoop::Current()) {
    loop->AddModelessDialog(Hwnd());
    escapeFilter_ = std::make_unique<EscapeFilter>(*this);
    loop->AddFilter(escapeFilter_.get());
  }
  ShowWindow(Hwnd(), SW_SHOW);
  return true;
}

BOOL CSettingsDialog::OnInitDialog() {
  SetWindowTextW(Hwnd(), title_.c_str());
  SetItemText(IDOK, okText_);
  SetItemText(IDCANCEL, cancelText_);
  SetItemText(IDC_SETTINGS_HELP, helpText_);

  RECT place{};
  GetWindowRect(Item(IDC_SETTINGS_PLACE), &place);
  MapWindowPoints(nullptr, Hwnd(), reinterpret_cast<POINT*>(&place), 2);
  pageRect_ = RECT{place.left + 2, place.top + 2, place.right - 2, place.bottom - 2};

  caption_.Attach(Item(IDC_SETTINGS_CAPTION), GetSysColor(COLOR_BTNFACE), gradientColor_);

  const HWND tree = Item(IDC_SETTINGS_TREE);
  for (PageRecord& record : pages_) {
    TVINSERTSTRUCTW insert{};
    insert.hParent = record.parent >= 0 ? pages_[static_cast<size_t>(record.parent)].item : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = record.caption.data();
    record.item = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
  }
  for (const PageRecord& record : pages_) {
    SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(record.item));
  }
  if (!pages_.empty()) ShowPage(0);
  return FALSE;  // the first page has the focus
}

CSettingsPage* CSettingsDialog::Page(size_t index) const {
  return index < pages_.size() ? pages_[index].page.get() : nullptr;
}

void CSettingsDialog::ShowPage(size_t index) {
  if (index >= pages_.size()) return;
  if (current_ >= 0 && static_cast<size_t>(current_) != index) {
    if (CSettingsPage* shown = Page(static_cast<size_t>(current_)); shown && shown->Hwnd()) {
      ShowWindow(shown->Hwnd(), SW_HIDE);
    }
  }
  caption_.SetText(L"");
  PageRecord& record = pages_[index];
  if (!record.made) {
    record.made = true;
    record.page = record.factory ? record.factory() : nullptr;
    if (record.page) {
      if (record.page->CreateModeless(Hwnd())) {
        SetWindowPos(record.page->Hwnd(), Item(IDC_SETTINGS_PLACE), pageRect_.left, pageRect_.top,
                     pageRect_.right - pageRect_.left, pageRect_.bottom - pageRect_.top, SWP_NOACTIVATE);
      } else {
        LogMessage(L"a settings page could not be created");
        record.page.reset();
      }
    }
  }
  current_ = static_cast<int>(index);
  if (record.page && record.page->Hwnd()) {
    ShowWindow(record.page->Hwnd(), SW_SHOW);
    SetFocus(record.page->Hwnd());
  }
  selecting_ = true;
  SendMessageW(Item(IDC_SETTINGS_TREE), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(record.item));
  selecting_ = false;
  caption_.SetText(record.caption);
}

void CSettingsDialog::ApplyPages() {
  for (PageRecord& record : pages_) {
    if (record.page && record.page->Hwnd()) record.page->Apply();
  }
}

void CSettingsDialog::Notify(WPARAM code) const {
  if (owner_) PostMessageW(owner_, kClosedMessage, code, 0);
}

void CSettingsDialog::OnOK() {
  for (size_t i = 0; i < pages_.size(); ++i) {
    CSettingsPage* page = pages_[i].page.get();
    if (page && page->Hwnd() && !page->Validate()) {
      // The page has put the focus on the field to correct; showing the
      // page must not take it away again.
      const HWND bad = GetFocus();
      ShowPage(i);
      if (bad && IsChild(page->Hwnd(), bad)) SetFocus(bad);
      return;
    }
  }
  for (PageRecord& record : pages_) {
    if (record.page && record.page->Hwnd()) record.page->ReadControls();
  }
  Notify(kClosedOk);
}

// Cancel throws away what she changed: the pages go, and the window, kept
// hidden by its owner, makes them afresh from the settings when it is shown
// again.
void CSettingsDialog::OnCancel() {
  DiscardPages();
  Notify(kClosedCancel);
}

void CSettingsDialog::DiscardPages() {
  for (PageRecord& record : pages_) {
    record.page.reset();  // destroys the page's window
    record.made = false;
  }
  current_ = -1;
}

void CSettingsDialog::OnShowWindow(bool shown) {
  if (shown && current_ < 0 && !pages_.empty()) ShowPage(0);
}

bool CSettingsDialog::OnCommand(WORD id, WORD, HWND) {
  switch (id) {
    case IDC_SETTINGS_APPLY: Notify(kClosedApply); return true;
    case IDC_SETTINGS_HELP:
      if (CSettingsPage* page = current_ >= 0 ? Page(static_cast<size_t>(current_)) : nullptr) page->OnHelp();
      return true;
    default: return false;
  }
}

INT_PTR CSettingsDialog::OnNotify(const NMHDR& header) {
  if (header.idFrom != IDC_SETTINGS_TREE || header.code != TVN_SELCHANGEDW || selecting_) return FALSE;
  const auto& change = reinterpret_cast<const NMTREEVIEWW&>(header);
  for (size_t i = 0; i < pages_.size(); ++i) {
    if (pages_[i].item == change.itemNew.hItem) {
      ShowPage(i);
      break;
    }
  }
  return TRUE;
}

INT_PTR CSettingsDialog::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_NOTIFY: return OnNotify(*reinterpret_cast<const NMHDR*>(lp));
    case WM_SHOWWINDOW: OnShowWindow(wp != FALSE); return FALSE;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
      if (wp != IDC_SETTINGS_CAPTION) return FALSE;
      caption_.Draw(*item);
      return TRUE;
    }
    default: return CDialog::HandleMessage(msg, wp, lp);
  }
}
