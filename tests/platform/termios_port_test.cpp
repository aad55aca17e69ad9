#include "platform/termios_port.hpp"

// The kernel's termios2 view, to read back what the port set; <termios.h> must stay out.
#include <asm/termbits.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace velkor {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A pseudo-terminal: the port opens the slave side, the test plays the cable on the master.
// Termios requests on the master act on the slave, so the master also reads back the line
// format the port set.
class PtyPair {
 public:
  PtyPair() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) return;
    slave_path_ = ::ptsname(master_);
  }
  ~PtyPair() { CloseMaster(); }

  bool Ok() const { return master_ >= 0 && !slave_path_.empty(); }
  const std::string& SlavePath() const { return slave_path_; }

  void CloseMaster() {
    if (master_ >= 0) ::close(master_);
    master_ = -1;
  }

  void Send(const Bytes& bytes) {
    ASSERT_EQ(::write(master_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  }

  // What the port wrote, once `count` bytes have come or a generous wait has passed.
  Bytes Receive(std::size_t count) {
    Bytes bytes;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (bytes.size() < count && std::chrono::steady_clock::now() < deadline) {
      pollfd waiter{master_, POLLIN, 0};
      if (::poll(&waiter, 1, 100) <= 0) continue;
      std::uint8_t chunk[256];
      const ssize_t got = ::read(master_, chunk, sizeof(chunk));
      if (got > 0) bytes.insert(bytes.end(), chunk, chunk + got);
    }
    return bytes;
  }

  termios2 LineFormat() const {
    termios2 format{};
    EXPECT_EQ(::ioctl(master_, TCGETS2, &format), 0);
    return format;
  }

 private:
  int master_ = -1;
  std::string slave_path_;
};

// Waits (boundedly) until the kernel has moved what the master sent over to the slave side.
std::size_t WaitForBytes(TermiosPort& port, std::size_t count) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  std::size_t waiting = port.BytesWaiting();
  while (waiting < count && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    waiting = port.BytesWaiting();
  }
  return waiting;
}

class TermiosPortTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(pty_.Ok()) << "no pseudo-terminal available";
    ASSERT_TRUE(port_.Open(pty_.SlavePath(), "38400,n,8,1")) << port_.LastError();
  }

  PtyPair pty_;
  TermiosPort port_;
};

TEST_F(TermiosPortTest, OpensRawWithoutAnyFlowControl) {
  const termios2 format = pty_.LineFormat();
  EXPECT_EQ(format.c_iflag & (IXON | IXOFF | IXANY | ICRNL | INLCR | IGNCR | ISTRIP), 0u);
  EXPECT_EQ(format.c_cflag & CRTSCTS, 0u);
  EXPECT_EQ(format.c_oflag & OPOST, 0u);
  EXPECT_EQ(format.c_lflag & (ICANON | ECHO | ISIG | IEXTEN), 0u);
  EXPECT_EQ(format.c_cflag & (CSIZE | PARENB | CSTOPB | CLOCAL | CREAD), CS8 | CLOCAL | CREAD);
  EXPECT_EQ(format.c_cc[VMIN], 0);
  EXPECT_EQ(format.c_cc[VTIME], 0);
  EXPECT_EQ(format.c_ospeed, 38400u);
  EXPECT_TRUE(port_.IsOpen());
  EXPECT_EQ(port_.Baud(), 38400);
}

TEST_F(TermiosPortTest, KLineSpeedsAreSetExactly) {
  // The K-line speeds are not in the standard table, so they only exist through BOTHER.
  for (int baud : {10400, 7812, 1200, 360, 200, 9600}) {
    SCOPED_TRACE(baud);
    ASSERT_TRUE(port_.SetSpeed(baud)) << port_.LastError();
    EXPECT_EQ(port_.Baud(), baud);
    const termios2 format = pty_.LineFormat();
    EXPECT_EQ(format.c_ospeed, static_cast<speed_t>(baud));
    EXPECT_EQ(format.c_ispeed, static_cast<speed_t>(baud));
    EXPECT_EQ(format.c_cflag & CBAUD, static_cast<tcflag_t>(BOTHER));
  }
}

