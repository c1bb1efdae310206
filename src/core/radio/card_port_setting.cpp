#include "core/radio/card_port_setting.h"

#include <unistd.h>

#include <optional>

#include "core/options/options.h"
#include "core/options/options_file.h"
#include "core/panels/panel_set.h"
#include "core/platform/errors.h"

namespace orvaltic {

std::optional<TextFileReader> OpenSettingsFile(const std::string& path) {
  // access() asks with the real user's rights, so a set-user-ID program does not read a file
  // its user could not.
  if (::access(path.c_str(), R_OK) != 0) {
    return std::nullopt;
  }
  return TextFileReader::Open(path);
}

CardPortSetting ReadCardPortSetting(const std::string& path) {
  CardPortSetting setting;
  std::optional<TextFileReader> reader = OpenSettingsFile(path);
  if (!reader) {
    return setting;
  }
  Options options;
  PanelSet panels;  // the read applies the bevel; these panels are thrown away
  setting.source = CardPortSetting::Source::kFile;
  try {
    ReadOrvalticOptionsFile(options, panels, *reader);
  } catch (const InOutError& error) {
    setting.source = CardPortSetting::Source::kRejected;
    setting.error = error.what();
  }
  // Only the low 16 bits address the port, as every write of the radio uses them.
  setting.port = static_cast<std::uint16_t>(static_cast<std::uint32_t>(options.CardPort) & 0xFFFFu);
  return setting;
}

}  // namespace orvaltic
