#include "core/radio/hardware_port.h"

#include <cerrno>

#include "core/radio/radio_limits.h"

namespace orvaltic {

std::string PortText(std::uint16_t port) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  std::string digits;
  unsigned rest = port;
  do {
    digits.insert(digits.begin(), kDigits[rest & 0xFu]);
    rest >>= 4;
  } while (rest != 0);
  return "0x" + digits;
}

std::optional<std::string> TakePortPermission(std::string_view program, PortSystem& system,
                                              const std::vector<std::uint16_t>& ports) {
  const std::string name(program);
  if (!system.HasIoPorts()) {
    return name +
           ": ORVALTIC_CARD=port is not available on this machine: it needs x86 Linux "
           "(ORVALTIC_CARD=sim simulates the card)";
  }
  for (const std::uint16_t port : ports) {
    const int error = system.GrantPort(port);
    if (error == EPERM || error == EACCES) {
      return name + ": no permission to write I/O port " + PortText(port) + " (" +
             system.ErrorText(error) + "). Run " + name +
             " as root, or grant it the right once, as root: setcap cap_sys_rawio+ep " +
             system.ExecutablePath() + " (it gives the right up before anything else runs)";
    }
    if (error == ENOSYS) {
      // Kernels can be built without ioperm, and sandboxes refuse it.
      return name +
             ": ORVALTIC_CARD=port is not available here: this kernel offers no I/O "
             "port access (" +
             system.ErrorText(error) + ")";
    }
    if (error != 0) {
      return name + ": cannot open I/O port " + PortText(port) + ": " + system.ErrorText(error);
    }
  }
  return std::nullopt;
}

HardwarePort::HardwarePort(std::string_view program, PortSystem& system,
                           const std::vector<std::uint16_t>& permitted, bool any_port,
                           std::ostream& report)
    : program_(program),
      system_(system),
      permitted_(permitted.begin(), permitted.end()),
      any_port_(any_port),
      report_(report) {}

std::optional<std::string> HardwarePort::Refusal(std::uint16_t port) const {
  if (permitted_.contains(port)) {
    return std::nullopt;
  }
  if (!any_port_) {
    return program_ + ": I/O port " + PortText(port) + " is refused: the card is at " +
           PortText(kDefaultCardPort) + " or " + PortText(kAlternativeCardPort) +
           ", and only a program run by root itself may write another port";
  }
  return program_ + ": I/O port " + PortText(port) +
         " was not opened when the program started; writes to it are refused until the "
         "program is started again";
}

void HardwarePort::WritePort(std::uint16_t port, std::uint8_t value) {
  if (permitted_.contains(port)) {
    system_.OutByte(port, value);
    return;
  }
  if (refused_.insert(port).second) {
    report_ << *Refusal(port) << '\n' << std::flush;
  }
}

}  // namespace orvaltic
