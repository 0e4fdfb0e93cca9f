#include "app/tamarel_app_win32.h"

#include "app/instances_win32.h"

#include <commctrl.h>

#include "app/command_line.h"
#include "ui/login/login_dlg_win32.h"
#include "accounts/logon_manager.h"
#include "settings/options_manager.h"
#include "settings/system_locale_win32.h"
#include "env/debug_log_win32.h"
#include "env/locale_manager.h"
#include "env/platform_win32.h"
#include "update/update_thread_win32.h"
#include "env/wide_win32.h"
#include "model/menstual_manager.h"
#include "ui/frame/data_commands_win32.h"
#include "ui/frame/main_frame_win32.h"

CTamarelApp::CTamarelApp() = default;

CTamarelApp::~CTamarelApp() = default;

bool CTamarelApp::InitInstance(const wchar_t* commandLine) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_STANDARD_CLASSES};
  if (!InitCommonControlsEx(&icc)) LogMessage(L"InitCommonControlsEx failed");
  // The rich-edit library is loaded by the one dialog that shows a rich-edit
  // control (the horoscope), when it opens: loaded here it would cost every
  // start half a megabyte for a window most starts never show.

  // One copy per Windows user: the first creates the mutex; a later one only
  // wakes the first and ends before making anything of its own.
  mutex_.Reset(CreateMutexW(nullptr, FALSE, kMutexName));
  lastError_ = GetLastError();
  if (!mutex_) LogError(L"CreateMutexW", lastError_);
  if (lastError_ == ERROR_ALREADY_EXISTS) {
    UniqueKernelHandle event(OpenEventW(EVENT_MODIFY_STATE, FALSE, kWakeEventName));
    if (event) {
      // This copy was started by the user and may hand the foreground on;
      // without this Windows may refuse the running copy's SetForegroundWindow.
      AllowSetForegroundWindow(ASFW_ANY);
      if (!SetEvent(event.Get())) LogLastError(L"SetEvent");
    } else {
      LogLastError(L"OpenEventW");  // the first copy is just ending
    }
    return false;
  }

  wakeEvent_.Reset(CreateEventW(nullptr, FALSE, FALSE, kWakeEventName));
  if (wakeEvent_) {
    stop_ = false;
    watcher_.Reset(CreateThread(nullptr, 0, &CTamarelApp::WakeWatcher, this, 0, nullptr));
    if (!watcher_) LogLastError(L"CreateThread");
  } else {
    LogLastError(L"CreateEventW");
  }

  OptionsManager& options = instances::Options();
  options.Load();  // also selects the language
  MenstualManager& model = instances::Menstual();  // creates the data folders and opens db.dat
  LogonManager& logon = instances::Logon();       // reads user.dat
  const IAnsiCodec& codec = instances::AnsiCodec();

  // Started by Windows at log-on ("-m" from the Run entry): stay in the
  // background. Only an argument counts, never the program's own path.
  const bool hidden = options.autoLoad && commandLine && HasHiddenStartSwitch(FromWide(commandLine));

  // With logins on, nobody's calendar shows before a login: a start with a
  // window asks first, whatever autoLoad says; a hidden start asks at the
  // first restore. Whatever the dialog's result, the program runs on (after
  // Cancel locked, with nobody's days on screen).
  const bool askNow = options.userLogins && !hidden;
  // F1 in any window opens its topic of the help file beside it.
  help_ = std::make_unique<HelpViewerScope>(HelpViewer{[](HWND owner, DWORD topic) {
    return ShowHtmlHelpTopic(owner, (ExecutableFolder() / L"tamarel_help.chm").wstring(), topic);
  }, nullptr});
  FrameContext context{options, instances::Locale(), model, model.Clock()};
  context.logon = &logon;
  context.codec = &codec;
  session_ = &instances::Session();
  context.session = session_;
  context.desktop = &instances::Desktop();
  context.dataFiles = instances::ProgramDataFiles();
  context.files = &instances::FileReplacer();
  context.openDatabase = [] { return instances::OpenDayDatabase(); };
  context.setLanguage = [](std::u16string_view name) { instances::Locale().SetLanguage(name); };

  if (askNow) {
    // Before the window exists File > Back up is reached through the same
    // commands, for the backup offered before her days are encrypted.
    DataCommands data(context, nullptr);
    CLoginDlg login(logon, instances::Locale(), codec, context.prompts);
    login.SetModel(&model);
    login.SetSession(context.session, [&data](HWND owner) { return data.BackUp(owner); });
    if (login.DoModal(nullptr) == IDOK) model.Reload();
  }
  frame_ = std::make_unique<CMainFrame>(std::move(context));
  if (askNow) frame_->LoginAskedAtStart();
  if (!frame_->CreateFrame()) return false;
  mainWindow_ = frame_->Hwnd();

  // The check runs beside the window and hands what it finds to it.
  if (!options.disableUpdates) {
    updateThread_ = std::make_unique<UpdateThread>(frame_->Hwnd(), instances::Locale(), codec, model.Clock(),
                                                   options.lastUpdate);
    if (!updateThread_->Start()) updateThread_.reset();
  }

  if (!hidden) {
    ShowWindow(frame_->Hwnd(), SW_SHOWNORMAL);
    UpdateWindow(frame_->Hwnd());
  }
  // The desktop shows this month's calendar (or, after a start that
  // followed a crash with the calendar now off, the user's wallpaper again).
  instances::Desktop().Update(frame_->Hwnd());
  return true;
}

int CTamarelApp::Run() {
  exitCode_ = loop_.Run();
  return exitCode_;
}

int CTamarelApp::ExitInstance() {
  mainWindow_ = nullptr;
  // Never waits on the network for more than a second.
  if (updateThread_) updateThread_->Stop();
  // A frame still alive (the loop ended some other way) is destroyed while
  // the object is whole, so that it stores its rectangle and saves.
  if (frame_ && frame_->Hwnd()) DestroyWindow(frame_->Hwnd());
  frame_.reset();
  // Her key and her days in the clear do not wait for the process to end.
  if (session_) session_->Close();
  stop_ = true;
  // Wake the watcher so it sees the stop flag and ends; waiting is bounded in
  // case it is stuck in a send to a window that no longer answers.
  if (watcher_) {
    if (wakeEvent_) SetEvent(wakeEvent_.Get());
    if (WaitForSingleObject(watcher_.Get(), 1000) != WAIT_OBJECT_0) LogMessage(L"wake watcher did not stop");
  }
  mutex_.Reset();
  return exitCode_;
}

DWORD WINAPI CTamarelApp::WakeWatcher(void* self) noexcept {
  static_cast<CTamarelApp*>(self)->WatchForWake();
  return 0;
}

// A second start of the program sets the event; the running copy reacts as
// to a click on its tray icon. The send is synchronous, so one wake is
// handled before the next wait.
void CTamarelApp::WatchForWake() {
  while (!stop_) {
    if (WaitForSingleObject(wakeEvent_.Get(), INFINITE) != WAIT_OBJECT_0) {
      LogLastError(L"WaitForSingleObject(wake event)");
      return;
    }
    if (stop_) return;
    if (const HWND window = mainWindow_) SendMessageW(window, CMainFrame::kTrayMessage, 0, WM_LBUTTONDOWN);
  }
}
