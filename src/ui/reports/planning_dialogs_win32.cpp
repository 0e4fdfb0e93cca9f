#include "ui/reports/planning_dialogs_win32.h"

#include "resources/resource.h"
#include "ui/reports/birth_dlg_win32.h"
#include "ui/reports/chinese_calendar_dlg_win32.h"
#include "ui/reports/horoscope_dlg_win32.h"

bool RunPlanningDialog(UINT command, HWND owner, const PlanningContext& context) {
  switch (command) {
    case ID_REPORTS_BIRTH: {
      CBirthDlg dialog(context);
      dialog.DoModal(owner);
      return true;
    }
    case ID_REPORTS_HOROSCOPE: {
      CHoroscopeDlg dialog(context, PackedDate());
      dialog.DoModal(owner);
      return true;
    }
    case ID_REPORTS_CHINA_CAL: {
      CChineseLunalCalendarDlg dialog(context);
      dialog.DoModal(owner);
      return true;
    }
    default: return false;
  }
}
