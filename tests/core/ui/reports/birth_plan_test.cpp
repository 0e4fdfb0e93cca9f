#include "ui/reports/birth_plan.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>

#include "env/locale_manager.h"
#include "model/day_class.h"
#include "model/menstual_manager.h"
#include "settings/memory_settings_store.h"
#include "settings/options_manager.h"
#include "support/temp_dir.h"

namespace {

constexpr PackedDate D2011(int d, int m, int y = 2011) { return PackedDate(d, m, y); }

TEST(BirthPlan, TheFirstBoyOrGirlDayWithinHundredDaysIsTheConception) {
  struct Case {
    const char* what;
    std::map<int, int> classes;  // days after the intercourse -> class (others: non-fertile)
    int conceptionAfter;
    bool girl;
    bool found;
  };
  const Case cases[] = {
      {"boy day before a girl day", {{3, BoyDay}, {5, GirlDay}}, 3, false, true},
      {"girl day before a boy day", {{2, Ovulation}, {4, GirlDay}, {6, BoyDay}}, 4, true, true},
      {"on the day itself", {{0, GirlDay}}, 0, true, true},
      {"the last day searched", {{99, BoyDay}}, 99, false, true},
      {"one day too far", {{100, GirlDay}}, 0, false, false},
      {"none at all", {}, 0, false, false},
  };
  const PackedDate sex = D2011(20, 12, 2010);
  for (const Case& c : cases) {
    const BirthPlan plan = PlanBirthFrom(sex, [&](const PackedDate& d) {
      const auto found = c.classes.find(DaysBetween(sex, d));
      return found == c.classes.end() ? static_cast<int>(NonFertileAfterFlow) : found->second;
    });
    EXPECT_EQ(plan.latestSex, sex) << c.what;
    EXPECT_EQ(plan.conception, AddDays(sex, c.conceptionAfter)) << c.what;
    EXPECT_EQ(plan.birth, AddDays(sex, c.conceptionAfter + 270)) << c.what;
    EXPECT_EQ(plan.girl, c.girl) << c.what;
    EXPECT_EQ(plan.found, c.found) << c.what;
  }
}

TEST(BirthPlan, AConceptionOnFirstMarchGivesABirthOn26November) {
  const BirthPlan plan = PlanBirthFrom(D2011(1, 3), [](const PackedDate&) { return static_cast<int>(BoyDay); });
  EXPECT_EQ(plan.birth, D2011(26, 11));
}

class BirthPlanModelTest : public ::testing::Test {
 protected:
  BirthPlanModelTest()
      : options(store, SystemLocaleInfo{}, nullptr, u""),
        locale(dir.path(), codec),
        clock(D2011(10, 5)),
        model(std::make_unique<DatabaseManager>(dir / "db.dat", [] { return owner; }), options, locale, clock) {}

  void Mark(PackedDate d, bool sex) {
    Day day(d, false, false, sex, !sex, false, false, 0.0);
    ASSERT_EQ(model.StoreDay(day), SaveResult::kDone);
  }

  static inline uint16_t owner = 0;
  testsupport::TempDir dir;
  Latin1Codec codec;
  MemorySettingsStore store;
  OptionsManager options;
  LocaleManager locale;
  FixedClock clock;
  MenstualManager model;
};

TEST_F(BirthPlanModelTest, TheLatestIntercourseOfTheCurrentUserOrToday) {
  owner = 0;
  EXPECT_EQ(LatestIntercourse(model), D2011(10, 5)) << "no day marked";
  Mark(D2011(3, 2), true);
  Mark(D2011(20, 4), true);
  Mark(D2011(25, 4), false);  // a pill only
  Mark(D2011(1, 1), true);
  EXPECT_EQ(LatestIntercourse(model), D2011(20, 4));
  owner = 7;
  model.Reload();
  Mark(D2011(30, 4), true);
  EXPECT_EQ(LatestIntercourse(model), D2011(30, 4));
  owner = 0;
  model.Reload();
  EXPECT_EQ(LatestIntercourse(model), D2011(20, 4)) << "another user's day counts not";
}

TEST_F(BirthPlanModelTest, ThePlanOfTheModelAgreesWithItsClasses) {
  owner = 0;
  ASSERT_EQ(model.SetStart(D2011(1, 3)), SaveResult::kDone);
  Mark(D2011(5, 3), true);
  const BirthPlan plan = PlanBirth(model);
  ASSERT_TRUE(plan.found);
  EXPECT_EQ(plan.latestSex, D2011(5, 3));
  const int dayClass = model.ClassifyDay(plan.conception);
  EXPECT_EQ(dayClass, plan.girl ? GirlDay : BoyDay);
  for (PackedDate d = plan.latestSex; d < plan.conception; d = AddDays(d, 1)) {
    const int c = model.ClassifyDay(d);
    EXPECT_TRUE(c != BoyDay && c != GirlDay) << FormatDate(d);
  }
  EXPECT_EQ(DaysBetween(plan.conception, plan.birth), 270);
}

TEST_F(BirthPlanModelTest, TheZodiacOfADateIsNamedInTheCurrentLanguage) {
  EXPECT_EQ(model.GetZodiacIndex(D2011(26, 11)), 8);
  EXPECT_EQ(model.GetZodiacName(D2011(26, 11)), u"Sagittarius");
  EXPECT_EQ(model.GetZodiacIcon(D2011(26, 11)), 5649);
  std::string lan = "\xFF\xFE";
  for (char16_t c : std::u16string_view(u"Sagittarius=Sch\u00FCtze\r\n")) {
    lan.push_back(static_cast<char>(c & 0xFF));
    lan.push_back(static_cast<char>(c >> 8));
  }
  std::ofstream(dir / "de.lan", std::ios::binary) << lan;
  locale.SetLanguageName("de");
  EXPECT_EQ(model.GetZodiacName(D2011(26, 11)), u"Sch\u00FCtze");
  EXPECT_EQ(model.GetZodiacIcon(D2011(26, 11)), 5649);
}

}  // namespace
