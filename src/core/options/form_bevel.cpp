#include "core/options/form_bevel.h"

#include <initializer_list>
#include <string>

namespace orvaltic {

namespace {

void SetInnerBevel(PanelSurface& panel, std::initializer_list<const char*> names, bool raised) {
  for (const char* name : names) {
    panel.Frame(name).bevel_inner = raised ? Bevel::kRaised : Bevel::kLowered;
  }
}

}  // namespace

void ApplyFormBevel(PanelSet& panels, bool raised) {
  SetInnerBevel(panels.Main(), {"Panel1"}, raised);

  PanelSurface& style2 = panels.Style(2);
  SetInnerBevel(style2, {"Panel1"}, raised);
  style2.Frame("Panel1").bevel_width = raised ? 2 : 4;
  style2.Frame("Panel1").border_width = raised ? 1 : 0;

  SetInnerBevel(panels.Style(3), {"Panel2", "Panel3", "Panel6"}, raised);

  SetInnerBevel(panels.Style(4), {"Panel1"}, raised);
  panels.Style(4).Frame("Panel1").bevel_width = raised ? 2 : 3;

  SetInnerBevel(panels.Style(5), {"Panel2", "Panel3", "Panel6"}, raised);

  SetInnerBevel(panels.Style(6), {"Panel1"}, raised);

  SetInnerBevel(panels.Style(7), {"Panel1"}, raised);
  panels.Style(7).Frame("Panel1").bevel_width = raised ? 2 : 3;
}

}  // namespace orvaltic
