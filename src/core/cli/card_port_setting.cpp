#include "core/cli/card_port_setting.h"

#include <optional>

#include "core/options/options.h"
#include "core/options/options_file.h"
#include "core/panels/panel_set.h"
#include "core/platform/errors.h"
#include "core/platform/text_file.h"

namespace orvaltic {

CardPortSetting ReadCardPortSetting(const std::string& path) {
  CardPortSetting setting;
  std::optional<TextFileReader> reader = TextFileReader::Open(path, kOptionsFileLimits);
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
