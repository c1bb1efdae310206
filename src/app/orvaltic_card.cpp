#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <new>
#include <string>
#include <thread>
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
    const orvaltic::CardCommandHost host{
        std::cout,
        std::cerr,
        [&](const std::vector<std::uint16_t>& ports) {
          // A software receiver is heard only inside the radio: here it is followed, not played.
          return orvaltic::OpenCardBackend("orvaltic-card", setting, ports, system, std::cerr,
                                           &tuners, false);
        },
        [](int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); },
        {},  // the settings files of the working directory
        privileged,
#ifdef ORVALTIC_CARD_HANDOFF
        // A radio running on the session bus that owns the same card takes the command over.
        // A privileged process has opened the card and dropped its privileges by then.
        orvaltic::app::HandToRunningRadio,
#else
        {},
#endif
    };
    return orvaltic::RunCardCommand(args, host);
  } catch (const std::bad_alloc&) {
    std::fputs("orvaltic-card: out of memory\n", stderr);
  } catch (...) {
    std::fputs("orvaltic-card: unexpected failure\n", stderr);
  }
  return orvaltic::kCardExitUsage;
}
