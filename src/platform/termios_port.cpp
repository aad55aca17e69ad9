#include "platform/termios_port.hpp"

// termios2 and BOTHER come from the kernel's own headers. They define `struct termios` too and
// so cannot share a translation unit with <termios.h>: nothing here may include it.
#include <asm/termbits.h>
#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstring>
#include <utility>

namespace velkor {
namespace {

// A write that the driver cannot take is given this long before it counts as failed.
constexpr std::chrono::milliseconds kWriteDeadline{2000};

std::string_view Trim(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

std::optional<int> ParseInt(std::string_view text) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

// Errors that mean the device itself is gone (unplugged, or the other end of a pty closed).
bool MeansGone(int error_number) {
  return error_number == EIO || error_number == ENODEV || error_number == ENXIO;
}

tcflag_t DataBitsFlag(int data_bits) {
  switch (data_bits) {
    case 5:
      return CS5;
    case 6:
      return CS6;
    case 7:
      return CS7;
    default:
      return CS8;
  }
}

}  // namespace

std::optional<LineSettings> ParseLineSettings(std::string_view text) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = text.find(',', start);
    fields.push_back(Trim(text.substr(start, comma - start)));
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  if (fields.size() != 4) return std::nullopt;

  LineSettings settings;
  const std::optional<int> baud = ParseInt(fields[0]);
  if (!baud || *baud <= 0) return std::nullopt;
  settings.baud = *baud;

  if (fields[1].size() != 1) return std::nullopt;
  switch (fields[1][0]) {
    case 'n':
    case 'N':
      settings.parity = Parity::kNone;
      break;
    case 'e':
    case 'E':
      settings.parity = Parity::kEven;
      break;
    case 'o':
    case 'O':
      settings.parity = Parity::kOdd;
      break;
    default:
      return std::nullopt;
  }

  const std::optional<int> data_bits = ParseInt(fields[2]);
  if (!data_bits || *data_bits < 5 || *data_bits > 8) return std::nullopt;
  settings.data_bits = *data_bits;

  const std::optional<int> stop_bits = ParseInt(fields[3]);
  if (!stop_bits || (*stop_bits != 1 && *stop_bits != 2)) return std::nullopt;
  settings.stop_bits = *stop_bits;
  return settings;
}

OpenFailure DescribeOpenFailure(const std::string& path, int error_number) {
  switch (error_number) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
      return {SerialError::kNoSuchPort, "Port " + path + " does not exist"};
    case EBUSY:
    case EWOULDBLOCK:
      return {SerialError::kInUse, "Port " + path + " is in use by another program"};
    case EACCES:
    case EPERM:
      return {SerialError::kAccessDenied,
              "No permission to open " + path +
                  ": add your user to the dialout group (sudo usermod -aG dialout $USER), then "
                  "log out and in again"};
    case ENOTTY:
      return {SerialError::kOther, path + " is not a serial device"};
    default:
      return {SerialError::kOther, "Cannot open " + path + ": " + std::strerror(error_number)};
  }
}

TermiosPort::~TermiosPort() { Close(); }

bool TermiosPort::OpenKLine(const std::string& path) {
  return OpenWith(path, *ParseLineSettings(kKLineSettings));
}

bool TermiosPort::Open(const std::string& port, const std::string& settings) {
  const std::optional<LineSettings> parsed = ParseLineSettings(settings);
  if (!parsed) {
    Close();
    Fail(SerialError::kOther, "Invalid port settings \"" + settings +
                                  "\" (expected baud,parity,data bits,stop bits as "
                                  "\"38400,n,8,1\")");
    return false;
  }
  return OpenWith(port, *parsed);
}

bool TermiosPort::OpenWith(const std::string& path, const LineSettings& settings) {
  Close();
  path_ = path;
  baud_ = 0;
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    OpenFailure failure = DescribeOpenFailure(path, errno);
    Fail(failure.kind, std::move(failure.message));
    return false;
  }
  // TIOCEXCL keeps other programs out, but not one running as root; the lock also covers a
  // second open from this program and from root.
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::ioctl(fd, TIOCEXCL) != 0) {
    OpenFailure failure = DescribeOpenFailure(path, errno);
    ::close(fd);
    Fail(failure.kind, std::move(failure.message));
    return false;
  }
  fd_ = fd;
  if (!ApplySettings(settings, /*full_format=*/true)) {
    const std::string message = last_error_;
    const SerialError kind = last_error_kind_;
    Close();
    Fail(kind, message);
    return false;
  }
  TryLowLatency();
  ::ioctl(fd_, TCFLSH, TCIOFLUSH);
  last_error_.clear();
  last_error_kind_ = SerialError::kNone;
  return true;
}

