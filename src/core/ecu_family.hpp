#pragma once

namespace velkor {

// The ECU family (`EcuType`), stored as its number in ecu.ini and used as the index of every
// per-family table. Slots 6 and 7 exist and stay empty.
enum EcuFamily : int {
  Iaw16M = 0,
  Iaw15M = 1,
  Iaw15RC = 2,
  IawP8 = 3,
  Iaw59M5AM = 4,
  Eobd = 5,
};
inline constexpr int kEcuFamilySlots = 8;

// Families 4 and 5 talk KWP2000 frames; 0 to 3 get their request bytes sent unchanged.
inline bool IsKwpFamily(int ecu_type) { return ecu_type == Iaw59M5AM || ecu_type == Eobd; }

}  // namespace velkor
