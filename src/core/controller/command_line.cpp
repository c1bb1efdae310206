#include "core/controller/command_line.h"

#include <string_view>
#include <utility>

#include "core/panels/panel_surface.h"
#include "core/platform/numbers.h"
#include "core/presets/station_lookup.h"

namespace orvaltic {

namespace {

constexpr std::string_view kFrequencySwitch = "/F:";

bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

bool IsFrequencySwitch(std::string_view parameter) {
  return parameter.substr(0, kFrequencySwitch.size()) == kFrequencySwitch;
}

// A piece of the switch texts: "/O", "/F" or "/O /H" given as one parameter are all valid,
// an empty parameter is not.
bool IsSwitchText(std::string_view parameter) {
  return !parameter.empty() && Contains(kSwitchTexts, parameter);
}

}  // namespace

int CommandLineExitStatus(CommandLineOutcome outcome) {
  return outcome == CommandLineOutcome::kApplied ? 0 : 2;
}

ProgramRequest FindProgramRequest(const std::vector<std::string>& arguments) {
  for (const std::string& argument : arguments) {
    if (argument == "-h" || argument == "--help") {
      return ProgramRequest::kShowUsage;
    }
    if (argument == "--version") {
      return ProgramRequest::kShowVersion;
    }
  }
  return ProgramRequest::kRunRadio;
}

std::string UsageText() {
  return "Usage: orvaltic [SWITCH]...\n"
         "Shows the radio's front panel. Switches may be written in either case and are\n"
         "applied in the order given:\n"
         "  /O         switch the radio on (a second /O presses the power button again)\n"
         "  /H         start with the panel minimised\n"
         "  /F:TEXT    tune TEXT: a frequency in MHz, 88 to 108, or a station name or a part\n"
         "             of one, as the presets file names it\n"
         "  /M         mute (after /O) or unmute\n"
         "  /A         switch the alarm on\n"
         "  /S         switch the snooze on\n"
         "  /P         switch the schedule programs on\n"
         "  -h, --help show this help and exit\n"
         "  --version  show the version and exit\n"
         "Orvaltic.CFG and Orvaltic.opt are read from the working directory. A parameter that\n"
         "is not a switch, or a station that no preset name contains, is reported in a box\n"
         "and the program ends with exit status 2.\n";
}

CommandLine::CommandLine(const PresetStore& presets, PanelSet& panels, Dialogs& dialogs,
                         AppHost& app, const std::string& current_freq_text,
                         SwitchHandlers handlers)
    : presets_(presets),
      panels_(panels),
      dialogs_(dialogs),
      app_(app),
      current_freq_text_(current_freq_text),
      handlers_(std::move(handlers)) {}

CommandLineOutcome CommandLine::ProcessCommandLine(const std::vector<std::string>& parameters) {
  cmd_line_freq_text_ = current_freq_text_;
  has_parameters_ = !parameters.empty();

  // Pass 1: check everything before anything is applied. A /F: of several holds the value
  // for all of them.
  bool valid = true;
  double frequency = 0.0;
  for (const std::string& parameter : parameters) {
    const std::string upper = UpperText(parameter);
    if (IsFrequencySwitch(upper)) {
      const std::optional<double> value =
          CommandLineFrequency(upper.substr(kFrequencySwitch.size()));
      if (!value) {
        Fail(kStationNotFoundMessage, MessageButtons::kOk);
        return CommandLineOutcome::kStationNotFound;
      }
      frequency = *value;
    } else if (!IsSwitchText(upper)) {
      valid = false;
    }
  }
  if (!valid) {
    Fail(kInvalidParameterMessage, MessageButtons::kOkHelp);
    return CommandLineOutcome::kInvalidParameter;
  }

  // Pass 2: in command-line order.
  for (const std::string& parameter : parameters) {
    const bool was_on = panels_.Main().PwrBtnLight == kRed;
    ApplySwitches(UpperText(parameter), frequency);
    // A second /O ran the close sequence and the program is ending: a later /F: must not
    // wake a card that was just told to go silent.
    if (was_on && panels_.Main().PwrBtnLight != kRed) {
      break;
    }
  }
  return CommandLineOutcome::kApplied;
}

std::optional<double> CommandLine::CommandLineFrequency(const std::string& text) const {
  if (const std::optional<double> value = TryStrToFloat(text)) {
    return value;
  }
  const std::string station_frequency = FindStationFrequency(presets_, text);
  if (station_frequency.empty()) {
    return std::nullopt;
  }
  return StrToFloat(station_frequency);
}

void CommandLine::ApplySwitches(const std::string& parameter, double frequency) {
  // Each test on its own: a /F: text holding "/M" mutes as well.
  if (Contains(parameter, "/O")) {
    handlers_.PwrBtnClick();
  }
  if (Contains(parameter, "/H")) {
    panels_.Main().minimized = true;
  }
  if (IsFrequencySwitch(parameter)) {
    const std::string text = FormatFixed3(frequency);
    handlers_.AccessPreset(text);
    // Out of the band (or an empty preset) nothing was tuned and the display kept its text:
    // the display goes on showing what the card plays.
    if (panels_.Main().FreqPanel.caption == text) {
      cmd_line_freq_text_ = text;
    }
  }
  if (Contains(parameter, "/M")) {
    handlers_.MuteBtnClick();
  }
  if (Contains(parameter, "/A")) {
    handlers_.MenuItemClick("Activate1");
  }
  if (Contains(parameter, "/S")) {
    handlers_.MenuItemClick("Activate2");
  }
  if (Contains(parameter, "/P")) {
    handlers_.MenuItemClick("Activate3");
  }
}

void CommandLine::Fail(const char* message, MessageButtons buttons) {
  dialogs_.Beep();
  dialogs_.MessageBox(message, MessageKind::kError, buttons,
                      buttons == MessageButtons::kOkHelp ? kCommandLineHelpContext : 0);
  app_.Terminate();
}

void CommandLine::FormShow() {
  if (shown_) {
    return;
  }
  shown_ = true;
  if (has_parameters_) {
    panels_.SetFreqCaption(cmd_line_freq_text_);
  }
  freq_writes_when_shown_ = panels_.FreqCaptionWrites();
}

bool CommandLine::TunedSinceShown() const {
  return shown_ && panels_.FreqCaptionWrites() != freq_writes_when_shown_;
}

void CommandLine::KeepFreqTextAfterFirstPaint() {
  if (has_parameters_) {
    panels_.SetFreqCaption(cmd_line_freq_text_);
  }
}

}  // namespace orvaltic
