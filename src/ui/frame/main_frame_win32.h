#pragma once

#include <windows.h>

#include "ui/widgets/window_win32.h"

class OptionsManager;
class LocaleManager;

// The program's top-level window. For now a plain frame with menu 128: it
// answers the wake message, keeps its minimum size and stores its rectangle
// in the settings when it goes away.
class CMainFrame : public CWindow {
 public:
  static constexpr const wchar_t* kClassName = L"TamarelMainFrame";
  // The tray icon's callback message; a second start of the program sends it
  // too, with lParam WM_LBUTTONDOWN.
  static constexpr UINT kTrayMessage = WM_USER + 87;
  static constexpr int kMinWidth = 900;
  static constexpr int kMinHeight = 800;

  CMainFrame(OptionsManager& options, const LocaleManager& locale);

  // Creates the frame, hidden, at the stored rectangle.
  [[nodiscard]] bool CreateFrame();
  // Shows it (restored when minimized) and brings it to the front.
  void BringToFront();

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  LRESULT OnClose(WPARAM wp, LPARAM lp) override;
  LRESULT OnEndSession(WPARAM wp, LPARAM lp) override;
  LRESULT OnDestroy(WPARAM wp, LPARAM lp) override;
  LRESULT OnGetMinMaxInfo(WPARAM wp, LPARAM lp) override;
  LRESULT OnCommand(WPARAM wp, LPARAM lp) override;
  LRESULT OnInitMenuPopup(WPARAM wp, LPARAM lp) override;

 private:
  void TranslateMenuBar();
  void StoreRectangleAndSave();

  OptionsManager& options_;
  const LocaleManager& locale_;
  bool saved_ = false;  // the settings are written once, by whichever way the window goes
};
