#include <chrono>
#include <cstdlib>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include "core/radio/card_backend.h"
#include "core/radio/card_command.h"
#include "core/radio/linux_port_system.h"

int main(int argc, char** argv) {
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
  };
  return orvaltic::RunCardCommand(args, host);
}
