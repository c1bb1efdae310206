#include "core/controller/panel_router.h"

#include <array>
#include <vector>

#include "core/controller/radio_controller.h"

namespace orvaltic {

namespace {

using C = RadioController;

// True when `name` is found among `items` and it and every submenu above it are enabled;
// false when it is disabled or unknown.
bool FindEnabled(const std::vector<MenuItem>& items, std::string_view name, bool& found) {
  for (const MenuItem& item : items) {
    if (item.name == name) {
      found = true;
      return item.enabled;
    }
    if (FindEnabled(item.items, name, found)) {
      return item.enabled;
    }
    if (found) {
      return false;
    }
  }
  return false;
}

bool MenuItemUsable(const PopupMenuModel& menu, std::string_view name) {
  bool found = false;
  return FindEnabled(menu.Items(), name, found);
}

}  // namespace

void Route::operator()(RadioController& controller, int style) const {
  if (handler_ != nullptr) {
    (controller.*handler_)();
  } else {
    (controller.*panel_handler_)(style);
  }
}

const RouteTable& PanelRouter::SharedClicks() {
  static const RouteTable table = {
      {"PwrBtn", &C::PwrBtnClick},
      {"MuteBtn", &C::MuteBtnClick},
      {"DecVolumeBtn", &C::DecVolumeBtnClick},
      {"IncVolumeBtn", &C::IncVolumeBtnClick},
      {"Preset1", &C::Preset1Click},
      {"Preset2", &C::Preset2Click},
      {"Preset3", &C::Preset3Click},
      {"Preset4", &C::Preset4Click},
      {"Preset5", &C::Preset5Click},
      {"Preset6", &C::Preset6Click},
      {"Preset7", &C::Preset7Click},
      {"Preset8", &C::Preset8Click},
      {"Preset9", &C::Preset9Click},
      {"Preset10", &C::Preset10Click},
      {"MemoryBtn", &C::MemoryBtnClick},
      {"Prev10Btn", &C::Prev10BtnClick},
      {"Next10Btn", &C::Next10BtnClick},
      {"TuneDownBtn", &C::TuneDownBtnClick},
      {"TuneUpBtn", &C::TuneUpBtnClick},
      {"FineTuneDownBtn", &C::FineTuneDownBtnClick},
      {"FineTuneUpBtn", &C::FineTuneUpBtnClick},
      {"ScanDownBtn", &C::ScanDownBtnClick},
      {"ScanUpBtn", &C::ScanUpBtnClick},
      {"DirectAccessBtn", &C::DirectAccessBtnClick},
      {"AlarmPanel", &C::AlarmPanelClick},
      {"AlarmCurrentLabel", &C::AlarmPanelClick},
      {"AlarmLabel", &C::AlarmPanelClick},
      {"SnoozePanel", &C::SnoozePanelClick},
      {"SnoozeCurrentLabel", &C::SnoozePanelClick},
      {"SnoozeLabel", &C::SnoozePanelClick},
  };
  return table;
}

const RouteTable& PanelRouter::StyleClicks(int style) {
  // The controls that only some styles have, or that mean something else there: the minimise
  // targets and the buttons styles 6 and 7 name after their position.
  static const std::array<RouteTable, kPanelCount> tables = {
      RouteTable{
          {"Label3", &C::Label3Click},
      },
      RouteTable{
          {"Label18", &C::Label3Click},
          // The "<<" and ">>" labels lie on the uncaptioned fine-tune buttons.
          {"Label2", &C::FineTuneDownBtnClick},
          {"Label3", &C::FineTuneUpBtnClick},
          {"SpeedButton3", &C::DirectAccessBtnClick},
      },
      RouteTable{
          {"Label18", &C::Label3Click},
      },
      RouteTable{
          {"Panel2", &C::Label3Click},
      },
      RouteTable{
          {"Label18", &C::Label3Click},
      },
      RouteTable{
          {"Label11", &C::Label3Click},
          {"SpeedButton21", &C::MuteBtnClick},
          {"SpeedButton22", &C::DecVolumeBtnClick},
          {"SpeedButton23", &C::IncVolumeBtnClick},
          {"SpeedButton11", &C::MemoryBtnClick},
      },
      RouteTable{
          {"Label9", &C::Label3Click},
          {"SpeedButton15", &C::PwrBtnClick},
          {"SpeedButton14", &C::DecVolumeBtnClick},
          {"SpeedButton13", &C::IncVolumeBtnClick},
          {"SpeedButton25", &C::MuteBtnClick},
          {"SpeedButton18", &C::MemoryBtnClick},
          {"SpeedButton20", &C::TuneDownBtnClick},
          {"SpeedButton12", &C::TuneUpBtnClick},
          {"SpeedButton21", &C::FineTuneDownBtnClick},
          {"SpeedButton22", &C::FineTuneUpBtnClick},
          {"SpeedButton16", &C::ScanDownBtnClick},
          {"SpeedButton6", &C::ScanUpBtnClick},
          {"SpeedButton26", &C::DirectAccessBtnClick},
      },
  };
  return tables.at(static_cast<std::size_t>(style - 1));
}

const RouteTable& PanelRouter::MouseMoves() {
  static const RouteTable table = {
      {"Label1", &C::Label1MouseMove},
      // A preset button's hint: the station name of the preset it recalls.
      {"Preset1", &C::Preset1MouseMove},
      {"Preset2", &C::Preset2MouseMove},
      {"Preset3", &C::Preset3MouseMove},
      {"Preset4", &C::Preset4MouseMove},
      {"Preset5", &C::Preset5MouseMove},
      {"Preset6", &C::Preset6MouseMove},
      {"Preset7", &C::Preset7MouseMove},
      {"Preset8", &C::Preset8MouseMove},
      {"Preset9", &C::Preset9MouseMove},
      {"Preset10", &C::Preset10MouseMove},
  };
  return table;
}

const RouteTable& PanelRouter::MenuItems() {
  static const RouteTable table = {
      {"OpenPresetFile1", &C::OpenPresetFile1Click},
      {"SavePresetFile1", &C::SavePresetFile1Click},
      {"Options1", &C::Options1Click},
  };
  return table;
}

void PanelRouter::RunRoute(const Route& route, int style) {
  controller_.Dispatcher().Run([&] { route(controller_, style); });
}

void PanelRouter::Click(int style, std::string_view control) {
  if (style < 1 || style > kPanelCount) {
    return;
  }
  const RouteTable& own = StyleClicks(style);
  if (auto it = own.find(control); it != own.end()) {
    RunRoute(it->second, style);
    return;
  }
  if (auto it = SharedClicks().find(control); it != SharedClicks().end()) {
    RunRoute(it->second, style);
  }
}

void PanelRouter::MouseMove(int style, std::string_view control) {
  if (style < 1 || style > kPanelCount) {
    return;
  }
  if (auto it = MouseMoves().find(control); it != MouseMoves().end()) {
    RunRoute(it->second, style);
  }
}

void PanelRouter::MenuClick(std::string_view item) {
  if (!MenuItemUsable(controller_.Menu(), item)) {
    return;
  }
  if (auto it = MenuItems().find(item); it != MenuItems().end()) {
    RunRoute(it->second, 1);
  }
}

bool PanelRouter::CloseQuery(int /*style*/) {
  // A save that fails inside the close sequence has already been shown by the dispatcher; the
  // window then stays open.
  bool close = false;
  controller_.Dispatcher().Run([&] { close = controller_.FormCloseQuery(); });
  return close;
}

void PanelRouter::Activated(int style) {
  // The style panels have no activation behaviour of their own.
  if (style == 1) {
    controller_.Dispatcher().Run([&] { controller_.FormActivate(); });
  }
}

void PanelRouter::Painted(int style) {
  // Only the first paint does anything; later paints do not count as events, so that the
  // views' refresh after an event cannot lead to another paint event and so on.
  if (style == 1 && controller_.FirstPaintPending()) {
    controller_.Dispatcher().Run([&] { controller_.FormPaint(); });
  }
}

}  // namespace orvaltic
