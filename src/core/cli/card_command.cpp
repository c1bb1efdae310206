#include "core/cli/card_command.h"

#include <cstdint>
#include <exception>
#include <memory>
#include <new>
#include <string_view>

#include "core/alarm/alarm_times.h"
#include "core/cli/card_port_setting.h"
#include "core/options/options.h"
#include "core/panels/display_settings.h"
#include "core/platform/errors.h"
#include "core/platform/numbers.h"
#include "core/platform/printable_text.h"
#include "core/platform/text_file.h"
#include "core/platform/timer.h"
#include "core/presets/preset_file.h"
#include "core/presets/preset_store.h"
#include "core/presets/station_lookup.h"
#include "core/radio/radio_card.h"
#include "core/radio/radio_limits.h"
#include "core/schedule/sched_rec.h"

namespace orvaltic {

namespace {

constexpr std::string_view kProgram = "orvaltic-card";

// The command ends each volume pulse itself, after a pause, instead of running an event loop.
class UnclockedTimerBackend : public TimerBackend {
 public:
  void Start(int /*ms*/) override {}
  void Stop() override {}
};

class UnclockedTimerHost : public TimerHost {
 public:
  std::unique_ptr<Timer> CreateTimer(const std::string& name) override {
    return std::make_unique<Timer>(name, std::make_unique<UnclockedTimerBackend>());
  }
};

ParsedCardCommand Refuse(std::string error) {
  return {std::nullopt, std::move(error)};
}

// The user's text in a message, with control bytes as escapes.
std::string Quoted(std::string_view text) {
  return "'" + PrintableText(text) + "'";
}

// Decimal, "$" hex or "0x" hex, 0 to 0xFFFF.
std::optional<std::uint16_t> ParsePort(std::string_view text) {
  std::optional<std::int32_t> value;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    const std::string_view digits = text.substr(2);
    // "$" below accepts blanks and a sign in front; after "0x" only hex digits may follow.
    if (digits.find_first_not_of("0123456789abcdefABCDEF") == std::string_view::npos) {
      value = TryStrToInt("$" + std::string(digits));
    }
  } else {
    value = TryStrToInt(text);
  }
  if (!value || *value < 0 || *value > 0xFFFF) {
    return std::nullopt;
  }
  return static_cast<std::uint16_t>(*value);
}

std::string SettingsPath(const CardCommandHost& host, std::string_view name) {
  if (host.settings_folder.empty()) {
    return std::string(name);
  }
  return host.settings_folder + "/" + std::string(name);
}

// The frequency a preset or station command tunes, or why it cannot tune one.
struct PresetTuning {
  std::optional<double> mhz;
  std::string error;
};

PresetTuning Untunable(std::string error) {
  return {std::nullopt, std::move(error)};
}

PresetTuning TuningOfPreset(const CardCommand& command, const std::string& path) {
  std::optional<TextFileReader> reader = TextFileReader::Open(path, kPresetFileLimits);
  const std::string shown_path = PrintableText(path);
  if (!reader) {
    return Untunable("cannot read " + shown_path);
  }
  PresetStore presets;
  std::string current_freq_text;
  DisplaySettings display;
  AlarmTimes alarm;
  SchedPrograms schedule;
  try {
    ReadOrvalticCFGFile(*reader, {presets, current_freq_text, display, alarm, schedule});
  } catch (const InOutError& error) {
    return Untunable(shown_path + ": " + error.what());
  }

  int n = command.preset;
  std::string which = "preset " + FormatInt(n);
  if (command.action == CardCommand::Action::kStation) {
    const std::optional<int> found = FindStationPreset(presets, command.station);
    if (!found) {
      return Untunable("no station name in " + shown_path + " contains " + Quoted(command.station));
    }
    n = *found;
    // The name itself stays out of the message: it may hold line breaks or control bytes.
    which = "preset " + FormatInt(n) + ", the first whose station name contains " +
            Quoted(command.station) + ",";
  }

  // The panel's rule: an empty preset (0) or one outside the band is not recalled.
  const double frequency = presets.PresetFreq(n);
  if (frequency == 0.0) {
    return Untunable(which + " is empty");
  }
  if (!InBand(frequency)) {
    return Untunable(which + " holds " + FormatGeneral(frequency) +
                     " MHz, outside the band (88 to 108 MHz)");
  }
  // The card gets what the display shows, the frequency rounded to three decimals.
  return {StrToFloat(FormatFixed3(frequency)), {}};
}

}  // namespace