void TermiosPort::Close() {
  if (fd_ < 0) return;
  ::ioctl(fd_, TIOCNXCL);
  ::close(fd_);
  fd_ = -1;
}

bool TermiosPort::ApplySettings(const LineSettings& settings, bool full_format) {
  if (fd_ < 0) return false;
  if (settings.baud <= 0) {
    Fail(SerialError::kOther,
         "speed " + std::to_string(settings.baud) + " baud not supported by " + path_);
    return false;
  }
  termios2 previous{};
  if (::ioctl(fd_, TCGETS2, &previous) != 0) {
    const int error_number = errno;
    if (MeansGone(error_number)) {
      MarkGone();
    } else {
      Fail(SerialError::kOther, DescribeOpenFailure(path_, error_number).message);
    }
    return false;
  }

  termios2 wanted = previous;
  if (full_format) {
    // Raw bytes both ways: no break or parity handling, no CR/NL mapping, no XON/XOFF, no echo,
    // no signals. A received break reads as a 0x00 byte, as on the cable drivers.
    wanted.c_iflag = 0;
    wanted.c_oflag = 0;
    wanted.c_lflag = 0;
    // CLOCAL: no modem lines, so a K-line cable without carrier never hangs the port up.
    // No CRTSCTS: hardware flow control is never used either.
    wanted.c_cflag = CREAD | CLOCAL | DataBitsFlag(settings.data_bits);
    if (settings.parity != Parity::kNone) wanted.c_cflag |= PARENB;
    if (settings.parity == Parity::kOdd) wanted.c_cflag |= PARODD;
    if (settings.stop_bits == 2) wanted.c_cflag |= CSTOPB;
    // Reads return what is there at once.
    wanted.c_cc[VMIN] = 0;
    wanted.c_cc[VTIME] = 0;
  }
  // BOTHER takes the speed as a number of baud, for input and output alike.
  wanted.c_cflag &= ~(CBAUD | (CBAUD << IBSHIFT));
  wanted.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
  wanted.c_ispeed = static_cast<speed_t>(settings.baud);
  wanted.c_ospeed = static_cast<speed_t>(settings.baud);

  const std::string refused =
      "speed " + std::to_string(settings.baud) + " baud not supported by " + path_;
  if (::ioctl(fd_, TCSETS2, &wanted) != 0) {
    if (MeansGone(errno)) {
      MarkGone();
    } else {
      Fail(SerialError::kOther, refused);
    }
    return false;
  }
  // A driver that cannot divide its clock down to the speed sets the nearest one it can, or a
  // default, and says so only in what it reads back.
  termios2 actual{};
  if (::ioctl(fd_, TCGETS2, &actual) != 0) {
    if (MeansGone(errno)) MarkGone();
    return false;
  }
  const double deviation =
      std::abs(static_cast<double>(actual.c_ospeed) - settings.baud) / settings.baud;
  if (deviation > kSpeedTolerance) {
    ::ioctl(fd_, TCSETS2, &previous);
    Fail(SerialError::kOther, refused);
    return false;
  }
  if (full_format) {
    settings_ = settings;
  } else {
    settings_.baud = settings.baud;
  }
  baud_ = settings.baud;
  return true;
}

void TermiosPort::TryLowLatency() {
  // Makes the driver hand received bytes on at once rather than after its own timer. Drivers
  // without the call (ptys, some USB adapters) are fine as they are.
  serial_struct serial{};
  if (::ioctl(fd_, TIOCGSERIAL, &serial) != 0) return;
  if ((serial.flags & ASYNC_LOW_LATENCY) != 0) return;
  serial.flags |= ASYNC_LOW_LATENCY;
  ::ioctl(fd_, TIOCSSERIAL, &serial);
}

bool TermiosPort::Configure(int baud) {
  if (fd_ < 0) return false;
  Purge();
  if (fd_ < 0) return false;
  if (::ioctl(fd_, TIOCCBRK) != 0) {
    if (MeansGone(errno)) MarkGone();
    return false;
  }
  return ApplySettings(LineSettings{baud, Parity::kNone, 8, 1}, /*full_format=*/true);
}

bool TermiosPort::SetSpeed(int baud) {
  LineSettings settings = settings_;
  settings.baud = baud;
  return ApplySettings(settings, /*full_format=*/false);
}

