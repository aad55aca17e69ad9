#pragma once

#include <string>
#include <string_view>

namespace velkor {

class TraceLog;

// The English meaning of a KWP negative-response code ("error unknows" for codes not known).
std::string NackText(std::string_view code);

// The trace line for the first negative response (reply_header + "7F") in received, or "" when
// there is none: "Nack : " service " - " code " " meaning.
std::string NackLine(std::string_view received, std::string_view reply_header);

// Writes NackLine as a plain trace line when received holds a negative response.
void DecodeNack(std::string_view received, std::string_view reply_header, TraceLog& trace);

}  // namespace velkor
