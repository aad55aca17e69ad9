#pragma once

#include <string>
#include <string_view>

namespace velkor {

// A two-byte trouble code as the ECU sends it, high byte first (SAE J2012): the top two bits
// give the letter (00 P, 01 C, 10 B, 11 U), bits 13-12 the first digit, the last twelve bits
// the three hex digits that follow. 01 22 is "P0122", D6 00 "U1600", 41 23 "C0123".
std::string TroubleCodeText(int high, int low);
// The same from four hex digits ("0122"); "" when `hex` is not four hex digits.
std::string TroubleCodeText(std::string_view hex);

}  // namespace velkor
