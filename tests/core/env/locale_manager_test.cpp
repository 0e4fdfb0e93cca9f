#include "env/locale_manager.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <string>
#include <thread>

namespace {

namespace fs = std::filesystem;
using Table = std::map<std::u16string, std::u16string>;

// UTF-16LE bytes of text, after the byte-order mark unless told otherwise.
std::string Utf16Le(std::u16string_view text, bool withMark = true) {
  std::string bytes = withMark ? std::string("\xFF\xFE", 2) : std::string();
  for (char16_t c : text) {
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>(c >> 8));
  }
  return bytes;
}

class LocaleManagerTest : public ::testing::Test {
protected:
  void SetUp() override {
    std::error_code ec;
    const std::string unique =
        std::string("tamarel-locale-") +
        ::testing::UnitTest::GetInstance()->current_test_info()->name() + "-" +
        std::to_string(std::random_device{}());
    folder_ = fs::temp_directory_path(ec) / unique;
    ASSERT_FALSE(ec);
    ASSERT_TRUE(fs::create_directories(folder_, ec)) << folder_;
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(folder_, ec);
  }

  void WriteBytes(const fs::path &relative, const std::string &bytes) {
    const fs::path path = folder_ / relative;
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << path;
  }
  void WriteLan(const std::string &base, std::u16string_view text) {
    WriteBytes(base + ".lan", Utf16Le(text));
  }

  fs::path folder_;
  Latin1Codec codec_;
};

TEST(ParseLanguageFile, EntriesAndTheirEdges) {
  struct Case {
    const char *what;
    std::string bytes;
    Table expected;
  };
  const Case cases[] = {
      {"CR LF entries",
       Utf16Le(u"A=1\r\nB=2\r\n"),
       {{u"A", u"1"}, {u"B", u"2"}}},
      {"a text may hold further =",
       Utf16Le(u"FOO=A=B\r\n"),
       {{u"FOO", u"A=B"}}},
      {"blanks around = belong to key and text",
       Utf16Le(u"FOO = bar\r\n"),
       {{u"FOO ", u" bar"}}},
      {"empty text is kept as empty", Utf16Le(u"A=\r\n"), {{u"A", u""}}},
      {"a later key replaces an earlier one",
       Utf16Le(u"A=1\r\nB=2\r\nA=3\r\n"),
       {{u"A", u"3"}, {u"B", u"2"}}},
      {"last entry without line end is dropped",
       Utf16Le(u"A=1\r\nB=2"),
       {{u"A", u"1"}}},
      {"LF-only line ends give no entry", Utf16Le(u"A=1\nB=2\n"), {}},
      {"without the mark the first character is lost",
       Utf16Le(u"FOO=x\r\n", false),
       {{u"OO", u"x"}}},
      {"only the mark", "\xFF\xFE", {}},
      {"empty file", "", {}},
      {"a single byte", "\xFF", {}},
      {"blank lines and indentation before a key",
       Utf16Le(u"A=1\r\n\r\n \t\r\n  B=2\r\n"),
       {{u"A", u"1"}, {u"B", u"2"}}},
      {"a line without = runs into the next key",
       Utf16Le(u"JUNK\r\nFOO=bar\r\nBAZ=q\r\n"),
       {{u"JUNK\r\nFOO", u"bar"}, {u"BAZ", u"q"}}},
      {"no further = ends the file",
       Utf16Le(u"A=1\r\nno equals here\r\n"),
       {{u"A", u"1"}}},
      {"a lone CR ends the text",
       Utf16Le(u"A=x\ry=z\r\n"),
       {{u"A", u"x"}, {u"y", u"z"}}},
      {"an odd last byte is not half of a CR",
       Utf16Le(u"A=1\r\nB=2") + "\r",
       {{u"A", u"1"}}},
      // U+0D3D and U+0A0D have "=" and CR as their low bytes.
      {"whole code units are compared, not bytes",
       Utf16Le(u"K\u0D3D=x\u0A0Dy\r\n"),
       {{u"K\u0D3D", u"x\u0A0Dy"}}},
      {"text outside Latin-1",
       Utf16Le(u"APP_LANGUAGE=Русский\r\n"),
       {{u"APP_LANGUAGE", u"Русский"}}},
  };
  for (const Case &c : cases) {
    EXPECT_EQ(LocaleManager::ParseLanguageFile(c.bytes), c.expected) << c.what;
  }
}

