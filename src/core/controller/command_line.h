#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/panels/panel_set.h"
#include "core/platform/app_host.h"
#include "core/platform/dialogs.h"
#include "core/presets/preset_store.h"

namespace orvaltic {

inline constexpr char kInvalidParameterMessage[] = "Invalid command-line parameter.\r\n";
inline constexpr char kStationNotFoundMessage[] = "Station ID not found.";
inline constexpr int kCommandLineHelpContext = 27;
// Every text that is a piece of this one is a switch (or several) of the radio.
inline constexpr char kSwitchTexts[] = " /O /H /F: /M /A /S /P";

enum class CommandLineOutcome { kApplied, kInvalidParameter, kStationNotFound };

// The exit status of a program that ended on its command line: 0 when the switches were
// applied (even if one of them closed the radio), 2 for a parameter it could not use.
int CommandLineExitStatus(CommandLineOutcome outcome);

// Asked of the program rather than of the radio: these arguments never reach the switches.
enum class ProgramRequest { kRunRadio, kShowUsage, kShowVersion };

// The first of "-h", "--help" and "--version" among `arguments` (each compared whole), else
// kRunRadio.
ProgramRequest FindProgramRequest(const std::vector<std::string>& arguments);
// What "--help" prints: the switches, several lines, each ending in a line feed.
std::string UsageText();

// The handlers the switches press, owned by other subsystems.
struct SwitchHandlers {
  std::function<void()> PwrBtnClick;
  std::function<void()> MuteBtnClick;
  std::function<void(const std::string&)> AccessPreset;
  // Runs a popup-menu item's handler by name, whether the item is enabled or not; a name the
  // menu does not know does nothing.
  std::function<void(std::string_view)> MenuItemClick;
};

// The program's switches /O /H /F: /M /A /S /P, checked all at once and then applied in the
// order given, and the frequency they leave on the display when the main panel first shows.
class CommandLine {
 public:
  CommandLine(const PresetStore& presets, PanelSet& panels, Dialogs& dialogs, AppHost& app,
              const std::string& current_freq_text, SwitchHandlers handlers);
  CommandLine(const CommandLine&) = delete;
  CommandLine& operator=(const CommandLine&) = delete;

  // Runs once at start-up, after the settings files are read and before any panel shows.
  // A parameter that is no switch, or a /F: station that no preset name contains, is
  // reported after a beep and ends the program (the host is asked to terminate) before any
  // switch is applied. Otherwise every parameter is applied in order, each by every switch it
  // contains. Errors of the handlers (ConvertError, InOutError) pass through.
  CommandLineOutcome ProcessCommandLine(const std::vector<std::string>& parameters);

  // The main panel's first showing: after a start with parameters, CmdLineFreqText in every
  // FreqPanel. Later showings change nothing, since the display may have been tuned since.
  void FormShow();
  // The first paint shows CurrentFreqText, the frequency power-on tunes; after a start with
  // parameters the display keeps CmdLineFreqText instead, which the card may already play.
  void KeepFreqTextAfterFirstPaint();
  // Whether anything tuned the display since the main panel first showed (a media key, the
  // schedule or a handed-off command while the panel was still minimised): the first paint
  // then leaves the display alone, since it shows what the card plays.
  bool TunedSinceShown() const;

  const std::string& CmdLineFreqText() const { return cmd_line_freq_text_; }

 private:
  // Pass 1 for one "/F:" text: its value, read as a number or looked up as a station ID;
  // nullopt when it is neither.
  std::optional<double> CommandLineFrequency(const std::string& text) const;
  void ApplySwitches(const std::string& parameter, double frequency);
  void Fail(const char* message, MessageButtons buttons);

  const PresetStore& presets_;
  PanelSet& panels_;
  Dialogs& dialogs_;
  AppHost& app_;
  const std::string& current_freq_text_;
  SwitchHandlers handlers_;

  std::string cmd_line_freq_text_;
  bool has_parameters_ = false;
  bool shown_ = false;
  int freq_writes_when_shown_ = 0;
};

}  // namespace orvaltic
