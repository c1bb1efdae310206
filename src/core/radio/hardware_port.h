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

// The card's real I/O port. Writes go out only to the ports permission was taken for at start;
// privileges are gone by then, so a port picked later cannot be opened any more: writes to it
// are refused (an outb there would kill the process) and reported once per port. Unless a real
// root started the program, only the card's two addresses were opened (`any_port` false), and
// the report says so.
class HardwarePort : public CardBackend {
 public:
  HardwarePort(std::string_view program, PortSystem& system,
               const std::vector<std::uint16_t>& permitted, bool any_port, std::ostream& report);

  void WritePort(std::uint16_t port, std::uint8_t value) override;
  bool WriteFailed() const override { return !refused_.empty(); }
  std::optional<std::string> Refusal(std::uint16_t port) const override;

 private:
  std::string program_;
  PortSystem& system_;
  std::set<std::uint16_t> permitted_;
  bool any_port_;
  std::set<std::uint16_t> refused_;
  std::ostream& report_;
};

}  // namespace orvaltic