TEST(ParseLanguageFile, OverlongKeysAndTextsKeepTheirBeginning) {
  const std::u16string longKey(5000, u'K');
  const std::u16string longText(5000, u't');
  // A pair that would straddle the limit is left out whole, not cut in half.
  const std::u16string pairAtLimit = std::u16string(4094, u'a') + u"\U0001F600";
  const Table table = LocaleManager::ParseLanguageFile(
      Utf16Le(longKey + u"=" + longText + u"\r\nP=" + pairAtLimit +
              u"\r\nNEXT=ok\r\n"));

  ASSERT_EQ(table.size(), 3u);
  const auto first = table.find(longKey.substr(0, 4095));
  ASSERT_NE(first, table.end());
  EXPECT_EQ(first->second, longText.substr(0, 4095));
  EXPECT_EQ(table.at(u"P"), std::u16string(4094, u'a'));
  EXPECT_EQ(table.at(u"NEXT"), u"ok");
}

TEST_F(LocaleManagerTest, TranslatePrefersFileTextThenBuiltInThenUnknown) {
  WriteLan("en", u"APP_LANGUAGE=English\r\nMENU_FILE=&Datei\r\nTIP1=\r\nERROR "
                 u"= Fehler\r\nONLY_HERE=here\r\n");
  const LocaleManager locale(folder_, codec_);

  EXPECT_EQ(locale.Translate(u"MENU_FILE"), u"&Datei");
  EXPECT_EQ(locale.Translate(u"ONLY_HERE"), u"here");
  EXPECT_EQ(locale.Translate(u"TIP1"),
            u"Your chances of becoming pregnant are good")
      << "empty text counts as absent";
  EXPECT_EQ(locale.Translate(u"ERROR"), u"Error")
      << "the file's key ends in a blank";
  EXPECT_EQ(locale.Translate(u"ERROR "), u" Fehler");
  EXPECT_EQ(locale.Translate(u"MSG_BADLOGIN"), u"Please enter a login name.");
  EXPECT_EQ(locale.Translate(u"NO_SUCH_KEY"), u"Unknown");
  EXPECT_EQ(locale.Translate(u"menu_file"), u"Unknown")
      << "keys are case-sensitive";
  EXPECT_EQ(locale.Translate(u""), u"Unknown");
}

TEST_F(LocaleManagerTest,
       WithoutLanguageFilesEnglishIsListedAndBuiltInTextsShow) {
  WriteBytes("readme.txt", "not a language");
  const LocaleManager empty(folder_, codec_);
  const LocaleManager missing(folder_ / "no-such-folder", codec_);
  for (const LocaleManager *locale : {&empty, &missing}) {
    EXPECT_EQ(locale->Languages(), (Table{{u"en", u"English"}}));
    EXPECT_EQ(locale->GetLanguageName(), "en");
    EXPECT_EQ(locale->Translate(u"MENU_FILE"), u"&File");
  }
}

TEST_F(LocaleManagerTest,
       ListsEveryLanguageFileUnderItsDisplayNameAndStartsInEnglish) {
  WriteLan("de", u"APP_LANGUAGE=Deutsch\r\nMENU_FILE=&Datei\r\n");
  WriteLan("en", u"APP_LANGUAGE=English (UK)\r\nMENU_FILE=&File here\r\n");
  WriteLan("ru", u"APP_LANGUAGE=Русский\r\n");
  WriteLan("fr", u"MENU_FILE=&Fichier\r\n"); // no APP_LANGUAGE: listed under
                                             // the built-in name
  WriteLan(std::string(31, 'x'), u"APP_LANGUAGE=Long\r\n");
  WriteLan(std::string(32, 'y'), u"APP_LANGUAGE=Too long\r\n");
  WriteBytes("folder.lan/inside.txt", "a folder, not a file");
  WriteBytes("de.lan.bak", Utf16Le(u"APP_LANGUAGE=Backup\r\n"));

  const LocaleManager locale(folder_, codec_);

  const Table expected{{u"de", u"Deutsch"},
                       {u"en", u"English (UK)"},
                       {u"fr", u"English"},
                       {u"ru", u"Русский"},
                       {std::u16string(31, u'x'), u"Long"}};
  EXPECT_EQ(locale.Languages(), expected);
  EXPECT_EQ(locale.GetLanguageName(), "en");
  EXPECT_EQ(locale.Translate(u"MENU_FILE"), u"&File here");
}

