#pragma once

#include <string>

#include "core/options/options.h"
#include "core/panels/panel_set.h"
#include "core/platform/dialogs.h"
#include "core/platform/settings_reads.h"
#include "core/platform/text_file.h"

namespace orvaltic {

// The options file's nine lines; the reader reads no further than they can reach.
inline constexpr int kOptionsFileLineCount = 9;
inline constexpr TextReadLimits kOptionsFileLimits =
    TextReadLimits::ForLines(kOptionsFileLineCount);

// Reads the options file at start-up. A file that cannot be opened gets the beep and the
// "not found" information box and leaves every option as it was. Otherwise as the overload
// below. With `reads`, a read that did not take the whole file (or an existing file it could not
// read) is noted there.
void ReadOrvalticOptionsFile(Options& options, PanelSet& panels, Dialogs& dialogs,
                             const std::string& path = kOptionsFileName,
                             SettingsReads* reads = nullptr);

// Reads the nine lines into the options, each value straight into its variable, then applies
// the bevel. A numeric line that holds no number throws InOutError "Invalid numeric input":
// the options before it keep their new values, the later ones their old, and the bevel is not
// applied. Lines missing at the end read as 0, empty text or false.
void ReadOrvalticOptionsFile(Options& options, PanelSet& panels, TextFileReader& reader);

// The nine lines of the options file.
void WriteOrvalticOptions(const Options& options, TextFileWriter& writer);

// Creates or replaces the options file atomically; a failure throws InOutError and leaves the
// previous file whole. With `reads`, a file read in part is kept as .bak first.
void SaveOrvalticOptionsFile(const Options& options, const std::string& path = kOptionsFileName,
                             SettingsReads* reads = nullptr);

}  // namespace orvaltic
