#pragma once

#include <string_view>

#include "core/hex_message.hpp"

namespace velkor {

// KWP2000 request frame: format byte (0x80 + data length), the two address bytes of
// request_header, the data and their checksum. Empty data, or more than 63 bytes (which a format
// byte cannot carry), give the empty frame.
HexMessage FrameKwp(std::string_view data, std::string_view request_header);

// What goes on the wire for a request of family ecu_type: the KWP frame for families 4 and 5,
// the request unchanged for 0 to 3, nothing for any other. A frame "00" is never sent.
HexMessage BuildFrame(std::string_view request, int ecu_type, std::string_view request_header);

}  // namespace velkor
