#include "link/nack.hpp"

#include <array>
#include <utility>

#include "core/hex_message.hpp"
#include "core/trace_log.hpp"

namespace velkor {

std::string NackText(std::string_view code) {
  // Texts as the trace has always shown them, spelling included: people search old traces.
  static constexpr std::array<std::pair<std::string_view, std::string_view>, 13> kTexts = {{
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
  }};
  for (const auto& [known, text] : kTexts) {
    if (known == code) return std::string(text);
  }
  return "error unknows";
}

std::string NackLine(std::string_view received, std::string_view reply_header) {
  const std::string pattern = std::string(reply_header) + "7F";
  const std::size_t p = InStr(received, pattern);
  if (p == 0) return {};
  // Service and code follow the header and 7F; a reply cut short leaves them shorter or empty.
  const std::string service = Mid(received, p + 6, 2);
  const std::string code = Mid(received, p + 8, 2);
  return "Nack : " + service + " - " + code + " " + NackText(code);
}

void DecodeNack(std::string_view received, std::string_view reply_header, TraceLog& trace) {
  const std::string line = NackLine(received, reply_header);
  if (!line.empty()) trace.WriteTrace(line);
}

}  // namespace velkor
