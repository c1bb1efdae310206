#pragma once

#include <QString>
#include <QUrl>

#include <span>
#include <string>

namespace orvaltic::gui {

// One topic of the built-in help: the context number the program opens it by, its page in the
// resources (under qrc:/help/pages/) and its title in the contents.
struct HelpTopic {
  int context;
  const char* page;
  const char* title;
};

// The built-in help, in the order of its contents.
std::span<const HelpTopic> HelpTopics();
// The topic of `context`, or null.
const HelpTopic* FindHelpTopic(int context);
QUrl HelpPageUrl(const HelpTopic& topic);
// Whether a help file name the program uses means the built-in help: its base name (after the
// last slash or backslash) is "Orvaltic.HLP", in any letter case.
bool IsBuiltInHelpFile(const std::string& help_file);

}  // namespace orvaltic::gui
