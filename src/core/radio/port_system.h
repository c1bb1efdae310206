#pragma once

#include <cstdint>
#include <string>

namespace orvaltic {

struct IdTriple {
  std::uint32_t real = 0;
  std::uint32_t effective = 0;
  std::uint32_t saved = 0;
};

// The system calls behind the port backend and the privilege drop, so that both can be tested
// without privileges. Calls that can fail return 0 or the errno value.
class PortSystem {
 public:
  virtual ~PortSystem() = default;

  // Whether the machine has I/O port instructions (x86 Linux).
  virtual bool HasIoPorts() const = 0;
  // ioperm for one port, for this thread; call it on the thread that writes.
  virtual int GrantPort(std::uint16_t port) = 0;
  // outb; only for a port granted before.
  virtual void OutByte(std::uint16_t port, std::uint8_t value) = 0;

  virtual IdTriple UserIds() const = 0;
  virtual IdTriple GroupIds() const = 0;
  virtual int SetUserIds(std::uint32_t id) = 0;   // real, effective and saved
  virtual int SetGroupIds(std::uint32_t id) = 0;  // real, effective and saved
  // Empties the ambient, inheritable, permitted and effective capability sets.
  virtual int ClearCapabilities() = 0;
  virtual bool HoldsCapabilities() const = 0;

  virtual std::string ErrorText(int error) const = 0;
  // The running program's file, for the setcap advice.
  virtual std::string ExecutablePath() const = 0;
};

}  // namespace orvaltic
