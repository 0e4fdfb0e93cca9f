#include "env/text_format.h"

#include <vector>

std::u16string FormatText(std::u16string_view format, std::initializer_list<FormatArg> args) {
  const std::vector<FormatArg> list(args);
  size_t next = 0;
  std::u16string out;
  out.reserve(format.size() + 16);
  for (size_t i = 0; i < format.size(); ++i) {
    const char16_t c = format[i];
    if (c != u'%' || i + 1 >= format.size()) {
      out.push_back(c);
      continue;
    }
    const char16_t conversion = format[i + 1];
    if (conversion == u'%') {
      out.push_back(u'%');
      ++i;
    } else if ((conversion == u'd' || conversion == u's') && next < list.size()) {
      const FormatArg& arg = list[next++];
      if (const auto* n = std::get_if<long long>(&arg)) {
        const std::string digits = std::to_string(*n);
        out.append(digits.begin(), digits.end());
      } else {
        out.append(std::get<std::u16string_view>(arg));
      }
      ++i;
    } else {
      out.push_back(c);
    }
  }
  return out;
}