TEST_F(LocaleManagerTest, SetLanguageTakesDisplayOrBaseNameExactly) {
  WriteLan("de", u"APP_LANGUAGE=Deutsch\r\nMENU_FILE=&Datei\r\n");
  WriteLan("en", u"APP_LANGUAGE=English\r\nMENU_FILE=&File\r\n");
  WriteLan("zz", u"APP_LANGUAGE=Zulu\r\nMENU_FILE=&Zz\r\n");
  LocaleManager locale(folder_, codec_);

  struct Case {
    std::u16string name;
    const char *language;
    std::u16string menuFile;
  };
  const Case cases[] = {
      {u"Deutsch", "de", u"&Datei"}, {u"de", "de", u"&Datei"},
      {u"Zulu", "zz", u"&Zz"},       {u"zz", "zz", u"&Zz"},
      {u"deutsch", "en", u"&File"},  {u"DE", "en", u"&File"},
      {u"Klingon", "en", u"&File"},  {u"", "en", u"&File"},
  };
  for (const Case &c : cases) {
    locale.SetLanguageName("en");
    locale.SetLanguage(c.name);
    EXPECT_EQ(locale.GetLanguageName(), c.language) << ToUtf8(c.name);
    EXPECT_EQ(locale.Translate(u"MENU_FILE"), c.menuFile) << ToUtf8(c.name);
  }
}

TEST_F(LocaleManagerTest, UnknownLanguageKeepsThePreviousOneAndRereadsIt) {
  WriteLan("de", u"APP_LANGUAGE=Deutsch\r\nMENU_FILE=&Datei\r\n");
  WriteLan("en", u"APP_LANGUAGE=English\r\n");
  LocaleManager locale(folder_, codec_);
  locale.SetLanguage(u"Deutsch");

  WriteLan("de", u"APP_LANGUAGE=Deutsch\r\nMENU_FILE=&Neue Datei\r\n");
  locale.SetLanguage(u"Klingon");

  EXPECT_EQ(locale.GetLanguageName(), "de");
  EXPECT_EQ(locale.Translate(u"MENU_FILE"), u"&Neue Datei");
}

// Trying languages on the way to a match must not leave one of them in force
// when the language that stays current has no readable file.
TEST_F(LocaleManagerTest, LanguageWithoutReadableFileKeepsItsOwnTexts) {
  WriteLan("de", u"APP_LANGUAGE=Deutsch\r\nMENU_FILE=&Datei\r\n");
  WriteLan("ru", u"APP_LANGUAGE=Русский\r\nMENU_FILE=&Файл\r\n");
  LocaleManager locale(folder_, codec_); // no en.lan
  EXPECT_EQ(locale.GetLanguageName(), "en");
  EXPECT_EQ(locale.Translate(u"MENU_FILE"), u"&File");

  locale.SetLanguage(u"Klingon");
  EXPECT_EQ(locale.GetLanguageName(), "en");
  EXPECT_EQ(locale.Translate(u"MENU_FILE"), u"&File");

  locale.SetLanguage(u"Deutsch");
  locale.SetLanguageName("missing"); // German texts stay in force
  locale.SetLanguage(u"Klingon");
  EXPECT_EQ(locale.GetLanguageName(), "missing");
  EXPECT_EQ(locale.Translate(u"MENU_FILE"), u"&Datei");
}

TEST_F(LocaleManagerTest, LanguageFileAddedAfterStartLoadsOnlyByBaseName) {
  LocaleManager locale(folder_, codec_);
  WriteLan("it", u"APP_LANGUAGE=Italiano\r\nMENU_FILE=&Archivio\r\n");

  locale.SetLanguage(u"Italiano");
  EXPECT_EQ(locale.GetLanguageName(), "en")
      << "the list is built once, at start";
  EXPECT_EQ(locale.Translate(u"MENU_FILE"), u"&File");

  locale.SetLanguageName("it");
  EXPECT_EQ(locale.GetLanguageName(), "it");
  EXPECT_EQ(locale.Translate(u"MENU_FILE"), u"&Archivio");
  EXPECT_EQ(locale.Languages().count(u"it"), 0u);
}

TEST_F(LocaleManagerTest, LoadingReplacesTheTableOnlyWhenTheFileIsRead) {
  WriteLan("de", u"APP_LANGUAGE=Deutsch\r\nMENU_FILE=&Datei\r\n");
  WriteBytes("mark-only.lan", "\xFF\xFE");
  WriteBytes("zero.lan", "");
  WriteBytes("lf-only.lan", Utf16Le(u"MENU_FILE=&Lf\n"));
  WriteBytes("folder.lan/inside.txt", "a folder cannot be read as a language");
  LocaleManager locale(folder_, codec_);

  struct Case {
    const char *base;
    std::u16string menuFile; // after loading "de" and then base
  };
  const Case cases[] = {
      {"missing", u"&Datei"},
      {"folder", u"&Datei"}, // cannot be read: German stays
      {"mark-only", u"&File"},
      {"zero", u"&File"},
      {"lf-only", u"&File"}, // read: table emptied
  };
  for (const Case &c : cases) {
    locale.SetLanguageName("de");
    ASSERT_EQ(locale.Translate(u"MENU_FILE"), u"&Datei");
    locale.SetLanguageName(c.base);
    EXPECT_EQ(locale.GetLanguageName(), c.base);
    EXPECT_EQ(locale.Translate(u"MENU_FILE"), c.menuFile) << c.base;
  }
}

