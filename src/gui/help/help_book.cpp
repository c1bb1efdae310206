#include "gui/help/help_book.h"

#include <array>

namespace orvaltic::gui {

namespace {

constexpr std::array kTopics = {
    HelpTopic{9, "contents.html", "Contents"},
    HelpTopic{1, "panel.html", "The front panel"},
    HelpTopic{13, "styles.html", "Panel styles"},
    HelpTopic{23, "file.html", "The File menu"},
    HelpTopic{25, "open-custom.html", "Opening a custom presets file"},
    HelpTopic{24, "save-custom.html", "Saving a custom presets file"},
    HelpTopic{14, "presets.html", "The preset editor"},
    HelpTopic{11, "options.html", "Options"},
    HelpTopic{16, "alarm.html", "The alarm"},
    HelpTopic{17, "snooze.html", "The snooze"},
    HelpTopic{26, "schedule.html", "Scheduled programs"},
    HelpTopic{21, "font.html", "The display font"},
    HelpTopic{20, "color.html", "The display colour"},
    HelpTopic{22, "help.html", "Using help"},
    HelpTopic{10, "about.html", "About Orvaltic"},
    HelpTopic{27, "command-line.html", "Command line"},
    // No window of the program asks for this one: it is reached from the contents and by search.
    HelpTopic{30, "remote.html", "Media keys and orvaltic-card"},
};

}  // namespace

std::span<const HelpTopic> HelpTopics() {
  return kTopics;
}

const HelpTopic* FindHelpTopic(int context) {
  for (const HelpTopic& topic : kTopics) {
    if (topic.context == context) {
      return &topic;
    }
  }
  return nullptr;
}

QUrl HelpPageUrl(const HelpTopic& topic) {
  return QUrl(QStringLiteral("qrc:/help/pages/") + QString::fromLatin1(topic.page));
}

bool IsBuiltInHelpFile(const std::string& help_file) {
  const std::size_t slash = help_file.find_last_of("/\\");
  const QString base =
      QString::fromStdString(slash == std::string::npos ? help_file : help_file.substr(slash + 1));
  return base.compare(QStringLiteral("Orvaltic.HLP"), Qt::CaseInsensitive) == 0;
}

}  // namespace orvaltic::gui
