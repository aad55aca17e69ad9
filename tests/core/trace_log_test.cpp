#include "core/trace_log.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "core/ctime_it.hpp"

namespace velkor {
namespace {

class ManualClock : public Clock {
 public:
  std::chrono::nanoseconds Now() const override { return now; }
  void Pause(double seconds) override {
    now += std::chrono::nanoseconds(static_cast<std::int64_t>(seconds * 1e9));
  }
  std::chrono::nanoseconds now{5'000'000'000};
};

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(CTimeIt, ResultInSecondsRoundedToATenThousandth) {
  ManualClock clock;
  CTimeIt watch(clock);
  EXPECT_EQ(watch.Result(), -1.0);  // never stopped
  watch.Start();
  clock.Pause(1.23456);
  watch.StopNow();
  EXPECT_DOUBLE_EQ(watch.Result(), 1.2346);
  watch.Start();  // a new start clears the stop count
  EXPECT_EQ(watch.Result(), -1.0);
  EXPECT_EQ(watch.Frequency(), CTimeIt::kDefaultFrequency);
}

TEST(CTimeIt, WithoutACounterEveryResultIsMinusOne) {
  ManualClock clock;
  CTimeIt watch(clock, 0);
  EXPECT_FALSE(watch.HasCounter());
  watch.Start();
  clock.Pause(1);
  watch.StopNow();
  EXPECT_EQ(watch.Result(), -1.0);
}

class TraceLogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = std::filesystem::path(::testing::TempDir()) /
            (std::string("trace_") +
             ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".log");
    watch_.Start();
  }
  void TearDown() override { std::filesystem::remove(path_); }

  ManualClock clock_;
  CTimeIt watch_{clock_};
  TraceLog trace_{watch_};
  TraceList list_;
  std::filesystem::path path_;
};

TEST_F(TraceLogTest, PlainAndTimedLinesEndWithCrLf) {
  ASSERT_TRUE(trace_.Open(path_));
  trace_.SetSink(&list_);
  clock_.Pause(0.25);
  trace_.WriteTrace("Init", true);
  trace_.WriteTrace("Nack : 33 - 10 Reject General");
  clock_.Pause(1.5);
  trace_.WriteTrace("again", true);
  trace_.SetDecimalSeparator(',');
  clock_.Pause(0.0126);
  trace_.WriteTrace("comma", true);
  EXPECT_EQ(ReadFile(path_),
            "0.250: Init\r\nNack : 33 - 10 Reject General\r\n1.500: again\r\n0,013: comma\r\n");
  // Only plain lines reach the trace window.
  EXPECT_EQ(list_.Lines(), std::vector<std::string>{"Nack : 33 - 10 Reject General"});
}

TEST_F(TraceLogTest, NothingIsWrittenWhileNoFileIsOpen) {
  trace_.SetSink(&list_);
  trace_.WriteTrace("lost");
  EXPECT_TRUE(list_.Lines().empty());
  ASSERT_TRUE(trace_.Open(path_));
  trace_.WriteTrace("kept");
  trace_.Close();
  trace_.WriteTrace("lost too");
  EXPECT_EQ(ReadFile(path_), "kept\r\n");
}

TEST_F(TraceLogTest, OpeningReplacesAnEarlierFile) {
  ASSERT_TRUE(trace_.Open(path_));
  trace_.WriteTrace("first run");
  ASSERT_TRUE(trace_.Open(path_));
  trace_.WriteTrace("second run");
  EXPECT_EQ(ReadFile(path_), "second run\r\n");
  EXPECT_FALSE(trace_.Open(path_ / "no" / "such" / "folder"));
  EXPECT_FALSE(trace_.IsOpen());
}

TEST(TraceList, ScrollsToKeepTheLastTenLinesInView) {
  TraceList list;
  for (int i = 0; i < 10; ++i) list.AppendTraceLine(std::to_string(i));
  EXPECT_EQ(list.TopIndex(), 0u);
  list.AppendTraceLine("10");
  EXPECT_EQ(list.TopIndex(), 1u);
  list.AppendTraceLine("11");
  EXPECT_EQ(list.TopIndex(), 2u);
  EXPECT_EQ(list.Lines()[list.TopIndex()], "2");
}

}  // namespace
}  // namespace velkor
