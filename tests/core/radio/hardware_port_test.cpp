#include "core/radio/hardware_port.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <optional>
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

struct RightsCase {
  const char* name;
  IdTriple users;
  std::vector<std::uint16_t> extra;  // what the options file or --port asked for
  Calls calls;
};

class PortRightsTest : public ::testing::TestWithParam<RightsCase> {};

// A set-user-ID or file-capability program gets the card's two addresses whatever it is asked
// for, so that no user can aim its writes at the reset register or the CMOS; a real root
// may name any port.
TEST_P(PortRightsTest, OpensTheCardAddressesAndOtherPortsOnlyForARealRoot) {
  testing::FakePortSystem system;
  system.users = GetParam().users;
  system.capabilities = true;
  std::ostringstream report;
  const OpenedCard opened = OpenCardBackend("orvaltic", "port", GetParam().extra, system, report);
  ASSERT_NE(opened.card, nullptr) << opened.error;
  EXPECT_EQ(opened.exit_code, 0);
  EXPECT_EQ(system.calls, GetParam().calls);
  EXPECT_EQ(system.users.effective, system.users.real);
  EXPECT_EQ(system.users.saved, system.users.real);
  EXPECT_FALSE(system.capabilities);
}

INSTANTIATE_TEST_SUITE_P(
    Processes, PortRightsTest,
    ::testing::Values(RightsCase{"SetUserIdRoot",
                                 {1000, 0, 0},
                                 {0x2F8, 0x30C},
                                 {"grant 30C", "grant 20C", "setresuid 1000",
                                  "clear capabilities"}},
                      RightsCase{"FileCapability",
                                 {1000, 1000, 1000},
                                 {0xCF9, 0x70, 0x71},
                                 {"grant 30C", "grant 20C", "clear capabilities"}},
                      RightsCase{"RealRoot",
                                 {0, 0, 0},
                                 {0x2F8, 0x30C},
                                 {"grant 30C", "grant 20C", "grant 2F8", "clear capabilities"}}),
    [](const auto& test) { return std::string(test.param.name); });

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
  EXPECT_EQ(opened.card->Refusal(0x20C), std::nullopt);
  port.WritePort(0x2F8, 0x00);
  port.WritePort(0x2F8, 0xC8);
  port.WritePort(0xCF9, 0x00);
  port.WritePort(0x30C, 0x88);

  EXPECT_EQ(system.calls, (Calls{"out 30C C8", "out 20C C0", "out 30C 88"}));
  EXPECT_TRUE(opened.card->WriteFailed());
  const std::string refusal =
      " is refused: the card is at 0x30C or 0x20C, and only a program run by root itself may "
      "write another port";
  EXPECT_EQ(report.str(),
            "orvaltic: I/O port 0x2F8" + refusal + "\norvaltic: I/O port 0xCF9" + refusal + "\n");
  EXPECT_EQ(opened.card->Refusal(0x378), "orvaltic: I/O port 0x378" + refusal);
}

TEST_F(PortBackendTest, ARealRootWritesThePortsItNamedAndIsToldWhyAnotherIsRefused) {
  system.users = {0, 0, 0};
  OpenedCard opened = Open({0x2F8});
  ASSERT_NE(opened.card, nullptr);
  system.calls.clear();
  opened.card->WritePort(0x2F8, 0xC8);
  opened.card->WritePort(0x378, 0x00);
  EXPECT_EQ(system.calls, (Calls{"out 2F8 C8"}));
  EXPECT_EQ(report.str(),
            "orvaltic: I/O port 0x378 was not opened when the program started; writes to it are "
            "refused until the program is started again\n");
}

}  // namespace
}  // namespace orvaltic
