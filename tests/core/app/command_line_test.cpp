#include "app/command_line.h"

#include <gtest/gtest.h>

namespace {

TEST(CommandLine, OnlyAnArgumentOfItsOwnStartsHidden) {
  struct Case {
    const char16_t* line;
    bool hidden;
  };
  const Case cases[] = {
      {u"\"C:\\Program Files\\Tamarel\\tamarel.exe\" -m", true},
      {u"C:\\Tamarel\\tamarel.exe -m", true},
      {u"tamarel.exe\t-m", true},
      {u"tamarel.exe -x -m", true},
      // The program path is not an argument, however it is written.
      {u"\"C:\\Users\\anna-maria\\Tamarel\\tamarel.exe\"", false},
      {u"C:\\Users\\anna-maria\\tamarel.exe", false},
      {u"C:\\Tamarel\\tamarel-m.exe", false},
      {u"\"C:\\x -m\\tamarel.exe\"", false},
      // Only the switch itself counts.
      {u"tamarel.exe -mx", false},
      {u"tamarel.exe --m", false},
      {u"tamarel.exe \"-m\"", true},
      {u"tamarel.exe \"a -m\"", false},
      {u"tamarel.exe", false},
      {u"", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(HasHiddenStartSwitch(c.line), c.hidden) << std::string(c.line, c.line + std::char_traits<char16_t>::length(c.line));
  }
}

TEST(CommandLine, ArgumentsSplitAsTheRuntimeSplitsThem) {
  using V = std::vector<std::u16string>;
  EXPECT_EQ(CommandLineArguments(u"\"C:\\a b\\t.exe\"  one \"two three\"\tfour"), (V{u"one", u"two three", u"four"}));
  EXPECT_EQ(CommandLineArguments(u"t.exe a\\\\\"b c\" d"), (V{u"a\\b c", u"d"}));
  EXPECT_EQ(CommandLineArguments(u"t.exe a\\\"b"), (V{u"a\"b"}));
  EXPECT_EQ(CommandLineArguments(u"t.exe a\\b \"\""), (V{u"a\\b", u""}));
  EXPECT_EQ(CommandLineArguments(u"\"unterminated path"), V{});
}

}  // namespace
