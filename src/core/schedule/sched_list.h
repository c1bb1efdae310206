#pragma once

#include <array>
#include <string>

#include "core/platform/clock.h"
#include "core/platform/font.h"
#include "core/platform/timer.h"
#include "core/schedule/sched_rec.h"

namespace orvaltic {

// The light of the program the schedule examines, and of the others.
inline constexpr Color kScannedLight = kBlue;
inline constexpr Color kIdleLight = 0xC0C0C0;  // silver

inline constexpr char kSchedProgTitles[] =
    "   Prg        Freq             Date/Day         Time Begin         Time End";
inline constexpr char kScanProgPrefix[] = "Scanning program: ";
inline constexpr char kCurrentDateTimePrefix[] = "Current date/time:  ";
// The running clock of the status window, in the user's regional form.
inline constexpr char kStatusClockPattern[] = "mm/dd/yy dddd hh:nn:ss AMPM";

// Program k's status line, "%3d%9.7s   %-11s%-11s%s" of k and its four texts. Widths count
// characters, not bytes: a station ID in UTF-8 is neither cut inside a character nor padded
// short, so the columns stay aligned in the fixed-pitch font.
std::string ProgramListLine(int k, const SchedRec& program);

// What the status window's controls show. Program k is element k - 1.
struct SchedListControls {
  std::string CurrentDateTimeLabel;
  std::array<std::string, kSchedProgramCount> ProgListLabel;
  std::array<Color, kSchedProgramCount> PrgLightLabel = {kBlue, kBlue, kBlue, kBlue, kBlue};
  std::string ScanProgLabel = kScanProgPrefix;

  friend bool operator==(const SchedListControls&, const SchedListControls&) = default;
};

// The logic of TSchedListForm, the program status window, and its clock on Timer7. The schedule
// writes the examined program into it on every tick, whether the window is shown or not.
class SchedList {
 public:
  SchedList(const SchedPrograms& programs, const Clock& clock, Timer& timer7);

  SchedListControls& controls() { return controls_; }
  const SchedListControls& controls() const { return controls_; }
  // True once a click closed the window; the view then hides it.
  bool closed() const { return closed_; }

  // Each time the window is shown: the clock starts and the five lines show the programs as
  // they are now; they are not refreshed while the window stays open.
  void FormActivate();
  void Timer7Timer();
  // A click anywhere on the window.
  void SchedListPanelClick() { closed_ = true; }
  void FormClose();
  // The light of program k blue, the others silver; k outside 1..5 changes nothing.
  void MarkScannedProgram(int k);
  // "Scanning program: k" and its light.
  void ShowScannedProgram(int k);

 private:
  const SchedPrograms& programs_;
  const Clock& clock_;
  Timer& timer7_;
  SchedListControls controls_;
  bool closed_ = false;
};

}  // namespace orvaltic
