#include "gui/platform/qt_modal_forms.h"

#include <QDialog>

#include <stdexcept>
#include <string>
#include <utility>

namespace orvaltic::gui {

void QtModalForms::Register(ModalForm form, std::function<QDialog&()> dialog) {
  dialogs_[form] = std::move(dialog);
}

void QtModalForms::ShowModal(ModalForm form) {
  const auto it = dialogs_.find(form);
  if (it == dialogs_.end()) {
    throw std::logic_error("no window for modal form " + std::to_string(static_cast<int>(form)));
  }
  it->second().exec();
}

}  // namespace orvaltic::gui
