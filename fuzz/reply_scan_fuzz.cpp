// Feeds arbitrary received text to the reply scanning the decoders rely on: the negative-response
// decoder and the plain pattern search and slicing of hex messages.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/hex_message.hpp"
#include "link/frame.hpp"
#include "link/nack.hpp"

using namespace velkor;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  // First byte picks how much of the input is the pattern; the rest is the received text.
  const std::size_t split = size == 0 ? 0 : (data[0] % 9) + 1;
  const std::string_view pattern = input.substr(0, std::min(split, size));
  const std::string_view received = input.substr(std::min(split, size));

  const std::string line = NackLine(received, "F110");
  if (!line.empty() && line.rfind("Nack : ", 0) != 0) std::abort();
  (void)NackLine(received, pattern);

  const std::size_t at = InStr(received, pattern);
  if (at != 0 && received.substr(at - 1, pattern.size()) != pattern) std::abort();
  // Decoders cut fields at fixed offsets after a match; none may read outside the text.
  for (std::size_t offset = 0; offset < 64; offset += 2) {
    const std::string field = Mid(received, at + offset, 2);
    if (field.size() > 2) std::abort();
    (void)HexToByte(field);
  }
  const std::string sum = CheckSum(received);
  if (sum.size() != 2) std::abort();
  const std::vector<std::uint8_t> bytes = HexToBytes(received);
  if (bytes.size() != (received.size() + 1) / 2) std::abort();
  (void)BuildFrame(received, data[0] % 8, "10F1");
  return 0;
}
