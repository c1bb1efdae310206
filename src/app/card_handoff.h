#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/cli/card_command.h"

namespace orvaltic::app {

// Hands an orvaltic-card command (its arguments after the program name, the port it drives in
// front) to the radio running on the session bus, which carries it out with its panel's
// buttons. nullopt when no radio runs there, or the radio's card sits at another port: the
// caller drives the card itself.
std::optional<HandedCommand> HandToRunningRadio(const std::vector<std::string>& args);

}  // namespace orvaltic::app
