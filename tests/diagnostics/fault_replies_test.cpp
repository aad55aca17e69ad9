// The decoders of the fault answers, on answers as they come: over the K-line cable, and as an
// ELM327 shows them (headers on, no spaces) on K-line and CAN protocols.
#include "diagnostics/fault_replies.hpp"

#include <gtest/gtest.h>

#include "link/frame.hpp"

namespace velkor {
namespace {

using Codes = std::vector<std::pair<int, int>>;

TEST(ReadCodeList, TakesWholeRecordsUpToTheCount) {
  const struct {
    const char* name;
    HexMessage answer;
    KwpReply::Kind kind;
    int count_byte;
    std::vector<CodeRecord> records;
  } cases[] = {
      {"two codes",
       FrameKwp("5802"
                "012224"
                "D60080",
                "F110"),
       KwpReply::Kind::kPositive,
       2,
       {{0x01, 0x22, 0x24}, {0xD6, 0x00, 0x80}}},
      {"stray byte first",
       "00" + FrameKwp("5801"
                       "012224",
                       "F110"),
       KwpReply::Kind::kPositive,
       1,
       {{0x01, 0x22, 0x24}}},
      // The exchange kept fewer bytes than the frame declares: the last record is cut.
      {"cut in a record",
       FrameKwp("5802"
                "012224"
                "D60080",
                "F110")
           .substr(0, 20),
       KwpReply::Kind::kPositive,
       2,
       {{0x01, 0x22, 0x24}}},
      {"count above the records",
       FrameKwp("58FF"
                "012224",
                "F110"),
       KwpReply::Kind::kPositive,
       255,
       {{0x01, 0x22, 0x24}}},
      {"refusal", FrameKwp("7F1822", "F110"), KwpReply::Kind::kNegative, 0, {}},
      {"another header",
       FrameKwp("5801"
                "012224",
                "F112"),
       KwpReply::Kind::kNone,
       0,
       {}},
      {"nothing", "", KwpReply::Kind::kNone, 0, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const CodeListReply list = ReadCodeList(c.answer, "F110");
    EXPECT_EQ(list.kind, c.kind);
    EXPECT_EQ(list.count_byte, c.count_byte);
    EXPECT_EQ(list.records, c.records);
  }
  EXPECT_EQ(ReadCodeList(FrameKwp("7F1822", "F110"), "F110").refusal, 0x22);
}

TEST(ReadCodeStatus, OnlyFromAWholeAnswerForTheSameCode) {
  const HexMessage mine = FrameKwp(
      "57020122"
      "24"
      "000000000000"
      "28",
      "F110");
  const auto status = ReadCodeStatus(mine, "F110", 0x01, 0x22);
  ASSERT_TRUE(status.has_value());
  EXPECT_EQ(status->status, 0x24);
  EXPECT_EQ(status->counter, 0x28);
  EXPECT_FALSE(ReadCodeStatus(mine, "F110", 0x03, 0x35).has_value());
  EXPECT_FALSE(ReadCodeStatus(mine.substr(0, 24), "F110", 0x01, 0x22).has_value());
  EXPECT_FALSE(ReadCodeStatus(FrameKwp("7F1731", "F110"), "F110", 0x01, 0x22).has_value());
}

TEST(ReadObdAnswer, EveryFrameOfTheAnswerOnEachLink) {
  const struct {
    const char* name;
    std::string answer;
    ObdLink link;
    Codes codes;
  } cases[] = {
      {"cable, two frames",
       FrameKwp("43012303240244", "F110") + FrameKwp("43030000000000", "F110"),
       ObdLink::kKLine,
       {{0x01, 0x23}, {0x03, 0x24}, {0x02, 0x44}, {0x03, 0x00}}},
      {"cable, a frame from another ECU between",
       FrameKwp("43012300000000", "F110") + FrameKwp("43099900000000", "F118") +
           FrameKwp("43030000000000", "F110"),
       ObdLink::kKLine,
       {{0x01, 0x23}, {0x03, 0x00}}},
      {"adapter, KWP frames",
       "SEARCHING...\r" + FrameKwp("43012303240244", "F110") + "\r" +
           FrameKwp("43030000000000", "F110") + "\r\r>",
       ObdLink::kElmKLine,
       {{0x01, 0x23}, {0x03, 0x24}, {0x02, 0x44}, {0x03, 0x00}}},
      // ISO 9141-2: 48 6B <source>, data, checksum.
      {"adapter, ISO 9141-2 frame",
       "486B10430123000000002A\r\r>",
       ObdLink::kElmKLine,
       {{0x01, 0x23}}},
      {"adapter, wrong checksum", "486B10430123000000002B\r\r>", ObdLink::kElmKLine, {}},
      {"adapter, NO DATA", "NO DATA\r\r>", ObdLink::kElmKLine, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ReadObdCodes(ReadObdAnswer(c.answer, "F110", c.link, 0x03), false), c.codes);
  }
}

TEST(ReadObdAnswer, CanLinesSingleAndMultiFrame) {
  const struct {
    const char* name;
    std::string answer;
    Codes codes;
  } cases[] = {
      {"single frame, 11-bit", "7E8064302012303240000\r\r>", {{0x01, 0x23}, {0x03, 0x24}}},
      {"single frame, 29-bit", "18DAF11004430101230000\r\r>", {{0x01, 0x23}}},
      {"no code", "7E80243000000000000\r\r>", {}},
      // Four codes: ten bytes in a first frame and one consecutive frame.
      {"multi-frame",
       "7E8100A4304012303\r7E82124024403000000\r\r>",
       {{0x01, 0x23}, {0x03, 0x24}, {0x02, 0x44}, {0x03, 0x00}}},
      // The count says two, the frame holds more bytes (padding): only two are taken.
      {"count limits", "7E8064302012303245555\r\r>", {{0x01, 0x23}, {0x03, 0x24}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ReadObdCodes(ReadObdAnswer(c.answer, "F110", ObdLink::kElmCan, 0x03), true), c.codes);
  }
}

TEST(ReadMilStatus, LampAndCountFromByteA) {
  const struct {
    std::string answer;
    ObdLink link;
    std::optional<std::pair<bool, int>> mil;
  } cases[] = {
      {FrameKwp("410183076504", "F110"), ObdLink::kKLine, std::pair{true, 3}},
      {FrameKwp("41017F076504", "F110"), ObdLink::kKLine, std::pair{false, 127}},
      {FrameKwp("4101", "F110"), ObdLink::kKLine, std::nullopt},
      {FrameKwp("410C1AF8", "F110"), ObdLink::kKLine, std::nullopt},
      {"7E8064101830765040000\r>", ObdLink::kElmCan, std::pair{true, 3}},
      {FrameKwp("7F0112", "F110"), ObdLink::kKLine, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answer);
    const auto mil = ReadMilStatus(ReadObdAnswer(c.answer, "F110", c.link, 0x01));
    ASSERT_EQ(mil.has_value(), c.mil.has_value());
    if (mil) {
      EXPECT_EQ(mil->lamp, c.mil->first);
      EXPECT_EQ(mil->count, c.mil->second);
    }
  }
  EXPECT_EQ(ReadObdAnswer(FrameKwp("7F0112", "F110"), "F110", ObdLink::kKLine, 0x01).refusal, 0x12);
}

TEST(ElmRunsCan, ProtocolNumberAsTheAdapterGivesIt) {
  const struct {
    const char* answer;
    std::optional<bool> can;
  } cases[] = {
      {"A6\r\r>", true},         {"6\r\r>", true},         {"A9\r\r>", true},
      {"C\r\r>", true},          {"5\r\r>", false},        {"A3\r\r>", false},
      {"A0\r\r>", std::nullopt}, {"?\r\r>", std::nullopt}, {"", std::nullopt},
      {"ATDPN\rA5\r\r>", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answer);
    EXPECT_EQ(ElmRunsCan(c.answer), c.can);
  }
}

TEST(ElmHexLines, KeepsOnlyTheRelayedFrames) {
  EXPECT_EQ(ElmHexLines("BUS INIT: ...OK\r85F11058010122\r\rNO DATA\r>"), "85F11058010122");
  EXPECT_EQ(ElmHexLines("88 f1 10 58\r?\r>"), "88F11058");
  EXPECT_EQ(ElmHexLines("STOPPED\r\r>"), "");
  EXPECT_EQ(ElmHexLines("ABC\r>"), "");  // half a byte is no frame
}

TEST(CyclesText, SixtyFourMinusTheCounter) {
  for (const auto& [counter, text] : std::vector<std::pair<int, std::string>>{
           {0, " - "}, {1, "63"}, {0x28, "24"}, {0x40, "0"}, {0x41, " - "}, {0xFF, " - "}}) {
    EXPECT_EQ(CyclesText(counter), text) << counter;
  }
}

}  // namespace
}  // namespace velkor
