#pragma once

#include <optional>
#include <string>
#include <vector>

namespace orvaltic::app {

// What a running radio made of a command handed to it.
struct HandedCommand {
  int exit_code = 0;
  std::string message;  // the radio's reason when it refused, or why it did not answer
};

// Hands an orvaltic-card command (its arguments after the program name) to the radio running
// on the session bus, which carries it out with its panel's buttons. nullopt when no radio runs
// there, or the command is for another port than the radio's card: the caller drives the card
// itself.
std::optional<HandedCommand> HandToRunningRadio(const std::vector<std::string>& args);

}  // namespace orvaltic::app
