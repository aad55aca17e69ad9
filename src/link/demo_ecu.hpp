#pragma once

#include <string_view>

#include "core/hex_message.hpp"

namespace velkor::demo {

// Canned answers of a healthy ECU, passed with each request of the link and session code so
// that test mode runs every window without a motorcycle. Built from the reply header so they
// stay consistent when it changes.

// Start communication ("81" framed as 8110F18103).
inline HexMessage StartCommunication(std::string_view reply_header) {
  return "83" + std::string(reply_header) + "C1EF8FC3";
}
// Listening for the reply to a five-baud address (empty request, 3 bytes).
inline HexMessage FiveBaudReply() { return "0000EF8F"; }
// Timing parameters "830300FF00FF00": the ECU stays silent.
inline HexMessage TimingParameters() { return {}; }
// Identification "1A92".
inline HexMessage Identification(std::string_view reply_header) {
  return "BF" + std::string(reply_header) + "5A9249415735414D485730313053";
}
// Start of the generic EOBD family's diagnostics ("17FF00").
inline HexMessage EobdStartDiagnostic(std::string_view reply_header) {
  return std::string(reply_header) + "50";
}
// Tester present "3E".
inline HexMessage TesterPresent(std::string_view reply_header) {
  return "81" + std::string(reply_header) + "7E00";
}
// Listening for the key bytes of the byte-protocol families (empty request, 6 bytes).
inline HexMessage KeyBytes() { return "55B080808085AA"; }
// One-byte requests of the byte-protocol families ("08", "10"-"12", "14"-"16").
inline HexMessage OneByteRequest() { return "FF"; }

}  // namespace velkor::demo
