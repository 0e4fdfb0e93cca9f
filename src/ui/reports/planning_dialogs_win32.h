#pragma once

#include <windows.h>

#include "ui/reports/planning_pictures_win32.h"

// Runs the planning dialog of a Reports command (Birth, Horoscope with
// today's date, Chinese Lunar Calendar) modally over owner; false for any
// other command.
bool RunPlanningDialog(UINT command, HWND owner, const PlanningContext& context);
