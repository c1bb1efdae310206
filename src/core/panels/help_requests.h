#pragma once

#include <string>
#include <string_view>

#include "core/panels/popup_menu.h"
#include "core/platform/help.h"
#include "core/platform/modal_forms.h"

namespace orvaltic {

// The help file that the main panel carries as its own, and that the help button makes the
// application's.
inline constexpr char kPanelHelpFile[] = "Orvaltic.HLP";
// The main panel's context: its help button, Help > Contents and F1 on the panel.
inline constexpr int kPanelHelpContext = 1;

// Every request for help and the about box: which help file and which topic each trigger asks
// for. A request goes to the asking window's own help file when it has one (only the main
// panel, style 1, has), otherwise to the application help file, which the help button and
// Help > Contents switch to the main panel's file from their first use on.
class HelpRequests {
 public:
  HelpRequests(Help& help, HelpFiles& help_files, const PopupMenuModel& menu, ModalForms& forms)
      : help_(help), help_files_(help_files), menu_(menu), forms_(forms) {}

  // The help button of every panel: works whether the radio is on or off.
  void HelpBtnClick();
  // Help > Contents: the same as the help button.
  void Contents1Click() { HelpBtnClick(); }
  // Help > About: the about box, modally.
  void About1Click() { forms_.ShowModal(ModalForm::kAbtForm); }
  // F1 while panel `style` is the active window, with `menu_item` the highlighted item of its
  // popup menu ("" when no menu is open). An item without a context of its own asks for the
  // topic of the submenu it lies in; a style panel without a menu open has no topic.
  void HelpKey(int style, std::string_view menu_item);
  // The program ends: the help window it opened is closed.
  void HelpQuit();

  // The help context of menu item `name` (or of the nearest submenu above it that has one);
  // 0 for none or an unknown item.
  static int MenuHelpContext(const PopupMenuModel& menu, std::string_view name);

 private:
  void Show(const std::string& window_help_file, int context);

  Help& help_;
  HelpFiles& help_files_;
  const PopupMenuModel& menu_;
  ModalForms& forms_;
};

}  // namespace orvaltic
