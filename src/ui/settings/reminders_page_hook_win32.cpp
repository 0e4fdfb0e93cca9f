#include "ui/settings/reminders_page_hook_win32.h"

#include "ui/reminders/remind_dlg_win32.h"

std::unique_ptr<CSettingsPage> MakeRemindersPage(SettingsContext& context) {
  return std::make_unique<CRemindDialog>(context.options, context.locale,
                                         context.prompts.messageBox ? context.prompts : SystemPrompts(),
                                         context.resources);
}
