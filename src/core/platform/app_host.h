#pragma once

namespace orvaltic {

// What the controller asks of the application around it: the windows and the event loop.
class AppHost {
 public:
  virtual ~AppHost() = default;
  // End the event loop after the current event; the program then exits without saving more.
  virtual void Terminate() = 0;
  // Minimise the application with all its windows.
  virtual void MinimizeApplication() = 0;
};

}  // namespace orvaltic
