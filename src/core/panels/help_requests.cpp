#include "core/panels/help_requests.h"

#include <cstdint>
#include <vector>

namespace orvaltic {

namespace {

// The context of `name` below `items`, falling back to `inherited` (the enclosing submenu's);
// -1 when the item is not there.
int FindContext(const std::vector<MenuItem>& items, std::string_view name, int inherited) {
  for (const MenuItem& item : items) {
    const int own = item.help_context != 0 ? item.help_context : inherited;
    if (item.name == name) {
      return own;
    }
    if (const int inner = FindContext(item.items, name, own); inner >= 0) {
      return inner;
    }
  }
  return -1;
}

}  // namespace

int HelpRequests::MenuHelpContext(const PopupMenuModel& menu, std::string_view name) {
  const int context = FindContext(menu.Items(), name, 0);
  return context > 0 ? context : 0;
}

void HelpRequests::HelpBtnClick() {
  help_files_.SetApplicationHelpFile(kPanelHelpFile);
  Show("", kPanelHelpContext);
}

void HelpRequests::HelpKey(int style, std::string_view menu_item) {
  const std::string window_help_file = style == 1 ? kPanelHelpFile : "";
  if (!menu_item.empty()) {
    Show(window_help_file, MenuHelpContext(menu_, menu_item));
  } else if (style == 1) {
    Show(window_help_file, kPanelHelpContext);
  }
}

void HelpRequests::HelpQuit() {
  help_.WinHelp(help_files_.ApplicationHelpFile(), kHelpQuit, 0);
}

void HelpRequests::Show(const std::string& window_help_file, int context) {
  if (context <= 0) {
    return;
  }
  help_.WinHelp(help_files_.For(window_help_file), kHelpContext,
                static_cast<std::uint32_t>(context));
}

}  // namespace orvaltic