TEST_F(TermiosPortTest, SpeedChangeKeepsTheLineFormatAndConfigureResetsIt) {
  // A pty forces 8 data bits without parity whatever is asked, so the stop bits carry the
  // format through this test.
  ASSERT_TRUE(port_.Open(pty_.SlavePath(), "9600,n,8,2")) << port_.LastError();
  ASSERT_TRUE(port_.SetSpeed(1200));
  termios2 format = pty_.LineFormat();
  EXPECT_EQ(format.c_cflag & (CSIZE | PARENB | PARODD | CSTOPB), CS8 | CSTOPB);
  EXPECT_EQ(format.c_ospeed, 1200u);

  pty_.Send({0x01, 0x02});
  ASSERT_EQ(WaitForBytes(port_, 2), 2u);
  ASSERT_TRUE(port_.Configure(10400));
  format = pty_.LineFormat();
  EXPECT_EQ(format.c_cflag & (CSIZE | PARENB | PARODD | CSTOPB), static_cast<tcflag_t>(CS8));
  EXPECT_EQ(format.c_ospeed, 10400u);
  EXPECT_EQ(port_.Baud(), 10400);
  EXPECT_EQ(port_.BytesWaiting(), 0u) << "Configure purges the input";
}

TEST_F(TermiosPortTest, ImpossibleSpeedIsRefusedAndTheOldOneKept) {
  ASSERT_TRUE(port_.SetSpeed(10400));
  for (int baud : {0, -200}) {
    SCOPED_TRACE(baud);
    EXPECT_FALSE(port_.SetSpeed(baud));
    EXPECT_EQ(port_.LastError(),
              "speed " + std::to_string(baud) + " baud not supported by " + pty_.SlavePath());
    EXPECT_EQ(port_.Baud(), 10400);
    EXPECT_EQ(pty_.LineFormat().c_ospeed, 10400u);
    EXPECT_TRUE(port_.IsOpen());
  }
}

TEST_F(TermiosPortTest, EveryByteValuePassesUntouchedBothWays) {
  // Control characters a cooked or flow-controlled line would act on: XON 0x11 and XOFF 0x13
  // (the AFR stream carries them as data), CR/LF mapping, EOF, erase, kill, signals, NUL.
  const Bytes specials = {0x13, 0x00, 0x11, 0x0D, 0x0A, 0x04, 0x7F, 0x15, 0x03,
                          0x1A, 0x1C, 0x16, 0x12, 0x17, 0x0F, 0xFF, 0x80, 0x13};
  Bytes all = specials;
  for (int value = 0; value < 256; ++value) all.push_back(static_cast<std::uint8_t>(value));

  // Into the port: nothing swallowed, nothing mapped, and nothing held back for a line end.
  pty_.Send(all);
  ASSERT_EQ(WaitForBytes(port_, all.size()), all.size());
  Bytes received = port_.Read(5);
  EXPECT_EQ(port_.BytesWaiting(), all.size() - 5);
  const std::string rest = port_.ReadAll();
  received.insert(received.end(), rest.begin(), rest.end());
  EXPECT_EQ(received, all);
  EXPECT_EQ(port_.BytesWaiting(), 0u);

  // Out of the port, after the XOFF above: output must not have been stopped by it.
  for (std::uint8_t byte : specials) ASSERT_TRUE(port_.WriteByte(byte));
  ASSERT_TRUE(port_.Write(std::string(all.begin(), all.end())));
  Bytes expected = specials;
  expected.insert(expected.end(), all.begin(), all.end());
  EXPECT_EQ(pty_.Receive(expected.size()), expected);
}

TEST_F(TermiosPortTest, PurgeDropsWaitingInputOnly) {
  pty_.Send({0x10, 0x20, 0x30, 0x40, 0x50});
  ASSERT_EQ(WaitForBytes(port_, 5), 5u);
  port_.Purge();
  EXPECT_EQ(port_.BytesWaiting(), 0u);
  EXPECT_TRUE(port_.Read(10).empty());

  pty_.Send({0x60});
  ASSERT_EQ(WaitForBytes(port_, 1), 1u);
  EXPECT_EQ(port_.Read(10), Bytes{0x60});
  EXPECT_TRUE(port_.Read(SIZE_MAX).empty());
}

