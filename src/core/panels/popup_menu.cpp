#include "core/panels/popup_menu.h"

#include <stdexcept>
#include <utility>

namespace orvaltic {

namespace {

MenuItem Entry(std::string name, std::string caption, int help_context, bool enabled = true,
               std::vector<MenuItem> items = {}) {
  MenuItem item;
  item.name = std::move(name);
  item.caption = std::move(caption);
  item.enabled = enabled;
  item.help_context = help_context;
  item.items = std::move(items);
  return item;
}

MenuItem Separator(std::string name) {
  return Entry(std::move(name), "-", 0);
}

MenuItem* Find(std::vector<MenuItem>& items, const std::string& name) {
  for (auto& item : items) {
    if (item.name == name) {
      return &item;
    }
    if (MenuItem* inner = Find(item.items, name)) {
      return inner;
    }
  }
  return nullptr;
}

}  // namespace

PopupMenuModel::PopupMenuModel() {
  std::vector<MenuItem> styles;
  for (int n = 1; n <= 7; ++n) {
    const std::string digit = std::to_string(n);
    styles.push_back(Entry("Style" + digit, "Style&" + digit, n == 7 ? 0 : 13));
  }
  items_ = {
      Entry("PresetFile1", "&File", 23, true,
            {Entry("OpenPresetFile1", "&Open Custom File...", 25),
             Entry("SavePresetFile1", "&Save Custom File...", 24)}),
      Separator("N9"),
      Entry("FormStyle1", "&Style", 13, true, std::move(styles)),
      Separator("N1"),
      Entry("Presets1", "&Presets...", 14, false),
      Separator("N3"),
      Entry("Options1", "&Options...", 11, false),
      Separator("N4"),
      Entry("Alarm1", "&Alarm", 16, false,
            {Entry("Set1", "&Set...", 0), Entry("Activate1", "&Activate", 0)}),
      Separator("N7"),
      Entry("Snooze1", "Snoo&ze", 17, false,
            {Entry("Set2", "&Set...", 0), Entry("Activate2", "&Activate", 0)}),
      Separator("N2"),
      Entry("Schedule1", "Sch&edule", 26, false,
            {Entry("Set3", "&Set...", 0), Entry("Activate3", "&Activate", 0)}),
      Separator("N8"),
      Entry("Font1", "Fo&nt...", 21, false),
      Separator("N5"),
      Entry("Color1", "&Color...", 20, false),
      Separator("N6"),
      Entry("Help1", "&Help", 22, false,
            {Entry("Contents1", "&Contents...", 9), Entry("About1", "&About", 10)}),
  };
}

MenuItem& PopupMenuModel::Item(const std::string& name) {
  if (MenuItem* item = Find(items_, name)) {
    return *item;
  }
  throw std::out_of_range("no menu item " + name);
}

const MenuItem& PopupMenuModel::Item(const std::string& name) const {
  return const_cast<PopupMenuModel*>(this)->Item(name);
}

const std::vector<std::string>& PopupMenuModel::PowerOnItems() {
  static const std::vector<std::string> items = {"Presets1",  "Options1", "Alarm1", "Snooze1",
                                                 "Schedule1", "Font1",    "Color1", "Help1"};
  return items;
}

}  // namespace orvaltic
