#include "core/presets/preset_file.h"

#include <cstdint>
#include <optional>

#include "core/platform/errors.h"
#include "core/platform/numbers.h"

namespace orvaltic {
namespace {

constexpr char kNotFoundMessage[] = "File 'Orvaltic.CFG' not found.\r\nUsing default values.";

// Colours are 32-bit patterns that the file holds as signed decimals (system colours are
// negative), so a colour read back from the file writes the same text again.
std::string FormatColor(Color color) {
  return FormatInt(static_cast<std::int32_t>(color));
}

Color ReadColorLine(TextFileReader& reader) {
  return static_cast<Color>(reader.ReadIntegerLine());
}

}  // namespace

std::string DisplayFontStyleOf(const FontSpec& font, const std::string& previous) {
  if (font.bold && font.italic) {
    return "Bold+Italic";
  }
  if (font.bold) {
    return "Bold";
  }
  if (font.italic) {
    return "Italic";
  }
  if (!font.underline && !font.strike_out) {
    return "Regular";
  }
  return previous;
}

bool ReadOrvalticCFGFile(const std::string& file_name, const PresetFileFields& fields,
                         Dialogs& dialogs, SettingsReads* reads) {
  std::optional<TextFileReader> reader = TextFileReader::Open(file_name, kPresetFileLimits);
  if (!reader) {
    if (reads != nullptr) {
      reads->NoteUnreadable(file_name);
    }
    dialogs.Beep();
    dialogs.MessageBox(kNotFoundMessage, MessageKind::kInformation, MessageButtons::kOk);
    return false;
  }
  try {
    ReadOrvalticCFGFile(*reader, fields);
  } catch (const InOutError&) {
    if (reads != nullptr) {
      reads->NoteRead(file_name, false);
    }
    throw;
  }
  if (reads != nullptr) {
    reads->NoteRead(file_name, reader->ReadWhole());
  }
  return true;
}

void ReadOrvalticCFGFile(TextFileReader& reader, const PresetFileFields& fields) {
  // Every value goes straight into its field, so a bad number leaves the fields before it new
  // and the rest as they were.
  for (int n = 1; n <= kPresetCount; ++n) {
    fields.presets.PresetFreq(n) = reader.ReadFloatLine();
    fields.presets.StationName(n) = reader.ReadTextLine();
  }
  fields.CurrentFreqText = reader.ReadTextLine();
  DisplaySettings& display = fields.display;
  display.DisplayFontName = reader.ReadTextLine();
  display.DisplayFontColor = ReadColorLine(reader);
  display.DisplayFontSize = reader.ReadIntegerLine();
  display.DisplayFontStyle = reader.ReadTextLine();
  display.DisplayColor = ReadColorLine(reader);
  display.PanelTop = reader.ReadIntegerLine();
  display.PanelLeft = reader.ReadIntegerLine();
  display.BorderStyleText = reader.ReadTextLine();
  fields.alarm.AlarmTime = reader.ReadTextLine();
  fields.alarm.SnoozeTime = reader.ReadTextLine();
  for (int k = 1; k <= kSchedProgramCount; ++k) {
    SchedRec& program = fields.schedule.Program(k);
    program.Frequency = reader.ReadTextLine();
    program.DateDay = reader.ReadTextLine();
    program.TimeBegin = reader.ReadTextLine();
    program.TimeEnd = reader.ReadTextLine();
  }
  // A time with a date is "mm/dd/yyyy " longer than the 11 characters of one without.
  fields.alarm.AlarmIncludesDate = fields.alarm.AlarmTime.size() >= 12;
  fields.alarm.SnoozeIncludesDate = fields.alarm.SnoozeTime.size() >= 12;
}

std::string BuildOrvalticCFG(const PresetFileFields& fields, const PanelSurface& main_panel) {
  TextFileWriter out;
  auto text = [&out](std::string_view value) { out.WriteLine(value); };

  for (int n = 1; n <= kPresetCount; ++n) {
    out.WriteLine(FormatFixed3(fields.presets.PresetFreq(n)));
    text(fields.presets.StationName(n));
  }
  text(main_panel.FreqPanel.caption);

  DisplaySettings& display = fields.display;
  if (main_panel.PwrBtnLight == kRed) {
    const FontSpec& font = main_panel.FreqPanel.font;
    display.DisplayFontName = font.name;
    display.DisplayFontColor = font.color;
    display.DisplayFontSize = font.size;
    display.DisplayFontStyle = DisplayFontStyleOf(font, display.DisplayFontStyle);
    display.DisplayColor = main_panel.FreqPanel.color;
  }
  text(display.DisplayFontName);
  out.WriteLine(FormatColor(display.DisplayFontColor));
  out.WriteLine(FormatInt(display.DisplayFontSize));
  text(display.DisplayFontStyle);
  out.WriteLine(FormatColor(display.DisplayColor));

  out.WriteLine(FormatInt(display.PanelTop));
  out.WriteLine(FormatInt(display.PanelLeft));
  out.WriteLine(main_panel.border == BorderStyle::kNone ? "bsNone" : "bsSingle");

  text(fields.alarm.AlarmTime);
  text(fields.alarm.SnoozeTime);
  for (int k = 1; k <= kSchedProgramCount; ++k) {
    const SchedRec& program = fields.schedule.Program(k);
    text(program.Frequency);
    text(program.DateDay);
    text(program.TimeBegin);
    text(program.TimeEnd);
  }
  return out.Contents();
}

void SaveOrvalticCFGFile(const std::string& file_name, const PresetFileFields& fields,
                         const PanelSurface& main_panel, SettingsReads* reads) {
  SaveSettingsFile(reads, file_name, BuildOrvalticCFG(fields, main_panel));
}

}  // namespace orvaltic
