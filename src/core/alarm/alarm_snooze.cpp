#include "core/alarm/alarm_snooze.h"

#include <algorithm>
#include <utility>

namespace orvaltic {

// What tells the alarm and the snooze apart; everything else they do alike.
struct AlarmSnooze::Subject {
  MenuItem& item;  // Activate1 / Activate2: checked while on
  Timer& timer;
  const std::string& time;
  bool includes_date;
  Watch& watch;
  LabelModel PanelSurface::*indicator;
  OverlayModel PanelSurface::*overlay;
  OverlayModel PanelSurface::*other_overlay;
  const char* mark;  // the indicator on the main panel and styles 2 to 5
  const char* word;  // on style 6; style 7 adds ": " and the time
};

AlarmSnooze::AlarmSnooze(AlarmTimes& times, const Options& options, PanelSet& panels,
                         PopupMenuModel& menu, Services services)
    : times_(times),
      options_(options),
      panels_(panels),
      menu_(menu),
      services_(std::move(services)),
      dialog_(times, services_.clock, services_.dialogs,
              [this](WakeUp which) { TimeStored(which); }) {}

AlarmSnooze::Subject AlarmSnooze::Of(WakeUp which) {
  if (which == WakeUp::kAlarm) {
    return {menu_.Item("Activate1"),
            services_.timer4,
            times_.AlarmTime,
            times_.AlarmIncludesDate,
            alarm_watch_,
            &PanelSurface::AlarmDisplayLabel,
            &PanelSurface::AlarmPanel,
            &PanelSurface::SnoozePanel,
            "A",
            "Alarm"};
  }
  return {menu_.Item("Activate2"),
          services_.timer5,
          times_.SnoozeTime,
          times_.SnoozeIncludesDate,
          snooze_watch_,
          &PanelSurface::SnoozeDisplayLabel,
          &PanelSurface::SnoozePanel,
          &PanelSurface::AlarmPanel,
          "S",
          "Snooze"};
}

void AlarmSnooze::Set1Click() {
  ShowDialog(WakeUp::kAlarm);
}

void AlarmSnooze::Set2Click() {
  ShowDialog(WakeUp::kSnooze);
}

void AlarmSnooze::ShowDialog(WakeUp which) {
  if (!services_.power_on) {
    return;
  }
  dialog_.SetSubject(which);
  services_.forms.ShowModal(ModalForm::kAlarmSnoozeFrm);
}

bool AlarmSnooze::AlarmOn() const {
  return menu_.Item("Activate1").checked;
}

bool AlarmSnooze::SnoozeOn() const {
  return menu_.Item("Activate2").checked;
}

void AlarmSnooze::Activate1Click() {
  Switch(WakeUp::kAlarm);
}

void AlarmSnooze::Activate2Click() {
  Switch(WakeUp::kSnooze);
}

void AlarmSnooze::Switch(WakeUp which) {
  const Subject subject = Of(which);
  if (subject.item.checked) {
    subject.item.checked = false;
    subject.timer.SetEnabled(false);
    // A loop started while the alarm type was "Wave file" keeps playing after a change to
    // "Radio" unless it is stopped here too.
    if (which == WakeUp::kAlarm && (!options_.AlarmTypeRadio || wave_looping_)) {
      services_.sound.PlaySound("", kSndAsync);
      wave_looping_ = false;
    }
    panels_.ForEach([&](PanelSurface& panel) { (panel.*subject.indicator).caption = " "; });
    return;
  }
  subject.item.checked = true;
  // The time it was off is no gap to look back into.
  subject.watch.seen_minute.reset();
  ShowIndicator(subject);
  subject.timer.SetInterval(100);
  subject.timer.SetEnabled(true);
}

void AlarmSnooze::ShowIndicator(const Subject& subject) {
  panels_.ForEach([&](PanelSurface& panel) {
    std::string& caption = (panel.*subject.indicator).caption;
    if (panel.style == 7) {
      caption = std::string(subject.word) + ": " + subject.time;
    } else if (panel.style == 6) {
      caption = subject.word;
    } else {
      caption = subject.mark;
    }
  });
}

void AlarmSnooze::TimeStored(WakeUp which) {
  // Style 7 shows the time itself: it must not keep announcing the old one.
  const Subject subject = Of(which);
  if (subject.item.checked) {
    ShowIndicator(subject);
  }
}

void AlarmSnooze::Timer4Timer() {
  Check(WakeUp::kAlarm);
}

void AlarmSnooze::Timer5Timer() {
  Check(WakeUp::kSnooze);
}

bool AlarmSnooze::Due(const Subject& subject, std::int64_t minute) {
  // The stored time is the minute's second 00 in the fixed form. Comparing with the clock at
  // second 00 matches during the whole minute, so a tick delayed past the first second still
  // acts.
  return subject.time == FormatDateTime(subject.includes_date ? kDateTimePattern : kTimePattern,
                                        FromWallMinute(minute), DateLocale::English());
}

void AlarmSnooze::Check(WakeUp which) {
  const Subject subject = Of(which);
  const DateTime now = services_.clock.Now();
  // The running clock is for the user and follows the regional settings.
  const std::string shown = FormatDateTime(kDateTimePattern, now, services_.clock.Locale());
  panels_.ForEach([&](PanelSurface& panel) { (panel.*subject.overlay).current.caption = shown; });

  Watch& watch = subject.watch;
  const std::int64_t minute = WallMinute(now);
  // A tick after a gap (a suspend, a clock set forward, the change to summer time) looks at the
  // minutes no tick saw, so that a time that passed meanwhile still wakes the user, late.
  if (watch.seen_minute && minute > *watch.seen_minute + 1) {
    for (std::int64_t skipped = std::max(*watch.seen_minute + 1, minute - kMaxSkippedMinutes);
         skipped < minute; ++skipped) {
      if (Due(subject, skipped) && watch.acted_minute != skipped) {
        watch.acted_minute = skipped;
        Act(which);
        break;
      }
    }
  }
  watch.seen_minute = minute;

  watch.fired = Due(subject, minute);
  // Once per minute, also when the clock is set back (or summer time ends) into a minute it
  // has acted for.
  if (watch.fired && watch.acted_minute != minute) {
    watch.acted_minute = minute;
    Act(which);
  }
}

void AlarmSnooze::Act(WakeUp which) {
  if (which == WakeUp::kSnooze || options_.AlarmTypeRadio) {
    services_.mute_btn_click();
    return;
  }
  const std::string& file = options_.WaveFileName;
  services_.sound.PlaySound(file.empty() ? kDefaultAlarmSound : file, kSndAsync | kSndLoop);
  wave_looping_ = true;
}

void AlarmSnooze::AlarmDisplayLabelClick(int style) {
  ShowStatus(WakeUp::kAlarm, style);
}

void AlarmSnooze::SnoozeDisplayLabelClick(int style) {
  ShowStatus(WakeUp::kSnooze, style);
}

void AlarmSnooze::ShowStatus(WakeUp which, int style) {
  const Subject subject = Of(which);
  PanelSurface& panel = panels_.Style(style);
  OverlayModel& overlay = panel.*subject.overlay;
  overlay.visible = true;
  overlay.value.caption = subject.time;
  // The clock runs there only while the subject is on; it never shows a stale time.
  overlay.current.caption =
      FormatDateTime(kDateTimePattern, services_.clock.Now(), services_.clock.Locale());
  (panel.*subject.other_overlay).visible = false;
}

void AlarmSnooze::AlarmPanelClick(int style) {
  panels_.Style(style).AlarmPanel.visible = false;
}

void AlarmSnooze::SnoozePanelClick(int style) {
  panels_.Style(style).SnoozePanel.visible = false;
}

}  // namespace orvaltic
