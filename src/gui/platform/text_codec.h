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

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(const std::string& text);

}  // namespace orvaltic::gui
