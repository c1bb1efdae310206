#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/radio/card_backend.h"
#include "core/radio/port_system.h"

namespace orvaltic {

// "0x30C": how messages name a port.
std::string PortText(std::uint16_t port);

// Takes I/O permission for every port in `ports`. On failure, the line that tells the user what
// to do.
std::optional<std::string> TakePortPermission(std::string_view program, PortSystem& system,
                                              const std::vector<std::uint16_t>& ports);

// Gives up for good any set-group-ID and set-user-ID identity (back to the real ids) and every
// capability, then checks that none is left. On failure, the line to show; the caller must not
// go on.
std::optional<std::string> DropPrivileges(std::string_view program, PortSystem& system);

// The card's real I/O port. Writes go out only to the ports permission was taken for at start;
// privileges are gone by then, so a port picked later cannot be opened any more: writes to it
// are refused (an outb there would kill the process) and reported once per port.
class HardwarePort : public CardBackend {
 public:
  HardwarePort(std::string_view program, PortSystem& system,
               const std::vector<std::uint16_t>& permitted, std::ostream& report);

  void WritePort(std::uint16_t port, std::uint8_t value) override;
  bool WriteFailed() const override { return !refused_.empty(); }

 private:
  std::string program_;
  PortSystem& system_;
  std::set<std::uint16_t> permitted_;
  std::set<std::uint16_t> refused_;
  std::ostream& report_;
};

}  // namespace orvaltic
