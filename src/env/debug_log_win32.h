#pragma once

// Failures the user is never told about still leave a trace: a line on the
// debugger output (DebugView, or WINEDEBUG=+debugstr under Wine).

#include <windows.h>

// "Tamarel: <what> failed, error <code>".
void LogError(const wchar_t* what, DWORD error);
// The same with GetLastError().
void LogLastError(const wchar_t* what);
// A free-form line.
void LogMessage(const wchar_t* text);
