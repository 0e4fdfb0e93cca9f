#include "ui/widgets/dialog_win32.h"

#include <gtest/gtest.h>

#include <string>

#include "ui/widgets/message_loop_win32.h"
#include "test_dialog_resource.h"

namespace {

// Puts a text into its edit field when it opens and presses OK itself; OK
// reads the field back.
class EchoDialog : public CDialog {
 public:
  EchoDialog() : CDialog(IDD_TEST_DIALOG) {}
  std::wstring text;
  std::wstring readBack;
  bool cancelled = false;
  bool pressOk = true;

 protected:
  BOOL OnInitDialog() override {
    SetItemText(IDC_TEST_EDIT, text);
    if (pressOk) PostMessageW(Hwnd(), WM_COMMAND, IDOK, 0);
    return TRUE;
  }
  void OnOK() override {
    readBack = ItemText(IDC_TEST_EDIT);
    CDialog::OnOK();
  }
  void OnCancel() override {
    cancelled = true;
    CDialog::OnCancel();
  }
};

TEST(CDialog, ModalDialogRunsFromItsTemplateAndReturnsTheResult) {
  EchoDialog dlg;
  dlg.text = L"Grüße, 月";
  EXPECT_EQ(dlg.DoModal(nullptr), IDOK);
  EXPECT_EQ(dlg.readBack, dlg.text);
  EXPECT_EQ(dlg.Hwnd(), nullptr);
}

TEST(CDialog, MissingTemplateFails) {
  class Missing : public CDialog {
   public:
    Missing() : CDialog(4242) {}
  } dlg;
  EXPECT_EQ(dlg.DoModal(nullptr), -1);
}

TEST(CDialog, ModelessDialogGetsKeyboardNavigationThroughTheLoop) {
  MessageLoop loop;
  EchoDialog dlg;
  dlg.pressOk = false;
  const HWND hwnd = dlg.CreateModeless(nullptr);
  ASSERT_NE(hwnd, nullptr);
  loop.AddModelessDialog(hwnd);
  // Escape in the edit field becomes Cancel only if the loop hands the
  // message to IsDialogMessage.
  const HWND edit = dlg.Item(IDC_TEST_EDIT);
  SetFocus(edit);
  PostMessageW(edit, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
  PostQuitMessage(0);
  loop.Run();
  EXPECT_TRUE(dlg.cancelled);
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(dlg.Hwnd(), nullptr);
  loop.RemoveModelessDialog(hwnd);
}

}  // namespace
