#pragma once

namespace orvaltic::gui {

// Makes screen readers see the front panels as they are: each panel a window named by its
// caption (also while it is minimised, when Qt would take the empty icon text), and each
// control with the plain description the layout gives it. Qt's own interfaces fall back to
// the tool tip where a description is empty, and the panels' tool tips are markup. Installed
// once; every later call does nothing.
void InstallPanelAccessibility();

}  // namespace orvaltic::gui
