#include "core/number_format.hpp"

#include <gtest/gtest.h>

#include <clocale>
#include <limits>
#include <string>
#include <vector>

#include "c_locale_scope.hpp"

namespace velkor {
namespace {

struct FormatCase {
  double value;
  const char* pattern;
  NumberLocale locale;
  const char* expected;
};

constexpr NumberLocale kPeriod{'.', ','};
constexpr NumberLocale kComma{',', ' '};

std::vector<FormatCase> ProgramPatternCases() {
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  constexpr double kInf = std::numeric_limits<double>::infinity();
  return {
      // Whole numbers; rounding half away from zero, in both directions.
      {0, "0", kPeriod, "0"},
      {7, "0", kPeriod, "7"},
      {2.5, "0", kPeriod, "3"},
      {-2.5, "0", kPeriod, "-3"},
      {2.4999, "0", kPeriod, "2"},
      {-1, "0", kPeriod, "-1"},
      // Decimals, locale separator, and a decimal that a double cannot hold exactly.
      {1.5, "0.000", kPeriod, "1.500"},
      {0.1234, "0.000", kComma, "0,123"},
      {1.0005, "0.000", kPeriod, "1.001"},
      {1.005, "0.00", kPeriod, "1.01"},
      {9.995, "0.00", kPeriod, "10.00"},
      {0.05, "0.0", kPeriod, "0.1"},
      {-0.04, "0.0", kPeriod, "0.0"},  // rounds to zero: no minus sign
      {-3.25, "0.0", kPeriod, "-3.3"},
      {12.345, "0.00", kPeriod, "12.35"},
      {49.96, "0.0 Hz", kPeriod, "50.0 Hz"},
      {-5, "0.0 Hz", kPeriod, "-5.0 Hz"},
      // Zero-padded integers (settings file values).
      {900, "0000", kPeriod, "0900"},
      {1470, "0000", kPeriod, "1470"},
      {123456, "0000", kPeriod, "123456"},
      // Optional digits: nothing at all for zero.
      {0, "###", kPeriod, ""},
      {0.4, "###", kPeriod, ""},
      {1013, "###", kPeriod, "1013"},
      {761.7, "###", kPeriod, "762"},
      // Blank-separated thousands: the blank only after a digit.
      {950, "# ##0", kPeriod, "950"},
      {0, "# ##0", kPeriod, "0"},
      {1234, "# ##0", kPeriod, "1 234"},
      {1234567, "# ##0", kPeriod, "1234 567"},
      {0, "# ###", kPeriod, ""},
      {1926.5, "# ###", kPeriod, "1 927"},
      {800, "0 000", kPeriod, "0 800"},
      {950, "0 000", kPeriod, "0 950"},
      {12000, "0 000", kPeriod, "12 000"},
      // Locale grouping switched on by a comma.
      {1234567, "#,##0", kPeriod, "1,234,567"},
      {1234567, "#,##0", kComma, "1 234 567"},
      {999, "#,##0", kPeriod, "999"},
      {0, "#,##0", kPeriod, "0"},
      {-1234, "#,##0", kPeriod, "-1,234"},
      // Percentages: leading blanks stay, the comma only groups.
      {0.5, ",  0%", kPeriod, "  50%"},
      {0, ",  0%", kPeriod, "  0%"},
      {1, ",  0%", kPeriod, "  100%"},
      {0.025, ",  0%", kPeriod, "  3%"},
      {12.34, ",  0%", kPeriod, "  1,234%"},
      // Trailing units are always written.
      {5432, "# ### tr/mn", kPeriod, "5 432 tr/mn"},
      {0, "# ### tr/mn", kPeriod, " tr/mn"},
      {180, "### tr/mn", kPeriod, "180 tr/mn"},
      // Without a sensible number: written as zero is, never a crash.
      {kNaN, "0.000", kPeriod, "0.000"},
      {kInf, "# ##0", kPeriod, "0"},
      {-kInf, "0", kPeriod, "0"},
      {std::numeric_limits<double>::max(), ",  0%", kPeriod, "  0%"},  // overflows at x 100
      // Patterns outside the program's set still give a clear result.
      {12.5, ".00", kPeriod, "12.50"},
      {0.5, ".00", kPeriod, ".50"},
      {1.5, "0.##", kPeriod, "1.5"},
      {1, "0.##", kPeriod, "1"},
      {2.5, "", kComma, "2,5"},
      {1234.5, "", kPeriod, "1234.5"},
  };
}

void ExpectCases(const std::vector<FormatCase>& cases) {
  for (const FormatCase& c : cases) {
    EXPECT_EQ(FormatNumber(c.value, c.pattern, c.locale), c.expected)
        << "value " << c.value << " pattern \"" << c.pattern << "\" decimal '" << c.locale.decimal
        << "'";
  }
}

TEST(FormatNumberTest, WritesThePatternsOfTheProgram) { ExpectCases(ProgramPatternCases()); }

TEST(FormatNumberTest, HugeValuesKeepEveryDigit) {
  const std::string text = FormatNumber(1e20, "0", kPeriod);
  EXPECT_EQ(text, "100000000000000000000");
}

struct DecimalCommaLocale {
  const char* name;
  char group;  // NumberLocale's group separator under it
};

class CLocaleTest : public ::testing::TestWithParam<DecimalCommaLocale> {
 protected:
  testing_support::ScopedCLocale locale_{GetParam().name};
};

// snprintf follows the C locale: under a decimal comma "%.14e" writes 4,346e+03, and a
// formatter that strips only '.' from it writes 4346 with "# ##0" as "4 ,34".
TEST_P(CLocaleTest, PatternsWriteTheSameWhateverTheCLocale) {
  ASSERT_TRUE(locale_.active());
  ASSERT_STREQ(std::localeconv()->decimal_point, ",");
  ExpectCases(ProgramPatternCases());
}

// Where a text wants the user's separators they come from the locale, and only from there.
TEST_P(CLocaleTest, UserLocaleTakesTheSeparatorsOfTheEnvironment) {
  ASSERT_TRUE(locale_.active());
  const NumberLocale user = NumberLocale::User();
  const char g = GetParam().group;
  EXPECT_EQ(user.decimal, ',');
  EXPECT_EQ(user.group, g);
  EXPECT_EQ(FormatNumber(1234567.25, "#,##0.00", user),
            std::string("1") + g + "234" + g + "567,25");
  EXPECT_EQ(FormatNumber(0.45, "0.000", user), "0,450");
  EXPECT_EQ(FormatNumber(2.5, "", user), "2,5");
}

// French groups with a narrow no-break space, more than one char in UTF-8: a blank stands in.
INSTANTIATE_TEST_SUITE_P(DecimalComma, CLocaleTest,
                         ::testing::Values(DecimalCommaLocale{testing_support::kFrenchLocale, ' '},
                                           DecimalCommaLocale{testing_support::kGermanLocale, '.'}),
                         [](const auto& param_info) {
                           return std::string(param_info.param.name, 2);
                         });

TEST(NumberLocaleTest, UserLocaleFallsBackWhenTheEnvironmentGivesNoSeparator) {
  const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
  ASSERT_NE(std::setlocale(LC_NUMERIC, "C"), nullptr);
  const NumberLocale locale = NumberLocale::User();  // "C" has no thousands separator
  std::setlocale(LC_NUMERIC, saved.c_str());
  EXPECT_EQ(locale.decimal, '.');
  EXPECT_EQ(locale.group, ',');
}

}  // namespace
}  // namespace velkor
