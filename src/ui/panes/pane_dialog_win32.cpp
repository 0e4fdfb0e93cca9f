#include "ui/panes/pane_dialog_win32.h"

#include "settings/options_manager.h"
#include "env/locale_manager.h"
#include "env/wide_win32.h"
#include "ui/widgets/message_loop_win32.h"
#include "env/access_key.h"
#include "env/theme.h"

CPaneDialog::CPaneDialog(int templateId, const PaneContext& context)
    : CDialog(templateId, context.resources),
      context_(context),
      background_(static_cast<COLORREF>(context.options.theme.base)),
      backgroundBrush_(CreateSolidBrush(background_)) {}

CPaneDialog::~CPaneDialog() {
  if (registered_) {
    if (MessageLoop* loop = MessageLoop::Current()) loop->RemoveModelessDialog(registered_);
    registered_ = nullptr;
  }
}

HWND CPaneDialog::Create(HWND parent) {
  const HWND hwnd = CreateModeless(parent);
  if (!hwnd) return nullptr;
  ShowWindow(hwnd, SW_HIDE);
  RememberTemplatePlaces();
  // Tab and arrow keys move between the pane's controls.
  if (MessageLoop* loop = MessageLoop::Current()) {
    loop->AddModelessDialog(hwnd);
    registered_ = hwnd;
  }
  return hwnd;
}

void CPaneDialog::RememberTemplatePlaces() {
  RECT client{};
  GetClientRect(Hwnd(), &client);
  templateWidth_ = client.right;
  templatePlaces_.clear();
  for (HWND child = GetWindow(Hwnd(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, Hwnd(), reinterpret_cast<POINT*>(&r), 2);
    templatePlaces_.push_back({child, r.left, r.right});
  }
}

void CPaneDialog::FitControlsToWidth(int width) const {
  if (templateWidth_ <= 0 || width <= 0) return;
  for (const TemplatePlace& place : templatePlaces_) {
    const int left = MulDiv(place.left, width, templateWidth_);
    const int right = MulDiv(place.right, width, templateWidth_);
    RECT now{};
    GetWindowRect(place.control, &now);
    MapWindowPoints(nullptr, Hwnd(), reinterpret_cast<POINT*>(&now), 2);
    if (now.left == left && now.right == right) continue;
    // A drop-down list's height is that of its open list.
    int height = now.bottom - now.top;
    wchar_t name[16] = {};
    GetClassNameW(place.control, name, 16);
    if (lstrcmpiW(name, L"ComboBox") == 0) {
      RECT dropped{};
      if (SendMessageW(place.control, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped))) {
        height = dropped.bottom - dropped.top;
      }
    }
    SetWindowPos(place.control, nullptr, left, now.top, right - left, height, SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void CPaneDialog::OnFinalMessage() {
  if (registered_) {
    if (MessageLoop* loop = MessageLoop::Current()) loop->RemoveModelessDialog(registered_);
    registered_ = nullptr;
  }
}

void CPaneDialog::SetBackground(COLORREF colour) {
  if (colour == background_ && backgroundBrush_) return;
  background_ = colour;
  backgroundBrush_.Reset(CreateSolidBrush(colour));
  for (const auto& button : buttons_) button->SetBackground(colour);
  if (Hwnd()) RedrawWindow(Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

HINSTANCE CPaneDialog::Module() const {
  return context_.resources ? context_.resources : GetModuleHandleW(nullptr);
}

std::wstring CPaneDialog::Text(std::u16string_view key) const { return ToWide(context_.locale.Translate(key)); }

std::wstring CPaneDialog::PlainText(std::u16string_view key) const {
  return ToWide(WithoutAccessKey(context_.locale.Translate(key)));
}

bool CPaneDialog::SkinTextFits(int id, const std::wstring& text) const {
  const HWND control = Item(id);
  for (const auto& button : buttons_) {
    if (button->Hwnd() == control) return button->Fits(text);
  }
  return true;
}

void CPaneDialog::AddSkinButton(int id, int iconId) {
  if (!buttonFont_) buttonFont_ = CreateSkinButtonFont();
  auto button = std::make_unique<CSkinButton>();
  if (!button->Attach(Item(id), Module(), iconId, buttonFont_.Get())) return;
  button->SetBackground(background_);
  buttons_.push_back(std::move(button));
}

void CPaneDialog::SetItemText(int id, std::wstring_view text) const {
  if (ItemText(id) != text) CDialog::SetItemText(id, text);
}

void CPaneDialog::ShowItem(int id, bool show) const {
  const HWND item = Item(id);
  if (!item) return;
  const bool shown = (GetWindowLongW(item, GWL_STYLE) & WS_VISIBLE) != 0;
  if (shown != show) ShowWindow(item, show ? SW_SHOWNA : SW_HIDE);
}

void CPaneDialog::EnableItem(int id, bool enable) const {
  EnableWindow(Item(id), enable ? TRUE : FALSE);
  for (const auto& [label, control] : labels_) {
    if (control == id) InvalidateRect(Item(label), nullptr, TRUE);
  }
}

void CPaneDialog::LabelFollows(int labelId, int controlId) { labels_.emplace_back(labelId, controlId); }

COLORREF CPaneDialog::GreyedTextColour() const {
  return static_cast<COLORREF>(ReadableTextColor(
      background_, {static_cast<ColorRef>(GetSysColor(COLOR_GRAYTEXT)), MakeColor(96, 96, 96), MakeColor(64, 64, 64)}));
}

bool CPaneDialog::IsChecked(int id) const { return IsDlgButtonChecked(Hwnd(), id) == BST_CHECKED; }

void CPaneDialog::SetChecked(int id, bool checked) const {
  CheckDlgButton(Hwnd(), id, checked ? BST_CHECKED : BST_UNCHECKED);
}

// Texts, radio buttons and check boxes stand on the pane's colour; the read-
// only text field keeps the window colour so that it reads as a field, and
// combo boxes keep the system's look.
INT_PTR CPaneDialog::OnCtlColor(HDC dc, HWND control) {
  wchar_t name[16] = {};
  if (control) GetClassNameW(control, name, 16);
  if (lstrcmpiW(name, L"Edit") == 0) {
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_WINDOW));
  }
  if (lstrcmpiW(name, L"ComboBox") == 0) return FALSE;
  const int id = control ? GetDlgCtrlID(control) : 0;
  for (const auto& [label, followed] : labels_) {
    if (label != id) continue;
    const bool greyed = !IsWindowEnabled(Item(followed));
    SetTextColor(dc, greyed ? GreyedTextColour() : GetSysColor(COLOR_WINDOWTEXT));
  }
  SetBkColor(dc, background_);
  SetBkMode(dc, TRANSPARENT);
  return reinterpret_cast<INT_PTR>(backgroundBrush_.Get());
}

INT_PTR CPaneDialog::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CTLCOLORDLG: return reinterpret_cast<INT_PTR>(backgroundBrush_.Get());
    case WM_SIZE:
      FitControlsToWidth(LOWORD(lp));
      return FALSE;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: return OnCtlColor(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp));
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
      if (!item) return FALSE;
      for (const auto& button : buttons_) {
        if (button->Hwnd() == item->hwndItem) {
          button->Draw(*item);
          return TRUE;
        }
      }
      return OnDrawItem(*item) ? TRUE : FALSE;
    }
    default: return CDialog::HandleMessage(msg, wp, lp);
  }
}
