#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <new>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "core/cli/card_command.h"
#include "core/radio/card_backend.h"
#include "core/radio/linux_port_system.h"
#include "core/radio/linux_v4l2_system.h"
#include "core/radio/privileges.h"
#ifdef ORVALTIC_CARD_HANDOFF
#include "app/card_handoff.h"
#endif

int main(int argc, char** argv) {
  // RunCardCommand reports its own failures; this catches what happens around it, so that no
  // failure ends the program with an abort instead of its one-line message.
  try {
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    orvaltic::LinuxPortSystem system;
    // Radio tuners for ORVALTIC_CARD=v4l2. Without Qt there is no loop for a tuner whose sound
    // arrives as a capture device: the running radio plays that.
    orvaltic::LinuxV4l2System tuners;
    const char* setting = std::getenv("ORVALTIC_CARD");
    const bool privileged = orvaltic::MustDropPrivilegesBeforeReading(system);
    orvaltic::OpenedCard opened_first;
#ifdef ORVALTIC_CARD_HANDOFF
    // A radio running on the session bus owns the card: the command is handed to it, so that
    // its panel never shows a frequency the card is not tuned to. Usage and help stay here. A
    // privileged process opens the card and drops its privileges before it talks to the bus.
    const orvaltic::ParsedCardCommand parsed = orvaltic::ParseCardCommand(args);
    if (parsed.command && parsed.command->action != orvaltic::CardCommand::Action::kHelp) {
      if (privileged) {
        opened_first = orvaltic::OpenCardBackend("orvaltic-card", setting, {}, system, std::cerr,
                                                 &tuners, false);
      }
      if (const auto handed = orvaltic::app::HandToRunningRadio(args)) {
        if (!handed->message.empty()) {
          std::cerr << "orvaltic-card: " << handed->message << '\n';
        }
        return handed->exit_code;
      }
    }
#endif
    const orvaltic::CardCommandHost host{
        std::cout,
        std::cerr,
        [&](const std::vector<std::uint16_t>& ports) {
          if (opened_first.card || !opened_first.error.empty()) {
            return std::move(opened_first);
          }
          // A software receiver is heard only inside the radio: here it is followed, not played.
          return orvaltic::OpenCardBackend("orvaltic-card", setting, ports, system, std::cerr,
                                           &tuners, false);
        },
        [](int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); },
        {},  // the settings files of the working directory
        privileged,
    };
    return orvaltic::RunCardCommand(args, host);
  } catch (const std::bad_alloc&) {
    std::fputs("orvaltic-card: out of memory\n", stderr);
  } catch (...) {
    std::fputs("orvaltic-card: unexpected failure\n", stderr);
  }
  return orvaltic::kCardExitUsage;
}