std::string CardCommandUsage() {
  return "Usage: orvaltic-card [--port PORT] tune MHZ          program the card (88 to 108 MHz)\n"
         "       orvaltic-card [--port PORT] preset N          tune preset N (1 to 100) of "
         "Orvaltic.CFG\n"
         "       orvaltic-card [--port PORT] station TEXT      tune the first preset whose "
         "station name\n"
         "                     contains TEXT (letters a-z compared without case)\n"
         "       orvaltic-card [--port PORT] mute | unmute\n"
         "       orvaltic-card [--port PORT] volume up|down [STEPS]\n"
         "                     one 100 ms pulse per step, 100 ms apart (STEPS 1 to 100, "
         "default 1)\n"
         "PORT is decimal, $ hex or 0x hex. Without --port the card sits at CardPort of\n"
         "Orvaltic.opt, or at 0x30C without that file. Orvaltic.opt and Orvaltic.CFG are read\n"
         "from the working directory. A settings file the radio refuses (\"Invalid numeric\n"
         "input\"), a missing Orvaltic.CFG, an empty or out-of-band preset or an unknown station\n"
         "ends the command with status 2 before anything is written.\n"
         "While the radio runs on the session bus with its card at the port the command\n"
         "drives, the command is handed to it, once the settings files above are read and\n"
         "valid, and done with its panel's buttons (preset and station recall the radio's own\n"
         "presets); the exit status and any message are the radio's. Help and bad usage stay\n"
         "here.\n"
         "ORVALTIC_CARD chooses the card: sim (the default), sim:FILE, port, or v4l2 for\n"
         "a radio tuner (the first /dev/radio*; v4l2:DEVICE names one). With a capability or\n"
         "set-user-ID, port reaches only 0x30C and 0x20C; root may name any port.\n"
         "Exit status: 0 done, 1 the card cannot be reached, 2 bad usage, input or settings.\n";
}

ParsedCardCommand ParseCardCommand(const std::vector<std::string>& args) {
  for (const std::string& arg : args) {
    if (arg == "--help" || arg == "-h") {
      return {CardCommand{}, {}};
    }
  }

  CardCommand command;
  std::size_t next = 0;
  while (next < args.size() && args[next].starts_with("-")) {
    const std::string_view option = args[next];
    std::string_view port_text;
    if (option == "--port") {
      if (next + 1 >= args.size()) {
        return Refuse("--port needs a port address");
      }
      port_text = args[next + 1];
      next += 2;
    } else if (option.starts_with("--port=")) {
      port_text = option.substr(7);
      ++next;
    } else {
      return Refuse("unknown option " + Quoted(option));
    }
    const auto port = ParsePort(port_text);
    if (!port) {
      return Refuse(Quoted(port_text) + " is not a port address (decimal, $ hex or 0x hex, " +
                    "up to 0xFFFF)");
    }
    command.port = *port;
  }

  if (next >= args.size()) {
    return Refuse("no command given");
  }
  const std::string_view verb = args[next++];
  const std::vector<std::string> rest(args.begin() + static_cast<std::ptrdiff_t>(next), args.end());

  if (verb == "tune") {
    if (rest.size() != 1) {
      return Refuse("tune needs one frequency in MHz");
    }
    const auto mhz = TryStrToFloat(rest[0]);
    if (!mhz) {
      return Refuse(Quoted(rest[0]) + " is not a valid floating point value");
    }
    if (!InBand(*mhz)) {
      return Refuse(PrintableText(rest[0]) + " MHz is outside the band (88 to 108 MHz)");
    }
    command.action = CardCommand::Action::kTune;
    command.mhz = *mhz;
    return {command, {}};
  }

  if (verb == "preset") {
    if (rest.size() != 1) {
      return Refuse("preset needs one preset number from 1 to 100");
    }
    const auto n = TryStrToInt(rest[0]);
    if (!n || *n < 1 || *n > kPresetCount) {
      return Refuse(Quoted(rest[0]) + " is not a preset number from 1 to 100");
    }
    command.action = CardCommand::Action::kPreset;
    command.preset = *n;
    return {command, {}};
  }

  if (verb == "station") {
    if (rest.size() != 1) {
      return Refuse("station needs one text (quote a name with blanks)");
    }
    command.action = CardCommand::Action::kStation;
    command.station = rest[0];
    return {command, {}};
  }

  if (verb == "mute" || verb == "unmute") {
    if (!rest.empty()) {
      return Refuse(std::string(verb) + " takes no arguments");
    }
    command.action = verb == "mute" ? CardCommand::Action::kMute : CardCommand::Action::kUnMute;
    return {command, {}};
  }

  if (verb == "volume") {
    if (rest.empty() || rest.size() > 2 || (rest[0] != "up" && rest[0] != "down")) {
      return Refuse("volume needs up or down, and optionally a number of steps");
    }
    command.action =
        rest[0] == "up" ? CardCommand::Action::kVolumeUp : CardCommand::Action::kVolumeDown;
    if (rest.size() == 2) {
      const auto steps = TryStrToInt(rest[1]);
      if (!steps || *steps < 1 || *steps > kMaxVolumeSteps) {
        return Refuse(Quoted(rest[1]) + " is not a number of steps from 1 to 100");
      }
      command.steps = *steps;
    }
    return {command, {}};
  }

  return Refuse("unknown command " + Quoted(verb));
}

