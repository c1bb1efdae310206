#pragma once

#include <string>
#include <vector>

namespace orvaltic {

// One item of the panels' shared popup menu. A separator has a caption of "-". In a caption the
// character after "&" is the accelerator.
struct MenuItem {
  std::string name;
  std::string caption;
  bool enabled = true;
  bool checked = false;
  int help_context = 0;  // 0: none
  std::vector<MenuItem> items;

  bool IsSeparator() const { return caption == "-"; }
  friend bool operator==(const MenuItem&, const MenuItem&) = default;
};

// `PopupMenu1`: the menu every panel opens on a right click.
class PopupMenuModel {
 public:
  // The menu as designed: only "&File" and "&Style" (with their items) enabled, nothing checked.
  PopupMenuModel();

  const std::vector<MenuItem>& Items() const { return items_; }
  // The item named `name`, top level or in a submenu; throws std::out_of_range when unknown.
  MenuItem& Item(const std::string& name);
  const MenuItem& Item(const std::string& name) const;

  // The items that switching the radio on enables, in that order.
  static const std::vector<std::string>& PowerOnItems();

 private:
  std::vector<MenuItem> items_;
};

}  // namespace orvaltic