bool TermiosPort::SetBreak(bool on) {
  if (fd_ < 0) return false;
  if (::ioctl(fd_, on ? TIOCSBRK : TIOCCBRK) != 0) {
    if (MeansGone(errno)) MarkGone();
    return false;
  }
  return true;
}

void TermiosPort::WaitReadable(std::chrono::microseconds most) {
  if (fd_ < 0 || most.count() <= 0) return;
  pollfd watched{};
  watched.fd = fd_;
  watched.events = POLLIN;
  const timespec limit{static_cast<time_t>(most.count() / 1'000'000),
                       static_cast<long>(most.count() % 1'000'000) * 1000};
  // A hang-up or an error ends the wait at once; the next BytesWaiting tells the caller.
  ::ppoll(&watched, 1, &limit, nullptr);
}

std::size_t TermiosPort::BytesWaiting() {
  if (fd_ < 0) return 0;
  int count = 0;
  // A hung-up device fails every request with EIO.
  if (::ioctl(fd_, FIONREAD, &count) != 0) {
    if (MeansGone(errno)) MarkGone();
    return 0;
  }
  return count > 0 ? static_cast<std::size_t>(count) : 0;
}

std::size_t TermiosPort::ReadInto(std::uint8_t* buffer, std::size_t size) {
  if (fd_ < 0 || size == 0) return 0;
  while (true) {
    const ssize_t got = ::read(fd_, buffer, size);
    if (got > 0) return static_cast<std::size_t>(got);
    if (got == 0) {
      // Nothing waiting, or a hung-up device, which also reads as nothing.
      CheckGone();
      return 0;
    }
    if (errno == EINTR) continue;
    if (MeansGone(errno)) MarkGone();
    return 0;
  }
}

std::vector<std::uint8_t> TermiosPort::Read(std::size_t max_bytes) {
  // Chunked, so that a huge max_bytes costs no more memory than what is really there.
  std::vector<std::uint8_t> bytes;
  std::uint8_t chunk[4096];
  while (bytes.size() < max_bytes) {
    const std::size_t got = ReadInto(chunk, std::min(sizeof(chunk), max_bytes - bytes.size()));
    if (got == 0) break;
    bytes.insert(bytes.end(), chunk, chunk + got);
  }
  return bytes;
}

std::string TermiosPort::ReadAll() {
  std::string text;
  std::uint8_t chunk[4096];
  while (true) {
    const std::size_t got = ReadInto(chunk, sizeof(chunk));
    if (got == 0) break;
    text.append(reinterpret_cast<const char*>(chunk), got);
  }
  return text;
}

bool TermiosPort::WriteByte(std::uint8_t byte) {
  return Write(std::string_view(reinterpret_cast<const char*>(&byte), 1));
}

bool TermiosPort::Write(std::string_view data) {
  if (fd_ < 0) return false;
  const auto deadline = std::chrono::steady_clock::now() + kWriteDeadline;
  while (!data.empty()) {
    const ssize_t put = ::write(fd_, data.data(), data.size());
    if (put > 0) {
      data.remove_prefix(static_cast<std::size_t>(put));
      continue;
    }
    if (put < 0 && errno == EINTR) continue;
    if (put < 0 && errno != EAGAIN) {
      if (MeansGone(errno)) {
        MarkGone();
      } else {
        Fail(SerialError::kOther, "Write to " + path_ + " failed: " + std::strerror(errno));
      }
      return false;
    }
    // The driver's output buffer is full: wait for room, but not forever.
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
      Fail(SerialError::kOther, "Write to " + path_ + " timed out");
      return false;
    }
    pollfd waiter{fd_, POLLOUT, 0};
    ::poll(&waiter, 1, static_cast<int>(left.count()));
    if ((waiter.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) {
      MarkGone();
      return false;
    }
  }
  return true;
}

void TermiosPort::Purge() {
  if (fd_ < 0) return;
  if (::ioctl(fd_, TCFLSH, TCIOFLUSH) != 0 && MeansGone(errno)) MarkGone();
}

bool TermiosPort::CheckGone() {
  if (fd_ < 0) return true;
  pollfd probe{fd_, POLLIN, 0};
  if (::poll(&probe, 1, 0) < 0) return false;
  if ((probe.revents & (POLLHUP | POLLERR | POLLNVAL)) == 0) return false;
  MarkGone();
  return true;
}

void TermiosPort::MarkGone() {
  Close();
  Fail(SerialError::kNoSuchPort, "Port " + path_ + " was disconnected");
}

void TermiosPort::Fail(SerialError kind, std::string message) {
  last_error_kind_ = kind;
  last_error_ = std::move(message);
}

}  // namespace velkor
