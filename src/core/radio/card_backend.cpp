#include "core/radio/card_backend.h"

#include <algorithm>
#include <cerrno>
#include <fstream>

#include "core/platform/printable_text.h"
#include "core/radio/hardware_port.h"
#include "core/radio/port_system.h"
#include "core/radio/privileges.h"
#include "core/radio/simulated_card.h"
#include "core/radio/v4l2_tuner.h"
#include "core/sdr/sdr_receiver.h"

namespace orvaltic {

namespace {

OpenedCard Failure(int exit_code, std::string error) {
  return {nullptr, exit_code, std::move(error), nullptr};
}

}  // namespace

OpenedCard OpenCardBackend(std::string_view program, const char* setting,
                           const std::vector<std::uint16_t>& extra_ports, PortSystem& system,
                           std::ostream& report, V4l2System* tuners, bool play) {
  const std::string name(program);
  const std::string_view value = setting != nullptr ? setting : "";
  constexpr std::string_view kLogPrefix = "sim:";

  if (value.empty() || value == "sim") {
    if (auto error = DropPrivileges(program, system)) {
      return Failure(1, std::move(*error));
    }
    return {std::make_unique<SimulatedCard>(report), 0, {}, nullptr};
  }

  if (value.starts_with(kLogPrefix)) {
    const std::string path(value.substr(kLogPrefix.size()));
    if (path.empty()) {
      return Failure(2, name + ": ORVALTIC_CARD=sim: needs a file name, as in sim:FILE");
    }
    // Only now, unprivileged: a set-user-ID program must not append to a file of the owner's.
    if (auto error = DropPrivileges(program, system)) {
      return Failure(1, std::move(*error));
    }
    errno = 0;
    auto log = std::make_unique<std::ofstream>(path, std::ios::out | std::ios::app);
    if (!*log) {
      const int error = errno;
      return Failure(1, name + ": cannot open the card log \"" + PrintableText(path) + "\"" +
                            (error != 0 ? ": " + system.ErrorText(error) : std::string()));
    }
    return {std::make_unique<SimulatedCard>(report, std::move(log), path), 0, {}, nullptr};
  }

  if (value == "port") {
    std::vector<std::uint16_t> ports = {kDefaultCardPort, kAlternativeCardPort};
    const bool any_port = IsRealRoot(system);
    for (const std::uint16_t port : any_port ? extra_ports : std::vector<std::uint16_t>{}) {
      if (std::find(ports.begin(), ports.end(), port) == ports.end()) {
        ports.push_back(port);
      }
    }
    if (auto error = TakePortPermission(program, system, ports)) {
      // Whatever was granted stays unused: the caller ends the program.
      return Failure(1, std::move(*error));
    }
    if (auto error = DropPrivileges(program, system)) {
      return Failure(1, std::move(*error));
    }
    return {
        std::make_unique<HardwarePort>(program, system, ports, any_port, report), 0, {}, nullptr};
  }

  constexpr std::string_view kTunerPrefix = "v4l2:";
  if (value == "v4l2" || value.starts_with(kTunerPrefix)) {
    const std::string device(value == "v4l2" ? "" : value.substr(kTunerPrefix.size()));
    if (value != "v4l2" && device.empty()) {
      return Failure(2, name + ": ORVALTIC_CARD=v4l2: needs a device, as in v4l2:/dev/radio0");
    }
    // A set-user-ID program must not open a device its user may not.
    if (auto error = DropPrivileges(program, system)) {
      return Failure(1, std::move(*error));
    }
    if (tuners == nullptr) {
      return Failure(1, name + ": ORVALTIC_CARD=v4l2 is not available in this program");
    }
    return OpenV4l2Tuner(program, device, *tuners, report);
  }

  if (IsSdrSetting(value)) {
    if (auto error = DropPrivileges(program, system)) {
      return Failure(1, std::move(*error));
    }
    return OpenSdrReceiver(program, value, report, play);
  }

  return Failure(2, name + ": ORVALTIC_CARD=" + PrintableText(value) +
                        " is not a card backend; use sim, sim:FILE, port, v4l2, v4l2:DEVICE or "
                        "iq:FILE");
}

}  // namespace orvaltic
