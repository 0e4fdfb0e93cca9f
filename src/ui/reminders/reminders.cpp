#include "ui/reminders/reminders.h"

#include "env/locale_manager.h"
#include "env/text_format.h"
#include "model/day_class.h"
#include "model/day_words.h"
#include "model/menstual_manager.h"
#include "settings/options_manager.h"

namespace {

// How the two kinds of message slide: the menstruation text in and out at
// the fastest rate and 3 seconds on screen, the pill half a second each way
// and 7 seconds on screen.
constexpr int kMenstruationShowMs = 0, kMenstruationStayMs = 3000,
              kMenstruationHideMs = 0;
constexpr int kPillShowMs = 500, kPillStayMs = 7000, kPillHideMs = 500;

bool IsFlowClass(int dayClass) { return dayClass >= 0 && dayClass <= 5; }

} // namespace

bool ReminderLog::Shown(ReminderKind kind, int user,
                        const PackedDate &day) const {
  const auto it = last_.find({kind, user});
  return it != last_.end() && it->second == day;
}

void ReminderLog::MarkShown(ReminderKind kind, int user,
                            const PackedDate &day) {
  last_[{kind, user}] = day;
}

std::u16string MenstruationText(bool forced, const ReminderSettings &settings,
                                const PackedDate &today,
                                const ReminderDays &days,
                                const LocaleManager &locale) {
  std::u16string text;
  if ((settings.menstruation || forced) && settings.days > 0) {
    // A late period is told once a day, not counted towards a date that has
    // passed.
    if (days.late)
      text = days.late();
    for (int i = 0; text.empty() && i < settings.days; ++i) {
      const int dayClass = days.dayClass(AddDays(today, i));
      if (!IsFlowClass(dayClass))
        continue;
      if (i == 0) {
        // Flow she has marked needs no reminder; predicted flow is expected
        // today.
        if (dayClass >= PrognosisFirstDay)
          text = locale.Translate(u"PERIOD_TODAY");
      } else if (i == 1) {
        // "1 days left" reads wrong in every language: tomorrow is a day.
        text = locale.Translate(u"PERIOD_TOMORROW");
      } else {
        text = FormatText(locale.Translate(u"LEFT_DAYS"),
                          {static_cast<long long>(i)});
      }
      if (!text.empty() && dayClass >= PrognosisFirstDay && days.range) {
        const std::u16string range = days.range();
        if (!range.empty())
          text += u"\n" + range;
      }
      break;
    }
  }
  if (settings.other || forced) {
    const std::u16string tip = days.tip();
    if (!text.empty() && !tip.empty()) {
      text.push_back(u'\n');
      text.append(locale.Translate(u"TIP"));
      text.push_back(u' ');
    }
    text += tip;
  }
  return text;
}

std::optional<ReminderMessage>
CheckReminders(bool forced, const ReminderSettings &settings,
               const PackedDate &today, int nowMinute, const ReminderDays &days,
               int user, ReminderLog &log, const LocaleManager &locale) {
  if (forced || !log.Shown(ReminderKind::kMenstruation, user, today)) {
    std::u16string text =
        MenstruationText(forced, settings, today, days, locale);
    if (!text.empty()) {
      log.MarkShown(ReminderKind::kMenstruation, user, today);
      const ReminderPopup popup = text.size() > kSmallPopupMaxChars
                                      ? ReminderPopup::kLarge
                                      : ReminderPopup::kSmall;
      return ReminderMessage{std::move(text),     popup,
                             kMenstruationShowMs, kMenstruationStayMs,
                             kMenstruationHideMs, !forced};
    }
  }
  if (log.Shown(ReminderKind::kPill, user, today))
    return std::nullopt;
  if (!settings.pill || days.pillTaken())
    return std::nullopt;
  // From the pill time until midnight.
  if (nowMinute / 60 < settings.pillMinuteOfDay / 60)
    return std::nullopt;
  if (nowMinute / 60 == settings.pillMinuteOfDay / 60 &&
      nowMinute % 60 < settings.pillMinuteOfDay % 60) {
    return std::nullopt;
  }
  log.MarkShown(ReminderKind::kPill, user, today);
  return ReminderMessage{locale.Translate(u"TIMEPILL"),
                         ReminderPopup::kSmall,
                         kPillShowMs,
                         kPillStayMs,
                         kPillHideMs,
                         !forced};
}

std::optional<int> ParseReminderDays(std::u16string_view text) {
  while (!text.empty() && (text.front() == u' ' || text.front() == u'\t'))
    text.remove_prefix(1);
  while (!text.empty() && (text.back() == u' ' || text.back() == u'\t'))
    text.remove_suffix(1);
  if (text.empty() || text.size() > 9)
    return std::nullopt;
  size_t i = 0;
  bool negative = false;
  if (text[0] == u'+' || text[0] == u'-') {
    negative = text[0] == u'-';
    i = 1;
  }
  if (i == text.size())
    return std::nullopt;
  int value = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < u'0' || text[i] > u'9')
      return std::nullopt;
    value = value * 10 + (text[i] - u'0');
  }
  if (negative)
    value = -value;
  if (value < kMinReminderDays || value > kMaxReminderDays)
    return std::nullopt;
  return value;
}

ReminderSettings
ReminderSettingsFrom(const OptionsManager &options,
                     const std::function<int(int64_t)> &pillMinute) {
  ReminderSettings s;
  s.menstruation = options.rmenstruation;
  s.days = options.rsinse;
  s.pill = options.rpill;
  s.pillMinuteOfDay = pillMinute(options.rpill_time);
  s.other = options.rother;
  return s;
}

ReminderDays ReminderDaysFrom(MenstualManager &model, const PackedDate &today) {
  ReminderDays days;
  days.dayClass = [&model](const PackedDate &d) {
    return model.GetDayClass(d);
  };
  days.tip = [&model, today] { return model.GetTip(today, -1); };
  days.late = [&model] {
    const int late = model.DaysLate();
    return late == 0
               ? std::u16string()
               : NextLateLine(model.Locale(), late, model.ExpectedStart());
  };
  days.range = [&model] {
    const auto range = model.NextStartRange();
    return range ? RangeLine(model.Locale(), model.ExpectedStart(), *range)
                 : std::u16string();
  };
  days.pillTaken = [&model, today] {
    const std::unique_ptr<Day> day = model.GetDay(today);
    return day && day->pill;
  };
  return days;
}
