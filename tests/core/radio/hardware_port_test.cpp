#include "core/radio/hardware_port.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <sstream>
#include <string>
#include <vector>

#include "core/radio/card_backend.h"
#include "support/fake_port_system.h"

namespace orvaltic {
namespace {

using Calls = std::vector<std::string>;

class PortBackendTest : public ::testing::Test {
 protected:
  OpenedCard Open(std::vector<std::uint16_t> extra = {}) {
    return OpenCardBackend("orvaltic", "port", extra, system, report);
  }

  testing::FakePortSystem system;
  std::ostringstream report;
};

TEST_F(PortBackendTest, TakesEveryPortThenDropsSetUserIdAndCapabilities) {
  system.users = {1000, 0, 0};  // set-user-ID root
  system.capabilities = true;
  const OpenedCard opened = Open({0x2F8, 0x30C});
  ASSERT_NE(opened.card, nullptr) << opened.error;
  EXPECT_EQ(opened.exit_code, 0);
  EXPECT_EQ(system.calls,
            (Calls{"grant 30C", "grant 20C", "grant 2F8", "setresuid 1000", "clear capabilities"}));
  EXPECT_EQ(system.users.effective, 1000u);
  EXPECT_EQ(system.users.saved, 1000u);
  EXPECT_FALSE(system.capabilities);
}

TEST_F(PortBackendTest, GroupIdentityGoesBeforeTheUserIdentity) {
  system.users = {1000, 0, 0};
  system.groups = {100, 0, 0};
  ASSERT_NE(Open().card, nullptr);
  EXPECT_EQ(system.calls, (Calls{"grant 30C", "grant 20C", "setresgid 100", "setresuid 1000",
                                 "clear capabilities"}));
}

TEST_F(PortBackendTest, FileCapabilityAloneIsClearedWithoutTouchingIds) {
  system.capabilities = true;  // setcap cap_sys_rawio+ep
  ASSERT_NE(Open().card, nullptr);
  EXPECT_EQ(system.calls, (Calls{"grant 30C", "grant 20C", "clear capabilities"}));
}

struct OpenFailure {
  const char* name;
  std::function<void(testing::FakePortSystem&)> setup;
  std::string error;
};

class PortBackendFailureTest : public ::testing::TestWithParam<OpenFailure> {};

TEST_P(PortBackendFailureTest, SaysWhatToDoAndExitsWithOne) {
  testing::FakePortSystem system;
  system.users = {1000, 0, 0};
  system.capabilities = true;
  GetParam().setup(system);
  std::ostringstream report;
  const OpenedCard opened = OpenCardBackend("orvaltic", "port", {}, system, report);
  EXPECT_EQ(opened.card, nullptr);
  EXPECT_EQ(opened.exit_code, 1);
  EXPECT_EQ(opened.error, GetParam().error);
  for (const auto& call : system.calls) {
    EXPECT_FALSE(call.starts_with("out")) << call;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PortBackendFailureTest,
    ::testing::Values(
        OpenFailure{"NoPermission", [](auto& s) { s.grant_errors[0x20C] = EPERM; },
                    "orvaltic: no permission to write I/O port 0x20C (Operation not permitted). "
                    "Run orvaltic as root, or grant it the right once, as root: setcap "
                    "cap_sys_rawio+ep /opt/orvaltic/bin/orvaltic (it gives the right up before "
                    "anything else runs)"},
        OpenFailure{"OtherGrantError", [](auto& s) { s.grant_errors[0x30C] = EINVAL; },
                    "orvaltic: cannot open I/O port 0x30C: error 22"},
        OpenFailure{"KernelWithoutIoperm", [](auto& s) { s.grant_errors[0x30C] = ENOSYS; },
                    "orvaltic: ORVALTIC_CARD=port is not available here: this kernel offers no "
                    "I/O port access (error 38)"},
        OpenFailure{"NotX86", [](auto& s) { s.has_io_ports = false; },
                    "orvaltic: ORVALTIC_CARD=port is not available on this machine: it needs "
                    "x86 Linux (ORVALTIC_CARD=sim simulates the card)"},
        OpenFailure{"SetUidFails", [](auto& s) { s.set_uid_error = EPERM; },
                    "orvaltic: cannot give up the set-user-ID identity: Operation not permitted; "
                    "refusing to run with raised privileges"},
        OpenFailure{"SetGidFails",
                    [](auto& s) {
                      s.groups = {100, 0, 0};
                      s.set_gid_error = EPERM;
                    },
                    "orvaltic: cannot give up the set-group-ID identity: Operation not "
                    "permitted; refusing to run with raised privileges"},
        OpenFailure{"CapabilitiesStay", [](auto& s) { s.capabilities_survive = true; },
                    "orvaltic: privileges are still held after giving them up; refusing to run "
                    "with raised privileges"},
        OpenFailure{"CapsetFails", [](auto& s) { s.clear_error = EPERM; },
                    "orvaltic: cannot give up capabilities: Operation not permitted; refusing "
                    "to run with raised privileges"}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(PortBackendTest, WritesGoOutOnlyToPermittedPortsAndARefusalIsReportedOncePerPort) {
  OpenedCard opened = Open();
  ASSERT_NE(opened.card, nullptr);
  system.calls.clear();
  IoPort& port = *opened.card;

  port.WritePort(0x30C, 0xC8);
  port.WritePort(0x20C, 0xC0);
  EXPECT_FALSE(opened.card->WriteFailed());
  port.WritePort(0x2F8, 0x00);
  port.WritePort(0x2F8, 0xC8);
  port.WritePort(0x378, 0x00);
  port.WritePort(0x30C, 0x88);

  EXPECT_EQ(system.calls, (Calls{"out 30C C8", "out 20C C0", "out 30C 88"}));
  EXPECT_TRUE(opened.card->WriteFailed());
  EXPECT_EQ(report.str(),
            "orvaltic: I/O port 0x2F8 was not opened when the program started; writes to it are "
            "refused until the program is started again\n"
            "orvaltic: I/O port 0x378 was not opened when the program started; writes to it are "
            "refused until the program is started again\n");
}

}  // namespace
}  // namespace orvaltic
