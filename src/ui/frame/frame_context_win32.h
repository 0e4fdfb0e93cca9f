#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>

#include "backup/backup_files.h"
#include "ui/frame/calendar_printer_win32.h"
#include "ui/widgets/prompts_win32.h"

class OptionsManager;
class LocaleManager;
class MenstualManager;
class IClock;
class IAnsiCodec;
class LogonManager;
class DesktopManager;
class DatabaseManager;
class CalendarSession;

// What depends on her days, the goal, the lengths, the user and the
// settings: each is made afresh once by CMainFrame::DaysChanged.
enum class FrameDependent { kCalendar, kPanes, kTrayTip, kDesktop, kReminders };

// What the frame works with. The program passes its single instances; tests
// pass their own objects, so nothing touches the real registry or data file.
struct FrameContext {
  OptionsManager& options;
  const LocaleManager& locale;
  MenstualManager& model;
  const IClock& clock;
  // Where menus, dialogs and pictures come from; null is the program itself.
  HINSTANCE resources = nullptr;
  Prompts prompts = SystemPrompts();
  // The program ends with its main window; a test's frame does not.
  bool quitOnDestroy = true;
  // The users and the codec of their names; without them there is no login.
  LogonManager* logon = nullptr;
  const IAnsiCodec* codec = nullptr;
  // Which file her days are in (db.dat or her vault); without it nobody's
  // calendar is encrypted.
  CalendarSession* session = nullptr;
  // The colour chooser of the legend pane; null is the system's.
  std::function<bool(HWND owner, COLORREF& colour)> chooseColor = nullptr;
  // The print dialog (the printer and where the page goes); null is the system's.
  CalendarPrinter::ChoosePrinter choosePrinter = nullptr;
  // The desktop calendar; null draws nothing on the desktop.
  DesktopManager* desktop = nullptr;
  // Makes a language current by its display name (the settings window).
  std::function<void(std::u16string_view displayName)> setLanguage = nullptr;
  // The reminder's chime; null plays the program's own sound.
  std::function<void()> playAlert = nullptr;
  // Where db.dat and user.dat are and how whole files are put in place, for
  // File > Back up, Restore and Export; without them those commands do nothing.
  std::optional<DataFiles> dataFiles = std::nullopt;
  IFileReplacer* files = nullptr;
  // Opens db.dat again after a restore (the program's own way of opening it).
  std::function<std::unique_ptr<DatabaseManager>()> openDatabase = nullptr;
  // The work area and the whole area of a monitor (screen coordinates); null
  // asks the system. Tests give the frame a laptop's screen this way.
  std::function<bool(HMONITOR monitor, RECT& work, RECT& whole)> monitorAreas = nullptr;
  // How often the tray position watcher looks at the cursor.
  std::chrono::milliseconds trayWatchInterval{2000};
  // Told each time a dependent is made afresh; tests count them this way.
  std::function<void(FrameDependent)> refreshed = nullptr;
};

// Where the frame's pieces load their menus, pictures and dialogs from.
[[nodiscard]] inline HINSTANCE FrameResources(const FrameContext& context) {
  return context.resources ? context.resources : GetModuleHandleW(nullptr);
}
