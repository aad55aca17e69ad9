#include "link/frame.hpp"

#include "core/ecu_family.hpp"

namespace velkor {

namespace {
constexpr std::size_t kMaxKwpData = 63;  // the format byte carries at most 63 data bytes
}

HexMessage FrameKwp(std::string_view data, std::string_view request_header) {
  const std::size_t n = ByteLength(data);
  if (n == 0 || n > kMaxKwpData) return {};
  HexMessage frame = ByteToHex(static_cast<int>(0x80 + n));
  frame += request_header;
  frame += data;
  frame += CheckSum(frame);
  return frame;
}

HexMessage BuildFrame(std::string_view request, int ecu_type, std::string_view request_header) {
  HexMessage frame;
  if (IsKwpFamily(ecu_type)) {
    frame = FrameKwp(request, request_header);
  } else if (ecu_type >= 0 && ecu_type <= IawP8) {
    frame = std::string(request);
  }
  if (frame == "00") frame.clear();
  return frame;
}

}  // namespace velkor
