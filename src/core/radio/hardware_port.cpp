#include "core/radio/hardware_port.h"

#include <cerrno>

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

bool IsRealRoot(const PortSystem& system) {
  const IdTriple users = system.UserIds();
  return users.real == 0 && users.effective == 0 && users.saved == 0;
}

bool MustDropPrivilegesBeforeReading(const PortSystem& system) {
  if (IsRealRoot(system)) {
    return false;
  }
  const IdTriple users = system.UserIds();
  const IdTriple groups = system.GroupIds();
  return users.effective != users.real || users.saved != users.real ||
         groups.effective != groups.real || groups.saved != groups.real ||
         system.HoldsCapabilities();
}

std::optional<std::string> DropPrivileges(std::string_view program, PortSystem& system) {
  const std::string name(program);
  const std::string refusal = "; refusing to run with raised privileges";
  // Groups first: once the user id is back to normal, the group cannot be changed any more.
  const IdTriple groups = system.GroupIds();
  if (groups.effective != groups.real || groups.saved != groups.real) {
    if (const int error = system.SetGroupIds(groups.real); error != 0) {
      return name + ": cannot give up the set-group-ID identity: " + system.ErrorText(error) +
             refusal;
    }
  }
  const IdTriple users = system.UserIds();
  if (users.effective != users.real || users.saved != users.real) {
    if (const int error = system.SetUserIds(users.real); error != 0) {
      return name + ": cannot give up the set-user-ID identity: " + system.ErrorText(error) +
             refusal;
    }
  }
  if (const int error = system.ClearCapabilities(); error != 0) {
    return name + ": cannot give up capabilities: " + system.ErrorText(error) + refusal;
  }
  const IdTriple users_after = system.UserIds();
  const IdTriple groups_after = system.GroupIds();
  if (users_after.effective != users_after.real || users_after.saved != users_after.real ||
      groups_after.effective != groups_after.real || groups_after.saved != groups_after.real ||
      system.HoldsCapabilities()) {
    return name + ": privileges are still held after giving them up" + refusal;
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
