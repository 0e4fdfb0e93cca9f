#include "ui/desktop/wallpaper_path.h"

namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f'; }

char16_t Lower(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; }

bool EqualNoCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

}  // namespace

std::u16string ResolveWallpaperPath(std::u16string_view stored, const EnvironmentLookup& env) {
  size_t first = 0;
  size_t last = stored.size();
  while (first < last && IsBlank(stored[first])) ++first;
  while (last > first && IsBlank(stored[last - 1])) --last;
  std::u16string path(stored.substr(first, last - first));
  const size_t percent = path.rfind(u'%');
  if (percent == std::u16string::npos || percent == 0 || !env) return path;
  // "%Name%rest": the name between the first character and the last "%".
  const std::u16string name = path.substr(1, percent - 1);
  if (name.empty()) return path;
  if (const std::optional<std::u16string> value = env(name)) {
    std::u16string rest = path.substr(percent + 1);
    // "%SystemRoot%\Web\x.jpg" keeps a single backslash between the parts.
    if (!rest.empty() && rest.front() == u'\\') rest.erase(0, 1);
    return *value + u"\\" + rest;
  }
  return path;
}

std::u16string_view WallpaperFileName(std::u16string_view path) {
  const size_t slash = path.rfind(u'\\');
  return slash == std::u16string_view::npos ? path : path.substr(slash + 1);
}

bool IsCalendarPicture(std::u16string_view path) {
  const std::u16string_view name = WallpaperFileName(path);
  return EqualNoCase(name, u"Desk_Cal") || EqualNoCase(name, u"Desk_Cal.bmp");
}

DesktopPlan PlanDesktopUpdate(bool showCalendar, std::u16string_view current,
                              const std::optional<std::u16string>& recorded) {
  DesktopPlan plan;
  const bool calendarShown = IsCalendarPicture(current);
  if (!calendarShown) {
    plan.record = std::u16string(current);
    plan.background = std::u16string(current);
  } else if (recorded) {
    plan.background = *recorded;
    plan.abandonWithoutBackground = !recorded->empty();
  }
  if (showCalendar) {
    plan.install = DesktopPlan::Install::kCalendar;
  } else if (calendarShown && recorded) {
    plan.install = DesktopPlan::Install::kRecorded;
    plan.recorded = *recorded;
  }
  return plan;
}
