#pragma once

#include <string>
#include <string_view>

namespace orvaltic {

// `text` from the user or a file, safe inside a one-line message: control bytes, bytes that are
// not UTF-8 and the backslash become escapes ("\n", "\x1B", "\\"), so that nothing breaks the line
// or reaches the terminal as a command.
std::string PrintableText(std::string_view text);

}  // namespace orvaltic