namespace {

// The port and the frequency the command and the settings files decide.
struct CardTarget {
  std::uint16_t port = kDefaultCardPort;
  double mhz = 0.0;
};

// Reads what the settings files decide. On a file that cannot be used, says why on `err` and
// returns nothing: the command ends with kCardExitUsage before anything is written.
std::optional<CardTarget> ReadTarget(const CardCommand& command, const CardCommandHost& host) {
  CardTarget target;
  if (command.port) {
    target.port = *command.port;
  } else {
    const std::string path = SettingsPath(host, kOptionsFileName);
    const CardPortSetting setting = ReadCardPortSetting(path);
    if (setting.source == CardPortSetting::Source::kRejected) {
      host.err << kProgram << ": " << PrintableText(path) << ": " << setting.error << '\n';
      return std::nullopt;
    }
    target.port = setting.port;
  }

  target.mhz = command.mhz;
  if (command.action == CardCommand::Action::kPreset ||
      command.action == CardCommand::Action::kStation) {
    const PresetTuning tuning = TuningOfPreset(command, SettingsPath(host, kDefaultPresetFileName));
    if (!tuning.mhz) {
      host.err << kProgram << ": " << tuning.error << '\n';
      return std::nullopt;
    }
    target.mhz = *tuning.mhz;
  }
  return target;
}

// The running radio's answer, when it took the command.
std::optional<int> HandOff(const std::vector<std::string>& args, std::uint16_t port,
                           const CardCommandHost& host) {
  if (!host.hand_off) {
    return std::nullopt;
  }
  // The port the files decided goes first: a --port of the user's comes later and is the same.
  std::vector<std::string> handed{"--port=" + FormatInt(port)};
  handed.insert(handed.end(), args.begin(), args.end());
  const std::optional<HandedCommand> result = host.hand_off(handed);
  if (!result) {
    return std::nullopt;
  }
  if (!result->message.empty()) {
    host.err << kProgram << ": " << PrintableText(result->message) << '\n';
  }
  return result->exit_code;
}

int RunParsedCommand(const std::vector<std::string>& args, const CardCommand& command,
                     const CardCommandHost& host) {
  if (command.action == CardCommand::Action::kHelp) {
    host.out << CardCommandUsage();
    return kCardExitOk;
  }

  // A privileged process opens the card first: the backend takes its permission and drops the
  // privileges, so the files are read with the user's own rights. Otherwise everything the
  // settings decide comes first, so that a file that cannot be used stops the command before
  // the card is even opened. Either way nothing is written before the settings are known.
  OpenedCard opened;
  if (host.open_card_first) {
    opened = host.open_card({});
    if (!opened.card) {
      host.err << opened.error << '\n';
      return opened.exit_code;
    }
  }
  const std::optional<CardTarget> target = ReadTarget(command, host);
  if (!target) {
    return kCardExitUsage;
  }
  // A radio that drives this card carries the command out with its panel's buttons, so that its
  // display never shows a frequency the card is not tuned to. The card opened for a privileged
  // command is then left unwritten.
  if (const std::optional<int> handed = HandOff(args, target->port, host)) {
    return *handed;
  }
  if (!opened.card) {
    opened = host.open_card({target->port});
    if (!opened.card) {
      host.err << opened.error << '\n';
      return opened.exit_code;
    }
  }
  if (const std::optional<std::string> refusal = opened.card->Refusal(target->port)) {
    host.err << *refusal << '\n';
    return kCardExitUnreachable;
  }

  const std::int32_t card_port = target->port;
  UnclockedTimerHost timers;
  RadioCard card(*opened.card, timers, card_port);
  switch (command.action) {
    case CardCommand::Action::kTune:
    case CardCommand::Action::kPreset:
    case CardCommand::Action::kStation:
      card.SetFrequency(target->mhz);
      break;
    case CardCommand::Action::kMute:
      card.Mute();
      break;
    case CardCommand::Action::kUnMute:
      card.UnMute();
      break;
    case CardCommand::Action::kVolumeUp:
    case CardCommand::Action::kVolumeDown:
      for (int step = 0; step < command.steps; ++step) {
        if (step > 0) {
          host.pause(RadioCard::kPulseMs);
        }
        if (command.action == CardCommand::Action::kVolumeUp) {
          card.VolumeUpPulse();
        } else {
          card.VolumeDownPulse();
        }
        host.pause(RadioCard::kPulseMs);
        card.Timer2Timer();
      }
      break;
    case CardCommand::Action::kHelp:
      break;
  }
  return opened.card->WriteFailed() ? kCardExitUnreachable : kCardExitOk;
}

}  // namespace

int RunCardCommand(const std::vector<std::string>& args, const CardCommandHost& host) {
  int code = kCardExitOk;
  try {
    const ParsedCardCommand parsed = ParseCardCommand(args);
    if (!parsed.command) {
      host.err << kProgram << ": " << parsed.error << " (see " << kProgram << " --help)\n";
      return kCardExitUsage;
    }
    code = RunParsedCommand(args, *parsed.command, host);
  } catch (const std::bad_alloc&) {
    host.err << kProgram << ": out of memory\n";
    return kCardExitUsage;
  } catch (const std::exception& error) {
    host.err << kProgram << ": " << PrintableText(error.what()) << '\n';
    return kCardExitUsage;
  }
  // Output that did not arrive (a full disk, a closed pipe) is no success.
  if (!host.out.flush()) {
    host.err << kProgram << ": cannot write to standard output\n";
    return kCardExitUsage;
  }
  return code;
}

}  // namespace orvaltic
