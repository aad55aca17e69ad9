#include "core/hex_message.hpp"

#include <gtest/gtest.h>

namespace velkor {
namespace {

TEST(ByteToHex, TwoUppercaseDigits) {
  const struct {
    int value;
    const char* text;
  } cases[] = {{0, "00"}, {9, "09"}, {10, "0A"}, {15, "0F"}, {16, "10"}, {255, "FF"}};
  for (const auto& c : cases) EXPECT_EQ(ByteToHex(c.value), c.text) << c.value;
}

TEST(HexToByte, ReadsUntilTheFirstNonHexDigit) {
  const struct {
    const char* text;
    int value;
  } cases[] = {{"F", 15}, {"0F", 15}, {"f", 15},   {"", 0}, {"ff", 255},
               {"Z1", 0}, {"1Z", 1},  {"A0", 160}, {"7", 7}};
  for (const auto& c : cases) EXPECT_EQ(HexToByte(c.text), c.value) << c.text;
}

TEST(CheckSum, SumOfBytesModulo256) {
  const struct {
    const char* message;
    const char* sum;
  } cases[] = {
      {"8210F12130", "D4"}, {"55B0808080", "85"}, {"8110F181", "03"},
      {"80F110", "81"},     {"", "00"},           {"FF01", "00"},  // exactly 256 wraps to zero
      {"8110F1810", "03"},  // a trailing single digit counts as a byte of that digit (0)
      {"01F", "10"},        // ... and "F" as 15
  };
  for (const auto& c : cases) EXPECT_EQ(CheckSum(c.message), c.sum) << c.message;
}

TEST(HexBytes, RoundTrip) {
  const std::vector<std::uint8_t> bytes = {0x82, 0x10, 0xF1, 0x21, 0x30, 0xD4};
  EXPECT_EQ(BytesToHex(bytes), "8210F12130D4");
  EXPECT_EQ(HexToBytes("8210F12130D4"), bytes);
  EXPECT_EQ(HexToBytes(""), std::vector<std::uint8_t>{});
  EXPECT_EQ(ByteLength("8210F12130D4"), 6u);
}

// An identification record holds 00 and AA padding: shown as dots, never as a NUL or as a byte
// that is not UTF-8.
TEST(HexAsText, KeepsPrintableAsciiOnly) {
  EXPECT_EQ(HexAsText("3238363400AA7E7F1F20"), "2864..~.. ");
  EXPECT_EQ(HexAsText(""), "");
}

TEST(TextOperations, PositionsCountFromOneAndSearchIsNotByteAligned) {
  EXPECT_EQ(InStr("0550", "55"), 2u);  // matches across a byte boundary
  EXPECT_EQ(InStr("84F1106130000016", "F110"), 3u);
  EXPECT_EQ(InStr("84F1106130000016", "F110", 4), 0u);
  EXPECT_EQ(InStr("ABAB", "AB", 2), 3u);
  EXPECT_EQ(InStr("", "AB"), 0u);
  EXPECT_EQ(InStr("AB", ""), 1u);
  EXPECT_EQ(InStr("AB", "B", 99), 0u);

  EXPECT_EQ(Mid("8210F12130D4", 13), "");
  EXPECT_EQ(Mid("8210F12130D4", 3, 4), "10F1");
  EXPECT_EQ(Mid("8210F12130D4", 11, 10), "D4");
  EXPECT_EQ(Mid("8210F12130D4", 0, 2), "");
  EXPECT_EQ(Left("8210F1", 2), "82");
  EXPECT_EQ(Left("82", 9), "82");
  EXPECT_EQ(Right("8210F1", 2), "F1");
  EXPECT_EQ(Right("F1", 9), "F1");
}

}  // namespace
}  // namespace velkor