TEST_F(LocaleManagerTest, BaseNamesNeverReachOutsideTheProgramFolder) {
  const fs::path program = folder_ / "program";
  WriteLan("program/en", u"APP_LANGUAGE=English\r\n");
  WriteLan("up", u"MENU_FILE=&Up\r\n");
  WriteLan("program/sub/x", u"MENU_FILE=&Sub\r\n");
  WriteLan("program/" + std::string(31, 'a'), u"MENU_FILE=&Long\r\n");
  WriteLan("program/" + std::string(32, 'b'), u"MENU_FILE=&Too long\r\n");
  LocaleManager locale(program, codec_);

  struct Case {
    std::string base;
    bool accepted;
    std::u16string menuFile;
  };
  const Case cases[] = {
      {"../up", false, u"&File"},
      {"..\\up", false, u"&File"},
      {"sub/x", false, u"&File"},
      {"c:x", false, u"&File"},
      {std::string(32, 'b'), false, u"&File"},
      {std::string(31, 'a'), true, u"&Long"},
  };
  for (const Case &c : cases) {
    locale.SetLanguageName("en");
    locale.SetLanguageName(c.base);
    EXPECT_EQ(locale.GetLanguageName(), c.accepted ? c.base : "en") << c.base;
    EXPECT_EQ(locale.Translate(u"MENU_FILE"), c.menuFile) << c.base;
  }
}

TEST_F(LocaleManagerTest,
       LocalizedTextComesFromTheLanguagesFolderOrElseEnglish) {
  WriteBytes("en/Aries.txt", "Bold and quick\xE9");
  WriteBytes("en/Leo.txt", "English Leo");
  WriteBytes("ru/Aries.txt", "Russian text");
  WriteBytes("ru/Taurus.txt", "Only in Russian");
  WriteBytes("de/Aries.txt",
             "\xEF\xBB\xBF"
             "Mutig und schnell \xC3\xA4"); // UTF-8 with its mark
  WriteBytes("de/Big.txt",
             std::string(LocaleManager::kMaxLocalizedBytes + 1, 'x'));
  WriteBytes("en/Big.txt", "English big");
  LocaleManager locale(folder_, codec_);

  struct Case {
    const char *language;
    std::u16string name;
    std::u16string text;
  };
  const Case cases[] = {
      {"en", u"Aries",
       u"Bold and quick\u00E9"}, // no mark: converted from the ANSI code page
      {"ru", u"Aries", u"Russian text"},
      {"de", u"Aries", u"Mutig und schnell \u00E4"},
      {"de", u"Leo", u"English Leo"}, // the language's folder lacks the file
      {"fr", u"Aries", u"Bold and quick\u00E9"}, // no folder of its own
      {"rus", u"Aries", u"Bold and quick\u00E9"},
      {"de", u"Big", u""},         // too large: empty, not the English file
      {"en", u"Taurus", u""},      // missing everywhere
      {"ru", u"../en/Aries", u""}, // a name is a file name, not a path
      {"ru", u"..\\en\\Aries", u""},
  };
  for (const Case &c : cases) {
    locale.SetLanguageName(c.language);
    EXPECT_EQ(locale.ReadLocalizedText(c.name), c.text)
        << c.language << " " << ToUtf8(c.name);
  }
}

