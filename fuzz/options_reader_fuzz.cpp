// Feeds any bytes to the options-file reader. Beyond "no crash, no sanitizer report", a file
// that reads must write out as one that reads again, and writing that a second time must give
// the same bytes: the program has to be able to load what it saved.

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/options/options_file.h"
#include "core/panels/panel_set.h"
#include "core/platform/errors.h"
#include "core/platform/text_file.h"

namespace {

using orvaltic::InOutError;
using orvaltic::Options;
using orvaltic::PanelSet;
using orvaltic::TextFileReader;
using orvaltic::TextFileWriter;

std::string Written(const Options& options) {
  TextFileWriter writer;
  orvaltic::WriteOrvalticOptions(options, writer);
  return writer.Contents();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  PanelSet panels;
  Options options;
  TextFileReader reader(std::string(reinterpret_cast<const char*>(data), size));
  try {
    orvaltic::ReadOrvalticOptionsFile(options, panels, reader);
  } catch (const InOutError&) {
    // "Invalid numeric input": a rejected file is a valid outcome.
    return 0;
  }

  const std::string first = Written(options);
  Options again;
  TextFileReader reread(first);
  // An exception here escapes and libFuzzer reports it: the saved file did not read back.
  orvaltic::ReadOrvalticOptionsFile(again, panels, reread);
  if (again.CardPort != options.CardPort || again.StartupStyle != options.StartupStyle ||
      again.ScanRate != options.ScanRate || again.ScanMethod != options.ScanMethod ||
      again.RaisedForm != options.RaisedForm || again.WaveFileName != options.WaveFileName ||
      again.AlarmTypeRadio != options.AlarmTypeRadio || Written(again) != first) {
    __builtin_trap();
  }
  return 0;
}
