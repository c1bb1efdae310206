#include "core/radio/card_backend.h"

#include <algorithm>
#include <cerrno>
#include <fstream>

#include "core/radio/hardware_port.h"
#include "core/radio/port_system.h"
#include "core/radio/simulated_card.h"

namespace orvaltic {

namespace {

OpenedCard Failure(int exit_code, std::string error) {
  return {nullptr, exit_code, std::move(error)};
}

// How many bytes from `at` may be shown as they are: a printable ASCII byte, or a whole UTF-8
// sequence that is not a C1 control (U+0080 to U+009F, which terminals obey as they obey ESC).
// 0 for a byte that needs an escape.
std::size_t ShownSequenceLength(std::string_view text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  if (lead < 0x80) {
    return lead >= 0x20 && lead != 0x7F && lead != '\\' ? 1 : 0;
  }
  const std::size_t length = lead >= 0xC2 && lead <= 0xDF   ? 2
                             : lead >= 0xE0 && lead <= 0xEF ? 3
                             : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                            : 0;
  if (length == 0 || at + length > text.size()) {
    return 0;
  }
  std::uint32_t code = lead & (0x7Fu >> length);
  for (std::size_t k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(text[at + k]);
    if ((next & 0xC0u) != 0x80u) {
      return 0;
    }
    code = (code << 6) | (next & 0x3Fu);
  }
  // Overlong forms, surrogates and code points above U+10FFFF are not UTF-8.
  const std::uint32_t lowest = length == 2 ? 0xA0 : length == 3 ? 0x800 : 0x10000;
  if (code < lowest || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) {
    return 0;
  }
  return length;
}

}  // namespace

std::string PrintableText(std::string_view text) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  std::string shown;
  std::size_t i = 0;
  while (i < text.size()) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (const std::size_t length = ShownSequenceLength(text, i); length != 0) {
      shown.append(text.substr(i, length));
      i += length;
      continue;
    }
    switch (byte) {
      case '\\':
        shown += "\\\\";
        break;
      case '\n':
        shown += "\\n";
        break;
      case '\r':
        shown += "\\r";
        break;
      case '\t':
        shown += "\\t";
        break;
      default:
        shown += "\\x";
        shown += kDigits[byte >> 4];
        shown += kDigits[byte & 0xFu];
    }
    ++i;
  }
  return shown;
}

OpenedCard OpenCardBackend(std::string_view program, const char* setting,
                           const std::vector<std::uint16_t>& extra_ports, PortSystem& system,
                           std::ostream& report) {
  const std::string name(program);
  const std::string_view value = setting != nullptr ? setting : "";
  constexpr std::string_view kLogPrefix = "sim:";

  if (value.empty() || value == "sim") {
    if (auto error = DropPrivileges(program, system)) {
      return Failure(1, std::move(*error));
    }
    return {std::make_unique<SimulatedCard>(report), 0, {}};
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
    return {std::make_unique<SimulatedCard>(report, std::move(log), path), 0, {}};
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
    return {std::make_unique<HardwarePort>(program, system, ports, any_port, report), 0, {}};
  }

  return Failure(2, name + ": ORVALTIC_CARD=" + PrintableText(value) +
                        " is not a card backend; use sim, sim:FILE or port");
}

}  // namespace orvaltic
