#include "link/frame.hpp"

#include <gtest/gtest.h>

#include "core/ecu_family.hpp"

namespace velkor {
namespace {

TEST(FrameKwp, FormatByteHeaderDataChecksum) {
  const struct {
    const char* data;
    const char* header;
    const char* frame;
  } cases[] = {
      {"2130", "10F1", "8210F12130D4"},
      {"81", "10F1", "8110F18103"},
      {"21A0", "10F1", "8210F121A044"},
      // The timing-parameter request goes out from tester address 0x01.
      {"830300FF00FF00", "1001", "871001830300FF00FF001C"},
      {"", "10F1", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(FrameKwp(c.data, c.header), c.frame) << c.data;
}

TEST(FrameKwp, DataTooLongForTheFormatByteIsNeverFramed) {
  const std::string max(63 * 2, 'A');
  EXPECT_EQ(FrameKwp(max, "10F1").substr(0, 2), "BF");
  EXPECT_EQ(FrameKwp(max + "AA", "10F1"), "");
}

TEST(BuildFrame, DependsOnTheFamily) {
  const struct {
    int ecu_type;
    const char* request;
    const char* frame;
  } cases[] = {
      {Iaw59M5AM, "2130", "8210F12130D4"},
      {Eobd, "010C", "8210F1010C90"},
      {Iaw16M, "08", "08"},  // byte protocol: sent as written
      {Iaw15M, "", ""},
      {IawP8, "0102", "0102"},
      {Iaw16M, "00", ""},  // a lone zero byte is never sent
      {6, "2130", ""},     // no family in the empty slots
      {7, "08", ""},
      {-1, "08", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(BuildFrame(c.request, c.ecu_type, "10F1"), c.frame)
        << "type " << c.ecu_type << " request " << c.request;
  }
}

}  // namespace
}  // namespace velkor
