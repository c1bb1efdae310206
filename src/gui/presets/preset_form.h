#pragma once

#include <array>

#include "core/platform/dispatcher.h"
#include "core/presets/preset_editor.h"
#include "gui/platform/core_dialog.h"

class QLabel;
class QLineEdit;

namespace orvaltic::gui {

// The preset editor: a view of the core's PresetEditor. Showing it runs FormActivate; every
// button copies what the user typed into the model and runs the handler through the event
// dispatcher, which shows a conversion or file error in its box while the dialog stays open.
//
// A frequency field is checked when the user leaves it with Tab, Shift+Tab or the mouse, before
// any button's handler runs. Leaving for Cancel is not checked: Cancel always closes.
class TPresetForm : public CoreDialog {
  Q_OBJECT

 public:
  TPresetForm(PresetEditor& model, EventDispatcher& dispatcher, QWidget* parent = nullptr);

 public slots:
  // Cancel, Escape and the window's close button all end here.
  void reject() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void Opened() override;
  void ReadControls() override;
  void ShowControls() override;
  bool FieldExit(const QObject* field) override;

 private:
  // The row (1..10) of a frequency field, 0 for anything else.
  int FreqRow(const QObject* object) const;

  PresetEditor& model_;

  std::array<QLabel*, kPresetRows> row_labels_{};
  std::array<QLineEdit*, kPresetRows> freq_edits_{};
  std::array<QLineEdit*, kPresetRows> name_edits_{};
};

}  // namespace orvaltic::gui
