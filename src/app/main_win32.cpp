// The program's entry point.

#include <windows.h>

#include "app/tamarel_app_win32.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  CTamarelApp app;
  // The full command line, program path first; start-up skips the path.
  if (app.InitInstance(GetCommandLineW())) app.Run();
  return app.ExitInstance();
}