TEST(LocalizedTextDecoding, MarkedTextIsUtf8AndUnmarkedTextIsAnsi) {
  const Latin1Codec codec;
  struct Case {
    std::string bytes;
    std::u16string text;
  };
  const Case cases[] = {
      {"", u""},
      {"\xEF\xBB\xBF", u""},
      {"\xEF\xBB\xBF\xD0\x9B\xD0\xB5\xD0\xB2",
       u"\u041B\u0435\u0432"},                         // Cyrillic
      {"\xEF\xBB\xBF\xF0\x9F\x8C\x99", u"\U0001F319"}, // outside the BMP
      {"\xEF\xBB\xBF\xC3", u"\uFFFD"},                 // cut-off sequence
      {"\xEF\xBB", u"\u00EF\u00BB"},                   // half a mark is text
      {"\xD0\x9B", u"\u00D0\u009B"},                   // no mark: ANSI
  };
  for (const Case &c : cases)
    EXPECT_EQ(LocaleManager::DecodeLocalizedText(c.bytes, codec), c.text);

  // A pair of surrogates is never cut in half at the limit.
  std::string big = "\xEF\xBB\xBF" +
                    std::string(LocaleManager::kMaxLocalizedChars - 1, 'a') +
                    "\xF0\x9F\x8C\x99";
  const std::u16string text = LocaleManager::DecodeLocalizedText(big, codec);
  EXPECT_EQ(text.size(), LocaleManager::kMaxLocalizedChars - 1);
  EXPECT_EQ(text.find_first_not_of(u'a'), std::u16string::npos);
}

TEST_F(LocaleManagerTest, LocalizedTextIsLimitedInBytesAndCharacters) {
  const LocaleManager locale(folder_, codec_);
  struct Case {
    std::size_t bytes;
    std::size_t characters;
  };
  const Case cases[] = {
      {0, 0}, {32767, 32767}, {32768, 32767}, {65536, 32767}, {65537, 0}};
  for (const Case &c : cases) {
    WriteBytes("en/Big.txt", std::string(c.bytes, 'a'));
    const std::u16string text = locale.ReadLocalizedText(u"Big");
    EXPECT_EQ(text.size(), c.characters) << c.bytes << " bytes";
    EXPECT_EQ(text.find_first_not_of(u'a'), std::u16string::npos);
  }
}

TEST_F(LocaleManagerTest, TranslateFromAnotherThreadSeesWholeTexts) {
  WriteLan("de", u"APP_LANGUAGE=Deutsch\r\nMENU_FILE=&Datei\r\n");
  WriteLan("en", u"APP_LANGUAGE=English\r\nMENU_FILE=&File\r\n");
  LocaleManager locale(folder_, codec_);

  std::atomic<bool> done{false};
  std::atomic<int> odd{0};
  std::thread reader([&] {
    while (!done) {
      const std::u16string text = locale.Translate(u"MENU_FILE");
      if (text != u"&Datei" && text != u"&File")
        ++odd;
    }
  });
  for (int i = 0; i < 200; ++i)
    locale.SetLanguage(i % 2 ? u"English" : u"Deutsch");
  done = true;
  reader.join();
  EXPECT_EQ(odd, 0);
}

