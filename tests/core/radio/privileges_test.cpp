#include "core/radio/privileges.h"

#include <gtest/gtest.h>

#include "support/fake_port_system.h"

namespace orvaltic {
namespace {

struct ReadOrderCase {
  IdTriple users;
  IdTriple groups;
  bool capabilities;
  bool drop_first;
};

class PrivilegeReadOrderTest : public ::testing::TestWithParam<ReadOrderCase> {};

TEST_P(PrivilegeReadOrderTest, OnlyARaisedProcessThatIsNoRealRootDropsBeforeReading) {
  testing::FakePortSystem system;
  system.users = GetParam().users;
  system.groups = GetParam().groups;
  system.capabilities = GetParam().capabilities;
  EXPECT_EQ(MustDropPrivilegesBeforeReading(system), GetParam().drop_first);
}

INSTANTIATE_TEST_SUITE_P(
    Processes, PrivilegeReadOrderTest,
    ::testing::Values(ReadOrderCase{{1000, 1000, 1000}, {100, 100, 100}, false, false},
                      ReadOrderCase{{1000, 0, 0}, {100, 100, 100}, true, true},
                      ReadOrderCase{{1000, 1000, 0}, {100, 100, 100}, false, true},
                      ReadOrderCase{{1000, 1000, 1000}, {100, 0, 0}, false, true},
                      ReadOrderCase{{1000, 1000, 1000}, {100, 100, 100}, true, true},
                      ReadOrderCase{{0, 0, 0}, {0, 0, 0}, true, false}));

}  // namespace
}  // namespace orvaltic
