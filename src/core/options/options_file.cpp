#include "core/options/options_file.h"

#include <cmath>
#include <optional>
#include <string_view>

#include "core/options/form_bevel.h"
#include "core/platform/errors.h"
#include "core/platform/numbers.h"

namespace orvaltic {

namespace {

constexpr std::string_view kTrue = "TRUE";
constexpr std::string_view kFalse = "FALSE";

bool ReadFlagLine(TextFileReader& reader) {
  return reader.ReadTextLine() == kTrue;
}

// Fifteen significant digits round the very largest doubles up past the double range, and the
// reader would refuse the file. Those few values are written as the largest that reads back.
std::string RateField(double value) {
  std::string text = FormatExponent23(value);
  if (std::isfinite(value) && !TryStrToFloat(text)) {
    text = FormatExponent23(std::copysign(1.79769313486231e308, value));
  }
  return text;
}

}  // namespace

void ReadOrvalticOptionsFile(Options& options, PanelSet& panels, Dialogs& dialogs,
                             const std::string& path, SettingsReads* reads) {
  std::optional<TextFileReader> reader = TextFileReader::Open(path, kOptionsFileLimits);
  if (!reader) {
    if (reads != nullptr) {
      reads->NoteUnreadable(path);
    }
    dialogs.Beep();
    dialogs.MessageBox("File 'Orvaltic.OPT' not found.\r\nUsing default values.",
                       MessageKind::kInformation, MessageButtons::kOk);
    return;
  }
  try {
    ReadOrvalticOptionsFile(options, panels, *reader);
  } catch (const InOutError&) {
    if (reads != nullptr) {
      reads->NoteRead(path, false);
    }
    throw;
  }
  if (reads != nullptr) {
    reads->NoteRead(path, reader->ReadWhole());
  }
}

void ReadOrvalticOptionsFile(Options& options, PanelSet& panels, TextFileReader& reader) {
  options.CardPort = reader.ReadIntegerLine();
  options.StartupStyle = reader.ReadTextLine();
  options.TuneRate = reader.ReadFloatLine();
  options.FineTuneRate = reader.ReadFloatLine();
  options.ScanRate = reader.ReadIntegerLine();
  options.ScanMethod = reader.ReadTextLine();
  options.RaisedForm = ReadFlagLine(reader);
  options.WaveFileName = reader.ReadTextLine();
  options.AlarmTypeRadio = ReadFlagLine(reader);
  ApplyFormBevel(panels, options.RaisedForm);
}

void WriteOrvalticOptions(const Options& options, TextFileWriter& writer) {
  writer.WriteLine(FormatInt(options.CardPort));
  writer.WriteLine(options.StartupStyle);
  writer.WriteLine(RateField(options.TuneRate));
  writer.WriteLine(RateField(options.FineTuneRate));
  writer.WriteLine(FormatInt(options.ScanRate));
  writer.WriteLine(options.ScanMethod);
  writer.WriteLine(options.RaisedForm ? kTrue : kFalse);
  writer.WriteLine(options.WaveFileName);
  writer.WriteLine(options.AlarmTypeRadio ? kTrue : kFalse);
}

void SaveOrvalticOptionsFile(const Options& options, const std::string& path,
                             SettingsReads* reads) {
  TextFileWriter writer;
  WriteOrvalticOptions(options, writer);
  SaveSettingsFile(reads, path, writer.Contents());
}

}  // namespace orvaltic