// The keys the program looks texts up by; a missing one would show "Unknown".
const char16_t* const kAllKeys[] = {
    u"APP_NAME", u"APP_SITE", u"APP_UPDATE_URL", u"APP_UPDATING_URL", u"APP_VER", u"SUPPORT_EMAIL", u"APP_LANGUAGE",
    u"APP_LAN", u"MSG_COPYRIGHT", u"MSG_COPYRIGHT2", u"UPDATE", u"UPDATE_INFO", u"DONT_UPDATE", u"CHECK_NEW_VER",
    u"NOUPDATES", u"UPDATE_CHECKING", u"UPDATE_FAILED", u"UPDATE_NO_CONNECTION", u"UPDATE_NO_ANSWER",
    u"UPDATE_SERVER_ERROR", u"UPDATE_NOT_VERSION_FILE", u"HHOME",
    // calendar
    u"MONTH1", u"MONTH2", u"MONTH3", u"MONTH4", u"MONTH5", u"MONTH6", u"MONTH7", u"MONTH8", u"MONTH9", u"MONTH10",
    u"MONTH11", u"MONTH12", u"DAY1", u"DAY2", u"DAY3", u"DAY4", u"DAY5", u"DAY6", u"DAY7", u"NEXT", u"PREV",
    // menus
    u"MENU_FILE", u"MENU_FILE_LOGOUT", u"MENU_FILE_CONFIGURE", u"MENU_FILE_EXIT", u"ID_FILE_PRINTALL",
    u"MENU_NAVIGATE", u"MENU_NAVIGATE_NEXT", u"MENU_NAVIGATE_PREV", u"MENU_NAVIGATE_TODAY", u"MENU_REPORTS",
    u"MENU_HELP", u"MENU_HELP_CONTACTS", u"MENU_HELP_FEEDBACK", u"MENU_HELP_ABOUT", u"SHOW",
    // day commands and errors
    u"SET_MENSTRUAL", u"SET_ENDOFMENSTRUAL", u"DEL_MENSTRUAL", u"DEL_ENDOFMENSTRUAL", u"WAS_SEX", u"WASNT_SEX",
    u"ADD_NOTE", u"EDIT_NOTE", u"EDIT_DAY", u"HAS_NOTE", u"NOTE", u"TOOK_PILL", u"NO_PILL", u"SHOW_MOOD",
    u"GOOD_MOOD", u"BAD_MOOD", u"SET_TEMPERATURE", u"BTN_CANCEL", u"ERROR", u"ERROR_CANT_SET_DAY1",
    u"ERROR_CANT_SET_DAY2",
    // panes, classes, goals and tips
    u"PANE1_TITLE", u"PANE2_TITLE", u"PANE3_TITLE", u"PANE4_TITLE", u"PANE6_TITLE", u"TODAY_IS", u"TODAY_IS2",
    u"NEXT_MENSTRUAL", u"NEXT_OVULATION", u"DATE_GENDER", u"TIP", u"MSG_FLOW", u"MSG_PROGNOZE", u"MSG_NFERTILE",
    u"MSG_FERTILE", u"MSG_LFERTILE", u"MSG_OVULATION", u"MSG_GIRL", u"MSG_BOY", u"MSG_PAIN", u"AUTO", u"MANUAL",
    u"MENSTRUAL_CICLE", u"LUTERAL", u"GOAL1", u"GOAL2", u"GOAL3", u"GOAL4", u"TIP1", u"TIP2", u"TIP3", u"TIP4",
    u"TIP5", u"TIP6", u"TIP7",
    // users and login
    u"IDENTIFY", u"LOGIN", u"PWD", u"RETYPE", u"CREATE_USER", u"DELETE_USER", u"MSG_BADPASSWORD",
    u"MSG_USER_EXISTS", u"MSG_CANT_DELETE", u"MSG_AUTH_FAILD", u"MSG_AUTH_FAILD2",
    // reports and planning
    u"STATISTIC", u"CYCLES", u"MAX_PERIOD", u"MIN_PERIOD", u"AVG_PERIOD", u"LAST_SEX", u"MYCYCLES", u"BEGINDATE",
    u"CYCLE_LENGTH", u"OVULATIONDATE", u"RECTAL_TEMPERATURE", u"TEMP_INFO", u"BIRTH", u"BIRTH_DATE", u"ZODIAC",
    u"HOROSCOPE", u"CHINA_CAL", u"SELECT_AGE", u"YOURPERSCAL", u"CHINAMSG",
    // zodiac signs
    u"Aries", u"Taurus", u"Gemini", u"Cancer", u"Leo", u"Virgo", u"Libra", u"Scorpio", u"Sagittarius",
    u"Capricorn", u"Aquarius", u"Pisces",
    // settings and reminders
    u"CONFIGURE", u"MAIN", u"DESKTOP_CONFIG", u"REMINDERS", u"NOLOGINS", u"RUNATSTART", u"IDC_STATIC_THEME",
    u"THEME2", u"THEME7", u"THEME8", u"IDC_SHOW_DESCTOP", u"IDC_STATICX", u"IDC_STATICY", u"IDC_STATIC_SCALE",
    u"IDC_FONT3", u"IDC_STATIC_REM0", u"IDC_CHECK_REM1", u"IDC_STATIC_REM2", u"IDC_STATIC_REM3",
    u"IDC_STATIC_REM4", u"IDC_CHECK_REM5", u"IDC_STATIC_REM6", u"IDC_CHECK_REM7", u"LEFT_DAYS", u"TIMEPILL",
};
const char16_t* const kProgramKeys[] = {u"ERROR_DB_FULL",    u"ERROR_USERS_NOT_SAVED", u"ERROR_SETTINGS_NOT_SAVED", u"MSG_BADLOGIN",
                                        // Why a change of the users was not done.
                                        u"ERROR_USERS_UNREADABLE", u"ERROR_NO_USER_ID_LEFT", u"ERROR_PASSWORD_HASH",
                                        u"ERROR_DB_WRITE",   u"MSG_ENTER_NUMBER",      u"MSG_ENTER_NUMBER_RANGE",
                                        // The temperature chart's legend.
                                        u"CHART_TEMPERATURE", u"CHART_COVER_LINE", u"CHART_INTERCOURSE",
                                        u"CHART_PROGNOSIS",
                                        // Dialog buttons.
                                        u"BTN_OK", u"BTN_HELP",
                                        // Printing.
                                        u"ERROR_CANT_PRINT",
                                        // The reminders page.
                                        u"MSG_ENTER_INTEGER_RANGE",
                                        // Saving a day.
                                        u"ERROR_DB_NO_FILE",
                                        // Backup, restore and export.
                                        u"MENU_FILE_BACKUP", u"MENU_FILE_RESTORE", u"MENU_FILE_EXPORT", u"FILTER_BACKUP", u"FILTER_CSV", u"FILTER_ICS", u"BACKUP_DONE", u"BACKUP_WRITE_FAILED", u"BACKUP_CALENDAR_UNREADABLE", u"BACKUP_UNREADABLE", u"BACKUP_NOT_OURS", u"BACKUP_DAMAGED", u"RESTORE_CONFIRM", u"RESTORE_DONE", u"RESTORE_FAILED", u"RESTORE_PENDING", u"EXPORT_DONE", u"EXPORT_FAILED", u"ICS_PERIOD", u"ICS_PREDICTED_PERIOD", u"ICS_OVULATION"};
