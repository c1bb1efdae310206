#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orvaltic {

// `text` from the user or a file, safe inside a one-line message: control bytes, bytes that are
// not UTF-8 and the backslash become escapes ("\n", "\x1B", "\\"), so that nothing breaks the line
// or reaches the terminal as a command.
std::string PrintableText(std::string_view text);

// At most `max_bytes` of `text`, cut where a UTF-8 character begins, with "..." where it was cut:
// a user's text of any length repeated in a one-line message.
std::string CutText(std::string_view text, std::size_t max_bytes);

// PrintableText of CutText: a message from another program, shown on a terminal.
std::string ShortPrintableText(std::string_view text, std::size_t max_bytes);

}  // namespace orvaltic
