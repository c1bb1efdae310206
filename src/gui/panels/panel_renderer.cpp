#include "gui/panels/panel_renderer.h"

#include <QAbstractButton>
#include <QLabel>
#include <QWindow>

#include <utility>

#include "gui/panels/panel_layout.h"
#include "gui/panels/panel_widgets.h"
#include "gui/platform/qt_convert.h"
#include "gui/platform/text_codec.h"

namespace orvaltic::gui {

namespace {

namespace names = control_name;

// Values of the surface as they were at the last render, or null at the first.
template <typename T>
const T* Field(const PanelSurface* last, T PanelSurface::*member) {
  return last != nullptr ? &(last->*member) : nullptr;
}

template <typename T>
bool Changed(const T& now, const T* before) {
  return before == nullptr || now != *before;
}

void SetCaption(QWidget& widget, const QString& caption) {
  if (auto* label = qobject_cast<QLabel*>(&widget)) {
    label->setText(caption);
  } else if (auto* button = qobject_cast<QAbstractButton*>(&widget)) {
    button->setText(caption);
  } else if (auto* panel = qobject_cast<BevelPanel*>(&widget)) {
    panel->SetCaption(caption);
  }
}

// The caption and hint with the accessible description that follows from them. The
// accessible name says what the control is and stays as built.
void SetCaptionAndHint(QWidget& widget, const std::string& caption, const std::string& hint,
                       const std::string* last_caption, const std::string* last_hint) {
  const bool caption_changed = Changed(caption, last_caption);
  const bool hint_changed = Changed(hint, last_hint);
  if (caption_changed) {
    SetCaption(widget, FromCoreText(caption));
  }
  if (hint_changed) {
    widget.setToolTip(PlainToolTip(FromCoreText(hint)));
  }
  if (caption_changed || hint_changed) {
    widget.setAccessibleDescription(
        AccessibleDescriptionFor(widget.accessibleName(), caption, hint, CaptionIsValue(widget)));
  }
}

}  // namespace

PanelRenderer::PanelRenderer(QWidget& window, std::map<std::string, QWidget*> controls)
    : window_(window), controls_(std::move(controls)), bordered_flags_(window.windowFlags()) {}

QWidget* PanelRenderer::Control(const std::string& name) const {
  const auto found = controls_.find(name);
  return found != controls_.end() ? found->second : nullptr;
}

void PanelRenderer::Render(const PanelSurface& surface) {
  const PanelSurface* last = last_ ? &*last_ : nullptr;

  RenderDisplay(surface.FreqPanel, Field(last, &PanelSurface::FreqPanel));
  RenderLabel(names::kLabel1, surface.Label1, Field(last, &PanelSurface::Label1));
  RenderLabel(names::kPresetDisplay, surface.PresetDisplay,
              Field(last, &PanelSurface::PresetDisplay));
  RenderLabel(names::kAlarmDisplayLabel, surface.AlarmDisplayLabel,
              Field(last, &PanelSurface::AlarmDisplayLabel));
  RenderLabel(names::kSnoozeDisplayLabel, surface.SnoozeDisplayLabel,
              Field(last, &PanelSurface::SnoozeDisplayLabel));
  RenderLabel(names::kProgLabel, surface.ProgLabel, Field(last, &PanelSurface::ProgLabel));
  if (surface.StationIDLabel) {
    const LabelModel* before =
        last != nullptr && last->StationIDLabel ? &*last->StationIDLabel : nullptr;
    RenderLabel(names::kStationIDLabel, *surface.StationIDLabel, before);
  }

  for (std::size_t i = 0; i < surface.Presets.size(); ++i) {
    const int n = static_cast<int>(i) + 1;
    const PresetButtonModel& preset = surface.Presets[i];
    const PresetButtonModel* before = last != nullptr ? &last->Presets[i] : nullptr;
    if (QWidget* button = Control(names::Preset(n))) {
      SetCaptionAndHint(*button, preset.caption, preset.hint,
                        before != nullptr ? &before->caption : nullptr,
                        before != nullptr ? &before->hint : nullptr);
    }
    RenderLight(names::PresetLight(n), preset.light, before != nullptr ? &before->light : nullptr);
  }
  RenderLight(names::kPresetMemoryLight, surface.PresetMemoryLight,
              Field(last, &PanelSurface::PresetMemoryLight));
  RenderLight(names::kMuteBtnLight, surface.MuteBtnLight, Field(last, &PanelSurface::MuteBtnLight));
  RenderLight(names::kPwrBtnLight, surface.PwrBtnLight, Field(last, &PanelSurface::PwrBtnLight));

  RenderOverlay(names::kAlarmOverlay, surface.AlarmPanel, Field(last, &PanelSurface::AlarmPanel));
  RenderOverlay(names::kSnoozeOverlay, surface.SnoozePanel,
                Field(last, &PanelSurface::SnoozePanel));

  RenderFrames(surface, last);
  if (surface.Drawers) {
    RenderDrawers(surface, last);
  }
  RenderWindow(surface, last);
  last_ = surface;
}

void PanelRenderer::RenderLabel(const std::string& name, const LabelModel& label,
                                const LabelModel* last) {
  QWidget* widget = Control(name);
  if (widget == nullptr) {
    return;
  }
  SetCaptionAndHint(*widget, label.caption, label.hint, last != nullptr ? &last->caption : nullptr,
                    last != nullptr ? &last->hint : nullptr);
  if (Changed(label.font_color, last != nullptr ? &last->font_color : nullptr)) {
    SetTextColor(*widget, ToQColor(label.font_color));
  }
  if (Changed(label.visible, last != nullptr ? &last->visible : nullptr)) {
    widget->setVisible(label.visible);
  }
}

void PanelRenderer::RenderLight(const std::string& name, Color color, const Color* last) {
  auto* light = qobject_cast<BevelPanel*>(Control(name));
  if (light == nullptr || !Changed(color, last)) {
    return;
  }
  light->SetColor(ToQColor(color));
  light->setAccessibleDescription(LightState(name, color));
}

void PanelRenderer::RenderDisplay(const DisplayModel& display, const DisplayModel* last) {
  auto* panel = qobject_cast<BevelPanel*>(Control(names::kFreqPanel));
  if (panel == nullptr) {
    return;
  }
  SetCaptionAndHint(*panel, display.caption, display.hint,
                    last != nullptr ? &last->caption : nullptr,
                    last != nullptr ? &last->hint : nullptr);
  const FontSpec* last_font = last != nullptr ? &last->font : nullptr;
  if (Changed(display.font, last_font)) {
    panel->setFont(ToQFont(display.font));
    panel->SetCaptionColor(ToQColor(display.font.color));
  }
  if (Changed(display.color, last != nullptr ? &last->color : nullptr)) {
    panel->SetColor(ToQColor(display.color));
  }
}

void PanelRenderer::RenderOverlay(const control_name::Overlay& overlay_names,
                                  const OverlayModel& overlay, const OverlayModel* last) {
  RenderLabel(overlay_names.current, overlay.current, last != nullptr ? &last->current : nullptr);
  RenderLabel(overlay_names.value, overlay.value, last != nullptr ? &last->value : nullptr);
  QWidget* panel = Control(overlay_names.panel);
  if (panel != nullptr && Changed(overlay.visible, last != nullptr ? &last->visible : nullptr)) {
    panel->setVisible(overlay.visible);
    if (overlay.visible) {
      panel->raise();
    }
  }
}

void PanelRenderer::RenderFrames(const PanelSurface& surface, const PanelSurface* last) {
  for (const auto& [name, frame] : surface.frames) {
    if (last != nullptr) {
      const auto before = last->frames.find(name);
      if (before != last->frames.end() && before->second == frame) {
        continue;
      }
    }
    auto* panel = qobject_cast<BevelPanel*>(Control(name));
    if (panel == nullptr) {
      continue;
    }
    panel->resize(frame.width, frame.height);
    panel->SetBevels(frame.bevel_outer, frame.bevel_inner, frame.bevel_width, frame.border_width);
  }
}

void PanelRenderer::RenderDrawers(const PanelSurface& surface, const PanelSurface* last) {
  const DrawersModel& drawers = *surface.Drawers;
  if (last != nullptr && last->Drawers && drawers == *last->Drawers &&
      surface.client_height == last->client_height) {
    return;
  }
  if (QWidget* controls = Control(names::kControlsDrawer)) {
    controls->move(drawers.controls_left, drawers.controls_top);
  }
  const std::pair<const char*, bool> shown[] = {
      {names::kDownLeftBtn, drawers.down_left},
      {names::kUpLeftBtn, drawers.up_left},
      {names::kDownRightBtn, drawers.down_right},
      {names::kUpRightBtn, drawers.up_right},
  };
  for (const auto& [name, visible] : shown) {
    if (QWidget* control = Control(name)) {
      control->setVisible(visible);
    }
  }
  // A drawer lies partly outside the window until it slides out: one that shows no more than
  // the rim it shares with the display group is hidden, so that a screen reader does not
  // announce the controls in it as showing.
  constexpr int kSharedRim = 2;
  const std::pair<const char*, bool> drawers_shown[] = {
      {names::kPresetDrawer, drawers.presets_shown},
      {names::kControlsDrawer, drawers.controls_shown},
  };
  for (const auto& [name, in_use] : drawers_shown) {
    if (QWidget* drawer = Control(name)) {
      drawer->setVisible(in_use && drawer->y() + kSharedRim < surface.client_height);
    }
  }
}

void PanelRenderer::RenderWindow(const PanelSurface& surface, const PanelSurface* last) {
  if (Changed(surface.caption, Field(last, &PanelSurface::caption))) {
    window_.setWindowTitle(FromCoreText(surface.caption));
    window_.setAccessibleName(window_.windowTitle());
  }

  bool place = last == nullptr || surface.top != last->top || surface.left != last->left;
  if (Changed(surface.border, Field(last, &PanelSurface::border))) {
    const bool frameless = surface.border == BorderStyle::kNone;
    if (window_.windowFlags().testFlag(Qt::FramelessWindowHint) != frameless) {
      // Changing the flags hides a shown window; it comes back where the surface puts it.
      const bool shown = window_.isVisible();
      const bool stays = surface.visible;  // the hide below reaches the surface
      // Title and system-menu hints take precedence over the frameless one, so a window
      // without border carries none of them.
      window_.setWindowFlags(frameless
                                 ? (bordered_flags_ & Qt::WindowType_Mask) | Qt::FramelessWindowHint
                                 : bordered_flags_);
      // Only a window that is to stay on the screen comes back: one shown and at once hidden
      // again (the start-up style's switch away from the main panel) can be mapped by a
      // window manager that has not seen the hide yet, and then stays up.
      if (shown && stays) {
        window_.show();
      }
      place = true;
    }
  }
  if (last == nullptr || surface.client_width != last->client_width ||
      surface.client_height != last->client_height) {
    window_.setFixedSize(surface.client_width, surface.client_height);
  }
  if (place) {
    // The panel's place is that of its outer corner, frame included. The platform is asked to
    // put the frame there: a window that has just got its border back does not know its frame
    // yet (it would keep its inside's place, and its caption bar would rise off the top of the
    // screen), and one that has just lost it would still count the old frame in.
    const QPoint corner(surface.left, surface.top);
    if (QWindow* handle = window_.windowHandle()) {
      if (!window_.isVisible()) {
        // A hidden window that was shown before comes back where its widget says, by its
        // inside: the widget is first put at the corner too, so that showing it leaves the
        // frame's place alone.
        window_.move(corner);
      }
      handle->setFramePosition(corner);
    } else {
      window_.move(corner);
    }
  }

  // Shown and minimised are compared with the screen at the first render: the surface may
  // still hold the designed values while the application has already shown the window.
  const bool was_visible = last != nullptr ? last->visible : window_.isVisible();
  if (surface.visible != was_visible) {
    if (surface.visible) {
      window_.show();
      window_.raise();
      window_.activateWindow();
    } else {
      window_.hide();
    }
  }
  const bool was_minimized = last != nullptr ? last->minimized : window_.isMinimized();
  if (surface.minimized != was_minimized) {
    window_.setWindowState(surface.minimized ? window_.windowState() | Qt::WindowMinimized
                                             : window_.windowState() & ~Qt::WindowMinimized);
  }
}

void PanelRenderer::TakeWindowState(PanelSurface& surface, bool moved) {
  if (!last_) {
    // Until the first render the surface says where the window goes, not the other way round.
    return;
  }
  surface.visible = window_.isVisible();
  surface.minimized = window_.isMinimized();
  last_->visible = surface.visible;
  last_->minimized = surface.minimized;
  // Only a move of the window on the screen says where it is. While it is shown, hidden or
  // iconified, and until the window manager has framed a window that has just come up, the
  // platform counts no frame, and the inside's corner would be taken for the outer one: the
  // next panel would come up a caption bar lower.
  if (!moved || !surface.visible || surface.minimized) {
    return;
  }
  // The outer corner as the platform has it: the widget's own count of the frame lags behind
  // a change of border.
  const QWindow* handle = window_.windowHandle();
  const QPoint corner = handle != nullptr ? handle->framePosition() : window_.pos();
  surface.top = corner.y();
  surface.left = corner.x();
  last_->top = surface.top;
  last_->left = surface.left;
}

}  // namespace orvaltic::gui
