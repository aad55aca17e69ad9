#include "platform/ftdi_port.hpp"

#include <gtest/gtest.h>
#include <libusb.h>

#include <string>
#include <vector>

namespace velkor {
namespace {

using Bytes = std::vector<std::uint8_t>;

// One step on a ring and what it must give back.
struct RingStep {
  enum Kind { kPush, kPop, kClear } kind;
  Bytes bytes;            // kPush: offered; kPop: expected
  std::size_t count = 0;  // kPush: expected accepted; kPop: asked for
  std::size_t size_after = 0;
};

RingStep Push(Bytes bytes, std::size_t accepted, std::size_t size_after) {
  return {RingStep::kPush, std::move(bytes), accepted, size_after};
}
RingStep Pop(std::size_t asked, Bytes expected, std::size_t size_after) {
  return {RingStep::kPop, std::move(expected), asked, size_after};
}
RingStep Clear() { return {RingStep::kClear, {}, 0, 0}; }

TEST(ByteRingTest, KeepsOrderAcrossTheWrapAndRefusesWhatDoesNotFit) {
  struct Case {
    const char* name;
    std::size_t capacity;
    std::vector<RingStep> steps;
  };
  const std::vector<Case> cases = {
      {"first in, first out", 8, {Push({1, 2, 3}, 3, 3), Pop(2, {1, 2}, 1), Pop(5, {3}, 0)}},
      {"empty ring gives nothing", 4, {Pop(3, {}, 0), Push({}, 0, 0), Pop(0, {}, 0)}},
      {"full ring keeps the oldest bytes",
       4,
       {Push({1, 2, 3, 4, 5, 6}, 4, 4), Push({7}, 0, 4), Pop(10, {1, 2, 3, 4}, 0)}},
      {"writes and reads across the end of the storage",
       4,
       {Push({1, 2, 3}, 3, 3), Pop(2, {1, 2}, 1), Push({4, 5, 6}, 3, 4), Push({7}, 0, 4),
        Pop(3, {3, 4, 5}, 1), Push({8, 9}, 2, 3), Pop(9, {6, 8, 9}, 0)}},
      {"clear empties and the ring refills from the start",
       3,
       {Push({1, 2}, 2, 2), Pop(1, {1}, 1), Clear(), Pop(4, {}, 0), Push({5, 6, 7}, 3, 3),
        Pop(3, {5, 6, 7}, 0)}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ByteRing ring(c.capacity);
    for (std::size_t i = 0; i < c.steps.size(); ++i) {
      SCOPED_TRACE("step " + std::to_string(i));
      const RingStep& step = c.steps[i];
      switch (step.kind) {
        case RingStep::kPush:
          EXPECT_EQ(ring.Push(step.bytes), step.count);
          break;
        case RingStep::kPop:
          EXPECT_EQ(ring.Pop(step.count), step.bytes);
          break;
        case RingStep::kClear:
          ring.Clear();
          break;
      }
      EXPECT_EQ(ring.Size(), step.size_after);
      EXPECT_EQ(ring.Capacity(), c.capacity);
    }
  }
}

TEST(FtdiOpenFailureTest, OpenAndProbeCodesAreSortedByWhatTheUserMustDo) {
  struct Case {
    int open_code;
    int probe_code;
    FtdiOpenProblem expected;
  };
  const std::vector<Case> cases = {
      // The device node itself refused us: no udev rule or group.
      {0, LIBUSB_ERROR_ACCESS, FtdiOpenProblem::kAccessDenied},
      // Gone between listing and opening.
      {0, LIBUSB_ERROR_NO_DEVICE, FtdiOpenProblem::kNotPresent},
      {0, LIBUSB_ERROR_NOT_FOUND, FtdiOpenProblem::kNotPresent},
      // libusb codes share numbers with libftdi's: a failed probe is never read as an open code.
      {0, LIBUSB_ERROR_OVERFLOW, FtdiOpenProblem::kOther},
      {-8, LIBUSB_ERROR_IO, FtdiOpenProblem::kOther},
      // ftdi_usb_open_dev after a good probe.
      {-8, 0, FtdiOpenProblem::kAccessDenied},
      {-5, 0, FtdiOpenProblem::kHeldByDriver},
      {-3, 0, FtdiOpenProblem::kHeldByDriver},
      {-11, 0, FtdiOpenProblem::kHeldByDriver},
      {-4, 0, FtdiOpenProblem::kOther},
      {-6, 0, FtdiOpenProblem::kOther},
      {-13, 0, FtdiOpenProblem::kOther},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("open " + std::to_string(c.open_code) + " probe " + std::to_string(c.probe_code));
    EXPECT_EQ(ClassifyFtdiOpenFailure(c.open_code, c.probe_code), c.expected);
  }
}

TEST(FtdiOpenFailureTest, MessageStartsWithTheFixedLineThenSaysWhatToDo) {
  struct Case {
    FtdiOpenProblem problem;
    std::vector<std::string> fragments;
  };
  const std::vector<Case> cases = {
      {FtdiOpenProblem::kNotPresent, {"\"K-Line Cable A\"", "plugged in"}},
      {FtdiOpenProblem::kAccessDenied,
       {"99-velkor-kline.rules", "/etc/udev/rules.d", "plugdev", "replug"}},
      {FtdiOpenProblem::kHeldByDriver, {"serial driver", "ftdi_sio", "/dev/ttyUSB"}},
      {FtdiOpenProblem::kListingFailed, {"could not be listed", "bus exploded"}},
      {FtdiOpenProblem::kOther, {"bus exploded"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.problem));
    const std::string text = FtdiOpenFailureText(c.problem, "K-Line Cable A", "bus exploded");
    const std::size_t line_end = text.find('\n');
    ASSERT_NE(line_end, std::string::npos);
    EXPECT_EQ(text.substr(0, line_end), "Failed to open device.");
    const std::string advice = text.substr(line_end + 1);
    EXPECT_EQ(advice.find('\n'), std::string::npos) << "one line of advice";
    for (const std::string& fragment : c.fragments) {
      EXPECT_NE(advice.find(fragment), std::string::npos) << fragment << " in: " << advice;
    }
  }
}

}  // namespace
}  // namespace velkor
