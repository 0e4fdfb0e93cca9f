#include "env/access_key.h"

#include <gtest/gtest.h>

namespace {

TEST(AccessKey, TheLetterAfterTheMarkingAmpersandAndTheTextWithoutIt) {
  struct Case {
    std::u16string_view text;
    char16_t key;
    std::u16string_view plain;
  };
  const Case cases[] = {
      {u"&File", u'F', u"File"},
      {u"N&ext month", u'e', u"Next month"},
      {u"Set menstrual", 0, u"Set menstrual"},
      {u"Salt && &Pepper", u'P',
       u"Salt & Pepper"}, // "&&" is an ampersand, not a mark
      {u"&&&Go", u'G', u"&Go"},
      {u"Rock &&", 0, u"Rock &"},
      {u"Trailing&", 0, u"Trailing"},
      {u"\u041e &\u043f\u0440\u043e\u0433\u0440\u0430\u043c\u043c\u0435",
       u'\u043f',
       u"\u041e \u043f\u0440\u043e\u0433\u0440\u0430\u043c\u043c\u0435"},
      {u"", 0, u""},
  };
  for (const Case &c : cases) {
    EXPECT_EQ(AccessKeyOf(c.text), c.key) << static_cast<int>(c.key);
    EXPECT_EQ(WithoutAccessKey(c.text), c.plain);
  }
}

} // namespace