// What a new user meets: weekday names in full, the first steps, the locked calendar.
const char16_t* const kNewUserKeys[] = {u"DAYNAME1",      u"DAYNAME2",          u"DAYNAME3",
                                        u"DAYNAME4",      u"DAYNAME5",          u"DAYNAME6",
                                        u"DAYNAME7",      u"NO_PERIOD_YET",     u"MARK_FIRST_PERIOD",
                                        u"KEEP_DAYS_QUESTION", u"LOGIN_TO_SEE",
                                        // The tray's first notice and the About box.
                                        u"TRAY_KEEPS_RUNNING", u"ABOUT_RIGHTS"};
// Honest answers: unreached days, a late period, the basis and range of a
// prediction.
const char16_t* const kHonestKeys[] = {u"BEFORE_FIRST_PERIOD", u"TRAY_NO_PERIOD",      u"TODAY_LATE",
                                       u"TODAY_LATE_ONE",      u"PERIOD_LATE",         u"PERIOD_LATE_ONE",
                                       u"NEXT_LATE",           u"NEXT_LATE_ONE",       u"LATE_TEST",
                                       u"BASIS_CYCLES",        u"BASIS_CYCLES_ONE",    u"BASIS_DEFAULT",
                                       u"NEXT_RANGE",          u"NEXT_MENSTRUAL_NONE", u"NEXT_OVULATION_NONE",
                                       u"PERIOD_TODAY",        u"PERIOD_TOMORROW",     u"TIP2_DAY",            u"TIP6_DAY",
                                       u"TIP7_DAY",            u"CAUTIOUS_WINDOW"};
// Her temperatures: a disturbed reading and the shift they confirm.
const char16_t* const kTemperatureKeys[] = {u"TEMP_DISTURBED",        u"TEMP_NOT_DISTURBED",   u"MSG_DISTURBED",
                                            u"MSG_TEMP_OVULATION",    u"CHART_OWN_COVER_LINE", u"TEMP_CONFIRMED_COLUMN",
                                            u"TEMP_SHIFT_CONFIRMED",  u"TEMP_SHIFT_RISING"};
// Her calendar encrypted: the box, the warning, what a vault answers, her
// days deleted with her and the days of deleted users.
const char16_t* const kVaultKeys[] = {
    u"ENCRYPT_CALENDAR",    u"ENCRYPT_WARNING",      u"DECRYPT_CONFIRM",          u"VAULT_MISSING",
    u"VAULT_REFUSED",       u"VAULT_DAMAGED",        u"VAULT_UNREADABLE",         u"VAULT_EXISTS",
    u"VAULT_NOT_SAVED",     u"VAULT_CALENDAR_NOT_SAVED", u"VAULT_CRYPTO_FAILED",  u"DELETE_DAYS_QUESTION",
    u"DELETE_DAYS_FAILED",  u"LEFTOVER_DAYS",        u"LEFTOVER_DELETE",          u"LEFTOVER_CONFIRM"};

