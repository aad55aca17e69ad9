#include "config/text_encoding.hpp"

#include <gtest/gtest.h>

#include <string>

namespace velkor {
namespace {

TEST(TextEncoding, OnlyStrictUtf8IsTakenAsUtf8) {
  struct Case {
    std::string bytes;
    bool valid;
  };
  for (const Case& c : {Case{"", true}, Case{"plain ASCII", true},
                        Case{"Fran\xC3\xA7"
                             "ais",
                             true},
                        Case{"\xE2\x82\xAC", true},      // euro sign
                        Case{"\xF0\x9F\x8F\x8D", true},  // four bytes
                        Case{"Fran\xE7"
                             "ais",
                             false},                      // Windows-1252
                        Case{"\xC0\xAF", false},          // overlong '/'
                        Case{"\xE0\x80\xAF", false},      // overlong, three bytes
                        Case{"\xED\xA0\x80", false},      // surrogate
                        Case{"\xF4\x90\x80\x80", false},  // above U+10FFFF
                        Case{"\xC3", false},              // cut short
                        Case{"\x80", false}}) {
    EXPECT_EQ(IsValidUtf8(c.bytes), c.valid) << testing::PrintToString(c.bytes);
  }
}

TEST(TextEncoding, EveryWindows1252ByteSurvivesTheRoundTrip) {
  std::string all;
  for (int byte = 1; byte < 256; ++byte) all.push_back(static_cast<char>(byte));
  const std::string utf8 = Windows1252ToUtf8(all);
  EXPECT_TRUE(IsValidUtf8(utf8));
  EXPECT_EQ(Utf8ToWindows1252(utf8), all);
  EXPECT_EQ(Windows1252ToUtf8("\x80\x8A\x9F\xE9"), "€ŠŸé");
  EXPECT_EQ(Utf8ToWindows1252("日本"), std::nullopt);
}

TEST(TextEncoding, CaseFoldingAndTruncationWorkOnCharacters) {
  EXPECT_TRUE(EqualsIgnoreCase("POSITIONS", "positions"));
  EXPECT_TRUE(EqualsIgnoreCase("ÉTÉ ŒUVRE", "été œuvre"));
  EXPECT_FALSE(EqualsIgnoreCase("Menu", "Menu2"));
  EXPECT_FALSE(EqualsIgnoreCase("\xE9", "\xC3\xA9"));  // a stray byte is not the letter
  EXPECT_EQ(TruncateUtf8("Français", 5), "Franç");
  EXPECT_EQ(TruncateUtf8("Fr", 10), "Fr");
}

}  // namespace
}  // namespace velkor
