#include "env/access_key.h"

char16_t AccessKeyOf(std::u16string_view text) {
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != u'&')
      continue;
    if (text[i + 1] != u'&')
      return text[i + 1];
    ++i; // "&&" is a plain ampersand
  }
  return 0;
}

std::u16string WithoutAccessKey(std::u16string_view text) {
  std::u16string plain;
  plain.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'&') {
      if (i + 1 == text.size())
        break; // a trailing '&' marks nothing
      ++i;
    }
    plain += text[i];
  }
  return plain;
}
