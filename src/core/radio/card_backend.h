#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "core/platform/io_port.h"
#include "core/radio/radio_limits.h"

namespace orvaltic {

class PortSystem;
class V4l2System;
class V4l2Tuner;
class SdrReceiver;

// Where the card's bytes go. A backend that cannot carry out a write reports it itself (once)
// and remembers that it happened.
class CardBackend : public IoPort {
 public:
  virtual bool WriteFailed() const = 0;
  // The line a write to `port` would be refused with; nothing when the write would go out.
  virtual std::optional<std::string> Refusal(std::uint16_t /*port*/) const { return std::nullopt; }
};

struct OpenedCard {
  std::unique_ptr<CardBackend> card;  // null when the backend could not be set up
  int exit_code = 0;                  // 2: ORVALTIC_CARD not understood; 1: no card to reach
  std::string error;                  // one line for standard error, without the line end
  V4l2Tuner* tuner = nullptr;         // the card, when it is a radio tuner (for its sound)
  SdrReceiver* receiver = nullptr;    // the card, when it is a software receiver (its sound)
};

// Builds the backend named by ORVALTIC_CARD (`setting`, null when unset):
//   "sim" or unset/empty  simulated card reporting on `report`
//   "sim:FILE"            the same, and every write appended to FILE as "PPPP VV"
//   "port"                the I/O port on x86 Linux, for 0x30C and 0x20C; for a real root also
//                         for `extra_ports` (whatever else asks for them, a set-user-ID or
//                         file-capability program must not reach the chipset or CMOS ports)
//   "v4l2"                a Video4Linux radio tuner through `tuners`: the first /dev/radio*
//   "v4l2:DEVICE"         the same, at DEVICE; no privileges are needed, so none are taken
//   "iq:FILE,OPTIONS"     a software FM receiver playing a recording of the air (`play` false:
//                         followed but not played, for a program that plays nothing itself)
// Every backend gives up set-user-ID and capability privileges before it returns, so nothing
// after it runs privileged; the port backend takes its I/O permission first, and the log file
// is opened only once the privileges are gone. `system` must outlive the backend.
OpenedCard OpenCardBackend(std::string_view program, const char* setting,
                           const std::vector<std::uint16_t>& extra_ports, PortSystem& system,
                           std::ostream& report, V4l2System* tuners = nullptr, bool play = true);

}  // namespace orvaltic
