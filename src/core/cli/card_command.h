#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "core/radio/card_backend.h"

namespace orvaltic {

// The orvaltic-card command: the card from the command line.
struct CardCommand {
  enum class Action { kHelp, kTune, kPreset, kStation, kMute, kUnMute, kVolumeUp, kVolumeDown };
  Action action = Action::kHelp;
  std::optional<std::uint16_t> port;  // --port; without it CardPort of the options file
  double mhz = 0.0;                   // kTune
  int preset = 0;                     // kPreset: 1 to 100
  std::string station;                // kStation: the text a station name must contain
  int steps = 1;
};

struct ParsedCardCommand {
  std::optional<CardCommand> command;
  std::string error;  // why the arguments were refused, when `command` is empty
};

inline constexpr int kCardExitOk = 0;
inline constexpr int kCardExitUnreachable = 1;
inline constexpr int kCardExitUsage = 2;
inline constexpr int kMaxVolumeSteps = 100;

// `args` are the arguments after the program name.
ParsedCardCommand ParseCardCommand(const std::vector<std::string>& args);
std::string CardCommandUsage();

// What a running radio made of a command handed to it.
struct HandedCommand {
  int exit_code = 0;
  std::string message;  // the radio's reason when it refused, or why it did not answer
};

struct CardCommandHost {
  std::ostream& out;
  std::ostream& err;
  // Builds the card backend, asking for permission for `ports` (the real one reads
  // ORVALTIC_CARD); it gives up every privilege before it returns.
  std::function<OpenedCard(const std::vector<std::uint16_t>& ports)> open_card;
  // Waits between the writes of a volume pulse; tests record instead of sleeping.
  std::function<void(int ms)> pause;
  // The folder of Orvaltic.opt and Orvaltic.CFG; empty for the working directory.
  std::string settings_folder;
  // The process runs with privileges its user does not have (set-user-ID, file capabilities):
  // the card is opened, and the privileges dropped, before any settings file is read. It then
  // reaches only the ports the backend opened on its own. Otherwise the files come first and
  // the card is opened for the port they name.
  bool open_card_first = false;
  // Hands the command to a radio that runs with its card at the port the command drives: `args`
  // are the command's arguments with that port in front ("--port=780 tune 99.5"). Returns what
  // the radio made of it; nullopt when no radio runs or its card sits at another port, and the
  // command drives the card itself. Empty: there is no radio to hand to.
  std::function<std::optional<HandedCommand>(const std::vector<std::string>& args)> hand_off;
};

// Parses and runs the command. It is handed to a running radio only once the settings files
// have been read and found valid and name the radio's port, so that the radio drives the very
// card the command would; anything else ends as it does without a radio. Returns the exit code: 0
// done, 1 the card cannot be reached (nothing or not everything was written), 2 bad usage or input,
// settings files that cannot be used (nothing written), standard output that cannot be written, or
// any other failure, always with one line on `err`; never throws.
int RunCardCommand(const std::vector<std::string>& args, const CardCommandHost& host);

}  // namespace orvaltic
