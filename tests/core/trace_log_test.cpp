#include "core/trace_log.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "core/ctime_it.hpp"
#include "full_disk_file_system.hpp"

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

// A disk that fills up on demand, and copies the system may refuse.
class TraceFiles : public testing_support::FullDiskFileSystem {
 public:
  bool refuse_copies = false;
  CopyResult Copy(const std::filesystem::path& from, const std::filesystem::path& to) override {
    if (refuse_copies) return CopyResult::kPermissionDenied;
    return FullDiskFileSystem::Copy(from, to);
  }
};

class TraceLogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    path_ = std::filesystem::path(::testing::TempDir()) / ("trace_" + name + ".log");
    kept_ = std::filesystem::path(::testing::TempDir()) / ("trace_" + name + "_OK.log");
    watch_.Start();
  }
  void TearDown() override {
    std::filesystem::remove(path_);
    std::filesystem::remove(kept_);
  }

  ManualClock clock_;
  CTimeIt watch_{clock_};
  TraceFiles files_;
  TraceLog trace_{watch_, files_};
  TraceList list_;
  std::filesystem::path path_;
  std::filesystem::path kept_;
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

// A full disk costs the lines written while it is full, never the ones before; the trace
// window still shows every plain line.
TEST_F(TraceLogTest, FullDiskKeepsTheLinesBeforeAndCountsTheLostOnes) {
  ASSERT_TRUE(trace_.Open(path_));
  trace_.SetSink(&list_);
  trace_.WriteTrace("before");
  files_.full = true;
  trace_.WriteTrace("lost");
  trace_.WriteTrace("lost too", true);
  EXPECT_EQ(trace_.FailedWrites(), 2u);
  files_.full = false;
  trace_.WriteTrace("after");
  EXPECT_EQ(ReadFile(path_), "before\r\nafter\r\n");
  EXPECT_EQ(trace_.FailedWrites(), 2u);
  EXPECT_EQ(list_.Lines(), (std::vector<std::string>{"before", "lost", "after"}));
}

TEST_F(TraceLogTest, KeptCopyBecomesTheTraceAndTheFirstFileGoes) {
  ASSERT_TRUE(trace_.Open(path_));
  trace_.WriteTrace("start");
  EXPECT_EQ(trace_.KeepAs(kept_), FileSystem::CopyResult::kCopied);
  trace_.WriteTrace("more");
  EXPECT_EQ(trace_.Path(), kept_);
  EXPECT_FALSE(std::filesystem::exists(path_));
  EXPECT_EQ(ReadFile(kept_), "start\r\nmore\r\n");
}

// A copy that cannot be made (a full disk, a refusal) leaves the trace whole in its first file,
// which goes on; the caller learns which.
TEST_F(TraceLogTest, TraceStaysInItsFileWhenTheCopyCannotBeMade) {
  const struct {
    const char* name;
    bool full;
    bool refused;
    FileSystem::CopyResult result;
  } cases[] = {
      {"full disk", true, false, FileSystem::CopyResult::kFailed},
      {"permission denied", false, true, FileSystem::CopyResult::kPermissionDenied},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(trace_.Open(path_));
    trace_.WriteTrace("start");
    files_.full = c.full;
    files_.refuse_copies = c.refused;
    EXPECT_EQ(trace_.KeepAs(kept_), c.result);
    files_.full = false;
    files_.refuse_copies = false;
    trace_.WriteTrace("more");
    EXPECT_EQ(trace_.Path(), path_);
    EXPECT_TRUE(trace_.IsOpen());
    EXPECT_EQ(ReadFile(path_), "start\r\nmore\r\n");
    EXPECT_FALSE(std::filesystem::exists(kept_));
  }
  // Never opened: nothing to keep.
  TraceLog never_opened(watch_, files_);
  EXPECT_EQ(never_opened.KeepAs(kept_), FileSystem::CopyResult::kFailed);
  EXPECT_FALSE(std::filesystem::exists(kept_));
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
