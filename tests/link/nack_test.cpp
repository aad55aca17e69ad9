#include "link/nack.hpp"

#include <gtest/gtest.h>

namespace velkor {
namespace {

TEST(NackLine, DecodesTheFirstNegativeResponse) {
  const struct {
    const char* received;
    const char* line;
  } cases[] = {
      {"83F1107F331000", "Nack : 33 - 10 Reject General"},
      {"83F1107F2112C6", "Nack : 21 - 12 subfunction not supported"},
      {"83F1107F2735C6", "Nack : 27 - 35 Invalid Key"},
      {"83F1107F319900", "Nack : 31 - 99 error unknows"},
      // Echo first, then the refusal: found wherever it stands.
      {"8210F12130D483F1107F213122", "Nack : 21 - 31 request out of range"},
      // A positive reply followed by a negative one is decoded from the negative one.
      {"84F110613000001683F1107F213322", "Nack : 21 - 33 access denied"},
      // Only the first of two refusals.
      {"83F1107F3122C683F1107F1011C6", "Nack : 31 - 22 condition not correct"},
      // Cut short after the service: the code is empty and unknown.
      {"83F1107F31", "Nack : 31 -  error unknows"},
      {"84F1106130000016", ""},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(NackLine(c.received, "F110"), c.line) << c.received;
}

TEST(NackText, EveryKnownCode) {
  const struct {
    const char* code;
    const char* text;
  } cases[] = {
      {"10", "Reject General"},
      {"11", "Service not supported"},
      {"12", "subfunction not supported"},
      {"21", "Busy - repeat request"},
      {"22", "condition not correct"},
      {"23", "Routine not completed"},
      {"31", "request out of range"},
      {"33", "access denied"},
      {"35", "Invalid Key"},
      {"36", "exceed number of attemps"},
      {"37", "required tmie delay not expired"},
      {"72", "transfert abord"},
      {"75", "illegal bock transfert"},
      {"78", "error unknows"},
      {"", "error unknows"},
  };
  for (const auto& c : cases) EXPECT_EQ(NackText(c.code), c.text) << c.code;
}

TEST(NackLine, SearchesTheReplyHeaderNotTheRequestHeader) {
  // While requests go out from address 01 the ECU still answers to F1.
  EXPECT_EQ(NackLine("83F1107F831000", "F110"), "Nack : 83 - 10 Reject General");
  EXPECT_EQ(NackLine("83F1107F831000", "0110"), "");
}

}  // namespace
}  // namespace velkor
