#pragma once

#include <map>

#include "core/platform/modal_forms.h"

class QDialog;

namespace orvaltic::gui {

// The modal forms in Qt: the application creates each dialog once, with the windows, and
// registers it here; showing one runs its own event loop until the user closes it.
class QtModalForms : public ModalForms {
 public:
  void Register(ModalForm form, QDialog& dialog);
  // A form that was never registered is a wiring fault: it throws std::logic_error.
  void ShowModal(ModalForm form) override;

 private:
  std::map<ModalForm, QDialog*> dialogs_;
};

}  // namespace orvaltic::gui
