// The KWP reply reader: which frame of an answer is the reply to a request, and what it says.
#include "link/kwp_reply.hpp"

#include <gtest/gtest.h>

#include <string>

#include "link/frame.hpp"

namespace velkor {
namespace {

using Kind = KwpReply::Kind;

// A frame from reply header F110 (or `header`) as the ECU sends it, checksum included.
HexMessage Frame(std::string_view data, std::string_view header = "F110") {
  return FrameKwp(data, header);
}

// The same in the length-byte format: format byte 0x80, header, length byte, data, checksum.
HexMessage LengthByteFrame(std::string_view data) {
  const HexMessage frame =
      "80F110" + ByteToHex(static_cast<int>(ByteLength(data))) + std::string(data);
  return frame + CheckSum(frame);
}

// `count` data bytes 00 01 02 ...
std::string CountingBytes(int count) {
  std::string bytes;
  for (int i = 0; i < count; ++i) bytes += ByteToHex(i);
  return bytes;
}

constexpr KwpReplyKey kRecord{.service = 0x21, .local_id = 0xA0, .needed_bytes = 3};

struct Want {
  Kind kind = Kind::kNone;
  HexMessage data{};
  std::size_t declared_bytes = 0;
  int code = 0;
  std::size_t position = 0;
  std::size_t whole_length = 0;
};

void ExpectReply(const KwpReply& got, const Want& want) {
  EXPECT_EQ(got.kind, want.kind);
  EXPECT_EQ(got.data, want.data);
  EXPECT_EQ(got.declared_bytes, want.declared_bytes);
  EXPECT_EQ(got.code, want.code);
  EXPECT_EQ(got.position, want.position);
  EXPECT_EQ(got.whole_length, want.whole_length);
}

TEST(ReadKwpReply, FindsTheReplyToTheRequest) {
  // 87 F1 10 61 A0 01 02 03 04 05 cs: eleven bytes, five of them data after 61 A0.
  const HexMessage record = Frame("61A00102030405");
  ASSERT_EQ(record.size(), 22u);
  const HexMessage long_record = LengthByteFrame("61A0" + CountingBytes(62));
  ASSERT_EQ(long_record.substr(0, 8), "80F11040");
  std::string functional = "C7" + record.substr(2, 18);  // functional addressing
  functional += CheckSum(functional);
  std::string bad_checksum = record.substr(0, 20) + "00";
  ASSERT_NE(bad_checksum, record);

  const struct {
    const char* name;
    HexMessage answer;
    KwpReplyKey key;
    Want want;
  } cases[] = {
      {"positive reply with local id",
       record,
       kRecord,
       {Kind::kPositive, "0102030405", 5, 0, 1, 22}},
      {"positive reply without local id",
       Frame("580201234567"),
       {.service = 0x18},
       {Kind::kPositive, "0201234567", 5, 0, 1, 20}},
      {"positive reply with no data",
       Frame("7E"),
       {.service = 0x3E},
       {Kind::kPositive, "", 0, 0, 1, 10}},
      {"negative reply", Frame("7F2112"), kRecord, {Kind::kNegative, "", 0, 0x12, 1, 14}},
      {"response pending", Frame("7F2178"), kRecord, {Kind::kNegative, "", 0, 0x78, 1, 14}},
      // Bytes A8 4F 11 04 10 C0 ...: "84F110410C..." from the second digit on is no reply.
      {"frame text at an odd position",
       "A" + Frame("410C0FA0") + "0",
       {.service = 0x01, .local_id = 0x0C, .needed_bytes = 2},
       {}},
      {"real frame after an odd-position copy",
       "A" + Frame("410C0FA0") + "0" + Frame("410C0FA0"),
       {.service = 0x01, .local_id = 0x0C, .needed_bytes = 2},
       {Kind::kPositive, "0FA0", 2, 0, 19, 16}},
      {"stray bytes before the frame",
       "00FE" + record,
       kRecord,
       {Kind::kPositive, "0102030405", 5, 0, 5, 22}},
      {"length-byte format over 63 data bytes",
       long_record,
       {.service = 0x21, .local_id = 0xA0, .needed_bytes = 62},
       {Kind::kPositive, CountingBytes(62), 62, 0, 1, 138}},
      {"length-byte frame cut short",
       long_record.substr(0, 80),
       kRecord,
       {Kind::kPositive, CountingBytes(34), 62, 0, 1, 0}},
      {"length byte missing", "80F110", kRecord, {}},
      {"wrong checksum", bad_checksum, kRecord, {}},
      {"wrong checksum, then a good copy",
       bad_checksum + record,
       kRecord,
       {Kind::kPositive, "0102030405", 5, 0, 23, 22}},
      {"cut short: taken as far as it goes",
       record.substr(0, 16),
       kRecord,
       {Kind::kPositive, "010203", 5, 0, 1, 0}},
      {"cut short of the bytes needed",
       record.substr(0, 16),
       {.service = 0x21, .local_id = 0xA0, .needed_bytes = 4},
       {}},
      {"declared shorter than needed", Frame("61A00102"), kRecord, {}},
      {"bytes after the frame are no data",
       Frame("61A00102") + "AABB",
       {.service = 0x21, .local_id = 0xA0, .needed_bytes = 2},
       {Kind::kPositive, "0102", 2, 0, 1, 16}},
      {"negative reply cut before its code", "83F1107F21", kRecord, {}},
      {"negative reply cut before its checksum",
       "83F1107F2112",
       kRecord,
       {Kind::kNegative, "", 0, 0x12, 1, 0}},
      {"another header skipped",
       Frame("61A0AAAA", "F112") + record,
       kRecord,
       {Kind::kPositive, "0102030405", 5, 0, 17, 22}},
      {"another local id skipped",
       Frame("61A6AAAA") + record,
       kRecord,
       {Kind::kPositive, "0102030405", 5, 0, 17, 22}},
      {"another service skipped",
       Frame("6130AAAA") + record,
       kRecord,
       {Kind::kPositive, "0102030405", 5, 0, 17, 22}},
      {"refusal of another service skipped",
       Frame("7F1A12") + record,
       kRecord,
       {Kind::kPositive, "0102030405", 5, 0, 15, 22}},
      {"the first frame for the request decides",
       Frame("7F2131") + record,
       kRecord,
       {Kind::kNegative, "", 0, 0x31, 1, 14}},
      {"functionally addressed frame", functional, kRecord, {}},
      {"only another local id", Frame("61A6AAAAAA"), kRecord, {}},
      {"no answer", "", kRecord, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ExpectReply(ReadKwpReply(c.answer, "F110", c.key), c.want);
  }
}

TEST(ReadKwpReply, ReplyHeaderMustBeTwoBytes) {
  const HexMessage record = Frame("61A00102030405");
  ASSERT_TRUE(ReadKwpReply(record, "F110", kRecord).Positive());
  for (const char* header : {"", "F1", "F11", "F1101", "F1XX"}) {
    SCOPED_TRACE(header);
    ExpectReply(ReadKwpReply(record, header, kRecord), {});
  }
}

TEST(KwpReply, BytesAndWordsPastTheDataReadZero) {
  const KwpReply reply = ReadKwpReply(Frame("61A00102030405"), "F110", kRecord);
  ASSERT_EQ(reply.DataBytes(), 5u);
  EXPECT_EQ(reply.Byte(0), 0x01);
  EXPECT_EQ(reply.Byte(4), 0x05);
  EXPECT_EQ(reply.Byte(5), 0);
  EXPECT_EQ(reply.Word(3), 0x0405);
  EXPECT_EQ(reply.Word(4), 0x0500);
  EXPECT_EQ(reply.Word(5), 0);
}

}  // namespace
}  // namespace velkor
