#include "diagnostics/trouble_code.hpp"

#include <gtest/gtest.h>

namespace velkor {
namespace {

TEST(TroubleCodeText, LetterFirstDigitAndThreeHexDigits) {
  struct Case {
    const char* hex;
    const char* shown;
  };
  for (const Case c :
       {Case{"0122", "P0122"}, Case{"D600", "U1600"}, Case{"4123", "C0123"}, Case{"5123", "C1123"},
        Case{"8005", "B0005"}, Case{"0A12", "P0A12"}, Case{"ffff", "U3FFF"}, Case{"0000", "P0000"},
        Case{"012", ""}, Case{"01G2", ""}}) {
    EXPECT_EQ(TroubleCodeText(c.hex), c.shown) << c.hex;
  }
}

}  // namespace
}  // namespace velkor