TEST(BuiltInTable, HoldsTheClassicKeysAndTheProgramsOwnOnceEach) {
  std::set<std::u16string_view> expected(std::begin(kAllKeys), std::end(kAllKeys));
  ASSERT_EQ(expected.size(), std::size(kAllKeys)) << "the list above repeats a key";
  expected.insert(std::begin(kProgramKeys), std::end(kProgramKeys));
  expected.insert(std::begin(kNewUserKeys), std::end(kNewUserKeys));
  expected.insert(std::begin(kHonestKeys), std::end(kHonestKeys));
  expected.insert(std::begin(kTemperatureKeys), std::end(kTemperatureKeys));
  expected.insert(std::begin(kVaultKeys), std::end(kVaultKeys));

  std::set<std::u16string_view> actual;
  for (const auto &[key, text] : LocaleManager::BuiltInTable()) {
    EXPECT_TRUE(actual.insert(key).second) << "repeated key " << ToUtf8(key);
    EXPECT_FALSE(text.empty()) << ToUtf8(key);
  }
  EXPECT_EQ(actual, expected);
  EXPECT_EQ(LocaleManager::BuiltInTable().size(),
            std::size(kAllKeys) + std::size(kProgramKeys) + std::size(kNewUserKeys) +
                std::size(kHonestKeys) + std::size(kTemperatureKeys) + std::size(kVaultKeys));
}

TEST(BuiltInTable, EveryKeyIsFoundAndTranslatesWithoutLanguageFile) {
  const Latin1Codec codec;
  const LocaleManager locale(fs::path("/nonexistent-tamarel-folder"), codec);
  for (const auto &[key, text] : LocaleManager::BuiltInTable()) {
    const char16_t *found = LocaleManager::BuiltInText(key);
    ASSERT_NE(found, nullptr) << ToUtf8(key);
    EXPECT_EQ(std::u16string_view(found), text) << ToUtf8(key);
    EXPECT_EQ(locale.Translate(key), text) << ToUtf8(key);
  }
  EXPECT_EQ(LocaleManager::BuiltInText(u"aries"), nullptr);
  EXPECT_EQ(LocaleManager::BuiltInText(u"APP_NAME "), nullptr);
  EXPECT_EQ(LocaleManager::BuiltInText(u""), nullptr);
}

TEST(BuiltInTable, TextsReadAsTheProgramHasAlwaysShownThem) {
  struct Case {
    std::u16string_view key;
    std::u16string_view text;
  };
  const Case cases[] = {
      {u"APP_NAME", u"Tamarel"},
      {u"APP_VER", u"0.0.0.3"},
      {u"APP_LANGUAGE", u"English"},
      {u"APP_UPDATE_URL", u"https://tamarel.example/ver.xml"},
      {u"UPDATE_INFO", u"A new version (%s) of the program is now available. "
                       u"Would you like to update?"},
      {u"MONTH1", u"January"},
      {u"DAY1", u"Sun"},
      {u"DAY4", u"We"},
      {u"DAY5", u"Thr"},
      {u"PREV", u"Back"},
      {u"MENU_NAVIGATE_PREV", u"&Previos month"},
      {u"MENU_HELP_CONTACTS", u"&Contents"},
      {u"SHOW", u"&Show "},
      {u"ERROR_CANT_SET_DAY1", u"Can't save this day. The last menstruation "
                               u"must not be earlier than %d days."},
      {u"ERROR_CANT_SET_DAY2", u"Please select the latter date."},
      {u"TODAY_IS", u"Today is %d.%d.%d (day %d of period)"},
      {u"MSG_NFERTILE", u"Non-feritle days"},
      {u"MSG_LFERTILE", u"Low fertiltity"},
      {u"MSG_FERTILE", u"Good day to convince a child"},
      {u"MENSTRUAL_CICLE", u"Menstrual Cicle"},
      {u"TIP2", u"Your are not fertile today. Your chances of becoming "
                u"pregnant are very low"},
      {u"TIP3", u"You are not fertile while menstruating. However, we "
                u"recommend that you abstain from intercourse during this "
                u"time due to increased chances of infection."},
      {u"MSG_AUTH_FAILD2", u"Could not login. Please create a new user"},
      {u"MAX_PERIOD", u"Maximum cycle lenght: %d"},
      {u"BIRTH_DATE", u"Select date ot the birth"},
      {u"Sagittarius", u"Sagittarius"},
      {u"IDC_CHECK_REM1", u"Remind me about the beginning of menstruation "},
      {u"IDC_CHECK_REM7", u"Remind me about another importent events"},
      {u"ERROR_DB_FULL",
       u"The calendar file is full: no more days can be stored."},
      {u"ERROR_USERS_NOT_SAVED", u"The list of users could not be saved."},
      {u"MSG_BADLOGIN", u"Please enter a login name."},
  };
  for (const Case &c : cases) {
    const char16_t *text = LocaleManager::BuiltInText(c.key);
    ASSERT_NE(text, nullptr) << ToUtf8(c.key);
    EXPECT_EQ(std::u16string_view(text), c.text) << ToUtf8(c.key);
  }
}

} // namespace