TEST_F(TermiosPortTest, BreakIsAcceptedOnALineWithoutBreakSupport) {
  // A pty has no break signal; the calls must still succeed, as on drivers that ignore it.
  EXPECT_TRUE(port_.SetBreak(true));
  EXPECT_TRUE(port_.SetBreak(false));
}

TEST_F(TermiosPortTest, SecondOpenOfTheSameDeviceIsRefusedUntilTheFirstCloses) {
  TermiosPort second;
  EXPECT_FALSE(second.Open(pty_.SlavePath(), "38400,n,8,1"));
  EXPECT_EQ(second.LastErrorKind(), SerialError::kInUse);
  EXPECT_NE(second.LastError().find(pty_.SlavePath()), std::string::npos);
  EXPECT_FALSE(second.IsOpen());

  // The refused open left the first one working.
  ASSERT_TRUE(port_.WriteByte(0x42));
  EXPECT_EQ(pty_.Receive(1), Bytes{0x42});

  port_.Close();
  EXPECT_TRUE(second.Open(pty_.SlavePath(), "38400,n,8,1")) << second.LastError();
  EXPECT_EQ(second.LastErrorKind(), SerialError::kNone);
}

TEST_F(TermiosPortTest, KLineOpenStartsAt10400Baud8N1) {
  port_.Close();
  ASSERT_TRUE(port_.OpenKLine(pty_.SlavePath())) << port_.LastError();
  EXPECT_EQ(port_.Baud(), 10400);
  const termios2 format = pty_.LineFormat();
  EXPECT_EQ(format.c_ospeed, 10400u);
  EXPECT_EQ(format.c_cflag & (CSIZE | PARENB | CSTOPB), static_cast<tcflag_t>(CS8));
}

// The other end vanishing (the pty master closed here, a USB cable pulled in the field) hangs the
// device up. Whichever call meets it first must fail quietly and close the port, and every
// call after it must fail as well, without blocking.
TEST(TermiosPortHangUpTest, EveryCallFailsQuietlyOnceTheDeviceIsGone) {
  struct Case {
    const char* name;
    std::function<bool(TermiosPort&)> fails;  // true when the call reported failure
  };
  const std::vector<Case> cases = {
      {"BytesWaiting", [](TermiosPort& p) { return p.BytesWaiting() == 0; }},
      {"Read", [](TermiosPort& p) { return p.Read(16).empty(); }},
      {"ReadAll", [](TermiosPort& p) { return p.ReadAll().empty(); }},
      {"WriteByte", [](TermiosPort& p) { return !p.WriteByte(0x55); }},
      {"Write", [](TermiosPort& p) { return !p.Write("ATZ\r"); }},
      {"SetSpeed", [](TermiosPort& p) { return !p.SetSpeed(10400); }},
      {"Configure", [](TermiosPort& p) { return !p.Configure(10400); }},
      {"SetBreak", [](TermiosPort& p) { return !p.SetBreak(true); }},
      {"Purge",
       [](TermiosPort& p) {
         p.Purge();
         return true;
       }},
  };
  alarm(120);  // a hang must end the run rather than stall it
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PtyPair pty;
    ASSERT_TRUE(pty.Ok());
    TermiosPort port;
    ASSERT_TRUE(port.Open(pty.SlavePath(), "38400,n,8,1"));
    pty.Send({0x01});
    ASSERT_EQ(WaitForBytes(port, 1), 1u);
    pty.CloseMaster();

    EXPECT_TRUE(c.fails(port));
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(port.LastErrorKind(), SerialError::kNoSuchPort);
    EXPECT_EQ(port.BytesWaiting(), 0u);
    EXPECT_TRUE(port.Read(4).empty());
    EXPECT_FALSE(port.WriteByte(0x01));
    EXPECT_FALSE(port.SetSpeed(1200));
  }
  alarm(0);
}

