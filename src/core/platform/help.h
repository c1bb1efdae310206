#pragma once

#include <cstdint>
#include <string>
#include <utility>

namespace orvaltic {

inline constexpr unsigned kHelpContext = 1;  // open the help file at a context number
inline constexpr unsigned kHelpQuit = 2;     // close the help viewer

// The help engine: a help file, a command and its data (the context number for kHelpContext).
class Help {
 public:
  virtual ~Help() = default;
  virtual bool WinHelp(const std::string& help_file, unsigned command, std::uint32_t data) = 0;
};

// Which help file a request goes to: the active window's own help file when it has one,
// otherwise the application's.
class HelpFiles {
 public:
  void SetApplicationHelpFile(std::string file) { application_ = std::move(file); }
  const std::string& ApplicationHelpFile() const { return application_; }
  static const std::string& Effective(const std::string& window_help_file,
                                      const std::string& application_help_file) {
    return window_help_file.empty() ? application_help_file : window_help_file;
  }
  const std::string& For(const std::string& window_help_file) const {
    return Effective(window_help_file, application_);
  }

 private:
  std::string application_;
};

}  // namespace orvaltic
