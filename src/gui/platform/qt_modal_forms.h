#pragma once

#include <functional>
#include <map>

#include "core/platform/modal_forms.h"

class QDialog;

namespace orvaltic::gui {

// The modal forms in Qt: the application registers how to reach each dialog, which it makes
// once, when it is first needed; showing one runs its own event loop until the user closes it.
class QtModalForms : public ModalForms {
 public:
  void Register(ModalForm form, std::function<QDialog&()> dialog);
  // A form that was never registered is a wiring fault: it throws std::logic_error.
  void ShowModal(ModalForm form) override;

 private:
  std::map<ModalForm, std::function<QDialog&()>> dialogs_;
};

}  // namespace orvaltic::gui
