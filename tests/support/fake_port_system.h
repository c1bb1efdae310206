#pragma once

#include <cerrno>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/radio/port_system.h"

namespace orvaltic::testing {

// The port backend's system calls, scripted: records every call in order and changes ids and
// capabilities the way the kernel would.
class FakePortSystem : public PortSystem {
 public:
  bool HasIoPorts() const override { return has_io_ports; }
  int GrantPort(std::uint16_t port) override {
    calls.push_back("grant " + Hex(port));
    const auto it = grant_errors.find(port);
    return it == grant_errors.end() ? 0 : it->second;
  }
  void OutByte(std::uint16_t port, std::uint8_t value) override {
    calls.push_back("out " + Hex(port) + " " + Hex(value));
  }
  IdTriple UserIds() const override { return users; }
  IdTriple GroupIds() const override { return groups; }
  int SetUserIds(std::uint32_t id) override {
    calls.push_back("setresuid " + std::to_string(id));
    if (set_uid_error != 0) {
      return set_uid_error;
    }
    users = {id, id, id};
    return 0;
  }
  int SetGroupIds(std::uint32_t id) override {
    calls.push_back("setresgid " + std::to_string(id));
    if (set_gid_error != 0) {
      return set_gid_error;
    }
    groups = {id, id, id};
    return 0;
  }
  int ClearCapabilities() override {
    calls.push_back("clear capabilities");
    if (on_clear_capabilities) {
      on_clear_capabilities();
    }
    if (clear_error != 0) {
      return clear_error;
    }
    capabilities = capabilities_survive;
    return 0;
  }
  bool HoldsCapabilities() const override { return capabilities; }
  std::string ErrorText(int error) const override {
    return error == EPERM ? "Operation not permitted" : "error " + std::to_string(error);
  }
  std::string ExecutablePath() const override { return "/opt/orvaltic/bin/orvaltic"; }

  static std::string Hex(unsigned value) {
    constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    do {
      text.insert(text.begin(), kDigits[value & 0xFu]);
      value >>= 4;
    } while (value != 0);
    return text;
  }

  bool has_io_ports = true;
  std::map<std::uint16_t, int> grant_errors;
  IdTriple users{1000, 1000, 1000};
  IdTriple groups{100, 100, 100};
  bool capabilities = false;
  bool capabilities_survive = false;
  int set_uid_error = 0;
  int set_gid_error = 0;
  int clear_error = 0;
  std::function<void()> on_clear_capabilities;
  std::vector<std::string> calls;
};

}  // namespace orvaltic::testing
