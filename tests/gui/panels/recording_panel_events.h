#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/panels/panel_events.h"

namespace orvaltic::gui::testing {

// Records what a panel window reports, one line each: "Click 1 PwrBtn", "MouseMove 1 Label1",
// "MenuClick Style2", "CloseQuery 1", "Activated 1", "Painted 1". CloseQuery answers
// `allow_close`.
class RecordingPanelEvents : public PanelEvents {
 public:
  void Click(int style, std::string_view control) override {
    Add("Click " + std::to_string(style) + " " + std::string(control));
  }
  void MouseMove(int style, std::string_view control) override {
    Add("MouseMove " + std::to_string(style) + " " + std::string(control));
  }
  void MenuClick(std::string_view item) override { Add("MenuClick " + std::string(item)); }
  bool CloseQuery(int style) override {
    Add("CloseQuery " + std::to_string(style));
    return allow_close;
  }
  void Activated(int style) override { Add("Activated " + std::to_string(style)); }
  void Painted(int style) override { Add("Painted " + std::to_string(style)); }

  int Count(const std::string& line) const {
    int n = 0;
    for (const auto& e : events) {
      n += e == line ? 1 : 0;
    }
    return n;
  }

  bool allow_close = true;
  std::vector<std::string> events;

 private:
  void Add(std::string line) { events.push_back(std::move(line)); }
};

}  // namespace orvaltic::gui::testing
