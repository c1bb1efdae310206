#pragma once

#include <QString>

#include <string>

namespace orvaltic::gui {

// Core text is bytes. Settings written on Windows hold Windows-1252, ours hold UTF-8: a byte
// string that is valid UTF-8 is read as UTF-8, anything else as Windows-1252. Every byte maps
// to its own character, so no text becomes unreadable question marks.
QString FromCoreText(const std::string& text);

// What the user typed, for the core: UTF-8.
std::string ToCoreText(const QString& text);

// A tool tip that shows `text` exactly as given. Qt reads a tool tip as markup whenever it looks
// like markup, so a station name "<h1>Jazz</h1>" would become a heading and "<img>" would load
// a file. This one is always markup, with the text escaped; blanks are kept and lines break
// only where the text does. Empty stays empty: no tip.
QString PlainToolTip(const QString& text);

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(const std::string& text);

}  // namespace orvaltic::gui
