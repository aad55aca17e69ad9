#pragma once

#include <functional>

#include "core/ecu_family.hpp"
#include "core/hex_message.hpp"

namespace velkor {

// How the PC reaches the K-line, as stored in [Interface] Type.
enum class InterfaceKind : int { kUsb = 0, kKkl = 1, kGaletto = 2, kElm327 = 3 };

// Colours of the link lamp, as platform colour values.
inline constexpr int kLampRed = 255;
inline constexpr int kLampGreen = 65280;

inline constexpr const char* kDefaultRequestHeader = "10F1";
inline constexpr const char* kDefaultReplyHeader = "F110";

// The link's process-wide values, owned by the application object and shared by reference.
struct LinkState {
  bool TestMode = false;      // answer every request with the caller's canned answer
  bool ExchangeBusy = false;  // an exchange owns the link
  bool ReplyTimeout = false;  // raised by the reply-timeout timer
  // The program is closing: no exchange sends anything any more, and a session start under way
  // ends at its next turn.
  bool Closing = false;
  HexMessage RequestHeader = kDefaultRequestHeader;
  HexMessage ReplyHeader = kDefaultReplyHeader;
  int EcuType = Iaw16M;
  InterfaceKind interface_kind = InterfaceKind::kUsb;

  // The link lamp: red after an exchange without an answer, green after one with; 0 before any.
  int lamp_colour = 0;
  // Told of every lamp change (the main window paints it).
  std::function<void(int colour)> on_lamp;

  void SetLamp(int colour) {
    lamp_colour = colour;
    if (on_lamp) on_lamp(colour);
  }
};

// Lets the requests of its scope out while the program is closing: the ones that put the ECU
// back as it was (an actuator's stop, the diagnostic mode's end, the trimmer's original value)
// and the session's own closing frames. The session lets the link go only once its holders are
// done, so these still find it open.
class SendDespiteClosing {
 public:
  explicit SendDespiteClosing(LinkState& link) : link_(link), was_(link.Closing) {
    link_.Closing = false;
  }
  ~SendDespiteClosing() { link_.Closing = was_; }
  SendDespiteClosing(const SendDespiteClosing&) = delete;
  SendDespiteClosing& operator=(const SendDespiteClosing&) = delete;

 private:
  LinkState& link_;
  bool was_;
};

}  // namespace velkor