TEST(TermiosPortOpenTest, FailedOpensSayWhy) {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("velkor_termios_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const std::string missing = (dir / "ttyUSB9").string();
  const std::string plain_file = (dir / "notes.txt").string();
  std::ofstream(plain_file) << "not a tty";

  struct Case {
    std::string path;
    std::string settings;
    SerialError kind;
    std::string message;
  };
  const std::vector<Case> cases = {
      {missing, "38400,n,8,1", SerialError::kNoSuchPort, "Port " + missing + " does not exist"},
      {plain_file, "38400,n,8,1", SerialError::kOther, plain_file + " is not a serial device"},
      {missing, "38400,n,8", SerialError::kOther,
       "Invalid port settings \"38400,n,8\" (expected baud,parity,data bits,stop bits as "
       "\"38400,n,8,1\")"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path + " " + c.settings);
    TermiosPort port;
    EXPECT_FALSE(port.Open(c.path, c.settings));
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(port.LastErrorKind(), c.kind);
    EXPECT_EQ(port.LastError(), c.message);
    // A closed port is a silent line, not a crash.
    EXPECT_EQ(port.BytesWaiting(), 0u);
    EXPECT_FALSE(port.Write("x"));
    EXPECT_FALSE(port.Configure(10400));
  }
  std::filesystem::remove_all(dir);
}

TEST(DescribeOpenFailureTest, ErrnoValuesMapToWhatTheUserCanDo) {
  struct Case {
    int error_number;
    SerialError kind;
    std::string fragment;  // the part of the message that tells the user what happened
  };
  const std::vector<Case> cases = {
      {ENOENT, SerialError::kNoSuchPort, "Port /dev/ttyUSB9 does not exist"},
      {ENODEV, SerialError::kNoSuchPort, "Port /dev/ttyUSB9 does not exist"},
      {ENXIO, SerialError::kNoSuchPort, "Port /dev/ttyUSB9 does not exist"},
      {EBUSY, SerialError::kInUse, "in use"},
      {EWOULDBLOCK, SerialError::kInUse, "in use"},
      {EACCES, SerialError::kAccessDenied, "dialout group"},
      {EPERM, SerialError::kAccessDenied, "dialout group"},
      {EIO, SerialError::kOther, std::strerror(EIO)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.error_number);
    const OpenFailure failure = DescribeOpenFailure("/dev/ttyUSB9", c.error_number);
    EXPECT_EQ(failure.kind, c.kind);
    EXPECT_NE(failure.message.find(c.fragment), std::string::npos) << failure.message;
    EXPECT_NE(failure.message.find("/dev/ttyUSB9"), std::string::npos) << failure.message;
  }
}

TEST(ParseLineSettingsTest, AcceptsTheFourFieldsAndNothingElse) {
  struct Case {
    const char* text;
    std::optional<LineSettings> expected;
  };
  const std::vector<Case> cases = {
      {"38400,n,8,1", LineSettings{38400, Parity::kNone, 8, 1}},
      {"9600,E,7,2", LineSettings{9600, Parity::kEven, 7, 2}},
      {"19200,o,5,1", LineSettings{19200, Parity::kOdd, 5, 1}},
      {" 10400 , N , 8 , 1 ", LineSettings{10400, Parity::kNone, 8, 1}},
      {"", std::nullopt},
      {"38400", std::nullopt},
      {"38400,n,8", std::nullopt},
      {"38400,n,8,1,", std::nullopt},
      {"38400,n,8,1,x", std::nullopt},
      {"0,n,8,1", std::nullopt},
      {"-9600,n,8,1", std::nullopt},
      {"99999999999,n,8,1", std::nullopt},
      {"38k4,n,8,1", std::nullopt},
      {"38400,x,8,1", std::nullopt},
      {"38400,none,8,1", std::nullopt},
      {"38400,,8,1", std::nullopt},
      {"38400,n,9,1", std::nullopt},
      {"38400,n,4,1", std::nullopt},
      {"38400,n,8,0", std::nullopt},
      {"38400,n,8,3", std::nullopt},
      {"38400,n,8,1.5", std::nullopt},
      {"38400;n;8;1", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ParseLineSettings(c.text), c.expected);
  }
}

}  // namespace
}  // namespace velkor
