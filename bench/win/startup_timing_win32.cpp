// Start-up to the first painted window, the program against a bare window
// with a tray icon, started in turns in one run: the time from process
// creation until its message loop first waits with nothing to do (the first
// paint is done by then) and its memory at that moment. Prints its figures
// and judges nothing.
//
// The program is measured at rest: the mouse away from its window (over the
// calendar it keeps a window-sized off-screen view for fast hover repaints).
// Two kinds of start are measured: on a day whose update check is done (most
// starts) and with the day's check due (the check's network library loads
// at once). The setting is put back as it was.
//
// Usage: tamarel_startup_timing PROGRAM BARE [ROUNDS]

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

struct Sample {
  double millis = 0;
  double cpuMillis = 0;
  double workingSetMb = 0;
};

double Now() {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// A visible top-level window of the process.
struct Search {
  DWORD pid;
  HWND found;
};
BOOL CALLBACK FindVisible(HWND hwnd, LPARAM lp) {
  auto* s = reinterpret_cast<Search*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == s->pid && IsWindowVisible(hwnd)) {
    s->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

bool StartOnce(const std::wstring& program, Sample& out) {
  std::wstring commandLine = L"\"" + program + L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  const double t0 = Now();
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
    std::fwprintf(stderr, L"cannot start %ls (%lu)\n", program.c_str(), GetLastError());
    return false;
  }
  // The first idle of the message loop comes after the first paint; then
  // the window must be there and visible.
  WaitForInputIdle(pi.hProcess, 20000);
  Search search{pi.dwProcessId, nullptr};
  while (!search.found && Now() - t0 < 20000) {
    EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&search));
    if (!search.found) Sleep(1);
  }
  out.millis = Now() - t0;
  // CPU time stands up to a loaded machine better than the clock does.
  FILETIME created, exited, kernel, user;
  if (GetProcessTimes(pi.hProcess, &created, &exited, &kernel, &user)) {
    const auto ms = [](const FILETIME& f) {
      return static_cast<double>((static_cast<ULONGLONG>(f.dwHighDateTime) << 32) | f.dwLowDateTime) / 1e4;
    };
    out.cpuMillis = ms(kernel) + ms(user);
  }
  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof memory;
  if (GetProcessMemoryInfo(pi.hProcess, &memory, sizeof memory)) {
    out.workingSetMb = static_cast<double>(memory.WorkingSetSize) / (1024.0 * 1024.0);
  }
  // Ended without saving anything: the run must leave no trace.
  TerminateProcess(pi.hProcess, 0);
  WaitForSingleObject(pi.hProcess, 10000);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return search.found != nullptr;
}

constexpr wchar_t kSettingsKey[] = L"Software\\Quillow\\Tamarel";

// lastUpdate as the program keeps it: eight bytes, seconds since 1970, little-endian.
struct SavedLastUpdate {
  bool present = false;
  unsigned char bytes[8] = {};
  DWORD size = sizeof bytes;
  SavedLastUpdate() {
    DWORD type = 0;
    present = RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, L"lastUpdate", RRF_RT_REG_BINARY, &type, bytes, &size) ==
              ERROR_SUCCESS;
  }
  ~SavedLastUpdate() {
    if (present) {
      RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsKey, L"lastUpdate", REG_BINARY, bytes, size);
    } else {
      RegDeleteKeyValueW(HKEY_CURRENT_USER, kSettingsKey, L"lastUpdate");
    }
  }
};

void SetCheckDone(bool done) {
  if (!done) {
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kSettingsKey, L"lastUpdate");
    return;
  }
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  const unsigned long long ticks = (static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
  const unsigned long long seconds = ticks / 10000000ULL - 11644473600ULL;
  unsigned char bytes[8];
  for (int i = 0; i < 8; ++i) bytes[i] = static_cast<unsigned char>(seconds >> (8 * i));
  RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsKey, L"lastUpdate", REG_BINARY, bytes, sizeof bytes);
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fwprintf(stderr, L"usage: %ls PROGRAM BARE [ROUNDS]\n", argv[0]);
    return 2;
  }
  const int rounds = argc > 3 ? std::max(1, _wtoi(argv[3])) : 7;
  const std::wstring programs[2] = {argv[1], argv[2]};
  // The mouse rests in the screen's lower-left corner, away from both windows.
  SetCursorPos(0, GetSystemMetrics(SM_CYSCREEN) - 1);
  const SavedLastUpdate saved;
  for (const bool checkDone : {true, false}) {
    SetCheckDone(checkDone);
    std::vector<double> millis[2], cpu[2], workingSet[2];
    // One start of each first, unmeasured: the file cache warms up for both.
    for (const std::wstring& p : programs) {
      Sample s;
      (void)StartOnce(p, s);
    }
    for (int round = 0; round < rounds; ++round) {
      for (int k = 0; k < 2; ++k) {
        Sample s;
        if (!StartOnce(programs[k], s)) return 1;
        millis[k].push_back(s.millis);
        cpu[k].push_back(s.cpuMillis);
        workingSet[k].push_back(s.workingSetMb);
      }
    }
    const wchar_t* names[2] = {L"program", L"bare window with tray icon"};
    std::wprintf(L"%ls: %d starts each, in turns, median\n",
                 checkDone ? L"update check done today" : L"update check due at start", rounds);
    for (int k = 0; k < 2; ++k) {
      std::wprintf(L"  %-28ls %8.1f ms to first painted window (%6.1f ms CPU), %6.1f MB working set\n", names[k],
                   Median(millis[k]), Median(cpu[k]), Median(workingSet[k]));
    }
    std::wprintf(L"  program / bare: %.2fx time, %.2fx CPU, %+.1f MB working set\n",
                 Median(millis[0]) / Median(millis[1]), Median(cpu[0]) / Median(cpu[1]),
                 Median(workingSet[0]) - Median(workingSet[1]));
  }
  return 0;
}
