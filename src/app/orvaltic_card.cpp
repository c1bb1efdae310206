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
#include "core/radio/privileges.h"

int main(int argc, char** argv) {
  // RunCardCommand reports its own failures; this catches what happens around it, so that no
  // failure ends the program with an abort instead of its one-line message.
  try {
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    orvaltic::LinuxPortSystem system;
    const char* setting = std::getenv("ORVALTIC_CARD");
    const orvaltic::CardCommandHost host{
        std::cout,
        std::cerr,
        [&](const std::vector<std::uint16_t>& ports) {
          return orvaltic::OpenCardBackend("orvaltic-card", setting, ports, system, std::cerr);
        },
        [](int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); },
        {},  // the settings files of the working directory
        orvaltic::MustDropPrivilegesBeforeReading(system),
    };
    return orvaltic::RunCardCommand(args, host);
  } catch (const std::bad_alloc&) {
    std::fputs("orvaltic-card: out of memory\n", stderr);
  } catch (...) {
    std::fputs("orvaltic-card: unexpected failure\n", stderr);
  }
  return orvaltic::kCardExitUsage;
}
