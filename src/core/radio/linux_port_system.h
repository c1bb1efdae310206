#pragma once

#include "core/radio/port_system.h"

namespace orvaltic {

// The real system calls. Without x86 I/O instructions (or off Linux) HasIoPorts() is false and
// GrantPort fails with ENOSYS; the privilege calls work wherever Linux runs.
class LinuxPortSystem : public PortSystem {
 public:
  bool HasIoPorts() const override;
  int GrantPort(std::uint16_t port) override;
  void OutByte(std::uint16_t port, std::uint8_t value) override;
  IdTriple UserIds() const override;
  IdTriple GroupIds() const override;
  int SetUserIds(std::uint32_t id) override;
  int SetGroupIds(std::uint32_t id) override;
  int ClearCapabilities() override;
  bool HoldsCapabilities() const override;
  std::string ErrorText(int error) const override;
  std::string ExecutablePath() const override;
};

}  // namespace orvaltic
