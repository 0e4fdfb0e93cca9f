#pragma once

// Texts the main frame puts together: menu item keys by command id, the
// items a goal hides, the tray tooltip, and the addresses of the web pages
// and the support mail. No window code.

#include <array>
#include <string>
#include <string_view>

#include "env/packed_date.h"

class LocaleManager;
class MenstualManager;

// Band titles, in order: File, Navigate, Reports, Help.
inline constexpr std::array<const char16_t *, 4> kBandTitleKeys = {
    u"MENU_FILE", u"MENU_NAVIGATE", u"MENU_REPORTS", u"MENU_HELP"};
// The titles of the four panes, in the order they stand in the bar: goal,
// day, period, legend.
inline constexpr std::array<const char16_t *, 4> kPaneTitleKeys = {
    u"PANE6_TITLE", u"PANE2_TITLE", u"PANE3_TITLE", u"PANE4_TITLE"};

// The translation key of a band or tray menu command, or nullptr.
[[nodiscard]] const char16_t *MenuItemKey(unsigned id);
// Birth and the Chinese lunar calendar plan a child: not offered to a user who
// avoids pregnancy.
[[nodiscard]] bool HiddenForGoal(unsigned id, int goal);

// The longest tooltip the notification area takes, without the terminator.
inline constexpr size_t kTrayTipMax = 127;
// What the tray says of her days today: today's label (or the late line, or
// what stands in for a day her days do not reach), the next period with its
// range when her cycles vary, and whether no period is marked at all.
struct TrayWords {
  std::u16string label;
  std::u16string next;
  bool noPeriod = false;
};
[[nodiscard]] TrayWords TrayWordsFrom(MenstualManager &model,
                                      const LocaleManager &locale,
                                      const PackedDate &today);
// Name and version, today's date, the label and the next period, one per
// line; with no period marked "Tamarel – no period marked yet" and the date.
// When it is too long the version goes first, then the rest is cut to
// kTrayTipMax.
[[nodiscard]] std::u16string TrayTooltip(const LocaleManager &locale,
                                         const PackedDate &today,
                                         const TrayWords &words);
[[nodiscard]] std::u16string TrayTooltip(const LocaleManager &locale,
                                         MenstualManager &model,
                                         const PackedDate &today);
// While the calendar is locked the tooltip names the program only: no date,
// no day class, nothing of anybody's cycle.
[[nodiscard]] std::u16string LockedTrayTooltip(const LocaleManager &locale);
// "Show" and the program's name, with one blank between them.
[[nodiscard]] std::u16string ShowWindowText(const LocaleManager &locale);

// site + "/" + language + "/" + page, with no doubled slash when the site ends
// in one.
[[nodiscard]] std::u16string SitePage(std::u16string_view site,
                                      std::u16string_view language,
                                      std::u16string_view page);
// mailto:<address>?Subject="<app> - support request"
[[nodiscard]] std::u16string FeedbackAddress(std::u16string_view email,
                                             std::u16string_view appName);
