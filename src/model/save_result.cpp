#include "model/save_result.h"

#include "env/locale_manager.h"
#include "env/text_format.h"
#include "settings/options_manager.h"

std::u16string SaveResultMessage(SaveResult result, const LocaleManager& locale) {
  switch (result) {
    case SaveResult::kDone: return {};
    case SaveResult::kRefused:
      return FormatText(locale.Translate(u"ERROR_CANT_SET_DAY1"), {static_cast<long long>(OptionsManager::minPeriodLen)}) +
             u"\r\n" + locale.Translate(u"ERROR_CANT_SET_DAY2");
    case SaveResult::kFull: return locale.Translate(u"ERROR_DB_FULL");
    case SaveResult::kNoFile: return locale.Translate(u"ERROR_DB_NO_FILE");
    case SaveResult::kWriteFailed: break;
  }
  return locale.Translate(u"ERROR_DB_WRITE");
}
